#include "core/reports/set_reader.h"

#include <algorithm>
#include <charconv>
#include <chrono>

#include "common/ascii.h"
#include "core/shared/set_archives.h"
#include "platform/sevenzip_directory.h"
#include "platform/zip_directory.h"

namespace kw {

namespace fs = platform::fs;
namespace archive = platform::archive;

namespace {

constexpr std::string_view kCacheHeader = "KWQUICK 1";
// About what an archive takes in the file (its line and its files' lines): the table of a file
// read is made that large at once.
constexpr std::size_t kCacheBytesPerArchive = 256;
// How many sets the reading threads may be ahead of the verifier; a thread that finds them that
// far ahead sleeps until the verifier has taken half of them, so that a set judged in
// microseconds (the quick mode) does not cost a wake-up each.
constexpr std::size_t kReadAhead = 128;
constexpr std::size_t kReadAgain = kReadAhead / 2;
// The sets a waiting verifier is woken for.
constexpr std::size_t kWakeBatch = kReadAhead / 4;

template <typename T>
bool ParseNumber(std::string_view text, T& value, int base = 10) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

// Splits off the next blank-separated word of `line`.
std::string_view Word(std::string_view& line) {
  const std::size_t blank = line.find(' ');
  std::string_view word = line.substr(0, blank);
  line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  return word;
}

// The `count` file lines of `lines` (each with its line end), or nothing when one is damaged.
std::optional<std::vector<NamedSetFile>> ReadFileLines(std::string_view lines, std::size_t count) {
  std::vector<NamedSetFile> files;
  files.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = lines.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view file = lines.substr(0, end);
    lines.remove_prefix(end + 1);
    NamedSetFile f;
    std::string_view flag;
    if (!ParseNumber(Word(file), f.file.crc, 16) || !ParseNumber(Word(file), f.file.size) ||
        ((flag = Word(file)) != "0" && flag != "1") || file.empty())
      return std::nullopt;
    f.file.certifies = flag == "1";
    f.name = std::string(file);
    files.push_back(std::move(f));
  }
  return files;
}

}  // namespace

std::optional<std::vector<NamedSetFile>> QuickCache::Find(const std::string& path,
                                                          const fs::FileStamp& stamp) const {
  Loaded();
  std::string_view lines;
  std::size_t count = 0;
  {
    std::shared_lock<std::shared_mutex> lock(mutex_);
    auto found = archives_.find(path);
    if (found == archives_.end() || !(found->second.stamp == stamp)) return std::nullopt;
    const Archive& archive = found->second;
    if (!archive.used.exchange(true)) ++used_;
    if (archive.read) return archive.files;
    lines = archive.lines;
    count = archive.count;
  }
  // Read outside the lock: the lines stay as they are while the cache is not parsed again.
  std::optional<std::vector<NamedSetFile>> files = ReadFileLines(lines, count);
  if (!files) {
    // Damaged: unknown, and left out of the next save.
    std::lock_guard<std::shared_mutex> lock(mutex_);
    auto found = archives_.find(path);
    if (found != archives_.end() && found->second.used && !found->second.read) {
      found->second.used = false;
      --used_;
      changed_ = true;
    }
  }
  return files;
}

void QuickCache::Put(const std::string& path, const fs::FileStamp& stamp,
                     std::vector<NamedSetFile> files) {
  Loaded();
  std::lock_guard<std::shared_mutex> lock(mutex_);
  Archive& archive = archives_[path];
  if (!archive.used.exchange(true)) ++used_;
  archive.stamp = stamp;
  archive.files = std::move(files);
  archive.lines = {};
  archive.count = 0;
  archive.read = true;
  changed_ = true;
}

void QuickCache::AppendHead(std::string& text, const std::string& path, const fs::FileStamp& s,
                            std::size_t count) {
  text += "A " + std::to_string(s.size) + ' ' + std::to_string(s.modified_ns) + ' ' +
          std::to_string(s.changed_ns) + ' ' + std::to_string(s.inode) + ' ' +
          std::to_string(count) + ' ' + path + '\n';
}

std::string QuickCache::Format() const {
  Loaded();
  std::lock_guard<std::shared_mutex> lock(mutex_);
  std::string text(kCacheHeader);
  text += '\n';
  // In the order of their paths' bytes.
  std::vector<const std::pair<const std::string, Archive>*> order;
  order.reserve(archives_.size());
  for (const auto& entry : archives_) {
    if (entry.second.used) order.push_back(&entry);
  }
  std::sort(order.begin(), order.end(),
            [](const auto* a, const auto* b) { return a->first < b->first; });
  for (const auto* entry : order) {
    const std::string& path = entry->first;
    const Archive& archive = entry->second;
    if (path.find('\n') != std::string::npos) continue;
    if (!archive.read) {
      // Found, so read without damage: its lines as they were.
      AppendHead(text, path, archive.stamp, archive.count);
      text += archive.lines;
      continue;
    }
    bool plain = true;
    for (const NamedSetFile& f : archive.files)
      plain = plain && f.name.find('\n') == std::string::npos;
    if (!plain) continue;
    AppendHead(text, path, archive.stamp, archive.files.size());
    for (const NamedSetFile& f : archive.files) {
      char crc[9];
      std::snprintf(crc, sizeof crc, "%08x", f.file.crc);
      text += std::string(crc) + ' ' + std::to_string(f.file.size) + ' ' +
              (f.file.certifies ? '1' : '0') + ' ' + f.name + '\n';
    }
  }
  return text;
}

