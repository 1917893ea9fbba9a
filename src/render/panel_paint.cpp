#include "render/panel_paint.h"

#include <algorithm>

namespace dorvak {

int dotSize(int panelLength) {
  if (panelLength <= 140) return 4;
  if (panelLength <= 196) return 3;
  return 2;
}

PanelSize paintedSize(const PanelConfig& config) {
  return {std::clamp<int>(config.length, 0, kPictureColumns), std::clamp<int>(config.height, 0, kPictureRows)};
}

Rgb RgbImage::at(int x, int y) const {
  auto i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
  return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

Rgb dotPixel(int size, bool lit, int x, int y) {
  if (size <= 2) return lit ? kLitDotColour : kDarkDotColour;
  bool separator = x == size - 1 || y == size - 1;
  if (!separator) return lit ? kLitDotColour : kDarkDotColour;
  return lit && size == 3 ? kDarkDotColour : kSeparatorColour;
}

namespace {

void paintCell(RgbImage& image, int size, bool lit, int column, int row) {
  for (int y = 0; y < size; ++y) {
    auto at = (static_cast<std::size_t>(row * size + y) * static_cast<std::size_t>(image.width) +
               static_cast<std::size_t>(column * size)) * 3;
    for (int x = 0; x < size; ++x) {
      Rgb colour = dotPixel(size, lit, x, y);
      image.pixels[at++] = colour.red;
      image.pixels[at++] = colour.green;
      image.pixels[at++] = colour.blue;
    }
  }
}

}  // namespace

RgbImage paintPanel(const Picture& shown, PanelSize size) { return paintPanel(shown, size, dotSize(size.length)); }

RgbImage paintPanel(const Picture& shown, PanelSize size, int dot) {
  RgbImage image;
  dot = std::max(dot, 1);
  image.width = size.length * dot;
  image.height = size.height * dot;
  image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
  paintCells(image, shown, size, PictureRegion::whole(), dot);
  return image;
}

void paintCells(RgbImage& image, const Picture& shown, PanelSize size, const PictureRegion& region) {
  paintCells(image, shown, size, region, dotSize(size.length));
}

void paintCells(RgbImage& image, const Picture& shown, PanelSize size, const PictureRegion& region, int dot) {
  if (dot < 1) return;
  if (image.width != size.length * dot || image.height != size.height * dot) return;
  // Panel row j (from the top) shows picture row firstRow + j.
  const int firstRow = kPictureRows - size.height;
  const int rowBegin = std::max(region.top, firstRow);
  const int rowEnd = std::min(region.bottom, kPictureRows - 1);
  const int columnEnd = std::min(region.right, size.length - 1);
  for (int r = rowBegin; r <= rowEnd; ++r)
    for (int i = std::max(region.left, 0); i <= columnEnd; ++i) paintCell(image, dot, shown[r][i] != 0, i, r - firstRow);
}

}  // namespace dorvak
