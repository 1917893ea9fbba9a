#include "text/compose.h"

#include <algorithm>

#include "config/translations.h"
#include "text/autoformat_choice.h"
#include "text/stored_text.h"

namespace dorvak {

namespace {

std::string toPanel(std::string_view keys, const KeyTable& table, bool barIsRowBreak) {
  std::string text(keys);
  if (barIsRowBreak) std::replace(text.begin(), text.end(), '|', '\n');
  KeysToPanelCodes(text, table);
  return text;
}

// Control bytes stay inside their ranges whatever a damaged configuration holds.
char fontByte(int font) { return static_cast<char>(code::FontBase + (font & 0x0F)); }
char spacingByte(int spacing) { return static_cast<char>(code::SpacingBase + std::clamp(spacing, 0, 15)); }
char shiftByte(int shift) { return static_cast<char>(code::ShiftBase + std::clamp(shift, 0, 31)); }

struct Chooser {
  const PanelDatabase& db;
  TextKind kind;
  WidthRule rule;
  AutoformatChoice operator()(const PresetTable& presets, std::string_view text, int width, int height) const {
    return chooseAutoformat(presets, text, width, height, db.config.style(kind), 0, db.fonts, rule);
  }
};

}  // namespace

ComposeGeometry ComposeGeometry::of(const PanelConfig& config, TextKind kind) {
  const FieldRect& field = config.field(kind);
  ComposeGeometry g;
  g.width = field.right - field.left + 1;
  g.height = field.top - field.bottom + 1;
  g.upper = (field.top - field.bottom) / 2 + 1;
  g.panelHeight = config.height;
  return g;
}

std::string composeDestination(const PanelDatabase& db, const ComposeGeometry& room, std::string_view row1,
                               std::string_view furtherRows) {
  const std::string first = toPanel(row1, db.keyTable, false);
  const std::string rest = toPanel(furtherRows, db.keyTable, true);
  const auto& presets = db.autoformatPresets;
  Chooser choose{db, TextKind::Destination, WidthRule::GlyphsOnly};
  std::string text;
  if (!rest.empty()) {
    AutoformatChoice one = choose(presets.twoRowFirstPresets, first, room.width, room.height);
    AutoformatChoice two = choose(presets.twoRowSecondPresets, rest, room.width, room.height - room.upper);
    if (!first.empty()) text += {fontByte(one.font), spacingByte(one.spacing), shiftByte(0)};
    text += first;
    text += {char(code::LF), fontByte(two.font), spacingByte(two.spacing), shiftByte(room.upper + two.shift)};
    text += rest;
    if (rest.find('\n') != std::string::npos) text += char(code::VT);
  } else if (!first.empty()) {
    bool stopPanel = db.config.panelType == PanelType::DestinationStop ||
                     db.config.panelType == PanelType::LineDestinationStop;
    AutoformatChoice one =
        choose(stopPanel ? presets.twoRowFirstPresets : presets.oneRowPresets, first, room.width, room.height);
    text += {fontByte(one.font), spacingByte(one.spacing), shiftByte(one.shift)};
    text += first;
  }
  text += char(code::CR);
  return text;
}

std::string composeLine(const PanelDatabase& db, const ComposeGeometry& room, std::string_view row1,
                        std::string_view furtherRows) {
  const std::string first = toPanel(row1, db.keyTable, false);
  const std::string rest = toPanel(furtherRows, db.keyTable, true);
  const auto& presets = db.autoformatPresets;
  Chooser choose{db, TextKind::Line, WidthRule::EveryCharacter};
  std::string text;
  if (!rest.empty()) {
    AutoformatChoice one = choose(presets.twoRowFirstPresets, first, room.width, room.height);
    if (!first.empty()) text += {fontByte(one.font), spacingByte(one.spacing), shiftByte(0)};
    text += first;
    std::size_t start = 0;
    while (start <= rest.size()) {
      std::size_t end = std::min(rest.find('\n', start), rest.size());
      std::string_view row(rest.data() + start, end - start);
      AutoformatChoice each = choose(presets.twoRowFirstPresets, row, room.width, room.panelHeight);
      text += {char(code::LF), fontByte(each.font), spacingByte(each.spacing)};
      text += row;
      start = end + 1;
    }
    text += char(code::VT);
  } else if (!first.empty()) {
    AutoformatChoice one = choose(presets.oneRowPresets, first, room.width, room.height);
    text += {fontByte(one.font), spacingByte(one.spacing), shiftByte(one.shift)};
    text += first;
  }
  text += char(code::CR);
  return text;
}

std::string composeStop(const PanelDatabase& db, const ComposeGeometry& room, std::string_view row1,
                        std::string_view furtherRows) {
  const std::string first = toPanel(row1, db.keyTable, false);
  const std::string rest = toPanel(furtherRows, db.keyTable, true);
  Chooser choose{db, TextKind::Stop, WidthRule::GlyphsOnly};
  const PresetTable& presets = db.autoformatPresets.twoRowSecondPresets;
  std::string text;
  if (!first.empty()) {
    AutoformatChoice one = choose(presets, first, room.width, room.height);
    text += {fontByte(one.font), spacingByte(one.spacing)};
    text += first;
  }
  if (!rest.empty()) {
    std::size_t start = 0;
    while (start <= rest.size()) {
      std::size_t end = std::min(rest.find('\n', start), rest.size());
      std::string_view row(rest.data() + start, end - start);
      AutoformatChoice each = choose(presets, row, room.width, room.height);
      text += {char(code::LF), fontByte(each.font), spacingByte(each.spacing)};
      text += row;
      start = end + 1;
    }
    text += char(code::VT);
  }
  text += char(code::CR);
  return text;
}

}  // namespace dorvak
