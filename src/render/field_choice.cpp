#include "render/field_choice.h"

#include <charconv>
#include <cstdio>

#include "core/messages.h"
#include "render/render_messages.h"

namespace dorvak {

int startingDestinationNumber(const PanelDatabase& db) { return db.config.fourDigitDestinations() ? 10000 : 1000; }

int numberOfKey(const PanelDatabase& db, std::string_view key) {
  if (key == kStartingDestinationKey) return startingDestinationNumber(db);
  int number = -1;
  const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
  return error == std::errc() && end == key.data() + key.size() ? number : -1;
}

std::string chooserText(const PanelDatabase& db, FieldId fieldId, int number) {
  const bool fourDigits = db.config.keyDigits(textKindOf(fieldId)) == 4;
  if (fieldId == FieldId::Destination && number == startingDestinationNumber(db)) return fourDigits ? "XXXX" : "XXX";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, fourDigits ? "%4.4d" : "%3.3d", number);
  return buffer;
}

ChoiceResult showNumber(PanelRenderer& renderer, FieldId fieldId, int number) {
  const PanelDatabase& db = renderer.database();
  const TextList& list = db.list(textKindOf(fieldId));
  if (auto index = list.findEntry(db.makeKey(textKindOf(fieldId), number))) {
    renderer.showEntry(fieldId, *index);
    return {true, {}};
  }
  renderer.view(fieldId).number = -1;
  if (fieldId == FieldId::Line) {
    renderer.startField(fieldId, (number == 0 ? std::string() : std::to_string(number)) + kCR, -1);
    return {false, {}};
  }
  renderer.startField(fieldId, std::string(1, kCR), -1);
  auto text = fieldId == FieldId::Destination ? msg::DestinationDoesNotExist : msg::StopDoesNotExist;
  return {false, formatMessage(text, chooserText(db, fieldId, number))};
}

void showFirstEntries(PanelRenderer& renderer) {
  for (FieldId id : kAllFields)
    if (renderer.chooserEnabled(id)) renderer.showEntry(id, 0);
}

}  // namespace dorvak
