// Stand-ins for every slice of the main window: each records what the controllers show.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "core/profile/new_profile_form.h"
#include "core/shared/shell_view.h"

namespace kw::test {

class RecordingViews : public ShellView,
                       public ReopenMenuView,
                       public TextFilesMenuView,
                       public GameListView,
                       public QuickInfoView,
                       public RecordingView,
                       public StatsView,
                       public NewProfileView {
 public:
  std::vector<std::string> titles;
  bool news = false;
  std::vector<bool> states;  // ShowProfileState, in order
  std::array<std::string, kReopenSlots> reopen;
  std::vector<std::string> text_files;
  int sort_by = -1;
  bool reverse = false;
  bool joystick = false;
  bool games_shown = false;
  std::vector<std::string> lines;
  long selected = -1;
  std::vector<long> runs;   // the selected line at each play command
  std::string shown_count;  // "N of M games shown", or ""
  std::array<std::string, kQuickInfoLines> quick_info;
  std::string picture;  // the file shown, or "product"
  std::string picture_message;
  bool explorer = false;
  int picture_tab = -1;
  bool recording_enabled = false;
  RecordingMode mode = RecordingMode::None;
  bool file_name_enabled = false;
  std::string file_name = "unset";
  std::vector<StatisticsReport> statistics;  // every report shown

  // The user at the new-profile window: acts on the form, answers whether it closed with OK.
  // Unset: the window is cancelled.
  std::function<bool(NewProfileForm&)> new_profile_user;
  int new_profile_windows = 0;
  std::optional<std::string> profile_to_open;   // the "Select a profile" answer
  std::optional<std::string> recording_choice;  // the "Select a game recording file" answer
  std::string recording_dialog_dir;
  std::string open_dialog_dir;

  ProgramViews Views() {
    return ProgramViews{*this, *this, *this, *this, *this, *this, *this, *this, nullptr};
  }

  std::optional<std::string> ChooseRecordingFile(const std::string& dir,
                                                 const std::string&) override {
    recording_dialog_dir = dir;
    return recording_choice;
  }
  bool RunNewProfileWindow(NewProfileForm& form) override {
    ++new_profile_windows;
    return new_profile_user ? new_profile_user(form) : false;
  }
  std::optional<std::string> ChooseProfileToOpen(const std::string& dir) override {
    open_dialog_dir = dir;
    return profile_to_open;
  }

  void SetTitle(const std::string& t) override { titles.push_back(t); }
  void SetNewsAvailable(bool a) override { news = a; }
  void ShowProfileState(bool loaded) override { states.push_back(loaded); }
  void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& s) override { reopen = s; }
  void BuildTextFilesMenu(const std::vector<std::string>& c) override { text_files = c; }
  void ShowSortOrder(int s, bool r) override {
    sort_by = s;
    reverse = r;
  }
  void SetJoystickPolling(bool on) override { joystick = on; }
  void ShowGames(bool loaded) override {
    games_shown = loaded;
    if (!loaded) {
      lines.clear();
      selected = -1;
    }
  }
  void ShowLines(const GameListLines& l) override {
    lines.clear();
    for (std::size_t n = 0; n < l.size(); ++n)
      lines.emplace_back(l.Line(n));
  }
  long SelectedLine() const override { return selected; }
  void SelectLine(long line) override {
    if (line >= 0 && line < static_cast<long>(lines.size())) selected = line;
  }
  void RunSelectedGame() override { runs.push_back(selected); }
  void ShowShownCount(const std::string& text) override { shown_count = text; }
  void ShowQuickInfo(const std::array<std::string, kQuickInfoLines>& v) override { quick_info = v; }
  // A picture loads unless its name holds BROKEN; one in an archive is "ARCHIVE:MEMBER".
  bool ShowPicture(const GamePicture& p) override {
    picture = p.member.empty() ? p.FullPath() : p.archive + ":" + p.member;
    return picture.find("BROKEN") == std::string::npos;
  }
  void ShowProductPicture(const std::string& message) override {
    picture = "product";
    picture_message = message;
  }
  void SetExplorerEnabled(bool e) override { explorer = e; }
  void ShowPictureTab(int index) override { picture_tab = index; }
  void SetRecordingEnabled(bool e) override { recording_enabled = e; }
  void ShowRecordingMode(RecordingMode m) override { mode = m; }
  void SetFileNameEnabled(bool e) override { file_name_enabled = e; }
  void SetFileName(const std::string& n) override { file_name = n; }
  void ShowStatistics(const StatisticsReport& r) override { statistics.push_back(r); }
};

}  // namespace kw::test
