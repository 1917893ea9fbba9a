// Rows and pages: LF, VT, FF and CR in animated and static preview, texts
// cut short, and the field start.

#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

using Rows = std::vector<std::string>;

class Interpreter : public RenderTest {
 protected:
  void SetUp() override { setField(FieldId::Destination, {0, 9, 0, 4}); }
  // The destination field's top six rows.
  Rows field() const { return composed(0, 4, 9, 4); }
};

// Glyphs at shift 0 use rows 9..7, at shift 3 rows 6..4.
const Rows kAAtTop{".###.", ".###.", ".###.", ".....", ".....", "....."};

TEST_F(Interpreter, AnimatedTextShowsTwoRowsThenOneRowPerPageAndLoopsThroughVt) {
  // "A", LF, "B", LF, "C", VT, CR with B and C three rows lower than A.
  renderer.startField(FieldId::Destination, "A\n" + shift(3) + "B\n" + shift(3) + "C\v\r", -1);
  FieldView& v = destination();

  renderer.renderStep(v);  // page 1: A and B together
  EXPECT_EQ(field(), (Rows{".###.", ".###.", ".###.", ".#...", ".#...", ".#..."}));
  EXPECT_TRUE(v.pageReady);
  EXPECT_FALSE(v.firstRow);
  EXPECT_EQ(v.loopPos, 3);  // just after the first LF
  int afterSecondLf = v.textPos;
  EXPECT_EQ(v.text[static_cast<std::size_t>(afterSecondLf - 2)], '\n');

  renderer.renderStep(v);  // page 2: C replaces B's rows
  EXPECT_EQ(field(), (Rows{".###.", ".###.", ".###.", ".....", "..#..", "....."}));
  EXPECT_EQ(v.textPos, v.loopPos);

  renderer.renderStep(v);  // page 3: back to B
  EXPECT_EQ(field()[4], ".#...");
  EXPECT_EQ(v.textPos, afterSecondLf);
  EXPECT_FALSE(v.finished);
}

TEST_F(Interpreter, VtBeforeAnyLfReturnsToTheTextsStart) {
  renderer.startField(FieldId::Destination, "A\vB\r", -1);
  renderer.renderStep(destination());
  EXPECT_EQ(field(), kAAtTop);
  EXPECT_EQ(destination().textPos, 1);
  renderer.renderStep(destination());
  EXPECT_EQ(field(), kAAtTop);
}

TEST_F(Interpreter, FfStartsANewRowInTheSamePageWithFreshRowState) {
  // The first row is placed at column 3 by ESC "s"; after FF the next row is
  // centred again and its first glyph gets no spacing.
  step(FieldId::Destination, esc('s', 3) + "C" + byte(12) + shift(3) + "B\r");
  EXPECT_EQ(field(), (Rows{".....", "...#.", ".....", ".#...", ".#...", ".#..."}));
  EXPECT_TRUE(destination().finished);
}

TEST_F(Interpreter, CrFinishesTheViewAndLaterStepsChangeNothing) {
  step(FieldId::Destination, "A\r");
  FieldView& v = destination();
  EXPECT_TRUE(v.finished);
  EXPECT_TRUE(v.pageReady);
  clearRegion(renderer.pictures().compose(), PictureRegion::whole());
  renderer.renderStep(v);
  EXPECT_EQ(field(), Rows(6, "....."));
}

TEST_F(Interpreter, BytesAfterTheCrAreNotPartOfTheText) {
  db.destinations.putEntry("0001", "A\rEKVIVALENT");
  ASSERT_TRUE(renderer.showEntry(FieldId::Destination, 0));
  EXPECT_EQ(destination().text, "A\r");
  EXPECT_EQ(destination().number, 1);
  EXPECT_FALSE(renderer.showEntry(FieldId::Destination, 1));
}

TEST_F(Interpreter, TextWithoutCrEndsTheStepWithoutShowingTheUnfinishedRow) {
  step(FieldId::Destination, "A");
  EXPECT_EQ(field(), Rows(6, "....."));
  EXPECT_FALSE(destination().finished);
  EXPECT_FALSE(destination().pageReady);
}

TEST_F(Interpreter, SequencesCutShortByTheTextsEndEndTheStep) {
  for (const std::string& text : {"A" + byte(27), "A" + byte(27) + "s", "A" + byte(27) + "z"}) {
    step(FieldId::Destination, text);
    EXPECT_FALSE(destination().finished);
    EXPECT_EQ(destination().textPos, static_cast<int>(text.size()) + 1);
    EXPECT_EQ(field(), Rows(6, "....."));
  }
}

