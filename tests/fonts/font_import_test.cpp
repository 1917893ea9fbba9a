#include "fonts/font_import.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "fonts/bdf_font.h"
#include "fonts/glyph_text.h"
#include "test_support.h"

namespace dorvak {
namespace {

using Rows = std::vector<std::string>;

// A 7-row font (ascent 5, descent 2) drawn for these cases.
test::BdfFont smallFont() {
  test::BdfFont font;
  font.ascent = 5;
  font.descent = 2;
  font.glyphs[U'A'] = {4, 0, 0, {".#.", "#.#", "###", "#.#", "#.#"}};
  font.glyphs[U'.'] = {2, 0, 0, {"#"}};
  font.glyphs[U'g'] = {4, 0, -2, {"###", "#.#", "###", "..#", "##."}};
  font.glyphs[U'\''] = {2, 0, 3, {"#", "#"}};
  // Blank columns on both sides of the lit ones, and an offset from the pen.
  font.glyphs[U'I'] = {5, 1, 0, {"..#..", "..#..", "..#..", "..#..", "..#.."}};
  font.glyphs[U' '] = {4, 0, -2, {"....", "....", "....", "....", "....", "....", "...."}};
  font.glyphs[U'\u010C'] = {4, 0, 0, {"#.#", ".#.", "###", "#..", "###"}};  // Č
  font.glyphs[U'\u0160'] = {4, 0, 0, {"#.#", "###", "#..", "..#", "###"}};  // Š
  return font;
}

class FontImportTest : public ::testing::Test {
 protected:
  std::string write(const test::BdfFont& font, const std::string& name = "font.bdf") {
    std::string path = dir.file(name);
    test::writeFile(path, test::bdfText(font));
    return path;
  }
  FontImport import(const test::BdfFont& font, FontImportOptions options, const KeyTable& keys = DefaultKeyTable) {
    FontFace face(write(font));
    return importGlyphs(face, keys, options);
  }
  static const GlyphRecord* find(const FontImport& result, std::uint8_t code) {
    for (const ImportedGlyph& g : result.glyphs)
      if (g.code == code) return &g.glyph;
    return nullptr;
  }
  static Rows rowsOf(const FontImport& result, std::uint8_t code) {
    const GlyphRecord* g = find(result, code);
    return g ? glyphAsText(*g) : Rows{"(not imported)"};
  }
  test::TempDir dir;
};

TEST_F(FontImportTest, RowsStartAtTheFontsTopRowSoGlyphsShareTheBaseline) {
  FontImport result = import(smallFont(), {.height = 7});
  EXPECT_EQ(rowsOf(result, 'A'), (Rows{".#.", "#.#", "###", "#.#", "#.#"}));
  EXPECT_EQ(rowsOf(result, '.'), (Rows{".", ".", ".", ".", "#"}));
  EXPECT_EQ(rowsOf(result, 'g'), (Rows{"...", "...", "###", "#.#", "###", "..#", "##."}));
  EXPECT_EQ(rowsOf(result, '\''), (Rows{"#", "#"}));
  EXPECT_EQ(result.pixelsPerEm, 0);
}

TEST_F(FontImportTest, ColumnsAreTheLitOnesOnly) {
  FontImport result = import(smallFont(), {.height = 7});
  const GlyphRecord* i = find(result, 'I');
  ASSERT_NE(i, nullptr);
  EXPECT_EQ(glyphColumns(*i), 1);
  EXPECT_EQ(glyphAsText(*i), (Rows{"#", "#", "#", "#", "#"}));
}

TEST_F(FontImportTest, TheSpaceKeepsItsAdvanceWithNoDotLit) {
  FontImport result = import(smallFont(), {.height = 7});
  const GlyphRecord* space = find(result, ' ');
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->height, 0);
  EXPECT_EQ(space->byteCount, 4);
  EXPECT_EQ(glyphColumns(*space), 4);
  for (int b = 0; b < space->byteCount; ++b) EXPECT_EQ(space->bitmap[static_cast<std::size_t>(b)], 0);

