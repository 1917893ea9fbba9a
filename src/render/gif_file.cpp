#include "render/gif_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>

#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {

constexpr int kMaxSide = 65535;
constexpr int kMaxDelay = 65535;

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
  return length;
}

[[noreturn]] void fail(const std::string& reason) {
  throw DorvakError(std::string(msg::CannotEncodeGif) + reason);
}

// The colour table's size is a power of two from 2 to 256; entries past the
// palette stay black and are never used.
int colourTableSize(std::size_t colours) {
  int size = 2;
  while (static_cast<std::size_t>(size) < colours) size *= 2;
  return size;
}

}  // namespace

GifEncoder::GifEncoder(int width, int height, std::vector<Rgb> palette)
    : width_(width), height_(height), palette_(std::move(palette)) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    fail("a picture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
  if (palette_.empty() || palette_.size() > 256) fail(std::to_string(palette_.size()) + " colours");
  indices_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

  int error = 0;
  gif_.reset(EGifOpen(&bytes_, appendBytes, &error));
  if (!gif_) fail(GifErrorString(error));
  // Delays and the loop need GIF89a; a file written frame by frame must say
  // so before its first byte.
  EGifSetGifVersion(gif_.get(), true);

  const int tableSize = colourTableSize(palette_.size());
  ColorMapObject* map = GifMakeMapObject(tableSize, nullptr);
  if (!map) fail("out of memory");
  for (std::size_t i = 0; i < palette_.size(); ++i)
    map->Colors[i] = GifColorType{palette_[i].red, palette_[i].green, palette_[i].blue};
  const int status = EGifPutScreenDesc(gif_.get(), width, height, 8, 0, map);  // giflib copies the table
  GifFreeMapObject(map);
  check(status);

  // The NETSCAPE2.0 application extension: loop count 0, forever.
  static const std::array<GifByteType, 11> kApplication = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const std::array<GifByteType, 3> kLoopForever = {1, 0, 0};
  check(EGifPutExtensionLeader(gif_.get(), APPLICATION_EXT_FUNC_CODE));
  check(EGifPutExtensionBlock(gif_.get(), static_cast<int>(kApplication.size()), kApplication.data()));
  check(EGifPutExtensionBlock(gif_.get(), static_cast<int>(kLoopForever.size()), kLoopForever.data()));
  check(EGifPutExtensionTrailer(gif_.get()));
}

void GifEncoder::Closer::operator()(GifFileType* gif) const {
  int error = 0;
  EGifCloseFile(gif, &error);
}

void GifEncoder::check(int status) {
  if (status == GIF_OK) return;
  fail(gif_ && gif_->Error ? GifErrorString(gif_->Error) : "giflib failed");
}

void GifEncoder::addFrame(const RgbImage& image, int delayCentiseconds) {
  if (!gif_) fail("the file is already finished");
  if (image.width != width_ || image.height != height_ ||
      image.pixels.size() != indices_.size() * 3)
    fail("a frame of " + std::to_string(image.width) + " x " + std::to_string(image.height) + " pixels in a picture of " +
         std::to_string(width_) + " x " + std::to_string(height_));
  if (delayCentiseconds < 0 || delayCentiseconds > kMaxDelay)
    fail("a frame delay of " + std::to_string(delayCentiseconds) + " hundredths of a second (at most " +
         std::to_string(kMaxDelay) + ")");

  // Painted pictures come in runs of one colour, so the last match is tried first.
  std::size_t last = 0;
  for (std::size_t i = 0; i < indices_.size(); ++i) {
    const Rgb colour{image.pixels[3 * i], image.pixels[3 * i + 1], image.pixels[3 * i + 2]};
    if (!(palette_[last] == colour)) {
      auto found = std::find(palette_.begin(), palette_.end(), colour);
      if (found == palette_.end())
        fail("the colour (" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
             std::to_string(colour.blue) + ") is not in its palette");
      last = static_cast<std::size_t>(found - palette_.begin());
    }
    indices_[i] = static_cast<unsigned char>(last);
  }

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = delayCentiseconds;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  std::array<GifByteType, 4> extension{};
  EGifGCBToExtension(&control, extension.data());
  check(EGifPutExtension(gif_.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extension.size()), extension.data()));
  check(EGifPutImageDesc(gif_.get(), 0, 0, width_, height_, false, nullptr));
  check(EGifPutLine(gif_.get(), indices_.data(), static_cast<int>(indices_.size())));
  ++frames_;
}

std::string GifEncoder::finish() {
  if (!gif_) fail("the file is already finished");
  if (frames_ == 0) fail("no frames");
  int error = 0;
  if (EGifCloseFile(gif_.release(), &error) != GIF_OK) fail(GifErrorString(error));
  return std::move(bytes_);
}

}  // namespace dorvak
