// The new-profile window's rules, in two steps: the emulator program (step 1, while Next is
// enabled), then the profile file (step 2). The window shows this state and forwards its
// buttons here; the file dialogs stay the window's.
#pragma once

#include <optional>
#include <string>

namespace kw {

class UserInterface;

// The window's two file dialogs: the chosen path, or nothing when the user cancelled.
class NewProfileDialogs {
 public:
  virtual ~NewProfileDialogs() = default;
  // "Select emulator file": an existing program file.
  virtual std::optional<std::string> ChooseEmulator(const std::string& initial_dir,
                                                    const std::string& proposed) = 0;
  // "Save profile as...": a .KSL file in an existing directory, asking before overwriting.
  virtual std::optional<std::string> ChooseProfileFile(const std::string& initial_dir,
                                                       const std::string& proposed) = 0;
};

class NewProfileForm {
 public:
  // `emulator_dir` is the open profile's (empty when none), where the emulator dialog starts;
  // `profiles_dir` is where profiles go: ProgramDir + "PROFILES" when it exists, else ProgramDir.
  NewProfileForm(UserInterface& ui, std::string product_name, std::string program_dir,
                 std::string emulator_dir, std::string profiles_dir);

  // On show: step 1 with its texts, the file name emptied, or `proposed_emulator` in it (the
  // emulator installed on the system, for a user who has not chosen one yet).
  void Show(const std::string& proposed_emulator = "");
  void Browse(NewProfileDialogs& dialogs);
  // Step 1 to step 2 once FileName names an existing file; else the message, staying in step 1.
  void Next();
  // True when the window closes with OK: the profile file can be written where FileName says.
  bool Go();

  bool InStepOne() const { return NextEnabled; }

  // What the window shows.
  std::string Caption;
  std::string FileNameLabel;
  std::string FileName;  // the edit box, which the user types into
  std::string Hint;      // lines joined by carriage returns
  bool NextEnabled = true;
  bool GoEnabled = false;

  // The results: set by Next and by Go.
  std::string EmulatorPath;
  std::string ProfilePath;

 private:
  UserInterface& ui_;
  std::string product_name_;
  std::string program_dir_;
  std::string emulator_dir_;
  std::string profiles_dir_;
};

}  // namespace kw
