#include "fonts/edit_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "config/cp1250.h"
#include "core/messages.h"

namespace dorvak {

using namespace GridCell;

EditGrid::EditGrid() {
  for (auto& row : cells_) row.fill(Outside);
}

std::uint8_t EditGrid::shown(int row, int column) const {
  std::uint8_t c = cells_[row][column];
  if (c & PendingOn) return On;
  if (c & PendingOff) return Off;
  if (c & PendingOutside) return Outside;
  return c & 0x1F;
}

bool EditGrid::load(const GlyphRecord& glyph) {
  const int width = glyphColumns(glyph);
  for (int row = 1; row <= kGridDots; ++row)
    for (int column = 1; column <= kGridDots; ++column) {
      bool inside = column <= width && row <= glyph.height;
      cells_[row][column] = inside ? (glyphDot(glyph, column - 1, row - 1) ? On : Off) : Outside;
    }
  return glyph.height > kGridDots || width >= kGridSize;
}

GlyphRecord EditGrid::encode() const {
  int height = 0, width = 0;
  for (int row = 1; row <= kGridDots; ++row)
    for (int column = 1; column <= kGridDots; ++column)
      if ((cells_[row][column] & 0x1F) != Outside) {
        height = std::max(height, row);
        width = std::max(width, column);
      }
  GlyphRecord glyph;
  glyph.height = static_cast<std::uint8_t>(height);
  glyph.byteCount = static_cast<std::uint8_t>(width * bytesPerColumn(height));
  for (int column = 1; column <= width; ++column)
    for (int row = 1; row <= height; ++row)
      if ((cells_[row][column] & 0x1F) == On) setGlyphDot(glyph, column - 1, row - 1, true);
  return glyph;
}

void EditGrid::normalize() { load(encode()); }

void EditGrid::shift(GridShift direction, bool insideBox) {
  const GlyphRecord glyph = encode();
  const int height = glyph.height;
  const int width = glyphColumns(glyph);
  auto& c = cells_;
  if (!insideBox) {
    switch (direction) {
      case GridShift::Up:
        for (int row = 1; row < kGridDots; ++row) c[row] = c[row + 1];
        c[kGridDots].fill(Outside);
        break;
      case GridShift::Down:
        for (int row = kGridDots; row > 1; --row) c[row] = c[row - 1];
        for (int column = 1; column <= kGridDots; ++column) c[1][column] = column <= width ? Off : Outside;
        break;
      case GridShift::Left:
        for (int row = 1; row <= kGridDots; ++row) {
          for (int column = 1; column < kGridDots; ++column) c[row][column] = c[row][column + 1];
          if (width >= 1) c[row][width] = Outside;
        }
        break;
      case GridShift::Right:
        for (int row = 1; row <= kGridDots; ++row) {
          for (int column = kGridDots; column > 1; --column) c[row][column] = c[row][column - 1];
          c[row][1] = row <= height ? Off : Outside;
        }
        break;
    }
    return;
  }
  if (height == 0 || width == 0) return;
  switch (direction) {
    case GridShift::Up:
      for (int row = 1; row < height; ++row)
        for (int column = 1; column <= width; ++column) c[row][column] = c[row + 1][column];
      for (int column = 1; column <= width; ++column) c[height][column] = Off;
      break;
    case GridShift::Down:
      for (int row = height; row > 1; --row)
        for (int column = 1; column <= width; ++column) c[row][column] = c[row - 1][column];
      for (int column = 1; column <= width; ++column) c[1][column] = Off;
      break;
    case GridShift::Left:
      for (int row = 1; row <= height; ++row) {
        for (int column = 1; column < width; ++column) c[row][column] = c[row][column + 1];
        c[row][width] = Off;
      }
      break;
    case GridShift::Right:
      for (int row = 1; row <= height; ++row) {
        for (int column = width; column > 1; --column) c[row][column] = c[row][column - 1];
        c[row][1] = Off;
      }
      break;
  }
}

void EditGrid::press(int row, int column) {
  startRow_ = previousRow_ = std::clamp(row, 0, kGridDots);
  startColumn_ = previousColumn_ = std::clamp(column, 0, kGridDots);
  pressSeen_ = true;
}

void EditGrid::clearPending(int row1, int column1, int row2, int column2) {
  for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row)
    for (int column = std::min(column1, column2); column <= std::max(column1, column2); ++column)
      cells_[row][column] &= static_cast<std::uint8_t>(~PendingMarks);
}

void EditGrid::drag(int row, int column, std::uint8_t mark) {
  if (!pressSeen_ || mark == 0 || row < 1 || row > kGridDots || column < 1 || column > kGridDots) return;
  clearPending(startRow_, startColumn_, previousRow_, previousColumn_);
  if (row == startRow_ && column == startColumn_) {
    cells_[row][column] |= mark;
  } else {
    // A straight line of cells from the start, rounded half to even.
    const int n = std::max(std::abs(row - startRow_), std::abs(column - startColumn_));
    const double stepRow = static_cast<double>(row - startRow_) / n;
    const double stepColumn = static_cast<double>(column - startColumn_) / n;
    double r = startRow_, c = startColumn_;
    cells_[startRow_][startColumn_] |= mark;
    for (int i = 0; i < n; ++i) {
      r += stepRow;
      c += stepColumn;
      int rr = std::clamp(static_cast<int>(std::nearbyint(r)), 0, kGridDots);
      int cc = std::clamp(static_cast<int>(std::nearbyint(c)), 0, kGridDots);
      cells_[rr][cc] |= mark;
    }
  }
  previousRow_ = row;
  previousColumn_ = column;
}

