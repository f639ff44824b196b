#include "core/profile/listinfo_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/shared/game_database.h"
#include "core/shared/report_document.h"
#include "support/parsed_list.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using E = ListinfoError;

using test::Parsed;

Parsed Parse(std::string_view text) {
  return test::ParseWith(ParseListinfoText, text);
}

std::string Game(const std::string& body) {
  return "game (\n" + body + "\n)\n";
}

TEST(ListinfoParser, EmptyInputGivesAnEmptyDatabaseAndNoErrors) {
  Parsed p = Parse("");
  EXPECT_EQ(p.db.GameCount(), 0u);
  EXPECT_EQ(p.db.ResourceCount(), 0u);
  EXPECT_TRUE(p.log.empty());
  EXPECT_TRUE(Parse(" \n\r\n").log.empty());
}

TEST(ListinfoParser, FillsEveryFieldOfAGame) {
  Parsed p = Parse(Game(R"x(
	name pacmanjp
	description "PuckMan (Japan set 2)"
	year 1980
	manufacturer "Namco"
	cloneof pacman
	romof pacman
	history "text\nmore"
	rom ( name pacman.6e merge pm.6e size 4096 crc c1e6ab10 region cpu1 flags dispose offs 1000 )
	rom ( name chg2 size 2048 crc 3591B89D region gfx1 flags soundonly offs 800 )
	chip ( type cpu flags audio name Z80 clock 3072000 )
	chip ( type audio name Namco )
	video ( screen vector orientation vertical x 224 y 288 colors 16 freq 60.000000 )
	sound ( channels 2 )
	input ( players 2 control trackball buttons 3 coins 4 tilt yes service yes )
	dipswitch ( name "Lives" entry "1" entry "2" default "2" )
	dipswitch ( name "Cabinet" )
	driver ( status imperfect color preliminary sound good colordeep 16 )
	sampleof rallyx
	sample bang.wav
	sample "Bang.wav")x"));
  ASSERT_TRUE(p.log.empty()) << ListinfoLogLine(p.log[0]);
  ASSERT_EQ(p.db.GameCount(), 1u);
  const GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Index, 1);
  EXPECT_EQ(g.Name, "PACMANJP");
  EXPECT_EQ(g.Description, "PuckMan (Japan set 2)");
  EXPECT_EQ(g.Year, 1980);
  EXPECT_EQ(g.Manufacturer, "Namco");
  EXPECT_EQ(g.CloneOf, "PACMAN");
  EXPECT_EQ(g.RomOf, "PACMAN");
  EXPECT_EQ(g.SampleOf, "RALLYX");
  EXPECT_EQ(g.Samples, (std::vector<std::string>{"BANG.WAV", "Bang.wav"}));
  ASSERT_EQ(g.Roms.size(), 2u);
  EXPECT_EQ(g.Roms[0], (RomEntry{"PACMAN.6E", "PM.6E", "CPU1", 1, 0x1000, 4096, 0xC1E6AB10}));
  EXPECT_EQ(g.Roms[1], (RomEntry{"CHG2", "", "GFX1", 2, 0x800, 2048, 0x3591B89D}));
  ASSERT_EQ(g.Chips.size(), 2u);
  EXPECT_EQ(g.Chips[0], (ChipEntry{1, 1, "Z80", "3072000"}));
  EXPECT_EQ(g.Chips[1], (ChipEntry{2, 0, "NAMCO", ""}));
  EXPECT_EQ(g.Raster, 0);
  EXPECT_EQ(g.Vertical, 1);
  EXPECT_EQ(g.Width, 224);
  EXPECT_EQ(g.Height, 288);
  EXPECT_EQ(g.Colors, 16);
  EXPECT_EQ(g.Freq, "60.000000");
  EXPECT_EQ(g.Channels, 2);
  EXPECT_EQ(g.Players, 2);
  EXPECT_EQ(g.Control, kControlTrackball);
  EXPECT_EQ(g.Buttons, 3);
  EXPECT_EQ(g.Coins, 4);
  EXPECT_EQ(g.Tilt, 1);
  EXPECT_EQ(g.Service, 1);
  EXPECT_EQ(g.DipSwitches, 2);
  EXPECT_EQ(g.DriverStatus, kDriverImperfect);
  EXPECT_EQ(g.DriverColor, kDriverPreliminary);
  EXPECT_EQ(g.DriverSound, kDriverGood);
  EXPECT_EQ(g.ColorDeep, 1);
}

