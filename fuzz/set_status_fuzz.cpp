// The kept set status is a text file in the program directory that anyone can edit: any bytes
// must load into no more sets than lines, save, and read back to the same book.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/audit/set_status.h"
#include "platform/fs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/kw-status-fuzz-" + std::to_string(getpid()) + ".sts";
  static const bool cleaned = std::atexit([] { std::remove(path.c_str()); }) == 0;
  (void)cleaned;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!kw::platform::fs::WriteFile(path, text)) return 0;
  kw::SetStatusBook book;
  if (!book.Load(path)) return 0;
  std::size_t lines = 1;
  for (char c : text)
    lines += c == '\n';
  if (book.Size() + book.SkippedLines() > lines) std::abort();
  if (!book.Save(path)) std::abort();
  kw::SetStatusBook again;
  if (!again.Load(path) || again.Size() != book.Size() || again.SkippedLines() != 0) std::abort();
  return 0;
}
