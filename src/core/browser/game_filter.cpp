#include "core/browser/game_filter.h"

#include "core/browser/catver.h"
#include "core/browser/favourites.h"
#include "core/shared/game_database.h"

namespace kw {

void ShownGames::ShowAll(std::size_t total) {
  filtered_ = false;
  total_ = total;
  positions_.clear();
  positions_.shrink_to_fit();
  lines_.clear();
  lines_.shrink_to_fit();
}

void ShownGames::Show(std::vector<std::uint32_t> positions, std::size_t total) {
  filtered_ = true;
  total_ = total;
  positions_ = std::move(positions);
  lines_.assign(total, -1);
  for (std::size_t line = 0; line < positions_.size(); ++line)
    lines_[positions_[line]] = static_cast<std::int32_t>(line);
}

long ShownGames::Position(long line) const {
  if (line < 0 || static_cast<std::size_t>(line) >= size()) return -1;
  return filtered_ ? static_cast<long>(positions_[static_cast<std::size_t>(line)]) : line;
}

long ShownGames::LineOf(long position) const {
  if (position < 0 || static_cast<std::size_t>(position) >= total_) return -1;
  return filtered_ ? lines_[static_cast<std::size_t>(position)] : position;
}

namespace {

// Whether the game passes every filter that is on. `wanted` tells by category id whether the
// category is the chosen one, worked out once for the whole list.
bool GameShown(const GameRecord& game, const FilterSettings& filters, const FilterFacts& facts,
               const std::vector<bool>& wanted) {
  if (filters.HideClones && !game.CloneOf.empty()) return false;
  if (filters.HideBios && (game.Machine & (kMachineBios | kMachineDevice)) != 0) return false;
  if (filters.HideMechanical && (game.Machine & kMachineMechanical) != 0) return false;
  if (filters.WorkingOnly && game.DriverStatus != kDriverGood) return false;
  const std::string_view name = game.Name.View();
  if (filters.FavouritesOnly && (!facts.favourites || !facts.favourites->Contains(name)))
    return false;
  if (!filters.Category.empty()) {
    const long id = facts.categories ? facts.categories->CategoryIdOf(name) : -1;
    if (id < 0 || !wanted[static_cast<std::size_t>(id)]) return false;
  }
  // Last: the kept status is the dearest look-up.
  if (filters.AvailableOnly && (!facts.available || !facts.available(name))) return false;
  return true;
}

}  // namespace

void ChooseShownGames(const GameDatabase& db, const FilterSettings& filters,
                      const FilterFacts& facts, ShownGames& shown) {
  const std::size_t count = db.GameCount();
  if (!filters.On()) {
    shown.ShowAll(count);
    return;
  }
  std::vector<bool> wanted;
  if (!filters.Category.empty() && facts.categories) {
    for (const std::string& category : facts.categories->Categories())
      wanted.push_back(CategoryMatches(category, filters.Category));
  }
  std::vector<std::uint32_t> positions;
  for (std::size_t n = 0; n < count; ++n) {
    if (GameShown(db.Game(n), filters, facts, wanted))
      positions.push_back(static_cast<std::uint32_t>(n));
  }
  shown.Show(std::move(positions), count);
}

std::string ShownCountText(const ShownGames& shown) {
  if (!shown.Filtered()) return {};
  return std::to_string(shown.size()) + " of " + std::to_string(shown.Total()) + " games shown";
}

}  // namespace kw