void QuickCache::Parse(std::string_view text) {
  Loaded();
  ParseOwned(std::string(text));
}

void QuickCache::ParseOwned(std::string owned) {
  std::lock_guard<std::shared_mutex> lock(mutex_);
  archives_.clear();
  text_ = std::move(owned);
  archives_.reserve(text_.size() / kCacheBytesPerArchive);
  const std::string_view text = text_;
  used_ = 0;
  changed_ = true;  // until the whole text is read
  std::size_t at = 0;
  auto next_line = [&](std::string_view& line) {
    if (at >= text.size()) return false;
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) return false;  // a cut last line is not trusted
    line = text.substr(at, end - at);
    at = end + 1;
    return true;
  };
  std::string_view line;
  if (!next_line(line) || line != kCacheHeader) return;
  while (next_line(line)) {
    fs::FileStamp stamp;
    std::size_t count = 0;
    if (Word(line) != "A" || !ParseNumber(Word(line), stamp.size) ||
        !ParseNumber(Word(line), stamp.modified_ns) || !ParseNumber(Word(line), stamp.changed_ns) ||
        !ParseNumber(Word(line), stamp.inode) || !ParseNumber(Word(line), count) || line.empty())
      return;
    // The file lines are only counted here; they are read when the archive is found.
    const std::size_t first = at;
    for (std::size_t i = 0; i < count; ++i) {
      std::string_view file;
      if (!next_line(file)) return;  // what came before stays
    }
    // A path given twice keeps its last entry, as a plain assignment would.
    Archive& archive = archives_.try_emplace(std::string(line)).first->second;
    archive.stamp = stamp;
    archive.files.clear();
    archive.lines = text.substr(first, at - first);
    archive.count = count;
    archive.read = false;
  }
  if (at == text.size()) changed_ = false;
}

QuickCache::~QuickCache() {
  Loaded();
}

void QuickCache::Loaded() const {
  if (settled_.load(std::memory_order_acquire)) return;
  if (loading_.valid()) loading_.wait();
  settled_.store(true, std::memory_order_release);
}

void QuickCache::LoadInBackground(const std::string& path) {
  Loaded();
  settled_.store(false);
  loading_ = std::async(std::launch::async, [this, path] { LoadNow(path); }).share();
}

void QuickCache::Load(const std::string& path) {
  Loaded();
  LoadNow(path);
}

void QuickCache::LoadNow(const std::string& path) {
  loaded_.reset();
  const std::optional<fs::FileStamp> stamp = fs::Stamp(path);
  Result<std::string> text = fs::ReadFile(path);
  if (text) {
    ParseOwned(std::move(*text));
    if (!changed_ && stamp && fs::Stamp(path) == stamp) loaded_ = {path, *stamp};
  } else {
    ParseOwned({});
  }
}

Status QuickCache::Save(const std::string& path) {
  Loaded();
  // A run that found every archive as the file had it would write the file's own text again.
  if (!changed_ && used_ == archives_.size() && loaded_ && loaded_->first == path &&
      fs::Stamp(path) == loaded_->second)
    return Success();
  if (Status saved = fs::WriteFileAtomic(path, Format()); !saved) return saved;
  loaded_.reset();
  return Success();
}

std::string UnreadableReason(const std::string& location, const Status& read, bool anything_read) {
  if (read || anything_read) return "";
  const std::string& text = read.Message();
  const std::string first = text.substr(0, text.find('\n'));
  const std::string own = location + ": ";
  // Lines about the set's members say what stayed out of a set that could be read.
  if (!first.starts_with(own)) return "";
  return first.substr(own.size());
}

SetReader::SetReader(SetArchives& archives, std::vector<SetJob> jobs, bool quick, QuickCache* cache,
                     unsigned threads)
    : archives_(archives), jobs_(std::move(jobs)), quick_(quick), cache_(quick ? cache : nullptr) {
  if (threads > 0) {
    done_.resize(kReadAhead);
    filled_ = std::make_unique<std::atomic<bool>[]>(kReadAhead);
  }
  // A thread with no set left to read helps the others decode theirs: a run of fewer sets
  // than threads has its threads too.
  for (unsigned i = 0; i < threads && !jobs_.empty(); ++i)
    threads_.emplace_back([this] { Work(); });
}

