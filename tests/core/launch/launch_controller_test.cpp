#include "core/launch/launch_controller.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "app/program.h"
#include "core/shared/set_bounds.h"
#include "demo/zip_writer.h"
#include "support/recording_views.h"
#include "support/run_command.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw {
namespace {

using test::TempDir;

std::string Crc(const std::string& bytes) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08lx",
                crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
  return hex;
}

std::string Rom(const std::string& name, const std::string& bytes) {
  return "rom ( name " + name + " size " + std::to_string(bytes.size()) + " crc " + Crc(bytes) +
         " ) ";
}

// A collection of four sets: a clone of a parent that uses a BIOS, each holding its own
// shared.bin, a game without ROMs that borrows the parent's, and a game whose ROM is missing.
// The emulator notes what it was given and which shared.bin it found.
class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    setenv("KESTRELWING_OPTICAL_DRIVES", "", 1);
    const std::string list =
        "game ( name clone cloneof parent romof parent description \"Clone\" " +
        Rom("shared.bin", "C") + Rom("c.bin", "cc") + Rom("p.bin", "pp") + Rom("b.bin", "bb") +
        ")\ngame ( name parent romof bios description \"Parent\" " + Rom("shared.bin", "P") +
        Rom("p.bin", "pp") + Rom("b.bin", "bb") +
        ")\ngame ( name noroms romof parent description \"No ROMs\" )\n"
        "game ( name broken description \"Broken\" " +
        Rom("gone.bin", "gone") + ")\nresource ( name bios description \"BIOS\" " +
        Rom("shared.bin", "B") + Rom("b.bin", "bb") +
        ")\ngame ( name loopa romof loopb description \"Loop A\" " + Rom("shared.bin", "L") +
        Rom("l.bin", "ll") + ")\ngame ( name loopb romof loopa description \"Loop B\" " +
        Rom("shared.bin", "L") + ")\n";
    const std::string listinfo = emu_.Write("list.txt", list);
    Zip("clone", {{"shared.bin", "C"}, {"c.bin", "cc"}});
    Zip("PARENT", {{"shared.bin", "P"}, {"p.bin", "pp"}});
    Zip("bios", {{"shared.bin", "B"}, {"b.bin", "bb"}});
    Zip("loopb", {{"shared.bin", "L"}, {"l.bin", "ll"}});
    test::WriteScript(emu_, "mame",
                      "case \"$1\" in\n"
                      "  '' | -help) echo 'v1' ;;\n"
                      "  -listinfo) cat '" +
                          listinfo +
                          "' ;;\n"
                          "  *) printf '%s|' \"$@\" > args.txt; cat \"$3/shared.bin\" > ran.txt\n"
                          "     mkdir -p cfg; echo 'the emulator wrote' > \"cfg/$(echo $1 | tr A-Z "
                          "a-z).cfg\" ;;\n"
                          "esac\n");
    emu_.Write("MAME.CFG", "[directory]\nrompath=ROMS\n");
    emu_.Write("cfg/clone.cfg", "the user's");
    program_ = std::make_unique<Program>(ui_, view_.Views(),
                                         AppNames::Compute(home_.Path(), home_.Path()));
    program_->shell.FormCreate();
    program_->profiles.CreateProfileFrom(emu_ / "mame", home_ / "T.KSL");
    ASSERT_TRUE(program_->database.ProfileLoaded);
    ui_.messages.clear();
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd_);
    unsetenv("KESTRELWING_OPTICAL_DRIVES");
  }
  void Zip(const std::string& name, const std::vector<demo::ZipMember>& members) {
    Result<std::string> zip = demo::ZipArchive(members);
    ASSERT_TRUE(zip);
    emu_.Write("ROMS/" + name + ".zip", *zip);
  }
  LaunchOutcome Play(const std::string& name) {
    program_->game_list.SelectLine(program_->database.FindGamePosition(name));
    return program_->launch.RunGameOPTClick();
  }
  bool Leftovers() const {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(emu_.Path())) {
      if (entry.path().filename().string().rfind("$KSTEMP$", 0) == 0) return true;
    }
    return false;
  }

  TempDir home_, emu_;
  std::filesystem::path old_cwd_;
  test::ScriptedUi ui_;
  test::RecordingViews view_;
  std::unique_ptr<Program> program_;
};

