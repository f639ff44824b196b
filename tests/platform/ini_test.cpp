#include "platform/ini.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kw::platform {
namespace {

IniFile FromText(std::string_view text) {
  IniFile ini("unused.ini");
  ini.LoadFromText(text);
  return ini;
}

TEST(IniFile, SectionsAndKeysMatchWithoutRegardToCaseAndBlanksAreIgnored) {
  IniFile ini = FromText("; comment\n[General]\n  LastProfile \t=  C:\\A.KSL  \n\tUseStats=1\n");
  EXPECT_EQ(ini.Read("GENERAL", "lastprofile"), "C:\\A.KSL");
  EXPECT_EQ(ini.ReadInteger("general", "USESTATS", 7), 1);
  EXPECT_FALSE(ini.Read("General", "Missing"));
  EXPECT_FALSE(ini.Read("Other", "UseStats"));
  EXPECT_EQ(ini.ReadString("Other", "x", "dflt"), "dflt");
}

TEST(IniFile, FirstOfDuplicateSectionsAndKeysWinsForReadingAndWriting) {
  IniFile ini = FromText("[A]\nk=1\nK=2\n[a]\nk=3\nother=4\n");
  EXPECT_EQ(ini.Read("A", "k"), "1");
  EXPECT_FALSE(ini.Read("a", "other"));  // lies in the second, shadowed section
  EXPECT_EQ(ini.Sections(), std::vector<std::string>{"A"});
  EXPECT_EQ(ini.Keys("a"), std::vector<std::string>{"k"});
  ini.Write("a", "K", "9");
  EXPECT_EQ(ini.Text(), "[A]\nK=9\nK=2\n[a]\nk=3\nother=4\n");
  ini.DeleteKey("A", "k");
  EXPECT_EQ(ini.Text(), "[A]\nK=2\n[a]\nk=3\nother=4\n");
}

TEST(IniFile, SectionHeadersAndOddLines) {
  IniFile ini =
      FromText("before=1\n  [ Spaced ] trailing\nno equals here\n=empty key\n;c=1\n[Open\nx=2\n");
  EXPECT_EQ(ini.Sections(), std::vector<std::string>{"Spaced"});
  EXPECT_FALSE(ini.Read("", "before"));
  // "[Open" has no closing bracket: an ordinary line of the section, and x stays in it.
  EXPECT_EQ(ini.Keys("spaced"), std::vector<std::string>{"x"});
  EXPECT_EQ(ini.Read("spaced", "x"), "2");
}

TEST(IniFile, ValuesAreCutTo2047Characters) {
  IniFile ini = FromText("[S]\nlong=" + std::string(3000, 'v') + "\n");
  EXPECT_EQ(ini.Read("S", "long")->size(), kIniMaxValue);
}

TEST(IniFile, ReadIntegerTakesOnlyWholeDecimalNumbers) {
  IniFile ini =
      FromText("[N]\na= 42 \nb=-7\nc=+3\nd=12abc\ne=\nf=0x10\ng=99999999999999999999999\nh=+-1\n");
  EXPECT_EQ(ini.ReadInteger("N", "a", 0), 42);
  EXPECT_EQ(ini.ReadInteger("N", "b", 0), -7);
  EXPECT_EQ(ini.ReadInteger("N", "c", 0), 3);
  for (const char* key : {"d", "e", "f", "g", "h", "missing"}) {
    EXPECT_EQ(ini.ReadInteger("N", key, 5), 5) << key;
  }
}

TEST(IniFile, WriteReplacesInPlaceAppendsToSectionOrFile) {
  IniFile ini = FromText("top comment\n[One]\nA = 1\n; note\n\n[Two]\nB=2");
  ini.Write("ONE", "a", "x");    // replaced in place, key as given
  ini.Write("one", "New", "n");  // after the section's last non-blank line
  ini.Write("Two", "C", "3");    // the last line had no line end: it gets one now
  ini.Write("Three", "D", "4");  // new section at the end
  EXPECT_EQ(ini.Text(),
            "top comment\n[One]\na=x\n; note\nNew=n\n\n[Two]\nB=2\nC=3\n[Three]\nD=4\n");
  EXPECT_TRUE(ini.Dirty());
}

TEST(IniFile, ALastLineWithoutLineEndKeepsHavingNone) {
  IniFile ini = FromText("[S]\nk=1");
  ini.Write("s", "K", "2");
  EXPECT_EQ(ini.Text(), "[S]\nK=2");
}

TEST(IniFile, LineBreaksInWrittenTextsCannotSplitTheLine) {
  IniFile ini = FromText("");
  ini.Write("S", "k", "a\r\nb");
  EXPECT_EQ(ini.Text(), "[S]\r\nk=a  b\r\n");
}

TEST(IniFile, DeleteKeyAndSection) {
  IniFile ini = FromText("[A]\nx=1\ny=2\n[B]\nz=3\n[C]\n");
  ini.DeleteKey("a", "X");
  ini.DeleteKey("a", "missing");
  ini.DeleteSection("b");
  EXPECT_EQ(ini.Text(), "[A]\ny=2\n[C]\n");
}

TEST(IniFile, AByteOrderMarkAndStrayCarriageReturnsDoNotHideKeys) {
  IniFile ini = FromText("\xEF\xBB\xBF[General]\nUseStats=0\r\r\nLastProfile= a.ksl \r\n");
  EXPECT_EQ(ini.Read("general", "usestats"), "0");
  EXPECT_EQ(ini.Read("General", "LastProfile"), "a.ksl");
  ini.Write("General", "KillPifFile", "1");
  EXPECT_EQ(ini.Sections(), std::vector<std::string>{"General"});
  EXPECT_EQ(ini.Text().rfind("\xEF\xBB\xBF[General]\n", 0), 0u) << "the mark stays in front";
}

TEST(IniFile, CrLfFilesKeepTheirLineEnds) {
  const std::string text = "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n";
  IniFile ini = FromText(text);
  EXPECT_EQ(ini.Text(), text);
  EXPECT_EQ(ini.Read("A", "x"), "1");
  ini.Write("A", "n", "new");
  ini.Write("C", "k", "v");
  EXPECT_EQ(ini.Text(), "[A]\r\nx=1\r\nn=new\r\n\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n");
  // Mixed files: new lines take the most frequent line end.
  IniFile mixed = FromText("[A]\r\na=1\nb=2\n");
  mixed.Write("A", "c", "3");
  EXPECT_EQ(mixed.Text(), "[A]\r\na=1\nb=2\nc=3\n");
}

TEST(IniFile, BinaryBytesAreKept) {
  const std::string text = std::string("[S]\nk=a\0b\n\xff\xfe\0\n", 15);
  IniFile ini = FromText(text);
  EXPECT_EQ(ini.Read("S", "k"), std::string("a\0b", 3));
  EXPECT_EQ(ini.Text(), text);
}

TEST(IniFile, AHundredThousandKeysInOneSectionWriteAndReadBack) {
  // Every write used to look for the end of the section from its header: quadratic.
  constexpr int kKeys = 100000;
  test::TempDir dir;
  IniFile ini(dir / "BIG.INI");
  ini.Write("Other", "first", "1");
  for (int i = 0; i < kKeys; ++i)
    ini.Write("Big", "key" + std::to_string(i), std::to_string(i));
  for (int i = 0; i < kKeys; i += 2)
    ini.Write("BIG", "KEY" + std::to_string(i), "even");  // replaced in place
  for (int i = 1; i < kKeys; i += 4)
    ini.DeleteKey("big", "key" + std::to_string(i));
  ini.Write("Other", "last", "2");
  ASSERT_TRUE(ini.Flush());

  IniFile again(dir / "BIG.INI");
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.Text(), ini.Text());
  EXPECT_EQ(again.Keys("big").size(), static_cast<std::size_t>(kKeys - kKeys / 4));
  for (int i = 0; i < kKeys; ++i) {
    std::optional<std::string> value = again.Read("Big", "key" + std::to_string(i));
    const std::optional<std::string> expected = i % 2 == 0 ? std::optional<std::string>("even")
                                                : i % 4 == 1
                                                    ? std::nullopt
                                                    : std::optional<std::string>(std::to_string(i));
    ASSERT_EQ(value, expected) << i;
  }
  EXPECT_EQ(again.Keys("Other"), (std::vector<std::string>{"first", "last"}));
}

