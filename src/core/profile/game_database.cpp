#include "core/profile/game_database.h"

namespace kw {

std::string_view ControlWord(std::uint8_t control) {
  switch (control) {
    case kControlJoy4Way:
    case kControlJoy8Way:
      return "joystick";
    case kControlDoubleJoy4Way:
    case kControlDoubleJoy8Way:
      return "2 joysticks";
    case kControlDial:
      return "dial";
    case kControlStick:
      return "analog stick";
    case kControlPaddle:
      return "paddle";
    case kControlTrackball:
      return "trackball";
    default:
      return "";
  }
}

std::string_view DriverWord(std::uint8_t driver_code) {
  switch (driver_code) {
    case kDriverImperfect:
      return "Bugged";
    case kDriverPreliminary:
      return "Preliminary";
    case kDriverGood:
      return "Ok";
    default:
      return "Not available";
  }
}

void GameDatabase::ClearDatabase() {
  games_.clear();
  games_.shrink_to_fit();
  resources_.clear();
  resources_.shrink_to_fit();
  index_valid_ = false;
}

bool GameDatabase::AddGame(GameRecord record) {
  if (games_.size() >= kMaxRecords) return false;
  games_.push_back(std::move(record));
  index_valid_ = false;
  return true;
}

bool GameDatabase::AddResource(GameRecord record) {
  if (resources_.size() >= kMaxRecords) return false;
  resources_.push_back(std::move(record));
  index_valid_ = false;
  return true;
}

void GameDatabase::BuildIndex() const {
  game_index_.clear();
  resource_index_.clear();
  game_index_.reserve(games_.size());
  // try_emplace keeps the first position of a repeated name, as a linear search would find it.
  for (std::size_t i = 0; i < games_.size(); ++i)
    game_index_.try_emplace(games_[i].Name, i);
  for (std::size_t i = 0; i < resources_.size(); ++i)
    resource_index_.try_emplace(resources_[i].Name, i);
  index_valid_ = true;
}

const GameRecord* GameDatabase::FindSet(std::string_view name, bool with_resources) const {
  if (!index_valid_) BuildIndex();
  std::string key(name);
  if (auto it = game_index_.find(key); it != game_index_.end()) return &games_[it->second];
  if (with_resources) {
    if (auto it = resource_index_.find(key); it != resource_index_.end())
      return &resources_[it->second];
  }
  return nullptr;
}

long GameDatabase::FindGamePosition(std::string_view name) const {
  if (!index_valid_) BuildIndex();
  auto it = game_index_.find(std::string(name));
  return it == game_index_.end() ? -1 : static_cast<long>(it->second);
}

}  // namespace kw
