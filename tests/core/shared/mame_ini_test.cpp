#include "core/shared/mame_ini.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>

#include "core/shared/mame_options.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

// HOME set for one test and put back after it.
class HomeAt {
 public:
  explicit HomeAt(const std::string& home) {
    if (const char* old = getenv("HOME")) old_ = old;
    setenv("HOME", home.c_str(), 1);
  }
  ~HomeAt() {
    if (old_) {
      setenv("HOME", old_->c_str(), 1);
    } else {
      unsetenv("HOME");
    }
  }

 private:
  std::optional<std::string> old_;
};

TEST(MameIni, ReadsOptionsAsTheEmulatorDoes) {
  const MameIni ini(
      "# CORE SEARCH PATH OPTIONS\n"
      "rompath                   $HOME/roms;roms   # mine\n"
      "  samplepath\t\"my samples;x#y\"\r\n"
      "language\n"  // a name alone is no option
      "skip_gameinfo             \n"
      "frameskip 1\n"
      "frameskip 3\n");
  EXPECT_EQ(ini.Value("rompath"), "$HOME/roms;roms");
  EXPECT_EQ(ini.Value("samplepath"), "my samples;x#y") << "quoted: blanks and # kept";
  EXPECT_EQ(ini.Value("language"), std::nullopt);
  EXPECT_EQ(ini.Value("skip_gameinfo"), "");
  EXPECT_EQ(ini.Value("frameskip"), "3") << "the last line wins";
  EXPECT_EQ(ini.Value("Rompath"), std::nullopt) << "names are matched exactly";
}

TEST(MameIni, AnEditChangesOneValueAndKeepsEveryOtherByte) {
  const std::string text =
      "# my options\r\n"
      "rompath   /old/roms   # where they are\r\n"
      "frameskip 0\r\n"
      "\r\n"
      "cheat 0";
  MameIni ini(text);
  ini.Set("rompath", "/new roms");
  ini.Set("frameskip", "2");
  ini.Set("autoframeskip", "1");
  EXPECT_EQ(ini.Text(),
            "# my options\r\n"
            "rompath   \"/new roms\"   # where they are\r\n"
            "frameskip 2\r\n"
            "\r\n"
            "cheat 0\r\n"
            "autoframeskip             1\r\n");
  EXPECT_EQ(MameIni(ini.Text()).Value("rompath"), "/new roms");
}

TEST(MameIni, PathsExpandHomeAndTheEnvironment) {
  HomeAt home("/home/ann");
  EXPECT_EQ(ExpandMamePath("$HOME/.mame"), "/home/ann/.mame");
  EXPECT_EQ(ExpandMamePath("${HOME}/x"), "/home/ann/x");
  EXPECT_EQ(ExpandMamePath("~/roms"), "/home/ann/roms");
  EXPECT_EQ(ExpandMamePath("a~b$"), "a~b$");
  EXPECT_EQ(SplitMamePath(";a;;b;"), (std::vector<std::string>{"a", "b"}));
}

// The emulator reads the first mame.ini of its built-in inipath, then the first of the inipath
// that file names: the user's file, read second, overrides the system's.
TEST(MameIni, TheInipathSearchFollowsTheEmulatorsOrder) {
  test::TempDir dir;
  HomeAt home(dir / "home");
  dir.Write("etc/mame.ini",
            "inipath $HOME/.mame;" + (dir / "etc") + "\nrompath /system/roms\nsamples 0\n");
  dir.Write("work/mame.ini", "rompath /never/read\n");  // not in either inipath
  std::vector<std::string> problems;
  MameIniFiles files = ReadMameIniFiles(dir / "etc", dir / "work", &problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(files.Get("rompath", ""), "/system/roms");
  EXPECT_EQ(files.user_file, dir / "home/.mame/mame.ini") << "not there yet: made on write";

  // The user's own file, made with only the changed option.
  ASSERT_TRUE(WriteMameIniChanges(files.user_file, {{"rompath", "$HOME/roms"}}));
  EXPECT_EQ(dir.Read("home/.mame/mame.ini"), "rompath                   $HOME/roms\n");
  files = ReadMameIniFiles(dir / "etc", dir / "work");
  EXPECT_EQ(files.read,
            (std::vector<std::string>{dir / "etc/mame.ini", dir / "home/.mame/mame.ini"}));
  EXPECT_EQ(files.Get("rompath", ""), "$HOME/roms") << "the second file wins";
  EXPECT_EQ(files.Get("samples", ""), "0") << "what it does not name stays the first's";

  // A file outside the home directory read before any in it: nothing is written anywhere.
  dir.Write("etc/mame.ini", "inipath " + (dir / "etc") + ";$HOME/.mame\n");
  files = ReadMameIniFiles(dir / "etc", dir / "work");
  EXPECT_EQ(files.user_file, "");
  EXPECT_NE(files.user_file_problem.find(dir / "etc/mame.ini"), std::string::npos);
}

TEST(MameOptions, TheRecordReadsAndWritesTodaysOptions) {
  test::TempDir dir;
  HomeAt home(dir.Path() + "home");
  MameIniFiles files;
  files.values = {{"rompath", "$HOME/roms;/usr/share/roms"},
                  {"autoframeskip", "1"},
                  {"rotate", "0"},
                  {"joystick", "0"},
                  {"resolution", "640x480"},
                  {"gamma", "junk"},
                  {"homepath", "$HOME/.mame"}};
  const EmulatorConfig read = ConfigFromMameIni(files);
  EXPECT_EQ(read.directory.rompath, dir.Path() + "home/roms;/usr/share/roms");
  EXPECT_EQ(read.directory.cfg, "cfg") << "the emulator's own default";
  EXPECT_EQ(read.directory.hi, dir.Path() + "home/.mame/hiscore");
  EXPECT_EQ(read.config.frameskip, "AUTO");
  EXPECT_TRUE(read.config.norotate);
  EXPECT_EQ(read.config.joystick, "NONE");
  EXPECT_EQ(read.config.resolution, "640X480");
  EXPECT_EQ(read.config.gamma, 1.0f) << "a value the emulator refuses reads as its default";
  EXPECT_TRUE(MameIniChanges(read, read).empty()) << "nothing changed, nothing written";

  EmulatorConfig changed = read;
  changed.config.frameskip = "11";
  changed.config.norotate = false;
  changed.config.gamma = 1.5f;
  changed.config.scanlines = !changed.config.scanlines;  // the era's alone: never written
  EXPECT_EQ(MameIniChanges(read, changed),
            (std::vector<std::pair<std::string, std::string>>{
                {"autoframeskip", "0"}, {"frameskip", "10"}, {"gamma", "1.5"}, {"rotate", "1"}}));
}

}  // namespace
}  // namespace kw
