// The panel preview: one timer tick with all three fields stepping, and a
// full static preview of a 29-row text.

#include <benchmark/benchmark.h>

#include <string>

#include "render/panel_renderer.h"
#include "render/panel_simulator.h"

namespace dorvak::bench {
namespace {

// A 224 x 29 panel of type 4 whose fields are filled with rows of 7 x 5
// glyphs; every field has delay 0, so every tick steps all three.
PanelDatabase makePreviewDatabase() {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  PanelConfig& c = db.config;
  c.panelType = PanelType::LineDestinationStop;
  c.length = 224;
  c.height = 29;
  c.lineField = {0, 28, 0, 31};
  c.destinationField = {10, 28, 32, 223};
  c.stopField = {0, 9, 32, 223};
  c.lineStyle = c.destinationStyle = c.stopStyle = FieldStyle{0, 1, 0, 0};
  for (int code = 32; code < 128; ++code) {
    GlyphRecord& g = db.fonts.glyph(0, code);
    g.height = 7;
    g.byteCount = 5;
    for (int i = 0; i < 5; ++i) g.bitmap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(code * 37 + i * 11);
  }
  return db;
}

// Pages of two rows that loop through VT; each row is chars long.
std::string loopingText(int rows, int chars) {
  std::string text;
  for (int r = 0; r < rows; ++r) {
    text += static_cast<char>(192 + (r % 2) * 8);  // rows at shift 0 and 8
    for (int i = 0; i < chars; ++i) text += static_cast<char>('A' + (r + i) % 26);
    text += r + 1 < rows ? '\n' : '\v';
  }
  return text + '\r';
}

void BM_TickAllFieldsStepping(benchmark::State& state) {
  PanelDatabase db = makePreviewDatabase();
  PanelRenderer renderer(db);
  PanelSimulator simulator(renderer);
  renderer.startField(FieldId::Line, loopingText(4, 4), -1);
  renderer.startField(FieldId::Destination, loopingText(6, 32), -1);
  renderer.startField(FieldId::Stop, loopingText(6, 32), -1);
  simulator.start();
  for (auto _ : state) {
    TickResult result = simulator.tick();
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_TickAllFieldsStepping)->Unit(benchmark::kMicrosecond);

// 29 rows, one starting on each panel row (shift r), of the given number
// of 5 x 7 glyphs.
std::string twentyNineRows(int glyphsPerRow) {
  std::string text;
  for (int r = 0; r < 29; ++r) {
    text += static_cast<char>(192 + r);
    for (int i = 0; i < glyphsPerRow; ++i) text += static_cast<char>('A' + (r + i) % 26);
    text += r < 28 ? '\n' : '\r';
  }
  return text;
}

// Rows of 16 glyphs (a destination name) and of 32 glyphs (the panel's
// whole width).
void BM_StaticPreview29Rows(benchmark::State& state) {
  PanelDatabase db = makePreviewDatabase();
  db.config.panelType = PanelType::Destination;
  db.config.destinationField = {0, 28, 0, 223};
  PanelRenderer renderer(db);
  renderer.setStaticPreview(FieldId::Destination, true);
  const std::string text = twentyNineRows(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    renderer.startField(FieldId::Destination, text, -1);
    renderer.renderStep(renderer.view(FieldId::Destination));
    benchmark::DoNotOptimize(renderer.pictures().compose()[28][100]);
  }
}
BENCHMARK(BM_StaticPreview29Rows)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dorvak::bench
