// MAME.CFG read and written in real files of temporary emulator directories.
#include "core/shared/emulator_config.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/ini.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

const std::string kTemp = "$KSTEMP$";

EmulatorConfig ReadFrom(const test::TempDir& dir) {
  EmulatorConfig config;
  EXPECT_TRUE(ReadEmulatorConfig(dir.Path(), config));
  return config;
}

TEST(EmulatorConfigKeys, WriteOrderCoversTheSameDeclarations) {
  std::set<const EmulatorKey*> written(EmulatorConfigWriteOrder().begin(),
                                       EmulatorConfigWriteOrder().end());
  EXPECT_EQ(written.size(), EmulatorConfigWriteOrder().size());
  EXPECT_FALSE(written.count(nullptr));
  EXPECT_EQ(written.size() + 1, EmulatorConfigKeys().size());  // all but emulate_three
  EXPECT_EQ(FindEmulatorKey("CONFIG", "Beam")->key, "beam");
  EXPECT_EQ(FindEmulatorKey("directory", "artwork")->kind, EmulatorKeyKind::Text);
  EXPECT_EQ(FindEmulatorKey("config", "artwork")->kind, EmulatorKeyKind::Bool);
  EXPECT_EQ(FindEmulatorKey("config", "nosuchkey"), nullptr);

  EmulatorConfig defaults;
  EXPECT_EQ(defaults.directory.rompath, ".;ROMS");
  EXPECT_EQ(defaults.directory.samplepath, ".;SAMPLES");
  EXPECT_EQ(defaults.config.vesamode, "VESA3");
  EXPECT_EQ(defaults.config.vgafreq, -1);
  EXPECT_TRUE(defaults.config.scanlines);
  EXPECT_FALSE(defaults.emulate_three);
  *FindEmulatorKey("config", "gamma")->Get<float>(defaults) = 2.5f;
  EXPECT_EQ(defaults.config.gamma, 2.5f);
  EXPECT_EQ(FindEmulatorKey("config", "gamma")->Get<bool>(defaults), nullptr);

  // The typed declarations reach the same fields as the table, with the same rules.
  emulator_option::kGamma(defaults) = 1.5f;
  emulator_option::kEmulateThree(defaults) = true;
  EXPECT_EQ(defaults.config.gamma, 1.5f);
  EXPECT_TRUE(defaults.emulate_three);
  EXPECT_EQ(&emulator_option::kRompath(defaults), &defaults.directory.rompath);
  EXPECT_EQ(EmulatorKeyOf(defaults, &emulator_option::kArtworkDir(defaults)),
            FindEmulatorKey("directory", "artwork"));
  EXPECT_EQ(emulator_option::kSamplerate.kind, EmulatorKeyKind::UpperText);
  EXPECT_TRUE(emulator_option::kSamplepath.search_path);
}

TEST(EmulatorConfig, ValueFormsReadAndWritten) {
  test::TempDir dir;
  dir.Write("mame.cfg",
            "[config]\nscanlines=1\nstretch=YeS\nbeam=bright\nflicker=.5\ngamma=-0.25\n"
            "vgafreq=60hz\nsoundcard=3\nvesamode=vesa2\nrol = yes \n"
            "[directory]\nrompath=roms;.\nsamplepath=C:\\SAMPLES\n");
  EmulatorConfig config = ReadFrom(dir);
  EXPECT_FALSE(config.config.scanlines);  // only "yes" is true
  EXPECT_TRUE(config.config.stretch);
  EXPECT_TRUE(config.config.rol);  // blanks around key and value
  EXPECT_EQ(config.config.beam, 1.0f);
  EXPECT_EQ(config.config.flicker, 0.5f);
  EXPECT_EQ(config.config.vgafreq, -1);
  EXPECT_EQ(config.config.soundcard, 3);
  EXPECT_EQ(config.config.vesamode, "VESA2");
  EXPECT_EQ(config.directory.rompath, "roms;.");
  EXPECT_EQ(config.directory.samplepath, ".;C:\\SAMPLES");
  EXPECT_EQ(config.hiscore_path, dir.Path() + "HISCORE.DAT");
  EXPECT_EQ(NormaliseSearchPath(".;ROMS"), ".;ROMS");

  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  platform::IniFile ini(dir / "mame.cfg");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.Read("config", "scanlines"), "no");
  EXPECT_EQ(ini.Read("config", "stretch"), "yes");
  EXPECT_EQ(ini.Read("config", "beam"), "1.0000000");
  EXPECT_EQ(ini.Read("config", "flicker"), "0.5000000");
  // Negative reals keep their zero too.
  EXPECT_EQ(ini.Read("config", "gamma"), "-0.2500000");
  EXPECT_EQ(ini.Read("config", "vgafreq"), "-1");
  EXPECT_EQ(ini.Read("config", "rol"), "yes");
  EXPECT_EQ(ini.Read("directory", "rompath"), "roms;.");
  EXPECT_EQ(ini.Read("directory", "samplepath"), ".;C:\\SAMPLES");
  EXPECT_EQ(ReadFrom(dir), config);
}

