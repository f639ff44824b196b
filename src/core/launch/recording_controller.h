// The game-recording controls: no recording, playing a recording back, or recording the game,
// and the stem of the recording file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/profile/profile_controller.h"

namespace kw {

class GameDatabase;

enum class RecordingMode { None, Playback, Record };

// The edit holds at most this many characters, forced to upper case.
inline constexpr std::size_t kRecordingNameWidth = 12;

class RecordingView {
 public:
  virtual ~RecordingView() = default;
  // The box and its speed buttons are usable only with a profile.
  virtual void SetRecordingEnabled(bool enabled) = 0;
  virtual void ShowRecordingMode(RecordingMode mode) = 0;
  // Enables the file name's label, edit and browse button (disabled ones take the button-face
  // colour).
  virtual void SetFileNameEnabled(bool enabled) = 0;
  virtual void SetFileName(const std::string& name) = 0;
};

class RecordingController : public ProfileListener {
 public:
  RecordingController(const GameDatabase& database, RecordingView& view);

  RecordingMode Mode() const { return mode_; }

  void SelectNone();
  // Playback and record need a game to play: with an empty list the choice does nothing.
  void SelectPlayback();
  void SelectRecord();

  // Opening or creating a profile starts again from no recording with an empty name.
  void ProfileStateChanged(bool profile_loaded) override;

 private:
  void SelectRecordingMode(RecordingMode mode);

  const GameDatabase& database_;
  RecordingView& view_;
  RecordingMode mode_ = RecordingMode::None;
};

// What the edit holds after the user typed `typed`: its letters in upper case. (The edit itself
// takes at most kRecordingNameWidth characters.)
std::string RecordingFileNameTyped(std::string_view typed);

}  // namespace kw
