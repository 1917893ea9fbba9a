#include "render/glyph_rows.h"

#include <algorithm>
#include <memory>

#include "render/row_composer.h"

namespace dorvak {

DotRows composeGlyphRows(const std::function<const GlyphRecord&(std::uint8_t code)>& glyphOf, std::string_view codes,
                         int spacing, int width) {
  width = std::clamp(width, 1, kPictureColumns);
  auto composer = std::make_unique<RowComposer>();
  composer->reset(kPictureRows);

  struct Line {
    int columns = 0, rows = 0;
    std::vector<std::uint8_t> dots;
  };
  std::vector<Line> lines;
  auto endLine = [&] {
    const RowState& state = composer->state();
    Line line;
    line.columns = std::min(state.rowWidth, kPictureColumns);
    line.rows = std::clamp(state.rowBottomUsed, 0, kPictureRows);
    if (line.columns > 0 && line.rows > 0) {
      for (int r = 0; r < line.rows; ++r)
        for (int c = 0; c < line.columns; ++c) line.dots.push_back(composer->dot(r, c) ? 1 : 0);
      lines.push_back(std::move(line));
    }
    composer->reset(kPictureRows);
  };
  for (char c : codes) {
    const GlyphRecord& glyph = glyphOf(static_cast<std::uint8_t>(c));
    const int columns = glyphColumns(glyph);
    if (columns == 0) continue;
    const RowState& state = composer->state();
    if (!state.firstGlyph && state.cursor + spacing + columns > width) endLine();
    composer->drawGlyph(glyph, spacing, 0);
  }
  endLine();

  DotRows out;
  for (const Line& line : lines) out.columns = std::max(out.columns, line.columns);
  for (const Line& line : lines) out.rows += line.rows;
  if (!lines.empty()) out.rows += static_cast<int>(lines.size()) - 1;
  out.dots.assign(static_cast<std::size_t>(out.rows) * static_cast<std::size_t>(out.columns), 0);
  int top = 0;
  for (const Line& line : lines) {
    for (int r = 0; r < line.rows; ++r)
      std::copy_n(line.dots.begin() + static_cast<std::ptrdiff_t>(r * line.columns), line.columns,
                  out.dots.begin() + static_cast<std::ptrdiff_t>((top + r) * out.columns));
    top += line.rows + 1;
  }
  return out;
}

}  // namespace dorvak