void SetReader::ListDirectories() {
  // Each search list is split, made absolute and its directories listed once for the run, not
  // once for every set.
  for (const SetJob& job : jobs_) {
    if (ListingOf(job.search_list) != nullptr) continue;
    std::vector<fs::DirectoryNames> listed;
    for (const std::string& directory : SearchDirectories(std::string(job.search_list)))
      listed.emplace_back(directory);
    directories_.emplace_back(job.search_list, std::move(listed));
  }
}

const SetReader::ListedSearchList* SetReader::ListingOf(std::string_view search_list) const {
  for (const ListedSearchList& listed : directories_) {
    if (listed.first == search_list) return &listed;
  }
  return nullptr;
}

SetReader::~SetReader() {
  Stop();
}

void SetReader::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  helpers_.Close();
  room_.notify_all();
  ready_.notify_all();
  for (std::thread& thread : threads_)
    thread.join();
  threads_.clear();
}

bool SetReader::BatchFilled(std::size_t first) const {
  for (std::size_t index = first; index < first + kWakeBatch && index < jobs_.size(); ++index) {
    if (!filled_[index % kReadAhead].load()) return false;
  }
  return true;
}

// The hand-over of the sets read takes no lock while neither side waits: a reading thread
// claims a job by counting, fills the job's slot and marks it filled; the verifier's thread
// takes the slot once it is marked, empties it and counts on. The mutex and the conditions serve
// only the side that must sleep: the verifier when its next set is not read yet, a reading
// thread when it is too far ahead. Each side marks that it sleeps before it looks once more, and
// the other looks for that mark after its own change (both sequentially consistent), so a
// wake-up is never missed; the verifier wakes every 15 ms besides. A verifier that waits is woken
// once a batch of sets is there for it, not at each set: a sleep and a wake-up cost more than
// the quick check of a set.
void SetReader::Work() {
  for (;;) {
    if (stop_) return;
    const std::size_t index = claimed_.fetch_add(1);
    if (index >= jobs_.size()) {
      helpers_.Help();
      return;
    }
    if (index >= next_.load() + kReadAhead) {
      // Too far ahead: the thread sleeps until the verifier is kReadAgain sets from this one.
      std::unique_lock<std::mutex> lock(mutex_);
      for (;;) {
        const std::size_t at = index + 1 - kReadAgain;
        if (at < wake_at_.load()) wake_at_.store(at);
        if (stop_ || index < next_.load() + kReadAgain) break;
        room_.wait(lock);
      }
    }
    if (stop_) return;
    Done done = Read(jobs_[index]);
    done_[index % kReadAhead] = std::move(done);
    filled_[index % kReadAhead].store(true);
    // The last set read: no archive is left to help with.
    if (read_.fetch_add(1) + 1 == jobs_.size()) helpers_.Close();
    const std::size_t waited = verifier_waits_for_.load();
    if (waited != kNobodyWaits && index >= waited && index < waited + kWakeBatch &&
        BatchFilled(waited)) {
      std::lock_guard<std::mutex> lock(mutex_);
      ready_.notify_one();
    }
  }
}

std::optional<SetRead> SetReader::Next(const SetJob& job, const std::function<bool()>& wait) {
  if (const std::size_t at = next_.load(std::memory_order_relaxed);
      at >= jobs_.size() || jobs_[at].name != job.name ||
      jobs_[at].search_list != job.search_list) {
    // Asked out of order: from here on each set is read when asked for.
    Stop();
    jobs_.clear();
    next_ = 0;
    stop_ = false;
    Done done = Read(job);
    return Finish(std::move(done));
  }
  const std::size_t index = next_.load(std::memory_order_relaxed);
  Done done;
  if (threads_.empty()) {
    done = Read(jobs_[index]);
  } else {
    std::atomic<bool>& filled = filled_[index % kReadAhead];
    if (!filled.load(std::memory_order_acquire)) {
      std::unique_lock<std::mutex> lock(mutex_);
      verifier_waits_for_.store(index);
      while (!filled.load()) {
        ready_.wait_for(lock, std::chrono::milliseconds(15));
        if (filled.load()) break;
        lock.unlock();
        const bool stop = wait && wait();
        lock.lock();
        if (stop) {
          verifier_waits_for_.store(kNobodyWaits);
          lock.unlock();
          Stop();
          return std::nullopt;
        }
      }
      verifier_waits_for_.store(kNobodyWaits);
    }
    Done& slot = done_[index % kReadAhead];
    done = std::move(slot);
    slot = Done{};
    filled.store(false, std::memory_order_relaxed);
  }
  next_.store(index + 1);
  if (index + 1 >= wake_at_.load()) {
    std::lock_guard<std::mutex> lock(mutex_);
    wake_at_.store(kNobodyWaits);
    room_.notify_all();
  }
  return Finish(std::move(done));
}