TEST_F(LaunchTest, ACloneRunsOnItsOwnItsParentsAndTheBiosFilesAndComesBack) {
  EXPECT_EQ(Play("CLONE"), LaunchOutcome::Ran);
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text;
  EXPECT_EQ(emu_.Read("args.txt"), "CLONE|-romdir|$KSTEMP$|");
  EXPECT_EQ(emu_.Read("ran.txt"), "B") << "the BIOS's file, extracted last, replaced the others";
  EXPECT_EQ(emu_.Read("cfg/clone.cfg"), "the emulator wrote\n") << "what the run wrote is kept";
  EXPECT_EQ(program_->stats.PlayCount("CLONE"), 1u);
  EXPECT_NE(home_.Read("STATS.INI").find("[CLONE]"), std::string::npos);
  EXPECT_FALSE(Leftovers());
  EXPECT_EQ(program_->database.Game(view_.selected).Name, "CLONE");
  EXPECT_NE(view_.quick_info[11].find("Played 1 time"), std::string::npos);

  // Without ROMs of its own, a game takes only those of the sets it borrows from.
  EXPECT_EQ(Play("NOROMS"), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("ran.txt"), "B");
}

// A member far larger than the files the game's sets list (an archive bomb) is never written
// into the temporary directory; the set's other files are, and the extraction says why.
TEST_F(LaunchTest, ABombMemberNeverReachesTheTemporaryDirectory) {
  Zip("clone", {{"shared.bin", "C"}, {"bomb.bin", std::string(64 << 20, '\0')}, {"c.bin", "cc"}});
  test::WriteScript(emu_, "mame", "ls \"$3\" > listing.txt; du -sk \"$3\" | cut -f1 > used.txt\n");
  EXPECT_EQ(Play("CLONE"), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("listing.txt"), "b.bin\nc.bin\np.bin\nshared.bin\n");
  EXPECT_LT(std::stoi(emu_.Read("used.txt")), 1024) << "kilobytes used";
  EXPECT_FALSE(Leftovers());
  // The game runs without the member; the user is told which one stayed out, and why.
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages[0].text,
            "Some files of the game's sets could not be put into the temporary directory:\r\r"
            "CLONE        rom set: bomb.bin: not extracted: the file passes the limit of 1048578 "
            "bytes that the sizes its profile lists allow\r\r"
            "The game passed the rom set test all the same: MAME will be run.");

  // The game's sets list 15 bytes (the parent's and the BIOS's included), the largest file 2.
  const GameRecord* clone = program_->database.FindSet("CLONE", false);
  ASSERT_NE(clone, nullptr);
  const platform::archive::SizeLimits limits = SetBounds(program_->database).ForRoms(*clone);
  EXPECT_EQ(limits.set, (1u << 20) + 15);
  EXPECT_EQ(limits.file, (1u << 20) + 2);
  Status extracted = program_->archives.ExtractSet("clone", "ROMS", SetKind::Rom, "", limits);
  EXPECT_EQ(extracted.Message(),
            "bomb.bin: not extracted: the file passes the limit of 1048578 bytes that the sizes "
            "its profile lists allow");
}

TEST_F(LaunchTest, TodaysEmulatorReadsTheCollectionWhereItStands) {
  program_->database.Dialect = EmulatorDialect::kListxml;
  // It looks for a set under its name in lower case: PARENT.zip is put into the temporary
  // directory for it, under that name; the others it reads from the ROM folder.
  test::WriteScript(emu_, "mame",
                    "printf '%s|' \"$@\" > args.txt; ls '$KSTEMP$' > extracted.txt\n");
  ui_.answers = {MsgAnswer::Yes};
  EXPECT_EQ(Play("CLONE"), LaunchOutcome::Ran);
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text << ui_.reports.size();
  EXPECT_EQ(emu_.Read("args.txt"), "clone|-rompath|$KSTEMP$;.;ROMS|-samplepath|$KSTEMP$|");
  EXPECT_EQ(emu_.Read("extracted.txt"), "parent\n");
  EXPECT_FALSE(Leftovers());
}

TEST_F(LaunchTest, TodaysMachineWhoseDeviceSetIsMissingIsRefusedWithThatSetNamed) {
  program_->database.Dialect = EmulatorDialect::kListxml;
  const auto crc = [](const std::string& bytes) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
  };
  GameEntry device;
  device.Name = "DEVX";
  device.Machine = kMachineDevice;
  device.Roms.push_back({"X.BIN", "", "", 0, 0, 2, crc("xx")});
  ASSERT_TRUE(program_->database.AddResource(device));
  GameEntry game;
  game.Name = "USESDEV";
  game.Description = "Uses a device";
  game.Roms.push_back({"U.BIN", "", "", 0, 0, 2, crc("uu")});
  game.Devices = {"DEVX"};
  ASSERT_TRUE(program_->database.AddGame(game));
  Zip("usesdev", {{"u.bin", "uu"}});
  program_->game_list.FillGameList();
  ui_.answers = {MsgAnswer::Yes};
  EXPECT_EQ(Play("USESDEV"), LaunchOutcome::Refused);
  ASSERT_EQ(ui_.reports.size(), 1u);
  std::vector<std::string> lines;
  for (const ReportLine& line : ui_.reports[0].Lines())
    lines.push_back(line.text);
  EXPECT_EQ(lines.back(), "x.bin        rom file is missing (from the set devx)");
  EXPECT_FALSE(std::filesystem::exists(emu_ / "args.txt")) << "the emulator was not started";
  EXPECT_FALSE(Leftovers());
}

