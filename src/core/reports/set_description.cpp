#include "core/reports/set_description.h"

#include "core/browser/quick_info.h"
#include "core/duration_text.h"
#include "core/hex_value.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_config.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// "s" after a count that is not 1, or more than 1, as each line wants it.
const char* PluralUnlessOne(unsigned long n) {
  return n == 1 ? "" : "s";
}
const char* PluralOverOne(unsigned long n) {
  return n > 1 ? "s" : "";
}

constexpr const char* kHistoryHeading = "History file entry";

std::string PathIn(const std::string& dir, const std::string& name) {
  if (name.empty()) return {};
  return fs::IsAbsolute(name) ? name : dir + name;
}

class Description {
 public:
  Description(ReportDocument& report, SupportFiles& files, const DescriptionSources& sources,
              const GameRecord& game)
      : report_(report),
        blocks_(report, files, sources.bold_font_size, sources.normal_font_size),
        sources_(sources),
        db_(sources.database),
        game_(game) {}

  void Write() {
    report_.StartReport(sources_.product_name + " - Detailed romset description",
                        sources_.program_dir, game_.Name.Str() + "_romset");
    report_.AddHeading("Romset description", sources_.bold_font_size, sources_.normal_font_size);

    Identity();
    Hardware();
    Statistics();
    Family();
    Chips();
    Roms();
    Samples();
    const std::string name = game_.Name.Str();
    const SupportPaths& paths = sources_.paths;
    if (!blocks_.ShowHiscoreInfo(paths.Hiscore, name))
      Heading("HighScore save for this game is not supported yet");
    blocks_.ShowCheatInfo(paths.Cheat, name);
    // A master is looked up a second time under its empty CloneOf, which finds nothing.
    const std::string clone_of = game_.CloneOf.Str();
    // Today's emulator has its history as history.xml too: its entry comes first, the set's
    // own entry in either file before its master's.
    const bool todays = db_.Dialect == EmulatorDialect::kListxml;
    const auto history = [&](const std::string& set) {
      return (todays && blocks_.LookupHistoryXml(paths.HistoryXml, set, kHistoryHeading)) ||
             blocks_.LookupInfoFile(paths.History, set, kHistoryHeading, "bio");
    };
    if (!history(name) && !history(clone_of)) Heading("No entry found in history file");
    if (!blocks_.LookupInfoFile(paths.Mameinfo, name, "MAME info file entry", "mame") &&
        !blocks_.LookupInfoFile(paths.Mameinfo, clone_of, "MAME info file entry", "mame"))
      Heading("No entry found in mame info file");
  }

 private:
  // An empty line, then the heading in the heading font, which stays in force.
  void Heading(const std::string& text) {
    report_.AddLine("");
    blocks_.HeadingFont();
    report_.AddLine(text);
  }

  void Identity() {
    const std::string name = game_.Name.Str();
    report_.AddLine(CutTo(
        "Game: .............[" + name + "] = " + std::string(db_.Description(game_)), kTextWidth));
    if (!game_.CloneOf.empty()) {
      const GameRecord* master = db_.FindSet(game_.CloneOf.View(), false);
      // Our choice for a master that the profile lacks: said as the statistics report says it.
      report_.AddLine("Clone of: .........[" + game_.CloneOf.Str() + "]" +
                      (master ? " = " + std::string(db_.Description(*master))
                              : std::string(" (game not supported by current profile)")));
    }
    report_.AddLine("Copyright: ........" +
                    (game_.Year == 0 ? std::string("????") : std::to_string(game_.Year)) + " - " +
                    std::string(db_.Manufacturer(game_)));
  }

  void Hardware() {
    const GameRecord& g = game_;
    report_.AddLine(std::string("Screen: ...........") + (g.Raster ? "Raster" : "Vector") + ", " +
                    (g.Vertical ? "vertical" : "horizontal"));
    if (g.Raster) {
      report_.AddLine("Resolution: ......." + ResolutionText(db_, g));
    }
    report_.AddLine("Sound: ............" + ChannelsText(g.Channels));

    std::string controls = "Controls: ........." + std::to_string(g.Players) + " player" +
                           PluralUnlessOne(g.Players) + ", " + std::string(ControlWord(g.Control));
    if (g.Control != kControlNone && g.Buttons != 0) controls += "+";
    if (g.Buttons != 0)
      controls += std::to_string(g.Buttons) + " button" + PluralOverOne(g.Buttons);
    if (g.Players > 1) controls += " each player";
    report_.AddLine(controls);

    std::string coinage =
        "Coinage: .........." + std::to_string(g.Coins) + " slot" + PluralOverOne(g.Coins);
    if (g.Tilt) coinage += ", TILT supported";
    if (g.Service) coinage += ", service button";
    report_.AddLine(coinage);
    report_.AddLine("Dip switches: ....." + std::to_string(g.DipSwitches) + " setting" +
                    PluralUnlessOne(g.DipSwitches));
    report_.AddLine("Driver quality: ..." + std::string(DriverWord(g.DriverStatus)));
    report_.AddLine("Color quality: ...." + std::string(DriverWord(g.DriverColor)) + ", " +
                    (g.ColorDeep ? "16" : "8") + " bits");
    report_.AddLine("Sound quality: ...." + std::string(DriverWord(g.DriverSound)));
  }