TEST(ListinfoParser, KeywordValuesMapToTheirCodes) {
  const char* controls[] = {"joy4way", "joy8way", "doublejoy4way", "doublejoy8way",
                            "dial",    "stick",   "paddle",        "trackball"};
  std::string text;
  for (const char* c : controls)
    text += Game(std::string("input ( control ") + c + " )");
  text += Game("video ( screen raster orientation horizontal ) input ( tilt no service no )");
  Parsed p = Parse(text);
  ASSERT_TRUE(p.log.empty());
  for (std::size_t i = 0; i < 8; ++i)
    EXPECT_EQ(p.db.Game(i).Control, i + 1) << controls[i];
  const GameEntry last = p.db.Entry(p.db.Game(8));
  EXPECT_EQ(last.Raster, 1);
  EXPECT_EQ(last.Vertical, 0);
  EXPECT_EQ(last.Tilt, 0);
  EXPECT_EQ(last.Service, 0);
}

TEST(ListinfoParser, TagsAndKeywordsInAnyCaseButQuotedWordsAsWritten) {
  Parsed p = Parse("GaMe ( NaMe galaxian ) game ( name \"galaxian\" driver ( status GOOD ) )");
  ASSERT_TRUE(p.log.empty());
  EXPECT_EQ(p.db.Game(0).Name, "GALAXIAN");
  EXPECT_EQ(p.db.Game(1).Name, "galaxian");
  EXPECT_EQ(p.db.Game(1).DriverStatus, kDriverGood);
  // A quoted keyword is compared as written: lower case is not allowed.
  Parsed q = Parse(Game("rom ( flags \"dispose\" )"));
  ASSERT_EQ(q.log.size(), 1u);
  EXPECT_EQ(q.log[0], (ListinfoLogEntry{E::kValueNotAllowed, "GAME\\ROM\\FLAGS=dispose", ""}));
}

TEST(ListinfoParser, TextsAreCutToTheirFieldWidths) {
  std::string long_text(300, 'd');
  Parsed p = Parse(Game("name abcdefghijk cloneof 123456789 description \"" + long_text +
                        "\" rom ( name abcdefghijklmnop region 1234567890123 ) sample \"" +
                        long_text + "\""));
  const GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Name, "ABCDEFGH");
  EXPECT_EQ(g.CloneOf, "12345678");
  EXPECT_EQ(g.Description.size(), 255u);
  EXPECT_EQ(g.Roms[0].Name, "ABCDEFGHIJKL");
  EXPECT_EQ(g.Roms[0].Region, "123456789012");
  EXPECT_EQ(g.Samples[0].size(), 255u);
  EXPECT_TRUE(p.log.empty());
}

TEST(ListinfoParser, NumbersParseWholeOrGiveZeroAndAreTruncatedToTheirWidth) {
  Parsed p = Parse(Game("year 19?? video ( x 70000 y -1 colors 4294967297 ) sound ( channels "
                        "+258 ) input ( players 5x coins -3 buttons \"\" ) "
                        "rom ( size 12345678901 crc FEE263B3 offs zz )") +
                   Game("year -1980 rom ( crc fee263b3 size 99999999999999999999 )"));
  ASSERT_TRUE(p.log.empty());
  const GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Year, 0) << "not a number";
  EXPECT_EQ(g.Width, 70000 & 0xFFFF);
  EXPECT_EQ(g.Height, 0xFFFF);
  EXPECT_EQ(g.Colors, 1);
  EXPECT_EQ(g.Channels, 2);
  EXPECT_EQ(g.Players, 0);
  EXPECT_EQ(g.Coins, 253);
  EXPECT_EQ(g.Buttons, 0);
  EXPECT_EQ(g.Roms[0].Size, static_cast<std::uint32_t>(12345678901ULL));
  EXPECT_EQ(g.Roms[0].Crc, 0xFEE263B3u);
  EXPECT_EQ(g.Roms[0].Offset, 0u) << "non-digits count as zero digits";
  const GameEntry h = p.db.Entry(p.db.Game(1));
  EXPECT_EQ(h.Year, static_cast<std::uint16_t>(-1980));
  EXPECT_EQ(h.Roms[0].Crc, 0xFEE263B3u) << "either case gives the same CRC";
  EXPECT_EQ(h.Roms[0].Size, 0u) << "out of range";
}

