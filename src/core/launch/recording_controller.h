// The game-recording controls: no recording, playing a recording back, or recording the game,
// and the stem of the recording file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/shared/profile_listener.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListNavigation;

enum class RecordingMode { None, Playback, Record };

// The edit holds at most this many characters, forced to upper case.
inline constexpr std::size_t kRecordingNameWidth = 12;
// For today's emulator: a set name of 32 characters and ".inp", in the case the user typed (its
// file names are matched with case).
inline constexpr std::size_t kLongRecordingNameWidth = 36;

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
  // The most characters the edit takes (set when a profile opens).
  virtual void SetFileNameWidth(std::size_t /*width*/) {}
  // "Select a game recording file" in `initial_dir`, proposing `name`; the chosen path.
  virtual std::optional<std::string> ChooseRecordingFile(const std::string& initial_dir,
                                                         const std::string& name) = 0;
};

class RecordingController : public ProfileListener {
 public:
  RecordingController(const GameDatabase& database, const GameListNavigation& list,
                      const EmulatorConfigController& emulator_config, RecordingView& view);

  RecordingMode Mode() const { return mode_; }
  // InpFile: the recording's file name as the edit holds it.
  const std::string& FileName() const { return file_name_; }
  // The user typed into the edit (upper-cased, at most kRecordingNameWidth characters; for
  // today's emulator as typed, at most kLongRecordingNameWidth).
  void FileNameEdited(std::string_view typed);
  // What the edit shows for what the user typed, and how many characters it takes.
  std::string Typed(std::string_view typed) const;
  std::size_t FileNameWidth() const;
  // The launch gave the edit a name (the set's, when it was empty).
  void SetFileName(const std::string& name);

  // NoneRDOClick, PlayRDOClick, RecordRDOClick. Playback and record need a game to play: with an
  // empty list the choice does nothing; an empty name takes the selected game's.
  void SelectNone();
  void SelectPlayback();
  void SelectRecord();
  // InpBrowseBTNClick: a recording chosen in the inp directory, its name cut at the first full
  // stop and to 8 characters (for today's emulator: the whole file name, which it is given).
  void InpBrowseBTNClick();

  // Opening or creating a profile starts again from no recording with an empty name.
  void ProfileStateChanged(bool profile_loaded) override;

 private:
  void SelectRecordingMode(RecordingMode mode);

  const GameDatabase& database_;
  const GameListNavigation& list_;
  const EmulatorConfigController& emulator_config_;
  RecordingView& view_;
  RecordingMode mode_ = RecordingMode::None;
  std::string file_name_;
};

// What the edit holds after the user typed `typed`: its letters in upper case. (The edit itself
// takes at most kRecordingNameWidth characters.)
std::string RecordingFileNameTyped(std::string_view typed);

}  // namespace kw
