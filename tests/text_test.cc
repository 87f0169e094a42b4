#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace hw {
namespace {

TEST(CodePageTest, EveryByteRoundTripsThroughUtf8) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string back;
    ASSERT_TRUE(Utf8ToWin1252(Win1252ToUtf8(byte), back)) << "byte " << b;
    EXPECT_EQ(back, byte) << "byte " << b;
  }
}

TEST(CodePageTest, MapsTheHighRangeToItsCharacters) {
  EXPECT_EQ(Win1252ToUtf8("\x80"), "\u20AC");
  EXPECT_EQ(Win1252ToUtf8("\x9F"), "\u0178");
  EXPECT_EQ(Win1252ToUtf8("\xE9t\xE9"), "\u00E9t\u00E9");
  // The undefined bytes become the control characters of the same value.
  EXPECT_EQ(Win1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(Win1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePageTest, RefusesWhatTheCodePageCannotHold) {
  std::string out = "kept";
  EXPECT_FALSE(Utf8ToWin1252("\u0100", out));  // Ā is not in the code page
  EXPECT_FALSE(Utf8ToWin1252("\u0080", out));  // byte 80 stands for the euro sign
  EXPECT_FALSE(Utf8ToWin1252("\U0001F600", out));
  EXPECT_EQ(out, "kept");
}

TEST(CodePageTest, RefusesMalformedUtf8) {
  std::string out;
  EXPECT_FALSE(Utf8ToWin1252("\xE9", out));          // a lone lead byte
  EXPECT_FALSE(Utf8ToWin1252("\x80", out));          // a lone continuation byte
  EXPECT_FALSE(Utf8ToWin1252("\xC3", out));          // cut off at the end
  EXPECT_FALSE(Utf8ToWin1252("\xC3(", out));         // bad continuation
  EXPECT_FALSE(Utf8ToWin1252("\xC1\xA9", out));      // overlong 'i'
  EXPECT_FALSE(Utf8ToWin1252("\xED\xA0\x80", out));  // a surrogate
  EXPECT_FALSE(Utf8ToWin1252("\xF8\x88\x80\x80\x80", out));
}

TEST(UpperCaseTest, KnowsTheCodePagesLetters) {
  EXPECT_EQ(Upper1252("music_bo"), "MUSIC_BO");
  EXPECT_EQ(Upper1252("\xE0\xE9\xF6\xFE"), "\xC0\xC9\xD6\xDE");  // à é ö þ
  EXPECT_EQ(Upper1252("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");  // š œ ž ÿ
}

TEST(UpperCaseTest, LeavesSignsAndCaselessLettersAlone) {
  EXPECT_EQ(UpperChar1252('\xF7'), '\xF7');  // ÷
  EXPECT_EQ(UpperChar1252('\xDF'), '\xDF');  // ß
  EXPECT_EQ(UpperChar1252('\xB5'), '\xB5');  // µ
  EXPECT_EQ(Upper1252("$1_(x)-9"), "$1_(X)-9");
  const std::string zeros(3, '\0');
  EXPECT_EQ(Upper1252(zeros), zeros);
}

TEST(TrimTest, RemovesBlanksOnly) {
  EXPECT_EQ(TrimBlanks("  Coin  "), "Coin");
  EXPECT_EQ(TrimLeftBlanks("  Coin  "), "Coin  ");
  EXPECT_EQ(TrimRightBlanks("  Coin  "), "  Coin");
  EXPECT_EQ(TrimBlanks("\tCoin\t"), "\tCoin\t");
  EXPECT_EQ(TrimBlanks("    "), "");
  EXPECT_EQ(Trim(" a b "), "a b");
}

TEST(TrimTest, KeepsZeroBytesOfAnUnassignedField) {
  const std::string zeros(8, '\0');
  EXPECT_EQ(TrimBlanks(zeros), zeros);
  EXPECT_EQ(TrimBlanks(std::string("Coin  \0", 7)), std::string("Coin  \0", 7));
}

TEST(PadTextTest, PadsWithBlanksOrCuts) {
  EXPECT_EQ(PadText("Coin", 8), "Coin    ");
  EXPECT_EQ(PadText("Advertising", 8), "Advertis");
  EXPECT_EQ(PadText("", 3), "   ");
  EXPECT_EQ(PadText("Coin", 0), "");
}

}  // namespace
}  // namespace hw
