#include "core/hex_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>

#include "core/error.h"
#include "core/hex_writer.h"
#include "core/image_bytes.h"
#include "core/intel_hex.h"
#include "test_support.h"

namespace dorvak {
namespace {

std::string write(const PanelDatabase& db) {
  HexWriteOptions yes;
  yes.confirm = [](std::string_view) { return true; };
  return buildHexText(db, yes).value();
}

// Opens the text as the Open command does.
struct Opened {
  PanelDatabase db;
  HexReadResult read;
  HeaderDecoding decoding;
};

Opened open(const std::string& text, HexReadOptions options = {}) {
  Opened o;
  o.db.resetConfig();
  o.db.clearFonts(true);
  o.read = readHexText(o.db, text, "panel.hex", TableSelector::All, false, options);
  o.decoding = decodeHeader(o.read.header, o.read.headerKind, o.read.tagPosition, builtinKt500Table(), o.db);
  o.db.specialGlyph = findSpecialGlyph(o.db.fonts);
  return o;
}

std::string failureOf(const std::string& text) {
  return test::errorOf([&] { open(text); });
}

// Rewrites the whole text from an image edited byte by byte.
std::string rewrite(const std::string& text, const std::function<void(std::vector<int>&)>& edit) {
  test::ImageBytes image(text);
  edit(image.bytes);
  std::string out;
  HexRecordWriter writer(out);
  std::vector<std::uint8_t> run;
  std::uint32_t start = 0;
  auto flush = [&] {
    if (!run.empty()) writer.write(start, run);
    run.clear();
  };
  for (std::uint32_t a = 0; a < kImageSize; ++a) {
    if (image.bytes[a] < 0) {
      flush();
      continue;
    }
    if (run.empty() || (a % 32) == 0) flush(), start = a;
    run.push_back(static_cast<std::uint8_t>(image.bytes[a]));
  }
  flush();
  writer.writeEnd();
  return out;
}

void expectSameContent(const PanelDatabase& a, const PanelDatabase& b) {
  EXPECT_EQ(a.fonts, b.fonts);
  EXPECT_EQ(a.keyTable, b.keyTable);
  EXPECT_EQ(a.lines, b.lines);
  EXPECT_EQ(a.destinations, b.destinations);
  EXPECT_EQ(a.stops, b.stops);
  // Without a name there is no table, whatever bytes stay behind in memory.
  EXPECT_EQ(a.codeTable.present(), b.codeTable.present());
  if (a.codeTable.present()) {
    EXPECT_EQ(a.codeTable, b.codeTable);
  }
  EXPECT_EQ(a.formatStrings.present(), b.formatStrings.present());
  if (a.formatStrings.present()) {
    EXPECT_EQ(a.formatStrings, b.formatStrings);
  }
  EXPECT_EQ(a.dataVersion, b.dataVersion);
}

class RoundTrip : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(RoundTrip, WhatIsWrittenReadsBackAndWritesIdentically) {
  PanelDatabase db = test::makeSampleDatabase(GetParam());
  std::string text = write(db);
  Opened o = open(text);
  expectSameContent(o.db, db);
  EXPECT_EQ(o.db.config.firmware, GetParam());
  EXPECT_EQ(o.db.config.lineStyle, db.config.lineStyle);
  EXPECT_EQ(o.db.config.options, db.config.options);
  EXPECT_EQ(o.db.config.brightness, db.config.brightness);
  EXPECT_EQ(o.db.config.panelNumber, db.config.panelNumber);
  EXPECT_EQ(o.db.specialGlyph, (SpecialGlyph{15, 251}));
  EXPECT_TRUE(o.read.notices.empty());
  EXPECT_EQ(write(o.db), text);
}

TEST_P(RoundTrip, WithoutOptionalTables) {
  PanelDatabase db = test::makeSampleDatabase(GetParam());
  test::removeOptionalTables(db);
  std::string text = write(db);
  Opened o = open(text);
  expectSameContent(o.db, db);
  EXPECT_EQ(write(o.db), text);
}

std::string firmwareName(const ::testing::TestParamInfo<std::uint8_t>& info) {
  return info.param == FirmwareVersion::V1_6 ? "Fw1_6" : info.param == FirmwareVersion::V2_13 ? "Fw2_13" : "Fw2_15";
}

INSTANTIATE_TEST_SUITE_P(Firmware, RoundTrip,
                         ::testing::Values(FirmwareVersion::V1_6, FirmwareVersion::V2_13, FirmwareVersion::V2_15),
                         firmwareName);

TEST(RoundTripBanks, StopsInTheSecondBank) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::pushStopsIntoSecondBank(db);
  std::string text = write(db);
  Opened o = open(text);
  expectSameContent(o.db, db);
  EXPECT_EQ(o.db.config.firmware, FirmwareVersion::V2_15);
  EXPECT_EQ(write(o.db), text);
}

TEST(RoundTripNames, NamesOfThirtyTwoCharactersAndEmptyFormatStrings) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.codeTable.name = std::string(32, 'C');
  db.formatStrings.name = std::string(32, 'F');
  Opened o = open(write(db));
  EXPECT_EQ(o.db.codeTable, db.codeTable);
  EXPECT_EQ(o.db.formatStrings, db.formatStrings);

