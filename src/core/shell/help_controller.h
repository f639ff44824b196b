// The Help menu: the emulator's text files (found in its directory when a profile opens), the
// front-end's change history, and the web and mail addresses.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;
struct FrontEndSettings;
class UserInterface;

// Addresses opened by the Help menu.
inline constexpr const char* kEmulatorWebPage = "https://www.mamedev.org/";
inline constexpr const char* kProductWebPage = "https://kestrelwing.example.org/";
inline constexpr const char* kSupportMail = "mailto:support@kestrelwing.example.org";

class TextFilesMenuView {
 public:
  virtual ~TextFilesMenuView() = default;
  // Rebuilds the text-file submenu, one item per caption in order ("<none>" when empty). The
  // item at position k is shown by HelpController::ShowTextFile(k).
  virtual void BuildTextFilesMenu(const std::vector<std::string>& captions) = 0;
};

class HelpController : public ProfileListener {
 public:
  HelpController(UserInterface& ui, const FrontEndSettings& settings, const GameDatabase& database,
                 std::string news_path, TextFilesMenuView& view);

  // Searches the emulator directory again and rebuilds the submenu.
  void BuildTextFilesMenu();
  void ClearTextFiles();
  const std::vector<std::string>& TextFileList() const { return text_file_list_; }

  // The text file at position `index` of the submenu, in the text editor.
  void ShowTextFile(std::size_t index);
  void KestrelHistory();
  void VisitMame();
  void VisitWeb();
  void Email();

  void ProfileOpened() override { BuildTextFilesMenu(); }

 private:
  void OpenInEditor(const std::string& path);
  void OpenAddress(const std::string& address);

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  const GameDatabase& database_;
  std::string news_path_;
  TextFilesMenuView& view_;
  std::vector<std::string> text_file_list_;
};

// Text files of the emulator directory and its sub-directories (extension .TXT in any case,
// DIR.TXT left out), sorted by their upper-case full paths. The paths are returned as on disk,
// so that the editor can open them.
std::vector<std::string> FindTextFiles(const std::string& emulator_dir);
// The submenu's caption of a text file: its name in upper case.
std::string TextFileCaption(const std::string& path);

}  // namespace kw