TEST(ListinfoParser, GamesAndResourcesAreNumberedBySeparateCounters) {
  Parsed p = Parse("game ( name a ) resource ( name neogeo ) game ( name b ) resource ( name c )");
  ASSERT_EQ(p.db.GameCount(), 2u);
  ASSERT_EQ(p.db.ResourceCount(), 2u);
  EXPECT_EQ(p.db.Game(0).Index, 1);
  EXPECT_EQ(p.db.Game(1).Index, 2);
  EXPECT_EQ(p.db.Resource(0).Index, 1);
  EXPECT_EQ(p.db.Resource(0).Name, "NEOGEO");
  EXPECT_EQ(p.db.Resource(1).Index, 2);
}

TEST(ListinfoParser, KeywordOutsideItsValuesLogsValueNotAllowedAndKeepsTheField) {
  Parsed p =
      Parse(Game("rom ( name a flags nodump ) video ( screen lcd ) driver ( colordeep 24 )"));
  ASSERT_EQ(p.log.size(), 2u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]), "Value not allowed: GAME\\ROM\\FLAGS=NODUMP");
  EXPECT_EQ(ListinfoLogLine(p.log[1]), "Value not allowed: GAME\\VIDEO\\SCREEN=LCD");
  const GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Roms[0].Flags, 0);
  EXPECT_EQ(g.Roms[0].Name, "A");
  EXPECT_EQ(g.Raster, 1);
  EXPECT_EQ(g.ColorDeep, 0) << "any COLORDEEP other than 16 is 0, never an error";
}

TEST(ListinfoParser, TagOfAnotherBlockLogsTagNotAllowed) {
  Parsed p =
      Parse(Game("video ( name x screen raster ) rom ( type cpu name r ) sound ( coins 1 )"));
  ASSERT_EQ(p.log.size(), 3u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]), "Tag not allowed: GAME\\VIDEO\\NAME");
  EXPECT_EQ(ListinfoLogLine(p.log[1]), "Tag not allowed: GAME\\ROM\\TYPE");
  EXPECT_EQ(ListinfoLogLine(p.log[2]), "Tag not allowed: GAME\\SOUND\\COINS");
  EXPECT_EQ(p.db.Entry(p.db.Game(0)).Roms[0].Name, "R");
}

TEST(ListinfoParser, RejectedValueThatOpensABlockSkipsTheWholeBlock) {
  Parsed p =
      Parse(Game("video ( name ( a ( b ) c ) x 320 ) rom ( flags ( ( ) ) size 7 ) year 1999"));
  ASSERT_EQ(p.log.size(), 2u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]), "Tag not allowed: GAME\\VIDEO\\NAME");
  EXPECT_EQ(ListinfoLogLine(p.log[1]), "Value not allowed: GAME\\ROM\\FLAGS=(");
  const GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Width, 320);
  EXPECT_EQ(g.Roms[0].Size, 7u);
  EXPECT_EQ(g.Year, 1999);
}

