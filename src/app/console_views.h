// The main window's slices for the console program: nothing is shown, but the game list keeps
// its lines and its selection, so that the controllers work as they do behind the window.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "core/shared/shell_view.h"

namespace kw::cli {

class ConsoleViews : public ShellView,
                     public ReopenMenuView,
                     public TextFilesMenuView,
                     public GameListView,
                     public QuickInfoView,
                     public RecordingView,
                     public StatsView,
                     public NewProfileView {
 public:
  ProgramViews Views() {
    return ProgramViews{*this, *this, *this, *this, *this, *this, *this, *this, nullptr};
  }

  void SetTitle(const std::string&) override {}
  void SetNewsAvailable(bool) override {}
  void ShowProfileState(bool) override {}
  void RebuildReopenMenus(const std::array<std::string, kReopenSlots>&) override {}
  void BuildTextFilesMenu(const std::vector<std::string>&) override {}
  void ShowSortOrder(int, bool) override {}
  void SetJoystickPolling(bool) override {}
  void ShowGames(bool loaded) override {
    if (!loaded) lines_ = 0, selected_ = -1;
  }
  void ShowLines(const GameListLines& lines) override {
    lines_ = static_cast<long>(lines.size());
    if (selected_ >= lines_) selected_ = -1;
  }
  long SelectedLine() const override { return selected_; }
  void SelectLine(long line) override {
    if (line >= 0 && line < lines_) selected_ = line;
  }
  void RunSelectedGame() override {}
  void ShowPictureTab(int) override {}
  void ShowQuickInfo(const std::array<std::string, kQuickInfoLines>&) override {}
  bool ShowPicture(const GamePicture&) override { return true; }
  void ShowProductPicture(const std::string&) override {}
  void SetExplorerEnabled(bool) override {}
  void SetRecordingEnabled(bool) override {}
  void ShowRecordingMode(RecordingMode) override {}
  void SetFileNameEnabled(bool) override {}
  void SetFileName(const std::string&) override {}
  std::optional<std::string> ChooseRecordingFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ShowStatistics(const StatisticsReport&) override {}
  bool RunNewProfileWindow(NewProfileForm&) override { return false; }
  std::optional<std::string> ChooseProfileToOpen(const std::string&) override {
    return std::nullopt;
  }

 private:
  long lines_ = 0;
  long selected_ = -1;
};

}  // namespace kw::cli
