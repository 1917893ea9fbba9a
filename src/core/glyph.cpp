#include "core/glyph.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace dorvak {

int bytesPerColumn(int height) { return height <= 0 ? 1 : (height - 1) / 8 + 1; }

int glyphColumns(const GlyphRecord& glyph) {
  return glyph.byteCount / bytesPerColumn(glyph.height);
}

namespace {
// Byte index and bit mask of a dot, or -1 when the dot is outside the glyph.
int dotByte(const GlyphRecord& glyph, int column, int row, std::uint8_t& mask) {
  if (column < 0 || row < 0 || row >= glyph.height || column >= glyphColumns(glyph)) return -1;
  int index = column * bytesPerColumn(glyph.height) + row / 8;
  mask = static_cast<std::uint8_t>(0x80u >> (row % 8));
  return index;
}
}  // namespace

bool glyphDot(const GlyphRecord& glyph, int column, int row) {
  std::uint8_t mask = 0;
  int index = dotByte(glyph, column, row, mask);
  return index >= 0 && (glyph.bitmap[static_cast<std::size_t>(index)] & mask) != 0;
}

void setGlyphDot(GlyphRecord& glyph, int column, int row, bool lit) {
  std::uint8_t mask = 0;
  int index = dotByte(glyph, column, row, mask);
  if (index < 0) return;
  auto& byte = glyph.bitmap[static_cast<std::size_t>(index)];
  byte = lit ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

namespace {
GlyphRecord* allocateZeroed(std::size_t count) {
  static_assert(std::is_trivially_copyable_v<GlyphRecord>);
  void* p = std::calloc(count, sizeof(GlyphRecord));
  if (!p) throw std::bad_alloc();
  return static_cast<GlyphRecord*>(p);
}
}  // namespace

void FontTable::Free::operator()(GlyphRecord* p) const { std::free(p); }

FontTable::FontTable() : glyphs_(allocateZeroed(kGlyphs)) {}

FontTable::FontTable(const FontTable& other) : glyphs_(allocateZeroed(kGlyphs)), pristine_(other.pristine_) {
  if (!pristine_) std::memcpy(glyphs_.get(), other.glyphs_.get(), kGlyphs * sizeof(GlyphRecord));
}

FontTable& FontTable::operator=(const FontTable& other) {
  if (this != &other) {
    if (!glyphs_) glyphs_.reset(allocateZeroed(kGlyphs));
    std::memcpy(glyphs_.get(), other.glyphs_.get(), kGlyphs * sizeof(GlyphRecord));
    pristine_ = other.pristine_;
  }
  return *this;
}

void FontTable::clear() {
  if (pristine_) return;
  std::memset(static_cast<void*>(glyphs_.get()), 0, kGlyphs * sizeof(GlyphRecord));
  pristine_ = true;
}

bool FontTable::operator==(const FontTable& other) const {
  return std::memcmp(glyphs_.get(), other.glyphs_.get(), kGlyphs * sizeof(GlyphRecord)) == 0;
}

bool FontTable::fontHasGlyphs(int font) const {
  for (int code = 32; code < kCodeCount; ++code)
    if (glyph(font, code).exists()) return true;
  return false;
}

bool FontTable::hasFonts() const {
  for (int font = 0; font < kFontCount; ++font)
    if (fontHasGlyphs(font)) return true;
  return false;
}

SpecialGlyph findSpecialGlyph(const FontTable& fonts) {
  SpecialGlyph special;
  special.font = fonts.glyph(15, 251).exists() ? 15 : 7;
  return special;
}

}  // namespace dorvak
