#pragma once
// The panel picture as the main window paints it: every panel dot is a
// square cell of 4, 3 or 2 pixels by the panel's length. A lit dot is
// yellow, a dark dot black; at 3 and 4 pixels the cell's last column and
// last row are a grey separating line, except around a lit 3-pixel dot,
// where the line is black.

#include <cstdint>
#include <vector>

#include "render/picture.h"

namespace dorvak {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kLitDotColour{255, 255, 0};
inline constexpr Rgb kDarkDotColour{0, 0, 0};
inline constexpr Rgb kSeparatorColour{128, 128, 128};

// Pixels per panel dot: 4 up to 140 columns, 3 up to 196, else 2.
int dotSize(int panelLength);

// The panel's size in dots as the pictures hold it.
struct PanelSize {
  int length = 0;  // columns
  int height = 0;  // rows
};
PanelSize paintedSize(const PanelConfig& config);

// Row-major RGB pixels, three bytes each.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  Rgb at(int x, int y) const;
};

// The colour of pixel (x, y) of a cell of the given size.
Rgb dotPixel(int dotSize, bool lit, int x, int y);

// The whole panel: cell (i, j) at pixel (i x dot, j x dot) shows the shown
// picture's dot at row 28 - (height - 1) + j, column i (panel row j counted
// from the panel's top).
RgbImage paintPanel(const Picture& shown, PanelSize size);
// The same with cells of any size (a zoomed picture).
RgbImage paintPanel(const Picture& shown, PanelSize size, int dot);
// Repaints only the cells of a region (picture coordinates) of an image
// paintPanel made for the same size and dot.
void paintCells(RgbImage& image, const Picture& shown, PanelSize size, const PictureRegion& region);
void paintCells(RgbImage& image, const Picture& shown, PanelSize size, const PictureRegion& region, int dot);

}  // namespace dorvak
