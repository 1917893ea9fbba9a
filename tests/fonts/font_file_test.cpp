#include "fonts/font_file.h"

#include <gtest/gtest.h>

#include <random>

#include "core/error.h"
#include "core/hex_writer.h"
#include "fonts/system_fonts.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::bytes;

GlyphRecord glyph(std::initializer_list<int> bitmap, int height) {
  GlyphRecord g;
  g.height = static_cast<std::uint8_t>(height);
  g.byteCount = static_cast<std::uint8_t>(bitmap.size());
  std::size_t i = 0;
  for (int b : bitmap) g.bitmap[i++] = static_cast<std::uint8_t>(b);
  return g;
}

std::string keyTrailer(const KeyTable& keys) {
  std::string s = bytes({0xFF, 0x00});
  for (int c = 33; c <= 175; ++c) s += static_cast<char>(keys[static_cast<std::size_t>(c)]);
  for (int c = 240; c <= 255; ++c) s += static_cast<char>(keys[static_cast<std::size_t>(c)]);
  return s;
}

TEST(FontFileN, BlocksWithExactLengthsAndTheKeyTrailer) {
  FontTable fonts;
  fonts.glyph(2, 'A') = glyph({0xF0, 0x80}, 9);  // one column of two bytes
  fonts.glyph(2, 'B') = glyph({0x40}, 3);
  fonts.glyph(5, 255) = glyph({0xE0}, 3);  // the font's only glyph
  std::string file = *formatFontFile(fonts, DefaultKeyTable, FontFileLayout::N);
  std::string expected = bytes({0xE2, 0x00, 11, 'A', 2, 9, 0xF0, 0x80, 'B', 1, 3, 0x40, 0xFF, 0x00,  //
                                0xE5, 0x00, 4, 255, 1, 3, 0xE0});
  expected += keyTrailer(DefaultKeyTable);
  EXPECT_EQ(file, expected);
  EXPECT_EQ(*formatFontFile(FontTable{}, DefaultKeyTable, FontFileLayout::N), "") << "no glyph: an empty file";
}

TEST(FontFileS, CodeByCodeWithoutCode255OrKeys) {
  FontTable fonts;
  fonts.glyph(3, 'A') = glyph({0x80}, 1);
  fonts.glyph(1, 'B') = glyph({0x40}, 2);
  fonts.glyph(0, 'B') = glyph({0x20}, 3);
  EXPECT_EQ(*formatFontFile(fonts, DefaultKeyTable, FontFileLayout::S),
            bytes({'A', 0xE3, 1, 1, 0x80, 'B', 0xE0, 1, 3, 0x20, 'B', 0xE1, 1, 2, 0x40}));
}

TEST(FontFileS, Code255IsAskedAboutOnce) {
  FontTable fonts;
  fonts.glyph(0, 'A') = glyph({0x80}, 1);
  fonts.glyph(0, 255) = glyph({0x80}, 1);
  fonts.glyph(1, 255) = glyph({0x80}, 1);
  int asked = 0;
  FontFileOptions no;
  no.confirm = [&](std::string_view q) {
    ++asked;
    EXPECT_EQ(q, "FW 1.x cannot use charakter with code 255.\nContinue?");
    return false;
  };
  EXPECT_FALSE(formatFontFile(fonts, DefaultKeyTable, FontFileLayout::S, no));
  EXPECT_EQ(asked, 1);
  FontFileOptions yes;
  yes.confirm = [&](std::string_view) { return ++asked > 0; };
  EXPECT_EQ(*formatFontFile(fonts, DefaultKeyTable, FontFileLayout::S, yes), bytes({'A', 0xE0, 1, 1, 0x80}));
  EXPECT_EQ(asked, 2);
}

