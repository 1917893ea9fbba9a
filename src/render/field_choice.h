#pragma once
// Choosing what a field shows, as the main window's choosers do: a number
// is looked up in its list and its entry shown; the first entries are shown
// after an Open.

#include <cstdint>
#include <string>

#include "render/panel_renderer.h"

namespace dorvak {

// The number of the starting destination in the data base's destination
// mode: 1000 (three-digit) or 10000 (four-digit).
int startingDestinationNumber(const PanelDatabase& db);

// The number of a list entry's key ("XXXX": the starting destination); -1
// for a key that is not a number.
int numberOfKey(const PanelDatabase& db, std::string_view key);

// The number as a chooser shows it: "%3.3d" for lines and three-digit
// destinations, "%4.4d" for stops and four-digit destinations, "XXX" or
// "XXXX" for the starting destination.
std::string chooserText(const PanelDatabase& db, FieldId fieldId, int number);

struct ChoiceResult {
  bool exists = false;
  std::string message;  // "Destination 012 don't exist" / "Stop 0042 don't exist"; empty otherwise
};

// Shows the entry of the number in its field. A line that does not exist is
// shown as its digits (nothing for line 0); a destination or stop that does
// not exist leaves its field empty and reports its message. The number must
// lie in the chooser's range (lines 0..999, destinations 0..999 or 0..9999
// and the starting destination, stops 0..9999); throws std::out_of_range
// otherwise.
ChoiceResult showNumber(PanelRenderer& renderer, FieldId fieldId, int number);

// After an Open: the first entry of each non-empty list whose chooser is on.
void showFirstEntries(PanelRenderer& renderer);

}  // namespace dorvak
