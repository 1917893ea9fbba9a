// Reading and writing the text files of lines, destinations and stops.

#include <gtest/gtest.h>

#include <deque>

#include "config/cp1250.h"
#include "config/translations.h"
#include "core/error.h"
#include "core/hex_writer.h"
#include "test_support.h"
#include "text/stored_text.h"
#include "text/text_export.h"
#include "text/text_import.h"

namespace dorvak {
namespace {

using test::bytes;

// Fonts 0 (5 x 7) and 3 (6 x 12, codes divisible by 3); presets that choose
// font 0 so that expected texts are easy to write down.
PanelDatabase database() {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.config.panelType = PanelType::LineDestination;
  db.config.commands.zD = 0;
  for (PresetTable* table : {&db.autoformatPresets.oneRowPresets, &db.autoformatPresets.twoRowFirstPresets,
                             &db.autoformatPresets.twoRowSecondPresets}) {
    *table = {};
    (*table)[0] = {0, 1, 0};
  }
  return db;
}

std::vector<std::string> keysOf(const TextList& list) {
  std::vector<std::string> keys;
  for (const auto& e : list) keys.emplace_back(entryKey(e));
  return keys;
}

std::vector<std::string> plainRows(const PanelDatabase& db, TextKind kind) {
  std::vector<std::string> rows;
  for (const auto& e : db.list(kind)) rows.push_back(std::string(entryKey(e)) + "=" + plainText(entryText(e), db.keyTable));
  return rows;
}

class TextFiles : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& content) {
    test::writeFile(dir.file(name), content);
    return dir.file(name);
  }
  test::TempDir dir;
};

// ---- writing ----

TEST_F(TextFiles, PackedLayoutsFollowTheNumberWidth) {
  PanelDatabase db = database();
  db.destinations.putEntry("0012", "AB\rekv");
  ProgramOptions none;
  EXPECT_EQ(formatTextFile(db, TextKind::Line, TextFileLayout::Packed, none),
            std::string("007\x03\x00\xE0" "7\r" "120\x05\x00\xE3" "120\r", 18));
  std::string cil = formatTextFile(db, TextKind::Destination, TextFileLayout::Packed, none);
  EXPECT_EQ(cil.substr(0, 10), std::string("012\x06\x00" "AB\rek", 10)) << "the ekvivalent travels without a mode";
  EXPECT_NE(cil.find("XXX\x06\x00START\r"), std::string::npos);
  ProgramOptions kt500;
  kt500.ekvivalentMode = EkvivalentMode::Kt500;
  EXPECT_EQ(formatTextFile(db, TextKind::Destination, TextFileLayout::Packed, kt500).substr(0, 8),
            std::string("012\x03\x00" "AB\r", 8));
  db.config.commands.zC = 1;
  EXPECT_EQ(formatTextFile(db, TextKind::Destination, TextFileLayout::Packed, kt500).substr(0, 9),
            std::string("0012\x03\x00" "AB\r", 9));
  EXPECT_EQ(formatTextFile(db, TextKind::Stop, TextFileLayout::Packed, none).substr(0, 6), std::string("0042\x09\x00", 6));
}

TEST_F(TextFiles, TextLayouts) {
  PanelDatabase db = database();
  db.destinations.putEntry("0012", "\xE0" "AB\n\xE0" "CD\rOWN");
  ProgramOptions none;
  EXPECT_EQ(formatTextFile(db, TextKind::Destination, TextFileLayout::Tab, none),
            "0012\tAB\tCD\r\n0999\tDEPO\r\nXXXX\tSTART\r\n");
  EXPECT_EQ(formatTextFile(db, TextKind::Destination, TextFileLayout::Ekvivalent, none),
            "12\tOWN\tAB\tCD\r\n999\tDEPO\tDEPO\r\n")
      << "no leading zeros, no starting destination, the derived ekvivalent when none is stored";
  EXPECT_EQ(formatTextFile(db, TextKind::Stop, TextFileLayout::StopLines, none),
            "42\tNa Kopci\tNa Kopci\r\n9999\tKonec\tKonec\r\n");
  EXPECT_THROW(formatTextFile(db, TextKind::Line, TextFileLayout::Ekvivalent, none), DorvakError);
  EXPECT_EQ(layoutForExtension("a/b.CI4"), TextFileLayout::Packed);
  EXPECT_EQ(layoutForExtension("b.zs"), TextFileLayout::StopLines);
  EXPECT_EQ(layoutForExtension("b.doc"), std::nullopt);
}

