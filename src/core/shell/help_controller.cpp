#include "core/shell/help_controller.h"

#include <algorithm>
#include <utility>

#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "core/shown_program.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

namespace fs = platform::fs;

namespace {

constexpr int kMaxTextFileDepth = 32;

void CollectTextFiles(const std::string& dir, int depth,
                      std::vector<std::pair<std::string, std::string>>& found) {
  if (depth > kMaxTextFileDepth) return;
  for (const fs::DirEntry& e : fs::List(dir)) {
    std::string path = dir + e.name;
    if (e.is_directory) {
      // Linked directories are not followed: a link back up would make the search endless.
      if (!e.is_link) CollectTextFiles(path + "/", depth + 1, found);
      continue;
    }
    if (UpperCase(fs::ExtractFileExt(e.name)) != ".TXT" || UpperCase(e.name) == "DIR.TXT") continue;
    found.emplace_back(UpperCase(path), path);
  }
}

}  // namespace

std::vector<std::string> FindTextFiles(const std::string& emulator_dir) {
  if (emulator_dir.empty()) return {};
  std::vector<std::pair<std::string, std::string>> found;  // upper-case path, path on disk
  CollectTextFiles(fs::IncludeTrailingSeparator(fs::Resolve(emulator_dir)), 0, found);
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  paths.reserve(found.size());
  for (auto& f : found)
    paths.push_back(std::move(f.second));
  return paths;
}

std::string TextFileCaption(const std::string& path) {
  return UpperCase(fs::ExtractFileName(path));
}

HelpController::HelpController(UserInterface& ui, const FrontEndSettings& settings,
                               const GameDatabase& database, std::string news_path,
                               TextFilesMenuView& view)
    : ui_(ui),
      settings_(settings),
      database_(database),
      news_path_(std::move(news_path)),
      view_(view) {}

void HelpController::BuildTextFilesMenu() {
  text_file_list_ = FindTextFiles(database_.EmulatorDir);
  std::vector<std::string> captions;
  captions.reserve(text_file_list_.size());
  for (const std::string& path : text_file_list_)
    captions.push_back(TextFileCaption(path));
  view_.BuildTextFilesMenu(captions);
}

void HelpController::ClearTextFiles() {
  text_file_list_.clear();
}

void HelpController::ShowTextFile(std::size_t index) {
  if (index < text_file_list_.size()) OpenInEditor(text_file_list_[index]);
}

void HelpController::KestrelHistory() {
  if (!fs::FileExists(news_path_)) {
    ui_.Ask("News file not found", MsgIcon::Error);
    return;
  }
  OpenInEditor(news_path_);
}

void HelpController::OpenInEditor(const std::string& path) {
  // Without an editor the file's own name would be taken for the program to run.
  if (settings_.TextEditor.empty()) {
    ui_.Ask("No text editor is set.\rPlease choose a text editor in the preferences.",
            MsgIcon::Error);
    return;
  }
  // The path is one word of the command, whatever it holds.
  OpenInTextEditor(ui_, settings_.TextEditor, path);
}

void HelpController::OpenAddress(const std::string& address) {
  Result<platform::Command> opener = platform::DesktopOpenCommand(address);
  std::optional<ShowFailure> failed =
      opener ? StartShowingProgram(ui_, *opener) : ShowFailure{false, opener.Message()};
  if (!failed) return;
  ui_.Ask("Cannot open " + address + "\r" +
              (failed->started ? failed->reason : "No program to open it was found."),
          MsgIcon::Error);
}

void HelpController::VisitMame() {
  OpenAddress(kEmulatorWebPage);
}
void HelpController::VisitWeb() {
  OpenAddress(kProductWebPage);
}
void HelpController::Email() {
  OpenAddress(kSupportMail);
}

}  // namespace kw