SetRead SetReader::Finish(Done done) {
  if (done.deferred.empty()) return std::move(done.read);
  ContentsSink sink;
  const Status read = archives_.ReadLocatedSet(done.deferred, sink, done.limits);
  decoded_++;
  done.read.unreadable = UnreadableReason(done.deferred, read, !sink.Files().empty());
  done.read.files = std::move(sink.Files());
  return std::move(done.read);
}

SetReader::Done SetReader::Read(const SetJob& job) {
  Done done;
  std::call_once(listed_, [this] { ListDirectories(); });
  const ListedSearchList* listed = ListingOf(job.search_list);
  const LocatedSet located =
      listed != nullptr
          ? archives_.LocateSet(job.name, listed->second, SetKind::Plain)
          : archives_.LocateSet(job.name, SearchDirectories(std::string(job.search_list)),
                                SetKind::Plain);
  const std::string& location = located.path;
  if (location.empty()) return done;
  done.read.location = location;
  if (!located.directory && EqualNoCase(fs::ExtractFileExt(location), ".ACE")) {  // IsAceSet
    done.deferred = location;
    done.limits = job.limits;
    return done;
  }
  const archive::SizeLimits limits = archives_.Within(job.limits);
  if (quick_ && !located.directory) {
    if (std::optional<std::vector<NamedSetFile>> files =
            Quick(location, limits, located.listed_in)) {
      judged_++;
      done.read.files = std::move(*files);
      return done;
    }
  }
  ContentsSink sink(&stop_);
  bool handled = false;
  Status read;
  if (EqualNoCase(fs::ExtractFileExt(location), ".ZIP") && !located.directory) {
    read = archive::ReadZipFlat(location, sink, limits, handled, &helpers_);
  }
  if (!handled) read = ReadSetWithoutPrograms(location, sink, limits);
  decoded_++;
  // A reading stopped for the run's abort says nothing of the set.
  if (!stop_) done.read.unreadable = UnreadableReason(location, read, !sink.Files().empty());
  done.read.files = std::move(sink.Files());
  return done;
}

std::optional<std::vector<NamedSetFile>> SetReader::Quick(const std::string& location,
                                                          const archive::SizeLimits& limits,
                                                          const fs::DirectoryNames* listed_in) {
  const std::string extension = AsciiUpperCase(fs::ExtractFileExt(location));
  const bool zip = extension == ".ZIP";
  if (!zip && extension != ".7Z") return std::nullopt;
  const std::optional<fs::FileStamp> stamp =
      listed_in != nullptr ? listed_in->StampOf(location) : fs::Stamp(location);
  if (!stamp) return std::nullopt;
  if (cache_ != nullptr) {
    if (std::optional<std::vector<NamedSetFile>> cached = cache_->Find(location, *stamp)) {
      remembered_++;
      return cached;
    }
  }
  Result<std::vector<archive::StoredEntry>> entries =
      zip ? archive::ReadZipDirectory(location) : archive::Read7zDirectory(location);
  if (!entries) return std::nullopt;
  for (archive::StoredEntry& entry : *entries) {
    // 7z stores no CRC for an empty file: the CRC of no bytes is 0.
    if (!entry.crc_known && entry.size == 0) entry.crc_known = true;
  }
  std::optional<std::vector<archive::AcceptedEntry>> accepted =
      archive::AcceptedZipEntries(*entries, limits);
  if (!accepted) return std::nullopt;
  std::vector<NamedSetFile> files;
  bool has_readme = false;
  for (const archive::AcceptedEntry& item : *accepted) {
    // A readme too large to be read is known from the directory like any other file.
    has_readme = has_readme || (IsReadmeName(item.flat_name) && !item.too_large);
    files.push_back({item.flat_name, {item.entry->size, item.entry->crc, false}});
  }
  if (has_readme) {
    // The certification is in the readme's text: that one file is decoded, the others passed.
    ContentsSink sink(&stop_);
    sink.OnlyNames(&IsReadmeName);
    bool handled = !zip;
    if (zip) {
      (void)archive::ReadZipFlat(location, sink, limits, handled);
    } else {
      (void)archive::ReadFlat(location, sink, limits);
    }
    if (!handled) return std::nullopt;
    for (NamedSetFile& f : files) {
      for (const NamedSetFile& read : sink.Files()) {
        if (read.name == f.name) f.file.certifies = read.file.certifies;
      }
    }
  }
  if (stop_) return std::nullopt;
  if (cache_ != nullptr) cache_->Put(location, *stamp, files);
  return files;
}

}  // namespace kw
