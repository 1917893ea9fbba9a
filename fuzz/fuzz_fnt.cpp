// Font files of either layout, read and written again.

#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "fonts/font_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  FontTable fonts;
  KeyTable keys = DefaultKeyTable;
  try {
    readFontBytes(std::string_view(reinterpret_cast<const char*>(data), size), fonts, &keys);
  } catch (const DorvakError&) {
  }
  FontFileOptions yes;
  yes.confirm = [](std::string_view) { return true; };
  formatFontFile(fonts, keys, FontFileLayout::N, yes);
  formatFontFile(fonts, keys, FontFileLayout::S, yes);
  return 0;
}
