#include "core/shared/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(Crc32, KnownValuesAndChaining) {
  const std::string abc = "abc";
  EXPECT_EQ(~CRC32Update(0xFFFFFFFFu, abc.data(), abc.size()), 0x352441C2u);
  EXPECT_EQ(CRC32Update(0x12345678u, nullptr, 0), 0x12345678u) << "no data: no change";
  // Matches zlib's complemented form for any running value.
  EXPECT_EQ(
      CRC32Update(0x0BADF00Du, abc.data(), 3),
      ~static_cast<std::uint32_t>(crc32(~0x0BADF00Du, reinterpret_cast<const Bytef*>("abc"), 3)));

  std::string data(1000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<char>(i * 7 + 3);
  const std::uint32_t whole = CRC32Update(0xFFFFFFFFu, data.data(), data.size());
  const std::uint32_t halves =
      CRC32Update(CRC32Update(0xFFFFFFFFu, data.data(), 400), data.data() + 400, 600);
  EXPECT_EQ(whole, halves);
}

TEST(Crc32, FilesReadInBlocksThroughCaseInsensitiveNames) {
  test::TempDir dir;
  std::string big(200 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < big.size(); ++i)
    big[i] = static_cast<char>((i * 2654435761u) >> 13);
  dir.Write("ROMS/BIG.BIN", big);
  dir.Write("abc.txt", "abc");
  dir.Write("empty", "");

  std::uint32_t crc = 1;
  ASSERT_TRUE(FileCRC32(dir / "roms/big.bin", crc));
  EXPECT_EQ(crc, crc32(0, reinterpret_cast<const Bytef*>(big.data()), big.size()));
  ASSERT_TRUE(FileCRC32(dir / "ABC.TXT", crc));
  EXPECT_EQ(crc, 0x352441C2u);
  ASSERT_TRUE(FileCRC32(dir / "empty", crc));
  EXPECT_EQ(crc, 0u);

  crc = 7;
  EXPECT_FALSE(FileCRC32(dir / "missing", crc));
  EXPECT_FALSE(FileCRC32(dir / "ROMS", crc)) << "a directory has no data to read";
  EXPECT_EQ(crc, 7u) << "left as it was";
}

}  // namespace
}  // namespace kw
