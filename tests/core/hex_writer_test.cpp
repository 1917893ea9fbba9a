#include "core/hex_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/error.h"
#include "core/image_header.h"
#include "core/image_bytes.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::ImageBytes;

PanelDatabase minimalDatabase(std::uint8_t firmware) {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  db.config.firmware = firmware;
  db.fonts.glyph(0, 'A') = test::makeGlyph(5, 7, 1);
  return db;
}

std::string build(const PanelDatabase& db, const HexWriteOptions& options = {}) {
  auto text = buildHexText(db, options);
  EXPECT_TRUE(text.has_value());
  return text.value_or("");
}

std::string failureOf(const PanelDatabase& db, const HexWriteOptions& options = {}) {
  return test::errorOf([&] { buildHexText(db, options); });
}

TEST(ImageLayout, CodeTableFntAndLinFollowTheDocumentedAddresses) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  db.codeTable.name = "ABCDE";
  db.codeTable.table.fill(0x41);
  db.lines.putEntry("0001", "1\r");
  ImageBytes image(build(db));

  EXPECT_EQ(image[0], 'W');
  EXPECT_EQ(image[79], 0xFF);
  EXPECT_EQ(image[80], -1) << "the header ends at 0x4F";
  EXPECT_EQ(image.text(0x60, 5), "ABCDE");
  EXPECT_EQ(image[0x65], -1);
  EXPECT_EQ(image.word(hdr::CodeTable), 0x0080);
  EXPECT_EQ(image[0x80], 0x41);
  EXPECT_EQ(image[0xFF], 0x41);
  EXPECT_EQ(image.text(0x100, 18), "FNT: Dorvak - 0.12");
  EXPECT_EQ(image.word(hdr::FntTable), 0x0120);
  EXPECT_EQ(image[0x120], 0xE0) << "font 0 block";
  int linTable = image.word(hdr::LinTable);
  EXPECT_EQ(linTable % 32, 0);
  EXPECT_EQ(image.text(static_cast<std::uint32_t>(linTable - 32), 4), "LIN:");
  EXPECT_EQ(image.text(static_cast<std::uint32_t>(linTable), 3), "001");
}

TEST(ImageLayout, EmptyTablesPointAtTheLastHeaderByte) {
  ImageBytes longForm(build(minimalDatabase(FirmwareVersion::V2_13)));
  for (int offset : {hdr::LinTable, hdr::CilTable3, hdr::Unused27, hdr::DruTable, hdr::Unused57, hdr::Unused57 + 2,
                     hdr::FormatStrings, hdr::CilTable4})
    EXPECT_EQ(longForm.word(static_cast<std::uint32_t>(offset)), 0x004F) << offset;
  EXPECT_EQ(longForm.word(hdr::CodeTable), 0x0000);
  EXPECT_EQ(longForm[66], 0x00) << "firmware 2.13 leaves 66..68 zero";
  EXPECT_EQ(longForm[67], 0x00);
  EXPECT_EQ(longForm[68], 0x00);

  ImageBytes fw215(build(minimalDatabase(FirmwareVersion::V2_15)));
  EXPECT_EQ(fw215[66], 0x00);
  EXPECT_EQ(fw215[67], 0x4F);
  EXPECT_EQ(fw215[68], 0x00);

  ImageBytes shortForm(build(minimalDatabase(FirmwareVersion::V1_6)));
  EXPECT_EQ(shortForm[0], 'U');
  EXPECT_EQ(shortForm[63], 0xFF);
  EXPECT_EQ(shortForm.text(64, 4), "FNT:") << "the tag follows the 64-byte header";
  for (int offset : {hdr::LinTable, hdr::CilTable3, hdr::Unused27})
    EXPECT_EQ(shortForm.word(static_cast<std::uint32_t>(offset)), 0x003F) << offset;
  EXPECT_EQ(shortForm.word(hdr::DruTable), 0x0000);
  EXPECT_EQ(shortForm.word(hdr::FormatStrings), 0x0000);
}

