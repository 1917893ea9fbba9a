#include "render/panel_animation.h"

#include <algorithm>
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

}  // namespace

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
