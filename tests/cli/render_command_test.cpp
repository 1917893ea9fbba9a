// dorvak-cli render: the picture after Open and T ticks, as text and as PNG,
// and the panel playing T ticks as a GIF.

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "render/gif_reading.h"
#include "render/panel_paint.h"
#include "render/render_fixture.h"
#include "test_support.h"

namespace dorvak::test {
namespace {

CliRun render(std::vector<std::string> args) {
  args.insert(args.begin(), "render");
  return runCliWith(std::move(args));
}

// The PNG decoded with libpng as RGB.
RgbImage readPng(const std::string& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return {};
  png.format = PNG_FORMAT_RGB;
  RgbImage image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.pixels.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) return {};
  return image;
}

// The PNG render of the arguments, decoded.
RgbImage pngOf(std::vector<std::string> args, const std::string& path) {
  args.insert(args.end(), {"--format", "png", "-o", path});
  CliRun run = render(std::move(args));
  EXPECT_EQ(run.status, 0) << run.err;
  return readPng(path);
}

// A line and destination panel of 40 x 7 dots: the line field is columns
// 0..9, the destination field 10..39.
PanelDatabase makePanel() {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  PanelConfig& c = db.config;
  c.firmware = FirmwareVersion::V2_15;
  c.lineField = {0, 6, 0, 9};
  c.destinationField = {0, 6, 10, 39};
  c.stopField = {0, 2, 10, 39};
  c.lineStyle = c.destinationStyle = c.stopStyle = FieldStyle{0, 1, 0, 10};
  db.fonts.glyph(0, 'A') = glyphFromArt({"###", "###", "###"});
  db.fonts.glyph(0, 'B') = glyphFromArt({"#.", "#.", "#."});
  db.fonts.glyph(0, 'C') = glyphFromArt({".", "#", "."});
  db.fonts.glyph(0, '7') = glyphFromArt({"###", "..#", ".#."});
  db.lines.putEntry("0005", "A\r");
  db.lines.putEntry("0009", "B\r");
  db.destinations.putEntry("0003", "BC\r");
  db.destinations.putEntry("0004", "AAAAAAAA\r");  // 31 columns in 30
  db.destinations.putEntry("0008", "A\nB\nC\v\r");
  db.destinations.putEntry("XXXX", "C\r");
  return db;
}

// Seven empty panel rows with marks set at (row from the top, column).
struct Expected {
  std::vector<std::string> rows = std::vector<std::string>(7, std::string(40, '.'));
  Expected& mark(int row, int column, const std::string& dots) {
    rows[static_cast<std::size_t>(row)].replace(static_cast<std::size_t>(column), dots.size(), dots);
    return *this;
  }
  Expected& a(int column) { return mark(0, column, "###").mark(1, column, "###").mark(2, column, "###"); }
  Expected& b(int column) { return mark(0, column, "#").mark(1, column, "#").mark(2, column, "#"); }
  Expected& c(int column) { return mark(1, column, "#"); }
  std::string text() const {
    std::string t;
    for (const auto& r : rows) t += r + "\n";
    return t;
  }
};

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(writeHexFile(makePanel(), hex), SaveResult::Written); }
  TempDir dir;
  std::string hex = dir.file("panel.hex");
};

TEST_F(RenderCommand, ShowsTheFirstEntriesAsOpenDoes) {
  CliRun run = render({hex});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  // Line "A" centred in 0..9 from column 3; destination "BC" (four columns)
  // centred in 10..39 from column 23.
  EXPECT_EQ(run.out, Expected{}.a(3).b(23).c(26).text());
}

