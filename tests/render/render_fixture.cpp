#include "render/render_fixture.h"

#include <cstring>

namespace dorvak::test {

GlyphRecord glyphFromArt(std::initializer_list<const char*> rows) {
  GlyphRecord glyph;
  glyph.height = static_cast<std::uint8_t>(rows.size());
  int columns = static_cast<int>(std::strlen(*rows.begin()));
  glyph.byteCount = static_cast<std::uint8_t>(columns * bytesPerColumn(glyph.height));
  int r = 0;
  for (const char* row : rows) {
    for (int c = 0; c < columns; ++c) setGlyphDot(glyph, c, r, row[c] == '#');
    ++r;
  }
  return glyph;
}

std::vector<std::string> dots(const Picture& picture, int left, int right, int top, int bottom) {
  std::vector<std::string> rows;
  for (int panelRow = top; panelRow >= bottom; --panelRow) {
    std::string row;
    for (int c = left; c <= right; ++c) row += picture[static_cast<std::size_t>(pictureRowOf(panelRow))][static_cast<std::size_t>(c)] ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

void RecordingObserver::tooLongWarningChanged(FieldId fieldId, bool shown) {
  events.push_back("tooLong " + std::to_string(static_cast<int>(fieldId)) + (shown ? " on" : " off"));
}

void RecordingObserver::chooserEnabledChanged(FieldId fieldId, bool enabled) {
  events.push_back("chooser " + std::to_string(static_cast<int>(fieldId)) + (enabled ? " on" : " off"));
}

PanelDatabase makeRenderDatabase() {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  PanelConfig& c = db.config;
  c.panelType = PanelType::Destination;
  c.length = 40;
  c.height = 10;
  c.lineField = c.destinationField = c.stopField = FieldRect{0, 9, 0, 39};
  c.lineStyle = c.destinationStyle = c.stopStyle = FieldStyle{0, 1, 0, 10};
  db.fonts.glyph(0, 'A') = glyphFromArt({"###", "###", "###"});
  db.fonts.glyph(0, 'B') = glyphFromArt({"#.", "#.", "#."});
  db.fonts.glyph(0, 'C') = glyphFromArt({".", "#", "."});
  db.fonts.glyph(0, 'W') = glyphFromArt({"##########"});
  db.fonts.glyph(1, 'A') = glyphFromArt({"#", "#", "#", "#", "#"});
  return db;
}

void RenderTest::setField(FieldId fieldId, FieldRect rect) {
  PanelConfig& c = db.config;
  (fieldId == FieldId::Line ? c.lineField : fieldId == FieldId::Destination ? c.destinationField : c.stopField) = rect;
}

}  // namespace dorvak::test
