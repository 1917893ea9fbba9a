#pragma once
// Building a stored text from plain rows, as the readers of text files do:
// each row gets its font, spacing and shift from the preset tables, and no
// start column, so that the panel centres every row.

#include <string>
#include <string_view>

#include "core/panel_database.h"

namespace dorvak {

// The room a text has: the width of its field on the panel, the field's
// height, and the height of the upper of two rows.
struct ComposeGeometry {
  int width = 0;
  int height = 0;
  int upper = 0;
  int panelHeight = 0;

  // From the configuration's field of the list.
  static ComposeGeometry of(const PanelConfig& config, TextKind kind);
};

// A destination from row 1 and further rows ("|" or LF between them), in
// keyboard characters.
std::string composeDestination(const PanelDatabase& db, const ComposeGeometry& room, std::string_view row1,
                               std::string_view furtherRows);
// A line: the further rows each get their own font and spacing.
std::string composeLine(const PanelDatabase& db, const ComposeGeometry& room, std::string_view row1,
                        std::string_view furtherRows);
// A stop: every row gets font and spacing, none a shift.
std::string composeStop(const PanelDatabase& db, const ComposeGeometry& room, std::string_view row1,
                        std::string_view furtherRows);

}  // namespace dorvak