// ---- round trips ----

TEST_F(TextFiles, PackedFilesReadBackToTheSameList) {
  PanelDatabase db = database();
  ProgramOptions none;
  for (auto [kind, name] : {std::pair{TextKind::Line, "l.lin"}, {TextKind::Destination, "d.cil"}, {TextKind::Stop, "s.dru"}}) {
    writeTextFile(db, kind, dir.file(name), TextFileLayout::Packed, none);
    PanelDatabase back = database();
    back.list(kind).putEntry("0333", "gone\r");
    TextImportResult result = importTextFile(back, kind, dir.file(name), TextSource::Packed);
    EXPECT_EQ(back.list(kind), db.list(kind)) << name;
    EXPECT_TRUE(result.cleared);
    EXPECT_FALSE(result.stoppedEarly);
    EXPECT_EQ(result.added.size(), db.list(kind).count());
  }
  db.config.commands.zC = 1;
  db.destinations.putEntry("4321", "FOUR\r");
  writeTextFile(db, TextKind::Destination, dir.file("d.ci4"), TextFileLayout::Packed, none);
  PanelDatabase back = database();
  back.config.commands.zC = 1;
  importTextFile(back, TextKind::Destination, dir.file("d.ci4"), TextSource::Packed);
  EXPECT_EQ(back.destinations, db.destinations);
}

TEST_F(TextFiles, TabFilesKeepNumbersAndRowTexts) {
  PanelDatabase db = database();
  db.destinations.putEntry("0012", "\xE3\xB2" "AB\n\xE0\xB1\xC2" "CD\r");
  ProgramOptions none;
  for (TextKind kind : {TextKind::Line, TextKind::Destination, TextKind::Stop}) {
    writeTextFile(db, kind, dir.file("t.txt"), TextFileLayout::Tab, none);
    PanelDatabase back = database();
    importTextFile(back, kind, dir.file("t.txt"), TextSource::Text);
    EXPECT_EQ(plainRows(back, kind), plainRows(db, kind));
  }
}

TEST_F(TextFiles, EkvivalentAndStopLinesReadBack) {
  PanelDatabase db = database();
  db.destinations.putEntry("0012", "\xE0" "AB\rOWN");
  db.stops.putEntry("0042", "\xE0\xB1Na Kopci\rKOPEC");
  ProgramOptions none;
  writeTextFile(db, TextKind::Destination, dir.file("d.cl"), TextFileLayout::Ekvivalent, none);
  writeTextFile(db, TextKind::Stop, dir.file("s.zs"), TextFileLayout::StopLines, none);
  PanelDatabase back = database();
  importTextFile(back, TextKind::Destination, dir.file("d.cl"), TextSource::Text);
  importTextFile(back, TextKind::Stop, dir.file("s.zs"), TextSource::Text);
  EXPECT_EQ(keysOf(back.destinations), (std::vector<std::string>{"0012", "0999"})) << "no starting destination";
  EXPECT_EQ(explicitEkvivalent(entryText(back.destinations[0])), "OWN");
  EXPECT_EQ(explicitEkvivalent(entryText(back.destinations[1])), "") << "derived ekvivalents are not stored";
  EXPECT_EQ(plainText(entryText(back.stops[0]), back.keyTable), "Na Kopci");
  EXPECT_EQ(explicitEkvivalent(entryText(back.stops[0])), "KOPEC");
}

// ---- text layouts ----

TEST_F(TextFiles, TabLineFieldsBecomeRows) {
  PanelDatabase db = database();
  importTextFile(db, TextKind::Destination, write("a.txt", "  12\tA\t\tB\r\nXXX\tSTART\r\n\r\n7 SEVEN\n"), TextSource::Text);
  ASSERT_EQ(keysOf(db.destinations), (std::vector<std::string>{"0007", "0012", "XXXX"}));
  EXPECT_EQ(entryText(db.destinations[1]),
            bytes({0xE0, 0xB1, 0xC0, 'A', 10, 0xE0, 0xB1, 0xCB, ' ', 10, 'B', 11, 13}));
  EXPECT_EQ(plainText(entryText(db.destinations[0]), db.keyTable), "SEVEN");
  EXPECT_EQ(plainText(entryText(db.destinations[2]), db.keyTable), "START");
}

