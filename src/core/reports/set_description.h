// The detailed description of a set ("Romset details"): identity, hardware, controls, driver
// quality, play statistics, the clone family, chips, ROM files, samples, high-score and cheat
// support and the set's entries of the history and information files, written into the report
// window.
#pragma once

#include <string>
#include <string_view>

#include "core/reports/support_files.h"
#include "core/shared/report_document.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListNavigation;
class PlayStats;
class UserInterface;
struct AppNames;
struct EmulatorConfig;
struct FrontEndSettings;
struct GameRecord;

// The support files a description reads, as full paths ("" for none).
struct SupportPaths {
  std::string History;
  // Today's history file, history.xml where History is looked for; read for profiles of today's
  // emulator only.
  std::string HistoryXml;
  std::string Mameinfo;
  std::string Hiscore;
  std::string Cheat;
};
// The files that the emulator's configuration names; a relative name is the emulator's, taken
// from its directory (the directory the emulator runs in).
SupportPaths SupportPathsOf(const EmulatorConfig& config, const std::string& emulator_dir);

// The blocks of the description that come from the support files, written into `report` with
// the report window's heading and body fonts.
class SupportBlocks {
 public:
  SupportBlocks(ReportDocument& report, SupportFiles& files, int bold_font_size,
                int normal_font_size)
      : report_(report),
        files_(files),
        bold_font_size_(bold_font_size),
        normal_font_size_(normal_font_size) {}

  void HeadingFont();
  void BodyFont();

  // Appends the section `tag` of the set's entry of the text database at `path` under the
  // heading and gives true; gives false and appends nothing when the path, name or tag is empty,
  // the file is missing, or it has no such section for the set.
  bool LookupInfoFile(const std::string& path, std::string_view set_name,
                      const std::string& heading, std::string_view tag);
  // The same for the text of the set's entry of today's history.xml at `path`.
  bool LookupHistoryXml(const std::string& path, std::string_view set_name,
                        const std::string& heading);
  // Appends the high-score block for the set; false (nothing appended) when the file cannot be
  // read or has no entry for it.
  bool ShowHiscoreInfo(const std::string& path, std::string_view set_name);
  // Appends an empty line and the cheat block for the set; true when a cheat was listed.
  bool ShowCheatInfo(const std::string& path, std::string_view set_name);

 private:
  // An entry of a history or information file: its heading, then its lines in the body font.
  void AddEntry(const std::string& heading, const InfoSection& lines);

  ReportDocument& report_;
  SupportFiles& files_;
  int bold_font_size_;
  int normal_font_size_;
};

// What a description needs besides the record.
struct DescriptionSources {
  const GameDatabase& database;
  const PlayStats& stats;
  SupportPaths paths;
  std::string product_name;
  std::string program_dir;
  int bold_font_size = 10;
  int normal_font_size = 8;
};

// Fills `report` with the description of `game`, a record of `sources.database`'s Games.
void DescribeSet(ReportDocument& report, SupportFiles& files, const DescriptionSources& sources,
                 const GameRecord& game);

// DetailBTNClick, the tool button, the menu item and the list's pop-up item: the description of
// the game selected in the list, shown in the report window. The support files' indexes stay
// from one description to the next.
class DescribeController {
 public:
  DescribeController(UserInterface& ui, const FrontEndSettings& settings,
                     const GameDatabase& database, const EmulatorConfigController& emulator_config,
                     const PlayStats& stats, const GameListNavigation& game_list,
                     const AppNames& names);

  // Does nothing when the list is empty or has no selection.
  void DetailBTNClick();
  // The description of the game at `position` in Games, shown; false when there is none.
  bool Describe(long position);

  const ReportDocument& Report() const { return report_; }
  SupportFiles& Files() { return files_; }

 private:
  UserInterface& ui_;
  const FrontEndSettings& settings_;
  const GameDatabase& database_;
  const EmulatorConfigController& emulator_config_;
  const PlayStats& stats_;
  const GameListNavigation& game_list_;
  const AppNames& names_;
  ReportDocument report_;
  SupportFiles files_;
};

}  // namespace kw
