// emulator-config, run as the real program on a profile whose emulator directory holds MAME.CFG.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::RunCli;

TEST(CliEmulatorConfig, PrintsInReadOrderAndRewrites) {
  test::TempDir dir;
  test::TempDir emulator;
  const std::string profile = dir / "P.KSL";
  ASSERT_EQ(test::MakeSampleProfile(profile, emulator.Path(), dir, dir.Path()), 0);
  emulator.Write("mame.cfg",
                 "[config]\nbeam=x\nflicker=.5\ndirty=yes\nkioskmode=no\n"
                 "[directory]\nrompath=roms\n  EMULATE_THREE = yes\n");
  test::CliRun run = RunCli({"emulator-config", profile}, dir, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = test::Lines(run.out);
  ASSERT_EQ(lines.size(), 2u + 10u + 47u + 1u);
  EXPECT_EQ(lines[0], "[directory]");
  EXPECT_EQ(lines[1], "inp=INP");
  EXPECT_EQ(lines[8], "rompath=.;roms");
  EXPECT_EQ(lines[11], "[config]");
  EXPECT_EQ(lines[12], "scanlines=yes");
  EXPECT_NE(run.out.find("\nbeam=1.0000000\nflicker=0.5000000\ngamma=1.0000000\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("\ndirty=YES\n"), std::string::npos);
  EXPECT_EQ(lines.back(), "emulate_three=YES");

  run = RunCli({"emulator-config", profile, "--rewrite"}, dir, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string written = emulator.Read("mame.cfg");
  EXPECT_NE(written.find("\nbeam=1.0000000\n"), std::string::npos);
  EXPECT_NE(written.find("\nkioskmode=no\n"), std::string::npos);
  // The line the read found, indented as it was, is written in the program's own form.
  EXPECT_NE(written.find("\nrompath=.;roms\nemulate_three=YES\n"), std::string::npos) << written;
  EXPECT_EQ(written.find("EMULATE_THREE"), std::string::npos);
  EXPECT_EQ(RunCli({"emulator-config", profile}, dir, dir.Path()).out, run.out);

  // The rewrite's temporary file cannot be made: the file stays, the reason goes to stderr.
  emulator.Write("mame.cfg", "emulate_three=yes\n");
  std::filesystem::create_directory(emulator / "$KSTEMP$.CFG");
  run = RunCli({"emulator-config", profile, "--rewrite"}, dir, dir.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Unable to write to " + emulator.Path() + "mame.cfg"), std::string::npos)
      << run.err;
  EXPECT_EQ(emulator.Read("mame.cfg"), "emulate_three=yes\n");

  run = RunCli({"emulator-config", dir / "MISSING.KSL"}, dir, dir.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(run.err.empty());
}

TEST(CliEmulatorConfig, SetWritesOptionsAsTheWindowsDo) {
  test::TempDir dir;
  test::TempDir emulator;
  const std::string profile = dir / "P.KSL";
  ASSERT_EQ(test::MakeSampleProfile(profile, emulator.Path(), dir, dir.Path()), 0);
  emulator.Write("MAME.CFG", "[config]\nkioskmode=no\nbeam=2\nemulate_three=no\n");
  test::CliRun run = RunCli({"emulator-config", profile, "--set", "resolution=640x480", "--set",
                             "config.artwork=no", "--set", "directory.rompath=/games/roms", "--set",
                             "emulate_three=yes", "--set", "gamma=junk"},
                            dir, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string written = emulator.Read("MAME.CFG");
  EXPECT_NE(written.find("\nkioskmode=no\n"), std::string::npos) << written;
  EXPECT_NE(written.find("\nresolution=640X480\n"), std::string::npos);
  EXPECT_NE(written.find("\nartwork=no\n"), std::string::npos);
  EXPECT_NE(written.find("rompath=.;/games/roms\n"), std::string::npos);
  EXPECT_NE(written.find("\ngamma=1.0000000\n"), std::string::npos) << "unusable: default";
  EXPECT_NE(written.find("\nbeam=2.0000000\n"), std::string::npos);
  EXPECT_NE(written.find("\nemulate_three=YES\n"), std::string::npos);
  EXPECT_EQ(RunCli({"emulator-config", profile}, dir, dir.Path()).out, run.out);

  for (const char* bad : {"nosuchoption=1", "artwork=yes", "config.inp=x", "resolution"}) {
    run = RunCli({"emulator-config", profile, "--set", bad}, dir, dir.Path());
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_NE(RunCli({"emulator-config", profile, "--set", "artwork=yes"}, dir, dir.Path())
                .err.find("more than one section"),
            std::string::npos);
  EXPECT_EQ(emulator.Read("MAME.CFG"), written) << "nothing written";
}

TEST(CliEmulatorConfig, SetEmulateThreeAddsTheLineAFileLacks) {
  test::TempDir dir;
  test::TempDir emulator;
  const std::string profile = dir / "P.KSL";
  ASSERT_EQ(test::MakeSampleProfile(profile, emulator.Path(), dir, dir.Path()), 0);
  emulator.Write("MAME.CFG", "[config]\nmouse=no\n\n[frontend]\nK=1\n");
  test::CliRun run =
      RunCli({"emulator-config", profile, "--set", "emulate_three=no"}, dir, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(emulator.Read("MAME.CFG").find("emulate_three"), std::string::npos) << "no change";

  run = RunCli({"emulator-config", profile, "--set", "emulate_three=yes"}, dir, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string written = emulator.Read("MAME.CFG");
  const std::size_t added = written.find("\nemulate_three=YES\n");
  ASSERT_NE(added, std::string::npos) << written;
  EXPECT_LT(added, written.find("[frontend]"));  // at the end of [config]
  EXPECT_EQ(test::Lines(RunCli({"emulator-config", profile}, dir, dir.Path()).out).back(),
            "emulate_three=YES");

  // The indented line a user wrote is the one switched off again.
  emulator.Write("MAME.CFG", "[config]\n   emulate_three = yes\nmouse=no\n");
  run = RunCli({"emulator-config", profile, "--set", "emulate_three=no"}, dir, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(emulator.Read("MAME.CFG").starts_with("[config]\nemulate_three=NO\nmouse=no\n"));
  EXPECT_EQ(test::Lines(RunCli({"emulator-config", profile}, dir, dir.Path()).out).back(),
            "emulate_three=NO");
}

}  // namespace
}  // namespace kw
