#pragma once
// The font editor's working copy of one glyph, without any widget: 29 x 29
// cells [row][column], of which rows and columns 1..28 hold dots (row 1 is
// the top). A cell is off, on or outside the glyph, and may carry a pending
// mark while the mouse is dragged.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "core/panel_database.h"

namespace dorvak {

inline constexpr int kGridSize = 29;
inline constexpr int kGridDots = 28;

namespace GridCell {
inline constexpr std::uint8_t Off = 0, On = 1, Outside = 2;
inline constexpr std::uint8_t PendingOn = 0x80, PendingOff = 0x40, PendingOutside = 0x20;
inline constexpr std::uint8_t PendingMarks = PendingOn | PendingOff | PendingOutside;
}  // namespace GridCell

enum class GridShift { Up, Down, Left, Right };
enum class MouseButton { Left, Right };

class EditGrid {
 public:
  EditGrid();

  std::uint8_t cell(int row, int column) const { return cells_[row][column]; }
  void setCell(int row, int column, std::uint8_t value) { cells_[row][column] = value; }
  // How a cell is drawn: a pending mark first (on, off, outside), else its value.
  std::uint8_t shown(int row, int column) const;

  // Shows a glyph: cells beyond its width or height are outside. Returns
  // true when the glyph does not fit the grid ("Too large font!"): it is
  // shown clipped.
  bool load(const GlyphRecord& glyph);
  // The glyph of the grid: the box from the top-left cell to the lowest and
  // rightmost cell that is not outside; an empty grid gives byte count 0.
  GlyphRecord encode() const;
  // Encodes and loads back: inside the box every cell is off or on.
  void normalize();

  // Without insideBox the glyph moves in the 28 x 28 area with its box;
  // with it (Shift held) the content scrolls inside the unchanged box.
  void shift(GridShift direction, bool insideBox);

  // Drawing with the mouse: press, drags with the mark the buttons and Shift
  // choose (none draws nothing), release. A drag draws only after a press
  // and until the release.
  void press(int row, int column);
  void drag(int row, int column, std::uint8_t mark);
  void release(int row, int column, MouseButton button, bool shiftHeld);

 private:
  void clearPending(int row1, int column1, int row2, int column2);
  std::array<std::array<std::uint8_t, kGridSize>, kGridSize> cells_{};
  bool pressSeen_ = false;
  int startRow_ = 0, startColumn_ = 0, previousRow_ = 0, previousColumn_ = 0;
};

// The glyphs of a font among codes 32..255 (the editor's "char-s").
int countGlyphs(const FontTable& fonts, int font);

// The next glyph code up or down (32..255), passing over the control codes
// 176..239.
int stepGlyphCode(int code, int direction);

// "SAVE": stores the grid as the glyph of (font, code) and the typed key.
// Nothing happens for a control code. The key is cleared for an empty or
// blank key text; a key another code in 32..255 already has is refused with
// "Another code is already assigned to key $" (the key text is Windows-1250,
// the message UTF-8). The grid shows the stored
// glyph afterwards.
struct GlyphStoreResult {
  bool stored = false;
  std::optional<std::string> message;
};
GlyphStoreResult storeGlyph(PanelDatabase& db, EditGrid& grid, int font, int code, std::string_view keyText);

// The deletes of the font editor. All but the last take the key from every
// code that has no glyph left in any font; the last clears every key.
void deleteGlyph(PanelDatabase& db, int font, int code);
void deleteCodeInAllFonts(PanelDatabase& db, int code);
void deleteFont(PanelDatabase& db, int font);
void deleteAllFonts(PanelDatabase& db);

// The questions asked before them.
std::string deleteGlyphQuestion(int font, int code);
std::string deleteCodeQuestion(int code);
std::string deleteFontQuestion(int font);
inline constexpr std::string_view kDeleteAllFontsQuestion = msg::ReallyDeleteAllFonts;

}  // namespace dorvak