void EditGrid::release(int row, int column, MouseButton button, bool shiftHeld) {
  row = std::clamp(row, 0, kGridDots);
  column = std::clamp(column, 0, kGridDots);
  auto commit = [](std::uint8_t& c) {
    if (c & PendingOn) c = static_cast<std::uint8_t>((c & PendingMarks) | On);
    if (c & PendingOff) c = static_cast<std::uint8_t>((c & PendingMarks) | Off);
    if (c & PendingOutside) c = static_cast<std::uint8_t>((c & PendingMarks) | Outside);
    c &= static_cast<std::uint8_t>(~PendingMarks);
  };
  const bool click = row == startRow_ && column == startColumn_;
  std::uint8_t& clicked = cells_[row][column];
  if (click && (clicked & PendingMarks) == 0) {
    if (row >= 1 && column >= 1) {
      if (shiftHeld)
        clicked = Outside;
      else if (button == MouseButton::Left)
        clicked = clicked == On ? Off : On;
      else
        clicked = clicked == Off ? On : Off;
    }
  } else if (click) {
    commit(clicked);
  } else {
    for (auto& line : cells_)
      for (auto& c : line) commit(c);
  }
  // A drag must start with a press in the grid: a button still held from a
  // dialog closed over it draws nothing.
  pressSeen_ = false;
}

int countGlyphs(const FontTable& fonts, int font) {
  if (font < 0 || font >= kFontCount) return 0;
  int count = 0;
  for (int code = 32; code < kCodeCount; ++code) count += fonts.glyph(font, code).exists() ? 1 : 0;
  return count;
}

int stepGlyphCode(int code, int direction) {
  int next = std::clamp(code + (direction > 0 ? 1 : -1), 32, 255);
  if (next >= 176 && next <= 239) next = direction > 0 ? 240 : 175;
  return next;
}

GlyphStoreResult storeGlyph(PanelDatabase& db, EditGrid& grid, int font, int code, std::string_view keyText) {
  GlyphStoreResult result;
  if (font < 0 || font >= kFontCount || code < 0 || code >= kCodeCount || isControlCode(static_cast<std::uint8_t>(code)))
    return result;
  db.fonts.glyph(font, code) = grid.encode();
  result.stored = true;
  if (keyText.empty() || keyText == " ") {
    db.keyTable[static_cast<std::size_t>(code)] = 0;
  } else {
    auto key = static_cast<std::uint8_t>(keyText[0]);
    bool taken = false;
    for (int other = 32; other < kCodeCount; ++other)
      taken = taken || (other != code && db.keyTable[static_cast<std::size_t>(other)] == key);
    if (taken)
      result.message = formatMessage(msg::AnotherCodeHasKey, cp1250ToUtf8(keyText.substr(0, 1)));
    else
      db.keyTable[static_cast<std::size_t>(code)] = key;
  }
  grid.load(db.fonts.glyph(font, code));
  db.specialGlyph = findSpecialGlyph(db.fonts);
  return result;
}

namespace {
// Codes without a glyph in any font lose their keys.
void dropKeysOfCodesWithoutGlyphs(PanelDatabase& db) {
  for (int code = 0; code < kCodeCount; ++code) {
    bool used = false;
    for (int font = 0; font < kFontCount && !used; ++font) used = db.fonts.glyph(font, code).exists();
    if (!used) db.keyTable[static_cast<std::size_t>(code)] = 0;
  }
  db.specialGlyph = findSpecialGlyph(db.fonts);
}
}  // namespace

void deleteGlyph(PanelDatabase& db, int font, int code) {
  db.fonts.glyph(font, code) = GlyphRecord{};
  dropKeysOfCodesWithoutGlyphs(db);
}

void deleteCodeInAllFonts(PanelDatabase& db, int code) {
  for (int font = 0; font < kFontCount; ++font) db.fonts.glyph(font, code) = GlyphRecord{};
  dropKeysOfCodesWithoutGlyphs(db);
}

void deleteFont(PanelDatabase& db, int font) {
  for (int code = 0; code < kCodeCount; ++code) db.fonts.glyph(font, code) = GlyphRecord{};
  dropKeysOfCodesWithoutGlyphs(db);
}

void deleteAllFonts(PanelDatabase& db) {
  db.clearFonts(false);
  db.specialGlyph = findSpecialGlyph(db.fonts);
}

std::string deleteGlyphQuestion(int font, int code) {
  return formatMessage(msg::ReallyDeleteGlyph, "[f" + std::to_string(font) + " #" + std::to_string(code) + "]");
}
std::string deleteCodeQuestion(int code) {
  return formatMessage(msg::ReallyDeleteCode, "[#" + std::to_string(code) + "]");
}
std::string deleteFontQuestion(int font) {
  return formatMessage(msg::ReallyDeleteFont, "[f" + std::to_string(font) + "]");
}

}  // namespace dorvak