TEST_F(TextFiles, EkvivalentLineWithoutRowsUsesTheEkvivalent) {
  PanelDatabase db = database();
  importTextFile(db, TextKind::Destination, write("a.cl", "; comment\r\n\r\n5\tCENTRE\r\n6\tX\tROW\t \t \r\n"),
                 TextSource::Text);
  ASSERT_EQ(keysOf(db.destinations), (std::vector<std::string>{"0005", "0006"}));
  EXPECT_EQ(plainText(entryText(db.destinations[0]), db.keyTable), "CENTRE");
  EXPECT_EQ(plainText(entryText(db.destinations[1]), db.keyTable), "ROW") << "trailing blank rows removed";
}

TEST_F(TextFiles, StopLinesTakeTheEkvivalentColumn) {
  PanelDatabase db = database();
  importTextFile(db, TextKind::Stop, write("a.ZS", "7\tNAMESTI\r\n8\tHLAVNI NADRAZI\tHlavni\tnadrazi\t\r\n"),
                 TextSource::Text);
  ASSERT_EQ(db.stops.count(), 2u);
  EXPECT_EQ(entryText(db.stops[0]), bytes({0xE0, 0xB1, 'N', 'A', 'M', 'E', 'S', 'T', 'I', 13}));
  EXPECT_EQ(plainText(entryText(db.stops[1]), db.keyTable), "Hlavni\tnadrazi");
  EXPECT_EQ(explicitEkvivalent(entryText(db.stops[1])), "HLAVNI NADRA") << "twelve characters of the column";
}

// CR LF, LF and CR alone end lines alike, and a file in UTF-8 (with a byte
// order mark or without) reads as the same file in Windows-1250.
TEST_F(TextFiles, LineEndsAndUtf8ReadLikeWindows1250WithCrLf) {
  struct Layout {
    const char* name;
    TextKind kind;
    std::vector<std::string> lines;  // UTF-8
  };
  const Layout layouts[] = {
      {"a.txt", TextKind::Destination, {"12	Nádraží	Druhý řádek", "", "13	Štěpánská", "$[$1]", "14	Žižkov"}},
      {"a.cl", TextKind::Destination, {"; poznámka", "5	HLAVNÍ	Hlavní nádraží", "6	LÍPA	Lípa	2. řádek"}},
      {"a.zs", TextKind::Stop, {"7	NÁMĚSTÍ", "8	U ŘEKY	U řeky	druhý", "9	KOPEC	Na kopci"}},
      {"b.txt", TextKind::Stop, {"@ hlavička", "@12 Česká", " Lípa", "@13 Ústí"}},
  };
  for (const Layout& layout : layouts) {
    auto join = [&](const std::vector<std::string>& lines, const std::string& end) {
      std::string text;
      for (const std::string& line : lines) text += line + end;
      return text;
    };
    std::vector<std::string> windows;
    for (const std::string& line : layout.lines) {
      std::string converted = *utf8ToCp1250(line);
      // "@" records are in the Kamenicky code page, the other layouts in Windows-1250.
      if (layout.lines[0][0] == '@')
        for (char& c : converted)
          for (int k = 128; k < 256; ++k)
            if (KamenickyToKey(static_cast<std::uint8_t>(k)) == static_cast<std::uint8_t>(c)) {
              c = static_cast<char>(k);
              break;
            }
      windows.push_back(converted);
    }
    PanelDatabase expected = database();
    importTextFile(expected, layout.kind, write(layout.name, join(windows, "\r\n")), TextSource::Text);
    ASSERT_GE(expected.list(layout.kind).count(), 2u) << layout.name;
    const std::string variants[] = {join(windows, "\n"), join(windows, "\r"), join(layout.lines, "\r\n"),
                                    "\xEF\xBB\xBF" + join(layout.lines, "\n"), join(layout.lines, "\r")};
    for (const std::string& variant : variants) {
      PanelDatabase db = database();
      TextImportResult result = importTextFile(db, layout.kind, write(layout.name, variant), TextSource::Text);
      EXPECT_FALSE(result.stoppedEarly) << layout.name;
      EXPECT_EQ(plainRows(db, layout.kind), plainRows(expected, layout.kind)) << layout.name << ": " << variant;
      EXPECT_EQ(db.list(layout.kind), expected.list(layout.kind)) << layout.name;
    }
  }
  // A character Windows-1250 cannot hold becomes "?".
  PanelDatabase db = database();
  importTextFile(db, TextKind::Destination, write("c.txt", "12\tKaffee \xE2\x98\x95 Café\r\n"), TextSource::Text);
  EXPECT_EQ(plainRows(db, TextKind::Destination), std::vector<std::string>{"0012=Kaffee ? Caf\xE9"});
}

