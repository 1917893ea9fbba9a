#pragma once
// The font manager's operations: copying glyphs from a source set (the
// working fonts or a file's fonts) into the working fonts, and deleting
// glyphs, one at a time with a yes/no per glyph, a whole font, or all fonts.
// Copying never touches the key table.

#include "core/glyph.h"

namespace dorvak {

enum class FontManagerMode { AllFonts, WholeFont, OneGlyph };

struct CopyPositions {
  int sourceFont = 0, sourceCode = 65;
  int destinationFont = 0, destinationCode = 65;
  bool operator==(const CopyPositions&) const = default;
};

struct DeletePosition {
  int font = 0, code = 65;
  bool operator==(const DeletePosition&) const = default;
};

// "ANO": copies the source glyph over the destination glyph, then steps.
void copyAndStep(const FontTable& source, FontTable& working, CopyPositions& at, FontManagerMode mode);
// "NE": steps without copying. Whole font: both codes advance unless one is
// 255. All fonts: the same, and at code 255 both fonts advance with codes
// back at 32, unless one font is 15. One glyph: no step.
void stepCopy(CopyPositions& at, FontManagerMode mode);
// "VŠECHNY": from the positions to code 255 of either side; in the all-fonts
// mode then every code 32..255 of each later font to the same font.
void copyRest(const FontTable& source, FontTable& working, const CopyPositions& at, FontManagerMode mode);

// The delete tab's "ANO", "NE" and "VŠECHNY" on the working fonts.
void deleteAndStep(FontTable& working, DeletePosition& at, FontManagerMode mode);
void stepDelete(DeletePosition& at, FontManagerMode mode);
void deleteRest(FontTable& working, const DeletePosition& at, FontManagerMode mode);

}  // namespace dorvak
