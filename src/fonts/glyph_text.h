#pragma once
// A glyph as text: one line per row from the top, "#" for a lit dot and "."
// for a dark one, for checking glyphs on a terminal and in tests.

#include <string>
#include <vector>

#include "core/glyph.h"

namespace dorvak {

// height rows of glyphColumns characters; none for a glyph of height 0.
std::vector<std::string> glyphAsText(const GlyphRecord& glyph);

}  // namespace dorvak
