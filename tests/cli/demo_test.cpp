// The bundled demo data base (examples/demo.hex): what `make run` shows and
// users open first. examples/make-demo builds it from examples/demo.json and
// fonts of Debian font packages with dorvak-cli alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "core/hex_reader.h"
#include "core/panel_config.h"
#include "test_support.h"

namespace dorvak {
namespace {

const std::string kExamples = std::string(DORVAK_SOURCE_DIR) + "/examples/";

PanelDatabase openDemo() {
  PanelDatabase db;
  db.resetConfig();
  openHexFile(db, kExamples + "demo.hex");
  return db;
}

// The codes a text draws, each with the font in force, walking the font
// bytes and ESC sequences as the panel does; nothing after the first CR.
std::vector<std::pair<int, std::uint8_t>> drawnCharacters(std::string_view text, int font) {
  std::vector<std::pair<int, std::uint8_t>> drawn;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<std::uint8_t>(text[i]);
    if (byte == 13) break;
    if (byte == 27) {
      auto letter = i + 1 < text.size() ? static_cast<std::uint8_t>(text[i + 1]) : 0;
      if (letter >= 'P' && letter <= '_') font = letter - 'P';
      i += std::string_view("adhlpsz").find(static_cast<char>(letter)) != std::string_view::npos ? 2 : 1;
    } else if (byte >= 224 && byte <= 239) {
      font = byte - 224;
    } else if (!isControlCode(byte)) {
      drawn.emplace_back(font, byte);
    }
  }
  return drawn;
}

TEST(BundledDemo, IsASidePanelForFirmware215WithFontsImportedFromStandardFonts) {
  PanelDatabase db = openDemo();
  EXPECT_EQ(db.config.position, 1);
  // All three fields, so that stops play too.
  EXPECT_EQ(db.config.panelType, PanelType::LineDestinationStop);
  EXPECT_TRUE(db.config.commands.stopCommand());
  EXPECT_EQ(db.config.firmware, FirmwareVersion::V2_15);
  EXPECT_EQ(db.config.height, 27);
  EXPECT_EQ(db.config.length, 112);
  EXPECT_EQ(db.keyTable, DefaultKeyTable);

  // Four fonts of the whole keyboard, each of its own height, and the line
  // numbers' digits as tall as their rows.
  std::set<int> heights;
  for (int font = 0; font <= 3; ++font) {
    int glyphs = 0, tallest = 0;
    for (int code = 32; code < kCodeCount; ++code)
      if (db.fonts.glyph(font, code).exists()) {
        ++glyphs;
        tallest = std::max(tallest, int{db.fonts.glyph(font, code).height});
      }
    EXPECT_GE(glyphs, 136) << "font " << font;
    EXPECT_LE(tallest, db.config.height) << "font " << font;
    heights.insert(tallest);
  }
  EXPECT_EQ(heights.size(), 4u);
  for (char digit = '0'; digit <= '9'; ++digit) EXPECT_EQ(db.fonts.glyph(4, digit).height, 16) << digit;
}

TEST(BundledDemo, HoldsTheKindsOfTextsAPanelShows) {
  PanelDatabase db = openDemo();
  EXPECT_GE(db.lines.count(), 4u);
  EXPECT_GE(db.stops.count(), 5u);
  ASSERT_TRUE(db.destinations.findEntry("XXXX")) << "a starting destination";

  bool czech = false, twoRows = false, loopingPages = false;
  for (const std::string& entry : db.destinations) {
    std::string text(entryText(entry));
    text = text.substr(0, text.find('\r') + 1);
    auto count = [&](char c) { return std::count(text.begin(), text.end(), c); };
    for (unsigned char b : text) czech |= b >= 128 && b <= 169;
    twoRows |= count('\n') == 1 && count('\v') == 0;
    // Rows after the first LF are pages of their own; VT loops back to them.
    loopingPages |= count('\n') >= 3 && text.size() >= 2 && text[text.size() - 2] == '\v';
  }
  EXPECT_TRUE(czech) << "a destination with Czech letters";
  EXPECT_TRUE(twoRows) << "a destination of two rows";
  EXPECT_TRUE(loopingPages) << "a destination of three pages that loops";
}

TEST(BundledDemo, EveryCharacterOfEveryTextHasItsGlyph) {
  PanelDatabase db = openDemo();
  const std::pair<const TextList*, int> lists[] = {{&db.lines, db.config.lineStyle.font},
                                                   {&db.destinations, db.config.destinationStyle.font},
                                                   {&db.stops, db.config.stopStyle.font}};
  for (auto [list, font] : lists)
    for (const std::string& entry : *list)
      for (auto [f, code] : drawnCharacters(entryText(entry), font))
        EXPECT_TRUE(db.fonts.glyph(f, code).exists()) << entryKey(entry) << ": code " << int{code} << " of font " << f;
}

TEST(BundledDemo, MakeDemoBuildsTheBundledFile) {
  test::TempDir dir;
  std::string command = kExamples + "make-demo '" + DORVAK_CLI_PATH + "' '" + dir.file("demo.hex") + "' > '" +
                        dir.file("log") + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << test::readFile(dir.file("log"));
  EXPECT_TRUE(test::readFile(dir.file("demo.hex")) == test::readFile(kExamples + "demo.hex"))
      << "examples/demo.hex is not what examples/make-demo builds: run it and commit the result";
  EXPECT_TRUE(test::srecCatAccepts(dir.file("demo.hex")));
}

TEST(BundledDemo, RendersItsDestinationsWithoutWarnings) {
  PanelDatabase db = openDemo();
  for (const std::string& entry : db.destinations) {
    std::string key(entryKey(entry));
    std::string number = key == "XXXX" ? "X" : std::to_string(std::stoi(key));
    std::vector<std::string> args = {"dorvak-cli", "render", kExamples + "demo.hex", "--destination", number};
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    ASSERT_EQ(runCli(static_cast<int>(argv.size()), argv.data(), out, err), 0) << key;
    EXPECT_EQ(err.str(), "") << "destination " << key;
    // Something is lit in the destination field (columns 28..111).
    std::istringstream rows(out.str());
    bool lit = false;
    for (std::string row; std::getline(rows, row);) lit = lit || row.find('#', 28) != std::string::npos;
    EXPECT_TRUE(lit) << "destination " << key;
  }
}

}  // namespace
}  // namespace dorvak
