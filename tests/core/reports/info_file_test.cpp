#include "core/reports/info_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ascii.h"
#include "core/reports/realdata.h"
#include "core/reports/text_lines.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

std::optional<Lines> Find(const std::string& bytes, const std::string& name,
                          const std::string& tag = "bio") {
  const InfoFile file(bytes);
  const auto section = file.Section(name, tag);
  const auto scanned = ScanInfoFile(bytes, name, tag);
  // The index answers as the reading from the start does.
  EXPECT_EQ(section.has_value(), scanned.has_value()) << name;
  if (!section) return std::nullopt;
  Lines lines(section->begin(), section->end());
  EXPECT_EQ(lines, *scanned) << name;
  return lines;
}

TEST(InfoFile, ListsNameSetsSeparatedByCommasAndBlanksOverSeveralLines) {
  const std::string bytes =
      "# comment\n"
      "$info=pacman,pacmanm,Puckman,\n"
      "$bio\n"
      "Pac-Man (c) 1980\n"
      "\n"
      "$end\n"
      "$INFO= galaxian superg\n"
      "\n"
      "galapx,\r\n"
      "  galmidw\n"
      "$BIO\r\n"
      "Galaxian\r\n"
      "$END\r\n";
  for (const char* name : {"pacman", "PACMANM", "puckman"})
    EXPECT_EQ(Find(bytes, name), (Lines{"Pac-Man (c) 1980", ""})) << name;
  for (const char* name : {"GALAXIAN", "superg", "galapx", "galmidw"})
    EXPECT_EQ(Find(bytes, name), (Lines{"Galaxian"})) << name;
  EXPECT_EQ(Find(bytes, "pacma"), std::nullopt);
  EXPECT_EQ(Find(bytes, ""), std::nullopt);
  // The tag is a section of the entry: an entry without one gives nothing.
  EXPECT_EQ(Find(bytes, "pacman", "mame"), std::nullopt);
}

TEST(InfoFile, SectionsEndAtEndOrRunToTheEndOfTheFile) {
  // A section line followed directly by its end: the heading with no text.
  EXPECT_EQ(Find("$info=a\n$bio\n$end\n", "a"), Lines{});
  // No $END: the text runs to the end of the file, later entries included.
  EXPECT_EQ(Find("$info=a\n$bio\none\n$info=b\n$bio\ntwo", "a"),
            (Lines{"one", "$info=b", "$bio", "two"}));
  // "$end" is matched on its first four characters, in any case.
  EXPECT_EQ(Find("$info=a\n$mame\nx\n$EndOfText\ny\n", "a", "mame"), Lines{"x"});
  // A list that runs to the end of the file has no section.
  EXPECT_EQ(Find("$info=a,b,\nc\n", "a"), std::nullopt);
  EXPECT_EQ(Find("", "a"), std::nullopt);
  EXPECT_EQ(Find("$info\n$bio\nx\n$end\n", "a"), std::nullopt);  // no "=": no names
  // Line ends of any system; a byte-order mark does not hide the first entry.
  EXPECT_EQ(Find("\xEF\xBB\xBF$info=a\r\n$bio\r\nx\r\n$end\r\n", "a"), Lines{"x"});
}

TEST(InfoFile, TheFirstEntryNamingTheSetDecides) {
  const std::string bytes =
      "$info=a\n$mame\nnot the history\n$end\n"
      "$info=a,b\n$bio\nsecond\n$end\n"
      "$info=b\n$bio\nthird\n$end\n";
  // The first entry for "a" has no bio: the file is not searched further.
  EXPECT_EQ(Find(bytes, "a"), std::nullopt);
  EXPECT_EQ(Find(bytes, "a", "mame"), Lines{"not the history"});
  EXPECT_EQ(Find(bytes, "b"), Lines{"second"});
  // An entry with no section at all, right before the next entry: that entry is still read.
  EXPECT_EQ(Find("$info=x\n$info=y\n$bio\nwhy\n$end\n", "y"), Lines{"why"});
  EXPECT_EQ(Find("$info=x\n$info=y\n$bio\nwhy\n$end\n", "x"), std::nullopt);
}

