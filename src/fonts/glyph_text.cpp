#include "fonts/glyph_text.h"

namespace dorvak {

std::vector<std::string> glyphAsText(const GlyphRecord& glyph) {
  std::vector<std::string> rows;
  const int columns = glyphColumns(glyph);
  for (int r = 0; r < glyph.height; ++r) {
    std::string row;
    for (int c = 0; c < columns; ++c) row += glyphDot(glyph, c, r) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

}  // namespace dorvak
