#include "core/launch/recording_controller.h"

#include "core/profile/game_database.h"
#include "platform/ascii.h"

namespace kw {

RecordingController::RecordingController(const GameDatabase& database, RecordingView& view)
    : database_(database), view_(view) {}

void RecordingController::SelectNone() {
  mode_ = RecordingMode::None;
  view_.ShowRecordingMode(mode_);
  view_.SetFileNameEnabled(false);
}

void RecordingController::SelectPlayback() {
  SelectRecordingMode(RecordingMode::Playback);
}

void RecordingController::SelectRecord() {
  SelectRecordingMode(RecordingMode::Record);
}

void RecordingController::SelectRecordingMode(RecordingMode mode) {
  if (!database_.ProfileLoaded || database_.GameCount() == 0) {
    view_.ShowRecordingMode(mode_);  // the button does not stay down
    return;
  }
  mode_ = mode;
  view_.ShowRecordingMode(mode_);
  view_.SetFileNameEnabled(true);
  // An empty name takes the selected game's set name once the list has a selection.
}

void RecordingController::ProfileStateChanged(bool profile_loaded) {
  view_.SetRecordingEnabled(profile_loaded);
  mode_ = RecordingMode::None;
  view_.ShowRecordingMode(mode_);
  view_.SetFileName("");
  view_.SetFileNameEnabled(false);
}

std::string RecordingFileNameTyped(std::string_view typed) {
  return platform::AsciiUpperCase(typed);
}

}  // namespace kw