TEST(InfoFile, BadBytesAreReadWithoutHarm) {
  std::string bytes = "$info=big\n$bio\n" + std::string(1 << 20, 'x') + "\n$end\n";
  bytes += std::string("\xFF\x01junk\n$info=\0,\xFE\n$bio\n\0\n$end\n", 29);
  for (int i = 0; i < 100000; ++i)
    bytes += "$info=s" + std::to_string(i) + "\n$bio\n$end\n";
  const InfoFile file(bytes);
  EXPECT_EQ(file.EntryCount(), 100002u);
  ASSERT_TRUE(file.Section("big", "bio"));
  EXPECT_EQ(file.Section("big", "bio")->front().size(), 1u << 20);
  EXPECT_EQ(file.Section(std::string("\0", 1), "bio"), (InfoSection{std::string_view("\0", 1)}));
  EXPECT_EQ(file.Section("s99999", "bio"), InfoSection{});
}

// Every entry name of a real file, and names it lacks: the index answers as the reading from
// the start does (a sample of the names, as each reading from the start takes the whole file).
TEST(InfoFile, RealFilesIndexAsTheyAreRead) {
  if (!test::HaveRealData()) GTEST_SKIP() << "no realdata";
  std::vector<std::string> files = test::RealFiles("history");
  for (const std::string& f : test::RealFiles("mameinfo"))
    files.push_back(f);
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    const std::string bytes = test::ReadRealFile(path);
    const InfoFile file(bytes);
    const std::string tag = path.starts_with("history") ? "bio" : "mame";
    std::vector<std::string> names = {"zzzznone", "", "pac"};
    TextLines lines(bytes);
    for (std::string_view line; lines.Next(line);) {
      if (!StartsNoCase(line, "$INFO=")) continue;
      const std::string_view list = line.substr(6);
      names.emplace_back(list.substr(0, list.find_first_of(", ")));
    }
    std::size_t found = 0;
    for (std::size_t n = 0; n < names.size(); n += 1 + names.size() / 60) {
      const auto section = file.Section(names[n], tag);
      const auto scanned = ScanInfoFile(bytes, names[n], tag);
      ASSERT_EQ(section.has_value(), scanned.has_value()) << names[n];
      if (!section) continue;
      ++found;
      EXPECT_EQ(Lines(section->begin(), section->end()), *scanned) << names[n];
    }
    if (path.find("0.35b8") != std::string::npos) {
      // The old format ([name] ... .) has no entries this reader knows.
      EXPECT_EQ(file.EntryCount(), 0u);
      EXPECT_EQ(found, 0u);
    } else {
      EXPECT_GT(file.EntryCount(), 1500u);
      EXPECT_GT(found, 20u);
    }
  }
}

TEST(InfoFile, RealHistoryEntriesOfSeveralSets) {
  if (!test::HaveRealData()) GTEST_SKIP() << "no realdata";
  const InfoFile file(test::ReadRealFile("history/mame4all-gcw0/history.dat"));
  // "$info=pacman,pacmanm,pacmod,pacmanbl,pacmanf," with a trailing comma.
  for (const char* name : {"PACMAN", "pacmod", "PacmanF"}) {
    const auto bio = file.Section(name, "bio");
    ASSERT_TRUE(bio) << name;
    ASSERT_GT(bio->size(), 3u);
    EXPECT_TRUE(std::any_of(bio->begin(), bio->end(),
                            [](std::string_view l) { return l.find("Pac-Man") != l.npos; }));
  }
  const auto games88 = file.Section("88games", "bio");
  ASSERT_TRUE(games88);
  EXPECT_EQ(games88->at(0), "");
  EXPECT_EQ(games88->at(1), "'88 Games (c) 1988 Konami.");
  EXPECT_FALSE(file.Section("88games", "mame"));
  const InfoFile info(test::ReadRealFile("mameinfo/retrofire-ja/mameinfo.dat"));
  EXPECT_TRUE(info.Section("1943", "mame"));
}

}  // namespace
}  // namespace kw