  // A block without strings: no format strings, no message, the code table
  // that follows is still found.
  db.formatStrings.strings = {};
  Opened empty = open(write(db));
  EXPECT_FALSE(empty.db.formatStrings.present());
  EXPECT_TRUE(empty.read.notices.empty());
  EXPECT_EQ(empty.db.codeTable, db.codeTable);
}

TEST(RoundTripNames, FormatStringsEndingOnABlockBoundary) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.formatStrings.strings = {};
  db.formatStrings.strings[2] = std::string(30, 's');  // 2 + 30 bytes: exactly one block
  Opened o = open(write(db));
  EXPECT_TRUE(o.read.notices.empty());
  EXPECT_EQ(o.db.formatStrings, db.formatStrings);
  EXPECT_EQ(o.db.codeTable, db.codeTable);
}

TEST(HeaderConversion, Firmware16FileGivesDefaultStopStyleAndKeepsItsTables) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V1_6);
  db.config.stopStyle = {5, 5, 5, 5};
  Opened o = open(write(db));
  EXPECT_EQ(o.db.config.firmware, FirmwareVersion::V1_6);
  EXPECT_EQ(o.db.config.stopStyle, (FieldStyle{1, 1, 10, 10}));
  EXPECT_EQ(o.db.config.stopField, (FieldRect{0, 0, 0, 0}));
  EXPECT_EQ(o.db.config.options, db.config.options);
  EXPECT_EQ(o.read.header[hdr::Commands2], 0);
  EXPECT_EQ(o.db.stops, db.stops);
  EXPECT_EQ(o.db.formatStrings, db.formatStrings);
}

TEST(HeaderConversion, VHeaderIsReadWithSixtyFourBytes) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V1_6);
  db.formatStrings.name.clear();
  std::string text = rewrite(write(db), [](std::vector<int>& image) {
    image[0] = 'V';
    image[10] = 0x04;  // aSZ in the second command byte
  });
  Opened o = open(text);
  EXPECT_EQ(o.read.headerKind, 'V');
  EXPECT_EQ(o.db.config.firmware, FirmwareVersion::V2_13);
  EXPECT_EQ(o.db.config.commands.aSZ, 1);
  EXPECT_EQ(o.read.header[79], 0xFF);
  EXPECT_EQ(headerAddress(o.read.header, hdr::CilTable4), 0x004F);
  EXPECT_EQ(o.db.lines, db.lines);
}