TEST(FontFileRead, BothLayoutsReadBack) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.fonts.glyph(6, 255) = glyph({0xAA, 0x55}, 4);
  for (FontFileLayout layout : {FontFileLayout::N, FontFileLayout::S}) {
    FontFileOptions yes;
    yes.confirm = [](std::string_view) { return true; };
    std::string file = *formatFontFile(db.fonts, db.keyTable, layout, yes);
    FontTable fonts;
    KeyTable keys = DefaultKeyTable;
    readFontBytes(file, fonts, &keys);
    FontTable expected = db.fonts;
    if (layout == FontFileLayout::S) expected.glyph(6, 255) = GlyphRecord{};
    EXPECT_EQ(fonts, expected);
    EXPECT_EQ(keys[250], layout == FontFileLayout::N ? 0xA7 : DefaultKeyTable[250]) << "keys only from N files";
  }
}

TEST(FontFileRead, KeysOfCode32AndControlCodesKeepTheirDefaults) {
  KeyTable custom{};
  custom.fill(0x41);
  FontTable fonts;
  fonts.glyph(0, 'A') = glyph({0x80}, 1);
  std::string file = *formatFontFile(fonts, custom, FontFileLayout::N);
  KeyTable keys = DefaultKeyTable;
  FontTable back;
  readFontBytes(file, back, &keys);
  EXPECT_EQ(keys[32], DefaultKeyTable[32]);
  EXPECT_EQ(keys[200], DefaultKeyTable[200]);
  EXPECT_EQ(keys[33], 0x41);
  EXPECT_EQ(keys[255], 0x41);
}

TEST(FontFileRead, ABlockStopsAtCode255AndEntriesWithoutBytesAreNotStored) {
  // The first block ends with code 255 and counts the block end it leaves
  // out, as the panel image does; the second ends at its exact length.
  std::string file = bytes({0xE1, 0x00, 12, 'A', 0, 'B', 1, 2, 0x80, 255, 1, 1, 0x80, 0xE2, 0x00, 0x04, 'C', 1, 1, 0x80});
  file += keyTrailer(DefaultKeyTable);
  FontTable fonts;
  readFontBytes(file, fonts, nullptr);
  EXPECT_FALSE(fonts.glyph(1, 'A').exists());
  EXPECT_TRUE(fonts.glyph(1, 'B').exists());
  EXPECT_TRUE(fonts.glyph(1, 255).exists());
  EXPECT_TRUE(fonts.glyph(2, 'C').exists());
}

