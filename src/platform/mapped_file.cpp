#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw::platform {

Result<MappedFile> MappedFile::Open(std::string_view path) {
  const std::string resolved = fs::Resolve(path);
  Result<InputFile> input = InputFile::Open(resolved);
  if (!input) {
    return Failure(input.Message() == kNotRegularFile ? resolved + ": " + kNotRegularFile
                                                      : input.Message());
  }
  MappedFile file;
  if (input->Size() > 0) {
    const auto size = static_cast<std::size_t>(input->Size());
    void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, input->Fd(), 0);
    if (map == MAP_FAILED) return Failure(std::strerror(errno));
    // Read ahead: the reader goes front to back.
    madvise(map, size, MADV_SEQUENTIAL);
    file.data_ = static_cast<const char*>(map);
    file.size_ = size;
    file.mapped_ = true;
    return file;
  }
  Result<std::string> bytes = input->ReadAll();
  if (!bytes) return Failure(bytes.Message());
  file.owned_ = std::move(bytes).Value();
  file.data_ = file.owned_.data();
  file.size_ = file.owned_.size();
  return file;
}

MappedFile::MappedFile(MappedFile&& other) noexcept {
  *this = std::move(other);
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this == &other) return *this;
  Unmap();
  mapped_ = std::exchange(other.mapped_, false);
  size_ = std::exchange(other.size_, 0);
  owned_ = std::move(other.owned_);
  const char* data = std::exchange(other.data_, nullptr);
  data_ = mapped_ ? data : owned_.data();
  other.owned_.clear();
  return *this;
}

MappedFile::~MappedFile() {
  Unmap();
}

void MappedFile::Unmap() {
  if (mapped_) munmap(const_cast<char*>(data_), size_);
  mapped_ = false;
  data_ = nullptr;
  size_ = 0;
}

void MappedFile::Release(std::size_t from, std::size_t to) const {
  if (!mapped_) return;
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t first = from / page * page;
  const std::size_t end = std::min(to, size_) / page * page;
  if (end <= first) return;
  madvise(const_cast<char*>(data_) + first, end - first, MADV_DONTNEED);
}

}  // namespace kw::platform
