#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hw {
namespace {

TEST(CodePageTest, EveryByteRoundTripsAndWhatItCannotHoldIsRefused) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string back;
    ASSERT_TRUE(Utf8ToWin1252(Win1252ToUtf8(byte), back)) << "byte " << b;
    EXPECT_EQ(back, byte) << "byte " << b;
  }
  EXPECT_EQ(Win1252ToUtf8("\x80\x9F\xE9"), "\u20AC\u0178\u00E9");
  // The undefined bytes become the control characters of the same value.
  EXPECT_EQ(Win1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
  // What the code page cannot hold, and malformed UTF-8, is refused.
  for (const char* bad : {"\u0100", "\u0080" /* byte 80 stands for the euro sign */, "\U0001F600",
                          "\xE9", "\x80", "\xC3", "\xC3(", "\xC1\xA9" /* overlong */,
                          "\xED\xA0\x80" /* a surrogate */, "\xF8\x88\x80\x80\x80"}) {
    std::string out = "kept";
    EXPECT_FALSE(Utf8ToWin1252(bad, out)) << bad;
    EXPECT_EQ(out, "kept");
  }
}

// Upper-casing knows the code page's letters (here à é ö þ š œ ž ÿ) and leaves the rest (÷ ß µ);
// trimming removes blanks only, and keeps the zero bytes of a never-assigned text.
TEST(TextTest, UpperCaseKnowsTheCodePageAndTrimRemovesBlanksOnly) {
  EXPECT_EQ(Upper1252("music_bo\xE0\xE9\xF6\xFE\x9A\x9C\x9E\xFF\xF7\xDF\xB5$1_(x)"),
            "MUSIC_BO\xC0\xC9\xD6\xDE\x8A\x8C\x8E\x9F\xF7\xDF\xB5$1_(X)");
  EXPECT_EQ(std::make_tuple(TrimLeftBlanks("  Coin  "), TrimRightBlanks("  Coin  "),
                            TrimBlanks("\tCoin\t"), TrimBlanks("    ")),
            std::make_tuple("Coin  ", "  Coin", "\tCoin\t", ""));
  const std::string unassigned("Coin  \0", 7);
  EXPECT_EQ(TrimBlanks(unassigned), unassigned);
  // Long runs are stepped over a word at a time: a letter anywhere in a wide field stays.
  for (size_t at = 0; at < 100; ++at) {
    std::string wide(100, ' ');
    wide[at] = 'x';
    EXPECT_EQ(TrimLeftBlanks(wide).size(), 100 - at) << at;
    EXPECT_EQ(TrimRightBlanks(wide).size(), at + 1) << at;
  }
}

}  // namespace
}  // namespace hw
