// GIF encoding: what giflib's reader gets back, and what a GIF cannot hold.

#include "render/gif_file.h"

#include <gtest/gtest.h>

#include "render/gif_reading.h"
#include "test_support.h"

namespace dorvak::test {
namespace {

const Rgb kRed{255, 0, 0}, kGreen{0, 200, 0}, kGrey{128, 128, 128};

RgbImage image(int width, int height, std::initializer_list<Rgb> colours) {
  RgbImage result{width, height, {}};
  for (Rgb c : colours) result.pixels.insert(result.pixels.end(), {c.red, c.green, c.blue});
  return result;
}

TEST(GifEncoder, FramesComeBackWithTheirColoursDelaysAndLoop) {
  const RgbImage first = image(3, 2, {kRed, kRed, kGreen, kGrey, kRed, kRed});
  const RgbImage second = image(3, 2, {kGrey, kGreen, kGreen, kGrey, kGrey, kRed});
  GifEncoder gif(3, 2, {kRed, kGreen, kGrey});
  gif.addFrame(first, 10);
  gif.addFrame(second, 65535);
  ReadGif read = readGif(gif.finish());
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.version, "GIF89a") << "delays and loops need GIF89a";
  EXPECT_EQ(read.width, 3);
  EXPECT_EQ(read.height, 2);
  EXPECT_EQ(read.colourTableSize, 4) << "three colours, in a table of the next power of two";
  EXPECT_EQ(read.loopCount, 0) << "loops forever";
  EXPECT_EQ(read.delays, (std::vector<int>{10, 65535}));
  ASSERT_EQ(read.frames.size(), 2u);
  EXPECT_EQ(read.frames[0].pixels, first.pixels);
  EXPECT_EQ(read.frames[1].pixels, second.pixels);
}

TEST(GifEncoder, RefusesWhatAGifCannotHoldAndKeepsGoing) {
  const std::vector<Rgb> two = {kRed, kGreen};
  EXPECT_NE(errorOf([&] { GifEncoder(0, 2, two); }), "no error");
  EXPECT_NE(errorOf([&] { GifEncoder(65536, 1, two); }), "no error");
  EXPECT_NE(errorOf([&] { GifEncoder(2, 2, {}); }), "no error");
  EXPECT_NE(errorOf([&] { GifEncoder(2, 2, std::vector<Rgb>(257)); }), "no error");
  EXPECT_NE(errorOf([&] { GifEncoder(1, 1, two).finish(); }), "no error") << "no frames";

  GifEncoder gif(2, 1, two);
  const RgbImage good = image(2, 1, {kGreen, kRed});
  EXPECT_EQ(errorOf([&] { gif.addFrame(image(1, 2, {kRed, kRed}), 10); }),
            "The picture cannot be encoded as GIF: a frame of 1 x 2 pixels in a picture of 2 x 1");
  EXPECT_EQ(errorOf([&] { gif.addFrame(image(2, 1, {kRed, kGrey}), 10); }),
            "The picture cannot be encoded as GIF: the colour (128, 128, 128) is not in its palette");
  EXPECT_NE(errorOf([&] { gif.addFrame(good, -1); }), "no error");
  EXPECT_NE(errorOf([&] { gif.addFrame(good, 65536); }), "no error");
  gif.addFrame(good, 7);
  ReadGif read = readGif(gif.finish());
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.delays, std::vector<int>{7}) << "refused frames left nothing behind";
  EXPECT_EQ(read.frames.at(0).pixels, good.pixels);
  EXPECT_NE(errorOf([&] { gif.finish(); }), "no error") << "finished once";
}

}  // namespace
}  // namespace dorvak::test
