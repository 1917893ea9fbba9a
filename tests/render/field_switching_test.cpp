// ESC "b" and "w" switch other fields and their choosers off; the first LF
// and the CR of a text without ESC "b" switch them on again by panel type.

#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

using Events = std::vector<std::string>;

class FieldSwitching : public RenderTest {
 protected:
  void SetUp() override {
    db.config.panelType = PanelType::LineDestinationStop;
    setField(FieldId::Line, {0, 9, 0, 9});
    setField(FieldId::Destination, {0, 9, 10, 29});
    setField(FieldId::Stop, {0, 4, 30, 39});
    renderer.setChoosers({true, true, true});
    observer.events.clear();
  }
  bool disabled(FieldId id) { return renderer.view(id).disabled; }
};

TEST_F(FieldSwitching, BlankOthersSwitchesTheOtherFieldsAndChoosersOffForGood) {
  step(FieldId::Line, esc('b') + "A\r");
  EXPECT_TRUE(line().blankOthers);
  EXPECT_FALSE(disabled(FieldId::Line));
  EXPECT_TRUE(disabled(FieldId::Destination));
  EXPECT_TRUE(disabled(FieldId::Stop));
  EXPECT_TRUE(renderer.chooserEnabled(FieldId::Line));
  EXPECT_FALSE(renderer.chooserEnabled(FieldId::Destination));
  EXPECT_FALSE(renderer.chooserEnabled(FieldId::Stop));
  // The text's own CR does not switch them on again.
  EXPECT_EQ(observer.events, (Events{"chooser 2 off", "chooser 3 off"}));
}

TEST_F(FieldSwitching, AnotherTextsFirstLfSwitchesThemOnAndRestartsTheirTexts) {
  renderer.startField(FieldId::Destination, "A\r", -1);
  step(FieldId::Line, esc('b') + "A\r");
  ASSERT_TRUE(disabled(FieldId::Destination));
  destination().textPos = 2;  // as if it had run
  invertRegion(renderer.pictures().compose(), renderer.view(FieldId::Destination).region());
  observer.events.clear();

  renderer.startField(FieldId::Line, "A\nB", -1);  // no CR: only the LF can do it
  renderer.renderStep(line());
  EXPECT_FALSE(disabled(FieldId::Destination));
  EXPECT_FALSE(disabled(FieldId::Stop));
  EXPECT_EQ(observer.events, (Events{"chooser 2 on", "chooser 3 on", "refresh"}));
  // Restarted: from the first byte, its rectangle cleared.
  EXPECT_EQ(destination().textPos, 1);
  EXPECT_EQ(composed(10, 29, 9, 9), Events{std::string(20, '.')});
}

TEST_F(FieldSwitching, WideDestinationKeepsTheStopOffUntilItIsRestarted) {
  step(FieldId::Destination, esc('w') + "A\r");
  EXPECT_TRUE(destination().wide);
  EXPECT_TRUE(disabled(FieldId::Stop));
  EXPECT_FALSE(renderer.chooserEnabled(FieldId::Stop));
  EXPECT_EQ(observer.events, (Events{"chooser 3 off", "refresh"}));

  step(FieldId::Line, "A\r");
  EXPECT_TRUE(disabled(FieldId::Stop)) << "not while the destination is wide";

  step(FieldId::Destination, "A\r");
  EXPECT_FALSE(destination().wide);
  EXPECT_FALSE(disabled(FieldId::Stop));
  EXPECT_TRUE(renderer.chooserEnabled(FieldId::Stop));
}

TEST_F(FieldSwitching, WideInALineTextStillMarksTheDestination) {
  step(FieldId::Line, esc('w') + "A\r");
  EXPECT_TRUE(destination().wide);
  EXPECT_FALSE(line().wide);
  EXPECT_TRUE(disabled(FieldId::Stop));
}

TEST_F(FieldSwitching, StopThatSwitchesTheDestinationOnKeepsItsOwnPage) {
  // Starting the destination restarts the stop; the stop's own step that
  // switched the destination on goes on with its text instead.
  destination().disabled = true;
  step(FieldId::Stop, "A\n" + shift(3) + "C\r");
  EXPECT_FALSE(disabled(FieldId::Destination));
  EXPECT_TRUE(stop().finished);
  EXPECT_EQ(composed(30, 39, 4, 0), (Events{"...###....", "...###....", "...###....", "..........", "....#....."}));
}

struct ReenableCase {
  std::uint8_t panelType;
  FieldId stepping;
  bool lineOn, destinationOn, stopOn;
};

void PrintTo(const ReenableCase& c, std::ostream* os) {
  *os << "panel type " << int(c.panelType) << ", field " << int(c.stepping) << " stepping";
}

class ReenableByPanelType : public FieldSwitching, public ::testing::WithParamInterface<ReenableCase> {};

TEST_P(ReenableByPanelType, OnlyFieldsThePanelHasComeBack) {
  const ReenableCase& c = GetParam();
  db.config.panelType = c.panelType;
  for (FieldId id : kAllFields) renderer.view(id).disabled = id != c.stepping;
  step(c.stepping, "A\r");
  EXPECT_EQ(!disabled(FieldId::Line), c.lineOn);
  EXPECT_EQ(!disabled(FieldId::Destination), c.destinationOn);
  EXPECT_EQ(!disabled(FieldId::Stop), c.stopOn);
}

INSTANTIATE_TEST_SUITE_P(Types, ReenableByPanelType,
                         ::testing::Values(ReenableCase{0, FieldId::Line, true, false, false},
                                           ReenableCase{1, FieldId::Destination, false, true, false},
                                           ReenableCase{2, FieldId::Destination, true, true, false},
                                           ReenableCase{3, FieldId::Destination, false, true, true},
                                           ReenableCase{4, FieldId::Destination, true, true, true},
                                           ReenableCase{4, FieldId::Line, true, true, true}),
                         [](const auto& info) {
                           return "Type" + std::to_string(info.param.panelType) + "Stepping" +
                                  std::to_string(static_cast<int>(info.param.stepping));
                         });

TEST_F(FieldSwitching, ChoosersOffAtOpenDisableTheirFields) {
  renderer.setChoosers({false, true, false});
  EXPECT_TRUE(disabled(FieldId::Line));
  EXPECT_FALSE(disabled(FieldId::Destination));
  EXPECT_TRUE(disabled(FieldId::Stop));
  EXPECT_EQ(observer.events, (Events{"chooser 1 off", "chooser 3 off"}));
}

}  // namespace
}  // namespace dorvak::test
