#pragma once
// Glyphs set side by side as the panel sets them into a row (RowComposer),
// for previews of fonts: a text of panel codes wrapped into rows no wider
// than the panel, each row as high as its tallest glyph, one dark dot row
// between rows.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/glyph.h"

namespace dorvak {

struct DotRows {
  int columns = 0;                 // the widest row
  int rows = 0;                    // all rows with the dark rows between them
  std::vector<std::uint8_t> dots;  // rows x columns, row by row, 1 = lit

  bool lit(int column, int row) const {
    return dots[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column)] != 0;
  }
};

// glyphOf gives the glyph of a panel code; a code without a glyph takes no
// room, as on the panel. width: the panel's columns (at most 224); a glyph
// that would reach beyond it starts the next row.
DotRows composeGlyphRows(const std::function<const GlyphRecord&(std::uint8_t code)>& glyphOf, std::string_view codes,
                         int spacing, int width);

}  // namespace dorvak
