// ESC sequences: style, window bounds, inversion, rolls, start column,
// delay, and the letters that change nothing.

#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

using Rows = std::vector<std::string>;

class Escapes : public RenderTest {
 protected:
  void SetUp() override { setField(FieldId::Destination, {0, 9, 0, 19}); }
  Rows field(int top = 9, int bottom = 4) const { return composed(0, 19, top, bottom); }
};

struct StyleCase {
  const char* name;
  std::string escaped;  // the ESC form
  std::string plain;    // the control byte form
  Rows expected;        // rows 9..4 of columns 0..19
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

class EscapeStyle : public Escapes, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(EscapeStyle, EscFormAndControlByteGiveTheSamePicture) {
  step(FieldId::Destination, GetParam().escaped + "\r");
  Rows escaped = field();
  EXPECT_EQ(escaped, GetParam().expected);
  step(FieldId::Destination, GetParam().plain + "\r");
  EXPECT_EQ(field(), escaped);
}

const std::string kEmpty(20, '.');

INSTANTIATE_TEST_SUITE_P(
    Style, EscapeStyle,
    ::testing::Values(
        StyleCase{"Spacing", "A" + esc('"') + "B", "A" + spacing(2) + "B",
                  Rows{"......###..#........", "......###..#........", "......###..#........", kEmpty, kEmpty, kEmpty}},
        StyleCase{"Shift", esc('3') + "B", shift(3) + "B",
                  Rows{kEmpty, kEmpty, kEmpty, ".........#..........", ".........#..........", ".........#.........."}},
        StyleCase{"Font", esc('Q') + "A", font(1) + "A",
                  Rows{".........#..........", ".........#..........", ".........#..........", ".........#..........",
                       ".........#..........", kEmpty}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Escapes, LeftAndRightMakeANewWindowForTheRow) {
  step(FieldId::Destination, esc('l', 10) + esc('p', 15) + "B\r");
  // Centred in 10..15: from column 12.
  EXPECT_EQ(field(9, 9), Rows{"............#......."});
  EXPECT_EQ(destination().left, 10);
  EXPECT_EQ(destination().right, 15);
}

TEST_F(Escapes, TopMovesTheRowAndResetRestoresTheFieldRectangle) {
  step(FieldId::Destination, esc('h', 6) + "B" + byte(12) + esc('c') + shift(7) + "C\r");
  // B hangs from panel row 6; after ESC "c" the top is 9 again and C's dot
  // (its middle row at shift 7) lands on row 1.
  EXPECT_EQ(composed(9, 9, 9, 0), (Rows{".", ".", ".", "#", "#", "#", ".", ".", "#", "."}));
  EXPECT_EQ(destination().top, 9);
}

TEST_F(Escapes, ParameterValuesWrapLikeBytes) {
  step(FieldId::Destination, esc('d', -16) + esc('h', 40) + "\r");
  EXPECT_EQ(destination().bottom, 240);
  EXPECT_EQ(destination().top, 40);
}

TEST_F(Escapes, InvertSwitchesEveryDotOfTheWindowOnly) {
  setField(FieldId::Destination, {0, 3, 0, 4});
  step(FieldId::Destination, "A" + byte(12) + esc('i') + "\r");
  EXPECT_EQ(composed(0, 5, 3, 0), (Rows{"#...#.", "#...#.", "#...#.", "#####."}));
}

TEST_F(Escapes, BottomLimitsTheWindowThatIsInverted) {
  setField(FieldId::Destination, {0, 3, 0, 4});
  step(FieldId::Destination, esc('d', 2) + esc('i') + "\r");
  EXPECT_EQ(composed(0, 4, 3, 0), (Rows{"#####", "#####", ".....", "....."}));
}

class Rolls : public Escapes {
 protected:
  void SetUp() override {
    setField(FieldId::Destination, {0, 3, 0, 3});
    db.fonts.glyph(0, 'T') = glyphFromArt({"#.", "..", ".#"});
  }
  // T is centred at column 1: rows ".#..", "....", "..#.", "....".
};

TEST_F(Rolls, RowsRollUpAndTheTopRowGoesToTheBottom) {
  step(FieldId::Destination, "T" + byte(12) + esc('n') + "\r");
  EXPECT_EQ(composed(0, 3, 3, 0), (Rows{"....", "..#.", "....", ".#.."}));
}

TEST_F(Rolls, ColumnsRollLeftAndTheLeftColumnGoesToTheRightEdge) {
  step(FieldId::Destination, "T" + byte(12) + esc('r') + esc('r') + "\r");
  EXPECT_EQ(composed(0, 4, 3, 0), (Rows{"...#.", ".....", "#....", "....."}));
}

TEST_F(Escapes, LeftClearsTheShownColumnsOfAllRowsInStaticPreviewOnly) {
  auto litShownPicture = [&] {
    invertRegion(renderer.pictures().compose(), PictureRegion::whole());
    renderer.pictures().publish(PictureRegion::whole());
  };
  const Picture& shown = renderer.pictures().shown();
  litShownPicture();
  step(FieldId::Destination, esc('l', 4) + "\r");
  EXPECT_EQ(dots(shown, 0, 39, 9, 0), Rows(10, std::string(40, '#')));

  destination().staticPreview = true;
  step(FieldId::Destination, esc('l', 4) + "\r");
  // Columns 0..19 (the window before the change) of every picture row.
  EXPECT_EQ(dots(shown, 0, 39, 28, 0), Rows(29, std::string(20, '.') + std::string(20, '#')));
}

TEST_F(Escapes, StartColumnPlacesTheRowInPanelColumnsWithoutLeadingSpacing) {
  step(FieldId::Destination, spacing(3) + esc('s', 10) + "BB" + byte(12) + shift(3) + "B\r");
  EXPECT_EQ(field(), (Rows{"..........#....#....", "..........#....#....", "..........#....#....",
                           ".........#..........", ".........#..........", ".........#.........."}));
  EXPECT_FALSE(renderer.tooLongShown(FieldId::Destination));
}

TEST_F(Escapes, GlyphsBeforeAStartColumnKeepTheirBufferColumnsAsPanelColumns) {
  step(FieldId::Destination, "C" + esc('s', 10) + "C\r");
  EXPECT_EQ(field(8, 8), Rows{"#.........#........."});
}

TEST_F(Escapes, GlyphAtAnEarlierStartColumnOverwritesOnlyItsOwnColumns) {
  step(FieldId::Destination, "W" + esc('s', 0) + "B\r");
  EXPECT_EQ(field(9, 7), (Rows{"#.########..........", "#...................", "#..................."}));
}

TEST_F(Escapes, DelayTakesTheParameterAndNeverZero) {
  step(FieldId::Destination, esc('z', 20) + "\r");
  EXPECT_EQ(destination().delay, 20);
  step(FieldId::Destination, esc('z', 0) + "\r");
  EXPECT_EQ(destination().delay, 1);
}

TEST_F(Escapes, LettersWithoutEffectSkipTheirBytesOnly) {
  // "a" carries a parameter like "z"; "v" and unknown letters stand alone.
  step(FieldId::Destination, esc('a', 'A' - 16) + "B\r");
  EXPECT_EQ(field(9, 9), Rows{".........#.........."});
  for (char letter : {'v', 'q', '~'}) {
    step(FieldId::Destination, esc(letter) + "B\r");
    EXPECT_EQ(field(9, 9), Rows{".........#.........."}) << letter;
  }
}

}  // namespace
}  // namespace dorvak::test