TEST_F(RenderCommand, ChosenNumbersAndTheStartingDestination) {
  CliRun run = render({hex, "--line", "9", "--destination", "x"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Expected{}.b(4).c(24).text());
  EXPECT_EQ(render({hex, "--destination", "XXX"}).out, Expected{}.a(3).c(24).text());
}

TEST_F(RenderCommand, MissingLineShowsItsDigitsAndMissingDestinationItsMessage) {
  CliRun run = render({hex, "--line", "7", "--destination", "12"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "Destination 012 don't exist\n");
  EXPECT_EQ(run.out, Expected{}.mark(0, 3, "###").mark(1, 3, "..#").mark(2, 3, ".#.").text());
  EXPECT_EQ(render({hex, "--line", "0", "--destination", "0012"}).out, Expected{}.text());
}

TEST_F(RenderCommand, ChoiceForAFieldThePanelDoesNotHaveIsReported) {
  CliRun run = render({hex, "--stop", "42"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "The panel's chooser for --stop is off; the number is not shown\n");
}

TEST_F(RenderCommand, TooLongWarningGoesToStandardError) {
  CliRun run = render({hex, "--destination", "4"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "Destination:  Too long text !\n");
  EXPECT_EQ(run.out.substr(10, 30), std::string(30, '#').replace(3, 1, ".").replace(7, 1, ".").replace(11, 1, ".")
                                        .replace(15, 1, ".").replace(19, 1, ".").replace(23, 1, ".").replace(27, 1, "."));
}

TEST_F(RenderCommand, TicksPageThroughTheText) {
  // Rows "A" and "B" make the first page (B on top of A), then "C", then the
  // VT goes back to "B"; each page stays for the delay of 10 ticks.
  const std::string b = Expected{}.a(3).b(24).text();
  const std::string c = Expected{}.a(3).c(24).text();
  EXPECT_EQ(render({hex, "--destination", "8"}).out, b);
  EXPECT_EQ(render({hex, "--destination", "8", "--ticks", "10"}).out, b);
  EXPECT_EQ(render({hex, "--destination", "8", "--ticks", "11"}).out, c);
  EXPECT_EQ(render({hex, "--destination", "8", "--ticks", "21"}).out, b);
  EXPECT_EQ(render({hex, "--ticks", "0"}).out, Expected{}.text());
}

TEST_F(RenderCommand, TextGoesToAFileWithOutput) {
  std::string path = dir.file("panel.txt");
  CliRun run = render({hex, "-o", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(readFile(path), Expected{}.a(3).b(23).c(26).text());
}

TEST_F(RenderCommand, PngHasTheDotSizeAndColoursOfThePanel) {
  std::string path = dir.file("panel.png");
  CliRun run = render({hex, "--format", "png", "-o", path});
  ASSERT_EQ(run.status, 0) << run.err;
  RgbImage image = readPng(path);
  ASSERT_EQ(image.width, 40 * 4);
  ASSERT_EQ(image.height, 7 * 4);
  EXPECT_EQ(image.at(3 * 4, 0), kLitDotColour);           // A's top-left dot
  EXPECT_EQ(image.at(3 * 4 + 3, 0), kSeparatorColour);    // its separating column
  EXPECT_EQ(image.at(0, 0), kDarkDotColour);
  EXPECT_EQ(image.at(0, 3), kSeparatorColour);
  EXPECT_EQ(image.at(26 * 4 + 1, 1 * 4 + 1), kLitDotColour);  // C's dot
  EXPECT_EQ(image.at(26 * 4 + 1, 0), kDarkDotColour);
}

TEST_F(RenderCommand, WrongArgumentsAndFailedReads) {
  EXPECT_EQ(render({hex, "--format", "png"}).status, 2) << "png needs -o";
  EXPECT_EQ(render({hex, "--format", "gif", "--ticks", "10"}).err, "--format gif needs -o FILE\n");
  for (const char* ticks : {"0", "6001"}) {
    CliRun run = render({hex, "--format", "gif", "--ticks", ticks, "-o", dir.file("no.gif")});
    EXPECT_EQ(run.status, 2) << ticks;
    EXPECT_EQ(run.err, "--format gif needs --ticks from 1 to 6000\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("no.gif")));
  CliRun letters = render({hex, "--destination", "1a"});
  EXPECT_EQ(letters.status, 2);
  EXPECT_EQ(letters.err, "--destination: 1a is not a destination number of this data base (0..999 or X)\n");
  EXPECT_EQ(render({hex, "--destination", "1000"}).status, 2) << "three-digit mode";
  EXPECT_EQ(render({hex, "--line", "1000"}).status, 2);
  EXPECT_EQ(render({hex, "--format", "bmp"}).status, 2);

  writeFile(dir.file("bad.hex"), ":0100000041BF\n:00000001FF\n");
  CliRun bad = render({dir.file("bad.hex")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "Check sum error\n");
  EXPECT_EQ(bad.out, "");

  for (const char* format : {"png", "gif"}) {
    std::string kept = dir.file(std::string("kept.") + format);
    writeFile(kept, "old");
    EXPECT_EQ(render({dir.file("bad.hex"), "--format", format, "-o", kept}).status, 1);
    EXPECT_EQ(readFile(kept), "old");
  }
}

TEST_F(RenderCommand, GifOfAPanelThatStandsStillIsOneFrame) {
  std::string path = dir.file("still.gif");
  CliRun run = render({hex, "--format", "gif", "--ticks", "25", "-o", path});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  ReadGif gif = readGif(readFile(path));
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.delays, std::vector<int>{250}) << "one frame for the whole 2.5 s";
  EXPECT_EQ(gif.frames.at(0).pixels, pngOf({hex, "--ticks", "1"}, dir.file("tick1.png")).pixels);
}

const std::string kDemo = std::string(DORVAK_SOURCE_DIR) + "/examples/demo.hex";

TEST(RenderDemo, DemoDataBaseRendersWithoutWarnings) {
  const std::string& demo = kDemo;
  CliRun run = render({demo});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> rows;
  std::istringstream lines(run.out);
  for (std::string row; std::getline(lines, row);) rows.push_back(row);
  ASSERT_EQ(rows.size(), 27u);
  for (const auto& row : rows) ASSERT_EQ(row.size(), 112u);

  EXPECT_TRUE(run.err.empty()) << "no too-long warning and no message: " << run.err;
  EXPECT_NE(run.out.find('#'), std::string::npos) << "the panel shows something";

  // The first line's text is one glyph in its font, after its spacing and
  // row shift; it stands centred in the line field, shifted down from the
  // field's top row.
  PanelDatabase db;
  openHexFile(db, demo);
  const std::string text(entryText(db.lines[0]));
  ASSERT_EQ(text.size(), 5u);  // font, spacing, shift, one character, CR
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  ASSERT_TRUE(byte(0) >= 224 && byte(1) >= 176 && byte(1) < 192 && byte(2) >= 192 && byte(2) < 224);
  const GlyphRecord& glyph = db.fonts.glyph(byte(0) - 224, byte(3));
  const FieldRect& field = db.config.lineField;
  const int width = glyphColumns(glyph);
  const int start = field.left + (field.right - field.left + 1 - width) / 2;
  const int topRow = db.config.height - 1 - field.top + (byte(2) - 192);
  for (int r = 0; r < glyph.height; ++r)
    for (int c = field.left; c <= field.right; ++c)
      EXPECT_EQ(rows[static_cast<std::size_t>(topRow + r)][static_cast<std::size_t>(c)] == '#',
                glyphDot(glyph, c - start, r))
          << "row " << r << " column " << c;

  std::string png = (std::filesystem::temp_directory_path() / "dorvak-render-demo-test.png").string();
  ASSERT_EQ(render({demo, "--format", "png", "-o", png}).status, 0);
  RgbImage image = readPng(png);
  std::filesystem::remove(png);
  EXPECT_EQ(image.width, 112 * 4);
  EXPECT_EQ(image.height, 27 * 4);
}

TEST(RenderDemo, GifPlaysAPagingDestinationPageByPage) {
  // Destination 22 keeps "Letiště" on its upper row while the lower row
  // shows three texts in turn and loops; each page stays for the
  // destination's delay.
  PanelDatabase db;
  db.resetConfig();
  openHexFile(db, kDemo);
  const int delay = db.config.destinationStyle.delay;
  ASSERT_GE(delay, 2);
  const int ticks = 4 * delay + delay / 2;
  TempDir dir;
  CliRun run = render({kDemo, "--destination", "22", "--format", "gif", "--ticks", std::to_string(ticks), "-o",
                       dir.file("22.gif")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ReadGif gif = readGif(readFile(dir.file("22.gif")));
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.loopCount, 0);
  EXPECT_EQ(gif.colourTableSize, 4) << "dark, lit, separator";
  const int page = delay * 10;
  EXPECT_EQ(gif.delays, (std::vector<int>{page, page, page, page, delay / 2 * 10}));
  ASSERT_EQ(gif.frames.size(), 5u);
  // Each frame is the PNG render at the tick its page appears.
  for (int k = 0; k < 5; ++k)
    EXPECT_TRUE(gif.frames[static_cast<std::size_t>(k)].pixels ==
                pngOf({kDemo, "--destination", "22", "--ticks", std::to_string(1 + k * delay)}, dir.file("page.png"))
                    .pixels)
        << "frame " << k;
  EXPECT_TRUE(gif.frames[0].pixels != gif.frames[1].pixels && gif.frames[1].pixels != gif.frames[2].pixels &&
              gif.frames[0].pixels != gif.frames[2].pixels)
      << "three different pages";
  EXPECT_TRUE(gif.frames[3].pixels == gif.frames[0].pixels) << "the loop returns to the first page";
}

}  // namespace
}  // namespace dorvak::test
