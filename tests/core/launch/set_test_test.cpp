#include "core/launch/set_test.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>

#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

// Four bytes whose CRC-32 is `crc`: after four bytes the CRC depends only on the four table
// entries used, which the entries' distinct top bytes give away one by one from the end.
std::string BytesWithCrc(std::uint32_t crc) {
  const z_crc_t* table = get_crc_table();
  std::uint8_t index[4] = {};
  std::uint32_t reg = ~crc;
  for (int step = 3; step >= 0; --step) {
    for (int i = 0; i < 256; ++i) {
      if ((table[i] >> 24) == (reg >> 24)) index[step] = static_cast<std::uint8_t>(i);
    }
    reg = (reg ^ table[index[step]]) << 8;
  }
  std::string bytes;
  reg = 0xFFFFFFFFu;
  for (std::uint8_t i : index) {
    bytes += static_cast<char>((reg ^ i) & 0xFF);
    reg = (reg >> 8) ^ table[i];
  }
  return bytes;
}

RomEntry Rom(const char* name, std::uint32_t size, std::uint32_t crc) {
  return RomEntry{.Name = name, .Size = size, .Crc = crc};
}

GameEntry Game(const char* name, std::vector<RomEntry> roms, Lines samples = {}) {
  GameEntry g;
  g.Name = name;
  g.Description = "My Game";
  g.Roms = std::move(roms);
  g.Samples = std::move(samples);
  return g;
}

// A temporary emulator directory, current while the test runs, with an empty $KSTEMP$.
class SetTestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
    std::filesystem::create_directory(dir_ / "$KSTEMP$");
    names_.ProgramDir = "/home/user/kestrelwing/";
    settings_.CheckSamplesOnRun = false;
  }
  void TearDown() override { std::filesystem::current_path(old_); }

  void Put(const std::string& name, const std::string& bytes) {
    dir_.Write("$KSTEMP$/" + name, bytes);
  }
  bool Test(const GameEntry& game, std::uint64_t memory = 1ull << 30) {
    GameDatabase db = database_;
    EXPECT_TRUE(db.AddGame(game));
    return PreLaunchTest(ui_, settings_, db, db.Game(db.GameCount() - 1), names_, report_,
                         [memory] { return memory; });
  }
  // The report's texts after the title and the blank line.
  Lines Body() const {
    Lines out;
    for (std::size_t i = 2; i < report_.Lines().size(); ++i)
      out.push_back(report_.Lines()[i].text);
    return out;
  }

  test::TempDir dir_;
  std::filesystem::path old_;
  test::ScriptedUi ui_;
  FrontEndSettings settings_;
  AppNames names_;
  GameDatabase database_;
  ReportDocument report_;
};

const GameEntry kMyGame =
    Game("MYGAME", {Rom("MYGAME.1", 4, 0x0000ABCD), Rom("MYGAME.2", 4, 0x00001234)});

TEST_F(SetTestTest, MissingAndCorruptRomReportedAndShownOnYes) {
  settings_.CheckCRCOnRun = true;
  Put("MYGAME.1", BytesWithCrc(0x0000FFFF));
  EXPECT_FALSE(Test(kMyGame));

  const ReportFont title{"Times New Roman", kColorBlack, kStyleBold | kStyleItalic, 14};
  const ReportFont body{"Courier New", kColorBlack, kStyleRegular, 8};
  const std::vector<ReportLine> expected = {
      {Alignment::Center, false, title, "Not runnable game description"},
      {Alignment::Left, false, body, ""},
      {Alignment::Left, false, body, "Game: .....................[MYGAME] = My Game"},
      {Alignment::Left, false, body, ""},
      {Alignment::Left, false, body, "MYGAME.1     has wrong CRC ($0000FFFF instead of $0000ABCD)"},
      {Alignment::Left, false, body, "MYGAME.2     rom file is missing"},
  };
  EXPECT_EQ(report_.Lines(), expected);
  EXPECT_EQ(report_.ReportTitle, "Kestrelwing - Game not runnable report");
  EXPECT_EQ(report_.SaveDir, "/home/user/kestrelwing/");
  EXPECT_EQ(report_.SaveName, "MYGAME_not_runnable_report");

  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "This game does not meet the minimum requirements specified in the\r"
            "preferences window. MAME won't be run.\r\rDo you want to view a detailed report?");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
  ASSERT_EQ(ui_.reports.size(), 1u);
  EXPECT_EQ(ui_.reports[0].Lines(), expected);
  EXPECT_EQ(ui_.events, (Lines{"show", "busy on", "hide", "busy off", "ask", "report"}));
  EXPECT_EQ(ui_.operations, Lines{"Testing rom set..."});
  EXPECT_EQ(ui_.progress, std::vector<int>{-1});
}

