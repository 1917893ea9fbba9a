#pragma once
// The panel's animation as a GIF file: every frame painted as the main
// window paints the panel (dot size, colours, separating lines), shown for
// its ticks of 100 ms (10 hundredths of a second each), looping forever.

#include <string>
#include <vector>

#include "render/panel_animation.h"
#include "render/panel_paint.h"

namespace dorvak {

// The GIF file's bytes; its colour table holds the dark dot, the lit dot and
// the separating line. Throws DorvakError for no frames, an empty panel or a
// frame longer than a GIF frame can last (6553 ticks).
std::string encodePanelGif(const std::vector<AnimationFrame>& frames, PanelSize size);

}  // namespace dorvak