TEST(ReadFailures, MessagesThatEndTheRead) {
  std::string good = write(test::makeSampleDatabase(FirmwareVersion::V2_15));
  EXPECT_EQ(failureOf(""), "Read beyond end of file");
  EXPECT_EQ(failureOf("hello\n"), "File format error");
  EXPECT_EQ(failureOf(":00000001FF\n"), "Bad version of panel database panel.hex");
  EXPECT_EQ(failureOf(":0100000041BE\n:00000001FF\n"), "Bad version of panel database panel.hex");
  EXPECT_EQ(failureOf(":0100010057A7\n:00000001FF\n"), "Bad version of panel database panel.hex") << "not at address 0";
  std::string gap = good;
  gap.replace(gap.find(":20002000"), 9, ":20002100");  // the second header record moves by one
  gap.replace(gap.find("\r\n", gap.find(":20002100")) - 2, 2, hexByte(static_cast<std::uint8_t>(
      std::stoi(gap.substr(gap.find("\r\n", gap.find(":20002100")) - 2, 2), nullptr, 16) - 1)));
  EXPECT_EQ(failureOf(gap), "Error in file panel.hex");
  EXPECT_EQ(failureOf(good.substr(0, good.rfind(":00000001FF"))), "Read beyond end of file");
  EXPECT_EQ(failureOf(good.substr(0, good.size() / 2)), "File format error") << "a line cut short";
  std::string badSum = good;
  badSum[badSum.find(":20012000") + 12] ^= 1;
  EXPECT_EQ(failureOf(badSum), "Check sum error");
}

TEST(ReadFailures, WhatWasReadBeforeAnErrorStays) {
  PanelDatabase sample = test::makeSampleDatabase(FirmwareVersion::V2_15);
  std::string text = write(sample);
  // Cut the file at the stop table's tag record: fonts and lines are in.
  std::size_t tag = text.find("4452553A");  // "DRU:"
  ASSERT_NE(tag, std::string::npos);
  std::size_t dru = text.rfind(':', tag);
  PanelDatabase db;
  db.clearFonts(true);
  EXPECT_THROW(readHexText(db, text.substr(0, dru), "x", TableSelector::All, false), DorvakError);
  EXPECT_EQ(db.fonts, sample.fonts);
  EXPECT_EQ(db.lines, sample.lines);
  EXPECT_TRUE(db.stops.empty());
}

TEST(ReadFailures, FileThatCannotBeOpened) {
  PanelDatabase db;
  try {
    readHexFile(db, "/nonexistent/panel.hex", TableSelector::All, false);
    FAIL();
  } catch (const DorvakError& e) {
    EXPECT_STREQ(e.what(), "File /nonexistent/panel.hex: Access denied!");
  }
}

TEST(TableErrors, BadKeyEndsThatTableAndReadingGoesOn) {
  PanelDatabase sample = test::makeSampleDatabase(FirmwareVersion::V2_15);
  std::string text = rewrite(write(sample), [](std::vector<int>& image) {
    int lin = image[hdr::LinTable] << 8 | image[hdr::LinTable + 1];
    int second = lin + 3 + 2 + 3;  // after "007", length, text of line 7
    image[static_cast<std::size_t>(second + 1)] = 'x';
  });
  std::vector<std::string> shown;
  HexReadOptions options;
  options.notice = [&](const std::string& m) { shown.push_back(m); };
  Opened o = open(text, options);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Error in line database\nRead only to number 007");
  EXPECT_EQ(o.db.lines.count(), 1u);
  EXPECT_EQ(o.db.stops, sample.stops) << "later tables are still read";
}

TEST(TableErrors, BadKeyBeforeAnyEntryShowsDots) {
  std::string text = rewrite(write(test::makeSampleDatabase(FirmwareVersion::V2_15)), [](std::vector<int>& image) {
    int dru = image[66] << 8 | image[67];
    image[static_cast<std::size_t>(dru)] = '#';
  });
  Opened o = open(text);
  ASSERT_EQ(o.read.notices.size(), 1u);
  EXPECT_EQ(o.read.notices[0], "Error in stop database\nRead only to number ...");
}