TEST(ListinfoParser, UnknownTagsAreLoggedWithTheirPathAndTheirValuesSkipped) {
  Parsed p = Parse("clrmamepro ( name x ( y ) ) " +
                   Game("foo ( a ( b ( c ) ) d ) name galaga rom ( bar 1 size 8 ) bios ok "
                        "video ( aspectx 4 x 288 )") +
                   "resource ( name neogeo driver ( palettesize 256 ) )");
  std::vector<std::string> lines = ErrorReportLines(p.log);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"Tag unknown: CLRMAMEPRO", "Tag unknown: GAME\\FOO",
                                      "Tag unknown: GAME\\ROM\\BAR", "Tag unknown: GAME\\BIOS",
                                      "Tag unknown: GAME\\VIDEO\\ASPECTX",
                                      "Tag unknown: RESOURCE\\DRIVER\\PALETTESIZE"}));
  ASSERT_EQ(p.db.GameCount(), 1u);
  const GameEntry g = p.db.Entry(p.db.Game(0));
  EXPECT_EQ(g.Name, "GALAGA");
  EXPECT_EQ(g.Roms[0].Size, 8u);
  EXPECT_EQ(g.Width, 288);
  EXPECT_EQ(p.db.Resource(0).Name, "NEOGEO");
}

TEST(ListinfoParser, MissingBracketIsLoggedWithTheWordFound) {
  // The word read in place of the bracket is consumed either way.
  Parsed p = Parse("game name x ) )");
  ASSERT_EQ(p.log.size(), 2u);
  EXPECT_EQ(p.log[0], (ListinfoLogEntry{E::kBracketExpected, "GAME", "NAME"}));
  EXPECT_EQ(ListinfoLogLine(p.log[0]), "\"(\" expected after GAME tag but NAME found");
  ASSERT_EQ(p.db.GameCount(), 1u);
  EXPECT_EQ(ListinfoLogLine(p.log[1]), "Tag unknown: GAME\\X") << "its value is the first )";
  EXPECT_EQ(p.db.Game(0).Name, "");

  Parsed q = Parse(Game("rom [ size 4 )"));
  ASSERT_EQ(q.log.size(), 1u);
  EXPECT_EQ(ListinfoLogLine(q.log[0]), "\"(\" expected after GAME\\ROM tag but [ found");
  ASSERT_EQ(q.db.Entry(q.db.Game(0)).Roms.size(), 1u) << "the block is read all the same";
  EXPECT_EQ(q.db.Entry(q.db.Game(0)).Roms[0].Size, 4u);
}

TEST(ListinfoParser, LogKeepsOneEntryPerKindAndText) {
  std::string text;
  for (int i = 0; i < 50; ++i) {
    text += Game("name g" + std::to_string(i) + " aspectx 4 rom ( flags nodump )");
  }
  // The found part is not compared.
  text += "game [ ) game { )";
  Parsed p = Parse(text);
  ASSERT_EQ(p.log.size(), 3u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]), "Tag unknown: GAME\\ASPECTX");
  EXPECT_EQ(ListinfoLogLine(p.log[1]), "Value not allowed: GAME\\ROM\\FLAGS=NODUMP");
  EXPECT_EQ(p.log[2], (ListinfoLogEntry{E::kBracketExpected, "GAME", "["}));
  EXPECT_EQ(p.db.GameCount(), 52u);
  // The same text under another kind is another entry.
  Parsed q = Parse(Game("rom ( flags x ) rom ( flags=x 1 )"));
  EXPECT_EQ(q.log.size(), 2u);
}

std::string DistinctErrors(int count) {
  std::string body;
  for (int i = 0; i < count; ++i)
    body += "unknown" + std::to_string(i) + " 1 ";
  return Game(body);
}

TEST(ListinfoParser, LogHoldsAHundredEntriesThenClosesWithTooManyErrors) {
  Parsed p = Parse(DistinctErrors(150) + Game("name after"));
  ASSERT_EQ(p.log.size(), 101u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]), "Tag unknown: GAME\\UNKNOWN0");
  EXPECT_EQ(ListinfoLogLine(p.log[99]), "Tag unknown: GAME\\UNKNOWN99");
  EXPECT_EQ(ListinfoLogLine(p.log[100]),
            "Too much errors encoutered (>100): the rest were ignored.");
  EXPECT_EQ(p.db.GameCount(), 2u) << "logging never stops parsing";
  EXPECT_EQ(p.db.Game(1).Name, "AFTER");

  EXPECT_EQ(Parse(DistinctErrors(100)).log.size(), 100u) << "exactly 100 need no closing entry";
  // A duplicate of a logged entry does not close a full log.
  Parsed q = Parse(DistinctErrors(100) + Game("unknown5 1"));
  EXPECT_EQ(q.log.size(), 100u);
}