  void Statistics() {
    const PlayRecord* r = sources_.stats.FindPlayRecord(game_.Name.View());
    if (!r || r->TotTimes == 0) {
      report_.AddLine("Statistics: .......Never played");
      return;
    }
    report_.AddLine("Statistics: .......Played " + std::to_string(r->TotTimes) + " time" +
                    PluralOverOne(r->TotTimes) + "; total time: " +
                    HoursMinutesSeconds(r->TotHours, r->TotMinutes, r->TotSeconds));
  }

  void Family() {
    const SetName master = game_.CloneOf.empty() ? game_.Name : game_.CloneOf;
    std::vector<std::string> lines;
    for (const GameRecord& g : db_.Games()) {
      if (!(g.CloneOf == master)) continue;
      std::string line =
          PaddedTo("[" + g.Name.Str() + "]", 10) + " = " + std::string(db_.Description(g));
      if (&g == &game_) line += " <- this set";
      lines.push_back(std::move(line));
    }
    if (lines.empty()) {
      Heading("There are no clones of the " + master.Str() + " master set");
      return;
    }
    Heading(lines.size() == 1 ? "There is 1 clone of the " + master.Str() + " master set:"
                              : "There are " + std::to_string(lines.size()) + " clones of the " +
                                    master.Str() + " master set:");
    Body(lines);
  }

  void Chips() {
    const auto chips = db_.Chips(game_);
    if (chips.empty()) {
      Heading("No chipset informations available");
      return;
    }
    Heading("Chipset:");
    blocks_.BodyFont();
    for (const ChipRecord& chip : chips) {
      std::string line = chip.Kind == kChipCpu     ? "CPU: ....."
                         : chip.Kind == kChipAudio ? "Audio: ..."
                                                   : "Unknown: ";
      line += db_.Text(chip.Name);
      if (!db_.Text(chip.Clock).empty())
        line += ", " + std::string(db_.Text(chip.Clock)) + "Hz clock";
      if (chip.Flags == 1) line += " (sound)";
      report_.AddLine(line);
    }
  }

  void Roms() {
    const auto roms = db_.Roms(game_);
    if (roms.empty()) {
      Heading("No roms used");
      return;
    }
    Heading("Rom files (name/crc/size/area/bank):");
    blocks_.BodyFont();
    for (const RomRecord& rom : roms) {
      const std::string_view name = db_.Text(rom.Name);
      std::string line = PaddedTo(std::string(name), kRomNameWidth) + " ";
      line += rom.Crc == 0 ? " ????????" : "$" + Hex8(rom.Crc);
      line += " " + RightAligned(std::to_string(rom.Size), 8) + " {$" + Hex8(rom.Offset) + "..$" +
              Hex8(rom.Offset + rom.Size - 1) + "} " + std::string(db_.Text(rom.Region));
      if (rom.Flags == kRomFlagDispose) line += " (dispose)";
      if (rom.Flags == kRomFlagSoundOnly) line += " (sound only)";
      if (db_.Text(rom.Merge) == name) line += " - from master set " + game_.RomOf.Str();
      report_.AddLine(line);
    }
  }

  void Samples() {
    const auto samples = db_.Samples(game_);
    if (samples.empty()) {
      Heading("No samples used");
      return;
    }
    Heading("Sample set:");
    blocks_.BodyFont();
    for (TextId sample : samples) {
      std::string line = PaddedTo(std::string(db_.Text(sample)), kRomNameWidth);
      if (!game_.SampleOf.empty()) line += " - from sample set " + game_.SampleOf.Str();
      report_.AddLine(line);
    }
  }

  void Body(const std::vector<std::string>& lines) {
    blocks_.BodyFont();
    for (const std::string& line : lines)
      report_.AddLine(line);
  }

  ReportDocument& report_;
  SupportBlocks blocks_;
  const DescriptionSources& sources_;
  const GameDatabase& db_;
  const GameRecord& game_;
};

}  // namespace

