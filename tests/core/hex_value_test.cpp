#include "core/hex_value.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(HexValue, ReadsDigitsOfEitherCase) {
  EXPECT_EQ(HexValue("fee263b3"), 0xFEE263B3u);
  EXPECT_EQ(HexValue("FEE263B3"), 0xFEE263B3u);
  EXPECT_EQ(HexValue("1000"), 0x1000u);
  EXPECT_EQ(HexValue(""), 0u);
}

TEST(HexValue, CountsOtherCharactersAsZeroDigits) {
  // Every character holds a digit position, so "0x1F" is 0,0,1,F and "1G" is 0x10.
  EXPECT_EQ(HexValue("0x1F"), 0x1Fu);
  EXPECT_EQ(HexValue("1G"), 0x10u);
  EXPECT_EQ(HexValue("$FF"), 0xFFu);
  EXPECT_EQ(HexValue("- 1"), 0x001u);
}

TEST(HexValue, WrapsAtThirtyTwoBits) {
  EXPECT_EQ(HexValue("123456789"), 0x23456789u);
  EXPECT_EQ(HexValue("FFFFFFFFFF"), 0xFFFFFFFFu);
}

TEST(HexDigits, PadsToTheWidthAskedAndNeverCuts) {
  EXPECT_EQ(HexDigits(0xA, 2), "0A");
  EXPECT_EQ(HexDigits(0, 0), "0");
  EXPECT_EQ(HexDigits(0x1F2AB, 2), "1F2AB");
  EXPECT_EQ(HexDigits(0xFFFFFFFFu, 10), "00FFFFFFFF");
  EXPECT_EQ(Hex8(0x1F2AB), "0001F2AB");
}

}  // namespace
}  // namespace kw
