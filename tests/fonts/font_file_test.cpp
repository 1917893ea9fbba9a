#include "fonts/font_file.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/hex_writer.h"
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
  std::string file = bytes({0xE1, 0x00, 0x09, 'A', 0, 'B', 1, 2, 0x80, 255, 1, 1, 0x80, 0xE2, 0x00, 0x04, 'C', 1, 1, 0x80, 0xFF});
  FontTable fonts;
  readFontBytes(file, fonts, nullptr);
  EXPECT_FALSE(fonts.glyph(1, 'A').exists());
  EXPECT_TRUE(fonts.glyph(1, 'B').exists());
  EXPECT_TRUE(fonts.glyph(1, 255).exists());
  EXPECT_TRUE(fonts.glyph(2, 'C').exists());
}

TEST(FontFileRead, AShortFileKeepsWhatWasRead) {
  FontTable fonts;
  try {
    readFontBytes(bytes({'A', 0xE0, 1, 1, 0x80, 'B', 0xE0, 3, 1, 0x80}), fonts, nullptr);
    FAIL();
  } catch (const DorvakError& e) {
    EXPECT_STREQ(e.what(), "Read beyond end of file");
  }
  EXPECT_TRUE(fonts.glyph(0, 'A').exists());
  EXPECT_FALSE(fonts.glyph(0, 'B').exists());
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
  // A source file cut short keeps the glyphs read before the error.
  std::string cut = test::readFile(dir.file("f.fnt"));
  test::writeFile(dir.file("cut.fnt"), cut.substr(0, cut.size() / 2));
  FontTable fonts;
  EXPECT_THROW(readSourceFonts(dir.file("cut.fnt"), fonts), DorvakError);
  EXPECT_TRUE(fonts.hasFonts());
}

TEST(FontFileRead, AFileThatCannotBeReadLeavesTheFontsAlone) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  FontTable before = db.fonts;
  EXPECT_THROW(readFontsInto(db, "/nonexistent/f.fnt", {}), DorvakError);
  EXPECT_EQ(db.fonts, before);
}

}  // namespace
}  // namespace dorvak