TEST_F(TextFiles, RecordsInTheKamenickyCodePage) {
  PanelDatabase db = database();
  // 0x80 is "Č" in the Kamenicky code page: panel code 128.
  std::string file = "@ header, ignored\r\nignored too\r\n@12 \x80" "ESKA\r\n LIPA\r\n@13 TWO\r\n\r\n";
  importTextFile(db, TextKind::Destination, write("a.txt", file), TextSource::Text);
  ASSERT_EQ(keysOf(db.destinations), (std::vector<std::string>{"0012", "0013"}));
  std::string text(entryText(db.destinations[0]));
  EXPECT_NE(text.find(bytes({128, 'E', 'S', 'K', 'A', 10})), std::string::npos);
  EXPECT_NE(text.find("LIPA"), std::string::npos) << "the continuation line without its first character";
}

TEST_F(TextFiles, TemplatesPlaceFieldsInPresetFonts) {
  PanelDatabase db = database();
  db.autoformatPresets.oneRowPresets[0] = {3, 2, 0};
  db.autoformatPresets.twoRowFirstPresets[0] = {0, 1, 0};
  std::string file = "$f0 [$1] LF ($2) CR\tignored\r\n5\tBEH\tSECOND\r\n";
  importTextFile(db, TextKind::Destination, write("a.txt", file), TextSource::Text);
  ASSERT_EQ(db.destinations.count(), 1u);
  EXPECT_EQ(entryKey(db.destinations[0]), "0005");
  EXPECT_EQ(entryText(db.destinations[0]),
            bytes({0xE0, 0xE3, 0xB2, 'B', 'E', 'H', 10, 0xE0, 0xB1, 'S', 'E', 'C', 'O', 'N', 'D', 13}));
}

TEST_F(TextFiles, TemplateFieldZeroAndWindowTokens) {
  PanelDatabase db = database();
  db.autoformatPresets.oneRowPresets[0] = {3, 2, 0};
  db.autoformatPresets.oneRowPresets[1] = {0, 1, 0};
  // A window 10 dots wide: "BEH" in font 3 (22 dots) does not fit, font 0 does.
  std::string file = "$l1 p10 [$1] 'NO' $0\r\n5\tBEH\r\n";
  importTextFile(db, TextKind::Destination, write("a.txt", file), TextSource::Text);
  EXPECT_EQ(entryText(db.destinations[0]),
            bytes({27, 'l', 16, 27, 'p', 25, 0xE0, 0xB1, 'B', 'E', 'H', 'N', 'O', '0', '0', '5', 13}));
  PanelDatabase lines = database();
  importTextFile(lines, TextKind::Line, write("l.txt", "$[$1]\r\n5\tBEH\r\n"), TextSource::Text);
  EXPECT_EQ(entryText(lines.lines[0]), "BEH\r") << "lines know no preset brackets";
}

// ---- questions ----

struct ScriptedAnswers {
  explicit ScriptedAnswers(std::initializer_list<PromptAnswer> given) : answers(given) {}
  std::deque<PromptAnswer> answers;
  std::vector<std::string> questions;
  AskPrompt ask() {
    return [this](const std::string& q) {
      questions.push_back(q);
      PromptAnswer a = answers.front();
      answers.pop_front();
      return a;
    };
  }
};

