#pragma once
// Glyph records, the font table and the key table shared by the panel image,
// font files, the renderer and the editors.
//
// A glyph's bitmap is stored column by column, left to right; inside a column
// the rows run top to bottom, most significant bit first, and every column
// starts on a fresh byte.

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>

namespace dorvak {

inline constexpr int kFontCount = 16;
inline constexpr int kCodeCount = 256;
inline constexpr int kMaxBitmapBytes = 255;
inline constexpr std::uint8_t kFontCodeBase = 0xE0;  // 0xE0 | font marks a font

struct GlyphRecord {
  std::uint8_t byteCount = 0;  // 0: the font has no glyph for this code
  std::uint8_t height = 0;     // rows
  std::array<std::uint8_t, kMaxBitmapBytes> bitmap{};

  bool exists() const { return byteCount != 0; }
  bool operator==(const GlyphRecord&) const = default;
};
static_assert(sizeof(GlyphRecord) == 257, "glyph records are stored in place, without padding");

// ((height - 1) div 8) + 1; a height of 0 counts as one byte per column.
int bytesPerColumn(int height);
// Width in columns: byte count div bytes per column.
int glyphColumns(const GlyphRecord& glyph);
// Dot at column 0.. (left) and row 0.. (top); false outside the glyph.
bool glyphDot(const GlyphRecord& glyph, int column, int row);
// Sets a dot inside the glyph's current box; does nothing outside it.
void setGlyphDot(GlyphRecord& glyph, int column, int row, bool lit);

// Codes 0..31 and 176..239 are spacings, shifts, fonts and other controls.
constexpr bool isControlCode(std::uint8_t code) {
  return code < 32 || (code >= 176 && code <= 239);
}

class FontTable {
 public:
  FontTable();
  FontTable(const FontTable& other);
  FontTable& operator=(const FontTable& other);
  // A table moved from holds no glyph and may only be assigned to.
  FontTable(FontTable&& other) noexcept;
  FontTable& operator=(FontTable&& other) noexcept;

  GlyphRecord& glyph(int font, int code) {
    std::size_t i = index(font, code);
    used_[i] = true;
    return glyphs_[i];
  }
  // A glyph never handed out for writing is read without touching its page.
  const GlyphRecord& glyph(int font, int code) const {
    std::size_t i = index(font, code);
    return used_[i] ? glyphs_[i] : kNoGlyph;
  }

  void clear();
  // True when any font has a glyph for a code 32..255.
  bool hasFonts() const;
  // True when the font has a glyph for a code 32..255.
  bool fontHasGlyphs(int font) const;

  bool operator==(const FontTable& other) const;

 private:
  static constexpr std::size_t kGlyphs = static_cast<std::size_t>(kFontCount) * kCodeCount;
  static std::size_t index(int font, int code) {
    return static_cast<std::size_t>(font) * kCodeCount + static_cast<std::size_t>(code);
  }
  static const GlyphRecord kNoGlyph;
  struct Free {
    void operator()(GlyphRecord* p) const;
  };
  // Zeroed memory from the system: pages of glyphs never stored are never
  // touched, and clearing, copying or comparing goes over the glyphs handed
  // out for writing only (any other glyph is all zero).
  std::unique_ptr<GlyphRecord[], Free> glyphs_;
  std::bitset<kGlyphs> used_;
};

// Panel character code -> Windows-1250 keyboard character; 0 = no key.
using KeyTable = std::array<std::uint8_t, kCodeCount>;

namespace detail {
constexpr KeyTable makeDefaultKeyTable() {
  KeyTable keys{};
  for (int c = 32; c < 128; ++c) keys[c] = static_cast<std::uint8_t>(c);
  keys[64] = 0;  // the at sign has no key
  // Codes 128..169 follow the Kamenicky order of Czech letters.
  constexpr std::uint8_t czech[42] = {
      0xC8, 0xFC, 0xE9, 0xEF, 0xE4, 0xCF, 0x8D, 0xE8, 0xEC, 0xCC, 0xC5, 0xCD, 0xBE, 0xE5,
      0xC4, 0xC1, 0xC9, 0x9E, 0x8E, 0xF4, 0xF6, 0xD3, 0xF9, 0xDA, 0xFD, 0xD6, 0xDC, 0x8A,
      0xBC, 0xDD, 0xD8, 0x9D, 0xE1, 0xED, 0xF3, 0xFA, 0xF2, 0xD2, 0xD9, 0xD4, 0x9A, 0xF8};
  for (int i = 0; i < 42; ++i) keys[128 + i] = czech[i];
  return keys;
}
}  // namespace detail

inline constexpr KeyTable DefaultKeyTable = detail::makeDefaultKeyTable();

// The glyph that text handling treats specially: code 251 of font 15 when
// font 15 has it, else of font 7.
struct SpecialGlyph {
  std::uint8_t font = 7;
  std::uint8_t code = 251;
  bool operator==(const SpecialGlyph&) const = default;
};

SpecialGlyph findSpecialGlyph(const FontTable& fonts);

}  // namespace dorvak
