// The panel played over a span of ticks: one frame per visible change, each
// lasting until the next, the last until the end of the span.

#include "render/panel_animation.h"

#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

using Rows = std::vector<std::string>;

class Animation : public RenderTest {
 protected:
  std::vector<AnimationFrame> play(const std::string& text, int ticks) {
    renderer.startField(FieldId::Destination, text, -1);
    return playAnimation(simulator, ticks);
  }
  static std::vector<int> ticksOf(const std::vector<AnimationFrame>& frames) {
    std::vector<int> ticks;
    for (const auto& f : frames) ticks.push_back(f.ticks);
    return ticks;
  }
  PanelSimulator simulator{renderer};
};

// "A" and "B" on the same rows make the first page (B over A), then "C",
// then the VT goes back to "B".
const std::string kPaging = "A\nB\nC\v\r";
const Rows kB(3, std::string(19, '.') + "#" + std::string(20, '.'));
const Rows kC{std::string(40, '.'), std::string(19, '.') + "#" + std::string(20, '.'), std::string(40, '.')};

TEST_F(Animation, ALoopOfThePanelEndsWhereTheFirstTickLeftIt) {
  renderer.startField(FieldId::Destination, kPaging, -1);
  // B, C, then B again: the panel is back after two pages of 10 ticks.
  EXPECT_EQ(loopTicks(simulator, 100), 20);
  renderer.startField(FieldId::Destination, kPaging, -1);
  EXPECT_EQ(loopTicks(simulator, 19), 0) << "not within 19 ticks";
  // A text that has ended still counts its delay down between steps.
  renderer.startField(FieldId::Destination, "A\r", -1);
  EXPECT_EQ(loopTicks(simulator, 100), 10);
}

TEST_F(Animation, ThePanelAsShownPlaysOneLoopAndStaysUntouched) {
  renderer.startField(FieldId::Destination, kPaging, -1);
  simulator.start();
  simulator.tick();
  const FieldView before = renderer.view(FieldId::Destination);
  std::vector<AnimationFrame> loop = playPanelLoop(renderer, {true, true, false}, 100, 50);
  EXPECT_EQ(ticksOf(loop), (std::vector<int>{10, 10}));
  EXPECT_EQ(dots(loop[0].picture, 0, 39, 9, 7), kB);
  EXPECT_EQ(renderer.view(FieldId::Destination), before);
  // Without a loop within the limit, the fixed span.
  EXPECT_EQ(ticksOf(playPanelLoop(renderer, {true, true, false}, 5, 7)), (std::vector<int>{7}));
}

TEST_F(Animation, OneFramePerPageEachLastingItsDelay) {
  std::vector<AnimationFrame> frames = play(kPaging, 35);
  EXPECT_EQ(ticksOf(frames), (std::vector<int>{10, 10, 10, 5})) << "the last frame runs to the end of the span";
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(dots(frames[0].picture, 0, 39, 9, 7), kB) << "the first frame is the picture after the first tick";
  EXPECT_EQ(dots(frames[1].picture, 0, 39, 9, 7), kC);
  EXPECT_EQ(frames[2].picture, frames[0].picture);
  EXPECT_EQ(frames[3].picture, frames[1].picture);
}

TEST_F(Animation, FrameCountFollowsTheTextsDelaysAndChanges) {
  const struct {
    std::string text;
    int ticks;
    std::vector<int> frames;
  } cases[] = {
      {"A\r", 50, {50}},                              // nothing changes after the first page
      {kPaging, 1, {1}},
      {kPaging, 10, {10}},
      {kPaging, 11, {10, 1}},
      {"\x1bz$" + kPaging, 45, {20, 20, 5}},          // ESC "z" 36: pages of 20 ticks
      {kPaging, 0, {}},
  };
  for (const auto& c : cases) {
    PanelRenderer fresh{db};
    PanelSimulator played{fresh};
    fresh.startField(FieldId::Destination, c.text, -1);
    EXPECT_EQ(ticksOf(playAnimation(played, c.ticks)), c.frames) << c.ticks << " ticks of " << c.text;
  }
}

TEST_F(Animation, ChangesOutsideThePanelMakeNoFrames) {
  // The field lies right of the panel's 40 columns: its pages change the
  // shown picture but not a dot the panel has.
  setField(FieldId::Destination, {0, 9, 40, 79});
  std::vector<AnimationFrame> frames = play(kPaging, 35);
  EXPECT_EQ(ticksOf(frames), std::vector<int>{35});
  EXPECT_EQ(dots(simulator.renderer().pictures().shown(), 40, 79, 9, 7), kC) << "the field did page";
}

}  // namespace
}  // namespace dorvak::test
