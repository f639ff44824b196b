#include "core/profile/listinfo_tags.h"

#include <gtest/gtest.h>

#include <string>

namespace kw::listinfo {
namespace {

// Each tag is found at its place, also as a view into a longer text; a word that differs in
// one byte, in its length or in letter case is not a tag.
TEST(ListinfoTags, EachTagIsFoundAndNothingElse) {
  for (std::size_t i = 0; i < kBlockTagNames.size(); ++i) {
    const std::string text = "(" + std::string(kBlockTagNames[i]) + "XYZ";
    const std::string_view word = std::string_view(text).substr(1, kBlockTagNames[i].size());
    EXPECT_EQ(FindBlockTag(word), static_cast<int>(i)) << word;
    std::string changed(word);
    for (std::size_t at = 0; at < changed.size(); ++at) {
      changed[at] = static_cast<char>(changed[at] + 0x20);  // lower case
      EXPECT_EQ(FindBlockTag(changed), -1) << changed;
      changed[at] = word[at];
    }
  }
  for (std::size_t i = 0; i < kRecordTagNames.size(); ++i)
    EXPECT_EQ(FindRecordTag(kRecordTagNames[i]), static_cast<int>(i));
  // Tags that begin alike.
  EXPECT_EQ(FindBlockTag("COLOR"), kBlkColor);
  EXPECT_EQ(FindBlockTag("COLORS"), kBlkColors);
  EXPECT_EQ(FindBlockTag("COLORDEEP"), kBlkColorDeep);
  EXPECT_EQ(FindBlockTag("COLORDEE"), -1);
  EXPECT_EQ(FindBlockTag("SIZ"), -1);
  EXPECT_EQ(FindRecordTag("name"), -1);
  EXPECT_EQ(FindRecordTag("SAMPLEOF"), kTagSampleOf);
  EXPECT_EQ(FindRecordTag("SAMPLEO"), -1);
  EXPECT_EQ(FindRecordTag(std::string_view("MANUFACTURER\0", 13)), -1);
  EXPECT_EQ(FindRecordTag(""), -1);
  EXPECT_EQ(FindBlockTag("ORIENTATIONORIENTATION"), -1);
  EXPECT_EQ(FindBlockTag(std::string_view("X\0", 2)), -1);
}

}  // namespace
}  // namespace kw::listinfo
