// Standard font files (PCF, PCF.gz, BDF, OTB, TTF, ...) through FreeType and
// the panel font import: every strike the font reports, or the height the
// first byte chooses for outlines. The font is read from disk as the import
// reads it.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/error.h"
#include "core/glyph.h"
#include "fonts/font_face.h"
#include "fonts/font_import.h"
#include "fuzz_support.h"

namespace {

void importAt(dorvak::FontFace& face, int height, bool fullHeight) {
  dorvak::FontImportOptions options;
  options.height = height;
  options.fullHeight = fullHeight;
  try {
    dorvak::importGlyphs(face, dorvak::DefaultKeyTable, options);
  } catch (const dorvak::DorvakError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  if (size < 1) return 0;
  static const fuzz::ScratchFile fontFile(".font");
  const std::string& path = fontFile.write(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  const int chosenHeight = 1 + data[0] % 40;  // beyond 28 as well: refused
  const bool fullHeight = (data[0] & 0x80) != 0;
  try {
    FontFace face(path);
    if (face.isOutline()) {
      importAt(face, chosenHeight, fullHeight);
    } else {
      for (int height : face.strikeHeights()) importAt(face, height, fullHeight);
      importAt(face, chosenHeight, fullHeight);
    }
  } catch (const DorvakError&) {
  }
  return 0;
}
