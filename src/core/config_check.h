#pragma once
// What a new configuration would do to the data base before it is applied:
// the faults that make the data base unsaveable or lose texts when saved
// are refused, the losses the user may accept are warnings to ask about.

#include <string>
#include <vector>

#include "core/hex_writer.h"
#include "core/panel_database.h"

namespace dorvak {

struct ConfigurationCheck {
  std::vector<std::string> refusals;  // the configuration must not be applied
  std::vector<std::string> warnings;  // Yes/No questions: applied only when all are answered Yes
  bool accepted() const { return refusals.empty(); }
};

// proposed: the data base as it would be with the new configuration, code
// table and format strings; current: as it is. Refused: no firmware chosen;
// a field the panel type shows lying outside the panel or without dots;
// destination numbers above 999 in three-digit mode; destinations while no
// command that saves their table (z, or zC on firmware 2.x) is chosen; a
// data base the writer cannot lay out with the new configuration although it
// can with the current one ("Table address overflow" ...). Warned: a switch
// to firmware 1.6 while fonts hold characters of code 255, which saving
// leaves out. save: the options Save uses (ekvivalent mode, KT500 table).
// The list holds a destination number of 1000 or more, which three-digit
// destination numbers cannot carry.
bool hasDestinationAbove999(const TextList& destinations);

ConfigurationCheck checkConfiguration(const PanelDatabase& current, const PanelDatabase& proposed,
                                      const HexWriteOptions& save = {});

}  // namespace dorvak
