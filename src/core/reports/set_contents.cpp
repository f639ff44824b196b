#include "core/reports/set_contents.h"

#include "common/ascii.h"
#include "core/shared/crc32.h"

namespace kw {

namespace {

// Addresses of sample-set publishers whose readme certifies a set.
constexpr std::string_view kCertificationMarkers[] = {"www.halvardsamples.example",
                                                      "samples.kestrelwing.example"};
constexpr std::size_t kLongestMarker = 27;

}  // namespace

void SetContents::Put(const std::string& name, const SetFile& file) {
  files_[name] = file;
  auto [at, added] = lower_.try_emplace(AsciiLowerCase(name), name);
  if (!added && name < at->second) at->second = name;
}

void SetContents::PutAll(const std::vector<NamedSetFile>& files) {
  for (const NamedSetFile& f : files)
    Put(f.name, f.file);
}

const std::pair<const std::string, SetFile>* SetContents::Find(std::string_view name) const {
  auto exact = files_.find(std::string(name));
  if (exact != files_.end()) return &*exact;
  auto lower = lower_.find(AsciiLowerCase(name));
  if (lower == lower_.end()) return nullptr;
  auto found = files_.find(lower->second);
  return found == files_.end() ? nullptr : &*found;
}

void SetContents::Clear() {
  files_.clear();
  lower_.clear();
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
