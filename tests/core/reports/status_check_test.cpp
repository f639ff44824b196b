#include "core/reports/status_check.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "core/audit/set_status_controller.h"
#include "core/profile/listinfo_parser.h"
#include "core/shared/app_names.h"
#include "core/shared/crc32.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "demo/zip_writer.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw {
namespace {

std::string Rom(const std::string& name, const std::string& data) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", ~CRC32Update(0xFFFFFFFFu, data.data(), data.size()));
  return "\trom ( name " + name + " size " + std::to_string(data.size()) + " crc " + hex + " )\n";
}

// A profile of three games over a ROM folder of real archives, the program directory beside.
struct World {
  test::TempDir dir;
  GameDatabase db;
  AppNames names = AppNames::Compute(dir.Path(), dir.Path());
  FrontEndSettings settings;
  EmulatorConfigController config{db, names.TempDirName};
  SetStatusController status{db, names};
  std::atomic<int> ended{0};  // before the check, whose thread may still count at its end
  StatusCheck check{settings, db, names, config, status};

  World() {
    EXPECT_TRUE(ParseListinfoText("game (\n name good\n" + Rom("g.1", "good") +
                                      ")\ngame (\n name bad\n" + Rom("b.1", "badb") +
                                      ")\ngame (\n name absent\n" + Rom("a.1", "absn") + ")\n",
                                  db)
                    .empty());
    db.EmulatorDir = dir.Path();
    db.ProfilePath = dir / "WORLD.KSL";
    db.ProfileLoaded = true;
    Zip("good", {{"g.1", "good"}});
    Zip("bad", {{"b.1", "BADB"}});
    config.Config().directory.rompath = dir / "roms";
    status.ProfileOpened();
    check.SetEndHook([this] { ++ended; });
  }
  void Zip(const std::string& set, std::vector<demo::ZipMember> files) {
    Result<std::string> zip = demo::ZipArchive(files);
    ASSERT_TRUE(zip.Ok());
    dir.Write("roms/" + set + ".zip", *zip);
  }
  // Opens the profile as the program does and waits for the check's end, as the window does.
  bool OpenAndCollect() {
    const int before = ended;
    check.ProfileOpened();
    EXPECT_TRUE(check.Running());
    EXPECT_TRUE(test::WaitUntil([&] { return ended > before; }));
    return check.Collect();
  }
  AuditVerdict Verdict(const char* name) {
    const SetStatus* kept = status.Find(name);
    return kept ? kept->verdict : AuditVerdict::kNoneNeeded;
  }
};

TEST(StatusCheck, AtOpeningItKeepsEverySetsVerdictAndWritesNoReport) {
  World w;
  EXPECT_EQ(w.Verdict("good"), AuditVerdict::kNoneNeeded) << "never judged: unknown";
  ASSERT_TRUE(w.OpenAndCollect());
  EXPECT_FALSE(w.check.Running());
  EXPECT_EQ(w.Verdict("good"), AuditVerdict::kGood);
  EXPECT_EQ(w.Verdict("bad"), AuditVerdict::kBad);
  EXPECT_EQ(w.Verdict("absent"), AuditVerdict::kNotFound);
  EXPECT_FALSE(std::filesystem::exists(w.dir / "REPORT.TXT"));
  EXPECT_TRUE(std::filesystem::exists(w.dir / "QUICKCRC.DAT"));
  EXPECT_FALSE(std::filesystem::exists(w.dir / "$KSTEMP$"));

  // Kept in the program directory: a new start reads them back.
  SetStatusController reopened(w.db, w.names);
  reopened.ProfileOpened();
  ASSERT_NE(reopened.Find("BAD"), nullptr);
  EXPECT_EQ(reopened.Find("BAD")->verdict, AuditVerdict::kBad);

  // The set mended and the profile opened again: the changed archive is judged anew.
  w.Zip("bad", {{"b.1", "badb"}});
  ASSERT_TRUE(w.OpenAndCollect());
  EXPECT_EQ(w.Verdict("bad"), AuditVerdict::kGood);
}

TEST(StatusCheck, SwitchedOffOrCancelledItKeepsNothing) {
  World w;
  w.settings.StatusCheckAtOpen = false;
  w.check.ProfileOpened();
  EXPECT_FALSE(w.check.Running());

  // A verification the user starts cancels it first: nothing of it is kept, and the end it
  // posted finds nothing to collect.
  w.settings.StatusCheckAtOpen = true;
  w.check.ProfileOpened();
  w.check.Cancel();
  EXPECT_FALSE(w.check.Running());
  EXPECT_FALSE(w.check.Collect());
  EXPECT_EQ(w.Verdict("good"), AuditVerdict::kNoneNeeded);

  // Closing the profile cancels it too.
  w.check.ProfileOpened();
  w.check.ProfileStateChanged(false);
  EXPECT_FALSE(w.check.Running());
}

TEST(StatusCheck, WithoutAnEndHookNoCheckStarts) {
  World w;
  w.check.SetEndHook(nullptr);
  w.check.ProfileOpened();
  EXPECT_FALSE(w.check.Running());
}

}  // namespace
}  // namespace kw
