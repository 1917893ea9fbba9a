#include "fonts/font_import.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "config/cp1250.h"
#include "core/error.h"

namespace dorvak {

namespace {

char32_t unicodeOf(const PanelCharacter& c) { return cp1250ToUnicode(c.key); }

// The rows that the lit dots of a set of glyphs span, relative to the baseline.
struct InkSpan {
  bool any = false;
  int top = INT_MIN;
  int bottom = INT_MAX;
  int rows() const { return any ? top - bottom : 0; }
};

InkSpan inkSpan(FontFace& face, int ppem, const std::vector<PanelCharacter>& characters) {
  face.setPixelsPerEm(ppem);
  InkSpan span;
  for (const PanelCharacter& c : characters) {
    std::optional<SourceGlyph> glyph = face.draw(unicodeOf(c));
    if (!glyph || !glyph->inked()) continue;
    span.any = true;
    span.top = std::max(span.top, glyph->top);
    span.bottom = std::min(span.bottom, glyph->bottom());
  }
  return span;
}

// Where an outline font is drawn: its size and its top row.
struct OutlineFit {
  int ppem = 0;
  int topLine = 0;  // rows from the baseline up to the top edge of row 0
};

// Hinting moves edges by whole dots, so the size is found by drawing: the
// largest size, up to twice the height, at which the lit dots of every
// character fit the rows. The search starts from the size the font's design
// ascent and descent suggest.
OutlineFit fitOutline(FontFace& face, const std::vector<PanelCharacter>& characters, int height) {
  const int largest = 2 * height;
  const double designRows = face.ascentPerEm() + face.descentPerEm();
  int ppem = designRows > 0.2 && designRows < 5 ? static_cast<int>(height / designRows) : height;
  ppem = std::clamp(ppem, 1, largest);

  InkSpan span = inkSpan(face, ppem, characters);
  if (!span.any) {  // nothing lit (spaces only): the design ascent sets the top row
    double ascent = std::round(face.ascentPerEm() * ppem);
    return {ppem, static_cast<int>(std::clamp(ascent, 0.0, static_cast<double>(height)))};
  }
  if (span.rows() <= height) {
    while (ppem < largest) {
      InkSpan larger = inkSpan(face, ppem + 1, characters);
      if (larger.rows() > height) break;
      ++ppem;
      span = larger;
    }
  } else {
    while (span.rows() > height) {
      if (ppem == 1)
        throw DorvakError("Font file " + face.path() + " cannot be drawn in " + std::to_string(height) + " rows");
      span = inkSpan(face, --ppem, characters);
    }
  }
  face.setPixelsPerEm(ppem);
  return {ppem, height + span.bottom};
}

// The panel glyph of a source glyph, or why it does not fit one.
struct PanelGlyph {
  GlyphRecord record;
  std::string problem;
};

std::string rowCount(int n) { return std::to_string(n) + (n == 1 ? " row" : " rows"); }

PanelGlyph panelGlyph(const SourceGlyph& source, int topLine, int fontHeight, bool fullHeight) {
  PanelGlyph out;
  int columns = source.advance;
  int height = fullHeight ? fontHeight : 0;
  int firstRow = 0;
  if (source.inked()) {
    columns = source.width;
    firstRow = topLine - source.top;
    int lastRow = firstRow + source.rows - 1;
    if (firstRow < 0) {
      out.problem = "reaches " + rowCount(-firstRow) + " above the top of the font's " + rowCount(fontHeight);
      return out;
    }
    if (lastRow >= fontHeight) {
      out.problem = "reaches " + rowCount(lastRow + 1 - fontHeight) + " below the font's " + rowCount(fontHeight);
      return out;
    }
    if (!fullHeight) height = lastRow + 1;
  }
  if (columns > kMaxGlyphDots) {
    out.problem = "is " + std::to_string(columns) + " columns wide; a panel glyph has at most " +
                  std::to_string(kMaxGlyphDots);
    return out;
  }
  int bytes = columns * bytesPerColumn(height);
  if (bytes > kMaxBitmapBytes) {
    out.problem = "needs " + std::to_string(bytes) + " bytes; a panel glyph has at most " + std::to_string(kMaxBitmapBytes);
    return out;
  }
  out.record.height = static_cast<std::uint8_t>(height);
  out.record.byteCount = static_cast<std::uint8_t>(bytes);
  for (int r = 0; r < source.rows; ++r)
    for (int c = 0; c < source.width; ++c)
      if (source.dot(c, r)) setGlyphDot(out.record, c, firstRow + r, true);
  return out;
}

}  // namespace

bool isControlKey(std::uint8_t key) {
  const char32_t u = cp1250ToUnicode(key);
  return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

std::vector<PanelCharacter> keyedCharacters(const KeyTable& keys, std::uint8_t firstCode, std::uint8_t lastCode) {
  std::vector<PanelCharacter> out;
  for (int code = std::max<int>(firstCode, 32); code <= lastCode; ++code) {
    auto c = static_cast<std::uint8_t>(code);
    if (!isControlCode(c) && keys[c] != 0 && !isControlKey(keys[c])) out.push_back({c, keys[c]});
  }
  return out;
}

std::string describePanelCharacter(const PanelCharacter& character) {
  char32_t u = unicodeOf(character);
  std::string code = "code " + std::to_string(character.code) + ")";
  bool printable = u > 0x20 && !(u >= 0x7F && u <= 0xA0) && u != 0xAD;
  if (!printable) return codePointName(u) + " (" + code;
  return cp1250ToUtf8(std::string(1, static_cast<char>(character.key))) + " (" + codePointName(u) + ", " + code;
}

FontImport importGlyphs(FontFace& face, const KeyTable& keys, const FontImportOptions& options) {
  const int height = options.height;
  if (height < 1 || height > kMaxGlyphDots)
    throw DorvakError("Font height " + std::to_string(height) + " is out of range 1.." + std::to_string(kMaxGlyphDots));
  std::vector<PanelCharacter> characters = keyedCharacters(keys, options.firstCode, options.lastCode);

  FontImport result;
  int topLine = 0;
  if (face.isOutline()) {
    std::vector<PanelCharacter> present;
    for (const PanelCharacter& c : characters)
      if (face.hasCharacter(unicodeOf(c))) present.push_back(c);
    OutlineFit fit = fitOutline(face, present, height);
    result.pixelsPerEm = fit.ppem;
    topLine = fit.topLine;
  } else {
    topLine = face.selectStrike(height);
  }

  std::string refused;
  for (const PanelCharacter& c : characters) {
    std::optional<SourceGlyph> source = face.draw(unicodeOf(c));
    if (!source || (!source->inked() && source->advance <= 0)) {
      result.missing.push_back(c);
      continue;
    }
    PanelGlyph glyph = panelGlyph(*source, topLine, height, options.fullHeight);
    if (!glyph.problem.empty())
      refused += "\n  " + describePanelCharacter(c) + " " + glyph.problem;
    else
      result.glyphs.push_back({c.code, glyph.record});
  }
  if (!refused.empty())
    throw DorvakError("Font file " + face.path() + ": nothing was imported, because these glyphs do not fit:" + refused);
  return result;
}

FontImport importFontFile(PanelDatabase& db, int font, const std::string& path, const FontImportOptions& options) {
  if (font < 0 || font >= kFontCount)
    throw DorvakError("Font number " + std::to_string(font) + " is out of range 0.." + std::to_string(kFontCount - 1));
  FontFace face(path);
  FontImport result = importGlyphs(face, db.keyTable, options);
  storeImportedGlyphs(db, font, result);
  return result;
}

void storeImportedGlyphs(PanelDatabase& db, int font, const FontImport& imported) {
  if (font < 0 || font >= kFontCount) return;
  for (const ImportedGlyph& g : imported.glyphs) db.fonts.glyph(font, g.code) = g.glyph;
  db.specialGlyph = findSpecialGlyph(db.fonts);
}

}  // namespace dorvak
