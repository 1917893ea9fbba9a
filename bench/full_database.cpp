#include "full_database.h"

#include <string>

namespace dorvak::bench {

PanelDatabase makeFullDatabase() {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  db.config.firmware = FirmwareVersion::V2_15;
  db.config.commands.zD = 1;
  // 16 fonts x 100 glyphs of 10 columns x 19 rows (30 bytes): about 52 KiB.
  for (int font = 0; font < kFontCount; ++font)
    for (int code = 32; code < 32 + 100; ++code) {
      if (isControlCode(static_cast<std::uint8_t>(code))) continue;
      GlyphRecord& g = db.fonts.glyph(font, code);
      g.height = 19;
      g.byteCount = 30;
      for (int i = 0; i < 30; ++i) g.bitmap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(font * 31 + code + i);
    }
  for (int line = 0; line < 200; ++line)
    db.lines.putEntry(makeKey(TextKind::Line, line, false), "\xE8" + std::to_string(line) + "\r");
  for (int d = 0; d < 100; ++d)
    db.destinations.putEntry(makeKey(TextKind::Destination, d, false), "\xE3" "DESTINATION " + std::to_string(d) + "\r");
  // Stops fill the second bank.
  for (int stop = 0; stop < 2800; ++stop)
    db.stops.putEntry(makeKey(TextKind::Stop, stop, false), "Stop " + std::to_string(stop) + " street\r");
  return db;
}

}  // namespace dorvak::bench
