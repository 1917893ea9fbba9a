#include "core/glyph.h"

#include <gtest/gtest.h>

#include "config/cp1250.h"
#include "core/panel_database.h"

namespace dorvak {
namespace {

TEST(GlyphEncoding, ColumnsFollowHeightAndByteCount) {
  GlyphRecord flat;
  flat.height = 0;
  flat.byteCount = 4;
  EXPECT_EQ(bytesPerColumn(0), 1);
  EXPECT_EQ(glyphColumns(flat), 4);
  for (int c = 0; c < 4; ++c) EXPECT_FALSE(glyphDot(flat, c, 0));

  GlyphRecord tall;
  tall.height = 9;
  tall.byteCount = 10;
  EXPECT_EQ(bytesPerColumn(9), 2);
  EXPECT_EQ(glyphColumns(tall), 5);
  EXPECT_EQ(bytesPerColumn(8), 1);
  EXPECT_EQ(bytesPerColumn(16), 2);
  EXPECT_EQ(bytesPerColumn(17), 3);
  EXPECT_EQ(bytesPerColumn(28), 4);
}

TEST(GlyphEncoding, RowsRunTopDownMostSignificantBitFirstAndColumnsStartOnFreshBytes) {
  GlyphRecord g;
  g.height = 9;
  g.byteCount = 4;  // two columns of two bytes
  g.bitmap[0] = 0x80;  // column 0, row 0
  g.bitmap[1] = 0x80;  // column 0, row 8
  g.bitmap[2] = 0x01;  // column 1, row 7
  EXPECT_TRUE(glyphDot(g, 0, 0));
  EXPECT_FALSE(glyphDot(g, 0, 1));
  EXPECT_TRUE(glyphDot(g, 0, 8));
  EXPECT_TRUE(glyphDot(g, 1, 7));
  EXPECT_FALSE(glyphDot(g, 1, 8));
  EXPECT_FALSE(glyphDot(g, 2, 0)) << "beyond the width";
  EXPECT_FALSE(glyphDot(g, 0, 9)) << "beyond the height";
  EXPECT_FALSE(glyphDot(g, -1, 0));

  setGlyphDot(g, 1, 8, true);
  EXPECT_EQ(g.bitmap[3], 0x80);
  setGlyphDot(g, 0, 0, false);
  EXPECT_EQ(g.bitmap[0], 0x00);
  setGlyphDot(g, 5, 5, true);  // outside: nothing changes
  EXPECT_EQ(g.bitmap[4], 0x00);
}

TEST(ControlCodes, SpacingShiftFontAndLowCodesCarryNoGlyph) {
  for (int c = 0; c < 256; ++c) {
    bool expected = c < 32 || (c >= 176 && c <= 239);
    EXPECT_EQ(isControlCode(static_cast<std::uint8_t>(c)), expected) << c;
  }
}

TEST(DefaultKeys, IdentityForAsciiExceptAtSign) {
  for (int c = 0; c < 32; ++c) EXPECT_EQ(DefaultKeyTable[c], 0) << c;
  for (int c = 32; c < 128; ++c) EXPECT_EQ(DefaultKeyTable[c], c == 64 ? 0 : c) << c;
  for (int c = 170; c < 256; ++c) EXPECT_EQ(DefaultKeyTable[c], 0) << c;
}

TEST(DefaultKeys, CzechLettersInKamenickyOrder) {
  // The letters as a person reads them, codes 128..169.
  const std::string letters = "ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšř";
  auto bytes = utf8ToCp1250(letters);
  ASSERT_TRUE(bytes.has_value());
  ASSERT_EQ(bytes->size(), 42u);
  for (int i = 0; i < 42; ++i)
    EXPECT_EQ(DefaultKeyTable[128 + i], static_cast<std::uint8_t>((*bytes)[static_cast<std::size_t>(i)])) << 128 + i;
}

TEST(FontTable, HasFontsLooksOnlyAtCodes32Upwards) {
  FontTable fonts;
  EXPECT_FALSE(fonts.hasFonts());
  fonts.glyph(4, 10).byteCount = 3;
  EXPECT_FALSE(fonts.hasFonts());
  fonts.glyph(4, 32).byteCount = 1;
  EXPECT_TRUE(fonts.hasFonts());
  EXPECT_TRUE(fonts.fontHasGlyphs(4));
  EXPECT_FALSE(fonts.fontHasGlyphs(5));
  fonts.clear();
  EXPECT_FALSE(fonts.hasFonts());
}

TEST(SpecialGlyph, Font15WhenItHasCode251ElseFont7) {
  FontTable fonts;
  EXPECT_EQ(findSpecialGlyph(fonts), (SpecialGlyph{7, 251}));
  fonts.glyph(7, 251).byteCount = 2;
  EXPECT_EQ(findSpecialGlyph(fonts), (SpecialGlyph{7, 251}));
  fonts.glyph(15, 251).byteCount = 2;
  EXPECT_EQ(findSpecialGlyph(fonts), (SpecialGlyph{15, 251}));
}

}  // namespace
}  // namespace dorvak
