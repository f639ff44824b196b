// The game list's order and lines: the sort of Games by the chosen key and direction, the line
// each game shows, and the type-ahead search on the descriptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/shared/settings.h"

namespace kw {

class GameDatabase;
class PlayStats;
class ShownGames;
struct GameRecord;

// What the comparison needs besides the two games.
struct GameOrder {
  int sort_by = kSortDescription;
  bool reverse = false;
  // Most played: the plays of each game by position in Games (PlayCount of its name).
  const std::vector<std::uint32_t>* plays = nullptr;
};

// CompareGames: negative, zero or positive. Texts compare byte by byte as unsigned values,
// a prefix first; `a_plays` and `b_plays` are used by the most-played key only.
int CompareGames(const GameDatabase& db, const GameRecord& a, const GameRecord& b, int sort_by,
                 bool reverse, std::uint32_t a_plays = 0, std::uint32_t b_plays = 0);

// Sorts Games in place. The most-played key looks every game's count up once, as the
// first-match PlayCount gives it, rather than once per comparison. Equal keys keep the order
// they had, so the result is the same wherever the list is sorted from the same order.
void SortGames(GameDatabase& db, int sort_by, bool reverse, const PlayStats& stats);

struct ListingOptions {
  bool romset_name = false;   // ListRomsetName
  bool year = false;          // ListYear
  bool manufacturer = false;  // ListManufacturer
};

// Every line of the list, in one block of text.
class GameListLines {
 public:
  void Clear();
  void Reserve(std::size_t lines, std::size_t bytes);
  void Add(std::string_view line);
  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view Line(std::size_t n) const {
    const std::size_t begin = n == 0 ? 0 : ends_[n - 1];
    return std::string_view(text_).substr(begin, ends_[n] - begin);
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

// The line of the game at `position` (0-based) of Games: "00042 - [ABCD] = Example   (1985 -
// Maker)" with every option, "00042 - Example" with none.
std::string GameListLine(const GameDatabase& db, std::size_t position,
                         const ListingOptions& options);
// Appends the line to `out` (the fill's fast path; same text as GameListLine).
void AppendGameListLine(const GameDatabase& db, std::size_t position, const ListingOptions& options,
                        std::string& out);
// The same line numbered `number` (its place in a filtered list).
void AppendGameListLine(const GameDatabase& db, std::size_t position, std::size_t number,
                        const ListingOptions& options, std::string& out);
void BuildGameListLines(const GameDatabase& db, const ListingOptions& options,
                        GameListLines& lines);
// The lines of the shown games, numbered from 1 in the list.
void BuildGameListLines(const GameDatabase& db, const ShownGames& shown,
                        const ListingOptions& options, GameListLines& lines);

// Type-ahead on the descriptions. The typed text is upper case and is never cleared by time.
class TypeAhead {
 public:
  // A printable key (32..126) was typed: the line to select, or -1 when the key is not one.
  // The first game whose description starts with the typed text (letter case aside); failing
  // that the first starting with this key alone; failing that line 1 (the second line), when
  // there is one, else the current line.
  long KeyTyped(const GameDatabase& db, char key, long current_line);
  // The same over the lines of a filtered list.
  long KeyTyped(const GameDatabase& db, const ShownGames& shown, char key, long current_line);
  const std::string& TypedPrefix() const { return typed_prefix_; }

 private:
  std::string typed_prefix_;
};

// The first game whose description, cut to the length of `prefix` and upper-cased, equals
// `prefix`; -1 when none.
long FindDescriptionPrefix(const GameDatabase& db, std::string_view prefix);
// The same over the shown games: the line of the first such game.
long FindDescriptionPrefix(const GameDatabase& db, const ShownGames& shown,
                           std::string_view prefix);

}  // namespace kw
