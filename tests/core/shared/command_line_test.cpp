#include "core/shared/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/ascii.h"
#include "core/shared/emulator_run.h"
#include "platform/fs.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw {
namespace {

namespace fs = platform::fs;

// Names a user's files may have that a pasted command line would run or split.
const std::vector<std::string> kHostileNames = {"a\" \"+!touch X\" \"b.txt",
                                                "$(touch X)",
                                                "`touch X`",
                                                "x; touch X",
                                                "it's",
                                                "two  blanks",
                                                "$KSTEMP$.NFO",
                                                "back\\slash",
                                                "'\\''"};

// A program that writes its words, each followed by '|', to `out` beside itself.
std::string ArgvScript(const test::TempDir& dir, const std::string& name) {
  std::string path = dir.Write(
      name,
      // Written aside and renamed, so that a test waiting for the file never reads it half made.
      "#!/bin/sh\nd=$(dirname \"$0\")\nfor w in \"$@\"; do printf '%s|' \"$w\"; done > "
      "\"$d/out.part\"\n"
      "mv \"$d/out.part\" \"$d/out\"\n");
  chmod(path.c_str(), 0755);
  return path;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words)
    out += w + "|";
  return out;
}

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = fs::CurrentDirectory();
    ASSERT_TRUE(fs::SetCurrentDirectory(dir_.Path()));  // where "touch X" would land
  }
  void TearDown() override {
    EXPECT_TRUE(fs::SetCurrentDirectory(old_cwd_));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "X")) << "a name ran a command";
  }
  test::TempDir dir_;
  std::string old_cwd_;
};

TEST_F(CommandLineTest, InterpreterCommandGivesEveryWordIntactAndTheUserTextAsWritten) {
  const std::string program = ArgvScript(dir_, "My Emu/emu.sh");
  ShellCommandLine line;
  line.Program(AsciiUpperCase(program));  // found without regard to case
  for (const std::string& name : kHostileNames)
    line.Word(name);
  line.UserText("-opt 'two words'").RedirectOutputTo("$KSTEMP$.NFO");
  EXPECT_EQ(line.Text(), "/bin/sh -c " + line.Script());
  EXPECT_TRUE(line.Script().ends_with(" >'$KSTEMP$.NFO'")) << "shown as the redirection";
  test::ScriptedUi ui;
  ASSERT_EQ(RunEmulator(ui, line, platform::kShowHidden, false), RunOutcome::Ended);
  EXPECT_EQ(dir_.Read("My Emu/out"), Joined(kHostileNames) + "-opt|two words|");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "$KSTEMP$.NFO")) << "the capture file by its name";
}

TEST_F(CommandLineTest, DirectCommandGivesTheWordsAsTheyAre) {
  const std::string program = ArgvScript(dir_, "tool.sh");
  std::vector<std::string> words = {program};
  words.insert(words.end(), kHostileNames.begin(), kHostileNames.end());
  ASSERT_TRUE(platform::RunProgram(DirectCommand(words), platform::kShowHidden, true));
  EXPECT_EQ(dir_.Read("out"), Joined(kHostileNames));
}

TEST_F(CommandLineTest, EditorGetsTheFileAsOneWord) {
  const std::string editor = ArgvScript(dir_, "my editor/edit.sh");
  for (const std::string& name : kHostileNames) {
    const std::string file = dir_.Write(name, "text");
    std::filesystem::remove(dir_ / "my editor/out");
    // The setting is kept in upper case; a picked path with blanks is the program as a whole.
    Result<platform::Command> command = EditorCommand(AsciiUpperCase(editor), file);
    ASSERT_TRUE(command) << command.Message();
    ASSERT_TRUE(platform::RunProgram(*command, platform::kShowNormal, false));
    ASSERT_TRUE(test::WaitUntil([&] { return std::filesystem::exists(dir_ / "my editor/out"); }))
        << name;
    EXPECT_EQ(dir_.Read("my editor/out"), file + "|") << name;
  }
  // A setting with arguments is split as the shell would split it, and runs nothing.
  Result<platform::Command> with_options =
      EditorCommand("'" + editor + "' -n \"a b\" $(touch X);", "f");
  ASSERT_TRUE(with_options);
  EXPECT_EQ(with_options->words,
            (std::vector<std::string>{editor, "-n", "a b", "$(touch", "X);", "f"}));
  EXPECT_FALSE(EditorCommand("   ", "f"));
  EXPECT_EQ(EditorCommand("'vi", "f").Message(), "unclosed quote in: 'vi");
}

