// Commands as argument lists; quoting only where the command interpreter reads them.
#include "core/shared/command_line.h"

#include <utility>

#include "common/ascii.h"
#include "platform/fs.h"

namespace kw {

platform::Command DirectCommand(std::vector<std::string> words) {
  return platform::Command{std::move(words)};
}

std::string ShellQuoted(std::string_view word) {
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

void ShellCommandLine::Append(std::string_view text) {
  if (!script_.empty()) script_ += ' ';
  script_ += text;
  if (!run_script_.empty()) run_script_ += ' ';
  run_script_ += text;
}

ShellCommandLine& ShellCommandLine::Program(std::string_view path) {
  Append(ShellQuoted(platform::fs::Resolve(path)));
  return *this;
}

ShellCommandLine& ShellCommandLine::Word(std::string_view word) {
  Append(ShellQuoted(word));
  return *this;
}

ShellCommandLine& ShellCommandLine::UserText(std::string_view text) {
  Append(text);
  return *this;
}

ShellCommandLine& ShellCommandLine::RedirectOutputTo(std::string_view file) {
  if (!script_.empty()) script_ += ' ';
  script_ += ">" + ShellQuoted(file);
  output_file_ = file;
  return *this;
}

std::string ShellCommandLine::Text() const {
  return platform::CommandPrefix() + script_;
}

platform::Command ShellCommandLine::Build() const {
  return platform::Command{{platform::kCommandInterpreter, "-c", run_script_}};
}

std::string RecordingFileOf(EmulatorDialect dialect, std::string_view inp_file) {
  const std::size_t dot = inp_file.find('.');
  if (dialect == EmulatorDialect::kListinfo) return std::string(inp_file.substr(0, dot));
  if (dot != std::string_view::npos) return std::string(inp_file);
  return std::string(inp_file) + ".inp";
}

ShellCommandLine BuildCommandLine(const GameCommand& command, std::string_view set_name,
                                  std::string& inp_file) {
  const bool today = command.Dialect == EmulatorDialect::kListxml;
  ShellCommandLine line;
  // Today's emulator names its machines in lower case (and looks for their sets so).
  line.Program(command.EmulatorPath).Word(today ? AsciiLowerCase(set_name) : std::string(set_name));
  if (today) {
    line.Word("-rompath")
        .Word(command.RomPath.empty() ? command.TempDirName
                                      : command.TempDirName + ";" + command.RomPath)
        .Word("-samplepath")
        .Word(command.TempDirName);
  } else {
    line.Word("-romdir").Word(command.TempDirName);
  }
  if (command.ErrorLog) line.Word("-log");
  if (command.IgnoreConfig) line.Word(today ? "-noreadconfig" : "-ignorecfg");
  if (command.Record || command.Playback) {
    if (inp_file.empty()) inp_file = today ? AsciiLowerCase(set_name) : std::string(set_name);
    line.Word(command.Record ? "-record" : "-playback")
        .Word(RecordingFileOf(command.Dialect, inp_file));
  }
  if (command.AddExtraOptions) line.UserText(command.ExtraOptions);
  if (command.LogTextOutput) line.RedirectOutputTo(command.CaptureFileName);
  return line;
}

Result<std::vector<std::string>> SplitCommandWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
      continue;
    }
    in_word = true;
    if (c == '\'') {
      std::size_t close = text.find('\'', i + 1);
      if (close == std::string_view::npos)
        return Failure("unclosed quote in: " + std::string(text));
      word.append(text.substr(i + 1, close - i - 1));
      i = close;
    } else if (c == '"') {
      std::size_t j = i + 1;
      for (; j < text.size() && text[j] != '"'; ++j) {
        if (text[j] == '\\' && j + 1 < text.size() &&
            std::string_view("\"\\$`").find(text[j + 1]) != std::string_view::npos) {
          ++j;
        }
        word += text[j];
      }
      if (j == text.size()) return Failure("unclosed quote in: " + std::string(text));
      i = j;
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else {
      word += c;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

Result<platform::Command> EditorCommand(std::string_view editor, std::string_view file) {
  std::vector<std::string> words;
  if (editor.find('/') != std::string_view::npos && platform::fs::FileExists(editor)) {
    words.emplace_back(editor);
  } else {
    Result<std::vector<std::string>> split = SplitCommandWords(editor);
    if (!split) return Failure(split.Message());
    words = std::move(*split);
  }
  if (words.empty()) return Failure("no text editor is set");
  words.emplace_back(file);
  return DirectCommand(std::move(words));
}

}  // namespace kw