  FontImport fullResult = import(smallFont(), {.height = 7, .fullHeight = true});
  const GlyphRecord* full = find(fullResult, ' ');
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(full->height, 7);
  EXPECT_EQ(glyphColumns(*full), 4);
  EXPECT_EQ(glyphAsText(*full), Rows(7, "...."));
}

TEST_F(FontImportTest, FullHeightGivesEveryGlyphTheFontsRows) {
  FontImport result = import(smallFont(), {.height = 7, .fullHeight = true});
  ASSERT_FALSE(result.glyphs.empty());
  for (const ImportedGlyph& g : result.glyphs) EXPECT_EQ(g.glyph.height, 7) << int{g.code};
  EXPECT_EQ(rowsOf(result, '.'), (Rows{".", ".", ".", ".", "#", ".", "."}));
}

TEST_F(FontImportTest, KeysAreWindows1250CharactersLookedUpAsUnicode) {
  KeyTable keys{};
  keys[128] = 0xC8;  // Č, as in the default key table
  keys[250] = 0x8A;  // Š
  keys[65] = 'A';
  FontImport result = import(smallFont(), {.height = 7}, keys);
  EXPECT_EQ(rowsOf(result, 128), (Rows{"#.#", ".#.", "###", "#..", "###"}));
  EXPECT_EQ(rowsOf(result, 250), (Rows{"#.#", "###", "#..", "..#", "###"}));
  EXPECT_EQ(result.glyphs.size(), 3u);
  EXPECT_TRUE(result.missing.empty());
}

TEST_F(FontImportTest, OnlyKeyedCodesOutsideTheControlCodesAndInsideTheRange) {
  KeyTable keys{};
  keys[10] = 'A';   // a control code below 32
  keys[200] = 'A';  // a control code (shift)
  keys[66] = 'A';
  keys[67] = 'g';
  keys[241] = '.';
  // Keys no font draws: DEL, a C0 control, a byte Windows-1250 leaves undefined.
  keys[127] = 127;
  keys[100] = 0x1B;
  keys[101] = 0x81;
  EXPECT_EQ(keyedCharacters(keys, 0, 255), (std::vector<PanelCharacter>{{66, 'A'}, {67, 'g'}, {241, '.'}}));
  EXPECT_TRUE(isControlKey(127));
  EXPECT_TRUE(isControlKey(0x98));
  EXPECT_FALSE(isControlKey(0x9F)) << "\xC5\xBA in Windows-1250";
  EXPECT_EQ(keyedCharacters(keys, 67, 240), (std::vector<PanelCharacter>{{67, 'g'}}));

  FontImport result = import(smallFont(), {.height = 7, .firstCode = 67, .lastCode = 255}, keys);
  ASSERT_EQ(result.glyphs.size(), 2u);
  EXPECT_TRUE(result.missing.empty()) << "DEL and the other control keys are not missing characters";
  EXPECT_EQ(result.glyphs[0].code, 67);
  EXPECT_EQ(result.glyphs[1].code, 241);
}

TEST_F(FontImportTest, MissingCharactersAreReportedAndTheirGlyphsLeftAsTheyWere) {
  PanelDatabase db;
  db.clearFonts(true);
  GlyphRecord drawn = test::makeGlyph(3, 5, 9);
  db.fonts.glyph(2, 'B') = drawn;
  db.fonts.glyph(2, 'A') = drawn;

  FontImport result = importFontFile(db, 2, write(smallFont()), {.height = 7, .firstCode = 'A', .lastCode = 'C'});
  EXPECT_EQ(result.missing, (std::vector<PanelCharacter>{{'B', 'B'}, {'C', 'C'}}));
  EXPECT_EQ(db.fonts.glyph(2, 'B'), drawn);
  EXPECT_FALSE(db.fonts.glyph(2, 'C').exists());
  EXPECT_NE(db.fonts.glyph(2, 'A'), drawn);
  EXPECT_EQ(glyphAsText(db.fonts.glyph(2, 'A')), (Rows{".#.", "#.#", "###", "#.#", "#.#"}));
  EXPECT_FALSE(db.fonts.glyph(3, 'A').exists());
  EXPECT_EQ(describePanelCharacter({'C', 'C'}), "C (U+0043, code 67)");
  EXPECT_EQ(describePanelCharacter({128, 0xC8}), "\xC4\x8C (U+010C, code 128)");
  EXPECT_EQ(describePanelCharacter({127, 127}), "U+007F (code 127)");
}

TEST_F(FontImportTest, TheSpecialGlyphFollowsTheImportedFonts) {
  PanelDatabase db;
  db.clearFonts(true);
  db.keyTable[251] = '.';
  importFontFile(db, 15, write(smallFont()), {.height = 7});
  EXPECT_EQ(db.specialGlyph, (SpecialGlyph{15, 251}));
}

TEST_F(FontImportTest, TallFontsUseTwoBytesPerColumn) {
  test::BdfFont font;
  font.ascent = 10;
  font.descent = 2;
  font.glyphs[U'|'] = {3, 0, -2, Rows(12, "#.")};
  FontImport result = import(font, {.height = 12});
  const GlyphRecord* bar = find(result, '|');
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->height, 12);
  EXPECT_EQ(bar->byteCount, 2);
  EXPECT_EQ(bar->bitmap[0], 0xFF);
  EXPECT_EQ(bar->bitmap[1], 0xF0);
}

