// The stand-in emulator run as the front-end runs it: a copy of the program with its game list
// beside it, the set's files in a temporary directory, MAME.CFG in the current directory.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw::test {
namespace {

std::string Crc(const std::string& bytes) {
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size());
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08lx", crc);
  return hex;
}

class StandInEmulator : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "bin");
    std::filesystem::copy_file(KW_STAND_IN_EMULATOR, dir_ / "bin/emulator");
    const std::string rom1(4096, 'a'), rom2 = "some sound";
    dir_.Write("bin/STANDIN.LST",
               "game (\n\tname good\n\tdescription \"A Good Game\"\n"
               "\trom ( name good.1 size 4096 crc " +
                   Crc(rom1) +
                   " )\n"
                   "\trom ( name good.2 size 10 crc " +
                   Crc(rom2) +
                   " )\n)\n"
                   "game (\n\tname clone\n\tcloneof good\n\tromof good\n"
                   "\trom ( name clone.1 merge good.1 size 4096 crc " +
                   Crc(rom1) + " )\n)\n");
    // Extraction may change the names' case.
    dir_.Write("run/$KSTEMP$/GOOD.1", rom1);
    dir_.Write("run/$KSTEMP$/Good.2", rom2);
  }
  // Runs the emulator in run/ with `args`; standard error joins the output.
  CommandResult Run(const std::vector<std::string>& args) {
    std::vector<std::string> words = {dir_ / "bin/emulator"};
    words.insert(words.end(), args.begin(), args.end());
    return RunCommand("cd " + ShellQuoted(dir_ / "run") + " && " + CommandLine(words) + " 2>&1");
  }
  bool Exists(const std::string& relative) { return std::filesystem::exists(dir_ / relative); }

  TempDir dir_;
};

TEST_F(StandInEmulator, PrintsItsVersionAndCopiesItsGameList) {
  CommandResult version = Run({});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with(
      "M.A.M.E. v0.37 BETA 5 (Kestrelwing stand-in) - Multiple Arcade Machine Emulator\n"));
  CommandResult list = Run({"-listinfo"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, dir_.Read("bin/STANDIN.LST"));
  std::filesystem::remove(dir_ / "bin/STANDIN.LST");
  CommandResult missing =
      RunCommand(CommandLine({dir_ / "bin/emulator", "-listinfo"}) + " 2>/dev/null");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
}

TEST_F(StandInEmulator, GoodSetWritesItsFilesInTheConfiguredDirectories) {
  dir_.Write("run/mame.cfg", "[Directory]\ncfg=MyCfg\\\nnvram=NV\n");
  CommandResult run = Run({"GOOD", "-romdir", "$KSTEMP$", "-log", "-video", "none", "-x", "1"});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("A Good Game"), std::string::npos);
  EXPECT_EQ(dir_.Read("run/MyCfg/good.cfg"), "[good]\ncontrols=default\ndipswitches=default\n");
  EXPECT_EQ(std::filesystem::file_size(dir_ / "run/NV/good.nv"), 256u);
  EXPECT_TRUE(Exists("run/HI/good.hi"));
  EXPECT_TRUE(Exists("run/error.log"));
  // The clone takes the file it shares with its parent under the parent's name.
  EXPECT_EQ(Run({"clone", "-romdir", "$KSTEMP$", "-video", "none"}).status, 0);
  // With a window (or, without a display, after saying it has none) the game ends in time.
  EXPECT_EQ(Run({"good", "-romdir", "$KSTEMP$", "-seconds_to_run", "1"}).status, 0);
}

TEST_F(StandInEmulator, MissingOrWrongFilesAndUnknownSetsAreRefused) {
  dir_.Write("run/$KSTEMP$/GOOD.1", std::string(4096, 'b'));
  std::filesystem::remove(dir_ / "run/$KSTEMP$/Good.2");
  CommandResult bad = Run({"good", "-romdir", "$KSTEMP$", "-video", "none"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("good.1       WRONG CRC (expected: "), std::string::npos) << bad.out;
  EXPECT_NE(bad.out.find("good.2       NOT FOUND\n"), std::string::npos);
  EXPECT_NE(bad.out.find("ERROR: required files are missing, the game cannot be run.\n"),
            std::string::npos);
  dir_.Write("run/$KSTEMP$/GOOD.1", "short");
  EXPECT_NE(Run({"good", "-romdir", "$KSTEMP$"}).out.find("good.1       WRONG LENGTH"),
            std::string::npos);
  EXPECT_FALSE(Exists("run/CFG"));
  CommandResult unknown = Run({"nosuch", "-romdir", "$KSTEMP$"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "game \"nosuch\" not supported\n");
}

TEST_F(StandInEmulator, RecordsAndPlaysBackOnlyInsideItsDirectory) {
  const std::vector<std::string> run = {"good", "-romdir", "$KSTEMP$", "-video", "none"};
  auto with = [&run](std::vector<std::string> more) {
    more.insert(more.begin(), run.begin(), run.end());
    return more;
  };
  EXPECT_EQ(Run(with({"-playback", "MYREC"})).status, 1);
  EXPECT_EQ(Run(with({"-record", "MYREC"})).status, 0);
  EXPECT_TRUE(Exists("run/INP/MYREC.inp"));
  CommandResult played = Run(with({"-playback", "myrec"}));
  EXPECT_EQ(played.status, 0) << played.out;
  EXPECT_NE(played.out.find("Playing back INP/MYREC.inp"), std::string::npos);
  EXPECT_EQ(Run({"clone", "-romdir", "$KSTEMP$", "-video", "none", "-playback", "MYREC"}).status,
            1);

  EXPECT_EQ(Run(with({"-record", "../../escaped"})).status, 1);
  EXPECT_EQ(Run({"../good", "-romdir", "$KSTEMP$", "-video", "none"}).status, 1);
  dir_.Write("run/MAME.CFG", "[directory]\nhi=../up\n");
  EXPECT_EQ(Run(run).status, 1);
  EXPECT_FALSE(Exists("escaped.inp") || Exists("up"));
}

}  // namespace
}  // namespace kw::test
