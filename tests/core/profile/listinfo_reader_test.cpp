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

// The reader looks at several bytes at a time: every word length, at every offset from the start
// of the input, with the bytes next to the separators' and the letters' ranges in it, and each
// separator, or the end of the input, after it.
TEST(ListinfoReader, WordsOfEveryLengthAndOffset) {
  const std::string letters =
      "a`{z@[Z\x0e\x1f\x80\xff"
      "9.!~Ab";
  const std::vector<std::string> ends = {" ", "\n", "\r\n", "\t", std::string(1, '\0'), "\x0d"};
  for (std::size_t offset = 0; offset < 9; ++offset) {
    for (std::size_t length = 1; length < 26; ++length) {
      for (const std::string& end : ends) {
        std::string word, upper;
        for (std::size_t i = 0; i < length; ++i) {
          const char c = letters[(i + offset) % letters.size()];
          word += c;
          upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        }
        const std::string text = std::string(offset, ' ') + word + end + "next";
        SCOPED_TRACE(testing::Message() << "offset " << offset << ", length " << length);
        EXPECT_EQ(Words(text), (std::vector<std::string>{upper, "NEXT"}));
        EXPECT_EQ(Words(std::string(offset, '\n') + word), (std::vector<std::string>{upper}));
        // Quoted, the word is kept as it is, up to its quote or a backslash at any position.
        EXPECT_EQ(Words(std::string(offset, ' ') + '"' + word + "\" x"),
                  (std::vector<std::string>{word, "X"}));
        EXPECT_EQ(Words('"' + word + "\\\"" + word + '"'),
                  (std::vector<std::string>{word + "\\\"" + word}));
      }
    }
  }
}

TEST(ListinfoReader, CarriageReturnLineEndsAndNoFinalNewline) {
  EXPECT_EQ(
      Words("game (\r\n\tname puckman\r\n\tdescription \"Puck Man\"\r\n)"),
      (std::vector<std::string>{"GAME", "(", "NAME", "PUCKMAN", "DESCRIPTION", "Puck Man", ")"}));
}

}  // namespace
}  // namespace kw
