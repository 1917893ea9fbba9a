#pragma once
// Font files (*.fnt) in their two layouts.
//
// N: per font with glyphs a block of 0xE0 | font, the block length (high byte
// first), the entries code, byte count, height, bitmap; the block ends with
// 0xFF 0x00 unless its last entry is code 255. Then 0xFF 0x00 and the keys of
// codes 33..175 and 240..255.
// S (for firmware 1.x): entries code, 0xE0 | font, byte count, height,
// bitmap, code by code and font by font within a code; no code 255, no keys.

#include <functional>
#include <string>
#include <string_view>

#include "core/panel_database.h"

namespace dorvak {

enum class FontFileLayout { N, S };

struct FontFileOptions {
  // Asked once before an S file is written when a code 255 glyph exists:
  // "FW 1.x cannot use charakter with code 255." / "Continue?". No answer
  // means No.
  std::function<bool(std::string_view question)> confirm;
  // "Fonts input", then steps 0..64.
  std::function<void(std::string_view caption)> progressCaption;
  std::function<void(int step)> progress;
};

// The file's bytes, or nothing when the code 255 question was answered No.
std::optional<std::string> formatFontFile(const FontTable& fonts, const KeyTable& keys, FontFileLayout layout,
                                          const FontFileOptions& options = {});

enum class FontSaveResult { Written, Declined };
FontSaveResult writeFontFile(const PanelDatabase& db, const std::string& path, FontFileLayout layout,
                             const FontFileOptions& options = {});

// Reads glyphs (and, from an N file, keys when keys is not null) into the
// tables as they stand; the first byte tells the layout. Throws DorvakError
// "Read beyond end of file" when the file is shorter than its structures:
// what was read before stays.
void readFontBytes(std::string_view bytes, FontTable& fonts, KeyTable* keys, const FontFileOptions& options = {});

// The font editor's Read: the fonts are cleared and the keys set to the
// defaults, then a *.fnt file or the font section of a panel data base
// (*.hex) is read; the special glyph follows the fonts read.
void readFontsInto(PanelDatabase& db, const std::string& path, const FontFileOptions& options = {});

// A font manager's source set: the glyphs of a *.fnt or *.hex file, keys
// left out, read into an empty table. On an error what was read before
// stays in it.
void readSourceFonts(const std::string& path, FontTable& fonts);

// The largest font file a read accepts.
inline constexpr std::size_t kMaxFontFileSize = 16u << 20;

}  // namespace dorvak
