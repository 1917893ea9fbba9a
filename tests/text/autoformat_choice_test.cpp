#include "text/autoformat_choice.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace dorvak {
namespace {

// Font f has glyphs of (f + 1) columns and 2 * (f + 1) rows for "A".."Z".
FontTable scaledFonts() {
  FontTable fonts;
  for (int f = 0; f < 8; ++f)
    for (int c = 'A'; c <= 'Z'; ++c) fonts.glyph(f, c) = test::makeGlyph(f + 1, 2 * (f + 1), 0);
  return fonts;
}

PresetTable presets(std::initializer_list<PresetEntry> used) {
  PresetTable table{};
  std::size_t i = 0;
  for (const PresetEntry& e : used) table[i++] = e;
  return table;
}

TEST(RowWidths, SpacingBetweenCharactersWithColumns) {
  FontTable fonts = scaledFonts();
  EXPECT_EQ(rowPixelWidth("ABC", fonts, 1, 0, 1), 2 + 1 + 2 + 1 + 2);
  EXPECT_EQ(rowPixelWidth("A b", fonts, 1, 0, 1), 2) << "characters without columns add nothing";
  EXPECT_EQ(rowPixelWidth("A b", fonts, 1, 0, 1, WidthRule::EveryCharacter), 2 + 1 + 1)
      << "the line editor counts the spacing before every character";
  EXPECT_EQ(rowPixelWidth("AB|ABCD\nA", fonts, 0, 1, 0), 4);
  EXPECT_EQ(rowPixelWidth("AB|ABCD\nA", fonts, 0, 7, 0), 1) << "the last row when there are fewer";
}

TEST(Autoformat, FirstFittingEntryCentredInTheField) {
  FontTable fonts = scaledFonts();
  FieldStyle style{3, 1, 0, 10};
  // "ABCD" is 4 * (f + 1) + 3 * spacing wide.
  auto table = presets({{7, 2, 0}, {3, 1, 0}, {1, 1, 0}});
  AutoformatChoice choice = chooseAutoformat(table, "ABCD", 20, 19, style, 28, fonts);
  EXPECT_EQ(choice.font, 3);
  EXPECT_EQ(choice.spacing, 1);
  EXPECT_EQ(choice.shift, (19 - 8) / 2);
  EXPECT_EQ(choice.column, (20 - 19) / 2 + 28);
}

TEST(Autoformat, NoFittingEntryKeepsTheLastOneTried) {
  FontTable fonts = scaledFonts();
  auto table = presets({{7, 2, 5}, {5, 1, 6}});
  AutoformatChoice choice = chooseAutoformat(table, "ABCDEFGHIJ", 10, 4, FieldStyle{0, 1, 0, 10}, 3, fonts);
  EXPECT_EQ(choice.font, 5);
  EXPECT_EQ(choice.spacing, 1);
  EXPECT_EQ(choice.shift, 6) << "taller than the field: the entry's shift";
  EXPECT_EQ(choice.column, 3) << "too wide: the field's left";
}

TEST(Autoformat, AllFreeEntriesGiveTheFieldStyle) {
  FontTable fonts = scaledFonts();
  PresetTable free{};
  AutoformatChoice choice = chooseAutoformat(free, "AB", 100, 30, FieldStyle{2, 3, 1, 10}, 0, fonts);
  EXPECT_EQ(choice.font, 2);
  EXPECT_EQ(choice.spacing, 3);
  EXPECT_EQ(choice.shift, (30 - 6) / 2);
  EXPECT_EQ(choice.column, (100 - 9) / 2);
}

TEST(Autoformat, FontsWithoutAGlyphOfTheRowArePassedOver) {
  FontTable fonts = scaledFonts();
  fonts.glyph(1, 'a') = test::makeGlyph(2, 4, 0);
  // Font 9 is empty and font 0 lacks "a": both would measure narrow and fit.
  auto table = presets({{9, 1, 0}, {0, 1, 0}, {1, 1, 0}});
  EXPECT_EQ(chooseAutoformat(table, "Aa", 100, 20, FieldStyle{}, 0, fonts).font, 1);
  EXPECT_EQ(chooseAutoformat(table, "A|a", 100, 20, FieldStyle{}, 0, fonts).font, 1) << "every row counts";
  EXPECT_EQ(chooseAutoformat(table, "A", 100, 20, FieldStyle{}, 0, fonts).font, 0);
  EXPECT_EQ(chooseAutoformat(table, "\xC8", 100, 20, FieldStyle{}, 0, fonts).font, 9)
      << "no font has the character: the first entry, as before";
}

TEST(Autoformat, FontsHigherThanTheRoomArePassedOver) {
  const FontTable fonts = scaledFonts();
  // Font 3 is 8 rows high, font 1 four, font 0 two: in 5 rows font 1 fits.
  auto table = presets({{3, 1, 0}, {1, 1, 0}, {0, 1, 0}});
  AutoformatChoice choice = chooseAutoformat(table, "AB", 100, 5, FieldStyle{}, 0, fonts);
  EXPECT_EQ(choice.font, 1);
  EXPECT_EQ(choice.shift, 0) << "(5 - 4) div 2";
  EXPECT_EQ(chooseAutoformat(table, "AB", 100, 1, FieldStyle{}, 0, fonts).font, 3)
      << "no font low enough: the first that fits the width, as before";
  EXPECT_EQ(chooseAutoformat(table, "ABCDEFGHIJ", 25, 5, FieldStyle{}, 0, fonts).font, 0)
      << "the width still decides among the low ones";
}

TEST(Autoformat, WidestRowDecidesAndExactFitStartsAtTheLeft) {
  FontTable fonts = scaledFonts();
  auto table = presets({{1, 0, 0}});
  AutoformatChoice choice = chooseAutoformat(table, "AB\nABCDE", 10, 4, FieldStyle{}, 7, fonts);
  EXPECT_EQ(choice.font, 1);
  EXPECT_EQ(choice.column, 7);
  EXPECT_EQ(choice.shift, 0) << "as high as the field";
}

}  // namespace
}  // namespace dorvak