TEST(EmulatorConfig, EmulateThreeRewrittenWhereverTheReadFindsIt) {
  EXPECT_TRUE(ScanEmulateThree("[config]\nx=1\n[directory]\n  Emulate_Three = y e s \r\n"));
  EXPECT_FALSE(ScanEmulateThree("emulate_three\nemulate_three=yes\n"));  // the first one counts
  EXPECT_FALSE(ScanEmulateThree("[config]\n"));

  // An indented line, as the read finds it, is the one the write changes; nothing else moves.
  test::TempDir dir;
  dir.Write("MAME.CFG", "[config]\n  emulate_three = yes\r\nmouse=no\n");
  EmulatorConfig config = ReadFrom(dir);
  EXPECT_TRUE(config.emulate_three);
  config.emulate_three = false;
  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  std::string text = dir.Read("MAME.CFG");
  EXPECT_TRUE(text.starts_with("[config]\nemulate_three=NO\r\nmouse=no\n")) << text;
  EXPECT_FALSE(ReadFrom(dir).emulate_three);

  dir.Write("MAME.CFG", "EMULATE_THREE=no\r\n[config]\nmouse=no\n\temulate_threeX=no");
  config.emulate_three = true;
  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  text = dir.Read("MAME.CFG");
  EXPECT_EQ(text.substr(0, 19), "emulate_three=YES\r\n");
  EXPECT_NE(text.find("\nemulate_three=YES"), std::string::npos);  // 13 characters compared
  EXPECT_EQ(text.find("emulate_three=YES", 19), text.rfind("emulate_three=YES"));  // none added
  EXPECT_FALSE(std::filesystem::exists(dir / (kTemp + ".CFG")));
}

TEST(EmulatorConfig, EmulateThreeSwitchedOnInAFileWithoutTheLineIsAddedToConfig) {
  test::TempDir dir;
  const std::string before = "[config]\nmouse=no\n; keep\n\n[frontend]\nK=1\n";
  dir.Write("MAME.CFG", before);
  EmulatorConfig config = ReadFrom(dir);
  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  EXPECT_EQ(dir.Read("MAME.CFG").find("emulate_three"), std::string::npos) << "left off: no line";

  config.emulate_three = true;
  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  const std::string after = dir.Read("MAME.CFG");
  platform::IniFile ini(dir / "MAME.CFG");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.Keys("config").back(), "emulate_three");
  EXPECT_EQ(ini.Read("config", "emulate_three"), "YES");
  EXPECT_NE(after.find("\nemulate_three=YES\n"), std::string::npos) << after;
  EXPECT_TRUE(after.starts_with("[config]\nmouse=no\n; keep\n"));
  EXPECT_NE(after.find("[frontend]\nK=1\n"), std::string::npos);
  EXPECT_TRUE(ReadFrom(dir).emulate_three);

  // Written once: the next write finds the line and changes it in place.
  config.emulate_three = false;
  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  std::string expected = after;
  expected.replace(expected.find("emulate_three=YES"), 17, "emulate_three=NO");
  EXPECT_EQ(dir.Read("MAME.CFG"), expected);
}

