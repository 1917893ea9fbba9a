#include "render/row_composer.h"

#include <algorithm>
#include <cstring>

namespace dorvak {

namespace {
// A text of many wide glyphs moves the cursor far beyond the panel; holding
// it at a bound that no panel reaches keeps the arithmetic from overflowing.
constexpr int kCursorLimit = 1 << 24;

int advance(int cursor, int by) { return std::min(cursor + by, kCursorLimit); }
}  // namespace

void RowComposer::reset(int panelHeight) {
  for (int r = litTop_; r <= litBottom_; ++r) std::memset(buffer_[r].data(), 0, static_cast<std::size_t>(litRight_ + 1));
  litTop_ = kPictureRows;
  litBottom_ = -1;
  litRight_ = -1;
  state_ = RowState{};
  state_.rowTopUsed = panelHeight - 1;
}

void RowComposer::drawGlyph(const GlyphRecord& glyph, int spacing, int rowShift) {
  const int columns = glyphColumns(glyph);
  if (columns == 0) {
    state_.rowTopUsed = std::min(state_.rowTopUsed, rowShift);
    return;
  }
  if (!state_.firstGlyph) state_.cursor = advance(state_.cursor, spacing);
  state_.firstGlyph = false;

  const int height = glyph.height;
  const int bytesPerCol = bytesPerColumn(height);
  const int cursor = state_.cursor;
  // Only the part of the glyph that falls inside the buffer is visited.
  const int rowEnd = std::min(height, kPictureRows - rowShift);
  const int columnBegin = std::max(0, -cursor);
  const int columnEnd = std::min(columns, kPictureColumns - cursor);
  for (int j = columnBegin; j < columnEnd; ++j) {
    // columns * bytesPerCol <= byteCount <= 255: always inside the bitmap.
    const std::uint8_t* column = glyph.bitmap.data() + j * bytesPerCol;
    const int x = cursor + j;
    for (int k = 0; k < rowEnd; ++k) {
      bool lit = (column[k >> 3] & (0x80u >> (k & 7))) != 0;
      buffer_[k + rowShift][x] = lit ? 1 : 0;
      if (lit) {
        litTop_ = std::min(litTop_, k + rowShift);
        litBottom_ = std::max(litBottom_, k + rowShift);
        litRight_ = std::max(litRight_, x);
      }
    }
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
  // picture rows and columns outside the picture.
  const int rowBegin = std::max(state_.rowTopUsed, 0);
  const int rowEnd = std::min(state_.rowBottomUsed, kPictureRows);
  const int columnEnd = std::min(right, kPictureColumns - 1);
  for (int j = rowBegin; j < rowEnd; ++j) {
    const int r = kPictureRows - 1 - view.top + j;
    if (r < 0 || r >= kPictureRows) continue;
    for (int x = left; x <= columnEnd; ++x) compose[r][x] = x < start ? 0 : buffer_[j][x - start];
  }
  state_.centring = true;
}

}  // namespace dorvak
