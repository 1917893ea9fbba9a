// Glyph previews set as the panel sets a row: spacing between glyphs only,
// rows wrapped at the panel's width, codes without glyphs taking no room.

#include "render/glyph_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "test_support.h"

namespace dorvak {
namespace {

std::vector<std::string> asText(const DotRows& rows) {
  std::vector<std::string> out;
  for (int r = 0; r < rows.rows; ++r) {
    std::string line;
    for (int c = 0; c < rows.columns; ++c) line += rows.lit(c, r) ? '#' : '.';
    out.push_back(line);
  }
  return out;
}

// A one-column glyph of the given rows, all lit.
GlyphRecord bar(int rows) {
  GlyphRecord g;
  g.height = static_cast<std::uint8_t>(rows);
  g.byteCount = static_cast<std::uint8_t>(bytesPerColumn(rows));
  for (int r = 0; r < rows; ++r) setGlyphDot(g, 0, r, true);
  return g;
}

TEST(GlyphRows, SetSideBySideWrappedAtTheWidthWithADarkRowBetween) {
  std::array<GlyphRecord, kCodeCount> glyphs{};
  glyphs['I'] = bar(3);
  glyphs['-'].height = 1;
  glyphs['-'].byteCount = 2;
  setGlyphDot(glyphs['-'], 0, 0, true);
  setGlyphDot(glyphs['-'], 1, 0, true);
  auto glyphOf = [&](std::uint8_t code) -> const GlyphRecord& { return glyphs[code]; };

  EXPECT_EQ(asText(composeGlyphRows(glyphOf, "I-?I", 1, 40)), (std::vector<std::string>{"#.##.#", "#....#", "#....#"}))
      << "a code without a glyph takes no room";
  EXPECT_EQ(asText(composeGlyphRows(glyphOf, "I-I-", 2, 7)),
            (std::vector<std::string>{"#..##", "#....", "#....", ".....", "#..##", "#....", "#...."}));
  EXPECT_EQ(composeGlyphRows(glyphOf, "??", 1, 40).rows, 0);
  // A glyph taller than the panel is cut at its 29 rows.
  glyphs['T'] = bar(40);
  EXPECT_EQ(composeGlyphRows(glyphOf, "T", 1, 40).rows, 29);
}

}  // namespace
}  // namespace dorvak
