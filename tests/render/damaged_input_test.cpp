// Texts, bounds and glyphs taken from damaged files: every step ends, the
// pictures hold only 0 and 1, and the interpreter's positions stay inside
// the text. (The sanitizer build checks that no array is left.)

#include <random>

#include "render/panel_simulator.h"
#include "render/render_fixture.h"

namespace dorvak::test {
namespace {

bool onlyZeroAndOne(const Picture& picture) {
  for (const auto& row : picture)
    for (std::uint8_t dot : row)
      if (dot > 1) return false;
  return true;
}

TEST(DamagedInput, RandomTextsBoundsAndGlyphsStayInsideTheirArrays) {
  std::mt19937 random(20240607);
  auto byteOf = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
  PanelDatabase db = makeRenderDatabase();
  for (int code = 0; code < 256; code += 3) {
    GlyphRecord& g = db.fonts.glyph(code % 16, code);
    g.height = byteOf();
    g.byteCount = byteOf();
    for (auto& b : g.bitmap) b = byteOf();
  }
  PanelRenderer renderer(db);
  PanelSimulator simulator(renderer);
  simulator.start();
  for (int round = 0; round < 300; ++round) {
    PanelConfig& c = db.config;
    c.panelType = static_cast<std::uint8_t>(random() % 6);
    c.height = byteOf();
    for (FieldRect* rect : {&c.lineField, &c.destinationField, &c.stopField})
      *rect = {byteOf(), byteOf(), byteOf(), byteOf()};
    for (FieldStyle* style : {&c.lineStyle, &c.destinationStyle, &c.stopStyle})
      *style = {byteOf(), byteOf(), byteOf(), static_cast<std::uint8_t>(random() % 3)};
    for (FieldId id : kAllFields) {
      std::string text(random() % 200, '\0');
      for (char& ch : text) ch = static_cast<char>(byteOf());
      renderer.view(id).staticPreview = random() % 2;
      renderer.startField(id, text, static_cast<int>(random() % 4) - 1);
    }
    for (int t = 0; t < 20; ++t) {
      simulator.tick();
      for (FieldId id : kAllFields) {
        const FieldView& v = renderer.view(id);
        ASSERT_GE(v.textPos, 1);
        ASSERT_LE(v.textPos, static_cast<int>(v.text.size()) + 1);
        ASSERT_LE(v.loopPos, static_cast<int>(v.text.size()) + 1);
      }
    }
    ASSERT_TRUE(onlyZeroAndOne(renderer.pictures().compose()));
    ASSERT_TRUE(onlyZeroAndOne(renderer.pictures().shown()));
  }
}

}  // namespace
}  // namespace dorvak::test
