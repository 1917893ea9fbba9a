#include "text/autoformat_choice.h"

#include <algorithm>

namespace dorvak {

namespace {
bool isRowBreak(char c) { return c == '\n' || c == '|'; }

// Width of one row and the height of its tallest glyph.
RowMeasure measureRow(std::string_view row, const FontTable& fonts, int font, int spacing, WidthRule rule) {
  RowMeasure m;
  bool first = true;
  for (char c : row) {
    const GlyphRecord& g = fonts.glyph(font & 0x0F, static_cast<std::uint8_t>(c));
    int columns = glyphColumns(g);
    m.height = std::max(m.height, static_cast<int>(g.height));
    if (columns == 0 && rule == WidthRule::GlyphsOnly) continue;
    if (!first) m.width += spacing;
    m.width += columns;
    first = false;
  }
  return m;
}

// True when the font has a glyph for every character of the text; an empty
// font, or one without a letter of the text, would draw the row wrongly.
bool drawsEveryCharacter(std::string_view text, const FontTable& fonts, int font) {
  for (char c : text) {
    const auto code = static_cast<std::uint8_t>(c);
    if (isRowBreak(c) || isControlCode(code)) continue;
    if (!fonts.glyph(font & 0x0F, code).exists()) return false;
  }
  return true;
}

template <typename Visit>
void forEachRow(std::string_view text, Visit visit) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || isRowBreak(text[i])) {
      visit(text.substr(start, i - start));
      start = i + 1;
    }
  }
}
}  // namespace

RowMeasure measureText(std::string_view text, const FontTable& fonts, int font, int spacing, WidthRule rule) {
  RowMeasure total;
  forEachRow(text, [&](std::string_view row) {
    RowMeasure m = measureRow(row, fonts, font, spacing, rule);
    total.width = std::max(total.width, m.width);
    total.height = std::max(total.height, m.height);
  });
  return total;
}

int rowPixelWidth(std::string_view text, const FontTable& fonts, int font, int rowIndex, int spacing, WidthRule rule) {
  int index = 0, width = 0;
  forEachRow(text, [&](std::string_view row) {
    if (index++ <= rowIndex) width = measureRow(row, fonts, font, spacing, rule).width;
  });
  return width;
}

AutoformatChoice chooseAutoformat(const PresetTable& presets, std::string_view text, int maxWidth, int height,
                                  const FieldStyle& fieldStyle, int fieldLeft, const FontTable& fonts,
                                  WidthRule rule) {
  AutoformatChoice choice{fieldStyle.font, fieldStyle.space, fieldStyle.shift, fieldLeft};
  RowMeasure measure = measureText(text, fonts, choice.font, choice.spacing, rule);
  // Presets whose font lacks a character of the text are passed over, unless
  // no preset's font has them all; so are presets in which the text is
  // higher than the room, unless none of the others is low enough: a format
  // that loses characters or dot rows never wins over one that shows them.
  auto draws = [&](const PresetEntry& entry) { return drawsEveryCharacter(text, fonts, entry.font); };
  auto lowEnough = [&](const PresetEntry& entry) {
    return measureText(text, fonts, entry.font, entry.spacing, rule).height <= height;
  };
  const bool anyDraws = std::any_of(presets.begin(), presets.end(),
                                    [&](const PresetEntry& entry) { return entry.font != 255 && draws(entry); });
  const bool anyLowEnough = std::any_of(presets.begin(), presets.end(), [&](const PresetEntry& entry) {
    return entry.font != 255 && (!anyDraws || draws(entry)) && lowEnough(entry);
  });
  for (const PresetEntry& entry : presets) {
    if (entry.font == 255) continue;
    if (anyDraws && !draws(entry)) continue;
    if (anyLowEnough && !lowEnough(entry)) continue;
    choice.font = entry.font;
    choice.spacing = entry.spacing;
    choice.shift = entry.shift;
    measure = measureText(text, fonts, entry.font, entry.spacing, rule);
    if (measure.width <= maxWidth) break;
  }
  if (measure.height < height) choice.shift = static_cast<std::uint8_t>((height - measure.height) / 2);
  choice.column = measure.width >= maxWidth ? fieldLeft : (maxWidth - measure.width) / 2 + fieldLeft;
  return choice;
}

}  // namespace dorvak
