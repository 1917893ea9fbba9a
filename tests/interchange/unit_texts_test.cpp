// Destination and stop texts read from an on-board unit's BBD/BBF file.

#include "interchange/unit_texts.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/error.h"
#include "interchange/unit_bytes.h"
#include "test_support.h"
#include "text/compose.h"
#include "text/stored_text.h"

namespace dorvak {
namespace {

using test::errorOf;

using test::bbdBytes;
using test::bbfBytes;
using test::named;
using test::UnitRec;

// Presets that choose font 0, so that composed texts are easy to write down.
PanelDatabase database() {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.config.panelType = PanelType::LineDestination;
  for (PresetTable* table : {&db.autoformatPresets.oneRowPresets, &db.autoformatPresets.twoRowFirstPresets,
                             &db.autoformatPresets.twoRowSecondPresets}) {
    *table = {};
    (*table)[0] = {0, 1, 0};
  }
  return db;
}

// "key=plain text" of every entry.
std::vector<std::string> plainEntries(const PanelDatabase& db, TextKind kind) {
  std::vector<std::string> rows;
  for (const auto& e : db.list(kind)) rows.push_back(std::string(entryKey(e)) + "=" + plainText(entryText(e), db.keyTable));
  return rows;
}

class UnitTexts : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& bytes) {
    test::writeFile(dir.file(name), bytes);
    return dir.file(name);
  }
  test::TempDir dir;
};

TEST_F(UnitTexts, DestinationsOfABbdReplaceTheList) {
  PanelDatabase db = database();
  std::string file = write("u.bbd", bbdBytes({named(7, "CENTRE"), named(3, "A NAME OF FIFTEEN"), named(12, ""),
                                              {20, {{0x80, "FIRST"}, {0x80, "LAST"}}}},
                                             {named(1, "STOP")}));
  std::vector<std::string> captions;
  TextImportOptions options;
  options.progressCaption = [&](std::string_view c) { captions.emplace_back(c); };
  TextImportResult result = readUnitTexts(db, TextKind::Destination, file, options);
  EXPECT_EQ(plainEntries(db, TextKind::Destination),
            (std::vector<std::string>{"0003=A NAME OF FI", "0007=CENTRE", "0012= ", "0020=LAST"}))
      << "names cut to 12, an empty one a blank, the last name item wins";
  EXPECT_TRUE(result.cleared);
  EXPECT_EQ(result.added, (std::vector<std::string>{"0007", "0003", "0012", "0020"}));
  EXPECT_FALSE(result.stoppedEarly);
  EXPECT_EQ(captions, (std::vector<std::string>{"BBD reading"}));
  EXPECT_EQ(entryText(db.destinations[1]),
            composeDestination(db, ComposeGeometry::of(db.config, TextKind::Destination), "CENTRE", ""))
      << "composed as a text file's row";
  EXPECT_EQ(plainEntries(db, TextKind::Stop).size(), 2u) << "the stops stay";
}

TEST_F(UnitTexts, StopsOfABbfComeFromTheStopSection) {
  PanelDatabase db = database();
  std::string file = write("u.BBF", bbfBytes({named(1, "DESTINATION")}, {named(9999, "TERMINUS"), named(5, "FIVE")}));
  std::vector<std::string> captions;
  TextImportOptions options;
  options.progressCaption = [&](std::string_view c) { captions.emplace_back(c); };
  readUnitTexts(db, TextKind::Stop, file, options);
  EXPECT_EQ(plainEntries(db, TextKind::Stop), (std::vector<std::string>{"0005=FIVE", "9999=TERMINUS"}));
  EXPECT_EQ(captions, (std::vector<std::string>{"BBF reading"}));
}