TEST(ImageHeaderFields, ConfigurationBytesOfTheLongHeader) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  PanelConfig& c = db.config;
  c.lineField = {1, 2, 3, 4};
  c.destinationField = {5, 6, 7, 8};
  c.stopField = {9, 10, 11, 12};
  c.lineStyle = {1, 2, 3, 4};
  c.destinationStyle = {15, 6, 7, 8};
  c.stopStyle = {2, 3, 4, 5};
  c.commands = {};
  c.commands.z = c.commands.aV = 0;
  c.commands.l = c.commands.zA = c.commands.aA = 1;     // bits 0, 3, 7 of byte 9
  c.commands.aL = c.commands.aSC = c.commands.zN = 1;  // bits 0, 4, 6 of byte 10
  c.commands.a = 1;                                    // not stored
  c.options = 0x99;
  c.brightness = 12;
  c.panelNumber = 34;
  ImageBytes image(build(db));
  EXPECT_EQ(image[1], 1);
  EXPECT_EQ(image[4], 4);
  EXPECT_EQ(image[8], 8);
  EXPECT_EQ(image[9], 0x89);
  EXPECT_EQ(image[10], 0x51);
  EXPECT_EQ(image[11], 0x99);
  EXPECT_EQ(image[12], 0x00);
  EXPECT_EQ(image[13], 0xE1);
  EXPECT_EQ(image[16], 4);
  EXPECT_EQ(image[17], 0xEF);
  EXPECT_EQ(image[47], 9);
  EXPECT_EQ(image[50], 12);
  EXPECT_EQ(image[51], 0xE2);
  EXPECT_EQ(image[54], 5);
  EXPECT_EQ(image[77], 12);
  EXPECT_EQ(image[78], 34);
}

TEST(ImageHeaderFields, ShortHeaderMovesOptionsAndDropsNewerCommands) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V1_6);
  db.config.commands.lA = db.config.commands.zD = 1;  // unknown to firmware 1.6
  db.config.options = 0xA1;
  ImageBytes image(build(db));
  EXPECT_EQ(image[9], 0x45) << "l, z and aV only";
  EXPECT_EQ(image[10], 0xA1);
  EXPECT_EQ(image[11], 0xFC);
  EXPECT_EQ(image[12], 0x80);
  for (int i = 47; i <= 54; ++i) EXPECT_EQ(image[static_cast<std::uint32_t>(i)], 0) << i;
}

TEST(ImageHeaderFields, DataVersionInKt500CodesPaddedWithCr) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  db.dataVersion = "AB";
  ImageBytes image(build(db));
  EXPECT_EQ(image.text(31, 2), "AB");
  for (int i = 33; i <= 46; ++i) EXPECT_EQ(image[static_cast<std::uint32_t>(i)], 0x0D) << i;

  db.dataVersion = "\xC8\xA7\x80";  // Č, §, and the euro sign, which KT500 lacks
  ImageBytes translated(build(db));
  EXPECT_EQ(translated[31], 0x80);
  EXPECT_EQ(translated[32], 0xAD);
  EXPECT_EQ(translated[33], 'd');
}

TEST(FontTableLayout, BlocksWithSizeAndClosingPair) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  db.fonts.glyph(0, 'A') = test::makeGlyph(2, 7, 0);  // 2 bytes
  db.fonts.glyph(2, 'B') = test::makeGlyph(1, 9, 0);  // 2 bytes
  db.fonts.glyph(2, 255) = test::makeGlyph(1, 3, 0);  // 1 byte, last of its font
  db.fonts.glyph(1, 10) = test::makeGlyph(1, 3, 0);   // below 32: never written
  ImageBytes image(build(db));
  std::uint32_t at = static_cast<std::uint32_t>(image.word(hdr::FntTable));
  // Font 0: E0, size 2 + (2 + 3), 'A' entry, FF 00.
  EXPECT_EQ(image[at], 0xE0);
  EXPECT_EQ(image.word(at + 1), 7);
  EXPECT_EQ(image[at + 3], 'A');
  EXPECT_EQ(image[at + 4], 2);
  EXPECT_EQ(image[at + 5], 7);
  EXPECT_EQ(image[at + 8], 0xFF);
  EXPECT_EQ(image[at + 9], 0x00);
  // Font 2: size counts the pair that a last code 255 makes unnecessary.
  at += 10;
  EXPECT_EQ(image[at], 0xE2);
  EXPECT_EQ(image.word(at + 1), 2 + 5 + 4);
  EXPECT_EQ(image[at + 3], 'B');
  EXPECT_EQ(image[at + 8], 255);
  EXPECT_EQ(image[at + 9], 1);
  EXPECT_EQ(image[at + 10], 3);
  // Then the end of the glyphs and the key table.
  at += 12;
  EXPECT_EQ(image[at], 0xFF);
  EXPECT_EQ(image[at + 1], 0x00);
  EXPECT_EQ(image[at + 2], DefaultKeyTable[33]);
  EXPECT_EQ(image[at + 2 + 143], DefaultKeyTable[240]);
  EXPECT_EQ(image[at + 2 + 143 + 16], 0xFF);
}