TEST_F(SetTestTest, NoShowsNothingAndAPassingGameAsksNothing) {
  ui_.answers = {MsgAnswer::No};
  EXPECT_FALSE(Test(kMyGame));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(ui_.reports.empty());

  ui_.messages.clear();
  Put("MYGAME.1", "xxxx");  // wrong data, but sizes and CRCs are not checked
  Put("mygame.2", "yyyy");  // names are matched without regard to case
  EXPECT_TRUE(Test(kMyGame));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(Body(), (Lines{"Game: .....................[MYGAME] = My Game", ""}))
      << "filled in every case";
}

TEST_F(SetTestTest, EveryKindOfLine) {
  settings_.CheckCRCOnRun = settings_.CheckSamplesOnRun = true;
  settings_.BoldFontSize = 20;
  settings_.NormalFontSize = 11;
  GameEntry parent = Game("PARENT", {});
  parent.Description = "The Parent";
  ASSERT_TRUE(database_.AddGame(parent));
  GameEntry bios = Game("BIOS", {});
  bios.Description = "Shared Roms";
  ASSERT_TRUE(database_.AddResource(bios));

  GameEntry g = Game("CLONE",
                     {Rom("SHORT.BIN", 10, 0x1111), Rom("GOOD.BIN", 4, 0x600DF11E),
                      Rom("LONGNAME.ROM", 3 << 20, 0x2222), Rom("NODUMP.BIN", 5, 0),
                      Rom("BAD.BIN", 4, 0xDEADBEEF)},
                     {"present.wav", "gone.wav"});
  g.Description = std::string(250, 'd');
  g.CloneOf = "PARENT";
  g.RomOf = "BIOS";
  g.SampleOf = "NOSUCH";  // not in the profile: no line
  Put("SHORT.BIN", "12345");
  Put("GOOD.BIN", BytesWithCrc(0x600DF11E));
  Put("BAD.BIN", BytesWithCrc(0x00C0FFEE));
  Put("present.wav", "RIFF");

  EXPECT_FALSE(Test(g, (2 << 20) + 5));
  EXPECT_EQ(report_.Lines()[0].font.size, 24);
  EXPECT_EQ(report_.Lines()[1].font.size, 11);
  EXPECT_EQ(
      Body(),
      (Lines{("Game: .....................[CLONE] = " + g.Description).substr(0, 255),
             "Clone of: .................[PARENT] = The Parent",
             "Using roms of: ............[BIOS] = Shared Roms", "",
             "SHORT.BIN    has wrong size (5 instead of 10)", "LONGNAME.ROM rom file is missing",
             "BAD.BIN      has wrong CRC ($00C0FFEE instead of $DEADBEEF)",
             "Not enough physical memory for MAME to load roms (Total=2 MB; Needed=3 MB)",
             "gone.wav     sample file is missing"}));

  // The other way round: only the sample set is known.
  g = Game("OTHER", {}, {"gone.wav"});
  g.CloneOf = g.RomOf = "NOSUCH";
  g.SampleOf = "PARENT";
  settings_.CheckSamplesOnRun = false;
  EXPECT_TRUE(Test(g)) << "samples not looked for; no ROMs, no memory line";
  EXPECT_EQ(Body(), (Lines{"Game: .....................[OTHER] = My Game",
                           "Using samples of: .........[PARENT] = The Parent", ""}));
  settings_.CheckSamplesOnRun = true;
  EXPECT_TRUE(Test(Game("QUIET", {}))) << "no samples to miss";
}

