#include "core/profile/profile_controller.h"

#include "core/profile/listinfo_parser.h"
#include "core/profile/listxml_flow.h"
#include "core/profile/new_profile_form.h"
#include "core/profile/profile_file.h"
#include "core/shared/emulator_run.h"
#include "core/shared/game_database.h"
#include "core/shared/settings_store.h"
#include "core/shared/shell_view.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw {

namespace fs = platform::fs;

std::string UncheckedProfileMessage(const std::string& capture_failure) {
  return capture_failure + "\r\rThe profile could not be checked and was not opened.";
}

ProfileController::ProfileController(UserInterface& ui, GameDatabase& database,
                                     SettingsStore& settings, const AppNames& names,
                                     ShellView& shell_view, ReopenMenuView& reopen_view,
                                     NewProfileView& new_profile_view)
    : ui_(ui),
      database_(database),
      settings_store_(settings),
      settings_(settings.Values()),
      names_(names),
      shell_view_(shell_view),
      reopen_view_(reopen_view),
      new_profile_view_(new_profile_view) {}

EmulatorQueryContext ProfileController::QueryContext() const {
  EmulatorQueryContext context;
  context.CaptureFileName = names_.CaptureFileName;
  context.KillPifFile = settings_.KillPifFile;
  context.PifPath = PifFilePath(names_.ProgramDir);
  context.AnswerLimitMs = answer_limit_ms_;
  context.SpareDir = names_.ProgramDir;
  return context;
}

std::string ProfileController::ProfilesDir() const {
  const std::string profiles = names_.ProgramDir + "PROFILES";
  if (fs::DirectoryExists(profiles)) return fs::IncludeTrailingSeparator(fs::Resolve(profiles));
  return names_.ProgramDir;
}

void ProfileController::SaveSettings() {
  if (Status saved = settings_store_.Save(); !saved) ui_.Ask(saved.Message(), MsgIcon::Error);
}

void ProfileController::ProfileAccepted() {
  // The profile stays open for browsing when its work directory cannot be used: a launch or a
  // verification then reports its own failure.
  if (Status entered = EnterWorkDir(database_, names_.ProgramDir); !entered) {
    database_.WorkDir.clear();
    ui_.Ask("Cannot use the work directory " + WorkDirOf(database_, names_.ProgramDir) + ": " +
                entered.Message() + "\r",
            MsgIcon::Warning);
  }
  database_.ProfileLoaded = true;
  for (ProfileListener* listener : listeners_)
    listener->ProfileOpened();
  shell_view_.SetTitle(MainTitle());
}

void ProfileController::Refuse(const std::string& message) {
  database_.ProfileLoaded = false;
  ui_.HideProgress();
  if (ui_.Ask(message + "Do you want to create a new profile?\r", MsgIcon::Error,
              MsgButtons::YesNo) == MsgAnswer::Yes)
    CreateProfile();
}

