#include "core/browser/game_list.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "common/ascii.h"
#include "core/browser/game_filter.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"

namespace kw {

namespace {

int CompareNumbers(unsigned long a, unsigned long b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Byte order: std::string_view compares through char_traits<char>, which compares as unsigned
// char, and a prefix comes first.
int CompareTexts(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void AppendNumber(std::string& out, unsigned long value, int min_digits) {
  char digits[24];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;
  for (long pad = min_digits - (end - digits); pad > 0; --pad)
    out.push_back('0');
  out.append(digits, end);
}

}  // namespace

int CompareGames(const GameDatabase& db, const GameRecord& a, const GameRecord& b, int sort_by,
                 bool reverse, std::uint32_t a_plays, std::uint32_t b_plays) {
  const GameRecord& x = reverse ? b : a;
  const GameRecord& y = reverse ? a : b;
  if (reverse) std::swap(a_plays, b_plays);
  switch (sort_by) {
    case kSortNone:
      return CompareNumbers(x.Index, y.Index);
    case kSortDescription:
      return CompareTexts(db.Description(x), db.Description(y));
    case kSortManufacturer:
      return CompareTexts(db.Manufacturer(x), db.Manufacturer(y));
    case kSortYear:
      return CompareNumbers(x.Year, y.Year);
    case kSortMostPlayed:
      return CompareNumbers(b_plays, a_plays);  // more plays first
    default:
      return 0;
  }
}

void SortGames(GameDatabase& db, int sort_by, bool reverse, const PlayStats& stats) {
  if (sort_by < kSortNone || sort_by > kSortMostPlayed) return;  // every game equal
  db.ReorderGames([&](std::vector<GameRecord>& games) {
    std::vector<std::uint32_t> plays;
    if (sort_by == kSortMostPlayed) {
      const auto counts = stats.PlayCounts();
      plays.reserve(games.size());
      for (const GameRecord& g : games) {
        const auto found = counts.find(g.Name.View());
        plays.push_back(found == counts.end() ? 0 : found->second);
      }
    }
    std::vector<std::uint32_t> order(games.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t i, std::uint32_t j) {
      const std::uint32_t pi = plays.empty() ? 0 : plays[i];
      const std::uint32_t pj = plays.empty() ? 0 : plays[j];
      return CompareGames(db, games[i], games[j], sort_by, reverse, pi, pj) < 0;
    });
    std::vector<GameRecord> sorted;
    sorted.reserve(games.size());
    for (std::uint32_t i : order)
      sorted.push_back(games[i]);
    games.swap(sorted);
  });
}

void GameListLines::Clear() {
  text_.clear();
  text_.shrink_to_fit();
  ends_.clear();
  ends_.shrink_to_fit();
}

void GameListLines::Reserve(std::size_t lines, std::size_t bytes) {
  ends_.reserve(lines);
  text_.reserve(bytes);
}

void GameListLines::Add(std::string_view line) {
  text_.append(line);
  ends_.push_back(text_.size());
}

void AppendGameListLine(const GameDatabase& db, std::size_t position, const ListingOptions& options,
                        std::string& out) {
  AppendGameListLine(db, position, position + 1, options, out);
}

void AppendGameListLine(const GameDatabase& db, std::size_t position, std::size_t number,
                        const ListingOptions& options, std::string& out) {
  const GameRecord& game = db.Game(position);
  AppendNumber(out, number, 5);
  out.append(" - ");
  if (options.romset_name) {
    out.push_back('[');
    out.append(game.Name.View());
    out.append("] = ");
  }
  out.append(db.Description(game));
  if (options.year || options.manufacturer) {
    out.append("   (");
    if (options.year) AppendNumber(out, game.Year, 1);
    if (options.year && options.manufacturer) out.append(" - ");
    if (options.manufacturer) out.append(db.Manufacturer(game));
    out.push_back(')');
  }
}

std::string GameListLine(const GameDatabase& db, std::size_t position,
                         const ListingOptions& options) {
  std::string line;
  AppendGameListLine(db, position, options, line);
  return line;
}

void BuildGameListLines(const GameDatabase& db, const ListingOptions& options,
                        GameListLines& lines) {
  ShownGames every;
  every.ShowAll(db.GameCount());
  BuildGameListLines(db, every, options, lines);
}

void BuildGameListLines(const GameDatabase& db, const ShownGames& shown,
                        const ListingOptions& options, GameListLines& lines) {
  lines.Clear();
  const std::size_t count = shown.size();
  // A first guess of the size keeps the block from growing many times.
  lines.Reserve(count, count * 48);
  std::string line;
  for (std::size_t n = 0; n < count; ++n) {
    line.clear();
    AppendGameListLine(db, static_cast<std::size_t>(shown.Position(static_cast<long>(n))), n + 1,
                       options, line);
    lines.Add(line);
  }
}

long FindDescriptionPrefix(const GameDatabase& db, std::string_view prefix) {
  ShownGames every;
  every.ShowAll(db.GameCount());
  return FindDescriptionPrefix(db, every, prefix);
}

long FindDescriptionPrefix(const GameDatabase& db, const ShownGames& shown,
                           std::string_view prefix) {
  const std::size_t count = shown.size();
  for (std::size_t n = 0; n < count; ++n) {
    const std::string_view description =
        db.Description(db.Game(static_cast<std::size_t>(shown.Position(static_cast<long>(n)))));
    if (description.size() < prefix.size()) continue;
    bool equal = true;
    for (std::size_t i = 0; i < prefix.size() && equal; ++i)
      equal = AsciiUpper(description[i]) == prefix[i];
    if (equal) return static_cast<long>(n);
  }
  return -1;
}

long TypeAhead::KeyTyped(const GameDatabase& db, char key, long current_line) {
  ShownGames every;
  every.ShowAll(db.GameCount());
  return KeyTyped(db, every, key, current_line);
}

long TypeAhead::KeyTyped(const GameDatabase& db, const ShownGames& shown, char key,
                         long current_line) {
  const auto code = static_cast<unsigned char>(key);
  if (code < 32 || code > 126) return -1;
  const char upper = AsciiUpper(key);
  typed_prefix_.push_back(upper);
  long found = FindDescriptionPrefix(db, shown, typed_prefix_);
  if (found >= 0) return found;
  typed_prefix_.assign(1, upper);
  found = FindDescriptionPrefix(db, shown, typed_prefix_);
  if (found >= 0) return found;
  // Nothing starts with the key: the second line, which a one-game list does not have.
  return shown.size() > 1 ? 1 : current_line;
}

}  // namespace kw
