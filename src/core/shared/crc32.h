// CRC-32 as ZIP archives use it (reflected polynomial 0xEDB88320), of buffers and of files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kw {

// The running value after `data`: no complement inside, so a CRC-32 is
// ~CRC32Update(0xFFFFFFFF, ...) and a value can be carried on over several buffers.
std::uint32_t CRC32Update(std::uint32_t crc, const void* data, std::size_t size);

// The CRC-32 of a file's bytes (0 for an empty file), read in blocks of 64 KiB through the
// case-insensitive name matching of platform::fs. False, with `crc` untouched, when the file
// cannot be opened or read.
bool FileCRC32(const std::string& path, std::uint32_t& crc);

}  // namespace kw
