#pragma once
// A data base that fills both banks of the panel image: all sixteen fonts
// with glyphs, lines, destinations and thousands of stops.

#include "core/panel_database.h"

namespace dorvak::bench {

PanelDatabase makeFullDatabase();

}  // namespace dorvak::bench
