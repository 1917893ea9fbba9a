#pragma once
// The one in-memory panel data base: configuration, sixteen fonts with their
// key table, the texts of lines, destinations and stops, the optional code
// table and format strings, and the data version. New, Open and Close refill
// or clear it in place.

#include <string>

#include "core/autoformat.h"
#include "core/code_table.h"
#include "core/glyph.h"
#include "core/panel_config.h"
#include "core/text_list.h"

namespace dorvak {

inline constexpr std::size_t kMaxDataVersionLength = 15;

struct PanelDatabase {
  PanelConfig config;
  FontTable fonts;
  KeyTable keyTable{};  // all zero until fonts are read or cleared with defaults
  SpecialGlyph specialGlyph;
  TextList lines;
  TextList destinations;
  TextList stops;
  CodeTable codeTable;
  FormatStrings formatStrings;
  std::string dataVersion;  // Windows-1250, at most 15 characters
  AutoformatPresets autoformatPresets = AutoformatPresets::defaults();

  // Configuration defaults (New); panel number and brightness are kept.
  void resetConfig();
  // Empties the three lists and clears the code table and format strings
  // names and the data version.
  void clearTexts();
  // Zeroes every glyph; the key table becomes the default one or all zeros.
  void clearFonts(bool withDefaultKeys);
  bool hasFonts() const { return fonts.hasFonts(); }

  TextList& list(TextKind kind);
  const TextList& list(TextKind kind) const;
  // The key of a number in the given list under the current destination mode.
  std::string makeKey(TextKind kind, int number) const;

  bool operator==(const PanelDatabase&) const = default;
};

}  // namespace dorvak
