// Ekvivalents written into BBD and BBF files and read back from them.

#include "interchange/ekvivalents.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/error.h"
#include "failing_disk.h"
#include "interchange/ekvivalent_records.h"
#include "interchange/unit_bytes.h"
#include "interchange/unit_file.h"
#include "interchange/unit_texts.h"
#include "test_support.h"
#include "text/stored_text.h"

namespace dorvak {
namespace {

using test::errorOf;

using test::bbdBytes;
using test::bbfBytes;
using test::le16;
using test::le32;
using test::named;

PanelDatabase withDestinations(std::initializer_list<std::pair<const char*, std::string>> entries) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.destinations.deleteAll();
  for (const auto& [key, text] : entries) db.destinations.putEntry(key, text);
  return db;
}

ProgramOptions modeOptions(std::uint8_t mode) {
  ProgramOptions options;
  options.ekvivalentMode = mode;
  return options;
}

EkvivalentWriteOptions writeMode(std::uint8_t mode) { return {modeOptions(mode), {}}; }
EkvivalentReadOptions readMode(std::uint8_t mode) { return {modeOptions(mode), {}, {}}; }

std::vector<std::string> entries(const PanelDatabase& db) {
  return std::vector<std::string>(db.destinations.begin(), db.destinations.end());
}

std::size_t filesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class UnitEkvivalents : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return dir.file(name); }
  std::string write(const std::string& name, const std::string& bytes) {
    test::writeFile(file(name), bytes);
    return file(name);
  }
  test::TempDir dir;
};

// ---- writing: the layouts ----

TEST_F(UnitEkvivalents, ABbdIsGeneratedWithItsHeaderSectionHeadAndTrailer) {
  // Data version "V2.Č"; "b" and "B" are equal but for case, so the number decides.
  PanelDatabase db = withDestinations({{"0012", "b\r"}, {"0003", "B\r"}, {"XXXX", "START\r"}});
  std::vector<std::string> captions;
  std::vector<int> steps;
  EkvivalentWriteOptions options = writeMode(EkvivalentMode::Kt500);
  options.progress.caption = [&](std::string_view c) { captions.emplace_back(c); };
  options.progress.step = [&](int s) { steps.push_back(s); };
  EkvivalentWriteResult result = writeEkvivalents(db, file("unit.bbd"), true, options);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.records, 2u) << "the starting destination has no record";

  std::string header = "DTAKT500" + std::string("V2.\x80", 4) + std::string(116, '\0');
  header.replace(64, 4, le32(177 - 64));
  header.replace(68, 4, le32(161));
  std::string expected = header + std::string(1, '\0') + std::string(8, '\0') + "CILE" + std::string(20, '\0') +
                         le16(3) + le16(3) + "\x80" "B\r" + le16(12) + le16(3) + "\x80" "b\r" + "\xFF\xFF" +
                         std::string(4, '\0');
  EXPECT_EQ(test::readFile(file("unit.bbd")), expected);
  EXPECT_EQ(captions, (std::vector<std::string>{"BBD generation"}));
  EXPECT_EQ(steps, (std::vector<int>{0, 32}));
}

TEST_F(UnitEkvivalents, AKt700BbdIsMarkedAndInKt700Codes) {
  // Č and á in panel codes (default key table): 128 and 160.
  PanelDatabase db = withDestinations({{"0001", "\x80\xA0slav\r"}});
  ProgramOptions kt700 = modeOptions(EkvivalentMode::Kt700);
  kt700.kt700Table = {};
  kt700.kt700Table[200] = 0xC8;  // Č
  kt700.kt700Table[201] = 0xE1;  // á
  for (char c : std::string("slav")) kt700.kt700Table[static_cast<std::uint8_t>(c) - 32] = static_cast<std::uint8_t>(c);
  writeEkvivalents(db, file("unit.bbd"), true, {kt700, {}});
  std::string bytes = test::readFile(file("unit.bbd"));
  EXPECT_EQ(bytes[28], 1);
  EXPECT_EQ(bytes.substr(8, 4), std::string("V2.\x80", 4)) << "the data version stays in KT500 codes";
  EXPECT_EQ(bytes.substr(161), le16(1) + le16(8) + "\x80\xC8\xC9" "SLAV" "\r" "\xFF\xFF" + std::string(4, '\0'));
}

