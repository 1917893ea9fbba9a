#include "fonts/font_manager.h"

#include <algorithm>

namespace dorvak {

namespace {
bool validFont(int font) { return font >= 0 && font < kFontCount; }
bool validCode(int code) { return code >= 0 && code < kCodeCount; }

void copyGlyph(const FontTable& source, FontTable& working, int sourceFont, int sourceCode, int destinationFont,
               int destinationCode) {
  if (!validFont(sourceFont) || !validFont(destinationFont) || !validCode(sourceCode) || !validCode(destinationCode))
    return;
  working.glyph(destinationFont, destinationCode) = source.glyph(sourceFont, sourceCode);
}
}  // namespace

void stepCopy(CopyPositions& at, FontManagerMode mode) {
  if (mode == FontManagerMode::OneGlyph) return;
  if (at.sourceCode < 255 && at.destinationCode < 255) {
    ++at.sourceCode;
    ++at.destinationCode;
    return;
  }
  if (mode == FontManagerMode::AllFonts && at.sourceFont < 15 && at.destinationFont < 15) {
    ++at.sourceFont;
    ++at.destinationFont;
    at.sourceCode = at.destinationCode = 32;
  }
}

void copyAndStep(const FontTable& source, FontTable& working, CopyPositions& at, FontManagerMode mode) {
  copyGlyph(source, working, at.sourceFont, at.sourceCode, at.destinationFont, at.destinationCode);
  stepCopy(at, mode);
}

void copyRest(const FontTable& source, FontTable& working, const CopyPositions& at, FontManagerMode mode) {
  if (mode == FontManagerMode::OneGlyph) return;
  for (int s = at.sourceCode, d = at.destinationCode; s <= 255 && d <= 255; ++s, ++d)
    copyGlyph(source, working, at.sourceFont, s, at.destinationFont, d);
  if (mode != FontManagerMode::AllFonts) return;
  for (int font = std::max(at.sourceFont + 1, 0); font < kFontCount; ++font)
    for (int code = 32; code <= 255; ++code) copyGlyph(source, working, font, code, font, code);
}

void stepDelete(DeletePosition& at, FontManagerMode mode) {
  if (mode == FontManagerMode::OneGlyph) return;
  if (at.code < 255) {
    ++at.code;
  } else if (mode == FontManagerMode::AllFonts && at.font < 15) {
    ++at.font;
    at.code = 32;
  }
}

void deleteAndStep(FontTable& working, DeletePosition& at, FontManagerMode mode) {
  if (validFont(at.font) && validCode(at.code)) working.glyph(at.font, at.code) = GlyphRecord{};
  stepDelete(at, mode);
}

void deleteRest(FontTable& working, const DeletePosition& at, FontManagerMode mode) {
  if (mode == FontManagerMode::OneGlyph || !validFont(at.font)) return;
  for (int code = std::max(at.code, 0); code <= 255; ++code) working.glyph(at.font, code) = GlyphRecord{};
  if (mode != FontManagerMode::AllFonts) return;
  for (int font = at.font + 1; font < kFontCount; ++font)
    for (int code = 32; code <= 255; ++code) working.glyph(font, code) = GlyphRecord{};
}

}  // namespace dorvak