TEST_F(LaunchTest, ABrokenSetIsNotRunAndLeavesNothingBehind) {
  emu_.Write("cfg/broken.cfg", "kept");
  ui_.answers = {MsgAnswer::No};
  EXPECT_EQ(Play("BROKEN"), LaunchOutcome::Refused);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text.rfind("This game does not meet the minimum requirements", 0), 0u);
  EXPECT_TRUE(ui_.reports.empty());
  EXPECT_FALSE(std::filesystem::exists(emu_ / "args.txt")) << "the emulator was not started";
  EXPECT_EQ(program_->stats.PlayCount("BROKEN"), 0u);
  EXPECT_EQ(emu_.Read("cfg/broken.cfg"), "kept");
  EXPECT_FALSE(Leftovers());
  const auto& lines = program_->launch.Report().Lines();
  EXPECT_EQ(lines.back().text, "GONE.BIN     rom file is missing");
}

// A set that is there but cannot be read explains the set test's missing files: its line comes
// first in the report.
TEST_F(LaunchTest, ASetThatCannotBeReadSaysSoBeforeItsMissingFiles) {
  const std::string fifo = emu_ / "ROMS/broken.zip";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  ui_.answers = {MsgAnswer::No};
  EXPECT_EQ(Play("BROKEN"), LaunchOutcome::Refused);
  ASSERT_EQ(ui_.messages.size(), 1u) << "the set test's question alone";
  const auto& lines = program_->launch.Report().Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2].text, "BROKEN       rom set: " + fifo + ": not a regular file");
  EXPECT_EQ(lines.back().text, "GONE.BIN     rom file is missing");
  EXPECT_FALSE(Leftovers());

  // A set directory that cannot be listed is no empty set.
  std::filesystem::remove(fifo);
  if (geteuid() == 0) GTEST_SKIP() << "root lists any directory";
  const std::string dir = emu_ / "ROMS/broken";
  std::filesystem::create_directory(dir);
  std::filesystem::permissions(dir, std::filesystem::perms::none);
  ui_.answers = {MsgAnswer::No};
  EXPECT_EQ(Play("BROKEN"), LaunchOutcome::Refused);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
  ASSERT_GE(program_->launch.Report().Lines().size(), 2u);
  EXPECT_EQ(program_->launch.Report().Lines().rbegin()[1].text,
            "BROKEN       rom set: " + dir + ": Permission denied");
}

TEST_F(LaunchTest, TheRecordingOptionsReachTheEmulator) {
  program_->game_list.SelectLine(program_->database.FindGamePosition("PARENT"));
  program_->recording.SelectRecord();
  program_->recording.SetFileName("");
  program_->settings.Values().AddExtraOptions = true;
  program_->settings.Values().ExtraOptions = "-soundcard 0";
  EXPECT_EQ(program_->launch.RunGameOPTClick(), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("args.txt"), "PARENT|-romdir|$KSTEMP$|-record|PARENT|-soundcard|0|");
  EXPECT_EQ(view_.file_name, "PARENT");
}

TEST_F(LaunchTest, SetsThatNameEachOtherAreEachTakenOnce) {
  // LOOPA borrows from LOOPB, which borrows from LOOPA again.
  EXPECT_EQ(Play("LOOPA"), LaunchOutcome::Ran);
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text;
  EXPECT_EQ(emu_.Read("ran.txt"), "L");
  EXPECT_FALSE(Leftovers());
}

TEST_F(LaunchTest, ACopyLeftByAnotherGamesRunNeverLandsOnThisGamesFile) {
  // Left by a run of another game that never came back, under the name copies once had.
  emu_.Write("cfg/$KSTEMP$.cfg", "another game's settings");
  EXPECT_EQ(Play("NOROMS"), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("cfg/noroms.cfg"), "the emulator wrote\n");
  EXPECT_EQ(emu_.Read("cfg/$KSTEMP$.cfg"), "another game's settings")
      << "left for the start-up check";

  // A copy of this game's own file, left the same way, returns to it when the run leaves the
  // file empty.
  test::WriteScript(emu_, "mame", ": > cfg/parent.cfg\n");
  emu_.Write("cfg/$KSTEMP$.PARENT.cfg", "the parent's settings");
  EXPECT_EQ(Play("PARENT"), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("cfg/parent.cfg"), "the parent's settings");
  EXPECT_FALSE(std::filesystem::exists(emu_ / "cfg/$KSTEMP$.PARENT.cfg"));
}

