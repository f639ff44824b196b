#include "core/audit/set_status.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/audit/set_status_controller.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(SetStatus, KeptVerdictsAreReadBackAndLinesThatAreNoVerdictAreSkipped) {
  test::TempDir dir;
  SetStatusBook book;
  book.Record("Galaga", AuditVerdict::kGood, 1765280000);
  book.Record("digdug", AuditVerdict::kBad, 1765280001);
  book.Record("pong", AuditVerdict::kBest, 1);
  book.Record("kinst", AuditVerdict::kNotFound, 2);
  book.Record("pong", AuditVerdict::kNoneNeeded, 3);  // forgotten
  ASSERT_TRUE(book.Save(dir / "A.STS"));
  const std::string text = dir.Read("A.STS");
  EXPECT_EQ(text.substr(text.find('\n') + 1),
            "digdug bad 1765280001\ngalaga good 1765280000\nkinst notfound 2\n");

  dir.Write("A.STS", text + "\r\n; a remark\nbroken\nmappy good\nmappy good x\nmappy wrong 5\n" +
                         "mappy good 5 more\n" + std::string(65, 'n') +
                         " good 5\nxevious best 7\r\n");
  SetStatusBook read;
  ASSERT_TRUE(read.Load(dir / "A.STS"));
  EXPECT_EQ(read.Size(), 4u);
  EXPECT_EQ(read.SkippedLines(), 6u);
  ASSERT_NE(read.Find("GALAGA"), nullptr);
  EXPECT_EQ(read.Find("GALAGA")->verdict, AuditVerdict::kGood);
  EXPECT_EQ(read.Find("galaga")->checked, 1765280000);
  EXPECT_EQ(read.Find("xevious")->verdict, AuditVerdict::kBest);
  EXPECT_EQ(read.Find("mappy"), nullptr);

  // No file yet: an empty book. A directory in its place: a failure, and an empty book.
  EXPECT_TRUE(read.Load(dir / "NONE.STS"));
  EXPECT_EQ(read.Size(), 0u);
  ::mkdir((dir / "DIR.STS").c_str(), 0755);
  EXPECT_FALSE(read.Load(dir / "DIR.STS"));
  EXPECT_FALSE(book.Save(dir / "DIR.STS"));
  EXPECT_EQ(read.Size(), 0u);
}

TEST(SetStatus, EachProfileKeepsItsOwnFileAndTheTextSaysTheVerdict) {
  const std::string a = SetStatusPath("/p/", "/home/u/today.ksl");
  EXPECT_TRUE(a.starts_with("/p/TODAY-")) << a;
  EXPECT_TRUE(a.ends_with(".STS")) << a;
  EXPECT_NE(a, SetStatusPath("/p/", "/home/v/today.ksl"));
  EXPECT_EQ(a, SetStatusPath("/p/", "/HOME/U/TODAY.KSL")) << "the settings keep the path upper";

  EXPECT_EQ(SetStatusText(nullptr), "Unknown");
  const SetStatus bad{AuditVerdict::kBad, 0};
  EXPECT_TRUE(SetStatusText(&bad).starts_with("Bad (checked ")) << SetStatusText(&bad);
  const SetStatus best{AuditVerdict::kBest, 0};
  EXPECT_TRUE(SetStatusText(&best).starts_with("Best available (checked "));
}

// A check of the whole profile replaces what was kept; a check of some sets adds to it.
TEST(SetStatus, ACheckOfSomeSetsKeepsTheOthers) {
  test::TempDir dir;
  GameDatabase db;
  db.ProfilePath = dir / "TODAY.KSL";
  const AppNames names = AppNames::Compute(dir.Path(), dir.Path());
  SetStatusController status(db, names);
  status.ProfileOpened();
  ASSERT_TRUE(status.Keep({{"galaga", AuditVerdict::kBad}, {"digdug", AuditVerdict::kGood}}, true));
  ASSERT_TRUE(status.Keep({{"galaga", AuditVerdict::kGood}}, false));

  SetStatusController reopened(db, names);
  reopened.ProfileOpened();
  EXPECT_EQ(reopened.LoadProblem(), "");
  ASSERT_NE(reopened.Find("DIGDUG"), nullptr);
  EXPECT_EQ(reopened.Find("galaga")->verdict, AuditVerdict::kGood);
  ASSERT_TRUE(reopened.Keep({{"mappy", AuditVerdict::kNotFound}}, true));
  EXPECT_EQ(reopened.Find("galaga"), nullptr);
  EXPECT_EQ(reopened.Find("mappy")->verdict, AuditVerdict::kNotFound);

  dir.Write(SetStatusPath(dir.Path(), db.ProfilePath).substr(dir.Path().size()), "nonsense\n");
  reopened.ProfileOpened();
  EXPECT_NE(reopened.LoadProblem().find("1 lines that are no set status"), std::string::npos);
}

}  // namespace
}  // namespace kw