TEST(FontTableLayout, Firmware16OrdersByCodeThenFont) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V1_6);
  db.fonts.glyph(3, 'A') = test::makeGlyph(1, 7, 0);
  db.fonts.glyph(1, 'B') = test::makeGlyph(1, 7, 0);
  ImageBytes image(build(db));
  std::uint32_t at = static_cast<std::uint32_t>(image.word(hdr::FntTable));
  const int expected[][2] = {{'A', 0xE0}, {'A', 0xE3}, {'B', 0xE1}};
  for (const auto& e : expected) {
    EXPECT_EQ(image[at], e[0]);
    EXPECT_EQ(image[at + 1], e[1]);
    at += 4 + static_cast<std::uint32_t>(image[at + 2]);
  }
  EXPECT_EQ(image[at], 0xFF);
  EXPECT_EQ(image[at + 1], 0x00);
}

TEST(TextTableLayout, ThreeDigitDestinationsAndStartingDestination) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  db.destinations.putEntry("0123", "AB\r");
  db.destinations.putEntry("XXXX", "S\r");
  ImageBytes image(build(db));
  std::uint32_t at = static_cast<std::uint32_t>(image.word(hdr::CilTable3));
  EXPECT_EQ(image.text(at, 8), std::string("123\x03\x00" "AB\r", 8));
  EXPECT_EQ(image.text(at + 8, 6), std::string("XXX\x02\x00S", 6));
  EXPECT_EQ(image[at + 15], 0xFF);
  EXPECT_EQ(image.word(hdr::CilTable4), 0x004F) << "zC is off";
}

TEST(TextTableLayout, FourDigitDestinationsWithZcOnly) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  db.config.commands.z = 0;
  db.config.commands.zC = 1;
  db.destinations.putEntry("1234", "AB\r");
  ImageBytes image(build(db));
  EXPECT_EQ(image.word(hdr::CilTable3), 0x004F);
  std::uint32_t at = static_cast<std::uint32_t>(image.word(hdr::CilTable4));
  EXPECT_EQ(image.text(at, 4), "1234");
}

TEST(TextTableLayout, EkvivalentIsCutFromDestinationsOnlyInEkvivalentMode) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V2_15);
  db.destinations.putEntry("0001", "AB\rab");
  db.stops.putEntry("0001", "CD\rcd");
  ImageBytes whole(build(db));
  std::uint32_t cil = static_cast<std::uint32_t>(whole.word(hdr::CilTable3));
  EXPECT_EQ(whole[cil + 3], 5);

  HexWriteOptions kt500;
  kt500.ekvivalentMode = 1;
  ImageBytes cut(build(db, kt500));
  EXPECT_EQ(cut[cil + 3], 3);
  EXPECT_EQ(cut.text(cil + 5, 3), "AB\r");
  std::uint32_t dru = static_cast<std::uint32_t>(cut.word(hdr::DruTable));
  EXPECT_EQ(cut[dru + 4], 5) << "stops are written whole";
}

TEST(TextTableLayout, StopsInTheSecondBankForFirmware215) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::pushStopsIntoSecondBank(db);
  ImageBytes image(build(db));
  EXPECT_EQ(image.word(hdr::DruTable), 0x004F);
  EXPECT_EQ(image[68], 1) << "bank 1";
  std::uint32_t dru = 0x10000u + static_cast<std::uint32_t>(image.word(66));
  EXPECT_EQ(image.text(dru, 4), "0042");
  EXPECT_EQ(image.text(dru - 32, 4), "DRU:");

  db.config.firmware = FirmwareVersion::V2_13;
  EXPECT_EQ(failureOf(db), "Table address overflow");
}

