#pragma once
// PNG encoding of a painted panel picture, for dorvak-cli render.

#include <string>

#include "render/panel_paint.h"

namespace dorvak {

// The image as an 8-bit RGB PNG file's bytes. Throws DorvakError when the
// image cannot be encoded (an empty image, for one).
std::string encodePng(const RgbImage& image);

}  // namespace dorvak
