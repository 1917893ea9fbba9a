// The text interpreter on any text bytes and any fonts and field bounds:
// every step stays inside the pictures and a text ends within a bound of
// steps; the simulator ticks over the same.

#include <cstdint>
#include <string>

#include "core/panel_database.h"
#include "render/panel_renderer.h"
#include "render/panel_simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  if (size < 16) return 0;
  PanelDatabase db;
  db.resetConfig();
  // The first bytes shape the configuration, including damaged values.
  FieldRect* fields[] = {&db.config.lineField, &db.config.destinationField, &db.config.stopField};
  for (int f = 0; f < 3; ++f) *fields[f] = {data[f * 4], data[f * 4 + 1], data[f * 4 + 2], data[f * 4 + 3]};
  db.config.length = data[12];
  db.config.height = data[13];
  db.config.panelType = data[14] % 5;
  db.config.destinationStyle.font = data[15];
  // A few glyphs of any size made of the input's bytes.
  std::size_t pos = 16;
  for (int g = 0; g < 6 && pos + 3 < size; ++g) {
    GlyphRecord& glyph = db.fonts.glyph(data[pos] & 0x0F, data[pos + 1]);
    glyph.height = data[pos + 2];
    glyph.byteCount = data[pos + 3];
    for (std::size_t i = 0; i < glyph.bitmap.size(); ++i) glyph.bitmap[i] = data[(pos + i) % size];
    pos += 4;
  }
  const std::string text(reinterpret_cast<const char*>(data) + pos, size - pos);

  PanelRenderer renderer(db);
  for (FieldId field : kAllFields) {
    renderer.startField(field, text, static_cast<int>(data[15] % 4) - 1);
    for (int step = 0; step < 200 && !renderer.view(field).finished; ++step) renderer.renderStep(renderer.view(field));
  }
  PanelSimulator simulator(renderer);
  simulator.start();
  for (int tick = 0; tick < 50; ++tick) simulator.tick();
  return 0;
}
