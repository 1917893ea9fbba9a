#include "render/panel_gif.h"

#include "core/error.h"
#include "core/messages.h"
#include "render/gif_file.h"

namespace dorvak {

namespace {

// A GIF frame's delay holds at most 65535 hundredths of a second.
constexpr int kMaxFrameTicks = 6553;

}  // namespace

std::string encodePanelGif(const std::vector<AnimationFrame>& frames, PanelSize size) {
  const int dot = dotSize(size.length);
  GifEncoder gif(size.length * dot, size.height * dot, {kDarkDotColour, kLitDotColour, kSeparatorColour});
  for (const AnimationFrame& frame : frames) {
    if (frame.ticks < 0 || frame.ticks > kMaxFrameTicks)
      throw DorvakError(std::string(msg::CannotEncodeGif) + "a frame of " + std::to_string(frame.ticks) +
                        " ticks (at most " + std::to_string(kMaxFrameTicks) + ")");
    gif.addFrame(paintPanel(frame.picture, size), frame.ticks * 10);
  }
  return gif.finish();
}

}  // namespace dorvak
