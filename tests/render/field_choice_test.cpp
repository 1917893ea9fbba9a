// Choosing what the fields show: the first entries after an Open, a chosen
// number, and numbers that do not exist.

#include "render/field_choice.h"

#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

using Rows = std::vector<std::string>;

class FieldChoice : public RenderTest {
 protected:
  void SetUp() override {
    db.config.panelType = PanelType::LineDestinationStop;
    setField(FieldId::Line, {0, 9, 0, 9});
    setField(FieldId::Destination, {5, 9, 10, 29});
    setField(FieldId::Stop, {0, 4, 10, 29});
    db.fonts.glyph(0, '7') = glyphFromArt({"###", "..#", ".#."});
    db.fonts.glyph(0, '1') = glyphFromArt({"#", "#", "#"});
    db.lines.putEntry("0005", "A\r");
    db.lines.putEntry("0009", "B\r");
    db.destinations.putEntry("0003", "B\r");
    db.destinations.putEntry("XXXX", "C\r");
    db.stops.putEntry("0042", "A\r");
    renderer.setChoosers({true, true, true});
  }
  std::string text(FieldId id) { return renderer.view(id).text; }
};

TEST_F(FieldChoice, AfterOpenTheFirstEntryOfEachListWhoseChooserIsOnIsShown) {
  renderer.setChoosers({true, true, false});
  showFirstEntries(renderer);
  EXPECT_EQ(line().number, 5);
  EXPECT_EQ(text(FieldId::Line), "A\r");
  EXPECT_EQ(destination().number, 3);
  EXPECT_EQ(stop().number, -1) << "its chooser is off";
  EXPECT_EQ(text(FieldId::Stop), "\r");
}

TEST_F(FieldChoice, EmptyListLeavesItsFieldAlone) {
  db.lines.deleteAll();
  showFirstEntries(renderer);
  EXPECT_EQ(line().number, -1);
  EXPECT_EQ(text(FieldId::Line), "\r");
}

TEST_F(FieldChoice, ExistingNumbersShowTheirEntries) {
  EXPECT_TRUE(showNumber(renderer, FieldId::Line, 9).exists);
  EXPECT_EQ(text(FieldId::Line), "B\r");
  ChoiceResult start = showNumber(renderer, FieldId::Destination, 1000);
  EXPECT_TRUE(start.exists);
  EXPECT_TRUE(start.message.empty());
  EXPECT_EQ(destination().number, 1000);
  EXPECT_EQ(text(FieldId::Destination), "C\r");
}

TEST_F(FieldChoice, StartingDestinationIs10000InFourDigitMode) {
  db.config.commands.zC = 1;
  EXPECT_EQ(startingDestinationNumber(db), 10000);
  EXPECT_TRUE(showNumber(renderer, FieldId::Destination, 10000).exists);
  EXPECT_EQ(destination().number, 10000);
}

TEST_F(FieldChoice, LineThatDoesNotExistIsShownAsItsDigits) {
  ChoiceResult r = showNumber(renderer, FieldId::Line, 71);
  EXPECT_FALSE(r.exists);
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(text(FieldId::Line), "71\r");
  renderer.renderStep(line());
  // "7" and "1" centred in ten columns: 3 + 1 + 1 = 5 columns from column 2.
  EXPECT_EQ(composed(0, 9, 9, 7), (Rows{"..###.#...", "....#.#...", "...#..#..."}));

  showNumber(renderer, FieldId::Line, 0);
  EXPECT_EQ(text(FieldId::Line), "\r") << "line 0 shows nothing";
}

TEST_F(FieldChoice, MissingDestinationOrStopShowsNothingAndNamesItsKey) {
  showNumber(renderer, FieldId::Destination, 3);
  renderer.renderStep(destination());
  ChoiceResult d = showNumber(renderer, FieldId::Destination, 12);
  EXPECT_EQ(d.message, "Destination 012 don't exist");
  EXPECT_EQ(destination().number, -1);
  EXPECT_EQ(text(FieldId::Destination), "\r");
  EXPECT_EQ(composed(10, 29, 9, 5), Rows(5, std::string(20, '.'))) << "the old text is cleared";

  EXPECT_EQ(showNumber(renderer, FieldId::Stop, 43).message, "Stop 0043 don't exist");
  db.destinations.deleteEntry("XXXX");
  EXPECT_EQ(showNumber(renderer, FieldId::Destination, 1000).message, "Destination XXX don't exist");
  db.config.commands.zC = 1;
  EXPECT_EQ(showNumber(renderer, FieldId::Destination, 12).message, "Destination 0012 don't exist");
  EXPECT_EQ(showNumber(renderer, FieldId::Destination, 10000).message, "Destination XXXX don't exist");
}

TEST_F(FieldChoice, NumbersOutsideTheChoosersRangeAreRefused) {
  EXPECT_THROW(showNumber(renderer, FieldId::Line, 1000), std::out_of_range);
  EXPECT_THROW(showNumber(renderer, FieldId::Destination, 1001), std::out_of_range);
  EXPECT_THROW(showNumber(renderer, FieldId::Stop, -1), std::out_of_range);
}

}  // namespace
}  // namespace dorvak::test
