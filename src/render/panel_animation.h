#pragma once
// The panel as the simulator plays it over a span of ticks, as a sequence of
// pictures: one frame per change of what the panel shows, each with the
// number of ticks it stays. Animated exports paint and encode these frames;
// nothing here knows a file format.

#include <vector>

#include "render/panel_simulator.h"
#include "render/picture.h"

namespace dorvak {

struct AnimationFrame {
  Picture picture{};  // the shown picture
  int ticks = 0;      // how long it stays, in ticks of 100 ms
};

// Starts the simulator and runs it for `ticks` ticks from where it stands.
// The first frame is the picture after the first tick (what a render after
// one tick shows); a new frame begins after every tick that changes a
// visible dot (the panel's length x height; dots outside the panel do not
// count). Each frame lasts until the next one begins and the last one until
// the end of the span, so the frames' ticks add up to `ticks`; a panel that
// never changes gives one frame. No frames when `ticks` is below 1.
std::vector<AnimationFrame> playAnimation(PanelSimulator& simulator, int ticks);

// Starts the simulator and runs it until every field stands where it stood
// after the first tick, with the same pictures: the ticks of one loop of
// the whole panel, which an animation of that length repeats seamlessly.
// 0 when the panel does not come back within maxTicks.
int loopTicks(PanelSimulator& simulator, int maxTicks);

// The panel as a renderer shows it now: its fields' texts started afresh
// (with the choosers given) on renderers of their own, played for one loop,
// or for ticksWithoutLoop when there is none within maxTicks. The renderer
// itself is not touched.
std::vector<AnimationFrame> playPanelLoop(const PanelRenderer& shown, const ChooserState& choosers, int maxTicks,
                                          int ticksWithoutLoop);

}  // namespace dorvak
