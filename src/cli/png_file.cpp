#include "cli/png_file.h"

#include <png.h>

#include "core/error.h"

namespace dorvak {

std::string encodePng(const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0) throw DorvakError("An empty picture cannot be written as PNG");
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  // The first call measures, the second writes.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr))
    throw DorvakError(std::string("The picture cannot be encoded as PNG: ") + png.message);
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0, nullptr))
    throw DorvakError(std::string("The picture cannot be encoded as PNG: ") + png.message);
  bytes.resize(size);
  png_image_free(&png);
  return bytes;
}

}  // namespace dorvak
