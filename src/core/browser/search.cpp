#include "core/browser/search.h"

#include <algorithm>
#include <string>

#include "common/ascii.h"
#include "core/browser/joystick_select.h"
#include "core/progress_throttle.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"

namespace kw {

std::string_view TargetWord(SearchTarget target) {
  switch (target) {
    case SearchTarget::Game:
      return "game";
    case SearchTarget::RomSet:
      return "rom set";
    case SearchTarget::Clones:
      return "clone sets";
    case SearchTarget::Manufacturer:
      return "manufacturer";
  }
  return "game";
}

std::string_view TargetField(const GameDatabase& db, const GameRecord& game, SearchTarget target) {
  switch (target) {
    case SearchTarget::Game:
      return db.Description(game);
    case SearchTarget::RomSet:
      return game.Name.View();
    case SearchTarget::Clones:
      return game.CloneOf.View();
    case SearchTarget::Manufacturer:
      return db.Manufacturer(game);
  }
  return {};
}

bool FieldMatches(std::string_view field, std::string_view text, SearchMode mode) {
  switch (mode) {
    case SearchMode::Exact:
      return field == text;
    case SearchMode::StartingWith:
      return field.size() >= text.size() && field.substr(0, text.size()) == text;
    case SearchMode::Containing:
      // Positions 1 to len(F) - len(T) + 1: the empty text is found in every field.
      return field.size() >= text.size() && field.find(text) != std::string_view::npos;
  }
  return false;
}

std::vector<long> FindMatches(const GameDatabase& db, SearchTarget target, SearchMode mode,
                              bool case_sensitive, std::string_view text,
                              const std::function<void(std::size_t)>& tick) {
  return FindMatches(db, db.GameCount(), {}, target, mode, case_sensitive, text, tick);
}

std::vector<long> FindMatches(const GameDatabase& db, std::size_t lines,
                              const std::function<long(long)>& game_at, SearchTarget target,
                              SearchMode mode, bool case_sensitive, std::string_view text,
                              const std::function<void(std::size_t)>& tick) {
  const std::string wanted = case_sensitive ? std::string(text) : AsciiUpperCase(text);
  std::vector<long> matches;
  std::string field;  // the upper-cased field, one buffer for the whole pass
  for (std::size_t i = 0; i < lines; ++i) {
    if (tick) tick(i);
    const long position = game_at ? game_at(static_cast<long>(i)) : static_cast<long>(i);
    if (position < 0 || static_cast<std::size_t>(position) >= db.GameCount()) continue;
    std::string_view f = TargetField(db, db.Game(static_cast<std::size_t>(position)), target);
    // A field shorter than the text matches in no mode.
    if (f.size() < wanted.size()) continue;
    if (!case_sensitive) {
      field.assign(f);
      for (char& c : field)
        c = AsciiUpper(c);
      f = field;
    }
    if (FieldMatches(f, wanted, mode)) matches.push_back(static_cast<long>(i) + 1);
  }
  return matches;
}

std::string SearchForm::Caption(const std::string& product_name) const {
  return product_name + " - Search " + std::string(TargetWord(Target));
}

std::string SearchForm::BoxCaption() const {
  return " Search " + std::string(TargetWord(Target)) + "... ";
}

bool SearchForm::OkEnabled() const {
  for (char c : Text2find)
    if (static_cast<unsigned char>(c) > ' ' && c != 0x7F) return true;
  return false;
}

SearchController::SearchController(UserInterface& ui, const GameDatabase& database,
                                   GameListNavigation& list, SearchView& view)
    : ui_(ui), database_(database), list_(list), view_(view) {}

bool SearchController::HoldsGames() const {
  return database_.ProfileLoaded && database_.GameCount() > 0;
}

const GameRecord* SearchController::SelectedGame() const {
  if (!HoldsGames()) return nullptr;
  const long position = list_.SelectedGame();
  if (position < 0 || static_cast<std::size_t>(position) >= database_.GameCount()) return nullptr;
  return &database_.Game(static_cast<std::size_t>(position));
}

void SearchController::Open(SearchTarget target) {
  form_.Target = target;
  if (view_.RunSearchWindow(form_)) Search();
}

void SearchController::GameOPTClick() {
  form_.CaseSensitiveEnabled = true;
  Open(SearchTarget::Game);
}

void SearchController::RomSetOPTClick() {
  // The master set of a selected clone is proposed.
  if (const GameRecord* game = SelectedGame(); game && !game->CloneOf.empty())
    form_.Text2find = game->CloneOf.Str();
  form_.CaseSensitive = false;
  form_.CaseSensitiveEnabled = false;
  form_.Mode = SearchMode::Exact;
  Open(SearchTarget::RomSet);
}

void SearchController::FindClonesTOOLClick() {
  // The clones of the selected game's master, or of the selected master itself.
  if (const GameRecord* game = SelectedGame())
    form_.Text2find = game->CloneOf.empty() ? game->Name.Str() : game->CloneOf.Str();
  form_.CaseSensitive = false;
  form_.CaseSensitiveEnabled = false;
  form_.Mode = SearchMode::Exact;
  Open(SearchTarget::Clones);
}

void SearchController::FindManufacturerTOOLClick() {
  if (const GameRecord* game = SelectedGame())
    form_.Text2find = std::string(database_.Manufacturer(*game));
  form_.CaseSensitiveEnabled = true;  // the check mark stays as it was
  form_.Mode = SearchMode::Exact;
  Open(SearchTarget::Manufacturer);
}

void SearchController::Search() {
  if (!HoldsGames()) return;
  ui_.SetBusy(true);
  DiscardMatches();
  ui_.SetOperation("Searching...");
  ui_.SetProgress(0);
  ui_.ShowProgress();
  ui_.ProcessMessages();
  // The lines of the list: every game, or those a filter shows.
  const std::size_t count = static_cast<std::size_t>(std::max(0L, list_.LineCount()));
  ProgressThrottle progress(ui_);
  matches_ = FindMatches(
      database_, count, [this](long line) { return list_.GameAt(line); }, form_.Target, form_.Mode,
      form_.CaseSensitive, form_.Text2find,
      [&](std::size_t i) {
        progress.Tick(count > 1 ? static_cast<int>(static_cast<double>(i) /
                                                   static_cast<double>(count - 1) * 100.0)
                                : 0);
      });
  ui_.HideProgress();
  ui_.SetBusy(false);
  if (matches_.empty()) {
    ui_.Ask(kNoMatches, MsgIcon::Warning);
    DiscardMatches();
    return;
  }
  std::string message = std::to_string(matches_.size()) + " match";
  if (matches_.size() > 1) message += "es";
  message += " found!";
  if (matches_.size() > 1) message += "\rPress \"F3\" to cycle through matches";
  ui_.Ask(message, MsgIcon::Information);
  next_ = 0;
  view_.SetNextMatchEnabled(matches_.size() >= 2);
  SelectNextMatch();
}

void SearchController::SelectNextMatch() {
  if (!HoldsGames() || matches_.empty()) return;
  const long n = matches_[next_ % matches_.size()];
  // A position beyond the list (it cannot change size while the matches live) selects nothing.
  if (n >= 1 && n <= list_.LineCount()) list_.SelectLine(n - 1);
  next_ = (next_ + 1) % matches_.size();
}

void SearchController::DiscardMatches() {
  matches_.clear();
  next_ = 0;
  view_.SetNextMatchEnabled(false);
}

void SearchController::ProfileStateChanged(bool) {
  DiscardMatches();
}

}  // namespace kw
