#pragma once
// Panel fonts from standard fonts: every panel code that has a key gets the
// glyph of its key character (Windows-1250) from a bitmap font's strike or an
// outline font drawn at the panel's dot height.
//
// Glyph rows start at the font's top row, so all glyphs of a font share one
// baseline; a glyph is as high as its lowest lit row (or the font's full
// height) and as wide as its lit columns. A glyph without lit dots, such as
// the space, keeps its advance width with height 0.

#include <cstdint>
#include <string>
#include <vector>

#include "core/glyph.h"
#include "core/panel_database.h"
#include "fonts/font_face.h"

namespace dorvak {

// A panel glyph is at most this many dots wide and high.
inline constexpr int kMaxGlyphDots = 28;

struct FontImportOptions {
  int height = 0;           // the font's rows on the panel, 1..28
  bool fullHeight = false;  // every glyph the font's full height instead of down to its lowest lit row
  std::uint8_t firstCode = 32;
  std::uint8_t lastCode = 255;
};

// A panel code and the keyboard character (Windows-1250) typed for it.
struct PanelCharacter {
  std::uint8_t code = 0;
  std::uint8_t key = 0;
  bool operator==(const PanelCharacter&) const = default;
};

struct ImportedGlyph {
  std::uint8_t code = 0;
  GlyphRecord glyph;
};

struct FontImport {
  std::vector<ImportedGlyph> glyphs;
  std::vector<PanelCharacter> missing;  // characters the font lacks (or draws as nothing at all)
  int pixelsPerEm = 0;                  // outline fonts: the size they were drawn at; 0 for a strike
};

// Keys that are control characters (C0, DEL and C1, which include the bytes
// Windows-1250 leaves undefined): no font draws them, so no glyph is
// imported for them and they are never reported missing.
bool isControlKey(std::uint8_t key);

// The codes firstCode..lastCode that may carry a glyph (no control codes)
// and have a key that is not a control character.
std::vector<PanelCharacter> keyedCharacters(const KeyTable& keys, std::uint8_t firstCode, std::uint8_t lastCode);

// Draws the glyphs of the keyed characters. A bitmap font uses its strike of
// that line height, its ascent being the top row. An outline font is drawn at
// the largest size at which every character imported fits the rows together,
// the lowest lit row of them all on the last row.
//
// Throws DorvakError when the height is out of range, the font has no such
// strike, or a glyph would not fit a panel glyph; that message names every
// such character, and nothing is imported.
FontImport importGlyphs(FontFace& face, const KeyTable& keys, const FontImportOptions& options);

// Opens the font file and stores the imported glyphs in the data base's font;
// codes whose character the font lacks keep their glyphs.
FontImport importFontFile(PanelDatabase& db, int font, const std::string& path, const FontImportOptions& options);

// The part of importFontFile that cannot fail: the imported glyphs go into
// the font and the special glyph follows.
void storeImportedGlyphs(PanelDatabase& db, int font, const FontImport& imported);

// "Č (code 128)"
std::string describePanelCharacter(const PanelCharacter& character);

}  // namespace dorvak
