#pragma once
// GIF encoding through giflib: RGB pictures of a few colours (as
// panel_paint paints the panel), one after another, as an animation that
// loops forever. Frames go in one at a time, so a long animation holds only
// the encoded bytes and one frame's pixels.

#include <memory>
#include <string>
#include <vector>

#include "render/panel_paint.h"

struct GifFileType;

namespace dorvak {

class GifEncoder {
 public:
  // Frames of width x height pixels (1..65535 each), every pixel one of the
  // palette's colours (1..256 of them; the GIF's colour table lists them in
  // this order). Throws DorvakError when these cannot make a GIF.
  GifEncoder(int width, int height, std::vector<Rgb> palette);
  // giflib writes into bytes_ of this very object.
  GifEncoder(const GifEncoder&) = delete;
  GifEncoder& operator=(const GifEncoder&) = delete;

  // Adds a frame shown for delay hundredths of a second (0..65535). A frame
  // of another size, with a colour outside the palette or a delay out of
  // range is not added: DorvakError.
  void addFrame(const RgbImage& image, int delayCentiseconds);

  // The GIF file's bytes. Needs at least one frame; ends the encoder.
  std::string finish();

 private:
  void check(int status);

  struct Closer {
    void operator()(GifFileType* gif) const;
  };

  int width_;
  int height_;
  std::vector<Rgb> palette_;
  std::vector<unsigned char> indices_;        // the frame in hand as palette indices
  std::string bytes_;                         // written to while gif_ is open
  std::unique_ptr<GifFileType, Closer> gif_;  // null once finished
  int frames_ = 0;
};

}  // namespace dorvak
