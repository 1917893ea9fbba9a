#pragma once
// Choosing font, spacing and shift for a text from the preset tables, and
// measuring rows in dots.

#include <cstdint>
#include <string_view>

#include "core/autoformat.h"
#include "core/glyph.h"
#include "core/panel_config.h"

namespace dorvak {

// How spacing counts in a row's width: the destination and stop editors add
// it only before characters that have columns; the line editor adds it
// before every character after the row's first.
enum class WidthRule { GlyphsOnly, EveryCharacter };

struct RowMeasure {
  int width = 0;   // dots of the widest row
  int height = 0;  // the greatest glyph height
};

// Rows separated by LF or "|", measured in one font with one spacing.
RowMeasure measureText(std::string_view text, const FontTable& fonts, int font, int spacing, WidthRule rule);

// Width of row rowIndex (0-based), or of the last row when there are fewer.
int rowPixelWidth(std::string_view text, const FontTable& fonts, int font, int rowIndex, int spacing,
                  WidthRule rule = WidthRule::GlyphsOnly);

struct AutoformatChoice {
  std::uint8_t font;
  std::uint8_t spacing;
  std::uint8_t shift;
  int column;  // where the text starts: centred in the field when narrower
  bool operator==(const AutoformatChoice&) const = default;
};

// The first preset (table order, free entries skipped) in which the widest
// row fits maxWidth; the last one tried when none fits; the field's style
// when the table has no entry. Presets whose font lacks a glyph for a
// character of the text are skipped too, unless every preset's font lacks
// one, and so are presets in which the text is higher than the height,
// unless no other is low enough. A text lower than the height is centred
// vertically by the shift.
AutoformatChoice chooseAutoformat(const PresetTable& presets, std::string_view text, int maxWidth, int height,
                                  const FieldStyle& fieldStyle, int fieldLeft, const FontTable& fonts,
                                  WidthRule rule = WidthRule::GlyphsOnly);

}  // namespace dorvak
