#pragma once
// GIF files read back with giflib's own reader (DGifSlurp), as a viewer
// would see them.

#include <string>
#include <vector>

#include "render/panel_paint.h"

namespace dorvak::test {

struct ReadGif {
  std::string error;              // giflib's complaint; empty when the file was read
  std::string version;            // "GIF89a"
  int width = 0;
  int height = 0;
  int colourTableSize = 0;        // the global colour table's entries
  int loopCount = -1;             // from the NETSCAPE2.0 extension; -1 without one
  std::vector<RgbImage> frames;   // the screen after each frame
  std::vector<int> delays;        // each frame's delay in hundredths of a second
};

ReadGif readGif(const std::string& bytes);

}  // namespace dorvak::test
