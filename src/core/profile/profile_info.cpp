#include "core/profile/profile_info.h"

#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/ascii.h"
#include "core/local_time.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

namespace {

// Names kept once each, in order of first appearance, letter case aside.
class NameList {
 public:
  void Add(std::string_view name) {
    if (seen_.insert(AsciiUpperCase(name)).second) names_.emplace_back(name);
  }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::unordered_set<std::string> seen_;
  std::vector<std::string> names_;
};

// The name where G's RomOf chain leaves the games (a resource or a set missing from the
// profile), or nothing when it ends at a game without RomOf or loops back.
std::optional<std::string> ExternalResourceOf(const GameDatabase& db, const GameRecord& game) {
  std::vector<std::string_view> visited{game.Name.View()};
  std::string_view name = game.RomOf.View();
  while (!name.empty()) {
    for (std::string_view seen : visited)
      if (seen == name) return std::nullopt;  // a loop: ended, no resource
    const GameRecord* found = db.FindSet(name, false);
    if (!found) return std::string(name);
    visited.push_back(found->Name.View());
    name = found->RomOf.View();
  }
  return std::nullopt;
}

std::string DateLine(const std::string& path) {
  if (path.empty() || !platform::fs::FileExists(path)) return "";
  const std::optional<std::int64_t> when = platform::fs::ModificationTime(path);
  if (!when) return "";
  const LocalDateTime local = LocalDateTimeOf(*when);
  return "Creation date: ............" + local.date + " - " + local.time;
}

}  // namespace

std::string ExternalResourceLine(const std::string& name, const std::string& resource) {
  return SetTag(name) + " uses [" + resource + "]";
}

void BuildProfileInfo(const GameDatabase& db, const std::string& product_name,
                      const std::string& program_dir, int bold_font_size, int normal_font_size,
                      ReportDocument& report) {
  const std::string file = platform::fs::ExtractFileName(db.ProfilePath);
  report.StartReport(product_name + " - Profile info", program_dir,
                     file.substr(0, file.find('.')) + "_profile_info");
  report.AddHeading("Profile details", bold_font_size, normal_font_size);
  auto body = [&] {
    report.SetTextFont(kReportBodyFace, kColorBlack, kStyleRegular, normal_font_size);
  };
  auto heading = [&] {
    report.SetTextFont(kReportHeadingFace, kColorBlack, kStyleBold, bold_font_size);
  };
  report.AddLine("Profile: .................." + db.ProfilePath);
  if (std::string date = DateLine(db.ProfilePath); !date.empty()) report.AddLine(date);
  report.AddLine("MAME executable file: ....." + db.EmulatorDir + db.EmulatorExe);
  report.AddLine("MAME version: ............." + db.EmulatorVersion);
  report.AddLine("Romsets supported: ........" + std::to_string(db.GameCount()));
  report.AddLine("Resources needed: ........." + std::to_string(db.ResourceCount()));

  std::size_t masters = 0, need_samples = 0, own_roms = 0;
  std::vector<std::string> resources, sample_sets;
  NameList cpus, sound_chips;
  for (const GameRecord& game : db.Games()) {
    if (game.CloneOf.empty()) ++masters;
    const bool has_samples = !db.Samples(game).empty();
    if (!game.SampleOf.empty() || has_samples) ++need_samples;
    if (has_samples && game.SampleOf.empty()) sample_sets.push_back("[" + game.Name.Str() + "]");
    for (const RomRecord& rom : db.Roms(game))
      if (rom.Merge == 0) ++own_roms;
    for (const ChipRecord& chip : db.Chips(game)) {
      if (chip.Kind == kChipCpu) cpus.Add(db.Text(chip.Name));
      if (chip.Kind == kChipAudio) sound_chips.Add(db.Text(chip.Name));
    }
    if (!game.RomOf.empty()) {
      if (std::optional<std::string> resource = ExternalResourceOf(db, game))
        resources.push_back(ExternalResourceLine(game.Name.Str(), *resource));
    }
  }
  report.AddLine("Master sets: .............." + std::to_string(masters));
  report.AddLine("Clone sets: ..............." + std::to_string(db.GameCount() - masters));
  report.AddLine("Standard arcade games: ...." +
                 std::to_string(static_cast<long long>(db.GameCount()) -
                                static_cast<long long>(resources.size())));
  report.AddLine("Total rom files: .........." + std::to_string(own_roms));
  report.AddLine("Sets requiring samples: ..." + std::to_string(need_samples));
  report.AddLine("");

  auto section = [&](const std::vector<std::string>& lines, const std::string& none,
                     const std::string& some) {
    heading();
    if (lines.empty()) {
      report.AddLine(none);
      return;
    }
    report.AddLine(std::to_string(lines.size()) + some);
    body();
    for (const std::string& line : lines)
      report.AddLine(line);
  };
  auto between = [&] {
    body();
    report.AddLine("");
  };
  section(resources, "No games using external resources", " games using external resources:");
  between();
  section(cpus.Names(), "No CPU supported", " CPU supported:");
  between();
  section(sound_chips.Names(), "No sound chip supported", " sound chip supported:");
  between();
  section(sample_sets, "No sample sets supported",
          sample_sets.size() > 1 ? " sample sets supported:" : " sample set supported:");
  body();
}

ProfileInfoController::ProfileInfoController(UserInterface& ui, const FrontEndSettings& settings,
                                             const GameDatabase& database, const AppNames& names)
    : ui_(ui), settings_(settings), database_(database), names_(names) {}

void ProfileInfoController::VersionOPTClick() {
  if (!database_.ProfileLoaded) return;
  ui_.SetBusy(true);
  BuildProfileInfo(database_, names_.ProductName, names_.ProgramDir, settings_.BoldFontSize,
                   settings_.NormalFontSize, report_);
  ui_.SetBusy(false);
  ui_.ShowReport(report_);
}

}  // namespace kw
