// Search: the games of the open profile whose description, set name, master set or maker
// matches a text, kept as their list positions, the first selected and the others one F3 each.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;
class GameListNavigation;
class UserInterface;
struct GameRecord;

// SearchTarget: the field a search looks at.
enum class SearchTarget : int { Game = 1, RomSet = 2, Clones = 3, Manufacturer = 4 };
enum class SearchMode { Exact, StartingWith, Containing };

// "game", "rom set", "clone sets", "manufacturer".
std::string_view TargetWord(SearchTarget target);
// Description, Name, CloneOf or Manufacturer of the game.
std::string_view TargetField(const GameDatabase& db, const GameRecord& game, SearchTarget target);

// Whether `field` matches `text` (both already upper-cased when the search ignores case).
bool FieldMatches(std::string_view field, std::string_view text, SearchMode mode);

// The 1-based positions in Games of every game that matches, in list order. `tick` is called
// with each position (for the progress window); it may be empty.
std::vector<long> FindMatches(const GameDatabase& db, SearchTarget target, SearchMode mode,
                              bool case_sensitive, std::string_view text,
                              const std::function<void(std::size_t)>& tick = {});
// The same over the `lines` lines of a list, `game_at` giving each line's position in Games
// (unset: the line itself); the matches are 1-based lines.
std::vector<long> FindMatches(const GameDatabase& db, std::size_t lines,
                              const std::function<long(long)>& game_at, SearchTarget target,
                              SearchMode mode, bool case_sensitive, std::string_view text,
                              const std::function<void(std::size_t)>& tick = {});

// The search window's state (TSearchFRM): kept between searches unless a command sets it.
struct SearchForm {
  SearchTarget Target = SearchTarget::Game;
  std::string Text2find;
  bool CaseSensitive = false;        // casesensitive checked
  bool CaseSensitiveEnabled = true;  // casesensitive enabled
  SearchMode Mode = SearchMode::StartingWith;

  // ProductName + " - Search " + target word.
  std::string Caption(const std::string& product_name) const;
  // " Search " + target word + "... ".
  std::string BoxCaption() const;
  // OkBTN: enabled when the text holds something other than blanks and control characters.
  bool OkEnabled() const;
};

class SearchView {
 public:
  virtual ~SearchView() = default;
  // Shows the search window modally over the form; true when it closed with OK.
  virtual bool RunSearchWindow(SearchForm& form) = 0;
  // NextMatchOPT.
  virtual void SetNextMatchEnabled(bool enabled) = 0;
};

inline constexpr const char* kNoMatches = "Sorry, no matches were found.";

class SearchController : public ProfileListener {
 public:
  SearchController(UserInterface& ui, const GameDatabase& database, GameListNavigation& list,
                   SearchView& view);

  // The four opening commands.
  void GameOPTClick();
  void RomSetOPTClick();
  void FindClonesTOOLClick();
  void FindManufacturerTOOLClick();
  // OkBTNClick: the search with the form as it is.
  void Search();
  // NextMatchOPTClick.
  void SelectNextMatch();
  // Drops the matches and disables F3.
  void DiscardMatches();

  void ProfileStateChanged(bool profile_loaded) override;

  SearchForm& Form() { return form_; }
  const std::vector<long>& Matches() const { return matches_; }

 private:
  bool HoldsGames() const;
  const GameRecord* SelectedGame() const;
  void Open(SearchTarget target);

  UserInterface& ui_;
  const GameDatabase& database_;
  GameListNavigation& list_;
  SearchView& view_;
  SearchForm form_;
  std::vector<long> matches_;
  std::size_t next_ = 0;
};

}  // namespace kw