TEST(ShellQuoted, SingleQuotesAndTheQuoteItself) {
  EXPECT_EQ(ShellQuoted(""), "''");
  EXPECT_EQ(ShellQuoted("it's $HOME"), "'it'\\''s $HOME'");
}

TEST(SplitCommandWords, BlanksSeparateAndQuotesGroup) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(*SplitCommandWords("  prog  a\tb "), (Words{"prog", "a", "b"}));
  EXPECT_EQ(*SplitCommandWords("\"/my dir/prog\" \"two words\" x\"y z\""),
            (Words{"/my dir/prog", "two words", "xy z"}));
  EXPECT_EQ(*SplitCommandWords("a \"\" b ''"), (Words{"a", "", "b", ""}));
  EXPECT_TRUE(SplitCommandWords("   ")->empty());
  EXPECT_EQ(*SplitCommandWords(R"('a"b' "c\"d\x" e\ f)"), (Words{"a\"b", "c\"d\\x", "e f"}));
  EXPECT_FALSE(SplitCommandWords("\"open"));
}

}  // namespace
}  // namespace kw

namespace kw {
namespace {

TEST(BuildCommandLine, TheRowsInTheirOrder) {
  GameCommand command;
  command.EmulatorPath = "/emu/mame";
  std::string inp;
  EXPECT_EQ(BuildCommandLine(command, "mygame", inp).Script(),
            "'/emu/mame' 'mygame' '-romdir' '$KSTEMP$'");

  command.ErrorLog = command.LogTextOutput = command.Record = true;
  command.AddExtraOptions = true;
  command.ExtraOptions = "-soundcard 0";
  EXPECT_EQ(BuildCommandLine(command, "mygame", inp).Script(),
            "'/emu/mame' 'mygame' '-romdir' '$KSTEMP$' '-log' '-record' 'mygame' -soundcard 0 "
            ">'$KSTEMP$.NFO'");
  EXPECT_EQ(inp, "mygame") << "an empty recording name takes the set's";

  command = GameCommand{};
  command.EmulatorPath = "/emu/mame";
  command.IgnoreConfig = command.Playback = true;
  inp = "MYREC.INP";
  EXPECT_EQ(BuildCommandLine(command, "mygame", inp).Text(),
            "/bin/sh -c '/emu/mame' 'mygame' '-romdir' '$KSTEMP$' '-ignorecfg' '-playback' "
            "'MYREC'");
  EXPECT_EQ(inp, "MYREC.INP");
}

TEST(BuildCommandLine, TodaysEmulatorInItsOwnWords) {
  GameCommand command;
  command.Dialect = EmulatorDialect::kListxml;
  command.EmulatorPath = "/usr/games/mame";
  std::string inp;
  EXPECT_EQ(BuildCommandLine(command, "galagamk2", inp).Script(),
            "'/usr/games/mame' 'galagamk2' '-rompath' '$KSTEMP$' '-samplepath' '$KSTEMP$'");

  // A recording is named relative to the emulator's input directory, with its extension.
  command.ErrorLog = command.IgnoreConfig = command.Record = command.LogTextOutput = true;
  command.AddExtraOptions = true;
  command.ExtraOptions = "-video none -seconds_to_run 2";
  EXPECT_EQ(BuildCommandLine(command, "galagamk2", inp).Script(),
            "'/usr/games/mame' 'galagamk2' '-rompath' '$KSTEMP$' '-samplepath' '$KSTEMP$' '-log' "
            "'-noreadconfig' '-record' 'galagamk2.inp' -video none -seconds_to_run 2 "
            ">'$KSTEMP$.NFO'");
  EXPECT_EQ(inp, "galagamk2") << "an empty recording name takes the set's, whole";

  command = GameCommand{};
  command.Dialect = EmulatorDialect::kListxml;
  command.EmulatorPath = "/usr/games/mame";
  command.Playback = true;
  inp = "MyRec.INP";  // a name with its extension is given as it is
  EXPECT_EQ(BuildCommandLine(command, "PONG", inp).Script(),
            "'/usr/games/mame' 'pong' '-rompath' '$KSTEMP$' '-samplepath' '$KSTEMP$' '-playback' "
            "'MyRec.INP'");
  EXPECT_EQ(RecordingFileOf(EmulatorDialect::kListinfo, "MyRec.INP"), "MyRec");
}

}  // namespace
}  // namespace kw