TEST_F(UnitTexts, NamesAreInKt500Codes) {
  PanelDatabase db = database();
  ProgramOptions kt700;
  kt700.ekvivalentMode = EkvivalentMode::Kt700;  // the texts are KT500 whatever the mode
  kt700.kt700Table['A'] = 'Q';
  std::string cz = {char(KeyToKt500(0xC8, kt700.kt500Table)), 'A', char(0xFE)};  // Č, A, a code the table lacks
  std::string file = write("u.bbd", bbdBytes({}, {named(1, cz)}, true));
  TextImportOptions options;
  options.programOptions = kt700;
  readUnitTexts(db, TextKind::Stop, file, options);
  EXPECT_EQ(plainEntries(db, TextKind::Stop), (std::vector<std::string>{"0001=\xC8" "Ad"}));
}

TEST_F(UnitTexts, AddAsksAboutNumbersAlreadyThere) {
  PanelDatabase db = database();
  std::string file = write("u.bbd", bbdBytes({}, {named(42, "NEW"), named(9999, "NEWER"), named(43, "LATER")}));
  std::deque<PromptAnswer> answers{PromptAnswer::Overwrite, PromptAnswer::Storno};
  std::vector<std::string> questions;
  TextImportOptions options;
  options.add = true;
  options.askDuplicate = [&](const std::string& q) {
    questions.push_back(q);
    PromptAnswer a = answers.front();
    answers.pop_front();
    return a;
  };
  TextImportResult result = readUnitTexts(db, TextKind::Stop, file, options);
  EXPECT_EQ(plainEntries(db, TextKind::Stop), (std::vector<std::string>{"0042=NEW", "9999=Konec"}))
      << "Storno keeps 9999 and ends the read before 43";
  EXPECT_EQ(questions, (std::vector<std::string>{"Stop 0042 already exists! \nOverwrite it?",
                                                 "Stop 9999 already exists! \nOverwrite it?"}));
  EXPECT_TRUE(result.stoppedEarly);
  EXPECT_FALSE(result.cleared);
  EXPECT_EQ(result.replaced, (std::vector<std::string>{"0042"}));
}

TEST_F(UnitTexts, NumbersTheListCannotHoldAreAskedAbout) {
  PanelDatabase db = database();  // three-digit destinations
  std::string file = write("u.bbd", bbdBytes({named(5, "FIVE"), named(1234, "BIG"), {6, {{0x10, "no name"}}},
                                              named(7, "SEVEN")},
                                             {}));
  std::vector<std::string> asked;
  TextImportOptions yes;
  yes.askContinue = [&](const std::string& q) {
    asked.push_back(q);
    return true;
  };
  readUnitTexts(db, TextKind::Destination, file, yes);
  EXPECT_EQ(plainEntries(db, TextKind::Destination), (std::vector<std::string>{"0005=FIVE", "0007=SEVEN"}))
      << "1234 is skipped, and 6 without a name item takes nobody's name";
  EXPECT_EQ(asked, (std::vector<std::string>{"Wrong or too large number!\n[1234]\nContinue?"}));

  PanelDatabase stopped = database();
  TextImportOptions no;
  no.askContinue = [](const std::string&) { return false; };
  TextImportResult result = readUnitTexts(stopped, TextKind::Destination, file, no);
  EXPECT_EQ(plainEntries(stopped, TextKind::Destination), (std::vector<std::string>{"0005=FIVE"}));
  EXPECT_TRUE(result.stoppedEarly);

  PanelDatabase fourDigits = database();
  fourDigits.config.commands.zC = 1;
  readUnitTexts(fourDigits, TextKind::Destination, file, yes);
  EXPECT_EQ(plainEntries(fourDigits, TextKind::Destination).size(), 3u);
}

TEST_F(UnitTexts, AMissingSectionEmptiesTheListOnRead) {
  std::string file = write("u.bbd", bbdBytes({named(1, "ONLY")}, {}));
  PanelDatabase db = database();
  TextImportResult result = readUnitTexts(db, TextKind::Stop, file);
  EXPECT_TRUE(db.stops.empty());
  EXPECT_TRUE(result.cleared);
  TextImportOptions add;
  add.add = true;
  PanelDatabase kept = database();
  readUnitTexts(kept, TextKind::Stop, file, add);
  EXPECT_EQ(kept.stops.count(), 2u);
}