TEST_F(TextFiles, DuplicateAnswers) {
  std::string file = write("d.txt", "1\tNEW1\r\n2\tNEW2\r\n3\tNEW3\r\n4\tNEW4\r\n");
  auto existing = [] {
    PanelDatabase db = database();
    db.destinations.deleteAll();
    for (const char* key : {"0001", "0002", "0003", "0004"}) db.destinations.putEntry(key, "OLD\r");
    return db;
  };
  auto texts = [](const PanelDatabase& db) {
    std::string s;
    for (const auto& e : db.destinations) s += plainText(entryText(e), db.keyTable).substr(0, 3) + " ";
    return s;
  };
  {
    PanelDatabase db = existing();
    ScriptedAnswers script{{PromptAnswer::Overwrite, PromptAnswer::Skip, PromptAnswer::OverwriteAll}};
    TextImportOptions options;
    options.add = true;
    options.askDuplicate = script.ask();
    TextImportResult result = importTextFile(db, TextKind::Destination, file, TextSource::Text, options);
    EXPECT_EQ(texts(db), "NEW OLD NEW NEW ");
    EXPECT_EQ(script.questions.size(), 3u) << "overwrite all answers the fourth";
    EXPECT_EQ(script.questions[0], "Destination 001 already exists! \nOverwrite it?");
    EXPECT_EQ(result.replaced, (std::vector<std::string>{"0001", "0003", "0004"}));
    EXPECT_FALSE(result.stoppedEarly);
  }
  {
    PanelDatabase db = existing();
    ScriptedAnswers script{PromptAnswer::SkipAll};
    TextImportOptions options;
    options.add = true;
    options.askDuplicate = script.ask();
    importTextFile(db, TextKind::Destination, file, TextSource::Text, options);
    EXPECT_EQ(texts(db), "OLD OLD OLD OLD ");
    EXPECT_EQ(script.questions.size(), 1u);
  }
  {
    PanelDatabase db = existing();
    db.destinations.deleteEntry("0001");
    ScriptedAnswers script{PromptAnswer::Storno};
    TextImportOptions options;
    options.add = true;
    options.askDuplicate = script.ask();
    TextImportResult result = importTextFile(db, TextKind::Destination, file, TextSource::Text, options);
    EXPECT_EQ(texts(db), "NEW OLD OLD OLD ") << "Storno skips this one and ends the read";
    EXPECT_TRUE(result.stoppedEarly);
    EXPECT_EQ(result.added, (std::vector<std::string>{"0001"}));
  }
}

TEST_F(TextFiles, DuplicatesInsideOneFileAreAskedToo) {
  PanelDatabase db = database();
  ScriptedAnswers script{PromptAnswer::Skip};
  TextImportOptions options;
  options.askDuplicate = script.ask();
  importTextFile(db, TextKind::Stop, write("s.txt", "5\tFIRST\r\n5\tSECOND\r\n"), TextSource::Text, options);
  ASSERT_EQ(db.stops.count(), 1u);
  EXPECT_EQ(plainText(entryText(db.stops[0]), db.keyTable), "FIRST");
  EXPECT_EQ(script.questions, (std::vector<std::string>{"Stop 0005 already exists! \nOverwrite it?"}));
}

TEST_F(TextFiles, WrongNumbersAskWhetherToContinue) {
  std::string file = write("l.txt", "1\tONE\r\nx2\tBAD\r\n1000\tBIG\r\n3\tTHREE\r\n");
  std::vector<std::string> asked;
  TextImportOptions yes;
  yes.askContinue = [&](const std::string& q) {
    asked.push_back(q);
    return true;
  };
  PanelDatabase db = database();
  TextImportResult result = importTextFile(db, TextKind::Line, file, TextSource::Text, yes);
  EXPECT_EQ(keysOf(db.lines), (std::vector<std::string>{"0001", "0003"}));
  EXPECT_EQ(asked, (std::vector<std::string>{"Wrong or too large number!\n[2]\nContinue?",
                                             "Wrong or too large number!\n[3]\nContinue?"}));
  EXPECT_FALSE(result.stoppedEarly);

  TextImportOptions no;
  no.askContinue = [](const std::string&) { return false; };
  PanelDatabase stopped = database();
  result = importTextFile(stopped, TextKind::Line, file, TextSource::Text, no);
  EXPECT_EQ(keysOf(stopped.lines), (std::vector<std::string>{"0001"}));
  EXPECT_TRUE(result.stoppedEarly);
}

// ---- damaged packed files ----

TEST_F(TextFiles, BadPackedKeyStopsWithTheLastNumber) {
  PanelDatabase db = database();
  std::string file = write("d.cil", std::string("012\x02\x00" "A\r" "0X3\x02\x00" "B\r", 14));
  TextImportResult result = importTextFile(db, TextKind::Destination, file, TextSource::Packed);
  EXPECT_EQ(result.notices, (std::vector<std::string>{"Error in direction database\nRead only to number 012"}));
  EXPECT_TRUE(result.stoppedEarly);
  EXPECT_EQ(keysOf(db.destinations), (std::vector<std::string>{"0012"}));

  PanelDatabase stops = database();
  result = importTextFile(stops, TextKind::Stop, write("s.dru", "00a1"), TextSource::Packed);
  EXPECT_EQ(result.notices, (std::vector<std::string>{"Error in stop database\nRead only to number ..."}));
}

