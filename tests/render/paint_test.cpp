// The painted panel: dot sizes by length, the dot bitmaps, which picture
// rows are painted, and repainting a region.

#include "render/panel_paint.h"

#include <gtest/gtest.h>

namespace dorvak {
namespace {

TEST(PanelPaint, DotSizeFollowsThePanelLength) {
  EXPECT_EQ(dotSize(28), 4);
  EXPECT_EQ(dotSize(140), 4);
  EXPECT_EQ(dotSize(141), 3);
  EXPECT_EQ(dotSize(196), 3);
  EXPECT_EQ(dotSize(197), 2);
  EXPECT_EQ(dotSize(224), 2);
}

// Each cell drawn as rows of Y (yellow), K (black) and G (grey).
std::vector<std::string> cellArt(int size, bool lit) {
  std::vector<std::string> rows;
  for (int y = 0; y < size; ++y) {
    std::string row;
    for (int x = 0; x < size; ++x) {
      Rgb c = dotPixel(size, lit, x, y);
      row += c == kLitDotColour ? 'Y' : c == kDarkDotColour ? 'K' : c == kSeparatorColour ? 'G' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(PanelPaint, DotBitmapsHaveTheirSeparatingLines) {
  using Art = std::vector<std::string>;
  EXPECT_EQ(cellArt(4, true), (Art{"YYYG", "YYYG", "YYYG", "GGGG"}));
  EXPECT_EQ(cellArt(4, false), (Art{"KKKG", "KKKG", "KKKG", "GGGG"}));
  EXPECT_EQ(cellArt(3, true), (Art{"YYK", "YYK", "KKK"}));
  EXPECT_EQ(cellArt(3, false), (Art{"KKG", "KKG", "GGG"}));
  EXPECT_EQ(cellArt(2, true), (Art{"YY", "YY"}));
  EXPECT_EQ(cellArt(2, false), (Art{"KK", "KK"}));
  EXPECT_EQ(kLitDotColour, (Rgb{255, 255, 0}));
  EXPECT_EQ(kSeparatorColour, (Rgb{128, 128, 128}));
}

TEST(PanelPaint, ImageShowsTheBottomRowsOfThePictureTopRowFirst) {
  Picture shown{};
  shown[pictureRowOf(9)][0] = 1;   // top row of a 10-row panel, first column
  shown[pictureRowOf(0)][27] = 1;  // bottom row, last column
  shown[pictureRowOf(10)][5] = 1;  // above the panel: not painted
  RgbImage image = paintPanel(shown, {28, 10});
  EXPECT_EQ(image.width, 28 * 4);
  EXPECT_EQ(image.height, 10 * 4);
  ASSERT_EQ(image.pixels.size(), 112u * 40u * 3u);
  EXPECT_EQ(image.at(0, 0), kLitDotColour);
  EXPECT_EQ(image.at(3, 0), kSeparatorColour);
  EXPECT_EQ(image.at(27 * 4 + 2, 9 * 4 + 2), kLitDotColour);
  EXPECT_EQ(image.at(5 * 4, 0), kDarkDotColour);
  int lit = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) lit += image.at(x, y) == kLitDotColour;
  EXPECT_EQ(lit, 2 * 9);
}

TEST(PanelPaint, WidePanelsUseSmallerDots) {
  RgbImage image = paintPanel(Picture{}, {224, 29});
  EXPECT_EQ(image.width, 448);
  EXPECT_EQ(image.height, 58);
  EXPECT_EQ(paintPanel(Picture{}, {160, 19}).width, 480);
}

TEST(PanelPaint, RepaintingARegionTouchesOnlyItsCells) {
  Picture shown{};
  RgbImage image = paintPanel(shown, {20, 5});
  shown[pictureRowOf(4)][0] = 1;
  shown[pictureRowOf(4)][10] = 1;
  paintCells(image, shown, {20, 5}, {pictureRowOf(4), pictureRowOf(4), 5, 15});
  EXPECT_EQ(image.at(10 * 4, 0), kLitDotColour);
  EXPECT_EQ(image.at(0, 0), kDarkDotColour) << "outside the region";
}

TEST(PanelPaint, PaintedSizeStaysInsideThePictures) {
  PanelConfig config;
  config.length = 255;
  config.height = 40;
  PanelSize size = paintedSize(config);
  EXPECT_EQ(size.length, 224);
  EXPECT_EQ(size.height, 29);
}

}  // namespace
}  // namespace dorvak
