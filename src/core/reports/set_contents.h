// What the verifier knows of the files of the sets it reads: each file's size and CRC-32, taken
// as the bytes come out of the archive, so that no file is written to disk and read back.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"

namespace kw {

struct SetFile {
  std::uint64_t size = 0;
  std::uint32_t crc = 0;
  // A readme whose text names a publisher that certifies the sample set.
  bool certifies = false;
  bool operator==(const SetFile&) const = default;
};

struct NamedSetFile {
  std::string name;
  SetFile file;
  bool operator==(const NamedSetFile&) const = default;
};

// The files of the sets read since it was last emptied, as they would lie in one flat
// directory: a file replaces an earlier one of the same name; a look-up takes the exact name
// first, then, without regard to case, the first of the names in byte order.
class SetContents {
 public:
  using Held = std::pair<const std::string, SetFile>;
  void Put(const std::string& name, const SetFile& file);
  void PutAll(const std::vector<NamedSetFile>& files);
  // The file and its name as held, or nullptr.
  const Held* Find(std::string_view name) const;
  bool Empty() const { return files_.empty(); }
  void Clear();
  // By name in byte order, as a directory listing gives them.
  const std::map<std::string, SetFile, std::less<>>& Files() const { return files_; }

 private:
  std::map<std::string, SetFile, std::less<>> files_;
  // The files by their names folded to lower case, then by name: made at the first look-up the
  // exact name misses (most sets hold their names as the profile writes them), kept up to date
  // by the puts after it.
  mutable std::vector<const Held*> folded_;
  mutable bool folded_made_ = false;
};

// Whether a file of this name is read for the sample set's certification.
bool IsReadmeName(std::string_view name);

// Takes the size and CRC-32 of every entry it is given, and the certification of a readme.
// Stops the reading with a failure once `stop` is set.
class ContentsSink final : public platform::archive::FlatSink {
 public:
  explicit ContentsSink(const std::atomic<bool>* stop = nullptr) : stop_(stop) {}
  // Only these names are read (empty: all of them).
  void OnlyNames(bool (*wanted)(std::string_view)) { wanted_ = wanted; }

  bool Wants(const std::string& flat_name) override;
  Begun Begin(const std::string& flat_name, std::uint64_t claimed_size) override;
  Status Data(const char* data, std::size_t size) override;
  Status End() override;
  void Abandon() override {}
  // Only a readme's text is read; the other files are known by their size and CRC-32.
  bool NeedsData(const std::string& flat_name) override;
  Status Checked(std::uint64_t size, std::uint32_t crc) override;
  // Kept with the size the archive claims: the checks then tell its size is wrong.
  void Passed(const std::string& flat_name, std::uint64_t claimed_size,
              std::optional<std::uint32_t> stored_crc) override;

  std::vector<NamedSetFile>& Files() { return files_; }

 private:
  const std::atomic<bool>* stop_;
  bool (*wanted_)(std::string_view) = nullptr;
  std::vector<NamedSetFile> files_;
  NamedSetFile current_;
  std::uint32_t crc_ = 0;
  bool readme_ = false;
  std::string window_;  // the printable text of a readme not yet searched through
};

}  // namespace kw