TEST(TableErrors, BadDestinationKeyAfterTheFirstEntry) {
  std::string text = rewrite(write(test::makeSampleDatabase(FirmwareVersion::V2_15)), [](std::vector<int>& image) {
    int cil = image[hdr::CilTable3] << 8 | image[hdr::CilTable3 + 1];
    int length = image[static_cast<std::size_t>(cil + 3)];
    image[static_cast<std::size_t>(cil + 5 + length)] = 'X';  // "X99": neither digits nor "XXX"
  });
  Opened o = open(text);
  ASSERT_EQ(o.read.notices.size(), 1u);
  EXPECT_EQ(o.read.notices[0], "Error in direction database\nRead only to number 012");
  EXPECT_EQ(o.db.destinations.count(), 1u);
}

TEST(TableErrors, TableRunningPastTheImageIsReported) {
  std::string text = rewrite(write(test::makeSampleDatabase(FirmwareVersion::V2_15)), [](std::vector<int>& image) {
    int dru = image[66] << 8 | image[67];
    image[static_cast<std::size_t>(dru + 4)] = 0xFF;  // stop 0042 claims a long text
  });
  Opened o = open(text);
  ASSERT_EQ(o.read.notices.size(), 1u);
  EXPECT_EQ(o.read.notices[0], "Error in stop database\nRead only to number ...");
  EXPECT_TRUE(o.db.stops.empty());
}

TEST(TableErrors, BadFormatStringIndex) {
  std::string text = rewrite(write(test::makeSampleDatabase(FirmwareVersion::V2_15)), [](std::vector<int>& image) {
    int at = image[hdr::FormatStrings] << 8 | image[hdr::FormatStrings + 1];
    int second = at + 2 + 4;  // after "1", length 4, "L%3d"
    image[static_cast<std::size_t>(second)] = 'Z';
  });
  Opened o = open(text);
  ASSERT_EQ(o.read.notices.size(), 1u);
  EXPECT_EQ(o.read.notices[0], "Error in format strings\nRead only to number 1");
  EXPECT_EQ(o.db.formatStrings.strings[1], "L%3d");
  EXPECT_TRUE(o.db.formatStrings.strings[7].empty());
}

TEST(TableErrors, CodeTableCutByTheEndRecord) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.formatStrings.name.clear();
  std::string text = write(db);
  // Keep the header and the code table's name, then the end record.
  std::size_t tableRecord = text.find(":20008000");
  ASSERT_NE(tableRecord, std::string::npos);
  std::string cut = text.substr(0, tableRecord) + ":00000001FF\r\n";
  EXPECT_EQ(failureOf(cut), "Code table size error");
}

// A gap inside the font table keeps the glyphs before it and says so.
TEST(TableErrors, FontTableCutByAGapIsReported) {
  const PanelDatabase full = test::makeSampleDatabase(FirmwareVersion::V2_15);
  const std::string good = write(full);
  const test::ImageBytes image(good);
  const int fnt = image.bytes[hdr::FntTable] << 8 | image.bytes[hdr::FntTable + 1];
  // Block: 0xE0 + font, size (two bytes); entry: code, byte count, height, bitmap.
  const int firstCount = image.bytes[static_cast<std::size_t>(fnt + 4)];
  int end = fnt;  // the 0xFF after the last block
  while (image.bytes[static_cast<std::size_t>(end)] != 0xFF)
    end += 3 + (image.bytes[static_cast<std::size_t>(end + 1)] << 8 | image.bytes[static_cast<std::size_t>(end + 2)]);
  const std::string firstGlyph = std::to_string(image.bytes[static_cast<std::size_t>(fnt + 3)]) + " of font " +
                                 std::to_string(image.bytes[static_cast<std::size_t>(fnt)] & 0x0F);
  struct Case {
    const char* where;
    int gapAt;
    std::string lastLine;
  };
  for (const Case& c : {Case{"in the first glyph", fnt + 5, "Read only to number ..."},
                        Case{"after the first glyph", fnt + 6 + firstCount + 1, "Read only to glyph " + firstGlyph},
                        Case{"in the key table", end + 20, ""}}) {
    SCOPED_TRACE(c.where);
    const std::string cut = rewrite(good, [&](std::vector<int>& bytes) { bytes[static_cast<std::size_t>(c.gapAt)] = -1; });
    Opened o = open(cut);
    ASSERT_EQ(o.read.notices.size(), 1u);
    EXPECT_EQ(o.read.notices[0].substr(0, o.read.notices[0].find('\n')), "Error in font database");
    if (!c.lastLine.empty()) {
      EXPECT_EQ(o.read.notices[0].substr(o.read.notices[0].find('\n') + 1), c.lastLine);
    }
    if (c.gapAt > end) {
      EXPECT_EQ(o.db.fonts, full.fonts);  // every glyph; the keys stay the default ones
      EXPECT_EQ(o.db.keyTable, DefaultKeyTable);
    }
    // Texts behind the font table are still read.
    EXPECT_EQ(o.db.lines, full.lines);
  }
  // A table that ends where it should is no error.
  EXPECT_TRUE(open(good).read.notices.empty());
}

