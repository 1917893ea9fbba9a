#include "render/gif_reading.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace dorvak::test {

namespace {

struct Input {
  const std::string& bytes;
  std::size_t at = 0;
};

int readBytes(GifFileType* gif, GifByteType* out, int wanted) {
  auto* in = static_cast<Input*>(gif->UserData);
  const std::size_t n = std::min(static_cast<std::size_t>(wanted), in->bytes.size() - in->at);
  std::memcpy(out, in->bytes.data() + in->at, n);
  in->at += n;
  return static_cast<int>(n);
}

// The loop count of a NETSCAPE2.0 application extension among the blocks.
int loopCountOf(const ExtensionBlock* blocks, int count) {
  for (int i = 0; i + 1 < count; ++i)
    if (blocks[i].Function == APPLICATION_EXT_FUNC_CODE && blocks[i].ByteCount == 11 &&
        std::memcmp(blocks[i].Bytes, "NETSCAPE2.0", 11) == 0 && blocks[i + 1].ByteCount == 3 &&
        blocks[i + 1].Bytes[0] == 1)
      return blocks[i + 1].Bytes[1] | blocks[i + 1].Bytes[2] << 8;
  return -1;
}

}  // namespace

ReadGif readGif(const std::string& bytes) {
  ReadGif result;
  Input input{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, readBytes, &error);
  if (!gif) {
    result.error = GifErrorString(error);
    return result;
  }
  if (DGifSlurp(gif) != GIF_OK) {
    result.error = GifErrorString(gif->Error);
    DGifCloseFile(gif, &error);
    return result;
  }
  result.version = bytes.substr(0, 6);
  result.width = gif->SWidth;
  result.height = gif->SHeight;
  result.colourTableSize = gif->SColorMap ? gif->SColorMap->ColorCount : 0;

  RgbImage screen{gif->SWidth, gif->SHeight,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(gif->SWidth) * gif->SHeight * 3)};
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    if (i == 0) result.loopCount = loopCountOf(image.ExtensionBlocks, image.ExtensionBlockCount);
    GraphicsControlBlock control{};
    result.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    const GifImageDesc& d = image.ImageDesc;
    if (!map || std::any_of(image.RasterBits, image.RasterBits + d.Width * d.Height,
                            [&](GifByteType index) { return index >= map->ColorCount; })) {
      result.error = "a pixel without a colour";
      break;
    }
    for (int y = 0; y < d.Height; ++y)
      for (int x = 0; x < d.Width; ++x) {
        const int sx = d.Left + x, sy = d.Top + y;
        if (sx >= screen.width || sy >= screen.height) continue;
        const GifColorType& c = map->Colors[image.RasterBits[y * d.Width + x]];
        const auto at = (static_cast<std::size_t>(sy) * screen.width + sx) * 3;
        screen.pixels[at] = c.Red;
        screen.pixels[at + 1] = c.Green;
        screen.pixels[at + 2] = c.Blue;
      }
    result.frames.push_back(screen);
  }
  DGifCloseFile(gif, &error);
  return result;
}

}  // namespace dorvak::test