// A font file is taken whole or not at all: whatever is not a complete and
// plausible font file leaves the fonts and keys as they were.
TEST(FontFileRead, FilesThatAreNoCompleteFontFilesAreRefusedWhole) {
  FontTable sample;
  sample.glyph(2, 'A') = glyph({0xF0, 0x80}, 9);
  sample.glyph(2, 'B') = glyph({0x40}, 3);
  sample.glyph(5, 200 + 50) = glyph({0xE0, 0xA0}, 3);
  const std::string n = *formatFontFile(sample, DefaultKeyTable, FontFileLayout::N);
  const std::string s = *formatFontFile(sample, DefaultKeyTable, FontFileLayout::S);
  std::mt19937 random(5);
  std::string noise(3000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string trueType = test::readFile(test::kDejaVuSans).substr(0, 20000);
  const std::string program = test::readFile(DORVAK_CLI_PATH).substr(0, 20000);
  auto changed = [](std::string file, std::size_t at, int value) {
    file[at] = static_cast<char>(value);
    return file;
  };
  struct Case {
    const char* name;
    std::string file;
    const char* error;
  };
  const Case cases[] = {
      {"random bytes", noise, "File format error"},
      {"a TrueType font", trueType, "File format error"},
      {"a program", program, "File format error"},
      {"N cut inside the key table", n.substr(0, n.size() - 40), "Read beyond end of file"},
      {"N cut inside a glyph", n.substr(0, 7), "Read beyond end of file"},
      {"N cut after the blocks", n.substr(0, n.size() - 161), "Read beyond end of file"},
      {"N with bytes after the keys", n + "x", "File format error"},
      {"N block longer than its glyphs", changed(n, 2, 12), "File format error"},
      {"N block shorter than its glyphs", changed(n, 2, 9), "File format error"},
      {"N glyph 60 rows high", changed(n, 5, 60), "File format error"},
      {"N byte count no whole number of columns", changed(n, 4, 3), "File format error"},
      {"N glyph of a control code", changed(n, 3, 20), "File format error"},
      {"N codes not ascending", changed(n, 8, 'A'), "File format error"},
      {"N block end running past the block", changed(n, 13, 1), "File format error"},
      {"S font byte that is no font", changed(s, 1, 0x05), "File format error"},
      {"S glyph of a control code", changed(s, 0, 200), "File format error"},
      {"S cut inside a glyph", s.substr(0, s.size() - 1), "Read beyond end of file"},
      {"S glyph of code 255", s + bytes({255, 0xE0, 1, 1, 0x80}), "File format error"},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    test::writeFile(dir.file("f.fnt"), c.file);
    PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
    db.keyTable[40] = 'x';
    const PanelDatabase before = db;
    EXPECT_EQ(test::errorOf([&] { readFontsInto(db, dir.file("f.fnt")); }), c.error) << c.name;
    EXPECT_EQ(db.fonts, before.fonts) << c.name;
    EXPECT_EQ(db.keyTable, before.keyTable) << c.name;
    FontTable fonts = sample;
    EXPECT_EQ(test::errorOf([&] { readFontBytes(c.file, fonts, nullptr); }), c.error) << c.name;
    EXPECT_EQ(fonts, sample) << c.name;
  }
  for (const std::string& good : {n, s}) {
    FontTable fonts;
    readFontBytes(good, fonts, nullptr);
    EXPECT_EQ(fonts, sample);
  }
}

TEST(FontFileRead, ADamagedPanelDataBaseLeavesTheFontsAlone) {
  test::TempDir dir;
  PanelDatabase source = test::makeSampleDatabase(FirmwareVersion::V2_15);
  source.fonts.glyph(3, 'Q') = glyph({0x80}, 1);
  std::string text = *buildHexText(source);
  text[text.find(":20012000") + 12] ^= 1;  // a checksum error inside the glyphs
  test::writeFile(dir.file("db.hex"), text);
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  const FontTable before = db.fonts;
  EXPECT_EQ(test::errorOf([&] { readFontsInto(db, dir.file("db.hex")); }), "Check sum error");
  EXPECT_EQ(db.fonts, before);
}

TEST(FontFileRead, IntoTheDataBaseFromFntAndHexFiles) {
  test::TempDir dir;
  PanelDatabase source = test::makeSampleDatabase(FirmwareVersion::V2_15);
  ASSERT_EQ(writeFontFile(source, dir.file("f.fnt"), FontFileLayout::N), FontSaveResult::Written);
  writeHexFile(source, dir.file("db.hex"));
  for (const char* name : {"f.fnt", "db.hex"}) {
    PanelDatabase db;
    db.fonts.glyph(9, 'Z') = glyph({0x80}, 1);
    std::vector<std::string> captions;
    FontFileOptions options;
    options.progressCaption = [&](std::string_view c) { captions.emplace_back(c); };
    readFontsInto(db, dir.file(name), options);
    EXPECT_EQ(db.fonts, source.fonts) << name;
    EXPECT_EQ(db.keyTable, source.keyTable) << name;
    EXPECT_EQ(db.specialGlyph, (SpecialGlyph{15, 251})) << name;
    EXPECT_EQ(captions, std::vector<std::string>{"Fonts input"});
  }
  for (const char* name : {"f.fnt", "db.hex"}) {
    FontTable fonts;
    readSourceFonts(dir.file(name), fonts);
    EXPECT_EQ(fonts, source.fonts) << name;
  }
  // A font file is read whole or not at all, as a source too.
  std::string cut = test::readFile(dir.file("f.fnt"));
  test::writeFile(dir.file("cut.fnt"), cut.substr(0, cut.size() / 2));
  FontTable fonts;
  EXPECT_THROW(readSourceFonts(dir.file("cut.fnt"), fonts), DorvakError);
  EXPECT_FALSE(fonts.hasFonts());
}

TEST(FontFileRead, AFileThatCannotBeReadLeavesTheFontsAlone) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  FontTable before = db.fonts;
  EXPECT_THROW(readFontsInto(db, "/nonexistent/f.fnt", {}), DorvakError);
  EXPECT_EQ(db.fonts, before);
}

}  // namespace
}  // namespace dorvak
