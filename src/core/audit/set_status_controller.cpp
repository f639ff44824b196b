#include "core/audit/set_status_controller.h"

#include <chrono>

#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "platform/fs.h"

namespace kw {

SetStatusController::SetStatusController(const GameDatabase& database, const AppNames& names)
    : database_(database), names_(names) {}

void SetStatusController::ProfileOpened() {
  load_problem_.clear();
  // A profile opened from the window has a full path already; one named on a command line is
  // made full here, before the current directory moves to the emulator's.
  path_ = SetStatusPath(names_.ProgramDir, platform::fs::ExpandFileName(database_.ProfilePath));
  const std::string& path = path_;
  if (Status loaded = book_.Load(path); !loaded) {
    load_problem_ = "the kept set status cannot be read: " + loaded.Message();
  } else if (book_.SkippedLines() != 0) {
    load_problem_ = path + ": " + std::to_string(book_.SkippedLines()) +
                    " lines that are no set status were skipped";
  }
}

Status SetStatusController::Keep(const SetVerdicts& verdicts, bool whole) {
  if (path_.empty()) return Success();
  const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
  if (whole) book_.Clear();
  for (const auto& [name, verdict] : verdicts)
    book_.Record(name, verdict, now);
  Status saved = book_.Save(path_);
  if (!saved) return Failure("The set status cannot be kept: " + saved.Message());
  return Success();
}

}  // namespace kw