TEST(ListinfoParser, RecordStillOpenAtTheEndIsDiscardedAndReported) {
  Parsed p = Parse(Game("name first") + "game ( name second rom ( name r size 1 )\n\n");
  ASSERT_EQ(p.db.GameCount(), 1u);
  EXPECT_EQ(p.db.Game(0).Name, "FIRST");
  ASSERT_EQ(p.log.size(), 1u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]),
            "Unexpected end of file: the last game was not closed and was ignored.");

  Parsed q = Parse("resource ( name neogeo rom ( name x");  // open block, no trailing separator
  EXPECT_EQ(q.db.ResourceCount(), 0u);
  ASSERT_EQ(q.log.size(), 1u);
  EXPECT_EQ(ListinfoLogLine(q.log[0]),
            "Unexpected end of file: the last resource was not closed and was ignored.");
}

TEST(ListinfoParser, OneCharacterWordAtTheVeryEndIsRead) {
  Parsed p = Parse("game ( name x )");
  ASSERT_EQ(p.db.GameCount(), 1u);
  EXPECT_EQ(p.db.Game(0).Name, "X");
  EXPECT_TRUE(p.log.empty());
}

TEST(ListinfoParser, ProfileHoldsAtMost65535GamesAndSaysSoWhenMoreAreRead) {
  std::string text;
  text.reserve(70000 * 16);
  for (int i = 0; i < 65537; ++i)
    text += "game ( name g )\n";
  text += "resource ( name r )";
  Parsed p = Parse(text);
  EXPECT_EQ(p.db.GameCount(), kMaxRecords);
  EXPECT_EQ(p.db.Game(kMaxRecords - 1).Index, 65535);
  EXPECT_EQ(p.db.ResourceCount(), 1u);
  ASSERT_EQ(p.log.size(), 1u);
  EXPECT_EQ(ListinfoLogLine(p.log[0]),
            "Too many games: a profile holds at most 65535; the rest were ignored.");
}

// The whole flow, with the capture file on disk and the windows scripted.
class ListinfoFlow : public ::testing::Test {
 protected:
  ListinfoContext Context() {
    ListinfoContext c;
    c.ProgramDir = "/home/user/.local/share/kestrelwing/";
    c.CaptureFileName = dir_ / "$KSTEMP$.NFO";
    c.BoldFontSize = 12;
    c.NormalFontSize = 9;
    return c;
  }
  test::TempDir dir_;
  test::ScriptedUi ui_;
  GameDatabase db_;
  ReportDocument report_;
};

TEST_F(ListinfoFlow, CleanFileEndsInTheSuccessMessage) {
  dir_.Write("$KSTEMP$.NFO", Game("name a") + Game("name b") + "resource ( name neogeo )\n");
  db_.EmulatorVersion = "M.A.M.E. v0.37 BETA 5 (Jul 28 2000)";
  EXPECT_TRUE(ParseListinfo(db_, ui_, report_, Context()));
  EXPECT_EQ(db_.GameCount(), 2u);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "MAME info file parsed succesfully!\r\rM.A.M.E. v0.37 BETA 5 (Jul 28 2000)\r"
            "Games found:     2\rResources found: 1");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(ui_.operations, (std::vector<std::string>{"Parsing MAME listinfo file..."}));
  ASSERT_FALSE(ui_.progress.empty());
  EXPECT_EQ(ui_.progress.front(), 0);
  EXPECT_EQ(ui_.progress.back(), -1);
  EXPECT_EQ(ui_.events, (std::vector<std::string>{"show", "busy on", "hide", "busy off", "ask"}));
  EXPECT_TRUE(ui_.reports.empty());
}

