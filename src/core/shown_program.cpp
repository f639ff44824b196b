#include "core/shown_program.h"

#include "core/shared/command_line.h"
#include "core/user_interface.h"

namespace kw {

std::optional<ShowFailure> StartShowingProgram(UserInterface& ui, const platform::Command& command,
                                               int moment_ms) {
  Result<platform::WatchedProgram> program =
      platform::StartWatched(command, platform::kShowNormal, moment_ms);
  if (!program) return ShowFailure{false, program.Message()};
  ui.AwaitProgram([&program] { return program->Settled(); }, false);
  if (Status outcome = program->Outcome(); !outcome) return ShowFailure{true, outcome.Message()};
  return std::nullopt;
}

std::string EditorFailureText(const std::string& editor, const std::string& file,
                              const ShowFailure& failure) {
  if (!failure.started) {
    return "Cannot start the text editor \"" + editor +
           "\".\rPlease choose a text editor in the preferences.";
  }
  return "The text editor \"" + editor + "\" could not open " + file + ".\r" + failure.reason;
}

void OpenInTextEditor(UserInterface& ui, const std::string& editor, const std::string& file) {
  Result<platform::Command> command = EditorCommand(editor, file);
  std::optional<ShowFailure> failed =
      command ? StartShowingProgram(ui, *command) : ShowFailure{false, command.Message()};
  if (failed) ui.Ask(EditorFailureText(editor, file, *failed), MsgIcon::Error);
}

}  // namespace kw