TEST(Selectors, OneKindOfTableReplacesOrAddsToItsList) {
  PanelDatabase source = test::makeSampleDatabase(FirmwareVersion::V2_15);
  std::string text = write(source);

  PanelDatabase db;
  db.lines.putEntry("0500", "mine\r");
  db.stops.putEntry("0001", "mine\r");
  readHexText(db, text, "x", TableSelector::Lines, true);
  EXPECT_EQ(db.lines.count(), 3u) << "added";
  EXPECT_EQ(db.stops.count(), 1u) << "other tables untouched";
  EXPECT_FALSE(db.hasFonts());

  readHexText(db, text, "x", TableSelector::Stops, false);
  EXPECT_EQ(db.stops, source.stops) << "replaced";

  readHexText(db, text, "x", TableSelector::Destinations4, false);
  EXPECT_TRUE(db.destinations.empty()) << "the file has three-digit destinations";
  readHexText(db, text, "x", TableSelector::Destinations3, false);
  EXPECT_EQ(db.destinations, source.destinations);

  readHexText(db, text, "x", TableSelector::Fonts, false);
  EXPECT_EQ(db.fonts, source.fonts);
  EXPECT_EQ(db.keyTable, source.keyTable);

  readHexText(db, text, "x", TableSelector::CodeTable, false);
  EXPECT_EQ(db.codeTable, source.codeTable);
  readHexText(db, text, "x", TableSelector::FormatStrings, false);
  EXPECT_EQ(db.formatStrings, source.formatStrings);
}

TEST(Selectors, AcceptanceCheckSkipsAndCancels) {
  PanelDatabase source = test::makeSampleDatabase(FirmwareVersion::V2_15);
  std::string text = write(source);
  PanelDatabase db;
  std::vector<std::string> asked;
  HexReadOptions options;
  options.acceptEntry = [&](TextKind kind, std::string_view key, std::string_view) {
    EXPECT_EQ(kind, TextKind::Destination);
    asked.emplace_back(key);
    return key == "0012" ? EntryDecision::Skip : key == "0999" ? EntryDecision::Store : EntryDecision::Cancel;
  };
  auto result = readHexText(db, text, "x", TableSelector::Destinations3, false, options);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(asked, (std::vector<std::string>{"0012", "0999", "XXXX"}));
  ASSERT_EQ(db.destinations.count(), 1u);
  EXPECT_EQ(entryKey(db.destinations[0]), "0999");
}

TEST(Selectors, ProgressRunsToTheEnd) {
  std::string text = write(test::makeSampleDatabase(FirmwareVersion::V2_15));
  std::vector<int> steps;
  HexReadOptions options;
  options.progress = [&](int step) { steps.push_back(step); };
  PanelDatabase db;
  readHexText(db, text, "x", TableSelector::All, false, options);
  ASSERT_FALSE(steps.empty());
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_GE(steps.back(), 63);
  EXPECT_LE(steps.back(), 64);
}

