#include "core/profile/listinfo_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw {
namespace {

std::vector<std::string> Words(std::string_view text) {
  ListinfoReader reader(text);
  std::vector<std::string> words;
  while (!reader.AtEnd()) {
    std::string word(reader.ReadToken());
    if (!reader.FoundWord()) break;
    words.push_back(word);
  }
  return words;
}

TEST(ListinfoReader, SeparatorsAreControlBytesUpToCarriageReturnAndSpace) {
  std::string text = "a\tb\nc\rd";
  text += '\0';
  text +=
      "e\x0b"
      "f\x0e"
      "g\x1fh i";
  // 0x0E and 0x1F are ordinary characters.
  EXPECT_EQ(Words(text), (std::vector<std::string>{"A", "B", "C", "D", "E", "F\x0eG\x1fH", "I"}));
}

TEST(ListinfoReader, UnquotedWordsAreUpperCasedAsciiOnly) {
  EXPECT_EQ(Words("pacman Mr.Do \xe9t\xe9"),
            (std::vector<std::string>{"PACMAN", "MR.DO", "\xe9T\xe9"}));
}

TEST(ListinfoReader, QuotedWordsKeepCaseAndSpaces) {
  EXPECT_EQ(Words("\"PuckMan (Japan set 1)\" \"\" x"),
            (std::vector<std::string>{"PuckMan (Japan set 1)", "", "X"}));
  // A quoted word ends at its closing quote even when a letter follows.
  EXPECT_EQ(Words("\"ab\"cd"), (std::vector<std::string>{"ab", "CD"}));
  // A quote inside an unquoted word is an ordinary character.
  EXPECT_EQ(Words("a\"b"), (std::vector<std::string>{"A\"B"}));
}

TEST(ListinfoReader, BackslashEscapesInQuotedWords) {
  // \" keeps both characters and the word goes on.
  EXPECT_EQ(Words(R"("say \"hi\" now")"), (std::vector<std::string>{R"(say \"hi\" now)"}));
  // \n and \N: carriage return after the backslash; \\ keeps two; any other byte is dropped.
  EXPECT_EQ(Words(R"("a\nb\Nc")"), (std::vector<std::string>{"a\\\rb\\\rc"}));
  EXPECT_EQ(Words(R"("a\\b")"), (std::vector<std::string>{R"(a\\b)"}));
  EXPECT_EQ(Words(R"("caf\xe9")"), (std::vector<std::string>{R"(caf\e9)"}));
  // The second backslash of \\ does not start another escape.
  EXPECT_EQ(Words(R"("x\\"y")"), (std::vector<std::string>{R"(x\\)", "Y\""}));
}

TEST(ListinfoReader, EndOfInputEndsAnyWord) {
  EXPECT_EQ(Words("a b"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Words("x"), (std::vector<std::string>{"X"}));
  EXPECT_EQ(Words("\"open quote"), (std::vector<std::string>{"open quote"}));
  EXPECT_EQ(Words("\"ends in backslash\\"), (std::vector<std::string>{"ends in backslash\\"}));
  ListinfoReader reader("  \n ");
  EXPECT_EQ(reader.ReadToken(), "");
  EXPECT_FALSE(reader.FoundWord());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ListinfoReader, BracketsAreWordsOnlyBetweenSeparators) {
  EXPECT_EQ(Words("rom ( name x) )"), (std::vector<std::string>{"ROM", "(", "NAME", "X)", ")"}));
}

}  // namespace
}  // namespace kw
