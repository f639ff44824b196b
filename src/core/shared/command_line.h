// The one builder of the commands the program starts. A file or set name is always one word of
// an argument list, never text pasted into a command line: a name holding blanks, quotes,
// "$(...)", backticks or ";" reaches the program as the word it is and runs nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "core/shared/emulator_dialect.h"
#include "platform/process.h"

namespace kw {

// A program started directly with these words (words[0] names the program).
platform::Command DirectCommand(std::vector<std::string> words);

// A word written for /bin/sh so that it reaches the program as it is: between single quotes,
// inside which nothing is special; a single quote itself is written '\''.
std::string ShellQuoted(std::string_view word);

// A command line for the command interpreter, for what only the interpreter does: sending the
// emulator's output into the capture file. Every word is quoted; only the text the user typed
// as extra options goes in as written, for the interpreter to split as the user meant.
class ShellCommandLine {
 public:
  // The program to run: its path resolved without regard to case, as a direct start would.
  ShellCommandLine& Program(std::string_view path);
  ShellCommandLine& Word(std::string_view word);
  ShellCommandLine& UserText(std::string_view text);
  // The standard output into `file` (a word like any other: "$KSTEMP$.NFO" is that name). The
  // user is shown it as the interpreter's redirection; the program itself makes the file
  // (StartWithCapture), so that a link planted at its name is never written through.
  ShellCommandLine& RedirectOutputTo(std::string_view file);

  // What the user is shown, the redirection included.
  const std::string& Script() const { return script_; }
  // The whole command as the user is shown it: CommandPrefix() followed by the script.
  std::string Text() const;
  // The file the standard output goes into; empty when it is not redirected.
  const std::string& OutputFile() const { return output_file_; }
  // The command that runs the script without the redirection: the caller hands the capture
  // file over as its standard output (Command::output_fd).
  platform::Command Build() const;

 private:
  void Append(std::string_view text);
  std::string script_;
  std::string run_script_;  // the script without the redirection
  std::string output_file_;
};

// What the emulator's command line for a game is made of.
struct GameCommand {
  EmulatorDialect Dialect = EmulatorDialect::kListinfo;  // which emulator's options to use
  std::string EmulatorPath;                              // EmulatorDir + EmulatorExe
  std::string TempDirName = "$KSTEMP$";
  // Today's emulator reads the collection itself: its ROM folders, after the temporary
  // directory (which holds only the sets it could not read as they stand). Empty: the temporary
  // directory alone.
  std::string RomPath;
  std::string CaptureFileName = "$KSTEMP$.NFO";
  bool ErrorLog = false;
  bool IgnoreConfig = false;
  bool Record = false;    // RecordBTN down
  bool Playback = false;  // PlayBTN down
  bool AddExtraOptions = false;
  std::string ExtraOptions;  // as the user wrote them
  bool LogTextOutput = false;
};

// BuildCommandLine: the emulator, the set name, "-romdir $KSTEMP$", then as chosen -log,
// -ignorecfg, -record or -playback with the recording stem, the user's extra options and the
// output into the capture file. For a recording an empty `inp_file` first becomes the set name
// (the edit shows it); the stem is its text up to its first full stop. Every word but the
// user's extra options reaches the emulator as it is.
//
// Today's emulator is given the same in its own words: "-rompath $KSTEMP$;ROMPATH -samplepath
// $KSTEMP$"
// (it looks for each set in a directory of the set's name there), -log (its error.log),
// -noreadconfig, and -record or -playback with a file name relative to its input directory,
// extension included: the text of `inp_file` as it is when it has an extension, else the stem
// and ".inp".
std::string RecordingFileOf(EmulatorDialect dialect, std::string_view inp_file);
ShellCommandLine BuildCommandLine(const GameCommand& command, std::string_view set_name,
                                  std::string& inp_file);

// Splits a command the user typed into words the way /bin/sh does, expanding nothing: blanks
// separate; '...' keeps every character; "..." keeps every character but a backslash before
// " \ $ or `; outside quotes a backslash keeps the next character. An unclosed quote fails.
Result<std::vector<std::string>> SplitCommandWords(std::string_view text);

// The text editor opening `file`. The setting is the user's command: a program, perhaps with
// arguments, as the user wrote it. It is split into words as the shell would and started
// directly, with the file as one more word; nothing in it is run as shell code, and the program
// is still found without regard to case (the setting is kept in upper case). A setting that
// names an existing file as a whole (a path picked in the file dialog, blanks and all) is the
// program alone.
Result<platform::Command> EditorCommand(std::string_view editor, std::string_view file);

}  // namespace kw
