// The filter of the game list: which games of Games it shows, and the mapping between the
// list's lines and the games' positions. With no filter on, the list shows every game and a line
// is the game's position, as it always was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/shared/filter_settings.h"

namespace kw {

class CategoryIndex;
class Favourites;
class GameDatabase;
struct GameRecord;

// The lines of the list as positions in Games. A list that shows every game maps each line to
// the game at the same position.
class ShownGames {
 public:
  // Every game of a list of `total`.
  void ShowAll(std::size_t total);
  // Only the games at `positions` (ascending: the list's order) of a list of `total`.
  void Show(std::vector<std::uint32_t> positions, std::size_t total);

  bool Filtered() const { return filtered_; }
  std::size_t size() const { return filtered_ ? positions_.size() : total_; }
  std::size_t Total() const { return total_; }
  // The position in Games of the game on `line`; -1 for a line the list does not have.
  long Position(long line) const;
  // The line of the game at `position`; -1 when the list does not show it.
  long LineOf(long position) const;

 private:
  bool filtered_ = false;
  std::size_t total_ = 0;
  std::vector<std::uint32_t> positions_;
  std::vector<std::int32_t> lines_;  // by position: its line, or -1
};

// What the filter knows of the games beside their records.
struct FilterFacts {
  // Whether the set's kept status is good or best available; unset: no set is.
  std::function<bool(std::string_view name)> available;
  const Favourites* favourites = nullptr;
  const CategoryIndex* categories = nullptr;
};

// The games of Games (as sorted now) that pass the filters: all of them when none is on.
void ChooseShownGames(const GameDatabase& db, const FilterSettings& filters,
                      const FilterFacts& facts, ShownGames& shown);

// "N of M games shown" for a filtered list, "" for one that shows every game.
std::string ShownCountText(const ShownGames& shown);

}  // namespace kw