TEST(TextNormalisation, EkvivalentsOfDestinationsAndStopsSurviveLinesAreCut) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.destinations.putEntry("0012", "AB\rekvivalent");
  db.destinations.putEntry("0013", "CD\r" + std::string(40, 'e'));
  db.stops.putEntry("0042", "EF\rstop\rrest");
  db.lines.putEntry("0007", "7\rseven");
  Opened o = open(write(db));
  EXPECT_EQ(entryText(o.db.destinations[0]), "AB\rekvivalent");
  EXPECT_EQ(entryText(o.db.destinations[1]), "CD\r" + std::string(30, 'e')) << "at most 30 characters";
  EXPECT_EQ(entryText(o.db.stops[0]), "EF\rstop") << "up to a further CR";
  EXPECT_EQ(entryText(o.db.lines[0]), "7\r");
}

// ---- what an Open decodes from the header ----

PanelDatabase configured(std::uint8_t firmware, const std::function<void(PanelConfig&)>& setup) {
  PanelDatabase db = test::makeSampleDatabase(firmware);
  db.config.commands = {};
  db.config.commands.l = db.config.commands.z = db.config.commands.a = db.config.commands.aV = 0;
  setup(db.config);
  return db;
}

TEST(OpenDecoding, PositionComesFromTheFntTag) {
  for (std::uint8_t position : {PanelPosition::Front, PanelPosition::Side, PanelPosition::Rear}) {
    PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
    db.config.position = position;
    Opened o = open(write(db));
    EXPECT_EQ(o.read.tagPosition, position);
    EXPECT_EQ(o.db.config.position, position);
  }
}

TEST(OpenDecoding, SideBecomesRearOnANarrowPanel) {
  PanelDatabase db = configured(FirmwareVersion::V2_15, [](PanelConfig& c) {
    c.position = PanelPosition::Side;
    c.commands.l = 1;
    c.lineField = {0, 15, 0, 20};
  });
  EXPECT_EQ(open(write(db)).db.config.position, PanelPosition::Rear);
}

TEST(OpenDecoding, PositionWithoutTagFollowsTheExtent) {
  auto positionOf = [](int destinationRight, int lineRight) {
    PanelDatabase db = configured(FirmwareVersion::V2_15, [&](PanelConfig& c) {
      c.commands.l = c.commands.z = 1;
      c.lineField = {0, 18, 0, static_cast<std::uint8_t>(lineRight)};
      c.destinationField = {0, 18, 28, static_cast<std::uint8_t>(destinationRight)};
    });
    std::string text = write(db);
    std::size_t tag = text.find("464E543A");  // "FNT:"
    text[tag + 10] = '0';                     // the tag's "D" becomes "P"
    text[tag + 11] = '0';
    std::size_t eol = text.find("\r\n", tag);
    std::string record = text.substr(tag - 9, eol - tag + 9);
    unsigned sum = 0;
    for (std::size_t i = 1; i + 2 < record.size(); i += 2) sum += static_cast<unsigned>(std::stoi(record.substr(i, 2), nullptr, 16));
    text.replace(eol - 2, 2, hexByte(static_cast<std::uint8_t>(0x100 - (sum & 0xFF))));
    Opened o = open(text);
    EXPECT_FALSE(o.read.tagPosition);
    return o.db.config.position;
  };
  EXPECT_EQ(positionOf(111, 27), PanelPosition::Side);
  EXPECT_EQ(positionOf(139, 27), PanelPosition::Front);
  EXPECT_EQ(positionOf(27, 27), PanelPosition::Rear) << "line and destination end together";
}

struct TypeCase {
  const char* name;
  std::function<void(PanelConfig&)> setup;
  std::uint8_t panelType;
  ChooserState choosers;
  int length;
  int height;
};

