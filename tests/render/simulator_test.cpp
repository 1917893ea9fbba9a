// The panel simulator: stepping order and delays by panel type, publishing
// pages, repaints only where something changed, start and stop.

#include "render/panel_simulator.h"

#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

using Rows = std::vector<std::string>;

class Simulator : public RenderTest {
 protected:
  void SetUp() override {
    setField(FieldId::Line, {0, 9, 0, 9});
    setField(FieldId::Destination, {0, 9, 10, 29});
    setField(FieldId::Stop, {0, 4, 30, 39});
  }
  // Ticks 1..count at which the field stepped: right after its step the
  // countdown holds the full delay.
  std::vector<int> stepTicks(FieldId fieldId, int count) {
    std::vector<int> ticks;
    for (int t = 1; t <= count; ++t) {
      simulator.tick();
      if (renderer.view(fieldId).countdown == renderer.view(fieldId).delay) ticks.push_back(t);
    }
    return ticks;
  }
  Rows shown(int left, int right, int top, int bottom) const {
    return dots(renderer.pictures().shown(), left, right, top, bottom);
  }
  PanelSimulator simulator{renderer};
};

// Rows on the same shift: the first page (rows A and B) shows B, the second
// C, and the loop goes back to B.
std::string loopingPages() { return "A\nB\nC\v\r"; }
const Rows kB(3, ".........#..........");
const Rows kC{"....................", ".........#..........", "...................."};

TEST_F(Simulator, StepsFieldsInThePanelTypesOrder) {
  // Every text is too long for its field, so the warnings appear in the
  // order the fields step.
  const std::vector<std::pair<std::uint8_t, std::vector<std::string>>> cases = {
      {PanelType::Line, {"tooLong 1 on"}},
      {PanelType::Destination, {"tooLong 2 on"}},
      {PanelType::LineDestination, {"tooLong 2 on", "tooLong 1 on"}},
      {PanelType::DestinationStop, {"tooLong 2 on", "tooLong 3 on"}},
      {PanelType::LineDestinationStop, {"tooLong 2 on", "tooLong 3 on", "tooLong 1 on"}},
  };
  const std::string tooLong(8, 'A');
  for (const auto& [type, expected] : cases) {
    db.config.panelType = type;
    for (FieldId id : kAllFields) renderer.startField(id, tooLong + "\r", -1);
    observer.events.clear();
    simulator.start();
    simulator.tick();
    std::vector<std::string> warnings;
    for (const auto& e : observer.events)
      if (e.rfind("tooLong", 0) == 0) warnings.push_back(e);
    EXPECT_EQ(warnings, expected) << "panel type " << int(type);
  }
}

TEST_F(Simulator, EachFieldStepsAtItsOwnDelay) {
  // Panel type 2: the destination with delay 5 pages twice per line page.
  db.config.panelType = PanelType::LineDestination;
  db.config.lineStyle.delay = 10;
  db.config.destinationStyle.delay = 5;
  renderer.startField(FieldId::Line, loopingPages(), -1);
  renderer.startField(FieldId::Destination, loopingPages(), -1);
  simulator.start();
  std::vector<int> destinationTicks, lineTicks;
  for (int t = 1; t <= 25; ++t) {
    simulator.tick();
    if (destination().countdown == 5) destinationTicks.push_back(t);
    if (line().countdown == 10) lineTicks.push_back(t);
  }
  EXPECT_EQ(destinationTicks, (std::vector<int>{1, 6, 11, 16, 21}));
  EXPECT_EQ(lineTicks, (std::vector<int>{1, 11, 21}));
}

TEST_F(Simulator, DelayEscapeHoldsEveryPageForItsTicks) {
  renderer.startField(FieldId::Destination, esc('z', 20) + loopingPages(), -1);
  simulator.start();
  std::vector<int> changes;
  Rows before = shown(10, 29, 9, 7);
  for (int t = 1; t <= 61; ++t) {
    simulator.tick();
    Rows now = shown(10, 29, 9, 7);
    if (now != before) changes.push_back(t);
    before = now;
  }
  EXPECT_EQ(changes, (std::vector<int>{1, 21, 41, 61}));  // B, C, B, C
  EXPECT_EQ(before, kC);
}

TEST_F(Simulator, StaticPreviewStepsEveryTickUntilFinished) {
  destination().staticPreview = true;
  renderer.startField(FieldId::Destination, "A\n" + shift(3) + "B\n" + shift(6) + "C\r", 1);
  simulator.start();
  simulator.tick();
  EXPECT_EQ(destination().countdown, 1);
  EXPECT_FALSE(destination().finished);
  simulator.tick();
  EXPECT_TRUE(destination().finished);
  // Rows 0 and 1 are shown; row 2 (C) never was.
  EXPECT_EQ(shown(10, 29, 9, 1), (Rows{"........###.........", "........###.........", "........###.........",
                                       ".........#..........", ".........#..........", ".........#..........",
                                       "....................", "....................", "...................."}));
}