SupportPaths SupportPathsOf(const EmulatorConfig& config, const std::string& emulator_dir) {
  SupportPaths paths;
  paths.History = PathIn(emulator_dir, config.config.historyfile);
  if (!paths.History.empty()) paths.HistoryXml = fs::ExtractFilePath(paths.History) + "history.xml";
  paths.Mameinfo = PathIn(emulator_dir, config.config.mameinfofile);
  paths.Cheat = PathIn(emulator_dir, config.config.cheatfile);
  paths.Hiscore = config.hiscore_path.empty() ? PathIn(emulator_dir, std::string(kHiscoreName))
                                              : config.hiscore_path;
  return paths;
}

void SupportBlocks::HeadingFont() {
  report_.SetTextFont(kReportHeadingFace, kColorBlack, kStyleBold, bold_font_size_);
}

void SupportBlocks::BodyFont() {
  report_.SetTextFont(kReportBodyFace, kColorBlack, kStyleRegular, normal_font_size_);
}

bool SupportBlocks::LookupInfoFile(const std::string& path, std::string_view set_name,
                                   const std::string& heading, std::string_view tag) {
  if (path.empty() || set_name.empty() || tag.empty()) return false;
  const InfoFile* file = files_.Info(path);
  if (!file) return false;
  const auto section = file->Section(set_name, tag);
  if (!section) return false;
  AddEntry(heading, *section);
  return true;
}

void SupportBlocks::AddEntry(const std::string& heading, const InfoSection& lines) {
  report_.AddLine("");
  HeadingFont();
  report_.AddLine(heading + ":");
  BodyFont();
  for (std::string_view line : lines)
    report_.AddLine(std::string(line));
}

bool SupportBlocks::LookupHistoryXml(const std::string& path, std::string_view set_name,
                                     const std::string& heading) {
  if (path.empty() || set_name.empty()) return false;
  const HistoryXml* file = files_.History(path);
  if (!file) return false;
  const auto text = file->Text(set_name);
  if (!text) return false;
  AddEntry(heading, *text);
  return true;
}

bool SupportBlocks::ShowHiscoreInfo(const std::string& path, std::string_view set_name) {
  const HiscoreFile* file = path.empty() ? nullptr : files_.Hiscore(path);
  if (!file) return false;
  const auto areas = file->Areas(set_name);
  if (!areas) return false;
  report_.AddLine("");
  HeadingFont();
  report_.AddLine("This game supports HighScore save using the following memory areas:");
  BodyFont();
  for (const std::string& area : *areas)
    report_.AddLine(area);
  return true;
}

bool SupportBlocks::ShowCheatInfo(const std::string& path, std::string_view set_name) {
  report_.AddLine("");
  HeadingFont();
  const CheatFile* file = path.empty() ? nullptr : files_.Cheat(path);
  if (file && file->Compressed()) {
    report_.AddLine("The cheat file is GZip-compressed and cannot be scanned");
    return false;
  }
  const std::vector<std::string> cheats =
      file ? file->Cheats(set_name) : std::vector<std::string>{};
  if (cheats.empty()) {
    report_.AddLine("No entry found in cheat file");
    return false;
  }
  report_.AddLine("Cheats available for this game:");
  BodyFont();
  for (const std::string& cheat : cheats)
    report_.AddLine(cheat);
  return true;
}

void DescribeSet(ReportDocument& report, SupportFiles& files, const DescriptionSources& sources,
                 const GameRecord& game) {
  Description(report, files, sources, game).Write();
}

DescribeController::DescribeController(UserInterface& ui, const FrontEndSettings& settings,
                                       const GameDatabase& database,
                                       const EmulatorConfigController& emulator_config,
                                       const PlayStats& stats, const GameListNavigation& game_list,
                                       const AppNames& names)
    : ui_(ui),
      settings_(settings),
      database_(database),
      emulator_config_(emulator_config),
      stats_(stats),
      game_list_(game_list),
      names_(names) {}

void DescribeController::DetailBTNClick() {
  if (database_.GameCount() == 0) return;
  Describe(game_list_.SelectedGame());
}

bool DescribeController::Describe(long position) {
  if (position < 0 || static_cast<std::size_t>(position) >= database_.GameCount()) return false;
  ui_.SetBusy(true);
  DescriptionSources sources{database_,
                             stats_,
                             SupportPathsOf(emulator_config_.Config(), database_.EmulatorDir),
                             names_.ProductName,
                             names_.ProgramDir,
                             settings_.BoldFontSize,
                             settings_.NormalFontSize};
  DescribeSet(report_, files_, sources, database_.Game(static_cast<std::size_t>(position)));
  ui_.SetBusy(false);
  ui_.ShowReport(report_);
  return true;
}

}  // namespace kw