TEST_F(Interpreter, StaticPreviewDrawsAllRowsAtTheirShiftsInOneStep) {
  destination().staticPreview = true;
  step(FieldId::Destination, "A\n" + shift(3) + "B\v\n" + shift(5) + "C\r");
  // VT is ignored in static preview; C, two rows lower than B, rewrites
  // B's last row.
  EXPECT_EQ(field(), (Rows{".###.", ".###.", ".###.", ".#...", ".#...", "....."}));
  EXPECT_EQ(composed(0, 4, 3, 3), Rows{"..#.."});
  EXPECT_TRUE(destination().finished);
}

TEST_F(Interpreter, StaticPreviewWithTargetRowZeroShowsOnlyTheFirstRow) {
  destination().staticPreview = true;
  step(FieldId::Destination, "A\n" + shift(3) + "B\r", 0);
  EXPECT_EQ(field(), kAAtTop);
  EXPECT_TRUE(destination().finished);
  EXPECT_TRUE(destination().pageReady);
}

TEST_F(Interpreter, StaticPreviewWithTargetRowStopsAfterThatRowAndFinishesNextStep) {
  destination().staticPreview = true;
  step(FieldId::Destination, "A\n" + shift(3) + "B\n" + font(1) + shift(0) + "A\r", 1);
  EXPECT_EQ(field(), (Rows{".###.", ".###.", ".###.", ".#...", ".#...", ".#..."}));
  EXPECT_EQ(destination().rowCount, 1);
  EXPECT_FALSE(destination().finished);
  // The font and shift in force after row 1 are the state shown.
  EXPECT_EQ(destination().rowShift, 3);
  renderer.renderStep(destination());
  EXPECT_TRUE(destination().finished);
  EXPECT_EQ(field(), (Rows{".###.", ".###.", ".###.", ".#...", ".#...", ".#..."}));
}

TEST_F(Interpreter, DisabledViewDoesNotStep) {
  renderer.startField(FieldId::Destination, "A\r", -1);
  destination().disabled = true;
  renderer.renderStep(destination());
  EXPECT_EQ(field(), Rows(6, "....."));
  EXPECT_EQ(destination().textPos, 1);
}

TEST_F(Interpreter, StartFieldTakesTheStyleAndBoundsAndClearsTheRectangle) {
  db.config.destinationStyle = {1, 4, 2, 7};
  step(FieldId::Destination, esc('l', 1) + "A\r");
  invertRegion(renderer.pictures().compose(), PictureRegion::whole());
  renderer.startField(FieldId::Destination, "A\r", 5);
  FieldView& v = destination();
  EXPECT_EQ(v.left, 0);
  EXPECT_EQ(v.right, 4);
  EXPECT_EQ(v.font, 1);
  EXPECT_EQ(v.spacing, 4);
  EXPECT_EQ(v.rowShift, 2);
  EXPECT_EQ(v.delay, 7);
  EXPECT_EQ(v.targetRow, 5);
  EXPECT_EQ(v.textPos, 1);
  EXPECT_FALSE(v.finished);
  EXPECT_EQ(composed(0, 4, 9, 0), Rows(10, "....."));
  EXPECT_EQ(composed(5, 6, 9, 9), Rows{"##"}) << "outside the field nothing is cleared";
}

TEST_F(Interpreter, StopFieldStartsOnlyOnPanelsWithStopsAndWithTheDestination) {
  db.config.panelType = PanelType::DestinationStop;
  setField(FieldId::Stop, {0, 4, 10, 14});
  renderer.startField(FieldId::Stop, "B\r", -1);
  renderer.renderStep(stop());
  ASSERT_TRUE(stop().finished);
  renderer.pictures().publish(PictureRegion::whole());
  // Restarting the destination restarts the stop with its text, at target
  // row 0, and clears the stop's rectangle in the shown picture too.
  renderer.startField(FieldId::Destination, "A\r", -1);
  EXPECT_FALSE(stop().finished);
  EXPECT_EQ(stop().targetRow, 0);
  EXPECT_EQ(stop().text, "B\r");
  EXPECT_EQ(dots(renderer.pictures().shown(), 10, 14, 4, 0), Rows(5, "....."));

  db.config.panelType = PanelType::LineDestination;
  renderer.startField(FieldId::Stop, "C\r", -1);
  EXPECT_EQ(stop().text, "B\r");
}

}  // namespace
}  // namespace dorvak::test
