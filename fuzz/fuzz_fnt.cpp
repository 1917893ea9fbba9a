// Font files of either layout, read and written again. A file read whole
// must come back unchanged through the N layout.

#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "fonts/font_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  FontTable fonts;
  KeyTable keys = DefaultKeyTable;
  bool read = false;
  try {
    readFontBytes(std::string_view(reinterpret_cast<const char*>(data), size), fonts, &keys);
    read = true;
  } catch (const DorvakError&) {
  }
  FontFileOptions yes;
  yes.confirm = [](std::string_view) { return true; };
  std::string n = *formatFontFile(fonts, keys, FontFileLayout::N, yes);
  formatFontFile(fonts, keys, FontFileLayout::S, yes);
  if (read) {
    FontTable again;
    KeyTable againKeys = DefaultKeyTable;
    readFontBytes(n, again, &againKeys);
    // Without a glyph the N layout writes nothing, keys included.
    if (!(again == fonts) || (fonts.hasFonts() && againKeys != keys)) __builtin_trap();
  }
  return 0;
}