TEST_F(UnitEkvivalents, ABbfKeepsItsConfigurationPartAndGetsTheNewSection) {
  const std::string old = bbfBytes({named(1, "OLD")}, {named(2, "OLD STOP"), named(3, "ANOTHER")});
  write("unit.bbf", old);
  PanelDatabase db = withDestinations({{"0012", "b\r"}, {"0003", "B\r"}});
  std::vector<std::string> captions;
  EkvivalentWriteOptions options = writeMode(EkvivalentMode::Kt500);
  options.progress.caption = [&](std::string_view c) { captions.emplace_back(c); };
  ASSERT_TRUE(writeEkvivalents(db, file("unit.bbf"), false, options).written);
  const std::string bytes = test::readFile(file("unit.bbf"));

  ASSERT_EQ(bytes.size(), 4138u + 7 + 7 + 2) << "the old sections are dropped; no trailer";
  EXPECT_EQ(bytes.substr(0, 6), old.substr(0, 6)) << "magic and configSize";
  std::string block = old.substr(6, 4096);
  block.replace(208, 28, le32(4132) + std::string(24, '\0'));
  block.replace(254, 2, bytes.substr(6 + 254, 2));
  EXPECT_EQ(bytes.substr(6, 4096), block) << "every other byte of the block is carried over";
  ConfigBlock written{};
  std::copy_n(bytes.begin() + 6, 4096, written.begin());
  EXPECT_TRUE(configBlockValid(written));
  EXPECT_EQ(bytes.substr(4102, 4), le32(static_cast<std::uint32_t>(bytes.size() - 4102 - 4)));
  EXPECT_EQ(bytes.substr(4106, 32), std::string(8, '\0') + "CILE" + std::string(20, '\0'));
  EXPECT_EQ(bytes.substr(4138), le16(3) + le16(3) + "\x80" "B\r" + le16(12) + le16(3) + "\x80" "b\r" + "\xFF\xFF")
      << "by number";
  EXPECT_EQ(captions, (std::vector<std::string>{"BBF generation"}));
}

TEST_F(UnitEkvivalents, TheBbfLengthCountsFromBehindTheConfigSizeItStates) {
  write("unit.bbf", bbfBytes({}, {}, 4000));
  writeEkvivalents(withDestinations({{"0001", "A\r"}}), file("unit.bbf"), true, writeMode(EkvivalentMode::Kt500));
  std::string bytes = test::readFile(file("unit.bbf"));
  EXPECT_EQ(bytes.substr(4, 2), le16(4000));
  EXPECT_EQ(bytes.substr(4102, 4), le32(static_cast<std::uint32_t>(bytes.size() - 4000 - 6 - 4)));
}

// ---- writing: the records ----

TEST_F(UnitEkvivalents, RecordsCarryTheExplicitOrTheDerivedEkvivalent) {
  PanelDatabase db = withDestinations({
      {"0001", "\xE0" "CENTRE\nNORTH\r"},    // derived: rows joined, codes dropped
      {"0002", "DEPOT\rGarage"},             // explicit
      {"0003", "A VERY LONG DESTINATION\r"}, // derived, cut for KT500
      {"0004", "X\rTrailing   "},            // explicit, trailing blanks dropped
  });
  auto texts = [](const std::vector<EkvivalentRecord>& records) {
    std::vector<std::string> out;
    for (const auto& r : records) out.push_back(std::to_string(r.number) + "=" + r.text);
    return out;
  };
  EXPECT_EQ(texts(ekvivalentRecords(db, false, modeOptions(EkvivalentMode::Kt500))),
            (std::vector<std::string>{"1=CENTRE NORTH", "2=Garage", "3=A VERY LONG", "4=Trailing"}));
  EXPECT_EQ(texts(ekvivalentRecords(db, false, modeOptions(EkvivalentMode::Kt700))),
            (std::vector<std::string>{"1=CENTRE NORTH", "2=Garage", "3=A VERY LONG DEST", "4=Trailing"}))
      << "KT700: cut where the width passes 122 dots";
}

