#include "core/reports/set_contents.h"

#include <algorithm>

#include "common/ascii.h"
#include "core/shared/crc32.h"

namespace kw {

namespace {

// Addresses of sample-set publishers whose readme certifies a set.
constexpr std::string_view kCertificationMarkers[] = {"www.halvardsamples.example",
                                                      "samples.kestrelwing.example"};
constexpr std::size_t kLongestMarker = 27;

}  // namespace

namespace {

// Names compared folded to lower case; 0 when they fold alike.
int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool FoldedBefore(const SetContents::Held* a, const SetContents::Held* b) {
  const int folded = CompareFolded(a->first, b->first);
  return folded != 0 ? folded < 0 : a->first < b->first;
}

}  // namespace

void SetContents::Put(const std::string& name, const SetFile& file) {
  auto [at, added] = files_.insert_or_assign(name, file);
  if (!added || !folded_made_) return;
  const Held* held = &*at;
  folded_.insert(std::lower_bound(folded_.begin(), folded_.end(), held, FoldedBefore), held);
}

void SetContents::PutAll(const std::vector<NamedSetFile>& files) {
  for (const NamedSetFile& f : files)
    Put(f.name, f.file);
}

const SetContents::Held* SetContents::Find(std::string_view name) const {
  if (auto exact = files_.find(name); exact != files_.end()) return &*exact;
  if (!folded_made_) {
    folded_.clear();
    folded_.reserve(files_.size());
    for (const Held& held : files_)
      folded_.push_back(&held);
    // Byte order already: among names folding alike, the first in byte order stays first.
    std::stable_sort(folded_.begin(), folded_.end(), [](const Held* a, const Held* b) {
      return CompareFolded(a->first, b->first) < 0;
    });
    folded_made_ = true;
  }
  auto first = std::lower_bound(folded_.begin(), folded_.end(), name,
                                [](const Held* held, std::string_view wanted) {
                                  return CompareFolded(held->first, wanted) < 0;
                                });
  if (first == folded_.end() || CompareFolded((*first)->first, name) != 0) return nullptr;
  return *first;
}

void SetContents::Clear() {
  files_.clear();
  folded_.clear();
  folded_made_ = false;
}

bool IsReadmeName(std::string_view name) {
  return EqualNoCase(name, "readme.txt");
}

bool ContentsSink::Wants(const std::string& flat_name) {
  return wanted_ == nullptr || wanted_(flat_name);
}

ContentsSink::Begun ContentsSink::Begin(const std::string& flat_name, std::uint64_t) {
  current_ = NamedSetFile{flat_name, {}};
  crc_ = 0xFFFFFFFFu;
  readme_ = IsReadmeName(flat_name);
  window_.clear();
  return {Success(), false};
}

Status ContentsSink::Data(const char* data, std::size_t size) {
  if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) return Failure("stopped");
  crc_ = CRC32Update(crc_, data, size);
  current_.file.size += size;
  if (readme_ && !current_.file.certifies) {
    // The markers are looked for in the printable characters only; the last few are kept for
    // a marker that straddles two blocks.
    for (std::size_t i = 0; i < size; ++i) {
      const auto byte = static_cast<unsigned char>(data[i]);
      if (byte >= 32 && byte <= 126) window_ += data[i];
    }
    for (std::string_view marker : kCertificationMarkers) {
      if (window_.find(marker) != std::string::npos) current_.file.certifies = true;
    }
    if (window_.size() > kLongestMarker) window_.erase(0, window_.size() - kLongestMarker);
  }
  return Success();
}

bool ContentsSink::NeedsData(const std::string& flat_name) {
  return IsReadmeName(flat_name);
}

Status ContentsSink::Checked(std::uint64_t size, std::uint32_t crc) {
  if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) return Failure("stopped");
  current_.file.size = size;
  crc_ = ~crc;
  return Success();
}

void ContentsSink::Passed(const std::string& flat_name, std::uint64_t claimed_size,
                          std::optional<std::uint32_t> stored_crc) {
  files_.push_back({flat_name, {claimed_size, stored_crc.value_or(0), false}});
}

Status ContentsSink::End() {
  current_.file.crc = ~crc_;
  files_.push_back(std::move(current_));
  return Success();
}

}  // namespace kw
