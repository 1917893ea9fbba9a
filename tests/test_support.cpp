#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace dorvak::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "dorvak-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

GlyphRecord makeGlyph(int columns, int height, std::uint8_t seed) {
  GlyphRecord g;
  g.height = static_cast<std::uint8_t>(height);
  g.byteCount = static_cast<std::uint8_t>(columns * bytesPerColumn(height));
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < height; ++r) setGlyphDot(g, c, r, ((c * 7 + r * 3 + seed) % 5) < 2);
  return g;
}

PanelDatabase makeSampleDatabase(std::uint8_t firmware) {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  db.config.firmware = firmware;
  bool longHeader = firmware != FirmwareVersion::V1_6;
  if (longHeader) {
    db.config.panelType = PanelType::LineDestinationStop;
    db.config.commands.zD = 1;
    db.config.commands.aSZ = 1;
  }
  db.config.options = 0xB9;
  db.config.brightness = longHeader ? 7 : 0;
  db.config.panelNumber = longHeader ? 3 : 0;
  for (int code = 32; code < 128; ++code) {
    db.fonts.glyph(0, code) = makeGlyph(5, 7, static_cast<std::uint8_t>(code));
    if (code % 3 == 0) db.fonts.glyph(3, code) = makeGlyph(6, 12, static_cast<std::uint8_t>(code));
  }
  db.fonts.glyph(8, '7') = makeGlyph(10, 19, 1);
  db.fonts.glyph(15, 251) = makeGlyph(4, 4, 2);
  db.specialGlyph = findSpecialGlyph(db.fonts);
  db.keyTable[250] = 0xA7;  // a key of its own beyond the default ones
  db.dataVersion = "V2.\xC8";  // "V2.Č"

  db.lines.putEntry("0007", "\xE0" "7\r");
  db.lines.putEntry("0120", "\xE3" "120\r");
  db.destinations.putEntry("0012", "\xE0HLAVN\xA0 N\xA0" "DRA\xAE\n\x1B\x31Z\r");
  db.destinations.putEntry("0999", "DEPO\r");
  db.destinations.putEntry("XXXX", "START\r");
  db.stops.putEntry("0042", "Na Kopci\r");
  db.stops.putEntry("9999", "Konec\r");
  db.codeTable.name = "self";
  for (int i = 0; i < 128; ++i) db.codeTable.table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(32 + i % 90);
  db.formatStrings.name = "formats 01.02.26 10:00";
  db.formatStrings.strings[1] = "L%3d";
  db.formatStrings.strings[7] = std::string("\x00\x01\xFE", 3);
  return db;
}

PanelDatabase makePresetDatabase() {
  PanelDatabase db = makeSampleDatabase(FirmwareVersion::V2_15);
  db.config.panelType = PanelType::LineDestination;
  AutoformatPresets& presets = db.autoformatPresets;
  presets.oneRowPresets = {};
  presets.oneRowPresets[0] = {3, 2, 0};
  presets.oneRowPresets[1] = {0, 1, 0};
  presets.twoRowFirstPresets = {};
  presets.twoRowFirstPresets[0] = {0, 2, 0};
  presets.twoRowSecondPresets = {};
  presets.twoRowSecondPresets[0] = {0, 1, 0};
  return db;
}

void removeOptionalTables(PanelDatabase& db) {
  db.lines.deleteAll();
  db.destinations.deleteAll();
  db.stops.deleteAll();
  db.codeTable.name.clear();
  db.formatStrings.name.clear();
  db.dataVersion.clear();
}

namespace {
void fillFonts(PanelDatabase& db, int codes) {
  for (int font = 0; font < kFontCount; ++font)
    for (int code = 33; code < 33 + codes; ++code)
      if (!isControlCode(static_cast<std::uint8_t>(code)))
        db.fonts.glyph(font, code) = makeGlyph(10, 24, static_cast<std::uint8_t>(font + code));
}
}  // namespace

void pushStopsIntoSecondBank(PanelDatabase& db) {
  fillFonts(db, 100);  // 16 x 100 glyphs of 33 bytes: about 52 KiB
  std::string text(3000, 'D');
  for (int i = 0; i < 5; ++i) db.destinations.putEntry(makeKey(TextKind::Destination, 500 + i, false), text + "\r");
}

void fillFontsPastFirstBank(PanelDatabase& db) { fillFonts(db, 140); }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

bool srecCatAccepts(const std::string& path) {
  std::string command = "srec_cat '" + path + "' -intel -o /dev/null -intel >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace dorvak::test
