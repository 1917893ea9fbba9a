#include "render/row_composer.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace dorvak {

namespace {
// A text of many wide glyphs moves the cursor far beyond the panel; holding
// it at a bound that no panel reaches keeps the arithmetic from overflowing.
constexpr int kCursorLimit = 1 << 24;

int advance(int cursor, int by) { return std::min(cursor + by, kCursorLimit); }

// Stores the low count bytes of the value, lowest first, straight from the
// register (a variable-length memcpy would go through memory and stall).
void storeLowBytes(std::uint8_t* out, std::uint64_t value, int count) {
  if constexpr (std::endian::native == std::endian::little) {
    if (count == 8) {
      std::memcpy(out, &value, 8);
      return;
    }
    if (count & 4) {
      auto part = static_cast<std::uint32_t>(value);
      std::memcpy(out, &part, 4);
      out += 4;
      value >>= 32;
    }
    if (count & 2) {
      auto part = static_cast<std::uint16_t>(value);
      std::memcpy(out, &part, 2);
      out += 2;
      value >>= 16;
    }
    if (count & 1) *out = static_cast<std::uint8_t>(value);
  } else {
    for (int i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}
// Copies a run of a picture row (at most 224 bytes) in 8-byte moves, the
// last one overlapping; for runs this short that is faster than what a
// variable-length memcpy expands to.
void copyRun(std::uint8_t* to, const std::uint8_t* from, int count) {
  if (count >= 8) {
    for (int i = 0; i + 8 < count; i += 8) std::memcpy(to + i, from + i, 8);
    std::memcpy(to + count - 8, from + count - 8, 8);
  } else {
    for (int i = 0; i < count; ++i) to[i] = from[i];
  }
}

}  // namespace

void RowComposer::reset(int panelHeight) {
  for (int r = writtenTop_; r <= writtenBottom_; ++r)
    std::memset(buffer_[r].data() + kDarkColumns, 0, static_cast<std::size_t>(writtenRight_ + 1));
  writtenTop_ = kPictureRows;
  writtenBottom_ = -1;
  writtenRight_ = -1;
  state_ = RowState{};
  state_.rowTopUsed = panelHeight - 1;
}

// Eight columns at a time: the bitmap bytes of one group of eight rows for
// eight columns make a 64-bit word, byte i for column i. Bit 7 of each byte
// is the top row's dot; moving bit 7 of every byte to bit 0 gives that row's
// eight dots at once, and shifting the word left by one brings up the next
// row. The bitmap holds columns * bytesPerCol <= byteCount <= 255 bytes,
// and every glyph byte read here is below that.
inline void RowComposer::drawDots(const GlyphRecord& glyph, int bytesPerCol, int rowShift, int rowEnd,
                                  int columnBegin, int columnEnd) {
  constexpr std::uint64_t kBit0OfEachByte = 0x0101010101010101ull;
  constexpr bool kLittleEndian = std::endian::native == std::endian::little;
  const int cursor = state_.cursor;
  const std::uint8_t* bitmap = glyph.bitmap.data();
  for (int group = 0; group * 8 < rowEnd; ++group) {
    const int rowGroupEnd = std::min(rowEnd, group * 8 + 8);
    for (int j = columnBegin; j < columnEnd; j += 8) {
      const int count = std::min(8, columnEnd - j);
      std::uint64_t word = 0;
      if (kLittleEndian && bytesPerCol == 1 && j + 8 <= kMaxBitmapBytes) {
        std::memcpy(&word, bitmap + j, 8);
        if (count < 8) word &= (std::uint64_t{1} << (8 * count)) - 1;
      } else {
        for (int i = 0; i < count; ++i)
          word |= std::uint64_t{bitmap[static_cast<std::size_t>((j + i) * bytesPerCol + group)]} << (8 * i);
      }
      // Past the glyph's columns nothing was written in this row yet (they
      // are off): all eight dots may be stored, the extra ones off too.
      const bool wholeWord = kLittleEndian && cursor + j + count > writtenRight_;
      for (int k = group * 8; k < rowGroupEnd; ++k, word <<= 1) {
        std::uint64_t dots = (word >> 7) & kBit0OfEachByte;
        std::uint8_t* out = &buffer_[k + rowShift][kDarkColumns + cursor + j];
        if (wholeWord)
          std::memcpy(out, &dots, 8);
        else
          storeLowBytes(out, dots, count);
      }
    }
  }
}

void RowComposer::drawGlyph(const GlyphRecord& glyph, int spacing, int rowShift) {
  const int bytesPerCol = bytesPerColumn(glyph.height);
  // As glyphColumns counts them; most glyphs are at most 8 rows high.
  const int columns = bytesPerCol == 1 ? glyph.byteCount : glyph.byteCount / bytesPerCol;
  if (columns == 0) {
    state_.rowTopUsed = std::min(state_.rowTopUsed, rowShift);
    return;
  }
  if (!state_.firstGlyph) state_.cursor = advance(state_.cursor, spacing);
  state_.firstGlyph = false;

  const int height = glyph.height;
  const int cursor = state_.cursor;
  // Only the part of the glyph that falls inside the buffer is visited.
  const int rowEnd = std::min(height, kPictureRows - rowShift);
  const int columnBegin = std::max(0, -cursor);
  const int columnEnd = std::min(columns, kPictureColumns - cursor);
  if (rowEnd > 0 && columnEnd > columnBegin) {
    drawDots(glyph, bytesPerCol, rowShift, rowEnd, columnBegin, columnEnd);
    writtenTop_ = std::min(writtenTop_, rowShift);
    writtenBottom_ = std::max(writtenBottom_, rowShift + rowEnd - 1);
    writtenRight_ = std::max(writtenRight_, cursor + columnEnd - 1);
  }

  state_.cursor = advance(cursor, columns);
  state_.rowWidth = std::max(state_.rowWidth, state_.cursor);
  state_.rowBottomUsed = std::max(state_.rowBottomUsed, height + rowShift);
  state_.rowTopUsed = std::min(state_.rowTopUsed, rowShift);
}

void RowComposer::startAtColumn(int column) {
  state_.cursor = column;
  state_.centring = false;
  state_.firstGlyph = true;
}

bool RowComposer::tooLong(const FieldView& view) const {
  int available = view.right + 1 - (state_.centring ? view.left : 0);
  return state_.rowWidth > available;
}

void RowComposer::flush(const FieldView& view, Picture& compose) {
  if (state_.rowWidth <= 0) return;
  const int left = view.left;
  const int right = view.right;
  const int fieldWidth = right - left + 1;
  int start = 0;  // panel column of buffer column 0
  if (state_.centring) start = fieldWidth >= state_.rowWidth ? left + (fieldWidth - state_.rowWidth) / 2 : left;

  // Buffer rows beyond the buffer hold nothing and are left alone, as are
  // picture rows and columns outside the picture. Columns left..start-1 go
  // dark, from start on they take the buffer: both come from one run of the
  // buffer row, whose dark columns lie left of its column 0.
  const int rowBegin = std::max(state_.rowTopUsed, 0);
  const int rowEnd = std::min(state_.rowBottomUsed, kPictureRows);
  const int columnEnd = std::min(right, kPictureColumns - 1);
  const int count = columnEnd - left + 1;
  const int from = kDarkColumns + left - start;  // 1 .. kDarkColumns + 223
  for (int j = rowBegin; j < rowEnd && count > 0; ++j) {
    const int r = kPictureRows - 1 - view.top + j;
    if (r < 0 || r >= kPictureRows) continue;
    copyRun(compose[r].data() + left, buffer_[j].data() + from, count);
  }
  state_.centring = true;
}

}  // namespace dorvak