TEST_F(FontImportTest, AGlyphWiderThanAPanelGlyphIsRefusedAndNothingImported) {
  test::BdfFont font = smallFont();
  font.glyphs[U'W'] = {31, 0, 0, Rows(5, std::string(30, '#'))};
  font.glyphs[U'\u0160'] = {31, 0, 0, Rows(5, "#" + std::string(28, '.') + "#")};
  PanelDatabase db;
  db.clearFonts(true);
  PanelDatabase before = db;
  try {
    importFontFile(db, 1, write(font), {.height = 7});
    FAIL() << "a glyph of 30 columns was imported";
  } catch (const DorvakError& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("nothing was imported"), std::string::npos) << message;
    EXPECT_NE(message.find("W (U+0057, code 87) is 30 columns wide; a panel glyph has at most 28"), std::string::npos)
        << message;
    EXPECT_NE(message.find("\xC5\xA0 (U+0160, code 155) is 30 columns wide"), std::string::npos) << message;
  }
  EXPECT_EQ(db, before);

  // 28 columns still fit.
  font.glyphs.erase(U'\u0160');
  font.glyphs[U'W'] = {29, 0, 0, Rows(5, std::string(28, '#'))};
  EXPECT_EQ(rowsOf(import(font, {.height = 7}), 'W'), Rows(5, std::string(28, '#')));
}

TEST_F(FontImportTest, AGlyphReachingOutsideTheFontsRowsIsRefusedNotCut) {
  test::BdfFont above = smallFont();
  above.glyphs[U'T'] = {4, 0, 0, Rows(7, "###")};  // two rows above the ascent of 5
  EXPECT_THROW(
      {
        try {
          import(above, {.height = 7});
        } catch (const DorvakError& e) {
          EXPECT_NE(std::string(e.what()).find("T (U+0054, code 84) reaches 2 rows above the top of the font's 7 rows"),
                    std::string::npos)
              << e.what();
          throw;
        }
      },
      DorvakError);

  test::BdfFont below = smallFont();
  below.glyphs[U'j'] = {4, 0, -3, Rows(4, "#")};  // one row below the descent of 2
  EXPECT_THROW(
      {
        try {
          import(below, {.height = 7});
        } catch (const DorvakError& e) {
          EXPECT_NE(std::string(e.what()).find("j (U+006A, code 106) reaches 1 row below the font's 7 rows"),
                    std::string::npos)
              << e.what();
          throw;
        }
      },
      DorvakError);
}

TEST_F(FontImportTest, HeightsOutsideThePanelOrWithoutAStrikeAreRefused) {
  auto messageOf = [&](int height) {
    try {
      import(smallFont(), {.height = height});
    } catch (const DorvakError& e) {
      return std::string(e.what());
    }
    return std::string("(imported)");
  };
  EXPECT_EQ(messageOf(0), "Font height 0 is out of range 1..28");
  EXPECT_EQ(messageOf(29), "Font height 29 is out of range 1..28");
  EXPECT_EQ(messageOf(8), "Font file " + dir.file("font.bdf") + " has no strike 8 dots high; its strikes are 7 dots high");

  PanelDatabase db;
  EXPECT_THROW(importFontFile(db, 16, write(smallFont()), {.height = 7}), DorvakError);
}

TEST_F(FontImportTest, AFontWithoutAUnicodeMapIsRefused) {
  test::BdfFont latin2 = smallFont();
  latin2.registry = "ISO8859";
  latin2.encoding = "2";
  std::string path = write(latin2);
  try {
    FontFace face(path);
    FAIL() << "an ISO8859-2 font was opened";
  } catch (const DorvakError& e) {
    EXPECT_EQ(std::string(e.what()), "Font file " + path + " has no Unicode character map");
  }
}

}  // namespace
}  // namespace dorvak