TEST(EmulatorConfig, OtherLinesSurviveAndAMissingFileGetsTwoSections) {
  test::TempDir dir;
  const std::string before =
      "# the emulator's own\n[config]\nvector_width=640\n# note\n"
      "mouse=no\n\n[frontend]\nK_START=13\n";
  dir.Write("mame.cfg", before);
  ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, ReadFrom(dir)));
  const std::string after = dir.Read("mame.cfg");
  for (const char* kept : {"# the emulator's own\n[config]\nvector_width=640\n# note\nmouse=no\n",
                           "\n[frontend]\nK_START=13\n"}) {
    EXPECT_NE(after.find(kept), std::string::npos) << kept;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "MAME.CFG"));  // found without regard to case

  test::TempDir empty;
  EmulatorConfig config = ReadFrom(empty);
  EXPECT_EQ(config.config, EmulatorConfig().config);
  EXPECT_EQ(config.directory, EmulatorConfig().directory);
  config.emulate_three = true;
  ASSERT_TRUE(WriteEmulatorConfig(empty.Path(), kTemp, config));
  platform::IniFile ini(empty / "MAME.CFG");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"directory", "config"}));
  EXPECT_EQ(ini.Keys("directory").front(), "inp");
  EXPECT_EQ(ini.Keys("directory").at(1), "hi");  // the write order
  EXPECT_EQ(ini.Keys("config").size(), 48u);     // the 47 and the switched-on emulate_three last
  EXPECT_EQ(ini.Keys("config").back(), "emulate_three");
}

TEST(EmulatorConfig, AFileThatMayNotBeWrittenStaysAsItWas) {
  test::TempDir dir;
  const std::string before = "[config]\r\nscanlines=1\r\nemulate_three=no\r\n";
  const std::string path = dir.Write("MAME.CFG", before);
  EmulatorConfig config = ReadFrom(dir);
  config.emulate_three = true;

  test::TempDir fifo_dir;
  mkfifo((fifo_dir / "MAME.CFG").c_str(), 0644);
  EXPECT_FALSE(WriteEmulatorConfig(fifo_dir.Path(), kTemp, config));

  // Permissions do not stop root, an immutable file does.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(test::RunCommand("chattr +i '" + path + "'").status, 0);
  } else {
    chmod(path.c_str(), 0444);
  }
  Status failed = WriteEmulatorConfig(dir.Path(), kTemp, config);
  if (root) test::RunCommand("chattr -i '" + path + "'");
  EXPECT_FALSE(failed);
  EXPECT_NE(failed.Message().find(path), std::string::npos) << failed.Message();
  EXPECT_EQ(dir.Read("MAME.CFG"), before);
  if (root) return;  // a read-only directory does not stop root

  chmod(path.c_str(), 0644);
  chmod(dir.Path().c_str(), 0555);
  EXPECT_FALSE(WriteEmulatorConfig(dir.Path(), kTemp, config));
  chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(dir.Read("MAME.CFG"), before);
  EXPECT_FALSE(std::filesystem::exists(dir / (kTemp + ".CFG")));
}

TEST(EmulatorConfig, RealFilesOfTheEmulator) {
  for (const char* name : {"mame.cfg", "mame.cfg.template"}) {
    SCOPED_TRACE(name);
    test::TempDir dir;
    std::filesystem::copy_file(std::string(KW_TEST_DATA_DIR) + "/cfg/" + name, dir / "mame.cfg");
    EmulatorConfig config = ReadFrom(dir);
    EXPECT_EQ(config.config.samplerate, "44100");
    EXPECT_EQ(config.config.frameskip, "AUTO");
    EXPECT_EQ(config.config.beam, 1.0f);
    EXPECT_TRUE(config.config.antialias);
    EXPECT_EQ(config.directory.rompath, ".;roms");
    EXPECT_EQ(config.directory.cheat, ".");
    ASSERT_TRUE(WriteEmulatorConfig(dir.Path(), kTemp, config));
    const std::string after = dir.Read("mame.cfg");
    EXPECT_NE(after.find("# display effect postprocessing: 0 none, 1 scanlines\n"),
              std::string::npos);
    EXPECT_NE(after.find("\nsta=sta\n"), std::string::npos);
    EXPECT_NE(after.find("\nbeam=1.0000000\n"), std::string::npos);
    EXPECT_EQ(ReadFrom(dir), config);
  }
}

}  // namespace
}  // namespace kw
