#include "core/panel_database.h"

namespace dorvak {

void PanelDatabase::resetConfig() {
  PanelConfig fresh;
  fresh.panelNumber = config.panelNumber;
  fresh.brightness = config.brightness;
  config = fresh;
  codeTable.name.clear();
  formatStrings.name.clear();
  autoformatPresets = AutoformatPresets::defaults();
}

void PanelDatabase::clearTexts() {
  lines.deleteAll();
  destinations.deleteAll();
  stops.deleteAll();
  codeTable.name.clear();
  formatStrings.name.clear();
  dataVersion.clear();
}

void PanelDatabase::clearFonts(bool withDefaultKeys) {
  fonts.clear();
  if (withDefaultKeys)
    keyTable = DefaultKeyTable;
  else
    keyTable.fill(0);
}

TextList& PanelDatabase::list(TextKind kind) {
  switch (kind) {
    case TextKind::Line: return lines;
    case TextKind::Destination: return destinations;
    case TextKind::Stop: break;
  }
  return stops;
}

const TextList& PanelDatabase::list(TextKind kind) const {
  return const_cast<PanelDatabase*>(this)->list(kind);
}

std::string PanelDatabase::makeKey(TextKind kind, int number) const {
  return dorvak::makeKey(kind, number, config.fourDigitDestinations());
}

}  // namespace dorvak
