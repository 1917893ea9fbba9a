// Importing the fonts of Debian font packages, each compared with a second
// path to the same glyphs: pcf2bdf's BDF copy of a PCF font, or FreeType's
// own bitmaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "config/cp1250.h"
#include "core/error.h"
#include "fonts/font_import.h"
#include "fonts/glyph_text.h"
#include "fonts/system_fonts.h"
#include "test_support.h"

namespace dorvak {
namespace {

using Rows = std::vector<std::string>;

char32_t unicodeOf(std::uint8_t code) { return cp1250ToUnicode(DefaultKeyTable[code]); }

// Every imported glyph is the panel glyph of the reference glyph; the
// characters the reference lacks are exactly the missing ones.
void expectSameGlyphs(const FontImport& result, const std::map<char32_t, test::BdfGlyph>& reference, int ascent) {
  std::vector<PanelCharacter> keyed = keyedCharacters(DefaultKeyTable, 32, 255);
  EXPECT_EQ(result.glyphs.size() + result.missing.size(), keyed.size());
  for (const ImportedGlyph& g : result.glyphs) {
    auto found = reference.find(unicodeOf(g.code));
    ASSERT_NE(found, reference.end()) << "code " << int{g.code} << " has no reference glyph";
    test::ExpectedGlyph expected = test::expectedPanelGlyph(found->second, ascent);
    EXPECT_EQ(glyphColumns(g.glyph), expected.columns) << "code " << int{g.code};
    EXPECT_EQ(glyphAsText(g.glyph), expected.rows) << "code " << int{g.code};
  }
  for (const PanelCharacter& m : result.missing) {
    auto found = reference.find(cp1250ToUnicode(m.key));
    bool blankWithoutWidth = found != reference.end() && found->second.advance == 0 &&
                             test::expectedPanelGlyph(found->second, ascent).rows.empty();
    EXPECT_TRUE(found == reference.end() || blankWithoutWidth) << describePanelCharacter(m) << " was reported missing";
  }
}

class MiscFixedPcf : public ::testing::TestWithParam<const char*> {};

TEST_P(MiscFixedPcf, ImportsItsBitmapsDotForDotAsItsBdfCopyHasThem) {
  std::string pcf = test::kMiscFixedFolder + GetParam() + ".pcf.gz";
  ASSERT_TRUE(test::installed(pcf));
  test::BdfFont bdf = test::readBdf(test::pcfAsBdf(pcf));
  int height = bdf.ascent + bdf.descent;

  FontFace face(pcf);
  EXPECT_FALSE(face.isOutline());
  FontImport result = importGlyphs(face, DefaultKeyTable, {.height = height});
  EXPECT_GT(result.glyphs.size(), 130u);
  expectSameGlyphs(result, bdf.glyphs, bdf.ascent);

  // The BDF copy itself imports to the same glyphs.
  test::TempDir dir;
  test::writeFile(dir.file("copy.bdf"), test::pcfAsBdf(pcf));
  FontFace copy(dir.file("copy.bdf"));
  FontImport fromCopy = importGlyphs(copy, DefaultKeyTable, {.height = height});
  ASSERT_EQ(fromCopy.glyphs.size(), result.glyphs.size());
  for (std::size_t i = 0; i < result.glyphs.size(); ++i) {
    EXPECT_EQ(fromCopy.glyphs[i].code, result.glyphs[i].code);
    EXPECT_EQ(fromCopy.glyphs[i].glyph, result.glyphs[i].glyph) << "code " << int{result.glyphs[i].code};
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MiscFixedPcf, ::testing::Values("5x7", "6x9", "6x13", "7x13B", "9x18B", "10x20"));

class TerminusOtb : public ::testing::TestWithParam<int> {};

TEST_P(TerminusOtb, ImportsTheStrikeOfTheRequestedHeightAsFreeTypeDrawsIt) {
  ASSERT_TRUE(test::installed(test::kTerminusBold));
  const int height = GetParam();
  FontFace face(test::kTerminusBold);
  EXPECT_GE(face.strikeHeights().size(), 5u);
  FontImport result = importGlyphs(face, DefaultKeyTable, {.height = height});

  std::map<char32_t, test::BdfGlyph> direct;
  int ascent = 0;
  for (const PanelCharacter& c : keyedCharacters(DefaultKeyTable, 32, 255)) {
    test::BdfGlyph glyph;
    if (test::drawDirectly({test::kTerminusBold, height, 0}, cp1250ToUnicode(c.key), glyph, &ascent))
      direct[cp1250ToUnicode(c.key)] = glyph;
  }
  expectSameGlyphs(result, direct, ascent);
  // Terminus has every character of the default keys; the delete character,
  // which the default key table gives code 127, is no character to draw.
  EXPECT_EQ(result.missing, (std::vector<PanelCharacter>{}));
  EXPECT_TRUE(std::none_of(result.glyphs.begin(), result.glyphs.end(), [](const ImportedGlyph& g) { return g.code == 127; }));
  int tallest = 0;
  for (const ImportedGlyph& g : result.glyphs) tallest = std::max(tallest, int{g.glyph.height});
  EXPECT_LE(tallest, height);
}

INSTANTIATE_TEST_SUITE_P(Strikes, TerminusOtb, ::testing::Values(12, 16, 24));

// The rows a set of characters spans at ppem, drawn by FreeType directly:
// from the top edge of the highest lit row to the bottom edge of the lowest,
// relative to the baseline.
std::pair<int, int> directInkSpan(const std::string& path, int ppem) {
  int top = INT_MIN, bottom = INT_MAX;
  for (const PanelCharacter& c : keyedCharacters(DefaultKeyTable, 32, 255)) {
    test::BdfGlyph glyph;
    if (!test::drawDirectly({path, 0, ppem}, cp1250ToUnicode(c.key), glyph)) continue;
    for (std::size_t r = 0; r < glyph.rows.size(); ++r) {
      if (glyph.rows[r].find('#') == std::string::npos) continue;
      int edge = glyph.yOffset + static_cast<int>(glyph.rows.size() - r);  // top edge of row r
      top = std::max(top, edge);
      bottom = std::min(bottom, edge - 1);
    }
  }
  return {top, bottom};
}

class DejaVuOutline : public ::testing::TestWithParam<int> {};

TEST_P(DejaVuOutline, GivesGlyphsOfTheRequestedHeightAtTheLargestSizeThatFits) {
  ASSERT_TRUE(test::installed(test::kDejaVuSans));
  const int height = GetParam();
  FontFace face(test::kDejaVuSans);
  EXPECT_TRUE(face.isOutline());
  FontImport result = importGlyphs(face, DefaultKeyTable, {.height = height});
  ASSERT_GT(result.pixelsPerEm, 0);

  int tallest = 0;
  for (const ImportedGlyph& g : result.glyphs) tallest = std::max(tallest, int{g.glyph.height});
  EXPECT_EQ(tallest, height);

  // The same glyphs as FreeType draws them at that size, the lowest lit row
  // of them all on the last row; one size larger they do not fit.
  auto [top, bottom] = directInkSpan(test::kDejaVuSans, result.pixelsPerEm);
  EXPECT_LE(top - bottom, height);
  auto [largerTop, largerBottom] = directInkSpan(test::kDejaVuSans, result.pixelsPerEm + 1);
  EXPECT_GT(largerTop - largerBottom, height);

  std::map<char32_t, test::BdfGlyph> direct;
  for (const PanelCharacter& c : keyedCharacters(DefaultKeyTable, 32, 255)) {
    test::BdfGlyph glyph;
    if (test::drawDirectly({test::kDejaVuSans, 0, result.pixelsPerEm}, cp1250ToUnicode(c.key), glyph))
      direct[cp1250ToUnicode(c.key)] = glyph;
  }
  expectSameGlyphs(result, direct, height + bottom);

  FontFace again(test::kDejaVuSans);
  FontImport full = importGlyphs(again, DefaultKeyTable, {.height = height, .fullHeight = true});
  ASSERT_EQ(full.glyphs.size(), result.glyphs.size());
  for (const ImportedGlyph& g : full.glyphs) EXPECT_EQ(g.glyph.height, height) << "code " << int{g.code};
}

INSTANTIATE_TEST_SUITE_P(Heights, DejaVuOutline, ::testing::Values(7, 12, 16));

TEST(OutlineImport, DigitsAloneFillTheRows) {
  ASSERT_TRUE(test::installed(test::kDejaVuSansBold));
  FontFace face(test::kDejaVuSansBold);
  FontImport digits = importGlyphs(face, DefaultKeyTable, {.height = 16, .firstCode = '0', .lastCode = '9'});
  ASSERT_EQ(digits.glyphs.size(), 10u);
  for (const ImportedGlyph& g : digits.glyphs) {
    Rows rows = glyphAsText(g.glyph);
    EXPECT_EQ(rows.size(), 16u) << "digit " << g.code;
  }
  EXPECT_NE(glyphAsText(digits.glyphs[8].glyph).front().find('#'), std::string::npos) << "8 reaches the top row";
}

TEST(OutlineImport, AGlyphTooWideForThePanelIsRefusedByName) {
  ASSERT_TRUE(test::installed(test::kDejaVuSans));
  KeyTable keys = DefaultKeyTable;
  keys[240] = 0x89;  // per mille, wider than the em
  FontFace face(test::kDejaVuSans);
  try {
    importGlyphs(face, keys, {.height = 28});
    FAIL() << "a per mille sign wider than 28 columns was imported";
  } catch (const DorvakError& e) {
    EXPECT_NE(std::string(e.what()).find("\xE2\x80\xB0 (U+2030, code 240) is "), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(" columns wide; a panel glyph has at most 28"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace dorvak
