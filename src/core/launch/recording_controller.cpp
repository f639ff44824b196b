#include "core/launch/recording_controller.h"

#include "common/ascii.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "platform/fs.h"

namespace kw {

RecordingController::RecordingController(const GameDatabase& database,
                                         const GameListNavigation& list,
                                         const EmulatorConfigController& emulator_config,
                                         RecordingView& view)
    : database_(database), list_(list), emulator_config_(emulator_config), view_(view) {}

namespace {

bool TodaysEmulator(const GameDatabase& database) {
  return database.Dialect == EmulatorDialect::kListxml;
}

}  // namespace

void RecordingController::FileNameEdited(std::string_view typed) {
  file_name_ = Typed(typed.substr(0, FileNameWidth()));
}

std::string RecordingController::Typed(std::string_view typed) const {
  return TodaysEmulator(database_) ? std::string(typed) : RecordingFileNameTyped(typed);
}

std::size_t RecordingController::FileNameWidth() const {
  return TodaysEmulator(database_) ? kLongRecordingNameWidth : kRecordingNameWidth;
}

void RecordingController::SetFileName(const std::string& name) {
  file_name_ = name;
  view_.SetFileName(file_name_);
}

void RecordingController::InpBrowseBTNClick() {
  std::optional<std::string> chosen =
      view_.ChooseRecordingFile(emulator_config_.Config().directory.inp, file_name_);
  if (!chosen) return;
  std::string name = platform::fs::ExtractFileName(*chosen);
  if (TodaysEmulator(database_)) {
    SetFileName(name.substr(0, kLongRecordingNameWidth));
    return;
  }
  name = name.substr(0, name.find('.'));
  SetFileName(name.substr(0, 8));
}

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
  const long position = list_.SelectedGame();
  if (file_name_.empty() && position >= 0 &&
      static_cast<std::size_t>(position) < database_.GameCount())
    SetFileName(database_.Game(static_cast<std::size_t>(position)).Name.Str());
}

void RecordingController::ProfileStateChanged(bool profile_loaded) {
  view_.SetRecordingEnabled(profile_loaded);
  view_.SetFileNameWidth(FileNameWidth());
  mode_ = RecordingMode::None;
  view_.ShowRecordingMode(mode_);
  SetFileName("");
  view_.SetFileNameEnabled(false);
}

std::string RecordingFileNameTyped(std::string_view typed) {
  return AsciiUpperCase(typed);
}

}  // namespace kw
