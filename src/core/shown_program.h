// Programs the front-end starts to show the user something (the text editor, the desktop's
// opener, the file manager) and does not wait for. The desktop's opener without a handler for
// a file ends at once with a failure, its reason on standard error only: such a program is
// watched for a moment and its failure said, while one that keeps running is left to run.
#pragma once

#include <optional>
#include <string>

#include "platform/process.h"

namespace kw {

class UserInterface;

// Why a program did not show what it was started for.
struct ShowFailure {
  bool started = false;  // it ran and ended at once with a failure; else it could not start
  std::string reason;    // the system's reason, or the last line the program wrote on stderr
};

// Starts `command` and watches it for `moment_ms` (the windows repaint meanwhile, taking no
// input); nothing when it runs on or ended well.
std::optional<ShowFailure> StartShowingProgram(UserInterface& ui, const platform::Command& command,
                                               int moment_ms = platform::kOpenWatchMs);

// The message for a text editor `editor` that did not open `file`.
std::string EditorFailureText(const std::string& editor, const std::string& file,
                              const ShowFailure& failure);

// Starts the text editor `editor` (the setting as the user wrote it) on `file`, without waiting
// for it; an editor that cannot start or ends at once with a failure is said with its reason, so
// that a missing editor does not look like a dead menu.
void OpenInTextEditor(UserInterface& ui, const std::string& editor, const std::string& file);

}  // namespace kw
