#include "fonts/font_manager.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace dorvak {
namespace {

// Every glyph of the table marked with its font and code.
FontTable markedFonts() {
  FontTable fonts;
  for (int font = 0; font < kFontCount; ++font)
    for (int code = 32; code < 256; ++code) {
      GlyphRecord& g = fonts.glyph(font, code);
      g.byteCount = 2;
      g.height = 8;
      g.bitmap[0] = static_cast<std::uint8_t>(font);
      g.bitmap[1] = static_cast<std::uint8_t>(code);
    }
  return fonts;
}

int markOf(const FontTable& fonts, int font, int code) {
  const GlyphRecord& g = fonts.glyph(font, code);
  return g.exists() ? g.bitmap[0] * 1000 + g.bitmap[1] : -1;
}

TEST(FontManagerCopy, AllFromCode250OfAWholeFont) {
  FontTable source = markedFonts(), working;
  CopyPositions at{2, 250, 5, 32};
  copyRest(source, working, at, FontManagerMode::WholeFont);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(markOf(working, 5, 32 + i), 2000 + 250 + i);
  EXPECT_EQ(markOf(working, 5, 38), -1) << "stops at code 255";
}

TEST(FontManagerCopy, YesAtCode255CopiesAndStays) {
  FontTable source = markedFonts(), working;
  CopyPositions at{1, 255, 1, 100};
  copyAndStep(source, working, at, FontManagerMode::WholeFont);
  EXPECT_EQ(markOf(working, 1, 100), 1255);
  EXPECT_EQ(at, (CopyPositions{1, 255, 1, 100}));
  copyAndStep(source, working, at, FontManagerMode::OneGlyph);
  EXPECT_EQ(at, (CopyPositions{1, 255, 1, 100}));
}

TEST(FontManagerCopy, AllFontsSteppingMovesToTheNextFontsAtCode255) {
  CopyPositions at{3, 254, 3, 254};
  stepCopy(at, FontManagerMode::AllFonts);
  EXPECT_EQ(at, (CopyPositions{3, 255, 3, 255}));
  stepCopy(at, FontManagerMode::AllFonts);
  EXPECT_EQ(at, (CopyPositions{4, 32, 4, 32}));
  CopyPositions last{15, 255, 15, 255};
  stepCopy(last, FontManagerMode::AllFonts);
  EXPECT_EQ(last, (CopyPositions{15, 255, 15, 255}));
  CopyPositions whole{3, 255, 4, 40};
  stepCopy(whole, FontManagerMode::WholeFont);
  EXPECT_EQ(whole, (CopyPositions{3, 255, 4, 40}));
}

TEST(FontManagerCopy, AllFontsCopiesEveryLaterFontToItself) {
  FontTable source = markedFonts(), working;
  copyRest(source, working, CopyPositions{13, 250, 13, 250}, FontManagerMode::AllFonts);
  EXPECT_EQ(markOf(working, 13, 249), -1);
  EXPECT_EQ(markOf(working, 13, 250), 13250);
  EXPECT_EQ(markOf(working, 14, 32), 14032);
  EXPECT_EQ(markOf(working, 15, 255), 15255);
  EXPECT_EQ(markOf(working, 12, 255), -1);
}

TEST(FontManagerDelete, AllFromFont3Code100) {
  FontTable working = markedFonts();
  deleteRest(working, DeletePosition{3, 100}, FontManagerMode::AllFonts);
  EXPECT_EQ(markOf(working, 3, 99), 3099);
  EXPECT_EQ(markOf(working, 3, 100), -1);
  EXPECT_EQ(markOf(working, 3, 255), -1);
  EXPECT_EQ(markOf(working, 4, 32), -1);
  EXPECT_EQ(markOf(working, 15, 255), -1);
  EXPECT_EQ(markOf(working, 2, 255), 2255);
}

TEST(FontManagerDelete, YesAndStepping) {
  FontTable working = markedFonts();
  DeletePosition at{7, 254};
  deleteAndStep(working, at, FontManagerMode::AllFonts);
  EXPECT_EQ(markOf(working, 7, 254), -1);
  EXPECT_EQ(at, (DeletePosition{7, 255}));
  stepDelete(at, FontManagerMode::AllFonts);
  EXPECT_EQ(at, (DeletePosition{8, 32}));
  DeletePosition whole{8, 255};
  stepDelete(whole, FontManagerMode::WholeFont);
  EXPECT_EQ(whole, (DeletePosition{8, 255}));
}

TEST(FontManagerCopy, KeysAreNeverTouched) {
  // The operations take only font tables: nothing reaches a key table.
  PanelDatabase db;
  db.clearFonts(true);
  FontTable source = markedFonts();
  copyRest(source, db.fonts, CopyPositions{0, 32, 0, 32}, FontManagerMode::AllFonts);
  EXPECT_EQ(db.keyTable, DefaultKeyTable);
  EXPECT_EQ(db.fonts, source);
}

}  // namespace
}  // namespace dorvak
