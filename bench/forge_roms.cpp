// Writes stand-in ROM files of a given size whose CRC-32 is a given one, for the verifier
// comparison of verifyroms_compare.sh (we have no real ROM contents). Each line of standard
// input is "SIZE CRC PATH" (CRC in hexadecimal); the file gets SIZE - 4 pseudo-random bytes
// and then the four bytes that bring the CRC-32 to CRC. A file under 4 bytes cannot be forged
// that way and gets plain random bytes (the line says so on standard error).
//
//   forge_roms SEED < list
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;  // reflected CRC-32

// The four bytes that take the CRC-32 register from the CRC `have` (of the data so far) to the
// CRC `want`: the 32 shift steps are undone one by one from the wanted register, and what is
// left is the register after the four bytes were xored in.
std::uint32_t ForgeTail(std::uint32_t have, std::uint32_t want) {
  std::uint32_t reg = ~want;
  for (int bit = 0; bit < 32; ++bit)
    reg = (reg & 0x80000000u) ? ((reg ^ kPolynomial) << 1) | 1u : reg << 1;
  return reg ^ ~have;
}

bool Forge(const std::string& path, std::uint64_t size, std::uint32_t crc, std::mt19937_64& rng) {
  std::vector<unsigned char> data(size);
  for (auto& byte : data)
    byte = static_cast<unsigned char>(rng());
  if (size >= 4) {
    const std::uint32_t have =
        static_cast<std::uint32_t>(crc32(0L, data.data(), static_cast<uInt>(size - 4)));
    const std::uint32_t tail = ForgeTail(have, crc);
    for (int i = 0; i < 4; ++i)
      data[size - 4 + i] = static_cast<unsigned char>(tail >> (8 * i));
    const auto got = static_cast<std::uint32_t>(crc32(0L, data.data(), static_cast<uInt>(size)));
    if (got != crc) {
      std::cerr << path << ": forged CRC " << std::hex << got << " is not " << crc << "\n";
      return false;
    }
  } else {
    std::cerr << path << ": under 4 bytes, CRC not forged\n";
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(size));
  if (!out) {
    std::cerr << path << ": cannot be written\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::mt19937_64 rng(argc > 1 ? std::stoull(argv[1]) : 1);
  std::string line;
  int failures = 0;
  while (std::getline(std::cin, line)) {
    std::istringstream fields(line);
    std::uint64_t size = 0;
    std::string crc_text, path;
    if (!(fields >> size >> crc_text) || !std::getline(fields >> std::ws, path) || path.empty() ||
        size > (1u << 30)) {
      std::cerr << "bad line: " << line << "\n";
      ++failures;
      continue;
    }
    const auto crc = static_cast<std::uint32_t>(std::stoul(crc_text, nullptr, 16));
    if (!Forge(path, size, crc, rng)) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
