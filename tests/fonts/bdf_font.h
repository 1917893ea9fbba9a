#pragma once
// BDF fonts for the tests: written to give the importer exactly the glyphs a
// case needs, and read (from pcf2bdf's copy of a PCF font) as a path to a
// font's bitmaps that does not go through FreeType.

#include <map>
#include <string>
#include <vector>

namespace dorvak::test {

struct BdfGlyph {
  int advance = 0;   // DWIDTH
  int xOffset = 0;   // BBX offsets: the bitmap's left edge from the pen,
  int yOffset = 0;   // and its bottom edge from the baseline (up is positive)
  std::vector<std::string> rows;  // top row first, '#' lit, '.' dark
};

struct BdfFont {
  int ascent = 0;
  int descent = 0;
  std::string registry = "ISO10646";
  std::string encoding = "1";
  std::map<char32_t, BdfGlyph> glyphs;
};

std::string bdfText(const BdfFont& font);
// Reads FONT_ASCENT, FONT_DESCENT and the glyphs with a non-negative ENCODING.
BdfFont readBdf(const std::string& text);

// The panel glyph the importer must make of a bitmap font's glyph: rows from
// the font's ascent down to the lowest lit row, lit columns only; "#"/"."
// rows as glyphAsText prints them, or the advance as that many columns of
// height 0 for a glyph with no lit dot.
struct ExpectedGlyph {
  int columns = 0;
  std::vector<std::string> rows;
};
ExpectedGlyph expectedPanelGlyph(const BdfGlyph& glyph, int ascent);

}  // namespace dorvak::test
