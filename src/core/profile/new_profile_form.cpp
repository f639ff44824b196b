#include "core/profile/new_profile_form.h"

#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

NewProfileForm::NewProfileForm(UserInterface& ui, std::string product_name, std::string program_dir,
                               std::string emulator_dir, std::string profiles_dir)
    : ui_(ui),
      product_name_(std::move(product_name)),
      program_dir_(fs::IncludeTrailingSeparator(program_dir)),
      emulator_dir_(std::move(emulator_dir)),
      profiles_dir_(std::move(profiles_dir)) {}

void NewProfileForm::Show(const std::string& proposed_emulator) {
  Caption = product_name_ + " - New emulator file";
  FileName = proposed_emulator;
  FileNameLabel = "Emulator executable file:";
  Hint = "In order to run games and display their characteristics,\r" + product_name_ +
         " needs to access the emulator's\r"
         "executable file (eg. MAME.EXE).\r"
         "Please specify the path where the emulator is located\r"
         "using the box above, then click the \"NEXT\" button.";
  NextEnabled = true;
  GoEnabled = false;
  EmulatorPath.clear();
  ProfilePath.clear();
}

void NewProfileForm::Browse(NewProfileDialogs& dialogs) {
  std::optional<std::string> chosen;
  if (InStepOne()) {
    chosen = dialogs.ChooseEmulator(emulator_dir_.empty() ? program_dir_ : emulator_dir_, FileName);
  } else {
    chosen = dialogs.ChooseProfileFile(profiles_dir_, FileName);
  }
  if (chosen) FileName = *chosen;
}

void NewProfileForm::Next() {
  if (!fs::FileExists(FileName)) {
    ui_.Ask("The specified file does not exist.\rPlease specify an existing file then try again.",
            MsgIcon::Error);
    return;
  }
  EmulatorPath = FileName;
  const std::string name = fs::ExtractFileName(FileName);
  const std::string ext = fs::ExtractFileExt(name);
  FileName = profiles_dir_ + name.substr(0, name.size() - ext.size()) + ".KSL";
  FileNameLabel = "Profile file name:";
  Hint = "Please specify a profile file name, in which " + product_name_ +
         "\r"
         "will store all the parameters retrieved from the emulator.\r"
         "This will save you from rescanning the emulator file\r"
         "again, should you change emulator and then make up your\r"
         "mind. Once done click the \"GO\" button.";
  NextEnabled = false;
  GoEnabled = true;
}

bool NewProfileForm::Go() {
  ProfilePath = FileName;
  const std::string dir = fs::ExtractFilePath(fs::ExpandFileName(ProfilePath));
  if (!fs::DirectoryExists(dir)) {
    ui_.Ask(
        "The file cannot be created!\rThis may be due to a non existing path.\rPlease choose "
        "another path.",
        MsgIcon::Error);
    return false;
  }
  // An existing profile is only tested for writing, never emptied: it stays as it was until the
  // new one has been made and replaces it.
  const std::string existing = fs::Resolve(ProfilePath);
  bool writable;
  if (fs::Exists(existing)) {
    writable = fs::CanWrite(existing);
  } else {
    writable = fs::CreateFile(ProfilePath).Ok();
    if (writable) (void)fs::Delete(ProfilePath);
  }
  if (!writable) {
    ui_.Ask(
        "The file cannot be created!\rThis may be due to the read-only attribute of the file you "
        "want to overwrite.\rPlease choose another name.",
        MsgIcon::Error);
    return false;
  }
  return true;
}

}  // namespace kw