TEST_F(Simulator, PageIsPublishedOnlyOnceCompleteAndOnlyForEnabledFields) {
  renderer.startField(FieldId::Destination, "A", -1);  // never completes a page
  invertRegion(renderer.pictures().compose(), destination().region());
  simulator.start();
  simulator.tick();
  EXPECT_EQ(shown(10, 29, 9, 9), Rows{std::string(20, '.')});

  renderer.startField(FieldId::Destination, "A\r", -1);
  destination().disabled = true;
  destination().pageReady = true;
  invertRegion(renderer.pictures().compose(), destination().region());
  simulator.tick();
  EXPECT_EQ(shown(10, 29, 9, 9), Rows{std::string(20, '.')}) << "a disabled field is not published";
  destination().staticPreview = true;
  destination().countdown = 0;
  simulator.tick();
  EXPECT_EQ(shown(10, 29, 9, 9), Rows{std::string(20, '#')}) << "unless it is previewed still";
}

TEST_F(Simulator, StoppedSimulatorDoesNotAdvanceAndGoesOnWhereItStopped) {
  renderer.startField(FieldId::Destination, loopingPages(), -1);
  simulator.start();
  for (int t = 0; t < 5; ++t) simulator.tick();
  const Rows page = shown(10, 29, 9, 7);
  EXPECT_EQ(page, kB);
  const FieldView before = destination();
  simulator.stop();
  for (int t = 0; t < 50; ++t) EXPECT_FALSE(simulator.tick().repaint);
  EXPECT_EQ(destination().countdown, before.countdown);
  EXPECT_EQ(destination().textPos, before.textPos);
  EXPECT_EQ(shown(10, 29, 9, 7), page);
  simulator.start();
  EXPECT_EQ(stepTicks(FieldId::Destination, 10), (std::vector<int>{6}));
}

TEST_F(Simulator, RepaintsOnlyWhatChanged) {
  renderer.startField(FieldId::Destination, "A\r", -1);
  simulator.start();
  TickResult first = simulator.tick();
  EXPECT_TRUE(first.repaint);
  EXPECT_EQ(first.region, PictureRegion::whole()) << "creation asks for a whole repaint";

  // Nothing due: no repaint.
  for (int t = 0; t < 9; ++t) EXPECT_FALSE(simulator.tick().repaint) << t;
  // The finished field steps again but its page is the same.
  TickResult again = simulator.tick();
  EXPECT_EQ(destination().countdown, 10);
  EXPECT_FALSE(again.repaint);

  // A new page: only the changed rows of the field.
  renderer.startField(FieldId::Destination, "B\r", -1);
  TickResult changed = simulator.tick();
  EXPECT_TRUE(changed.repaint);
  EXPECT_EQ(changed.region, (PictureRegion{pictureRowOf(9), pictureRowOf(7), 10, 29}));

  simulator.requestRepaint();
  EXPECT_TRUE(simulator.repaintDue());
  TickResult whole = simulator.tick();
  EXPECT_EQ(whole.region, PictureRegion::whole());
  EXPECT_FALSE(simulator.repaintDue());
}

// An observer that calls back into the simulator while a tick runs.
class ReentrantObserver : public RecordingObserver {
 public:
  PanelSimulator* simulator = nullptr;
  void tooLongWarningChanged(FieldId fieldId, bool shown) override {
    RecordingObserver::tooLongWarningChanged(fieldId, shown);
    if (!shown) return;
    simulator->requestRepaint();
    nested = simulator->tick();
  }
  TickResult nested;
};

TEST_F(Simulator, TickArrivingDuringATickOnlyCountsDown) {
  ReentrantObserver reentrant;
  reentrant.simulator = &simulator;
  renderer.setObserver(&reentrant);
  db.config.panelType = PanelType::LineDestination;
  renderer.startField(FieldId::Line, "AAA\r", -1);  // too long for 10 columns
  renderer.startField(FieldId::Destination, "A\r", -1);
  simulator.start();
  simulator.tick();  // the first pages, and the whole repaint creation asked for
  renderer.startField(FieldId::Line, "AAA\r", -1);  // warning hidden; due at once
  destination().countdown = 3;
  TickResult outer = simulator.tick();
  EXPECT_EQ(reentrant.events, (std::vector<std::string>{"refresh", "tooLong 1 on", "refresh", "tooLong 1 off", "tooLong 1 on", "refresh"}));
  EXPECT_FALSE(reentrant.nested.repaint);
  EXPECT_EQ(destination().countdown, 1) << "counted down by both ticks";
  EXPECT_FALSE(outer.repaint) << "the request during the tick was ignored, and the page is the same";
}

}  // namespace
}  // namespace dorvak::test
