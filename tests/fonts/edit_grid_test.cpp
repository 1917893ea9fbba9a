#include "fonts/edit_grid.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace dorvak {
namespace {

using namespace GridCell;

// Rows of the grid's top-left corner as text: "#" on, "." off, " " outside.
std::vector<std::string> picture(const EditGrid& grid, int rows, int columns) {
  std::vector<std::string> out;
  for (int r = 1; r <= rows; ++r) {
    std::string line;
    for (int c = 1; c <= columns; ++c) {
      std::uint8_t v = grid.shown(r, c);
      line += v == On ? '#' : v == Off ? '.' : ' ';
    }
    out.push_back(line);
  }
  return out;
}

EditGrid gridOf(const std::vector<std::string>& rows) {
  EditGrid grid;
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      grid.setCell(static_cast<int>(r + 1), static_cast<int>(c + 1),
                   rows[r][c] == '#' ? On : rows[r][c] == '.' ? Off : Outside);
  return grid;
}

TEST(GridEncoding, BoundingBoxAndByteCount) {
  EditGrid grid = gridOf({"#..", "...", "...", "...", "...", "...", "...", "...", "..#"});
  GlyphRecord g = grid.encode();
  EXPECT_EQ(g.height, 9);
  EXPECT_EQ(g.byteCount, 6) << "three columns of two bytes";
  EXPECT_EQ(g.bitmap[0], 0x80);
  EXPECT_EQ(g.bitmap[1], 0x00);
  EXPECT_EQ(g.bitmap[5], 0x80) << "the ninth row in the top bit of the column's second byte";
  EditGrid empty;
  EXPECT_EQ(empty.encode().byteCount, 0);
}

TEST(GridEncoding, OutsideCellsInsideTheBoxAreOffDots) {
  EditGrid grid = gridOf({"#  ", "  #"});
  GlyphRecord g = grid.encode();
  EXPECT_EQ(g.height, 2);
  EXPECT_EQ(glyphColumns(g), 3);
  grid.normalize();
  EXPECT_EQ(picture(grid, 3, 4), (std::vector<std::string>{"#.. ", "..# ", "    "}));
}

TEST(GridLoading, GlyphsShowInTheirBoxAndTooLargeOnesAreFlagged) {
  EditGrid grid;
  EXPECT_FALSE(grid.load(test::makeGlyph(3, 9, 1)));
  EXPECT_EQ(grid.encode(), test::makeGlyph(3, 9, 1));
  EXPECT_EQ(grid.shown(10, 1), Outside);
  EXPECT_EQ(grid.shown(1, 4), Outside);
  EXPECT_TRUE(grid.load(test::makeGlyph(2, 29, 0))) << "taller than 28";
  EXPECT_TRUE(grid.load(test::makeGlyph(29, 8, 0))) << "29 columns";
  EXPECT_FALSE(grid.load(test::makeGlyph(28, 28, 0)));
}

TEST(GridShifts, WholeGlyphMovesWithItsBox) {
  EditGrid grid = gridOf({"#.", ".#"});
  grid.shift(GridShift::Down, false);
  EXPECT_EQ(picture(grid, 4, 3), (std::vector<std::string>{".. ", "#. ", ".# ", "   "}));
  grid.shift(GridShift::Right, false);
  EXPECT_EQ(picture(grid, 4, 4), (std::vector<std::string>{"... ", ".#. ", "..# ", "    "}))
      << "the new column is off within the glyph's height";
  grid.shift(GridShift::Up, false);
  EXPECT_EQ(picture(grid, 3, 4), (std::vector<std::string>{".#. ", "..# ", "    "}));
  grid.shift(GridShift::Left, false);
  EXPECT_EQ(picture(grid, 3, 4), (std::vector<std::string>{"#.  ", ".#  ", "    "}))
      << "the old last column becomes outside";
}

TEST(GridShifts, WithShiftTheContentScrollsInsideTheBox) {
  EditGrid grid = gridOf({"#..", "...", "..#"});
  grid.shift(GridShift::Up, true);
  EXPECT_EQ(picture(grid, 3, 3), (std::vector<std::string>{"...", "..#", "..."}));
  grid.shift(GridShift::Right, true);
  EXPECT_EQ(picture(grid, 3, 3), (std::vector<std::string>{"...", "...", "..."})) << "the right column scrolls out";
  grid = gridOf({"#..", "...", "..#"});
  grid.shift(GridShift::Down, true);
  EXPECT_EQ(picture(grid, 3, 3), (std::vector<std::string>{"...", "#..", "..."}));
  grid.shift(GridShift::Left, true);
  EXPECT_EQ(picture(grid, 3, 3), (std::vector<std::string>{"...", "...", "..."}));
}

TEST(GridDrawing, ClicksToggleDots) {
  EditGrid grid = gridOf({"..", ".."});
  grid.press(1, 1);
  grid.release(1, 1, MouseButton::Left, false);
  EXPECT_EQ(grid.cell(1, 1), On);
  grid.press(1, 1);
  grid.release(1, 1, MouseButton::Left, false);
  EXPECT_EQ(grid.cell(1, 1), Off);
  grid.press(2, 2);
  grid.release(2, 2, MouseButton::Right, false);
  EXPECT_EQ(grid.cell(2, 2), On) << "right on an off dot turns it on";
  grid.press(5, 5);
  grid.release(5, 5, MouseButton::Right, false);
  EXPECT_EQ(grid.cell(5, 5), Off) << "outside becomes off";
  grid.press(1, 2);
  grid.release(1, 2, MouseButton::Left, true);
  EXPECT_EQ(grid.cell(1, 2), Outside);
}

TEST(GridDrawing, DragsDrawARubberBandLine) {
  EditGrid grid;
  grid.press(1, 1);
  grid.drag(5, 9, PendingOn);
  grid.drag(3, 5, PendingOn);  // the band follows the mouse back
  EXPECT_EQ(grid.shown(3, 5), On);
  EXPECT_EQ(grid.shown(5, 9), Outside) << "the earlier band is gone";
  grid.release(3, 5, MouseButton::Left, false);
  // From (1,1) to (3,5): four steps of half a row and a column; the rows
  // 1.5 and 2.5 both round to the even 2.
  EXPECT_EQ(picture(grid, 3, 5), (std::vector<std::string>{"#    ", " ### ", "    #"}));
  for (int r = 0; r < kGridSize; ++r)
    for (int c = 0; c < kGridSize; ++c) EXPECT_EQ(grid.cell(r, c) & PendingMarks, 0);
  // After the release a drag without a new press draws nothing.
  grid.drag(9, 9, PendingOn);
  EXPECT_EQ(grid.shown(9, 9), Outside);
}

TEST(GridStoring, GlyphKeyAndControlCodes) {
  PanelDatabase db;
  db.clearFonts(true);
  EditGrid grid = gridOf({"#"});
  EXPECT_FALSE(storeGlyph(db, grid, 0, 200, "x").stored) << "a control code";
  GlyphStoreResult stored = storeGlyph(db, grid, 2, 128, "\xA7");
  EXPECT_TRUE(stored.stored);
  EXPECT_EQ(stored.message, std::nullopt);
  EXPECT_EQ(db.fonts.glyph(2, 128).byteCount, 1);
  EXPECT_EQ(db.keyTable[128], 0xA7);
  GlyphStoreResult taken = storeGlyph(db, grid, 2, 129, "A");
  EXPECT_EQ(taken.message, "Another code is already assigned to key A");
  EXPECT_EQ(db.keyTable[129], DefaultKeyTable[129]) << "the key stays";
  EXPECT_TRUE(db.fonts.glyph(2, 129).exists()) << "the glyph is stored all the same";
  EXPECT_EQ(storeGlyph(db, grid, 2, 130, "\xFC").message, "Another code is already assigned to key \xC3\xBC")
      << "Windows-1250 key, UTF-8 message";
  storeGlyph(db, grid, 2, 128, " ");
  EXPECT_EQ(db.keyTable[128], 0);
  EditGrid empty;
  storeGlyph(db, empty, 2, 128, "");
  EXPECT_FALSE(db.fonts.glyph(2, 128).exists()) << "an empty grid deletes the glyph";
}

TEST(GridDeleting, KeysGoWithTheLastGlyphOfACode) {
  PanelDatabase db;
  db.clearFonts(true);
  db.fonts.glyph(0, 'A') = test::makeGlyph(2, 2, 0);
  db.fonts.glyph(1, 'A') = test::makeGlyph(2, 2, 0);
  db.fonts.glyph(1, 'B') = test::makeGlyph(2, 2, 0);
  db.fonts.glyph(1, 20) = test::makeGlyph(2, 2, 0);
  EXPECT_EQ(countGlyphs(db.fonts, 1), 2) << "codes below 32 do not count";
  deleteGlyph(db, 0, 'A');
  EXPECT_EQ(countGlyphs(db.fonts, 0), 0);
  EXPECT_EQ(db.keyTable['A'], 'A') << "font 1 still has A";
  EXPECT_EQ(db.keyTable['C'], 0) << "no glyph for C anywhere";
  deleteCodeInAllFonts(db, 'A');
  EXPECT_EQ(db.keyTable['A'], 0);
  EXPECT_EQ(db.keyTable['B'], 'B');
  deleteFont(db, 1);
  EXPECT_EQ(db.keyTable['B'], 0);
  db.keyTable['Q'] = 'Q';
  deleteAllFonts(db);
  EXPECT_EQ(db.keyTable, KeyTable{});
  EXPECT_EQ(deleteGlyphQuestion(3, 65), "Really delete font [f3 #65] ?");
  EXPECT_EQ(deleteCodeQuestion(65), "Really delete all for character code [#65] ?");
  EXPECT_EQ(deleteFontQuestion(3), "Really delete all for font [f3] ?");
}

TEST(GlyphCodes, SteppingPassesOverControlCodes) {
  EXPECT_EQ(stepGlyphCode(175, +1), 240);
  EXPECT_EQ(stepGlyphCode(240, -1), 175);
  EXPECT_EQ(stepGlyphCode(255, +1), 255);
  EXPECT_EQ(stepGlyphCode(32, -1), 32);
  EXPECT_EQ(stepGlyphCode(65, +1), 66);
}

}  // namespace
}  // namespace dorvak
