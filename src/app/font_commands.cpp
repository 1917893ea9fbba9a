#include "app/font_commands.h"

#include <algorithm>

namespace dorvak {

FontsCommand::FontsCommand(Document& document, const QString& label, GlyphScope scope, Operation operation)
    : DocumentCommand(document, label), scope_(scope), operation_(std::move(operation)) {
  scope_.firstFont = std::clamp(scope_.firstFont, 0, kFontCount - 1);
  scope_.lastFont = std::clamp(scope_.lastFont, scope_.firstFont, kFontCount - 1);
  scope_.firstCode = std::clamp(scope_.firstCode, 0, kCodeCount - 1);
  scope_.lastCode = std::clamp(scope_.lastCode, scope_.firstCode, kCodeCount - 1);
}

void FontsCommand::runOnce() {
  PanelDatabase& database = db();
  const FontTable& fonts = database.fonts;
  std::vector<GlyphRecord> before;
  before.reserve(static_cast<std::size_t>((scope_.lastFont - scope_.firstFont + 1) *
                                          (scope_.lastCode - scope_.firstCode + 1)));
  for (int f = scope_.firstFont; f <= scope_.lastFont; ++f)
    for (int c = scope_.firstCode; c <= scope_.lastCode; ++c) before.push_back(fonts.glyph(f, c));
  const KeyTable keysBefore = database.keyTable;
  specialBefore_ = database.specialGlyph;

  operation_(database);
  operation_ = nullptr;

  std::size_t i = 0;
  for (int f = scope_.firstFont; f <= scope_.lastFont; ++f)
    for (int c = scope_.firstCode; c <= scope_.lastCode; ++c, ++i)
      if (!(fonts.glyph(f, c) == before[i]))
        glyphs_.push_back({static_cast<std::uint8_t>(f), static_cast<std::uint8_t>(c), before[i], fonts.glyph(f, c)});
  for (int c = 0; c < kCodeCount; ++c) {
    const auto k = static_cast<std::size_t>(c);
    if (keysBefore[k] != database.keyTable[k])
      keys_.push_back({static_cast<std::uint8_t>(c), keysBefore[k], database.keyTable[k]});
  }
  specialAfter_ = database.specialGlyph;
  if (glyphs_.empty() && keys_.empty() && specialBefore_ == specialAfter_) setObsolete(true);
}

void FontsCommand::apply(bool forward) {
  PanelDatabase& database = db();
  for (const GlyphChange& g : glyphs_) database.fonts.glyph(g.font, g.code) = forward ? g.after : g.before;
  for (const KeyChange& k : keys_) database.keyTable[k.code] = forward ? k.after : k.before;
  database.specialGlyph = forward ? specialAfter_ : specialBefore_;
}

void FontsCommand::redo() {
  if (operation_)
    runOnce();
  else
    apply(true);
  if (!isObsolete()) emit document().fontsChanged();
}

void FontsCommand::undo() {
  apply(false);
  emit document().fontsChanged();
}

}  // namespace dorvak
