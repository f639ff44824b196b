// The verifier's passes over folders rather than sets: the pictures each game should have, and
// the sets in the ROM and sample folders that no game of the profile names.
#include "common/ascii.h"
#include "core/reports/verifier.h"
#include "core/shared/game_database.h"
#include "core/shared/pictures.h"
#include "core/shared/report_document.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

Verifier::PictureFinders Verifier::ListPictureFolders() const {
  const bool verified[] = {options_.VerifyScreenshot, options_.VerifyCabinets,
                           options_.VerifyFlyers, options_.VerifyHardware};
  PictureFinders finders;
  for (std::size_t i = 0; i < finders.size(); ++i) {
    std::string directory = PictureDirectory(settings_, static_cast<int>(i) + 1);
    if (!verified[i] || directory.empty()) continue;
    finders[i].emplace(std::move(directory));
    finders[i]->List();
  }
  return finders;
}

bool Verifier::PicturePass() {
  const auto& games = db_.Games();
  StartPass("Pictures verification report:", games.size());
  status_.PassName = "Verify picturess - processing folder(s)...";
  status_.Clones = 0;
  const struct {
    bool on;
    const char* text;
    std::uint32_t VerifyCounters::*counter;
  } kinds[] = {
      {options_.VerifyScreenshot, "screenshot ", &VerifyCounters::MissingScreenshots},
      {options_.VerifyCabinets, "cabinet photo ", &VerifyCounters::MissingCabinets},
      {options_.VerifyFlyers, "flyer ", &VerifyCounters::MissingFlyers},
      {options_.VerifyHardware, "hardware photo ", &VerifyCounters::MissingHardware},
  };
  PictureFinders finders = pictures_.valid() ? pictures_.get() : ListPictureFolders();
  for (const GameRecord& game : games) {
    const std::string name = game.Name.Str();
    status_.SetName = "[" + name + "]";
    if (CheckAbort()) return true;
    if (options_.ScreenshotDetail || game.CloneOf.empty()) {
      for (std::size_t i = 0; i < finders.size(); ++i) {
        if (!kinds[i].on) continue;
        // The same look-up as the picture tabs (loose files, then the folder's archives), so
        // that what they show counts as found.
        if (finders[i] && finders[i]->Find(name)) continue;
        Write(SetTag(name) + " - " + kinds[i].text + "not found");
        ++(counters_.*kinds[i].counter);
      }
    }
    Advance();
    if (CheckAbort()) return true;
  }
  return EndPass();
}

bool Verifier::ScanUnsupportedSets(const std::string& paths, const std::string& word) {
  std::vector<std::string> folders;
  const std::string_view list = TrimIniBlanks(paths);
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(';', start);
    if (end == std::string_view::npos) end = list.size();
    const std::string_view piece = list.substr(start, end - start);
    if (!piece.empty() && piece != ".")
      folders.push_back(fs::ExpandFileName(fs::IncludeTrailingSeparator(piece)));
    start = end + 1;
  }
  for (const std::string& folder : folders) {
    status_.Position = 0;
    status_.Maximum = 100;
    status_.PassName = "Check unsupported sets - preparing " + word + " folder scan...";
    if (CheckAbort()) return true;
    const std::vector<fs::DirEntry> entries = fs::List(folder);
    status_.Maximum = static_cast<long>(entries.size()) + 1;
    status_.PassName = "Check unsupported sets - scanning " + word + " folder...";
    if (CheckAbort()) return true;
    for (const fs::DirEntry& entry : entries) {
      status_.SetName = entry.name + (entry.is_directory ? " <DIR>" : "");
      if (CheckAbort()) return true;
      const std::string key = AsciiUpperCase(fs::ChangeFileExt(entry.name, ""));
      if (db_.FindSet(key, true) == nullptr) {
        Write("Unsupported set: " + folder + entry.name);
        ++counters_.UnsupportedSets;
      }
      Advance();
    }
  }
  return false;
}

}  // namespace kw