TEST(IniFile, AWrittenKeyThatReadsAsAHeaderStartsASection) {
  IniFile ini = FromText("[A]\nx=1\n");
  ini.Write("A", "[B]", "v");  // the line "[B]=v" is a header, as it will be when read back
  ini.Write("B", "k", "2");
  EXPECT_EQ(ini.Text(), "[A]\nx=1\n[B]=v\nk=2\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(ini.Read("A", "[B]"));
}

TEST(IniFile, LoadAndFlushThroughTheFile) {
  test::TempDir dir;
  IniFile missing(dir / "KESTREL.INI");
  EXPECT_FALSE(missing.Load());
  missing.Write("General", "LastProfile", "FIRSTTIME");
  ASSERT_TRUE(missing.Flush());
  EXPECT_FALSE(missing.Dirty());
  EXPECT_EQ(dir.Read("KESTREL.INI"), "[General]\r\nLastProfile=FIRSTTIME\r\n");

  IniFile unwritable(dir / "no/such/dir/X.INI");
  unwritable.Write("S", "k", "v");
  EXPECT_EQ(unwritable.Flush().Message(), "No such file or directory");
  EXPECT_TRUE(unwritable.Dirty());
}

TEST(IniFile, RealEmulatorFileKeepsEveryOtherByte) {
  const std::string source = KW_TEST_DATA_DIR "/cfg/mame.cfg";
  std::ifstream in(source, std::ios::binary);
  ASSERT_TRUE(in) << source;
  const std::string original(std::istreambuf_iterator<char>(in), {});
  test::TempDir dir;
  dir.Write("mame.cfg", original);
  IniFile ini(dir / "MAME.CFG");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.Read("Config", "samplerate"), "44100");
  EXPECT_EQ(ini.Read("DIRECTORY", "rompath"), "roms");
  EXPECT_EQ(ini.ReadInteger("config", "vector_width", 0), 640);
  ini.Write("config", "samplerate", "22050");
  ASSERT_TRUE(ini.Flush());
  std::string expected = original;
  expected.replace(expected.find("samplerate=44100"), 16, "samplerate=22050");
  EXPECT_EQ(dir.Read("mame.cfg"), expected);
}

}  // namespace
}  // namespace kw::platform
