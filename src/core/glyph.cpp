#include "core/glyph.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

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

const GlyphRecord FontTable::kNoGlyph{};

void FontTable::Free::operator()(GlyphRecord* p) const { std::free(p); }

FontTable::FontTable() : glyphs_(allocateZeroed(kGlyphs)) {}

FontTable::FontTable(const FontTable& other) : FontTable() { *this = other; }

FontTable& FontTable::operator=(const FontTable& other) {
  if (this == &other) return *this;
  if (!glyphs_) glyphs_.reset(allocateZeroed(kGlyphs));
  clear();
  for (std::size_t i = 0; i < kGlyphs; ++i)
    if (other.used_[i]) glyphs_[i] = other.glyphs_[i];
  used_ = other.used_;
  return *this;
}

FontTable::FontTable(FontTable&& other) noexcept : glyphs_(std::move(other.glyphs_)), used_(other.used_) {
  other.used_.reset();
}

FontTable& FontTable::operator=(FontTable&& other) noexcept {
  if (this != &other) {
    glyphs_ = std::move(other.glyphs_);
    used_ = other.used_;
    other.used_.reset();
  }
  return *this;
}

void FontTable::clear() {
  if (used_.none()) return;
  for (std::size_t i = 0; i < kGlyphs; ++i)
    if (used_[i]) glyphs_[i] = GlyphRecord{};
  used_.reset();
}

bool FontTable::operator==(const FontTable& other) const {
  for (std::size_t i = 0; i < kGlyphs; ++i)
    if ((used_[i] || other.used_[i]) && !(glyph(static_cast<int>(i / kCodeCount), static_cast<int>(i % kCodeCount)) ==
                                          other.glyph(static_cast<int>(i / kCodeCount), static_cast<int>(i % kCodeCount))))
      return false;
  return true;
}

bool FontTable::fontHasGlyphs(int font) const {
  for (int code = 32; code < kCodeCount; ++code)
    if (used_[index(font, code)] && glyphs_[index(font, code)].exists()) return true;
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