TEST(WriteFailures, MessagesOfTheWriter) {
  PanelDatabase empty;
  empty.resetConfig();
  empty.fonts.glyph(0, 20).byteCount = 3;  // codes below 32 do not count
  EXPECT_EQ(failureOf(empty), "Fonts table is empty");

  PanelDatabase noFirmware = minimalDatabase(FirmwareVersion::Unset);
  EXPECT_EQ(failureOf(noFirmware), "Choose the panel firmware (1.6, 2.13 or 2.15) before saving.");

  PanelDatabase huge = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::pushStopsIntoSecondBank(huge);
  std::string longText(60000, 'x');
  for (int i = 0; i < 3; ++i) huge.stops.putEntry(makeKey(TextKind::Stop, i, false), longText + "\r");
  EXPECT_EQ(failureOf(huge), "Panel memory overflow");

  PanelDatabase linesPastBank = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::fillFontsPastFirstBank(linesPastBank);
  EXPECT_EQ(failureOf(linesPastBank), "Table address overflow") << "lines must start in the first bank";
}

TEST(Code255Question, AskedForFirmware16AndDeclinedWritesNothing) {
  PanelDatabase db = minimalDatabase(FirmwareVersion::V1_6);
  db.fonts.glyph(4, 255) = test::makeGlyph(2, 5, 0);
  std::string asked;
  HexWriteOptions no;
  no.confirm = [&](std::string_view q) {
    asked = q;
    return false;
  };
  EXPECT_FALSE(buildHexText(db, no).has_value());
  EXPECT_EQ(asked, "FW 1.x cannot use charakter with code 255.\nContinue?");
  EXPECT_FALSE(buildHexText(db).has_value()) << "no answer is No";

  HexWriteOptions yes;
  yes.confirm = [](std::string_view) { return true; };
  ImageBytes image(build(db, yes));
  std::uint32_t at = static_cast<std::uint32_t>(image.word(hdr::FntTable));
  EXPECT_EQ(image[at], 'A');
  EXPECT_EQ(image[at + 4 + image[at + 2]], 0xFF) << "code 255 left out";

  db.config.firmware = FirmwareVersion::V2_15;
  bool askedAgain = false;
  HexWriteOptions watch;
  watch.confirm = [&](std::string_view) { return askedAgain = true; };
  EXPECT_TRUE(buildHexText(db, watch).has_value());
  EXPECT_FALSE(askedAgain) << "firmware 2.x keeps code 255";
}

TEST(SafeSave, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  std::string path = dir.file("panel.hex");
  test::writeFile(path, "previous contents");
  PanelDatabase db;
  db.resetConfig();  // no fonts
  EXPECT_THROW(writeHexFile(db, path), DorvakError);
  EXPECT_EQ(test::readFile(path), "previous contents");

  PanelDatabase asks = minimalDatabase(FirmwareVersion::V1_6);
  asks.fonts.glyph(0, 255) = test::makeGlyph(1, 1, 0);
  EXPECT_EQ(writeHexFile(asks, path), SaveResult::Declined);
  EXPECT_EQ(test::readFile(path), "previous contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  EXPECT_EQ(writeHexFile(minimalDatabase(FirmwareVersion::V2_15), path), SaveResult::Written);
  EXPECT_EQ(test::readFile(path).substr(0, 3), ":20");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(SafeSave, UnwritableFolderGivesTheReasonAndTheName) {
  test::TempDir dir;
  std::string path = dir.file("missing/panel.hex");
  try {
    writeHexFile(minimalDatabase(FirmwareVersion::V2_15), path);
    FAIL() << "expected a failure";
  } catch (const DorvakError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("File " + path + " cannot be written: ", 0), 0u) << e.what();
  }
}

TEST(SafeSave, EveryWrittenFileIsReadBySrecCat) {
  test::TempDir dir;
  for (auto fw : {FirmwareVersion::V1_6, FirmwareVersion::V2_13, FirmwareVersion::V2_15}) {
    std::string path = dir.file("fw" + std::to_string(fw) + ".hex");
    ASSERT_EQ(writeHexFile(test::makeSampleDatabase(fw), path), SaveResult::Written);
    EXPECT_TRUE(test::srecCatAccepts(path)) << path;
  }
  PanelDatabase banked = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::pushStopsIntoSecondBank(banked);
  std::string path = dir.file("banked.hex");
  ASSERT_EQ(writeHexFile(banked, path), SaveResult::Written);
  EXPECT_TRUE(test::srecCatAccepts(path));
}

}  // namespace
}  // namespace dorvak
