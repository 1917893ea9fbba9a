#include "render/panel_animation.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "render/panel_paint.h"

namespace dorvak {

namespace {

// Whether the two pictures differ on the panel: its bottom `height` picture
// rows, columns 0..length - 1.
bool visiblyDifferent(const Picture& a, const Picture& b, PanelSize size) {
  const auto columns = static_cast<std::ptrdiff_t>(size.length);
  for (int r = kPictureRows - size.height; r < kPictureRows; ++r) {
    const auto row = static_cast<std::size_t>(r);
    if (!std::equal(a[row].begin(), a[row].begin() + columns, b[row].begin())) return true;
  }
  return false;
}

// Everything the next ticks depend on.
struct PanelState {
  std::array<FieldView, kFieldCount> views;
  std::array<bool, kFieldCount> choosers{};
  Picture shown{};
  Picture compose{};
  bool operator==(const PanelState&) const = default;

  static PanelState of(const PanelRenderer& renderer) {
    PanelState state;
    for (FieldId id : kAllFields) {
      state.views[fieldIndex(id)] = renderer.view(id);
      state.choosers[fieldIndex(id)] = renderer.chooserEnabled(id);
    }
    state.shown = renderer.pictures().shown();
    state.compose = renderer.pictures().compose();
    return state;
  }
};

}  // namespace

int loopTicks(PanelSimulator& simulator, int maxTicks) {
  const PanelRenderer& renderer = simulator.renderer();
  simulator.start();
  simulator.tick();
  const PanelState first = PanelState::of(renderer);
  for (int t = 1; t <= maxTicks; ++t) {
    simulator.tick();
    if (PanelState::of(renderer) == first) return t;
  }
  return 0;
}

std::vector<AnimationFrame> playPanelLoop(const PanelRenderer& shown, const ChooserState& choosers, int maxTicks,
                                          int ticksWithoutLoop) {
  const auto play = [&](auto&& run) {
    PanelRenderer renderer(shown.database());
    PanelSimulator simulator(renderer);
    renderer.setChoosers(choosers);
    for (FieldId id : kAllFields) renderer.startField(id, shown.view(id).text, -1);
    return run(simulator);
  };
  int ticks = play([&](PanelSimulator& simulator) { return loopTicks(simulator, maxTicks); });
  if (ticks == 0) ticks = ticksWithoutLoop;
  return play([&](PanelSimulator& simulator) { return playAnimation(simulator, ticks); });
}

std::vector<AnimationFrame> playAnimation(PanelSimulator& simulator, int ticks) {
  std::vector<AnimationFrame> frames;
  if (ticks < 1) return frames;
  const PanelRenderer& renderer = simulator.renderer();
  const PanelSize size = paintedSize(renderer.database().config);
  const Picture& shown = renderer.pictures().shown();

  simulator.start();
  simulator.tick();
  frames.push_back({shown, 1});
  for (int t = 2; t <= ticks; ++t) {
    simulator.tick();
    if (visiblyDifferent(frames.back().picture, shown, size))
      frames.push_back({shown, 1});
    else
      ++frames.back().ticks;
  }
  return frames;
}

}  // namespace dorvak