class OpenPanelType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(OpenPanelType, TypeSizeAndChoosersFollowTheCommands) {
  PanelDatabase db = configured(FirmwareVersion::V2_15, [&](PanelConfig& c) {
    c.lineField = {0, 15, 0, 27};
    c.destinationField = {0, 18, 28, 111};
    c.stopField = {0, 8, 28, 119};
    GetParam().setup(c);
  });
  Opened o = open(write(db));
  EXPECT_EQ(o.db.config.panelType, GetParam().panelType);
  EXPECT_EQ(o.decoding.choosers, GetParam().choosers);
  EXPECT_EQ(o.db.config.length, GetParam().length);
  EXPECT_EQ(o.db.config.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OpenPanelType,
    ::testing::Values(
        TypeCase{"Nothing", [](PanelConfig&) {}, PanelType::Line, {false, false, false}, 28, 16},
        TypeCase{"Line", [](PanelConfig& c) { c.commands.aL = 1; }, PanelType::Line, {true, false, false}, 28, 16},
        TypeCase{"Destination", [](PanelConfig& c) { c.commands.zI = 1; }, PanelType::Destination,
                 {false, true, false}, 112, 19},
        TypeCase{"DestinationTop28", [](PanelConfig& c) { c.commands.z = 1, c.destinationField.top = 28; },
                 PanelType::Destination, {false, true, false}, 112, 19},
        TypeCase{"LineDestination", [](PanelConfig& c) { c.commands.l = c.commands.z = 1; },
                 PanelType::LineDestination, {true, true, false}, 112, 19},
        TypeCase{"LineDestinationTop28",
                 [](PanelConfig& c) { c.commands.l = c.commands.z = 1, c.destinationField.top = 28; },
                 PanelType::LineDestination, {true, true, false}, 112, 16},
        TypeCase{"DestinationStop", [](PanelConfig& c) { c.commands.z = c.commands.zN = 1; },
                 PanelType::DestinationStop, {false, true, true}, 120, 19},
        TypeCase{"All", [](PanelConfig& c) { c.commands.l = c.commands.zC = c.commands.zD = 1; },
                 PanelType::LineDestinationStop, {true, true, true}, 120, 19},
        TypeCase{"StopOnly", [](PanelConfig& c) { c.commands.zD = 1; }, PanelType::LineDestinationStop,
                 {false, false, true}, 120, 19},
        TypeCase{"TallLine", [](PanelConfig& c) { c.commands.l = c.commands.zD = 1, c.lineField.top = 25; },
                 PanelType::LineDestinationStop, {true, false, true}, 120, 26}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OpenDecoding, DataVersionIsReadBackThroughKt500) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.dataVersion = "\xC8" "1";  // Č1
  EXPECT_EQ(open(write(db)).db.dataVersion, "\xC8" "1");
}

TEST(OpenDecoding, OpenFileClearsWhatWasThereBefore) {
  test::TempDir dir;
  std::string path = dir.file("a.hex");
  test::writeFile(path, write(test::makeSampleDatabase(FirmwareVersion::V2_13)));
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.lines.putEntry("0555", "old\r");
  db.fonts.glyph(9, 'Z') = test::makeGlyph(3, 3, 0);
  OpenResult result = openHexFile(db, path);
  EXPECT_FALSE(db.lines.findEntry("0555"));
  EXPECT_FALSE(db.fonts.glyph(9, 'Z').exists());
  EXPECT_EQ(db.config.firmware, FirmwareVersion::V2_13);
  EXPECT_EQ(result.fileKind, PanelPosition::Side);
}

// ---- records in any order ----

// One data record with a linear address record before it, so that it may
// stand anywhere in the file.
std::string placedRecord(std::uint32_t address, std::span<const std::uint8_t> data) {
  auto line = [](std::vector<std::uint8_t> bytes) {
    bytes.push_back(recordChecksum(bytes));
    std::string out = ":";
    for (auto b : bytes) out += hexByte(b);
    return out + "\r\n";
  };
  std::vector<std::uint8_t> record = {static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(address >> 8),
                                      static_cast<std::uint8_t>(address & 0xFF), 0x00};
  record.insert(record.end(), data.begin(), data.end());
  return line({0x02, 0x00, 0x00, 0x04, 0x00, static_cast<std::uint8_t>(address >> 16)}) + line(record);
}

// The records of a written file, rearranged and written again.
std::string rearranged(const std::string& text, const std::function<void(std::vector<HexRecordSpan>&)>& arrange) {
  ParsedHex hex = parseHexRecords(text);
  arrange(hex.records);
  std::string out;
  for (const HexRecordSpan& r : hex.records)
    out += placedRecord(r.address, std::span<const std::uint8_t>(hex.data).subspan(r.offset, r.size));
  return out + ":00000001FF\r\n";
}

TEST(RecordOrder, RecordsInAnyOrderOrRepeatedReadLikeTheOrderedFile) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::pushStopsIntoSecondBank(db);
  const std::string text = write(db);
  std::mt19937 random(99);
  const std::pair<const char*, std::function<void(std::vector<HexRecordSpan>&)>> orders[] = {
      {"as written", [](auto&) {}},
      {"reversed", [](auto& r) { std::reverse(r.begin(), r.end()); }},
      {"shuffled", [&](auto& r) { std::shuffle(r.begin(), r.end(), random); }},
      {"two swapped", [](auto& r) { std::swap(r[40], r[41]); }},
      {"one repeated at once", [](auto& r) { r.insert(r.begin() + 40, r[40]); }},
      {"one repeated at the end", [](auto& r) { r.push_back(r[100]); }},
      {"half of one repeated", [](auto& r) { r.push_back({r[100].address + 8, r[100].offset + 8, r[100].size / 2}); }},
  };
  for (const auto& [name, arrange] : orders) {
    Opened o = open(rearranged(text, arrange));
    expectSameContent(o.db, db);
    EXPECT_EQ(write(o.db), text) << name;
  }
}

