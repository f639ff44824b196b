// The audit of today's collections on a small world made here: each verdict the emulator gives,
// in the layouts collectors keep (split sets, a merged parent, devices and a BIOS on their own).
#include "core/audit/machine_audit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "common/ascii.h"
#include "core/shared/crc32.h"
#include "core/shared/game_database.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw {
namespace {

std::uint32_t Crc(const std::string& data) {
  return ~CRC32Update(0xFFFFFFFFu, data.data(), data.size());
}

// A ROM of the profile for `data`, under `name`.
RomEntry Rom(const std::string& name, const std::string& data, std::uint8_t flags = 0,
             const std::string& merge = "") {
  return {name, merge, "", flags, 0, static_cast<std::uint32_t>(data.size()), Crc(data)};
}

GameEntry Machine(const std::string& name, std::vector<RomEntry> roms,
                  const std::string& rom_of = "", std::uint8_t kind = 0) {
  GameEntry e;
  e.Name = name;
  e.RomOf = rom_of;
  e.CloneOf = kind == 0 ? rom_of : "";
  e.Machine = kind;
  e.Roms = std::move(roms);
  return e;
}

// A CHD header of version 5 giving `sha1`.
std::string ChdHeader(const std::string& sha1) {
  std::string header(124, '\0');
  header.replace(0, 8, "MComprHD");
  header[11] = 124;
  header[15] = 5;
  header.replace(84, 20, sha1);
  return header;
}

class MachineAuditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.Dialect = EmulatorDialect::kListxml;
    const std::string a = "parent a", b = "parent b", c = "clone c", x = "device x";
    // A parent and its clone in split sets; a clone the collector does not have.
    Game(Machine("PAR", {Rom("A.BIN", a), Rom("B.BIN", b)}));
    Zip("par", {{"a.bin", a}, {"b.bin", b}});
    Game(Machine("CLO", {Rom("A.BIN", a, 0, "A.BIN"), Rom("C.BIN", c)}, "PAR"));
    Zip("clo", {{"c.bin", c}});
    Game(Machine("ABSENT", {Rom("A.BIN", a, 0, "A.BIN"), Rom("D.BIN", "absent d")}, "PAR"));
    // A device with ROMs in its own set; one whose set is missing.
    db_.AddResource(Machine("DEV", {Rom("X.BIN", x)}, "", kMachineDevice));
    Zip("dev", {{"x.bin", x}});
    db_.AddResource(Machine("GONE", {Rom("Y.BIN", "gone y")}, "", kMachineDevice));
    GameEntry uses = Machine("USES", {Rom("U.BIN", "uses u")});
    uses.Devices = {"DEV"};
    Game(uses);
    Zip("uses", {{"u.bin", "uses u"}});
    GameEntry lacks = Machine("LACKS", {Rom("V.BIN", "lacks v")});
    lacks.Devices = {"GONE"};
    Game(lacks);
    Zip("lacks", {{"v.bin", "lacks v"}});
    // A BIOS, a machine made only of its ROMs, and one whose BIOS is missing.
    db_.AddResource(Machine("BIO", {Rom("Z.BIN", "bios z")}, "", kMachineBios));
    Zip("bio", {{"z.bin", "bios z"}});
    Game(Machine("ONLYBIOS", {Rom("Z.BIN", "bios z", 0, "Z.BIN")}, "BIO"));
    db_.AddResource(Machine("BIO2", {Rom("W.BIN", "bios w")}, "", kMachineBios));
    Game(Machine("NOBIOS", {Rom("W.BIN", "bios w", 0, "W.BIN"), Rom("N.BIN", "own n")}, "BIO2"));
    Zip("nobios", {{"n.bin", "own n"}});
    // Files under another name, of a wrong CRC or size; dumps known bad, and of no dump.
    Game(Machine("RENAMED", {Rom("R.BIN", "renamed r")}));
    Zip("renamed", {{"other.bin", "renamed r"}});
    Game(Machine("WRONG", {Rom("S.BIN", "wrong s"), Rom("T.BIN", "wrong t")}));
    Zip("wrong", {{"s.bin", "wrong S"}, {"t.bin", "wrong t, longer"}});
    Game(Machine("REDUMP", {Rom("Q.BIN", "redump q", kDumpBad), Rom("P.BIN", "p", kDumpNone),
                            Rom("O.BIN", "optional o", kDumpOptional)}));
    Zip("redump", {{"q.bin", "redump q"}});
    // A merged parent holding its clone's own file of the parent's name as CLONE/NAME.
    Game(Machine("MPAR", {Rom("M.BIN", "merged parent m")}));
    Game(Machine("MCLO", {Rom("M.BIN", "merged clone m")}, "MPAR"));
    Zip("mpar", {{"m.bin", "merged parent m"}, {"mclo/m.bin", "merged clone m"}});
    // Disks: present, missing, and a file that is no disk image.
    const std::string sha1(20, '\x5a');
    for (const char* name : {"CHD", "NOCHD", "BADCHD"}) {
      GameEntry g = Machine(name, {Rom("K.BIN", std::string("k of ") + name)});
      g.Disks.push_back({"hd", "", sha1, 0});
      Game(g);
      Zip(AsciiLowerCase(name), {{"k.bin", std::string("k of ") + name}});
    }
    dir_.Write("roms/chd/hd.chd", ChdHeader(sha1));
    dir_.Write("roms/badchd/hd.chd", std::string("MComprHD\0\0\0\x7c\0\0\0\x05", 16));
    // A stored member whose data is damaged behind the right CRC in the header.
    Game(Machine("DAMAGED", {Rom("E.BIN", "damaged e, stored")}));
    Zip("damaged", {{"e.bin", "damaged e, stored"}}, "zip:compression=store");
    std::fstream damaged(dir_ / "roms/damaged.zip",
                         std::ios::in | std::ios::out | std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(damaged)), {});
    damaged.seekp(static_cast<std::streamoff>(bytes.find("damaged e")));
    damaged << "DAMAGED";
  }

  void Game(const GameEntry& entry) { ASSERT_TRUE(db_.AddGame(entry)); }
  void Zip(const std::string& set, const std::vector<test::ArchiveItem>& items,
           const std::string& options = "") {
    std::filesystem::create_directories(dir_ / "roms");
    ASSERT_TRUE(test::WriteTestArchive(dir_ / ("roms/" + set + ".zip"), items, "zip", options));
  }
  std::map<std::string, std::string> Verdicts(bool exact) {
    Collection collection({dir_ / "roms/"}, exact);
    std::map<std::string, std::string> verdicts;
    for (const JudgedMachine& m : AuditProfile(db_, collection))
      verdicts[m.name] = AuditWord(m.audit.verdict);
    return verdicts;
  }

  test::TempDir dir_;
  GameDatabase db_;
};