TEST_F(UnitTexts, ABbfWithOnlyItsConfigurationPartLeavesTheListAlone) {
  std::string file = write("u.bbf", bbfBytes({}, {}).substr(0, 4102));
  PanelDatabase db = database();
  TextImportResult result = readUnitTexts(db, TextKind::Stop, file);
  EXPECT_EQ(db.stops.count(), 2u) << "Read empties the list only once the sections are reached";
  EXPECT_FALSE(result.cleared);
  EXPECT_FALSE(result.stoppedEarly);
}

TEST_F(UnitTexts, ABadHeaderFailsBeforeTheListIsTouched) {
  const PanelDatabase before = database();
  std::string good = bbfBytes({}, {named(1, "X")});
  std::string wrongMagic = good;
  wrongMagic[0] = 0;
  std::string badChecksum = good;
  badChecksum[6 + 254] ^= 1;
  std::string bbd = bbdBytes({}, {named(1, "X")});
  std::string wrongSignature = bbd;
  wrongSignature[0] = 'X';
  // A stop section said to start beyond the end of the file.
  std::string farSection = bbd;
  farSection.replace(72, 4, test::le32(static_cast<std::uint32_t>(bbd.size() + 100)));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {write("magic.bbf", wrongMagic), "File format error"},
      {write("checksum.bbf", badChecksum), "File format error"},
      {write("short.bbf", good.substr(0, 4000)), "Read beyond end of file"},
      {write("signature.bbd", wrongSignature), "File format error"},
      {write("short.bbd", bbd.substr(0, 100)), "Read beyond end of file"},
      {write("far.bbd", farSection), "Read beyond end of file"},
      {dir.file("missing.bbd"), dir.file("missing.bbd")},
  };
  for (const auto& [file, message] : cases) {
    PanelDatabase db = before;
    const std::string source = file;  // a lambda cannot take a structured binding with clang 14
    EXPECT_EQ(errorOf([&] { readUnitTexts(db, TextKind::Stop, source); }), message) << file;
    EXPECT_EQ(db, before) << file;
  }
}

TEST_F(UnitTexts, ATruncatedSectionKeepsTheRecordsBeforeTheCut) {
  std::string bytes = bbdBytes({}, {named(1, "ONE"), named(2, "TWO"), named(3, "THREE")});
  std::string file = write("cut.bbd", bytes.substr(0, bytes.size() - 4 - 2 - 5));  // into record 3
  PanelDatabase db = database();
  std::vector<std::string> notices;
  TextImportOptions options;
  options.notice = [&](const std::string& m) { notices.push_back(m); };
  TextImportResult result = readUnitTexts(db, TextKind::Stop, file, options);
  EXPECT_EQ(plainEntries(db, TextKind::Stop), (std::vector<std::string>{"0001=ONE", "0002=TWO"}));
  EXPECT_TRUE(result.stoppedEarly);
  EXPECT_EQ(notices, (std::vector<std::string>{"Read beyond end of file"}));
}

TEST_F(UnitTexts, ProgressRunsThroughTheFile) {
  std::vector<UnitRec> stops;
  for (unsigned i = 0; i < 200; ++i) stops.push_back(named(i, "STOP " + std::to_string(i)));
  std::string file = write("u.bbd", bbdBytes({}, stops));
  std::vector<int> steps;
  TextImportOptions options;
  options.progress = [&](int s) { steps.push_back(s); };
  PanelDatabase db = database();
  readUnitTexts(db, TextKind::Stop, file, options);
  ASSERT_FALSE(steps.empty());
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_GE(steps.back(), 62);
  EXPECT_LE(steps.back(), 64);
  EXPECT_EQ(db.stops.count(), 200u);
}

TEST_F(UnitTexts, LinesAreNoTargetOfAUnitFile) {
  PanelDatabase db = database();
  EXPECT_THROW(readUnitTexts(db, TextKind::Line, write("u.bbd", bbdBytes({}, {}))), std::invalid_argument);
}

}  // namespace
}  // namespace dorvak