void ProfileController::OpenProfile(const std::string& given_path) {
  // Kept as a full path: the current directory moves to the emulator's once the profile opens.
  const std::string path = fs::ExpandFileName(given_path);
  if (!fs::FileExists(path)) {
    if (ui_.Ask("Cannot find " + path + " profile!\rDo you want to create a new profile?\r",
                MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes)
      CreateProfile();
    UpdateProfileControls();
    return;
  }
  ProfileFileContext context;
  context.ProductName = names_.ProductName;
  context.ProfilePathChanged = [this](const std::string& loaded) {
    settings_.LastProfile = loaded;
    AddToReopenList(loaded);
  };
  database_.ProfileLoaded = false;
  if (Status loaded = LoadProfile(database_, path, ui_, context); !loaded) {
    ui_.HideProgress();
    ui_.Ask(loaded.Message(), MsgIcon::Error);
  } else if (!fs::SetCurrentDirectory(database_.EmulatorDir)) {
    Refuse(database_.EmulatorDir + " directory does not exist! This profile is unusable.\r");
  } else {
    ui_.SetBusy(true);
    ui_.SetProgress(-1);
    ui_.SetOperation("Getting MAME version...");
    ui_.ShowProgress();
    ui_.ProcessMessages();
    if (!fs::FileExists(database_.EmulatorExe)) {
      ui_.SetBusy(false);
      Refuse(database_.EmulatorDir + database_.EmulatorExe +
             " emulator not found! This profile is unusable.\r");
    } else {
      Result<std::string> found =
          QueryVersionOf(database_.Dialect, ui_, database_.EmulatorExe, QueryContext());
      // A query that gave no line otherwise (ended, or today's emulator that did not answer)
      // gives an empty line, which no profile expects.
      const std::string line = found ? *found : std::string();
      ui_.SetBusy(false);
      if (const std::string failed = CaptureFailureOf(database_.Dialect, found); !failed.empty()) {
        ui_.HideProgress();
        ui_.Ask(UncheckedProfileMessage(failed), MsgIcon::Error);
      } else if (line != database_.EmulatorVersion) {
        Refuse(
            "The emulator executable file has changed:\r\rExpected = " + database_.EmulatorVersion +
            "\rFound    = " + line + "\r\rThis profile has become invalid.\r");
      } else {
        ProfileAccepted();
      }
    }
  }
  ui_.HideProgress();
  UpdateProfileControls();
}

void ProfileController::CreateProfile() {
  NewProfileForm form(ui_, names_.ProductName, names_.ProgramDir, database_.EmulatorDir,
                      ProfilesDir());
  // Without an open profile the user has not chosen an emulator yet: the system's is proposed.
  form.Show(database_.EmulatorDir.empty() ? platform::InstalledEmulator() : "");
  if (new_profile_view_.RunNewProfileWindow(form))
    CreateProfileFrom(form.EmulatorPath, form.ProfilePath);
  UpdateProfileControls();
}

void ProfileController::CreateProfileFrom(const std::string& emulator_path,
                                          const std::string& given_profile_path) {
  // Both kept as full paths before the current directory moves.
  const std::string full = fs::ExpandFileName(emulator_path);
  const std::string profile_path = fs::ExpandFileName(given_profile_path);
  const std::string dir = fs::ExtractFilePath(full);
  const std::string exe = fs::ExtractFileName(full);
  ui_.SetBusy(true);
  if (!fs::SetCurrentDirectory(dir)) {
    ui_.SetBusy(false);
    ui_.Ask(kEmulatorDirMissing, MsgIcon::Error);
    return;
  }
  ui_.SetProgress(-1);
  ui_.SetOperation("Getting MAME version...");
  ui_.ShowProgress();
  ui_.ProcessMessages();
  if (!fs::FileExists(exe)) {
    ui_.SetBusy(false);
    ui_.HideProgress();
    ui_.Ask(kEmulatorFileMissing, MsgIcon::Error);
    return;
  }
  const EmulatorQueryContext query = QueryContext();
  // Which emulator this is decides every question that follows; the era's are then asked as
  // they always were.
  Result<DetectedDialect> detected =
      DetectDialect(full, query.AnswerLimitMs, [this] { ui_.ProcessMessages(); });
  if (!detected) {
    ui_.SetBusy(false);
    ui_.HideProgress();
    ui_.Ask(detected.Message(), MsgIcon::Error);
    return;
  }
  const EmulatorDialect dialect = detected->dialect;
  Result<std::string> version = Failure(kNoEmulatorVersion);
  if (dialect == EmulatorDialect::kListinfo) {
    version = QueryEmulatorVersion(ui_, exe, query);
  } else if (!detected->version.empty()) {
    version = detected->version;
  }
  ui_.SetBusy(false);
  if (!version) {
    ui_.HideProgress();
    const std::string failed = CaptureFailureOf(dialect, version);
    ui_.Ask(failed.empty() ? std::string(kNoEmulatorVersion) : failed, MsgIcon::Error);
    return;
  }
  if (ui_.Ask("The following version of the MAME emulator have been found:\r\r" + *version +
                  "\r\rMAME will be now scanned to determine all the available data of the "
                  "supported games.\rThis could take a while. Proceed with profile creation?",
              MsgIcon::Information, MsgButtons::YesNo) != MsgAnswer::Yes) {
    ui_.HideProgress();
    return;
  }

  ui_.SetBusy(true);
  database_.ProfileLoaded = false;
  database_.EmulatorVersion = *version;
  database_.EmulatorDir = dir;
  database_.EmulatorExe = exe;
  database_.Dialect = dialect;
  ui_.SetOperation("Querying MAME...");
  ui_.ProcessMessages();
  // The capture's path, or the message of a query that gave nothing to read.
  Result<std::string> capture = Failure(kNoGameInfo);
  if (dialect == EmulatorDialect::kListinfo) {
    if (QueryListinfo(ui_, exe, query) && fs::FileExists(names_.CaptureFileName))
      capture = names_.CaptureFileName;
  } else {
    capture = QueryListxml(ui_, exe, query);
  }
  ui_.SetBusy(false);

  if (!capture) {
    ui_.HideProgress();
    ui_.Ask(capture.Message(), MsgIcon::Error);
  } else {
    ListinfoContext context;
    context.ProductName = names_.ProductName;
    context.ProgramDir = names_.ProgramDir;
    context.CaptureFileName = *capture;
    context.BoldFontSize = settings_.BoldFontSize;
    context.NormalFontSize = settings_.NormalFontSize;
    const bool keep = dialect == EmulatorDialect::kListinfo
                          ? ParseListinfo(database_, ui_, report_, context)
                          : ParseListxml(database_, ui_, report_, context);
    if (keep) {
      ProfileFileContext file_context;
      file_context.ProductName = names_.ProductName;
      file_context.ProfilePathChanged = [this](const std::string& saved) {
        settings_.LastProfile = saved;
        AddToReopenList(saved);
      };
      // A failed save leaves the old file as it was; the profile is still used for this run.
      if (Status saved = SaveProfile(database_, profile_path, ui_, file_context);
          !saved && saved.Message() != kNoGamesToSave)
        ui_.Ask(saved.Message(), MsgIcon::Error);
      SaveSettings();
      ProfileAccepted();
    }
    (void)fs::Delete(fs::Resolve(*capture));
  }
  ui_.HideProgress();
}

void ProfileController::OpenOPTClick() {
  if (std::optional<std::string> chosen = new_profile_view_.ChooseProfileToOpen(ProfilesDir()))
    OpenProfile(*chosen);
}

void ProfileController::ReopenProfile(std::size_t slot) {
  if (slot >= kReopenSlots) return;
  const std::string path = settings_.ReopenList[slot];
  if (!path.empty()) OpenProfile(path);
}

void ProfileController::AddToReopenList(const std::string& path) {
  if (kw::AddToReopenList(settings_, path)) ShowReopenList();
}

void ProfileController::ShowReopenList() {
  reopen_view_.RebuildReopenMenus(settings_.ReopenList);
}

std::string ProfileController::MainTitle() const {
  if (!database_.ProfileLoaded) return names_.ProductName + " - no profile loaded";
  return names_.ProductName + " - [" + database_.EmulatorVersion + "]";
}

void ProfileController::UpdateProfileControls() {
  shell_view_.ShowProfileState(database_.ProfileLoaded);
  if (!database_.ProfileLoaded) shell_view_.SetTitle(MainTitle());
  for (ProfileListener* listener : listeners_)
    listener->ProfileStateChanged(database_.ProfileLoaded);
}

}  // namespace kw