TEST_F(MachineAuditTest, EachMachineGetsTheEmulatorsVerdict) {
  const std::map<std::string, std::string> expected = {
      {"par", "good"},      {"clo", "good"},      {"absent", "notfound"}, {"dev", "good"},
      {"gone", "notfound"}, {"uses", "good"},     {"lacks", "bad"},       {"bio", "good"},
      {"onlybios", "good"}, {"bio2", "notfound"}, {"nobios", "bad"},      {"renamed", "good"},
      {"wrong", "bad"},     {"redump", "best"},   {"mpar", "good"},       {"mclo", "good"},
      {"chd", "good"},      {"nochd", "bad"},     {"badchd", "bad"},      {"damaged", "good"}};
  EXPECT_EQ(Verdicts(false), expected);
  // Decoding every file finds the damage the archive's header hides.
  std::map<std::string, std::string> exact = expected;
  exact["damaged"] = "bad";
  EXPECT_EQ(Verdicts(true), exact);
}

TEST_F(MachineAuditTest, ProblemsNameTheFileAndTheSetItMustComeFrom) {
  Collection collection({dir_ / "roms/"}, false);
  MachineAuditor auditor(db_, collection);
  auto problems = [&](const char* name) {
    std::vector<std::string> lines;
    const MachineAudit audit = auditor.Audit(*db_.FindSet(name, true));
    for (const AuditProblem& p : audit.problems)
      lines.push_back(p.file + " " + p.what + (p.from.empty() ? "" : " (" + p.from + ")"));
    for (const std::string& u : audit.unreadable)
      lines.push_back("unreadable " + u.substr(u.rfind('/') + 1));
    return lines;
  };
  EXPECT_EQ(problems("LACKS"), (std::vector<std::string>{"y.bin NOT FOUND (gone)"}));
  EXPECT_EQ(problems("NOBIOS"), (std::vector<std::string>{"w.bin NOT FOUND (bio2)"}));
  EXPECT_EQ(problems("WRONG"), (std::vector<std::string>{"s.bin INCORRECT CHECKSUM",
                                                         "t.bin INCORRECT LENGTH: 15 bytes"}));
  EXPECT_EQ(problems("REDUMP"),
            (std::vector<std::string>{"q.bin NEEDS REDUMP", "p.bin NOT FOUND - NO GOOD DUMP KNOWN",
                                      "o.bin NOT FOUND BUT OPTIONAL"}));
  EXPECT_EQ(problems("NOCHD"), (std::vector<std::string>{"hd NOT FOUND"}));
  EXPECT_EQ(problems("BADCHD"), (std::vector<std::string>{"hd NOT FOUND",
                                                          "unreadable hd.chd: its CHD header is "
                                                          "cut short"}));
}

TEST(MachineAudit, ChainsThatLoopOrNameNothingEnd) {
  test::TempDir dir;
  GameDatabase db;
  db.Dialect = EmulatorDialect::kListxml;
  ASSERT_TRUE(db.AddGame(Machine("LOOPA", {Rom("A.BIN", "a")}, "LOOPB")));
  ASSERT_TRUE(db.AddGame(Machine("LOOPB", {Rom("B.BIN", "b")}, "LOOPA")));
  ASSERT_TRUE(db.AddGame(Machine("SELF", {Rom("S.BIN", "s")}, "SELF")));
  ASSERT_TRUE(db.AddGame(Machine("ORPHAN", {Rom("O.BIN", "o")}, "NOWHERE")));
  ASSERT_TRUE(test::WriteTestArchive(dir / "loopa.zip", {{"a.bin", "a"}}));
  Collection collection({dir.Path()}, false);
  std::map<std::string, std::string> verdicts;
  for (const JudgedMachine& m : AuditProfile(db, collection))
    verdicts[m.name] = AuditWord(m.audit.verdict);
  EXPECT_EQ(
      verdicts,
      (std::map<std::string, std::string>{
          {"loopa", "good"}, {"loopb", "notfound"}, {"orphan", "notfound"}, {"self", "notfound"}}));
  EXPECT_EQ(ChdHeaderSha1(ChdHeader(std::string(20, 'x'))).Ok(), true);
  std::string v6 = ChdHeader(std::string(20, 'x'));
  v6[15] = 6;
  EXPECT_EQ(ChdHeaderSha1(v6).Message(), "a CHD of version 6, which the emulator does not read");
  EXPECT_FALSE(ChdHeaderSha1(std::string(200, '\0')).Ok());
}

}  // namespace
}  // namespace kw
