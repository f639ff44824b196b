// Reads the sets of a verification run in the run's order, a few sets ahead of the
// verifier on other cores, and (in the quick mode) judges ZIP and 7z archives from their
// directories, with a cache of what each archive held while it stays unchanged.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "core/reports/set_contents.h"
#include "platform/decode_helpers.h"
#include "platform/fs.h"

namespace kw {

class SetArchives;

// What the quick mode learnt of each archive it read, by path, while its stamp is unchanged.
// Written as text lines; a damaged file gives what could be read before the damage. Loading
// reads only each archive's line: the lines of its files are read when it is first found, on
// the reading threads, and one found damaged then counts as unknown. Find and Put may be called
// from several threads at once.
class QuickCache {
 public:
  // The files of the archive at `path` while it has `stamp`; nothing when it is not known so.
  std::optional<std::vector<NamedSetFile>> Find(const std::string& path,
                                                const platform::fs::FileStamp& stamp) const;
  void Put(const std::string& path, const platform::fs::FileStamp& stamp,
           std::vector<NamedSetFile> files);
  // Only the archives found or put since Parse or Load: an archive gone from the collection
  // leaves the cache at the next save.
  std::string Format() const;
  void Parse(std::string_view text);
  void Load(const std::string& path);
  // Load on a thread of its own, while the caller goes on; every other call waits for it.
  void LoadInBackground(const std::string& path);
  ~QuickCache();
  // Writes Format() to `path`; left alone when it would hold just what Load read from it.
  Status Save(const std::string& path);
  std::size_t Size() const {
    Loaded();
    return archives_.size();
  }

 private:
  struct Archive {
    platform::fs::FileStamp stamp;
    std::vector<NamedSetFile> files;  // once read (or put)
    // Before: the lines of its files as the text has them, each with its line end.
    std::string_view lines;
    std::size_t count = 0;
    bool read = true;
    // Set by a look-up under the shared lock.
    mutable std::atomic<bool> used{false};
  };
  void ParseOwned(std::string text);
  void LoadNow(const std::string& path);
  void Loaded() const;  // waits for LoadInBackground
  std::shared_future<void> loading_;
  mutable std::atomic<bool> settled_{true};  // no load under way (Loaded need not wait)
  static void AppendHead(std::string& text, const std::string& path,
                         const platform::fs::FileStamp& stamp, std::size_t count);
  // Look-ups share it (the reading threads look up at once); a put, a parse or a save has it
  // alone.
  mutable std::shared_mutex mutex_;
  std::unordered_map<std::string, Archive> archives_;
  std::string text_;  // the text parsed, which the archives not read yet point into
  mutable std::atomic<std::size_t> used_{0};  // archives found or put since Parse
  mutable bool changed_ = true;               // put since Parse, or damaged
  // The file Load read whole, and its stamp then.
  std::optional<std::pair<std::string, platform::fs::FileStamp>> loaded_;
};

struct SetJob {
  std::string name;
  std::string_view search_list;  // a text that outlives the reader (the verifier's paths)
  // What the profile lets the set hold (SetBounds); the size limit of the archives besides.
  platform::archive::SizeLimits limits;
};

// What the reader gives of one set: its files, and for a set that is there but could not be
// read at all (its file cannot be opened, or its archive's directory or headers cannot be
// read), where it is and why.
struct SetRead {
  std::vector<NamedSetFile> files;
  std::string location;
  std::string unreadable;  // the reason; empty when the set was read or is nowhere
};

// The reason a set at `location` gave nothing: the failure of its reading when the reading
// gave no file and its first line names the set's own file ("LOCATION: reason"); empty else.
std::string UnreadableReason(const std::string& location, const Status& read, bool anything_read);

class SetReader {
 public:
  // `cache` (quick mode only) must outlive the reader; it is used on the reading threads
  // only, until the reader is gone. `threads` 0 reads each set when it is asked for.
  SetReader(SetArchives& archives, std::vector<SetJob> jobs, bool quick, QuickCache* cache,
            unsigned threads);
  ~SetReader();
  SetReader(const SetReader&) = delete;
  SetReader& operator=(const SetReader&) = delete;

  // The files of the next set (the next job, which should be `job`), in the order they were
  // read. `wait` runs about every 15 ms while a reading thread is still at it; when it returns
  // true the reading stops and nothing is returned.
  std::optional<SetRead> Next(const SetJob& job, const std::function<bool()>& wait);
  // The job Next expects to be asked for, as the run planned it; none past the plan, or once
  // the sets are read as they are asked for.
  const SetJob* Upcoming() const {
    const std::size_t at = next_.load(std::memory_order_relaxed);
    return at < jobs_.size() ? &jobs_[at] : nullptr;
  }

  // Archives read in full and archives judged from their directory (or the cache).
  std::uint64_t ArchivesDecoded() const { return decoded_; }
  std::uint64_t ArchivesJudged() const { return judged_; }
  // Of those judged, the archives that the cache knew unchanged (not read at all).
  std::uint64_t ArchivesRemembered() const { return remembered_; }

 private:
  struct Done {
    SetRead read;
    std::string deferred;  // a location to be read on the verifier's thread (ACE sets)
    platform::archive::SizeLimits limits;  // the deferred set's
  };
  Done Read(const SetJob& job);
  SetRead Finish(Done done);
  // What the quick mode knows of the archive at `location` without decoding it; `listed_in` is
  // the listing it was found in, when it was found in one.
  std::optional<std::vector<NamedSetFile>> Quick(const std::string& location,
                                                 const platform::archive::SizeLimits& limits,
                                                 const platform::fs::DirectoryNames* listed_in);
  void Work();
  void Stop();

  SetArchives& archives_;
  std::vector<SetJob> jobs_;
  // The directories of each search list of the jobs, listed once for the run (read only once the
  // threads run).
  using ListedSearchList = std::pair<std::string_view, std::vector<platform::fs::DirectoryNames>>;
  std::vector<ListedSearchList> directories_;  // a run has one list or two
  const ListedSearchList* ListingOf(std::string_view search_list) const;
  std::once_flag listed_;  // the directories are listed by the first set read
  void ListDirectories();
  bool quick_;
  QuickCache* cache_;
  static constexpr std::size_t kNobodyWaits = SIZE_MAX;
  std::atomic<std::size_t> next_{0};  // the verifier's next job (written by its thread only)

  std::mutex mutex_;               // for the side that sleeps (Work)
  std::condition_variable ready_;  // a set was read (the verifier waits for its next one)
  std::condition_variable room_;   // the verifier took sets (reading threads wait for room)
  std::atomic<std::size_t> verifier_waits_for_{kNobodyWaits};  // the job it waits for
  // Whether the sets from job `first` on, a wake-up's worth, are there.
  bool BatchFilled(std::size_t first) const;
  // The verifier's next job at which a thread sleeping for room may read on.
  std::atomic<std::size_t> wake_at_{kNobodyWaits};
  // The sets read ahead, job i in slot i % kReadAhead (no thread is further ahead than that),
  // and whether each slot holds its set.
  std::vector<Done> done_;
  std::unique_ptr<std::atomic<bool>[]> filled_;
  std::atomic<std::size_t> claimed_{0};  // the next job a thread takes
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
  // The threads with no set left help decode the members of the sets still being read.
  platform::archive::DecodeHelpers helpers_;
  std::atomic<std::size_t> read_{0};  // the sets read by the threads
  std::atomic<std::uint64_t> decoded_{0};
  std::atomic<std::uint64_t> judged_{0};
  std::atomic<std::uint64_t> remembered_{0};
};

}  // namespace kw
