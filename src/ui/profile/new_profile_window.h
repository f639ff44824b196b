// The new-profile window (two steps: the emulator program, then the profile file) and the
// "Select a profile" dialog. The steps' rules and texts are NewProfileForm's; this shows them.
#pragma once

#include <QDialog>

#include "core/profile/new_profile_form.h"
#include "core/profile/profile_controller.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kw {

class TNewMameFRM : public QDialog, public NewProfileDialogs {
 public:
  static constexpr int kWidth = 470;
  static constexpr int kHeight = 236;

  explicit TNewMameFRM(QWidget* parent = nullptr);

  // Shows the window modally over `form` (in its shown state); true when closed with Go.
  bool Run(NewProfileForm& form);
  // Binds the window to `form` and shows its state, without running it (tests, screenshots).
  void Attach(NewProfileForm& form);

  std::optional<std::string> ChooseEmulator(const std::string& initial_dir,
                                            const std::string& proposed) override;
  std::optional<std::string> ChooseProfileFile(const std::string& initial_dir,
                                               const std::string& proposed) override;

  // The controls, named as the program's other windows name theirs.
  QLabel* KestrelImage;
  QLabel* FileNameLBL;
  QLineEdit* FileName;
  QPushButton* BrowseBTN;
  QLabel* HintLBL;
  QPushButton* NextBTN;
  QPushButton* GoBTN;
  QPushButton* CancelBTN;

 private:
  void ShowForm();
  void BrowseBTNClick();
  void NextBTNClick();
  void GoBTNClick();

  NewProfileForm* form_ = nullptr;
};

// The profile windows that the profiles controller asks for.
class ProfileWindows : public NewProfileView {
 public:
  explicit ProfileWindows(QWidget* parent) : parent_(parent) {}
  bool RunNewProfileWindow(NewProfileForm& form) override;
  std::optional<std::string> ChooseProfileToOpen(const std::string& initial_dir) override;

 private:
  QWidget* parent_;
};

}  // namespace kw