TEST_F(TextFiles, FileEndingInsideARecordKeepsWhatCameBefore) {
  PanelDatabase db = database();
  std::string file = write("l.lin", std::string("001\x02\x00" "A\r" "002\x09\x00" "BC", 14));
  TextImportResult result = importTextFile(db, TextKind::Line, file, TextSource::Packed);
  EXPECT_EQ(result.notices, (std::vector<std::string>{"Read beyond end of file"}));
  EXPECT_EQ(keysOf(db.lines), (std::vector<std::string>{"0001"}));
}

TEST_F(TextFiles, FourDigitNumbersDoNotEnterAThreeDigitList) {
  PanelDatabase db = database();
  TextImportResult result =
      importTextFile(db, TextKind::Destination, write("d.ci4", std::string("1234\x02\x00" "A\r", 8)), TextSource::Packed);
  EXPECT_TRUE(result.stoppedEarly);
  EXPECT_TRUE(db.destinations.empty());
}

TEST_F(TextFiles, EmptyAndMissingFiles) {
  PanelDatabase db = database();
  for (auto [name, source] : {std::pair{"e.dru", TextSource::Packed}, {"e.txt", TextSource::Text}}) {
    TextImportResult result = importTextFile(db, TextKind::Stop, write(name, ""), source);
    EXPECT_TRUE(db.stops.empty()) << name;
    EXPECT_FALSE(result.stoppedEarly) << name;
  }
  PanelDatabase untouched = database();
  try {
    importTextFile(untouched, TextKind::Stop, dir.file("missing.dru"), TextSource::Packed);
    FAIL();
  } catch (const DorvakError& e) {
    EXPECT_EQ(std::string(e.what()), "File " + dir.file("missing.dru") + ": Access denied!");
  }
  EXPECT_EQ(untouched.stops.count(), 2u);
}

TEST_F(TextFiles, ProgressCaptionsAndSteps) {
  PanelDatabase db = database();
  std::vector<std::string> captions;
  std::vector<int> steps;
  TextImportOptions options;
  options.progressCaption = [&](std::string_view c) { captions.emplace_back(c); };
  options.progress = [&](int s) { steps.push_back(s); };
  for (int i = 0; i < 500; ++i) db.stops.putEntry(makeKey(TextKind::Stop, i, false), "STOP\r");
  writeTextFile(db, TextKind::Stop, dir.file("s.dru"), TextFileLayout::Packed, {});
  importTextFile(db, TextKind::Stop, dir.file("s.dru"), TextSource::Packed, options);
  ASSERT_FALSE(steps.empty());
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_EQ(steps.back(), 63) << "a file of 5500 bytes ends at step 5500 / 86";
  importTextFile(db, TextKind::Stop, write("s.txt", "1\tA\r\n"), TextSource::Text, options);
  importTextFile(db, TextKind::Line, write("l.lin", ""), TextSource::Packed, options);
  EXPECT_EQ(captions, (std::vector<std::string>{"Stops input", "Texts input", "Lines input"}));
}

// ---- from another panel data base ----

TEST_F(TextFiles, ListsOutOfAnotherPanelDatabase) {
  PanelDatabase source = database();
  writeHexFile(source, dir.file("other.hex"));
  PanelDatabase db = database();
  db.stops.deleteAll();
  db.stops.putEntry("0042", "MINE\r");
  db.stops.putEntry("0001", "MINE\r");
  ScriptedAnswers script{PromptAnswer::Skip};
  TextImportOptions options;
  options.add = true;
  options.askDuplicate = script.ask();
  TextImportResult result = importFromPanelDatabase(db, TextKind::Stop, dir.file("other.hex"), options);
  EXPECT_EQ(keysOf(db.stops), (std::vector<std::string>{"0001", "0042", "9999"}));
  EXPECT_EQ(entryText(db.stops[1]), "MINE\r");
  EXPECT_EQ(result.added, (std::vector<std::string>{"9999"}));
  EXPECT_EQ(script.questions, (std::vector<std::string>{"Stop 0042 already exists! \nOverwrite it?"}));

  PanelDatabase replaced = database();
  importFromPanelDatabase(replaced, TextKind::Line, dir.file("other.hex"));
  EXPECT_EQ(replaced.lines, source.lines);
}

}  // namespace
}  // namespace dorvak
