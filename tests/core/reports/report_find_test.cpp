#include "core/reports/report_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw {
namespace {

// Repeated "find next" as the report window does it: each search starts at the end of the
// previous match.
std::vector<std::size_t> WalkMatches(std::string_view text, std::string_view needle,
                                     FindOptions options) {
  std::vector<std::size_t> found;
  std::size_t from = 0;
  while (auto pos = FindInReport(text, needle, from, options)) {
    found.push_back(*pos);
    from = *pos + needle.size();
  }
  return found;
}

TEST(ReportFind, WalksDownwardsAndNeverWrapsAround) {
  const std::string text = "Tag unknown: GAME\\FOO\nTag not allowed: GAME\\VIDEO\nname game";
  EXPECT_EQ(WalkMatches(text, "GAME", {}), (std::vector<std::size_t>{13, 39, 55}));
  // Starting after the last match finds nothing, although earlier matches exist.
  EXPECT_EQ(FindInReport(text, "Tag", 20, {}), std::optional<std::size_t>(22));
  EXPECT_EQ(FindInReport(text, "Tag", 23, {}), std::nullopt);
  EXPECT_EQ(FindInReport(text, "game", text.size() - 4, {}), text.size() - 4);
  EXPECT_EQ(FindInReport(text, "game", text.size() - 3, {}), std::nullopt);
  EXPECT_EQ(FindInReport(text, "game", text.size() + 5, {}), std::nullopt);
  EXPECT_EQ(FindInReport(text, "", 0, {}), std::nullopt);
}

TEST(ReportFind, MatchCaseFoldsAsciiAndLatin1Only) {
  const std::string text = "Game GAME game";
  EXPECT_EQ(WalkMatches(text, "game", {.match_case = true}), (std::vector<std::size_t>{10}));
  EXPECT_EQ(WalkMatches(text, "game", {.match_case = false}), (std::vector<std::size_t>{0, 5, 10}));
  // Code page 1252: E acute / e acute, S caron / s caron, Y diaeresis / y diaeresis fold;
  // the multiplication and division signs are no letters and do not.
  EXPECT_EQ(FindInReport("caf\xC9 \x8A\x9F", "\xE9", 0, {}), std::optional<std::size_t>(3));
  EXPECT_EQ(FindInReport("caf\xC9 \x8A\x9F", "\x9A\xFF", 0, {}), std::optional<std::size_t>(5));
  EXPECT_EQ(FindInReport("caf\xC9", "\xE9", 0, {.match_case = true}), std::nullopt);
  EXPECT_EQ(FindInReport("\xD7", "\xF7", 0, {}), std::nullopt);
}

TEST(ReportFind, WholeWordNeedsNonWordCharactersAround) {
  const std::string text = "ROM rom_a roms ROM2 (rom) \xE9rom rom";
  EXPECT_EQ(WalkMatches(text, "rom", {.whole_word = true}), (std::vector<std::size_t>{0, 21, 31}));
  EXPECT_EQ(WalkMatches(text, "rom", {.match_case = true, .whole_word = true}),
            (std::vector<std::size_t>{21, 31}));
  EXPECT_EQ(WalkMatches(text, "rom", {}).size(), 7u);
}

// The window searches the editor's UTF-16 text: every character is itself, so characters
// outside code page 1252 neither match each other nor a '?'.
TEST(ReportFind, Utf16TextKeepsEveryCharacter) {
  const std::u16string text = u"\u65E5\u672C \u4E2D\u6587 Caf\u00C9 \u0160? \u65E5\u672C\u8A9E";
  auto find = [&text](std::u16string_view needle, std::size_t from, FindOptions options = {}) {
    return FindInText(std::u16string_view(text), needle, from, options);
  };
  EXPECT_EQ(find(u"\u65E5\u672C", 0), std::optional<std::size_t>(0));
  EXPECT_EQ(find(u"\u65E5\u672C", 1), std::optional<std::size_t>(14));
  EXPECT_EQ(find(u"\u4E2D\u6587", 0), std::optional<std::size_t>(3));
  EXPECT_EQ(find(u"\u6587\u4E2D", 0), std::nullopt);
  // '?' is only the question mark.
  EXPECT_EQ(find(u"?", 0), std::optional<std::size_t>(12));
  EXPECT_EQ(find(u"?", 13), std::nullopt);
  // ASCII and Latin-1 fold as in the 8-bit search, S caron with it; match case does not.
  EXPECT_EQ(find(u"caf\u00E9", 0), std::optional<std::size_t>(6));
  EXPECT_EQ(find(u"caf\u00E9", 0, {.match_case = true}), std::nullopt);
  EXPECT_EQ(find(u"\u0161", 0), std::optional<std::size_t>(11));
  // Whole words: the same word characters as in the 8-bit search.
  EXPECT_EQ(find(u"Caf", 0, {.whole_word = true}), std::nullopt);
  EXPECT_EQ(find(u"caf\u00C9", 0, {.whole_word = true}), std::optional<std::size_t>(6));
  EXPECT_EQ(find(u"", 0), std::nullopt);
  EXPECT_EQ(find(u"\u8A9E", text.size()), std::nullopt);
}

}  // namespace
}  // namespace kw