TEST_F(LaunchTest, WhatTheRunLeftEmptyOrMissingGetsTheUsersFileBack) {
  emu_.Write("hi/clone.hi", "the user's scores");
  emu_.Write("nvram/clone.nv", "the user's memory");
  test::WriteScript(emu_, "mame", "rm hi/clone.hi; : > nvram/clone.nv; rm cfg/clone.cfg\n");
  EXPECT_EQ(Play("CLONE"), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("hi/clone.hi"), "the user's scores");
  EXPECT_EQ(emu_.Read("nvram/clone.nv"), "the user's memory");
  EXPECT_EQ(emu_.Read("cfg/clone.cfg"), "the user's");
  EXPECT_FALSE(Leftovers());

  // A link where the copy goes is removed, not written through.
  const std::string outside = emu_.Write("outside.txt", "not a copy");
  std::filesystem::create_symlink(outside, emu_ / "cfg/$KSTEMP$.CLONE.cfg");
  test::WriteScript(emu_, "mame", "echo 'new' > cfg/clone.cfg\n");
  EXPECT_EQ(Play("CLONE"), LaunchOutcome::Ran);
  EXPECT_EQ(emu_.Read("outside.txt"), "not a copy");
  EXPECT_EQ(emu_.Read("cfg/clone.cfg"), "new\n");
  EXPECT_FALSE(Leftovers());
}

TEST_F(LaunchTest, AGameTheMemoryRefusesGetsNoFakeFiles) {
  // CLONE's own c.bin is missing; each of its ROMs fits in the memory, all of them do not.
  std::filesystem::remove(emu_ / "ROMS/clone.zip");
  program_->settings.Values().CreateFakeFiles = true;
  program_->launch.SetMemoryTotal([] { return std::uint64_t{5}; });
  bool faked = true;
  ui_.on_ask = [&](const test::RecordedMessage&) {
    faked = std::filesystem::exists(emu_ / "$KSTEMP$/c.bin") ||
            std::filesystem::exists(emu_ / "$KSTEMP$/C.BIN");
  };
  ui_.answers = {MsgAnswer::No};
  EXPECT_EQ(Play("CLONE"), LaunchOutcome::Refused);
  EXPECT_FALSE(faked) << "no fake file while the set test asks";
  const auto& lines = program_->launch.Report().Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2].text, "C.BIN        rom file is missing");
  EXPECT_EQ(lines.back().text,
            "Not enough physical memory for MAME to load roms (Total=0 MB; Needed=0 MB)");
}

TEST_F(LaunchTest, AFileWhoseDataFailsItsCrcIsThereWithTheCrcItHas) {
  program_->settings.Values().CheckCRCOnRun = true;
  // BROKEN's gone.bin stored as "gone", a byte of it then damaged in the archive.
  ASSERT_TRUE(test::WriteTestArchive(emu_ / "ROMS/broken.zip", {{"gone.bin", "gone"}}, "zip",
                                     "zip:compression=store"));
  std::string zip = emu_.Read("ROMS/broken.zip");
  const std::size_t data = zip.find("gone", zip.find("gone.bin") + 8);
  ASSERT_NE(data, std::string::npos);
  zip[data] = 'd';
  emu_.Write("ROMS/broken.zip", zip);
  ui_.answers = {MsgAnswer::No};
  EXPECT_EQ(Play("BROKEN"), LaunchOutcome::Refused);
  std::string crc = Crc("done"), wanted = Crc("gone");
  for (std::string* hex : {&crc, &wanted})
    for (char& c : *hex)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(program_->launch.Report().Lines().back().text,
            "GONE.BIN     has wrong CRC ($" + crc + " instead of $" + wanted + ")");
}

TEST_F(LaunchTest, ATemporaryDirectoryThatCannotBeDeletedIsSaid) {
  if (geteuid() != 0) GTEST_SKIP() << "needs chattr, which needs root";
  test::WriteScript(emu_, "mame",
                    "[ -z \"$1\" ] && echo v1 && exit 0\n"
                    "touch \"$3/lock\"; chattr +i \"$3/lock\"\n");
  EXPECT_EQ(Play("PARENT"), LaunchOutcome::Ran);
  test::RunCommand("chattr -i '" + (emu_ / "$KSTEMP$/lock") + "'");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "The temporary directory could not be deleted!\r"
            "This means one or more rom files of the game you ran could not be deleted.\r"
            "Please solve the problem and try again.");
}

}  // namespace
}  // namespace kw
