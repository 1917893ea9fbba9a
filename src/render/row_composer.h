#pragma once
// One text row under construction: glyphs are set side by side into the
// RowBuffer, then the row is centred in its field (or placed at the panel
// column an ESC "s" chose) and copied into the ComposePicture.
//
// Row j of the buffer lands on picture row 28 - top + j, where top is the
// field's top panel row; buffer columns are relative to the row's start
// column, or panel columns once ESC "s" switched centring off.

#include "core/glyph.h"
#include "render/field_view.h"
#include "render/picture.h"

namespace dorvak {

struct RowState {
  int cursor = 0;         // next free column of the row buffer
  int rowWidth = 0;       // widest column reached
  int rowTopUsed = 0;     // smallest row shift used
  int rowBottomUsed = 0;  // largest row shift + glyph height
  bool firstGlyph = true; // no spacing before it
  bool centring = true;
};

class RowComposer {
 public:
  // Clears the buffer and starts a fresh row; rowTopUsed starts at the last
  // panel row.
  void reset(int panelHeight);

  // Sets the glyph at the cursor (after the spacing unless it is the row's
  // first glyph), rows from rowShift down. Dots outside the buffer are
  // dropped. A glyph without columns only lowers rowTopUsed.
  void drawGlyph(const GlyphRecord& glyph, int spacing, int rowShift);

  // ESC "s": the cursor goes to a panel column, the row is not centred and
  // the next glyph gets no spacing before it.
  void startAtColumn(int column);

  // The row is wider than the room the field gives it.
  bool tooLong(const FieldView& view) const;

  // Copies the rows the row used into the field's columns of the picture;
  // does nothing for an empty row. Centring is on again afterwards.
  void flush(const FieldView& view, Picture& compose);

  const RowState& state() const { return state_; }
  bool dot(int row, int column) const { return buffer_[row][kDarkColumns + column] != 0; }

 private:
  void drawDots(const GlyphRecord& glyph, int bytesPerCol, int rowShift, int rowEnd, int columnBegin, int columnEnd);

  // Each buffer row starts with dark columns, so that a flush copies the dark
  // part left of a centred row and the row itself in one run: a row starts
  // at most (256 - 1) div 2 columns right of its field's left edge. Eight
  // spare columns behind the last one let a glyph's eight dots of a row be
  // stored at once. Neither ever holds a lit dot.
  static constexpr int kDarkColumns = 128;
  static constexpr int kSpareColumns = 8;
  using BufferRow = std::array<std::uint8_t, kDarkColumns + kPictureColumns + kSpareColumns>;
  std::array<BufferRow, kPictureRows> buffer_{};
  RowState state_;
  // The rows and the columns from 0 that glyphs were written to; outside
  // them every dot is off, so clearing touches only them.
  int writtenTop_ = kPictureRows;
  int writtenBottom_ = -1;
  int writtenRight_ = -1;
};

}  // namespace dorvak