TEST_F(UnitEkvivalents, AlphabeticalOrderIgnoresCaseAndEqualTextsGoByNumber) {
  PanelDatabase db = withDestinations({{"0012", "b\r"}, {"0003", "B\r"}, {"0007", "a\r"}, {"0001", "C\r"},
                                       {"0002", "ab\r"}, {"0004", "A\r"}, {"XXXX", "0\r"}});
  std::vector<std::uint16_t> numbers;
  for (const auto& r : ekvivalentRecords(db, true, modeOptions(EkvivalentMode::Kt500))) numbers.push_back(r.number);
  EXPECT_EQ(numbers, (std::vector<std::uint16_t>{4, 7, 2, 3, 12, 1}));
  numbers.clear();
  for (const auto& r : ekvivalentRecords(db, false, modeOptions(EkvivalentMode::Kt500))) numbers.push_back(r.number);
  EXPECT_EQ(numbers, (std::vector<std::uint16_t>{1, 2, 3, 4, 7, 12}));
}

TEST_F(UnitEkvivalents, CzechLettersSortWhereAReaderLooksForThem) {
  // Explicit ekvivalents in Windows-1250.
  const std::vector<std::string> names = {"\x8E" "atec", "zoo", "\xDA" "st\xED", "Uh\xF8\xED" "n\xEC" "ves",
                                          "\xD8" "evnice", "Rokycany", "Dob\xF8\xED\x9A", "\xC8\xE1" "slav",
                                          "Cheb", "Brno", "\xC1" "bel", "Abel"};
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.destinations.deleteAll();
  for (std::size_t i = 0; i < names.size(); ++i)
    db.destinations.putEntry(makeKey(TextKind::Destination, static_cast<int>(i), false), "X\r" + names[i]);
  std::vector<std::string> sorted;
  for (const auto& r : ekvivalentRecords(db, true, modeOptions(EkvivalentMode::Kt700))) sorted.push_back(r.text);
  EXPECT_EQ(sorted, (std::vector<std::string>{"Abel", "\xC1" "bel", "Brno", "Cheb", "\xC8\xE1" "slav",
                                              "Dob\xF8\xED\x9A", "Rokycany", "\xD8" "evnice", "Uh\xF8\xED" "n\xEC" "ves",
                                              "\xDA" "st\xED", "zoo", "\x8E" "atec"}));
}

TEST_F(UnitEkvivalents, AlphabeticalRecordsKeepThirtyCharacters) {
  std::string longText(40, 'L');
  PanelDatabase db = withDestinations({{"0001", "X\r" + longText}, {"0002", "X\r" + longText + "A"}});
  auto alphabetical = ekvivalentRecords(db, true, modeOptions(EkvivalentMode::Kt500));
  ASSERT_EQ(alphabetical.size(), 2u);
  EXPECT_EQ(alphabetical[0].text, std::string(30, 'L'));
  EXPECT_EQ(alphabetical[0].number, 1) << "a text beyond 30 characters never spills into the number";
  EXPECT_EQ(alphabetical[1].number, 2);
  EXPECT_EQ(ekvivalentRecords(db, false, modeOptions(EkvivalentMode::Kt500))[0].text, longText);
}

// ---- reading ----

TEST_F(UnitEkvivalents, TheUnsortedFlagTellsANumberSmallerThanTheOneBefore) {
  PanelDatabase db = withDestinations({{"0003", "C\r"}, {"0005", "E\r"}, {"0009", "I\r"}});
  auto unsorted = [&](std::vector<unsigned> numbers) {
    std::vector<test::UnitRec> records;
    for (unsigned n : numbers) records.push_back(named(n, "T"));
    return readEkvivalents(db, write("u.bbd", bbdBytes(records, {})), readMode(EkvivalentMode::Kt500)).unsorted;
  };
  EXPECT_TRUE(unsorted({5, 3, 9}));
  EXPECT_FALSE(unsorted({3, 5, 9}));
  EXPECT_FALSE(unsorted({9}));
  EXPECT_FALSE(unsorted({3, 3, 5})) << "an equal number is not smaller";
}

