// Where a row lands: centring, explicit start columns, spacing, row shifts,
// clipping at the picture's edges, and the too-long warning.

#include "render/render_fixture.h"
#include "render/render_messages.h"

namespace dorvak::test {
namespace {

using Rows = std::vector<std::string>;

class Placement : public RenderTest {};

TEST_F(Placement, TenColumnRowInTwentyEightColumnFieldStartsAtColumn37) {
  db.config.length = 112;
  setField(FieldId::Destination, {0, 9, 28, 55});
  step(FieldId::Destination, "W\r");
  // 28 + (28 - 10) div 2 = 37; the rest of the field's row is dark.
  EXPECT_EQ(composed(28, 55, 9, 9), Rows{"........." "##########" "........."});
  EXPECT_FALSE(renderer.tooLongShown(FieldId::Destination));
}

TEST_F(Placement, OddRemainderLeavesTheExtraColumnOnTheRight) {
  setField(FieldId::Destination, {0, 9, 10, 14});
  step(FieldId::Destination, "B\r");
  EXPECT_EQ(composed(10, 14, 9, 9), Rows{".#..."});
}

TEST_F(Placement, CodesFrom240UpAreGlyphsNotShifts) {
  for (int f = 0; f < kFontCount; ++f) db.fonts.glyph(f, 250) = db.fonts.glyph(f, 'B');
  setField(FieldId::Destination, {0, 9, 10, 14});
  step(FieldId::Destination, byte(250) + "\r");
  EXPECT_EQ(composed(10, 14, 9, 9), Rows{".#..."}) << "drawn like B, at the field's top";
}

TEST_F(Placement, SpacingGoesBetweenGlyphsButNotBeforeTheFirst) {
  setField(FieldId::Destination, {0, 9, 0, 9});
  step(FieldId::Destination, spacing(2) + "AB\r");
  EXPECT_EQ(composed(0, 9, 9, 9), Rows{".###..#..."});
  step(FieldId::Destination, spacing(0) + "ABA\r");
  EXPECT_EQ(composed(0, 9, 9, 9), Rows{".####.###."}) << "spacing 0: B's dark column is the only gap";
}

TEST_F(Placement, RowShiftPlacesTheRowBelowTheFieldTop) {
  setField(FieldId::Destination, {0, 7, 0, 4});
  step(FieldId::Destination, shift(2) + "B\r");
  EXPECT_EQ(composed(0, 4, 7, 3), (Rows{".....", ".....", ".#...", ".#...", ".#..."}));
}

TEST_F(Placement, RowOverwritesOnlyTheRowsItUses) {
  setField(FieldId::Destination, {0, 9, 0, 4});
  // A at the top, B five rows lower, then C at the top again: C rewrites A's
  // rows across the whole field and leaves B's alone.
  step(FieldId::Destination, "A\f" + shift(5) + "B\f" + shift(0) + "C\r");
  EXPECT_EQ(composed(0, 4, 9, 2),
            (Rows{".....", "..#..", ".....", ".....", ".....", ".#...", ".#...", ".#..."}));
}

TEST_F(Placement, GlyphWithoutColumnsOnlyLowersTheTopRowUsed) {
  setField(FieldId::Destination, {0, 9, 0, 4});
  db.fonts.glyph(0, 'E') = GlyphRecord{};  // no glyph
  GlyphRecord& narrow = db.fonts.glyph(0, 'N');
  narrow.height = 20;  // three bytes per column
  narrow.byteCount = 2;  // ... and so no column
  renderer.startField(FieldId::Destination, shift(1) + "EN" + shift(5) + "B\r", -1);
  clearRegion(renderer.pictures().compose(), PictureRegion::whole());
  invertRegion(renderer.pictures().compose(), PictureRegion::whole());  // all lit
  renderer.renderStep(destination());
  // Rows 1..7 (shift 1 down to B's last row) are rewritten; row 0 and the
  // rows below B keep their dots. B is centred alone: no spacing was added.
  EXPECT_EQ(composed(0, 4, 9, 1), (Rows{"#####", ".....", ".....", ".....", ".....", ".#...", ".#...", ".#...", "#####"}));
}

TEST_F(Placement, WiderRowStartsAtTheLeftEdgeIsCutAtTheRightAndWarns) {
  setField(FieldId::Destination, {0, 9, 4, 9});
  step(FieldId::Destination, "AAA\r");  // 11 columns in 6
  EXPECT_EQ(composed(0, 12, 9, 9), Rows{"....###.##..."});
  EXPECT_TRUE(renderer.tooLongShown(FieldId::Destination));
  EXPECT_EQ(observer.events.front(), "tooLong 2 on");
  EXPECT_EQ(msg::tooLongWarning(FieldId::Destination), "Destination:  Too long text !");
}

TEST_F(Placement, RowThatJustFitsGivesNoWarningAndRestartHidesAWarning) {
  setField(FieldId::Line, {0, 9, 4, 9});
  step(FieldId::Line, "AB\r");  // 3 + 1 + 2 = 6 columns in 6
  EXPECT_FALSE(renderer.tooLongShown(FieldId::Line));
  step(FieldId::Line, "ABB\r");
  EXPECT_TRUE(renderer.tooLongShown(FieldId::Line));
  renderer.startField(FieldId::Line, "A\r", -1);
  EXPECT_FALSE(renderer.tooLongShown(FieldId::Line));
  EXPECT_EQ(observer.events, (std::vector<std::string>{"refresh", "tooLong 1 on", "refresh", "tooLong 1 off"}));
}

TEST_F(Placement, WithoutCentringTheRoomReachesFromPanelColumnZero) {
  // ESC "s" rows are measured in panel columns: a row ending at column 9 of a
  // field 4..9 fits.
  setField(FieldId::Destination, {0, 9, 4, 9});
  step(FieldId::Destination, esc('s', 4) + "AB\r");
  EXPECT_FALSE(renderer.tooLongShown(FieldId::Destination));
  EXPECT_EQ(composed(0, 12, 9, 9), Rows{"....###.#...."});
}

TEST_F(Placement, AFieldWidenedByAnEditorsBlockCentresInItsNewColumns) {
  setField(FieldId::Stop, {0, 9, 20, 29});
  db.config.panelType = PanelType::DestinationStop;
  renderer.startField(FieldId::Stop, "B\r", -1);
  clearRegion(renderer.pictures().compose(), PictureRegion::whole());
  invertRegion(renderer.pictures().compose(), PictureRegion::whole());  // all lit
  renderer.setFieldColumns(FieldId::Stop, 0, 29);
  EXPECT_EQ(composed(0, 29, 9, 9), Rows{std::string(30, '.')}) << "the new columns are cleared";
  renderer.renderStep(stop());
  EXPECT_EQ(composed(14, 15, 9, 9), Rows{"#."}) << "centred in 0..29";
  renderer.startField(FieldId::Stop, "B\r", -1);
  EXPECT_EQ(stop().left, 20) << "a new start takes the field's columns again";
}

TEST_F(Placement, GlyphOfHeightNineAtShift25LosesItsRowsBelowThePicture) {
  db.config.height = 29;
  setField(FieldId::Destination, {0, 28, 0, 4});
  db.fonts.glyph(0, 'T') = glyphFromArt({"#", "#", "#", "#", "#", "#", "#", "#", "#"});
  step(FieldId::Destination, shift(25) + "T\r");
  // Buffer rows 25..28 land on panel rows 3..0; rows 29..33 are dropped.
  EXPECT_EQ(composed(2, 2, 4, 0), (Rows{".", "#", "#", "#", "#"}));
}

TEST_F(Placement, GlyphsTallerThanEightRowsKeepTheirDotOrder) {
  // Two bytes per column; the rows of the second byte must follow the first.
  db.fonts.glyph(0, 'Z') = glyphFromArt({"#...........", ".#..........", "..#.........", "...#........",
                                         "....#.......", ".....#......", "......#.....", ".......#....",
                                         "........#...", ".........#..", "..........#.", "...........#"});
  db.config.height = 12;
  setField(FieldId::Destination, {0, 11, 0, 11});
  step(FieldId::Destination, "Z\r");
  EXPECT_EQ(composed(0, 11, 11, 0),
            (Rows{"#...........", ".#..........", "..#.........", "...#........", "....#.......", ".....#......",
                  "......#.....", ".......#....", "........#...", ".........#..", "..........#.", "...........#"}));
}

TEST_F(Placement, DamagedGlyphsAndBoundsStayInsideThePictures) {
  // A glyph of height 255 (32 bytes per column, 7 columns), a field reaching
  // past the panel's last column and row, and a start column left of 0.
  GlyphRecord& huge = db.fonts.glyph(0, 'H');
  huge.height = 255;
  huge.byteCount = 255;
  huge.bitmap.fill(0xFF);
  setField(FieldId::Destination, {200, 255, 220, 255});
  step(FieldId::Destination, shift(31) + "H" + shift(0) + "HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH\n" + esc('s', -16) + "H\r");
  EXPECT_TRUE(destination().finished);
  // The field's top row 255 lies above the picture: nothing was composed.
  EXPECT_EQ(composed(0, 223, 28, 0), Rows(29, std::string(224, '.')));

  setField(FieldId::Destination, {0, 28, 220, 255});
  step(FieldId::Destination, esc('s', -16) + "H\r");
  // The glyph started at column -16 and covered only -16..-10: dropped.
  EXPECT_EQ(composed(216, 223, 28, 0), Rows(29, "........"));
  setField(FieldId::Destination, {0, 28, 210, 240});
  step(FieldId::Destination, "H\r");
  // Centred from column 222 (210 + (31 - 7) div 2): two columns are on the
  // panel, all 29 rows of them.
  EXPECT_EQ(composed(216, 223, 28, 0), Rows(29, "......##"));
}

}  // namespace
}  // namespace dorvak::test
