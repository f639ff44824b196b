// Pictures kept in archives: a picture folder holding snap.zip or snap.7z with N small PNG
// pictures (default 40,000, each of its own). Times the first look-up (which reads the archive's
// directory), then look-ups of pictures that are there, of names that are not (every archive of
// the folder tried), a clone's look-up that ends at its master's picture, and the reading of a
// picture's bytes from the start, the middle and the end of the archive.
//
//   picture_archive_bench generate WORK [N=40000]   writes WORK/zip/snap/snap.zip and
//                                                    WORK/7z/snap/snap.7z
//   picture_archive_bench lookup WORK zip|7z [N=40000]
#include <archive.h>
#include <archive_entry.h>
#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/shared/picture_archives.h"
#include "core/shared/pictures.h"

namespace {

std::string PictureName(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "g%05d", n);
  return name;
}

void Put32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  Put32(png, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  png += body;
  Put32(png, static_cast<std::uint32_t>(
                 crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// A 32 x 24 RGB picture of its own for each number: a gradient with a few random dots.
std::string SmallPng(int n) {
  constexpr int kWidth = 32;
  constexpr int kHeight = 24;
  std::mt19937 random(static_cast<unsigned>(n));
  std::string rows;
  for (int y = 0; y < kHeight; ++y) {
    rows += '\0';  // no filter
    for (int x = 0; x < kWidth; ++x) {
      const bool dot = random() % 16 == 0;
      rows += static_cast<char>(dot ? random() : x * 8);
      rows += static_cast<char>(dot ? random() : y * 10);
      rows += static_cast<char>(n);
    }
  }
  std::string packed(compressBound(rows.size()), '\0');
  uLongf packed_size = packed.size();
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
            reinterpret_cast<const Bytef*>(rows.data()), rows.size(), 9);
  packed.resize(packed_size);
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  Put32(header, kWidth);
  Put32(header, kHeight);
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", "");
  return png;
}

bool WriteArchive(const std::string& path, const char* format, int count) {
  struct archive* a = archive_write_new();
  archive_write_set_format_by_name(a, format);
  bool ok = archive_write_open_filename(a, path.c_str()) == ARCHIVE_OK;
  for (int n = 0; ok && n < count; ++n) {
    const std::string data = SmallPng(n);
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, (PictureName(n) + ".png").c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, static_cast<la_int64_t>(data.size()));
    ok = archive_write_header(a, e) == ARCHIVE_OK &&
         archive_write_data(a, data.data(), data.size()) == static_cast<la_ssize_t>(data.size());
    archive_entry_free(e);
  }
  ok = archive_write_close(a) == ARCHIVE_OK && ok;
  archive_write_free(a);
  return ok;
}

template <class F>
double Ms(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Median and largest time of one call, in milliseconds, over `names`.
template <class F>
std::pair<double, double> PerCall(const std::vector<std::string>& names, F&& f) {
  std::vector<double> times;
  times.reserve(names.size());
  for (const std::string& name : names)
    times.push_back(Ms([&] { f(name); }));
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.back()};
}

long PeakMegabytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

int Generate(const std::string& work, int count) {
  for (const char* kind : {"zip", "7z"}) {
    std::filesystem::create_directories(work + "/" + kind + "/snap");
    const std::string path = work + "/" + kind + "/snap/snap." + kind;
    const double ms = Ms([&] {
      if (!WriteArchive(path, std::string(kind) == "zip" ? "zip" : "7zip", count)) std::exit(1);
    });
    std::printf("%s: %d pictures, %.1f MB, written in %.0f ms\n", path.c_str(), count,
                static_cast<double>(std::filesystem::file_size(path)) / 1e6, ms);
  }
  return 0;
}

int Lookup(const std::string& work, const std::string& kind, int count) {
  const std::string directory = work + "/" + kind + "/snap/";
  std::optional<kw::GamePicture> found;
  const double first = Ms([&] { found = kw::FindPicture(PictureName(0), directory); });
  if (!found || found->archive.empty()) {
    std::printf("no picture found in %s\n", directory.c_str());
    return 1;
  }
  std::mt19937 random(1);
  std::vector<std::string> present;
  std::vector<std::string> absent;
  for (int i = 0; i < 2000; ++i) {
    present.push_back(PictureName(static_cast<int>(random() % static_cast<unsigned>(count))));
    absent.push_back("x" + PictureName(i));
  }
  int misses = 0;
  const auto hit = PerCall(present, [&](const std::string& name) {
    misses += !kw::FindPicture(name, directory).has_value();
  });
  const auto miss = PerCall(absent, [&](const std::string& name) {
    misses += kw::FindPicture(name, directory).has_value();
  });
  // A clone without a picture of its own: its own name, then its master's.
  const auto clone = PerCall(absent, [&](const std::string& name) {
    misses += !kw::FindGamePicture(name, PictureName(count / 2), directory).has_value();
  });
  std::printf("%s, %d pictures: first look-up (reads the directory) %.1f ms\n", kind.c_str(), count,
              first);
  std::printf("  look-up of a picture there: median %.3f ms, slowest %.3f ms\n", hit.first,
              hit.second);
  std::printf("  look-up of a name not there: median %.3f ms, slowest %.3f ms\n", miss.first,
              miss.second);
  std::printf("  clone to its master's picture: median %.3f ms, slowest %.3f ms\n", clone.first,
              clone.second);
  for (int n : {0, count / 2, count - 1}) {
    const auto picture = kw::FindPicture(PictureName(n), directory);
    std::size_t bytes = 0;
    const double ms = Ms([&] {
      const kw::Result<std::string> read = kw::ReadPicture(*picture);
      bytes = read ? read->size() : 0;
    });
    std::printf("  reading %s (%zu bytes): %.2f ms\n", picture->member.c_str(), bytes, ms);
    misses += bytes == 0;
  }
  std::printf("  directory reads %zu, peak %ld MB%s\n", kw::PictureArchives::Shared().Reads(),
              PeakMegabytes(), misses ? ", WRONG ANSWERS" : "");
  return misses ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc >= 3)
    return Generate(argv[2], argc > 3 ? std::atoi(argv[3]) : 40000);
  if (command == "lookup" && argc >= 4)
    return Lookup(argv[2], argv[3], argc > 4 ? std::atoi(argv[4]) : 40000);
  std::fprintf(stderr, "usage: picture_archive_bench generate WORK [N] | lookup WORK zip|7z [N]\n");
  return 2;
}