TEST_F(UnitEkvivalents, AReadTextEqualToTheDerivedOneLeavesTheTextEndingInCr) {
  PanelDatabase db = withDestinations({{"0003", "ABC\r"},
                                       {"0005", "DEF\rOLD"},
                                       {"0009", "GHI\rOLD"},
                                       {"0010", "ABCDEFGHIJKLMNO\r"},
                                       {"0011", "KEEP\rMINE"}});
  std::vector<std::string> notices;
  EkvivalentReadOptions options = readMode(EkvivalentMode::Kt500);
  options.notice = [&](const std::string& m) { notices.push_back(m); };
  std::string unit = write("u.bbf", bbfBytes({named(3, "ABC"), named(5, "DEF"), named(7, "NOWHERE"), named(9, "NEW"),
                                              named(10, "ABCDEFGHIJKLMNO")},
                                             {}));
  EkvivalentReadResult result = readEkvivalents(db, unit, options);
  EXPECT_EQ(entryText(db.destinations[0]), "ABC\r");
  EXPECT_EQ(entryText(db.destinations[1]), "DEF\r") << "an explicit ekvivalent is always replaced";
  EXPECT_EQ(entryText(db.destinations[2]), "GHI\rNEW");
  EXPECT_EQ(entryText(db.destinations[3]), "ABCDEFGHIJKLMNO\rABCDEFGHIJKLMNO")
      << "the whole name, against the 12 characters derived for KT500";
  EXPECT_EQ(entryText(db.destinations[4]), "KEEP\rMINE") << "not in the file";
  EXPECT_EQ(notices, (std::vector<std::string>{"Destination 0007 was not found in panel database."}));
  EXPECT_EQ(result.taken, 4u);
  EXPECT_EQ(result.missing, 1u);
  EXPECT_FALSE(result.stoppedEarly);
}

TEST_F(UnitEkvivalents, Kt700CodesAreReadOnlyFromABbdMarkedForThem) {
  ProgramOptions options = modeOptions(EkvivalentMode::Kt700);
  options.kt700Table['A'] = 'Q';
  auto readAs = [&](const std::string& name, const std::string& bytes, std::uint8_t mode) {
    PanelDatabase db = withDestinations({{"0001", "X\r"}});
    EkvivalentReadOptions read{options, {}, {}};
    read.programOptions.ekvivalentMode = mode;
    readEkvivalents(db, write(name, bytes), read);
    return std::string(explicitEkvivalent(entryText(db.destinations[0])));
  };
  EXPECT_EQ(readAs("kt700.bbd", bbdBytes({named(1, "A")}, {}, true), EkvivalentMode::Kt700), "Q");
  EXPECT_EQ(readAs("kt700.bbd", bbdBytes({named(1, "A")}, {}, true), EkvivalentMode::Kt500), "A");
  EXPECT_EQ(readAs("kt500.bbd", bbdBytes({named(1, "A")}, {}, false), EkvivalentMode::Kt700), "A");
  EXPECT_EQ(readAs("unit.bbf", bbfBytes({named(1, "A")}, {}), EkvivalentMode::Kt700), "A");
}

