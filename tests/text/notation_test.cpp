#include "text/notation.h"

#include <gtest/gtest.h>

#include "test_support.h"

#include "text/stored_text.h"

namespace dorvak {
namespace {

using Rows = std::vector<std::string>;
const KeyTable& keys = DefaultKeyTable;

std::string parse(std::string_view notation, int length = 112) { return mnemoToText(notation, keys, length).text; }

using test::bytes;

TEST(TextToMnemo, TwoRowsWithFontsSpacingsShiftsAndStartColumn) {
  std::string text = bytes({0xE2, 0xB1, 0xC0, 27, 's', 20}) + "CENTRE\n" + bytes({0xE0, 0xB1, 0xC9}) + "STATION\r";
  EXPECT_EQ(textToMnemo(text, keys), (Rows{"f2 m1 y0 s5 'CENTRE' LF", "f0 m1 y9 'STATION' CR"}));
}

TEST(TextToMnemo, CharactersWithoutKeyApostropheAndEkvivalent) {
  EXPECT_EQ(textToMnemo(std::string("it") + "'" + "s\r", keys), (Rows{"'it' #39 's' CR"}));
  EXPECT_EQ(textToMnemo(bytes({'A', 170, 64, 'B', 13}) + "ekvivalent", keys), (Rows{"'A' #170 #64 'B' CR"}));
  EXPECT_EQ(textToMnemo(bytes({128, 13}), keys), (Rows{"'\xC8' CR"})) << "through the key table";
}

TEST(TextToMnemo, EscapeFormsAndOneLetterCommands) {
  std::string text = bytes({27, 'l', 16, 27, 'p', 239, 27, 'h', 20, 27, 'd', 16, 27, 'z', 16, 27, 'a', 40, 27, 'i', 27,
                            'b', 27, 'w', 27, 'c', 27, 'n', 27, 'r', 27, 'v', 27, 33, 27, 50, 27, 83, 12, 11, 13});
  EXPECT_EQ(textToMnemo(text, keys), (Rows{"l1 p224 h5 d1 z0 a24 i b w c n r v m1 y2 f3 FF VT CR"}));
}

TEST(TextToMnemo, UnfinishedRowsAndSequencesCutShort) {
  EXPECT_EQ(textToMnemo("AB\nCD", keys), (Rows{"'AB' LF", "'CD'"}));
  EXPECT_EQ(textToMnemo(bytes({'A', 27, 's'}), keys), (Rows{"'A'"}));
  EXPECT_EQ(textToMnemo("", keys), Rows{});
}

TEST(MnemoToText, TokensAndLiterals) {
  EXPECT_EQ(parse("f2 m1 y0 s5 'CENTRE' LF f0 m1 y9 'STATION' CR"),
            bytes({0xE2, 0xB1, 0xC0, 27, 's', 20}) + "CENTRE\n" + bytes({0xE0, 0xB1, 0xC9}) + "STATION\r");
  EXPECT_EQ(parse("   'A'CR'ignored'"), "A\r") << "leading spaces; CR ends";
  EXPECT_EQ(parse("'\xC8'CR"), bytes({128, 13}));
  EXPECT_EQ(parse("#39 #64 #175 #240 #255"), bytes({39, 64, 175, 240, 255}));
}

TEST(MnemoToText, ValuesOutsideTheirRangeAndStrayCharactersAreDropped) {
  EXPECT_EQ(parse("#176 #31 #239"), "") << "codes 176..239 only through m, y, f";
  EXPECT_EQ(parse("f16 m16 y32 h33 d0 l225 p0 s113 z240 a240"), "");
  EXPECT_EQ(parse("f15 m15 y31"), bytes({0xEF, 0xBF, 0xDF}));
  EXPECT_EQ(parse("s112 s113", 112), bytes({27, 's', 127}));
  EXPECT_EQ(parse("C F L V q 7 - x"), "") << "half tokens and other characters";
  EXPECT_EQ(parse("f"), "") << "a letter without digits";
}

TEST(MnemoToText, TheParameterByte141IsAvoided) {
  EXPECT_EQ(parse("s126", 224), bytes({27, 's', 142}));
  EXPECT_EQ(parse("l126 p126"), bytes({27, 'l', 142, 27, 'p', 142}));
  EXPECT_EQ(parse("z125"), bytes({27, 'z', 142}));
  EXPECT_EQ(parse("z239"), bytes({27, 'z', 255}));
}

TEST(MnemoToText, EndingInsideALiteralAddsCrEndingAfterATokenAddsNothing) {
  EXPECT_EQ(parse("f1 'ABC"), bytes({0xE1, 'A', 'B', 'C', 13}));
  EXPECT_EQ(parse("f1 'ABC' LF"), bytes({0xE1, 'A', 'B', 'C', 10}));
}

TEST(MnemoToText, WindowBoundsSeen) {
  auto parsed = mnemoToText("l5 p100 h19 d2 'X' CR", keys, 112);
  EXPECT_EQ(parsed.bounds, (WindowBounds{4, 99, 18, 1}));
  EXPECT_EQ(mnemoToText("'X' CR", keys, 112).bounds, WindowBounds{});
}

TEST(MnemoToText, ParameterAIsReadBack) {
  EXPECT_EQ(parse("a0 a24"), bytes({27, 'a', 16, 27, 'a', 40}));
}

TEST(NotationRoundTrip, BytesToNotationAndBack) {
  const std::string texts[] = {
      bytes({0xE3, 0xB2, 0xC4}) + "HLAVN\xA0" + "\n" + bytes({0xE0, 0xB0, 0xDF}) + "N\xA0" "DRA\xAE\r",
      bytes({27, 'b', 27, 'l', 16, 0xEF, 0xC0, 251, 12}) + "X\r",
      bytes({27, 's', 20, 27, 'l', 200, 27, 'p', 239, 27, 'd', 47, 27, 'h', 16, 27, 'z', 16, 27, 'z', 200}) + "Z\r",
      bytes({27, 'a', 100, 27, 'i', 27, 'b', 27, 'w', 27, 'c', 27, 'n', 27, 'r', 27, 'v', 12, 11}) + "'q'\r",
      "ONE\nTWO\nTHREE" + bytes({11, 13}),
  };
  for (const std::string& text : texts) {
    std::string back = parse(joinMnemo(textToMnemo(text, keys)), 224);
    EXPECT_EQ(back, text) << joinMnemo(textToMnemo(text, keys));
  }
}

TEST(NotationRoundTrip, EscapeFormsOfFontSpacingAndShiftComeBackAsSingleBytes) {
  std::string text = bytes({27, 80 + 4, 27, 32 + 2, 27, 48 + 7}) + "A\r";
  EXPECT_EQ(parse(joinMnemo(textToMnemo(text, keys))), bytes({0xE4, 0xB2, 0xC7, 'A', 13}));
}

}  // namespace
}  // namespace dorvak
