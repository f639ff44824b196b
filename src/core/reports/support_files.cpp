#include "core/reports/support_files.h"

#include "core/shared/log_line.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

template <class Parsed>
const Parsed* CachedFile<Parsed>::Get(const std::string& path) {
  const auto size = fs::FileExists(path) ? fs::FileSize(path) : std::nullopt;
  const auto time = size ? fs::ModificationTime(path) : std::nullopt;
  if (!size || !time) {
    parsed_.reset();
    path_.clear();
    return nullptr;
  }
  if (parsed_ && path == path_ && *size == size_ && *time == time_) return parsed_.get();
  parsed_.reset();
  path_.clear();
  ++reads_;
  auto bytes = fs::ReadFile(path);
  if (!bytes) {
    if (unreadable_ != std::pair(*size, *time))
      LogLine(path + ": cannot be read: " + bytes.Message());
    unreadable_ = {*size, *time};
    return nullptr;
  }
  unreadable_.reset();
  // What was read decides: the file may have changed between the look and the read.
  size_ = bytes->size();
  time_ = *time;
  path_ = path;
  parsed_ = std::make_unique<Parsed>(std::move(*bytes));
  if constexpr (requires { parsed_->Error(); }) {
    if (!parsed_->Error().empty()) LogLine(path + ": " + parsed_->Error());
  }
  return parsed_.get();
}

template class CachedFile<InfoFile>;
template class CachedFile<HiscoreFile>;
template class CachedFile<CheatFile>;
template class CachedFile<HistoryXml>;

const InfoFile* SupportFiles::Info(const std::string& path) {
  std::size_t slot = info_recent_;
  if (info_[slot].Path() != path) {
    const std::size_t other = 1 - info_recent_;
    // The other slot holds this file, or is the one used longest ago and takes it now.
    slot = other;
  }
  info_recent_ = slot;
  return info_[slot].Get(path);
}

std::size_t SupportFiles::Reads() const {
  return info_[0].Reads() + info_[1].Reads() + hiscore_.Reads() + cheat_.Reads() + history_.Reads();
}

}  // namespace kw