TEST_F(UnitEkvivalents, WrittenAndReadBackTheyAreTheSame) {
  const PanelDatabase original = withDestinations({
      {"0001", "\x80\xA0slav\r"},               // derived, Czech letters
      {"0002", "DEPOT\rGar\xE1\x9E"},            // explicit "Garáž"
      {"0003", "\xE0" "CENTRE\nNORTH\r"},       // derived from two rows
      {"0999", "LAST\rFirst"},                  // explicit, sorts first
      {"XXXX", "START\r"},
  });
  for (std::uint8_t mode : {EkvivalentMode::Kt500, EkvivalentMode::Kt700}) {
    for (const char* name : {"unit.bbd", "unit.bbf"}) {
      if (std::string(name) == "unit.bbf") write(name, bbfBytes({named(5, "OLD")}, {}));
      if (mode == EkvivalentMode::Kt700 && std::string(name) == "unit.bbf") continue;  // a KT700 unit reads BBD
      SCOPED_TRACE(std::string(name) + " mode " + std::to_string(mode));
      ASSERT_TRUE(writeEkvivalents(original, file(name), true, writeMode(mode)).written);
      PanelDatabase db = original;
      for (const auto& entry : original.destinations)
        if (entryKey(entry) != kStartingDestinationKey)
          db.destinations.putEntry(std::string(entryKey(entry)), std::string(panelPart(entryText(entry))) + "STALE");
      EkvivalentReadResult result = readEkvivalents(db, file(name), readMode(mode));
      EXPECT_EQ(entries(db), entries(original));
      EXPECT_TRUE(result.unsorted) << "alphabetical: 999 came first";
      EXPECT_EQ(result.taken, 4u);
    }
  }
}

TEST_F(UnitEkvivalents, AWrittenFileIsASourceOfDestinationTexts) {
  const PanelDatabase original = withDestinations({{"0001", "X\rFIRST"}, {"0002", "X\rSECOND"}});
  writeEkvivalents(original, file("unit.bbd"), false, writeMode(EkvivalentMode::Kt500));
  PanelDatabase db = withDestinations({});
  readUnitTexts(db, TextKind::Destination, file("unit.bbd"));
  ASSERT_EQ(db.destinations.count(), 2u);
  EXPECT_EQ(plainText(entryText(db.destinations[1]), db.keyTable), "SECOND");
}

// ---- failures: nothing is lost ----

TEST_F(UnitEkvivalents, ABadBbfIsNotWrittenAndKeepsItsContents) {
  const PanelDatabase db = withDestinations({{"0001", "A\r"}});
  const std::string good = bbfBytes({named(1, "OLD")}, {});
  std::string wrongMagic = good;
  wrongMagic[2] = 0x03;
  std::string badChecksum = good;
  badChecksum[6 + 10] ^= 0x10;
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"magic.bbf", wrongMagic, "File format error"},
      {"checksum.bbf", badChecksum, "File format error"},
      {"short.bbf", good.substr(0, 4101), "Read beyond end of file"},
  };
  for (const auto& [name, bytes, message] : cases) {
    write(name, bytes);
    const std::string target = file(name);  // a lambda cannot take a structured binding with clang 14
    EXPECT_EQ(errorOf([&] { writeEkvivalents(db, target, true, writeMode(EkvivalentMode::Kt500)); }), message)
        << name;
    EXPECT_EQ(test::readFile(file(name)), bytes) << name;
  }
  EXPECT_EQ(errorOf([&] { writeEkvivalents(db, file("missing.bbf"), true, writeMode(EkvivalentMode::Kt500)); }),
            file("missing.bbf"));
  EXPECT_FALSE(std::filesystem::exists(file("missing.bbf")));
  EXPECT_EQ(filesIn(dir.path()), cases.size());
}

TEST_F(UnitEkvivalents, AnEmptyDestinationListWritesNothing) {
  const PanelDatabase db = withDestinations({});
  EXPECT_FALSE(writeEkvivalents(db, file("unit.bbd"), true, writeMode(EkvivalentMode::Kt500)).written);
  EXPECT_FALSE(std::filesystem::exists(file("unit.bbd")));
  const std::string old = bbfBytes({named(1, "OLD")}, {});
  write("unit.bbf", old);
  EXPECT_FALSE(writeEkvivalents(db, file("unit.bbf"), true, writeMode(EkvivalentMode::Kt500)).written);
  EXPECT_EQ(test::readFile(file("unit.bbf")), old);
}