TEST_F(SetTestTest, MisspelledFileIsCopiedToItsName) {
  const std::string data = BytesWithCrc(0x12345678);
  const GameEntry g = Game("RENAMED", {Rom("RIGHT.ROM", 4, 0x12345678)});
  Put("DECOY.ROM", "zzzz");  // same size, other CRC
  Put("WRONG.NAM", data);
  EXPECT_FALSE(Test(g)) << "not repaired unless asked";
  EXPECT_EQ(Body().back(), "RIGHT.ROM    rom file is missing");

  settings_.DynamicRename = settings_.CheckCRCOnRun = true;
  ui_.operations.clear();
  EXPECT_TRUE(Test(g));
  EXPECT_EQ(dir_.Read("$KSTEMP$/RIGHT.ROM"), data);
  EXPECT_EQ(dir_.Read("$KSTEMP$/WRONG.NAM"), data) << "copied, not moved";
  EXPECT_EQ(ui_.operations,
            (Lines{"Testing rom set...", "Searching miss-spelled file...", "Testing rom set..."}));
}

TEST_F(SetTestTest, FakeFilesStandInForMissingRoms) {
  settings_.CreateFakeFiles = settings_.CheckCRCOnRun = settings_.DynamicRename = true;
  EXPECT_TRUE(Test(Game("FAKED", {Rom("MISSING.ROM", 70000, 0xCAFEBABE)})))
      << "the fake is not checked again";
  EXPECT_EQ(std::filesystem::file_size(dir_ / "$KSTEMP$/MISSING.ROM"), 70000u);
  EXPECT_NE(dir_.Read("$KSTEMP$/MISSING.ROM"), std::string(70000, '\0'));
  EXPECT_EQ(ui_.operations,
            (Lines{"Testing rom set...", "Searching miss-spelled file...", "Testing rom set...",
                   "Creating fake file...", "Testing rom set..."}));

  // A directory of the ROM's name cannot be replaced by a file.
  std::filesystem::create_directory(dir_ / "$KSTEMP$/BLOCKED.ROM");
  EXPECT_FALSE(Test(Game("BLOCKED", {Rom("BLOCKED.ROM", 8, 0x1234)})));
  EXPECT_EQ(Body().back(), "BLOCKED.ROM  could not be created due to a disk write error");
}

TEST_F(SetTestTest, NoDumpRomIsSilentInEverySetting) {
  const GameEntry g = Game("NODUMP", {Rom("NODUMP.ROM", 16, 0)});
  Put("OTHER.ROM", std::string(16, 'a'));  // a candidate for the misspelled-file search
  for (int bits = 0; bits < 8; ++bits) {
    settings_.CheckCRCOnRun = bits & 1;
    settings_.DynamicRename = bits & 2;
    settings_.CreateFakeFiles = bits & 4;
    EXPECT_TRUE(Test(g)) << bits;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "$KSTEMP$/NODUMP.ROM")) << bits;
  }
  Put("NODUMP.ROM", "short");
  EXPECT_TRUE(Test(g)) << "present, never checked";
}

// A ROM file whose bytes this process cannot read: a mode-0 file, or for root (who reads those
// anyway) a link to a kernel attribute that can only be written. Its size, when there is one.
std::optional<std::uint32_t> PutUnreadable(const test::TempDir& dir, const std::string& name) {
  const std::string path = dir.Write("$KSTEMP$/" + name, "data");
  if (geteuid() != 0) return chmod(path.c_str(), 0) == 0 ? std::optional(4u) : std::nullopt;
  const char* attribute = "/sys/bus/pci/rescan";
  std::error_code ec;
  const auto size = std::filesystem::file_size(attribute, ec);
  std::FILE* readable = std::fopen(attribute, "rb");
  if (readable) std::fclose(readable);
  if (ec || size == 0 || readable) return std::nullopt;
  std::filesystem::remove(path);
  std::filesystem::create_symlink(attribute, path, ec);
  return ec ? std::nullopt : std::optional(static_cast<std::uint32_t>(size));
}

TEST_F(SetTestTest, UnreadableRomIsReadOnlyWhenCheckingAndThenReported) {
  const std::optional<std::uint32_t> size = PutUnreadable(dir_, "LOCKED.ROM");
  if (!size) GTEST_SKIP() << "no file here that this process cannot read";
  const GameEntry g = Game("LOCKED", {Rom("LOCKED.ROM", *size, 0x12345678)});
  EXPECT_TRUE(Test(g)) << "a normal launch reads no file data";
  settings_.CheckCRCOnRun = true;
  EXPECT_FALSE(Test(g));
  EXPECT_EQ(Body().back(), "LOCKED.ROM   could not be read");
}

}  // namespace
}  // namespace kw