// As a profile creation runs it: the empty capture in the current directory (the emulator's)
// under its own name.
TEST_F(ListinfoFlow, EmptyCaptureIsASuccessWithNoGames) {
  dir_.Write("$KSTEMP$.NFO", "");
  ListinfoContext context;
  ASSERT_EQ(context.CaptureFileName, "$KSTEMP$.NFO");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.Path());
  db_.EmulatorVersion = "M.A.M.E. v0.37 BETA 5 (Jul 28 2000)";
  const bool used = ParseListinfo(db_, ui_, report_, context);
  std::filesystem::current_path(previous);

  EXPECT_TRUE(used);
  EXPECT_EQ(db_.GameCount(), 0u);
  EXPECT_EQ(db_.ResourceCount(), 0u);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "MAME info file parsed succesfully!\r\rM.A.M.E. v0.37 BETA 5 (Jul 28 2000)\r"
            "Games found:     0\rResources found: 0");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::Ok);
  EXPECT_TRUE(ui_.reports.empty());
  EXPECT_FALSE(ui_.progress_visible);
  EXPECT_FALSE(ui_.busy);
}

TEST_F(ListinfoFlow, ErrorsAreShownInTheReportThenTheUserDecides) {
  dir_.Write("$KSTEMP$.NFO", Game("name a foo 1 rom ( flags nodump )") + "game ( name b");
  ui_.answers = {MsgAnswer::Ok, MsgAnswer::No};
  EXPECT_FALSE(ParseListinfo(db_, ui_, report_, Context()));
  EXPECT_EQ(db_.GameCount(), 1u) << "the database keeps what was parsed";

  EXPECT_EQ(ui_.events, (std::vector<std::string>{"show", "busy on", "hide", "busy off", "ask",
                                                  "report", "ask"}));
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(ui_.messages[0].text,
            "Kestrelwing encoutered errors in parsing the emulator's listinfo file\r"
            "You will be asked if to use the resulting profile anyway after having viewed the "
            "error log.\r"
            "Altough there will probably be no problems at all in using it, you are encouraged "
            "to download an\r"
            "updated version of this program, which is probably already available (or will be "
            "soon) on the\r"
            "author's web site (see the about box).\r"
            "Since bugged profiles are known to make the front-end crash sometimes, please do "
            "not report such\r"
            "problems to the author. He is perfectly aware of them. Thank you.");
  EXPECT_EQ(ui_.messages[1].text, "Do you want to use this profile anyway?");
  EXPECT_EQ(ui_.messages[1].icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages[1].buttons, MsgButtons::YesNo);

  ASSERT_EQ(ui_.reports.size(), 1u);
  const ReportDocument& r = ui_.reports[0];
  EXPECT_EQ(r.ReportTitle, "Kestrelwing - profile creation report");
  EXPECT_EQ(r.SaveDir, "/home/user/.local/share/kestrelwing/");
  EXPECT_EQ(r.SaveName, "profile_report");
  const ReportFont title_font{"Times New Roman", kColorBlack, kStyleBold | kStyleItalic, 16};
  const ReportFont body_font{"Courier New", kColorBlack, kStyleRegular, 9};
  std::vector<ReportLine> expected = {
      {Alignment::Center, false, title_font, "Profile creation errors"},
      {Alignment::Left, false, body_font, ""},
      {Alignment::Left, false, body_font, "Tag unknown: GAME\\FOO"},
      {Alignment::Left, false, body_font, "Value not allowed: GAME\\ROM\\FLAGS=NODUMP"},
      {Alignment::Left, false, body_font,
       "Unexpected end of file: the last game was not closed and was ignored."},
  };
  EXPECT_EQ(r.Lines(), expected);
}

TEST_F(ListinfoFlow, AnsweringYesKeepsTheProfile) {
  dir_.Write("$KSTEMP$.NFO", Game("name a foo 1"));
  EXPECT_TRUE(ParseListinfo(db_, ui_, report_, Context()));  // the scripted answer is Yes
}

TEST_F(ListinfoFlow, UnreadableCaptureFileIsReported) {
  db_.AddGame(GameEntry{});
  EXPECT_FALSE(ParseListinfo(db_, ui_, report_, Context()));
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{"Cannot read game info file!"}));
  EXPECT_EQ(db_.GameCount(), 0u);
  EXPECT_FALSE(ui_.progress_visible);
  EXPECT_FALSE(ui_.busy);
}

}  // namespace
}  // namespace kw
