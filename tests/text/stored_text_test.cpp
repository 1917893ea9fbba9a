#include "text/stored_text.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace dorvak {
namespace {

const KeyTable& keys = DefaultKeyTable;

using test::bytes;

TEST(PlainText, RowsBecomeTabSeparatedFieldsAndCodesDisappear) {
  std::string text = bytes({0xE3, 0xB1, 0xC2, 27, 's', 20, 27, 'i'}) + "HLAVN\xA0\n" + bytes({0xF5, 12, 11}) + "N\x80" +
                     bytes({200, 13}) + "after";
  // 160 is "á"; 245 has no key; 128 is "Č"; 200 is a shift.
  EXPECT_EQ(plainText(text, keys), "HLAVN\xE1\t@N\xC8");
}

TEST(Ekvivalents, DestinationRowsJoinedByASpaceAndCut) {
  std::string text = bytes({0xE3, 27, 'l', 20, ' '}) + "HLAVNI\n" + bytes({0xC3}) + "NADRAZI " + bytes({11, 13}) + "x";
  ProgramOptions none;
  EXPECT_EQ(deriveEkvivalent(text, keys, none), "HLAVNI NADRAZI");
  ProgramOptions kt500;
  kt500.ekvivalentMode = EkvivalentMode::Kt500;
  EXPECT_EQ(deriveEkvivalent(text, keys, kt500), "HLAVNI NADRA");
  ProgramOptions kt700;
  kt700.ekvivalentMode = EkvivalentMode::Kt700;
  EXPECT_EQ(deriveEkvivalent(text, keys, kt700), "HLAVNI NADRAZI");
  EXPECT_EQ(deriveEkvivalent(bytes({'A', 27}), keys, none), "A") << "an escape at the end";
  EXPECT_EQ(deriveEkvivalent(bytes({'A', 12, 'B', 240, 'C', 13}), keys, none), "ABC");
}

TEST(Ekvivalents, StopFormIsAlwaysCutToTwelve) {
  EXPECT_EQ(deriveStopEkvivalent("NAMESTI REPUBLIKY\r", keys), "NAMESTI REPU");
  EXPECT_EQ(deriveStopEkvivalent(bytes({'A', 27, 'z'}), keys), "A") << "a letter without its parameter ends";
}

TEST(Ekvivalents, Kt700WidthCut) {
  const auto& table = defaultKt700Table();
  const auto& widths = builtinKt700Widths();
  // "W" is 7 dots wide: 7 + 2 per character, the 14th would pass 122.
  std::string wide(30, 'W');
  EXPECT_EQ(fitKt700Ekvivalent(wide, table, widths), std::string(13, 'W'));
  EXPECT_EQ(fitKt700Ekvivalent(std::string(40, 'i'), table, widths), std::string(30, 'i')) << "30 characters at most";
  EXPECT_EQ(fitKt700Ekvivalent("", table, widths), "");
}

TEST(BlockPrefixes, LeftAndRightEdges) {
  SpecialGlyph special{15, 251};
  EXPECT_EQ(blockPrefix(BlockSide::Left, special, 112), bytes({27, 'b', 27, 'l', 16, 0xEF, 0xC0, 251, 12}));
  EXPECT_EQ(blockPrefix(BlockSide::Right, SpecialGlyph{7, 251}, 112),
            bytes({27, 'b', 27, 'p', 127, 0xE7, 0xC0, 251, 12}));
}

TEST(EntryParts, PanelTextAndExplicitEkvivalent) {
  EXPECT_EQ(panelPart("AB\rCD"), "AB\r");
  EXPECT_EQ(explicitEkvivalent("AB\rCD"), "CD");
  EXPECT_EQ(explicitEkvivalent("AB\r"), "");
  EXPECT_EQ(panelPart("A\rB\rC"), "A\rB\r") << "up to the last CR";
}

}  // namespace
}  // namespace dorvak
