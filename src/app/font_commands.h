#pragma once
// Commands on the fonts and the key table. A font operation of the library
// (store a glyph, delete a font, read a font file, import a standard font)
// runs once inside the command, which then keeps only the glyphs and keys it
// changed: a whole font table is a megabyte, a stored glyph 257 bytes.

#include <functional>
#include <vector>

#include "app/document.h"

namespace dorvak {

// The glyphs an operation may touch: fonts first..last, codes first..last.
struct GlyphScope {
  int firstFont = 0, lastFont = kFontCount - 1;
  int firstCode = 0, lastCode = kCodeCount - 1;

  static GlyphScope glyph(int font, int code) { return {font, font, code, code}; }
  static GlyphScope code(int code) { return {0, kFontCount - 1, code, code}; }
  static GlyphScope font(int font) { return {font, font, 0, kCodeCount - 1}; }
  static GlyphScope all() { return {}; }
};

class FontsCommand : public DocumentCommand {
 public:
  using Operation = std::function<void(PanelDatabase&)>;

  // The operation may change the glyphs of the scope, the key table and the
  // special glyph, nothing else, and must not fail: a read of a file is done
  // before, into a scratch table. A command that changed nothing is dropped.
  FontsCommand(Document& document, const QString& label, GlyphScope scope, Operation operation);
  void redo() override;
  void undo() override;

  // Glyphs and keys the command changed (tests, and what undo costs).
  std::size_t changedGlyphs() const { return glyphs_.size(); }
  std::size_t changedKeys() const { return keys_.size(); }

 private:
  struct GlyphChange {
    std::uint8_t font, code;
    GlyphRecord before, after;
  };
  struct KeyChange {
    std::uint8_t code, before, after;
  };
  void runOnce();
  void apply(bool forward);

  GlyphScope scope_;
  Operation operation_;  // released after the first run
  std::vector<GlyphChange> glyphs_;
  std::vector<KeyChange> keys_;
  SpecialGlyph specialBefore_, specialAfter_;
};

}  // namespace dorvak
