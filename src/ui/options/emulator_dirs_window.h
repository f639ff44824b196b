// The emulator's directories and search paths, each change written at once; the search paths
// are normalised when the window closes.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "ui/options/option_binders.h"

class QLineEdit;
class QPushButton;

namespace kw {

class OptionWindowsController;

class TMAMEDirFRM : public QDialog {
 public:
  static constexpr int kFieldCount = 10;
  // The directory chooser: the chosen directory, or nothing when cancelled.
  using DirectoryHook =
      std::function<std::optional<std::string>(const QString& caption, const QString& current)>;

  explicit TMAMEDirFRM(OptionWindowsController& controller, QWidget* parent = nullptr);

  // Shows the window modally; afterwards rompath and samplepath are normalised and shown so.
  void Run();
  void Prepare();
  void Closed();  // Run's step after the window closes
  void SetDirectoryHook(DirectoryHook hook) { directory_hook_ = std::move(hook); }

  QLineEdit* Inp;
  QLineEdit* Hi;
  QLineEdit* Cfg;
  QLineEdit* Snap;
  QLineEdit* Memcard;
  QLineEdit* ArtworkDir;
  QLineEdit* Rompath;
  QLineEdit* Samplepath;
  QLineEdit* NVRAM;
  QLineEdit* Cheat;
  std::array<QPushButton*, kFieldCount> BrowseButtons;

 private:
  OptionWindowsController& controller_;
  OptionBinders binders_;
  DirectoryHook directory_hook_;
};

}  // namespace kw
