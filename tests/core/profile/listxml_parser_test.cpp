#include "core/profile/listxml_parser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/shared/game_database.h"
#include "platform/fs.h"
#include "support/parsed_list.h"
#include "support/todays_emulator.h"

namespace kw {
namespace {

using E = ListinfoError;

using test::Parsed;

Parsed Parse(std::string_view text) {
  return test::ParseWith(ParseListxmlText, text);
}

std::string List(const std::string& machines) {
  return "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n" + machines + "</mame>\n";
}

const std::string kSample = KW_TEST_DATA_DIR "/listxml/sample.xml";

// Eight real machines of the emulator's own list, with its DOCTYPE: two games of a clone
// family, a BIOS, a device with a ROM and one without, a game with a ROM that has no dump and
// a disk, one with a longer name and one without ROMs.
TEST(ListxmlParser, ReadsTheEmulatorsOwnMachinesIntoGamesAndResources) {
  GameDatabase db;
  auto log = ParseListxmlFile(kSample, db);
  ASSERT_TRUE(log) << log.Message();
  EXPECT_TRUE(log->empty());

  // The device without ROMs (z80) is not kept; the one with a ROM is a resource.
  ASSERT_EQ(db.GameCount(), 5u);
  ASSERT_EQ(db.ResourceCount(), 2u);
  std::vector<std::string> names;
  for (const GameRecord& r : db.Games())
    names.push_back(r.Name.Str() + ":" + std::to_string(r.Index));
  for (const GameRecord& r : db.Resources())
    names.push_back(r.Name.Str() + ":" + std::to_string(r.Index));
  EXPECT_EQ(names, (std::vector<std::string>{"PUCKMAN:1", "PACMAN:2", "99BOTTLES:3",
                                             "ALFASKOP4101:4", "PONG:5", "NEOGEO:1", "NAMCO51:2"}));

  GameEntry pacman = db.Entry(db.Game(1));
  EXPECT_EQ(pacman.Description, "Pac-Man (Midway)");
  EXPECT_EQ(pacman.Year, 1980);
  EXPECT_EQ(pacman.Manufacturer, "Namco (Midway license)");
  EXPECT_EQ(pacman.CloneOf, "PUCKMAN");
  EXPECT_EQ(pacman.RomOf, "PUCKMAN");
  EXPECT_EQ(pacman.SampleOf, "");
  ASSERT_EQ(pacman.Roms.size(), 10u);
  EXPECT_EQ(pacman.Roms[0], (RomEntry{"PACMAN.6E", "", "MAINCPU", 0, 0, 4096, 0xc1e6ab10,
                                      Sha1Bytes("e87e059c5be45753f7e9f33dff851f16d6751181")}));
  EXPECT_EQ(pacman.Roms[7], (RomEntry{"82S126.4A", "PM1-4.4A", "PROMS", 0, 0x20, 256, 0x3eb3a8e4,
                                      Sha1Bytes("19097b5f60d1030f8b82d9f1d3a241f93e5c75d6")}));
  EXPECT_EQ(pacman.Chips, (std::vector<ChipEntry>{{kChipCpu, 0, "Zilog Z80", "3072000"},
                                                  {kChipAudio, 0, "Speaker", ""},
                                                  {kChipAudio, 0, "Namco", "96000"}}));
  EXPECT_EQ(pacman.Raster, 1);
  EXPECT_EQ(pacman.Vertical, 1);
  EXPECT_EQ(pacman.Width, 288);
  EXPECT_EQ(pacman.Height, 224);
  EXPECT_EQ(pacman.Freq, "60.606061");
  EXPECT_EQ(pacman.Colors, 0);
  EXPECT_EQ(pacman.Channels, 1);
  EXPECT_EQ(pacman.Players, 2);
  EXPECT_EQ(pacman.Coins, 2);
  EXPECT_EQ(pacman.Control, kControlJoy4Way);
  EXPECT_EQ(pacman.Buttons, 0);
  EXPECT_EQ(pacman.Service, 0);
  EXPECT_EQ(pacman.Tilt, 0);
  EXPECT_EQ(pacman.DipSwitches, 5);  // the configuration switches are not dip switches
  EXPECT_EQ(pacman.DriverStatus, kDriverGood);
  EXPECT_EQ(pacman.DriverColor, kDriverGood);
  EXPECT_EQ(pacman.DriverSound, kDriverGood);

  // ROMs without a dump keep Crc 0 and are marked so; a bad dump keeps its CRC; the disk is
  // kept apart from the ROMs.
  GameEntry bottles = db.Entry(db.Game(2));
  ASSERT_EQ(bottles.Roms.size(), 3u);
  EXPECT_EQ(bottles.Roms[0].Name, "TRIDENT_TGUI9680_BIOS.BIN");
  EXPECT_EQ(bottles.Roms[0].Crc, 0x1eebde64u);
  EXPECT_EQ(bottles.Roms[2], (RomEntry{"V8000.BIN", "", "V8000", kDumpNone, 0, 131072, 0}));
  EXPECT_EQ(bottles.Control, kControlNone);  // a keyboard
  EXPECT_EQ(bottles.Buttons, 103);
  EXPECT_EQ(bottles.DriverStatus, kDriverPreliminary);
  EXPECT_EQ(bottles.DriverColor, kDriverGood);
  EXPECT_EQ(bottles.DriverSound, kDriverPreliminary);  // its sound is unemulated
  EXPECT_EQ(
      bottles.Disks,
      (std::vector<DiskEntry>{
          {"99bottles", "", Sha1Bytes("0b874178c8dd3cfc451deb53dc7936dc4ad5a04f"), kDumpBad}}));

  GameEntry pong = db.Entry(db.Game(4));
  EXPECT_TRUE(pong.Roms.empty());
  EXPECT_EQ(pong.Description, "Pong (Rev E) [TTL]");
  EXPECT_EQ(pong.Control, kControlPaddle);
  EXPECT_EQ(pong.Service, 1);
  EXPECT_EQ(pong.Coins, 1);
  EXPECT_EQ(pong.DipSwitches, 1);
  EXPECT_EQ(pong.Vertical, 0);

  GameEntry neogeo = db.Entry(db.Resource(0));
  EXPECT_EQ(neogeo.Description, "Neo-Geo MV-6F");
  EXPECT_EQ(neogeo.Roms.size(), 35u);
  EXPECT_EQ(neogeo.Roms[0], (RomEntry{"SP-S2.SP1", "", "MAINBIOS", 0, 0, 131072, 0x9036d879,
                                      Sha1Bytes("4f5ed7105b7128794654ce82b51723e16e389543")}));
  GameEntry namco51 = db.Entry(db.Resource(1));
  EXPECT_EQ(namco51.Roms,
            (std::vector<RomEntry>{{"51XX.BIN", "", "MCU", 0, 0, 1024, 0xc2f57ef8,
                                    Sha1Bytes("50de79e0d6a76bda95ffb02fcce369a79e6abfec")}}));
  EXPECT_EQ(namco51.DriverStatus, kDriverNone);  // a device has no driver element
  EXPECT_EQ(namco51.DriverColor, kDriverNone);
  EXPECT_EQ(namco51.Machine, kMachineDevice);
  EXPECT_EQ(neogeo.Machine, kMachineBios);
  EXPECT_EQ(pacman.Machine, 0);
  // Of the many devices the machines name, none but the one with ROMs is kept, and no machine
  // here uses it.
  for (const GameRecord& game : db.Games())
    EXPECT_TRUE(db.Devices(game).empty()) << game.Name.Str();
}

TEST(ListxmlParser, KeepsWhatTheAuditNeeds) {
  const Parsed parsed = Parse(List(R"(
  <machine name="digdug" ismechanical="no">
    <rom name="dd1.bin" size="4" crc="0a0b0c0d" sha1="86689980410B9429CD7582C7A76342721C87D030"/>
    <rom name="bad.bin" size="4" crc="01020304" status="baddump" optional="yes"/>
    <rom name="none.bin" size="4" status="nodump"/>
    <rom name="odd.bin" size="4" crc="01020305" sha1="not-a-hash"/>
    <disk name="dd" merge="ddp" sha1="81d833236e994528d1482979261401b198d1ca53" optional="yes"/>
    <device_ref name="z80"/>
    <device_ref name="namco51"/>
    <device_ref name="nothere"/>
    <device_ref name="namco51"/>
    <device_ref name="namco06"/>
  </machine>
  <machine name="slotmach" ismechanical="yes"><device_ref name="namco06"/></machine>
  <machine name="namco51" isdevice="yes" runnable="no"><rom name="51xx.bin" size="1024" crc="c2f57ef8"/></machine>
  <machine name="namco06" isdevice="yes" runnable="no"><device_ref name="z80"/></machine>
  <machine name="z80" isdevice="yes" runnable="no"/>
)"));
  ASSERT_TRUE(parsed.log.empty());
  const GameDatabase& got = parsed.db;
  ASSERT_EQ(got.GameCount(), 2u);
  const GameEntry digdug = got.Entry(got.Game(0));
  EXPECT_EQ(Sha1Hex(digdug.Roms[0].Sha1), "86689980410b9429cd7582c7a76342721c87d030");
  EXPECT_EQ(digdug.Roms[1].Flags, kDumpBad | kDumpOptional);
  EXPECT_EQ(digdug.Roms[2].Flags, kDumpNone);
  EXPECT_EQ(digdug.Roms[3].Sha1, "") << "a hash that is none is not kept";
  EXPECT_EQ(
      digdug.Disks,
      (std::vector<DiskEntry>{
          {"dd", "ddp", Sha1Bytes("81d833236e994528d1482979261401b198d1ca53"), kDumpOptional}}));
  // Only the device with ROMs, once; one the list does not hold needs nothing either.
  EXPECT_EQ(digdug.Devices, (std::vector<std::string>{"NAMCO51"}));
  EXPECT_EQ(digdug.Machine, 0);
  EXPECT_EQ(got.Game(1).Machine, kMachineMechanical);
  EXPECT_TRUE(got.Entry(got.Game(1)).Devices.empty());
}

TEST(ListxmlParser, ReplacesReferencesAndReadsEveryFormOfMarkup) {
  Parsed p = Parse(
      "<?xml version=\"1.0\"?>\n"
      "<!DOCTYPE mame [\n"
      "  <!ATTLIST mame odd CDATA \"]>\">\n"
      "  <!-- a ] and a > in a comment -->\n"
      "  <!ATTLIST mame other CDATA ']>'>\n"
      "]>\n"
      "<!-- before the root -->\n"
      "<mame>\n"
      "<machine name='r&amp;d' cloneof=\"a&quot;b\" >\n"
      "  <description>Tom &amp; Jerry &lt;&#65;&#x263A;&#x1F600;&gt;<!-- cut --> &apos;2&apos;"
      "<![CDATA[ <raw> & ]]></description>\n"
      "  <year>19?\?</year>\n"
      "  <rom name='say \"hi\".bin' size='99999999999' crc='ABCDEF01' offset='1f'/>\n"
      "  <chip type=\"cpu\" name=\"&#233;\" clock=\"1\"></chip>\n"
      "  <unknown><deeper x=\"1\">text</deeper></unknown>\n"
      "</machine>\n"
      "</mame>\n"
      "<?pi after the root?>\n");
  ASSERT_TRUE(p.log.empty()) << ListinfoLogLine(p.log[0]);
  ASSERT_EQ(p.db.GameCount(), 1u);
  GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Name, "R&D");
  EXPECT_EQ(g.CloneOf, "A\"B");
  EXPECT_EQ(g.Description, "Tom & Jerry <A\xE2\x98\xBA\xF0\x9F\x98\x80> '2' <raw> & ");
  EXPECT_EQ(g.Year, 0);  // not a number, as the listinfo parser reads it
  EXPECT_EQ(g.Roms,
            (std::vector<RomEntry>{{"SAY \"HI\".BIN", "", "", 0, 0x1f, 0xFFFFFFFF, 0xABCDEF01}}));
  EXPECT_EQ(g.Chips, (std::vector<ChipEntry>{{kChipCpu, 0, "\xC3\xA9", "1"}}));
}

// A list that is not well-formed is refused whole, even after machines that were read.
TEST(ListxmlParser, RefusesAStreamThatIsNotWellFormedAndKeepsNothingOfIt) {
  const std::string good = "<machine name=\"a\"><description>A</description></machine>\n";
  struct Case {
    std::string text;
    std::string where;
  };
  const std::vector<Case> cases = {
      {"<mame>\n" + good + "<machine name=\"b\">\n", "line 4, column 1"},  // cut
      {"<mame>\n" + good + "<machine name=\"b\">\n</mame>", "line 4, column 1"},
      {"<mame>\n" + good + "<machine name=\"b\"", "line 3, column 1"},  // cut in a tag
      {List(good + "<machine name=\"b\"><description>x</desc></machine>"), "line 4, column 33"},
      {List(good + "<machine name=\"b&c\"/>"), "line 4, column 17"},
      {List(good + "<machine name=\"b&#0;\"/>"), "line 4, column 17"},
      {List(good + "<machine name=\"<\"/>"), "line 4, column 16"},
      {List(good + "<machine name=b/>"), "line 4, column 15"},
      {List(good) + "x", "line 5, column 1"},
      {List(good) + "<mame/>", "line 5, column 1"},
      {"", "line 1, column 1"},
      {"<!-- only a comment -->", "line 1, column 24"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Parsed p = Parse(c.text);
    EXPECT_EQ(p.db.GameCount(), 0u);
    EXPECT_EQ(p.db.ResourceCount(), 0u);
    ASSERT_EQ(p.log.size(), 1u);
    EXPECT_EQ(p.log[0].kind, E::kMalformedXml);
    EXPECT_EQ(p.log[0].text, c.where);
    EXPECT_FALSE(p.log[0].found.empty());
    EXPECT_TRUE(LogRefusesProfile(p.log));
  }
  // The whole sample, cut anywhere inside its root, is refused the same way.
  Result<std::string> read = platform::fs::ReadFile(kSample);
  ASSERT_TRUE(read) << read.Message();
  const std::string& sample = *read;
  const std::size_t root = sample.find("<mame ");
  for (std::size_t cut = root + 1; cut < sample.size() - 8; cut += 997) {
    Parsed p = Parse(std::string_view(sample).substr(0, cut));
    EXPECT_EQ(p.db.GameCount() + p.db.ResourceCount(), 0u) << cut;
    ASSERT_EQ(p.log.size(), 1u) << cut;
    EXPECT_EQ(p.log[0].kind, E::kMalformedXml) << cut;
  }
  Parsed mismatched = Parse(List("<machine name=\"a\"></game>"));
  EXPECT_EQ(ListinfoLogLine(mismatched.log[0]),
            "Malformed XML at line 3, column 19: </game> closes <machine>. The list was not "
            "read, and no game of it was kept.");
}

TEST(ListxmlParser, RefusesXmlOfAnotherShape) {
  Parsed p = Parse("<?xml version=\"1.0\"?>\n<datafile><game name=\"pacman\"/></datafile>");
  EXPECT_EQ(p.db.GameCount(), 0u);
  EXPECT_EQ(p.log, (std::vector<ListinfoLogEntry>{{E::kNotAMachineList, "datafile", ""}}));
  // Elements of the list that are not machines are skipped.
  Parsed other = Parse(List("<game name=\"old\"/><machine name=\"new\"/>"));
  EXPECT_TRUE(other.log.empty());
  ASSERT_EQ(other.db.GameCount(), 1u);
  EXPECT_EQ(other.db.Game(0).Name, "NEW");
}

TEST(ListxmlParser, KeepsNamesWholeAndDropsAMachineWhoseNameIsTooLong) {
  // Names are upper-cased as the era's list gives them.
  const std::string n9 = "NINECHARS";
  const std::string n32 = "MSX_SLOT_DISK1_WD2793_N_2_DRIVES";
  const std::string n33 = n32 + "X";
  const std::string rom(200, 'R');
  Parsed p = Parse(List("<machine name=\"" + n9 + "\"/>\n<machine name=\"" + n33 + "\">" +
                        "<rom name=\"a\" size=\"1\"/></machine>\n<machine name=\"" + n32 +
                        "\" cloneof=\"" + n9 + "\"><rom name=\"" + rom + "\" merge=\"" + rom +
                        "\" size=\"1\"/></machine>\n<machine name=\"\"/>\n"));
  ASSERT_EQ(p.db.GameCount(), 2u);
  EXPECT_EQ(p.db.Game(0).Name, n9);
  EXPECT_EQ(p.db.Game(1).Name, n32);
  EXPECT_EQ(p.db.Game(1).Index, 2);  // the dropped machine takes no number
  EXPECT_EQ(p.db.Game(1).CloneOf, n9);
  EXPECT_EQ(p.db.Entry(p.db.Game(1)).Roms, (std::vector<RomEntry>{{rom, rom, "", 0, 0, 1, 0}}));
  EXPECT_EQ(p.log, (std::vector<ListinfoLogEntry>{{E::kValueNotAllowed, "MACHINE\\NAME=" + n33, ""},
                                                  {E::kValueNotAllowed, "MACHINE\\NAME=", ""}}));
  EXPECT_FALSE(LogRefusesProfile(p.log));
}

TEST(ListxmlParser, ProfileHoldsAtMost65535GamesAndSaysSoWhenMoreAreRead) {
  std::string machines;
  for (int i = 0; i < 65537; ++i)
    machines += "<machine name=\"g\"/>\n";
  machines += "<machine name=\"r\" isbios=\"yes\"/>\n";
  Parsed p = Parse(List(machines));
  EXPECT_EQ(p.db.GameCount(), kMaxRecords);
  EXPECT_EQ(p.db.Game(kMaxRecords - 1).Index, 65535);
  EXPECT_EQ(p.db.ResourceCount(), 1u);
  EXPECT_EQ(p.log, (std::vector<ListinfoLogEntry>{{E::kTooManyRecords, "GAME", ""}}));
}

// The emulator's whole list: KW_LISTXML, else the installed emulator's own (kept between runs).
TEST(ListxmlParser, ReadsTheEmulatorsWholeList) {
  std::string path;
  if (const char* env = std::getenv("KW_LISTXML")) {
    path = env;
  } else if (std::filesystem::exists(test::kTodaysEmulator)) {
    path = test::TodaysListxml();
    ASSERT_FALSE(path.empty()) << test::kTodaysEmulator << " -listxml failed";
  } else {
    GTEST_SKIP() << "neither KW_LISTXML nor " << test::kTodaysEmulator;
  }
  std::error_code error;
  ASSERT_TRUE(std::filesystem::is_regular_file(path, error)) << "no list at " << path;
  GameDatabase db;
  auto log = ParseListxmlFile(path, db);
  ASSERT_TRUE(log) << log.Message();
  EXPECT_TRUE(log->empty());
  // 0.251: 45,294 machines, of which 39,372 games, 74 BIOS sets and 984 devices with ROMs.
  EXPECT_GT(db.GameCount(), 30000u);
  EXPECT_LT(db.GameCount() + db.ResourceCount(), 65535u);
  EXPECT_GT(db.ResourceCount(), 500u);
  const GameRecord* pacman = db.FindSet("PACMAN", false);
  ASSERT_NE(pacman, nullptr);
  EXPECT_EQ(pacman->CloneOf, "PUCKMAN");
  EXPECT_GT(pacman->RomRange.Count, 8u);
  const GameRecord* neogeo = db.FindSet("NEOGEO", true);
  ASSERT_NE(neogeo, nullptr);
  EXPECT_EQ(db.FindSet("NEOGEO", false), nullptr);
}

}  // namespace
}  // namespace kw
