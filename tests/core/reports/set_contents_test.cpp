#include "core/reports/set_contents.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

std::string HeldName(const SetContents& contents, std::string_view name) {
  const SetContents::Held* held = contents.Find(name);
  return held == nullptr ? "(none)" : held->first;
}

// The exact name first; else, whatever the case, the first of the names in byte order that fold
// alike, also for files put after a look-up in another case was made.
TEST(SetContentsTest, ExactNameFirstElseTheFirstNameFoldingAlike) {
  SetContents contents;
  contents.PutAll(
      {{"rom.b", {1, 0xB, false}}, {"ROM.a", {2, 0xA, false}}, {"Rom.a", {3, 0, false}}});
  EXPECT_EQ(HeldName(contents, "Rom.a"), "Rom.a");
  EXPECT_EQ(HeldName(contents, "rom.a"), "ROM.a");  // 'O' sorts before 'o'
  EXPECT_EQ(HeldName(contents, "ROM.B"), "rom.b");
  EXPECT_EQ(HeldName(contents, "rom.c"), "(none)");
  contents.Put("ROM.C", {4, 0xC, false});
  contents.Put("RAM.a", {5, 0, false});
  EXPECT_EQ(HeldName(contents, "rom.c"), "ROM.C");
  EXPECT_EQ(HeldName(contents, "ram.A"), "RAM.a");
  EXPECT_EQ(HeldName(contents, "rom.A"), "ROM.a");
  // A file put again under its name replaces it; the names stay in byte order.
  contents.Put("rom.b", {7, 0xB7, false});
  EXPECT_EQ(contents.Find("ROM.B")->second, (SetFile{7, 0xB7, false}));
  std::vector<std::string> names;
  for (const auto& [name, file] : contents.Files())
    names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"RAM.a", "ROM.C", "ROM.a", "Rom.a", "rom.b"}));
  contents.Clear();
  EXPECT_TRUE(contents.Empty());
  EXPECT_EQ(HeldName(contents, "rom.b"), "(none)");
  contents.Put("x", {});
  EXPECT_EQ(HeldName(contents, "X"), "x");
}

}  // namespace
}  // namespace kw