TEST_F(UnitEkvivalents, AFailedWriteLeavesTheOldFileWhole) {
  const PanelDatabase db = withDestinations({{"0001", "A\r"}, {"0002", "B\r"}});
  const std::string oldBbd = bbdBytes({named(1, "OLD")}, {});
  const std::string oldBbf = bbfBytes({named(1, "OLD")}, {});
  write("unit.bbd", oldBbd);
  write("unit.bbf", oldBbf);

  // The disk fills up part way: writes beyond 150 bytes fail, after the
  // writer has read the old file.
  for (const char* name : {"unit.bbd", "unit.bbf"}) {
    const std::string path = file(name);
    EXPECT_EQ(test::saveWithFileSizeLimit([&] { writeEkvivalents(db, path, true, writeMode(EkvivalentMode::Kt500)); },
                                          path, 150),
              test::kReportedError)
        << name;
  }
  EXPECT_EQ(test::readFile(file("unit.bbd")), oldBbd);
  EXPECT_EQ(test::readFile(file("unit.bbf")), oldBbf);
  EXPECT_EQ(filesIn(dir.path()), 2u) << "no temporary file is left behind";

  EXPECT_TRUE(writeEkvivalents(db, file("unit.bbd"), true, writeMode(EkvivalentMode::Kt500)).written);
  EXPECT_NE(test::readFile(file("unit.bbd")), oldBbd);
}

TEST_F(UnitEkvivalents, AReadThatCannotStartLeavesTheListAlone) {
  const PanelDatabase before = withDestinations({{"0001", "A\rMINE"}});
  std::string bbd = bbdBytes({named(1, "NEW")}, {});
  std::string wrongSignature = bbd;
  wrongSignature[3] = 'x';
  std::string bbf = bbfBytes({named(1, "NEW")}, {});
  std::string badChecksum = bbf;
  badChecksum[6 + 255] ^= 0x01;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {write("signature.bbd", wrongSignature), "File format error"},
      {write("checksum.bbf", badChecksum), "File format error"},
      {write("short.bbd", bbd.substr(0, 120)), "Read beyond end of file"},
      {file("missing.bbd"), file("missing.bbd")},
  };
  for (const auto& [path, message] : cases) {
    PanelDatabase db = before;
    const std::string source = path;  // a lambda cannot take a structured binding with clang 14
    EXPECT_EQ(errorOf([&] { readEkvivalents(db, source, readMode(EkvivalentMode::Kt500)); }), message) << path;
    EXPECT_EQ(db, before) << path;
  }
}

TEST_F(UnitEkvivalents, ATruncatedSectionKeepsWhatWasReadBeforeIt) {
  PanelDatabase db = withDestinations({{"0001", "A\r"}, {"0002", "B\r"}});
  std::string bytes = bbdBytes({named(1, "ONE"), named(2, "TWO")}, {});
  std::vector<std::string> notices;
  EkvivalentReadOptions options = readMode(EkvivalentMode::Kt500);
  options.notice = [&](const std::string& m) { notices.push_back(m); };
  EkvivalentReadResult result = readEkvivalents(db, write("cut.bbd", bytes.substr(0, bytes.size() - 9)), options);
  EXPECT_EQ(entryText(db.destinations[0]), "A\rONE");
  EXPECT_EQ(entryText(db.destinations[1]), "B\r");
  EXPECT_TRUE(result.stoppedEarly);
  EXPECT_EQ(notices, (std::vector<std::string>{"Read beyond end of file"}));

  // A section said to start beyond the end is a file cut short, known
  // before anything is read.
  std::string far = bytes;
  far.replace(68, 4, le32(100000));
  PanelDatabase untouched = withDestinations({{"0001", "A\r"}});
  EXPECT_EQ(test::errorOf([&] { readEkvivalents(untouched, write("far.bbd", far), readMode(EkvivalentMode::Kt500)); }),
            "Read beyond end of file");
  EXPECT_EQ(entryText(untouched.destinations[0]), "A\r");
}

}  // namespace
}  // namespace dorvak
