#include "core/launch/set_test.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>

#include "core/launch/crc32.h"
#include "core/profile/game_database.h"
#include "core/shell/app_names.h"
#include "core/shell/settings.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

constexpr std::uint64_t kGigabyte = 1024ull * 1024 * 1024;

// Four bytes whose CRC-32 is `crc`: after four bytes the CRC depends only on the four table
// entries used, which the entries' distinct top bytes give away one by one from the end.
std::string BytesWithCrc(std::uint32_t crc) {
  const z_crc_t* table = get_crc_table();
  std::uint8_t index[4];
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

std::uint32_t CrcOf(const std::string& bytes) {
  return ~CRC32Update(0xFFFFFFFFu, bytes.data(), bytes.size());
}

RomRecord Rom(const char* name, std::uint32_t size, std::uint32_t crc) {
  RomRecord rom;
  rom.Name = name;
  rom.Size = size;
  rom.Crc = crc;
  return rom;
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

  bool Test(const GameEntry& game, std::uint64_t memory = kGigabyte) {
    GameDatabase db = database_;
    EXPECT_TRUE(db.AddGame(game));
    return PreLaunchTest(ui_, settings_, db, db.Game(db.GameCount() - 1), names_, report_,
                         [memory] { return memory; });
  }
  // The report's text after the title and the blank line.
  std::vector<std::string> Body() const {
    std::vector<std::string> out;
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

GameEntry MyGame() {
  GameEntry g;
  g.Name = "MYGAME";
  g.Description = "My Game";
  g.Roms = {Rom("MYGAME.1", 4, 0x0000ABCD), Rom("MYGAME.2", 4, 0x00001234)};
  return g;
}

TEST_F(SetTestTest, MissingAndCorruptRomReportedAndShownOnYes) {
  settings_.CheckCRCOnRun = true;
  Put("MYGAME.1", BytesWithCrc(0x0000FFFF));
  EXPECT_FALSE(Test(MyGame()));

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
  EXPECT_EQ(ui_.events,
            (std::vector<std::string>{"show", "busy on", "hide", "busy off", "ask", "report"}));
  EXPECT_EQ(ui_.operations, std::vector<std::string>{"Testing rom set..."});
  EXPECT_EQ(ui_.progress, std::vector<int>{-1});
  EXPECT_FALSE(ui_.progress_visible || ui_.busy);
}

TEST_F(SetTestTest, NoShowsNothingAndAPassingGameAsksNothing) {
  ui_.answers = {MsgAnswer::No};
  EXPECT_FALSE(Test(MyGame()));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(ui_.reports.empty());

  ui_.messages.clear();
  Put("MYGAME.1", "xxxx");  // wrong data, but sizes and CRCs are not checked
  Put("mygame.2", "yyyy");  // names are matched without regard to case
  EXPECT_TRUE(Test(MyGame()));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(Body(), (std::vector<std::string>{"Game: .....................[MYGAME] = My Game", ""}))
      << "filled in every case";
}

TEST_F(SetTestTest, EveryKindOfLine) {
  settings_.CheckCRCOnRun = true;
  settings_.CheckSamplesOnRun = true;
  settings_.BoldFontSize = 20;
  settings_.NormalFontSize = 11;
  GameEntry parent;
  parent.Name = "PARENT";
  parent.Description = "The Parent";
  ASSERT_TRUE(database_.AddGame(parent));
  GameEntry bios;
  bios.Name = "BIOS";
  bios.Description = "Shared Roms";
  ASSERT_TRUE(database_.AddResource(bios));

  GameEntry g;
  g.Name = "CLONE";
  g.Description = std::string(250, 'd');
  g.CloneOf = "PARENT";
  g.RomOf = "BIOS";
  g.SampleOf = "NOSUCH";  // not in the profile: no line
  const std::string good = "good data";
  g.Roms = {Rom("SHORT.BIN", 10, 0x1111), Rom("GOOD.BIN", 9, CrcOf(good)),
            Rom("LONGNAME.ROM", 3 * 1024 * 1024, 0x2222), Rom("NODUMP.BIN", 5, 0),
            Rom("BAD.BIN", 9, 0xDEADBEEF)};
  g.Samples = {"present.wav", "gone.wav"};
  Put("SHORT.BIN", "12345");
  Put("GOOD.BIN", good);
  Put("BAD.BIN", good);
  Put("present.wav", "RIFF");

  char good_crc[9];
  std::snprintf(good_crc, sizeof good_crc, "%08X", CrcOf(good));
  EXPECT_FALSE(Test(g, 2 * 1024 * 1024 + 5));
  EXPECT_EQ(report_.Lines()[0].font.size, 24);
  EXPECT_EQ(report_.Lines()[1].font.size, 11);
  const std::string game_line = "Game: .....................[CLONE] = " + std::string(250, 'd');
  EXPECT_EQ(Body(),
            (std::vector<std::string>{
                game_line.substr(0, 255),
                "Clone of: .................[PARENT] = The Parent",
                "Using roms of: ............[BIOS] = Shared Roms",
                "",
                "SHORT.BIN    has wrong size (5 instead of 10)",
                "LONGNAME.ROM rom file is missing",
                "BAD.BIN      has wrong CRC ($" + std::string(good_crc) + " instead of $DEADBEEF)",
                "Not enough physical memory for MAME to load roms (Total=2 MB; Needed=3 MB)",
                "gone.wav     sample file is missing",
            }));
}

TEST_F(SetTestTest, SamplesAreLookedForOnlyWhenAsked) {
  GameEntry g;
  g.Name = "NOISY";
  g.Samples = {"boom.wav"};
  EXPECT_TRUE(Test(g)) << "samples not checked";
  settings_.CheckSamplesOnRun = true;
  EXPECT_FALSE(Test(g));
  EXPECT_EQ(Body().back(), "boom.wav     sample file is missing");
  g.Samples.clear();
  EXPECT_TRUE(Test(g)) << "no samples, no ROMs, nothing to miss";
}

TEST_F(SetTestTest, MisspelledFileIsCopiedToItsName) {
  const std::string data = "the right bytes";
  GameEntry g;
  g.Name = "RENAMED";
  g.Roms = {Rom("RIGHT.ROM", static_cast<std::uint32_t>(data.size()), CrcOf(data))};
  Put("DECOY.ROM", std::string(data.size(), 'z'));  // same size, other CRC
  Put("WRONG.NAM", data);

  EXPECT_FALSE(Test(g)) << "not repaired unless asked";
  EXPECT_EQ(Body().back(), "RIGHT.ROM    rom file is missing");

  settings_.DynamicRename = true;
  settings_.CheckCRCOnRun = true;
  ui_.operations.clear();
  EXPECT_TRUE(Test(g));
  EXPECT_EQ(dir_.Read("$KSTEMP$/RIGHT.ROM"), data);
  EXPECT_EQ(dir_.Read("$KSTEMP$/WRONG.NAM"), data) << "copied, not moved";
  EXPECT_EQ(ui_.operations,
            (std::vector<std::string>{"Testing rom set...", "Searching miss-spelled file...",
                                      "Testing rom set..."}));
}

TEST_F(SetTestTest, FakeFilesStandInForMissingRoms) {
  settings_.CreateFakeFiles = true;
  settings_.CheckCRCOnRun = true;
  settings_.DynamicRename = true;
  GameEntry g;
  g.Name = "FAKED";
  g.Roms = {Rom("MISSING.ROM", 70000, 0xCAFEBABE), Rom("NODUMP.ROM", 16, 0)};
  EXPECT_TRUE(Test(g)) << "the fake is not checked again";
  EXPECT_EQ(std::filesystem::file_size(dir_ / "$KSTEMP$/MISSING.ROM"), 70000u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "$KSTEMP$/NODUMP.ROM")) << "never required";
  EXPECT_NE(dir_.Read("$KSTEMP$/MISSING.ROM"), std::string(70000, '\0'));
  EXPECT_EQ(ui_.operations,
            (std::vector<std::string>{"Testing rom set...", "Searching miss-spelled file...",
                                      "Testing rom set...", "Creating fake file...",
                                      "Testing rom set..."}));

  // A directory of the ROM's name cannot be replaced by a file.
  std::filesystem::create_directory(dir_ / "$KSTEMP$/BLOCKED.ROM");
  g.Roms = {Rom("BLOCKED.ROM", 8, 0x1234)};
  EXPECT_FALSE(Test(g));
  EXPECT_EQ(Body().back(), "BLOCKED.ROM  could not be created due to a disk write error");
}

TEST_F(SetTestTest, NoDumpRomIsSilentInEverySetting) {
  GameEntry g;
  g.Name = "NODUMP";
  g.Roms = {Rom("NODUMP.ROM", 16, 0)};
  Put("OTHER.ROM", std::string(16, 'a'));
  for (int bits = 0; bits < 8; ++bits) {
    settings_.CheckCRCOnRun = bits & 1;
    settings_.DynamicRename = bits & 2;
    settings_.CreateFakeFiles = bits & 4;
    EXPECT_TRUE(Test(g)) << bits;
  }
  Put("NODUMP.ROM", "short");
  EXPECT_TRUE(Test(g)) << "present, never checked";
}

// A ROM file whose bytes this process cannot read: a mode-0 file, or for root (who reads those
// anyway) a link to a write-only kernel attribute. Its size, when it has one.
std::optional<std::uint32_t> PutUnreadable(const test::TempDir& dir, const std::string& name) {
  const std::string path = dir / ("$KSTEMP$/" + name);
  if (geteuid() != 0) {
    dir.Write("$KSTEMP$/" + name, "data");
    chmod(path.c_str(), 0);
    return 4;
  }
  const char* attribute = "/sys/bus/pci/rescan";
  std::error_code ec;
  const auto size = std::filesystem::file_size(attribute, ec);
  if (ec || size == 0) return std::nullopt;
  if (std::FILE* f = std::fopen(attribute, "rb")) {
    std::fclose(f);
    return std::nullopt;
  }
  std::filesystem::create_symlink(attribute, path, ec);
  if (ec) return std::nullopt;
  return static_cast<std::uint32_t>(size);
}

TEST_F(SetTestTest, UnreadableRomIsReadOnlyWhenCheckingAndThenReported) {
  const std::optional<std::uint32_t> size = PutUnreadable(dir_, "LOCKED.ROM");
  if (!size) GTEST_SKIP() << "no file here that this process cannot read";
  GameEntry g;
  g.Name = "LOCKED";
  g.Roms = {Rom("LOCKED.ROM", *size, 0x12345678)};
  EXPECT_TRUE(Test(g)) << "a normal launch reads no file data";
  settings_.CheckCRCOnRun = true;
  EXPECT_FALSE(Test(g));
  EXPECT_EQ(Body().back(), "LOCKED.ROM   could not be read");
}

}  // namespace
}  // namespace kw
