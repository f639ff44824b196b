// The emulator's support files as the set description reads them: each read and indexed once,
// and the index used again for as long as the file keeps its size and modification time, so
// that describing set after set never reads a large file again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/reports/cheat_file.h"
#include "core/reports/hiscore_file.h"
#include "core/reports/history_xml.h"
#include "core/reports/info_file.h"

namespace kw {

// One file and its index.
template <class Parsed>
class CachedFile {
 public:
  // The file at `path` (names matched without regard to case), read and indexed when it is new
  // or changed; nullptr when there is no such file or it cannot be read. A file that cannot be
  // read, or whose reader says what is wrong with it, gets a logged line once for each version.
  const Parsed* Get(const std::string& path);

  const std::string& Path() const { return path_; }
  // How often the file was read (for tests and the benchmark).
  std::size_t Reads() const { return reads_; }

 private:
  std::string path_;
  std::uint64_t size_ = 0;
  std::int64_t time_ = 0;
  std::unique_ptr<Parsed> parsed_;
  std::size_t reads_ = 0;
  // The size and time of the file last found unreadable (said once).
  std::optional<std::pair<std::uint64_t, std::int64_t>> unreadable_;
};

class SupportFiles {
 public:
  // The text database at `path`. Two are kept (the history and the information file); a third
  // path takes the place of the one used longest ago.
  const InfoFile* Info(const std::string& path);
  const HiscoreFile* Hiscore(const std::string& path) { return hiscore_.Get(path); }
  const CheatFile* Cheat(const std::string& path) { return cheat_.Get(path); }
  // Today's history.xml.
  const HistoryXml* History(const std::string& path) { return history_.Get(path); }

  // Reads of all files so far.
  std::size_t Reads() const;

 private:
  std::array<CachedFile<InfoFile>, 2> info_;
  std::size_t info_recent_ = 0;  // the slot used last
  CachedFile<HiscoreFile> hiscore_;
  CachedFile<CheatFile> cheat_;
  CachedFile<HistoryXml> history_;
};

}  // namespace kw
