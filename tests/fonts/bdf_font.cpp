#include "fonts/bdf_font.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace dorvak::test {

std::string bdfText(const BdfFont& font) {
  std::ostringstream out;
  int height = font.ascent + font.descent;
  out << "STARTFONT 2.1\nFONT -Test-Dorvak-Medium-R-Normal--" << height << "-" << height * 10 << "-75-75-C-60-"
      << font.registry << "-" << font.encoding << "\nSIZE " << height << " 75 75\nFONTBOUNDINGBOX 40 " << height
      << " 0 " << -font.descent << "\nSTARTPROPERTIES 5\nFONT_ASCENT " << font.ascent << "\nFONT_DESCENT "
      << font.descent << "\nPIXEL_SIZE " << height << "\nCHARSET_REGISTRY \"" << font.registry
      << "\"\nCHARSET_ENCODING \"" << font.encoding << "\"\nENDPROPERTIES\nCHARS " << font.glyphs.size() << "\n";
  for (const auto& [encoding, g] : font.glyphs) {
    int width = g.rows.empty() ? 0 : static_cast<int>(g.rows[0].size());
    out << "STARTCHAR u" << static_cast<unsigned>(encoding) << "\nENCODING " << static_cast<unsigned>(encoding)
        << "\nSWIDTH " << g.advance * 1000 / std::max(height, 1) << " 0\nDWIDTH " << g.advance << " 0\nBBX " << width
        << " " << g.rows.size() << " " << g.xOffset << " " << g.yOffset << "\nBITMAP\n";
    for (const std::string& row : g.rows) {
      std::vector<unsigned> bytes(static_cast<std::size_t>((width + 7) / 8), 0);
      for (int c = 0; c < width; ++c)
        if (row[static_cast<std::size_t>(c)] == '#') bytes[static_cast<std::size_t>(c / 8)] |= 0x80u >> (c % 8);
      for (unsigned b : bytes) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", b);
        out << hex;
      }
      out << "\n";
    }
    out << "ENDCHAR\n";
  }
  out << "ENDFONT\n";
  return out.str();
}

BdfFont readBdf(const std::string& text) {
  BdfFont font;
  std::istringstream in(text);
  std::string line;
  long encoding = -1;
  BdfGlyph glyph;
  int width = 0, height = 0;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "FONT_ASCENT") {
      words >> font.ascent;
    } else if (keyword == "FONT_DESCENT") {
      words >> font.descent;
    } else if (keyword == "STARTCHAR") {
      glyph = BdfGlyph{};
      encoding = -1;
    } else if (keyword == "ENCODING") {
      words >> encoding;
    } else if (keyword == "DWIDTH") {
      words >> glyph.advance;
    } else if (keyword == "BBX") {
      words >> width >> height >> glyph.xOffset >> glyph.yOffset;
    } else if (keyword == "BITMAP") {
      for (int r = 0; r < height; ++r) {
        std::string hex;
        if (!std::getline(in, hex)) throw std::runtime_error("BDF bitmap cut short");
        std::string row;
        for (int c = 0; c < width; ++c) {
          unsigned nibble = static_cast<unsigned>(std::stoul(hex.substr(static_cast<std::size_t>(c / 4), 1), nullptr, 16));
          row += (nibble & (0x8u >> (c % 4))) ? '#' : '.';
        }
        glyph.rows.push_back(row);
      }
    } else if (keyword == "ENDCHAR" && encoding >= 0) {
      font.glyphs[static_cast<char32_t>(encoding)] = glyph;
    }
  }
  return font;
}

ExpectedGlyph expectedPanelGlyph(const BdfGlyph& glyph, int ascent) {
  int height = static_cast<int>(glyph.rows.size());
  int width = height ? static_cast<int>(glyph.rows[0].size()) : 0;
  int firstColumn = width, lastColumn = -1, lastRow = -1;
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c)
      if (glyph.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '#') {
        firstColumn = std::min(firstColumn, c);
        lastColumn = std::max(lastColumn, c);
        lastRow = std::max(lastRow, r);
      }
  ExpectedGlyph expected;
  if (lastRow < 0) {
    expected.columns = glyph.advance;
    return expected;
  }
  // Bitmap row r lies at panel row (ascent - top edge of the bitmap) + r.
  int shift = ascent - (glyph.yOffset + height);
  if (shift < 0) throw std::runtime_error("the glyph reaches above the font's ascent");
  expected.columns = lastColumn - firstColumn + 1;
  expected.rows.assign(static_cast<std::size_t>(shift + lastRow + 1), std::string(static_cast<std::size_t>(expected.columns), '.'));
  for (int r = 0; r <= lastRow; ++r)
    for (int c = firstColumn; c <= lastColumn; ++c)
      if (glyph.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '#')
        expected.rows[static_cast<std::size_t>(shift + r)][static_cast<std::size_t>(c - firstColumn)] = '#';
  return expected;
}

}  // namespace dorvak::test