TEST(RecordOrder, RecordsThatOverlapWithOtherBytesAreRefused) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  const std::string text = write(db);
  ParsedHex hex = parseHexRecords(text);
  const HexRecordSpan& glyphs = hex.records[12];
  std::vector<std::uint8_t> other(hex.data.begin() + glyphs.offset, hex.data.begin() + glyphs.offset + glyphs.size);
  other[3] ^= 0x10;
  std::string conflicting = text;
  conflicting.insert(conflicting.find(":00000001FF"), placedRecord(glyphs.address + 2, std::span(other).subspan(1, 4)));
  EXPECT_EQ(failureOf(conflicting), "File format error");
  // The same bytes again are no conflict.
  std::string same = text;
  same.insert(same.find(":00000001FF"), placedRecord(glyphs.address + 3, std::span(hex.data).subspan(glyphs.offset + 3, 4)));
  EXPECT_EQ(failureOf(same), "no error");
  // A record that would reach past the second bank is no part of a panel image.
  EXPECT_EQ(failureOf(text.substr(0, text.find(":00000001FF")) + placedRecord(0x1FFF0, other) + ":00000001FF\r\n"),
            "File format error");
}

// ---- hostile input ----

TEST(HostileInput, MutatedImagesNeverCrashAndFailOnlyWithMessages) {
  const std::string good = write(test::makeSampleDatabase(FirmwareVersion::V2_15));
  test::ImageBytes base(good);
  std::mt19937 random(12345);
  for (int round = 0; round < 1500; ++round) {
    std::string text = rewrite(good, [&](std::vector<int>& image) {
      int edits = 1 + static_cast<int>(random() % 6);
      for (int e = 0; e < edits; ++e) {
        // Mostly the header and table starts, where lengths and addresses live.
        std::uint32_t at = random() % 2 ? random() % 80 : random() % 0x800;
        if (image[at] >= 0) image[at] = static_cast<int>(random() % 256);
      }
    });
    PanelDatabase db;
    try {
      readHexText(db, text, "x", TableSelector::All, false);
    } catch (const DorvakError& e) {
      EXPECT_FALSE(std::string(e.what()).empty());
    }
  }
}

}  // namespace
}  // namespace dorvak
