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
  // What reading a panel data base's font table reports on its way (a table
  // that a gap cuts short).
  std::function<void(const std::string& message)> notice;
};

// The file's bytes, or nothing when the code 255 question was answered No.
std::optional<std::string> formatFontFile(const FontTable& fonts, const KeyTable& keys, FontFileLayout layout,
                                          const FontFileOptions& options = {});

enum class FontSaveResult { Written, Declined };
FontSaveResult writeFontFile(const PanelDatabase& db, const std::string& path, FontFileLayout layout,
                             const FontFileOptions& options = {});

// Reads glyphs (and, from an N file, keys when keys is not null) into the
// tables as they stand; the first byte tells the layout. The whole file must
// be a font file, or the tables stay as they were: DorvakError "Read beyond
// end of file" when it is shorter than its structures, "File format error"
// for a font byte that is no font, a control code, codes out of order, a
// glyph taller than kMaxFileGlyphHeight or whose byte count is no whole
// number of columns, an N block whose entries do not end at its length, or
// anything but the 159 keys after the N blocks.
void readFontBytes(std::string_view bytes, FontTable& fonts, KeyTable* keys, const FontFileOptions& options = {});

// The font editor's Read: the fonts and keys become those of a *.fnt file or
// of the font section of a panel data base (*.hex), with the default keys
// where the file has none; the special glyph follows the fonts read. A file
// that cannot be read whole leaves the fonts and keys as they were.
void readFontsInto(PanelDatabase& db, const std::string& path, const FontFileOptions& options = {});

// A font manager's source set: the glyphs of a *.fnt or *.hex file, keys
// left out, read into an empty table. On an error what was read before
// stays in it.
void readSourceFonts(const std::string& path, FontTable& fonts);

// The tallest glyph a font file may hold: a panel has at most 29 rows; tools
// may round a glyph up to whole bytes of a column.
inline constexpr int kMaxFileGlyphHeight = 32;

// The largest font file a read accepts.
inline constexpr std::size_t kMaxFontFileSize = 16u << 20;

}  // namespace dorvak
