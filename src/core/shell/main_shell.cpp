#include "core/shell/main_shell.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "core/launch/command_line.h"
#include "core/shell/default_services.h"
#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

namespace fs = platform::fs;

namespace {

// The number that follows `prefix` in a generated menu item's name, if the rest is all digits.
std::optional<std::size_t> ItemNumber(const std::string& item_name, std::string_view prefix) {
  if (item_name.size() <= prefix.size() || item_name.compare(0, prefix.size(), prefix) != 0)
    return std::nullopt;
  std::size_t n = 0;
  const char* first = item_name.data() + prefix.size();
  const char* last = item_name.data() + item_name.size();
  auto [end, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || end != last) return std::nullopt;
  return n;
}

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
    std::string upper_name = UpperCase(e.name);
    if (UpperCase(fs::ExtractFileExt(e.name)) != ".TXT" || upper_name == "DIR.TXT") continue;
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

MainShell::MainShell(UserInterface& ui, MainView& view, AppNames names)
    : ui_(ui),
      view_(view),
      names_(std::move(names)),
      settings_file_(names_.SettingsPath),
      default_profiles_(std::make_unique<DefaultProfileService>(*this)),
      default_emulator_config_(std::make_unique<DefaultEmulatorConfigService>(*this)),
      default_stats_(std::make_unique<DefaultStatsService>()),
      profiles_(default_profiles_.get()),
      emulator_config_(default_emulator_config_.get()),
      stats_(default_stats_.get()) {}

MainShell::~MainShell() = default;

void MainShell::SetProfileService(ProfileService* service) {
  profiles_ = service ? service : default_profiles_.get();
}
void MainShell::SetEmulatorConfigService(EmulatorConfigService* service) {
  emulator_config_ = service ? service : default_emulator_config_.get();
}
void MainShell::SetStatsService(StatsService* service) {
  stats_ = service ? service : default_stats_.get();
}

void MainShell::FormCreate() {
  ui_.SetBusy(true);
  view_.SetTitle(names_.ProductName);
  view_.SetNewsAvailable(fs::FileExists(names_.NewsPath));

  settings_.ReopenList = {};
  settings_file_.Load();
  settings_ = LoadSettings(settings_file_, names_.SystemDir);
  view_.ApplySettings(settings_);
  stats_->LoadStats();

  database_.ProfileLoaded = false;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  language_codes_.clear();
  text_file_list_.clear();

  view_.RebuildReopenMenus(settings_.ReopenList);
  ui_.SetBusy(false);
}

void MainShell::FormShow(const std::vector<std::string>& args) {
  ui_.SetBusy(true);
  view_.SetTitle(names_.ProductName);

  cd_drives_ = platform::OpticalDrives();
  if (cd_drives_.empty()) settings_.MameCd = false;

  // Before any profile opens: opening one shows the emulator options, which look the
  // language up in this list.
  language_codes_ = {"ENGLISH"};
  ui_.SetBusy(false);

  if (!database_.ProfileLoaded) {
    if (!args.empty()) {
      profiles_->OpenProfile(args.front());
    } else if (settings_.LastProfile != kFirstTime) {
      profiles_->OpenProfile(settings_.LastProfile);
    } else {
      const std::string& p = names_.ProductName;
      ui_.Ask("Hi and welcome to " + p +
                  "!\r"
                  "Since this is the first time you run this program, you will now be\r"
                  "asked to create a new profile. This is necessary for " +
                  p +
                  " to\r"
                  "correctly use the emulator and all of its capabilities.\r"
                  "The operation may take some time, but you will need to do it\r"
                  "only once.",
              MsgIcon::Information);
      profiles_->CreateProfile();
    }
  }
  CrashCheck();
}

void MainShell::CrashCheck() {
  if (!fs::DirectoryExists(names_.TempDirName)) return;
  ui_.Ask(
      "Warning: MAME crashed the computer the last time it was run.\r"
      "This may be due to problems related to the MAME version you are using (eg. Betas, "
      "etc.)\r"
      "and it's not a " +
          names_.ProductName +
          " fault. You better don't try to run that game again\r"
          "until you get an updated version.",
      MsgIcon::Warning);
  if (!fs::DeleteTree(database_.EmulatorDir + names_.TempDirName)) {
    ui_.Ask(
        "The temporary directory could not be deleted!\r"
        "This means one or more rom files of the game you ran could not be deleted.\r"
        "Please solve the problem and try again.",
        MsgIcon::Error);
  }
}

void MainShell::FormDestroy() {
  SaveSettingsNow();
  emulator_config_->WriteEmulatorConfig();
  stats_->SaveStats();
  database_.ClearDatabase();
  language_codes_.clear();
  text_file_list_.clear();
}

bool MainShell::SaveSettingsNow() {
  // The keys go into the file as it is now, as the private-profile functions do, so that lines
  // added to it while the program ran are kept. A file that exists but cannot be read is not
  // overwritten: its other lines would be lost.
  const bool exists = fs::FileExists(settings_file_.Path());
  if (!settings_file_.Load() && exists) {
    ui_.Ask("Unable to write to " + settings_file_.Path(), MsgIcon::Error);
    return false;
  }
  if (auto error = SaveSettings(settings_, settings_file_)) {
    ui_.Ask(*error, MsgIcon::Error);
    return false;
  }
  return true;
}

void MainShell::AddToReopenList(const std::string& path) {
  if (kw::AddToReopenList(settings_, path)) view_.RebuildReopenMenus(settings_.ReopenList);
}

void MainShell::ReopenProfile(const std::string& item_name) {
  auto slot = ItemNumber(item_name, "ReopenFile");
  if (!slot || *slot < 1 || *slot > kReopenSlots) return;
  const std::string& path = settings_.ReopenList[*slot - 1];
  if (!path.empty()) profiles_->OpenProfile(path);
}

void MainShell::BuildTextFilesMenu() {
  text_file_list_ = FindTextFiles(database_.EmulatorDir);
  view_.BuildTextFilesMenu(text_file_list_);
}

void MainShell::ShowMAMETextFile(const std::string& item_name) {
  auto k = ItemNumber(item_name, "File");
  if (!k || *k >= text_file_list_.size()) return;
  OpenInEditor(text_file_list_[*k]);
}

void MainShell::OpenInEditor(const std::string& path) {
  // Without an editor the file's own name would be taken for the program to run.
  if (settings_.TextEditor.empty()) {
    ui_.Ask("No text editor is set.\rPlease choose a text editor in the preferences.",
            MsgIcon::Error);
    return;
  }
  // The path is one word of the command, whatever it holds. A failed start is said, not
  // swallowed, so that a missing editor does not look like a dead menu.
  Result<platform::Command> editor = EditorCommand(settings_.TextEditor, path);
  if (!editor || !platform::RunProgram(*editor, platform::kShowNormal, false)) {
    ui_.Ask("Cannot start the text editor \"" + settings_.TextEditor +
                "\".\rPlease choose a text editor in the preferences.",
            MsgIcon::Error);
  }
}

void MainShell::KestrelHistory() {
  if (!fs::FileExists(names_.NewsPath)) {
    ui_.Ask("News file not found", MsgIcon::Error);
    return;
  }
  OpenInEditor(names_.NewsPath);
}

namespace {
void OpenAddress(UserInterface& ui, const std::string& address) {
  if (!platform::OpenWithDesktop(address))
    ui.Ask("Cannot open " + address + "\rNo program to open it was found.", MsgIcon::Error);
}
}  // namespace

void MainShell::VisitMame() {
  OpenAddress(ui_, kEmulatorWebPage);
}
void MainShell::VisitWeb() {
  OpenAddress(ui_, kProductWebPage);
}
void MainShell::Email() {
  OpenAddress(ui_, kSupportMail);
}

std::string MainShell::MainTitle() const {
  if (!database_.ProfileLoaded) return names_.ProductName + " - no profile loaded";
  return names_.ProductName + " - [" + database_.EmulatorVersion + "]";
}

void MainShell::UpdateProfileControls() {
  view_.UpdateProfileControls(database_.ProfileLoaded);
  if (!database_.ProfileLoaded) view_.SetTitle(MainTitle());
}

}  // namespace kw
