#include "text/text_draft.h"

#include <gtest/gtest.h>

#include <functional>

#include "text/compose.h"
#include "text/notation.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::bytes;
constexpr int ESC = 27, FF = 12, LF = 10, VT = 11, CR = 13;

// Font 0: 5 x 7 glyphs for 32..127; font 3: 6 x 12 glyphs for codes divisible
// by 3; the special glyph 251 in font 15. Destination field: rows 0..18,
// columns 28..111 (H 19, U 10) of a 112-column panel.
PanelDatabase database() { return test::makePresetDatabase(); }

void twoRows(TextDraft& draft, const std::string& row1, const std::string& row2) {
  draft.setRowText(0, row1);
  draft.setTwoRows(row1.size(), 0);
  draft.setRowText(1, row2);
}

TEST(DraftCompose, AutoformattedRowsAreWhatTextFilesGive) {
  // Centred rows with AUTOFORMAT are composed as a text file's rows are.
  const PanelDatabase db = database();
  const ComposeGeometry room = ComposeGeometry::of(db.config, TextKind::Destination);
  const std::pair<std::string, std::string> cases[] = {
      {"BEH", ""}, {"AB", ""}, {"A B C D E F G H I J K L M N", ""}, {"AB", "CD"}, {"AB", "C|D|E"}, {"", "CD"}};
  for (const auto& [row1, row2] : cases) {
    TextDraft draft(db, destinationDraftRules());
    if (row2.empty())
      draft.setRowText(0, row1);
    else
      twoRows(draft, row1, row2);
    EXPECT_EQ(draft.storedText(), composeDestination(db, room, row1, row2)) << row1 << " / " << row2;
  }
}

TEST(DraftCompose, AutoformatSkipsFontsWithoutTheRowsCharacters) {
  // Font 3 has "B" but not "A": measured without "A" it would fit.
  const PanelDatabase db = database();
  TextDraft draft(db, destinationDraftRules());
  draft.setRowText(0, "AB");
  EXPECT_EQ(draft.row(0).font, 0);
  PanelDatabase defaults = database();
  defaults.autoformatPresets = AutoformatPresets::defaults();
  TextDraft withDefaults(defaults, destinationDraftRules());
  withDefaults.setRowText(0, "BEH");
  EXPECT_EQ(withDefaults.row(0).font, 3) << "the default presets start with the empty fonts 7, 6, 5 and 4";
}

TEST(DraftCompose, OneRowOnAStopPanelTakesTheTwoRowPresetsAtTheTop) {
  PanelDatabase db = database();
  db.config.panelType = PanelType::LineDestinationStop;
  TextDraft draft(db, destinationDraftRules());
  draft.setRowText(0, "AB");
  EXPECT_EQ(draft.storedText(), bytes({0xE0, 0xB2, 0xC0, 'A', 'B', CR}));
  draft.setWide(true);
  EXPECT_EQ(draft.storedText(), bytes({ESC, 'w', 0xE0, 0xB1, 0xC6, 'A', 'B', CR})) << "with w: the one-row presets";
}

// Each command of the TEXT page, from "AB" (font 0, spacing 1, shift 6,
// 11 dots wide, centred at column 64) or from the two rows "AB" / "CD"
// (row 1: font 0, spacing 2, shift 0; row 2: font 0, spacing 1, shift 11).
struct CommandCase {
  const char* name;
  bool twoRows;
  std::function<void(TextDraft&)> command;
  std::string stored;
};

const std::vector<CommandCase>& commandCases() {
  static const std::string head = bytes({0xE0, 0xB1, 0xC6});
  static const std::string row2 = bytes({LF, 0xE0, 0xB1, 0xCB, 'C', 'D'});
  static const std::string prefix = bytes({ESC, 'b', ESC, 'l', 16, 0xEF, 0xC0, 251, FF});
  static const std::vector<CommandCase> cases = {
      {"as typed", false, [](TextDraft&) {}, head + "AB\r"},
      {"spacing +1", false, [](TextDraft& d) { d.changeSpacing(0, 1); }, bytes({0xE0, 0xB2, 0xC6, 'A', 'B', CR})},
      {"spacing -1", false, [](TextDraft& d) { d.changeSpacing(0, -1); }, bytes({0xE0, 0xB0, 0xC6, 'A', 'B', CR})},
      {"spacing stops at 0", false, [](TextDraft& d) { d.changeSpacing(0, -1), d.changeSpacing(0, -1); },
       bytes({0xE0, 0xB0, 0xC6, 'A', 'B', CR})},
      {"shift +1", false, [](TextDraft& d) { d.changeShift(0, 1); }, bytes({0xE0, 0xB1, 0xC7, 'A', 'B', CR})},
      {"shift -1", false, [](TextDraft& d) { d.changeShift(0, -1); }, bytes({0xE0, 0xB1, 0xC5, 'A', 'B', CR})},
      {"font 3", false, [](TextDraft& d) { d.setFont(0, 3); }, bytes({0xE3, 0xB1, 0xC6, 'A', 'B', CR})},
      {"one column left", false, [](TextDraft& d) { d.stepColumn(0, -1); }, head + bytes({ESC, 's', 63 + 16}) + "AB\r"},
      {"one column right", false, [](TextDraft& d) { d.stepColumn(0, 1); }, head + bytes({ESC, 's', 65 + 16}) + "AB\r"},
      {"left edge", false, [](TextDraft& d) { d.toEdge(0, false); }, head + bytes({ESC, 's', 28 + 16}) + "AB\r"},
      {"left stops at the field", false, [](TextDraft& d) { d.toEdge(0, false), d.stepColumn(0, -1); },
       head + bytes({ESC, 's', 28 + 16}) + "AB\r"},
      {"right edge", false, [](TextDraft& d) { d.toEdge(0, true); }, head + bytes({ESC, 's', 101 + 16}) + "AB\r"},
      {"right stops at the field", false, [](TextDraft& d) { d.toEdge(0, true), d.stepColumn(0, 1); },
       head + bytes({ESC, 's', 101 + 16}) + "AB\r"},
      {"centred again", false, [](TextDraft& d) { d.toEdge(0, true), d.centre(0); }, head + "AB\r"},
      {"inverted", false, [](TextDraft& d) { d.setInverted(0, true); }, head + "AB" + bytes({FF, ESC, 'i', CR})},
      {"block to the left", false, [](TextDraft& d) { d.setAutoformat(false), d.setBlockSide(BlockSide::Left), d.setBlock(true); },
       prefix + head + "AB\r"},
      {"block takes the panel's left columns", false,
       [](TextDraft& d) { d.setAutoformat(false), d.setBlockSide(BlockSide::Left), d.setBlock(true), d.toEdge(0, false); },
       prefix + head + bytes({ESC, 's', 16}) + "AB\r"},
      {"block to the right", false, [](TextDraft& d) { d.setAutoformat(false), d.setBlock(true), d.toEdge(0, true); },
       bytes({ESC, 'b', ESC, 'p', 112 + 15, 0xEF, 0xC0, 251, FF}) + head + bytes({ESC, 's', 101 + 16}) + "AB\r"},
      {"w", false, [](TextDraft& d) { d.setAutoformat(false), d.setWide(true); }, bytes({ESC, 'w'}) + head + "AB\r"},
      {"block releases w", false, [](TextDraft& d) { d.setAutoformat(false), d.setWide(true), d.setBlock(true); },
       bytes({ESC, 'b', ESC, 'p', 127, 0xEF, 0xC0, 251, FF}) + head + "AB\r"},
      {"two rows", true, [](TextDraft&) {}, bytes({0xE0, 0xB2, 0xC0, 'A', 'B'}) + row2 + "\r"},
      {"row 1 inverted", true, [](TextDraft& d) { d.setInverted(0, true); },
       bytes({0xE0, 0xB2, 0xC0, 'A', 'B', FF, ESC, 'd', 25, ESC, 'i', FF, ESC, 'd', 16}) + row2 + "\r"},
      {"row 2 inverted", true, [](TextDraft& d) { d.setInverted(1, true); },
       bytes({0xE0, 0xB2, 0xC0, 'A', 'B'}) + row2 + bytes({FF, ESC, 'h', 24, ESC, 'i', FF, ESC, 'h', 18 + 16, CR})},
      {"rows swapped", true, [](TextDraft& d) { d.setSwapped(true); },
       bytes({0xE0, 0xB2, 0xCB, 'A', 'B', LF, 0xE0, 0xB1, 0xC0, 'C', 'D', CR})},
      {"swapped and inverted", true, [](TextDraft& d) { d.setSwapped(true), d.setInverted(0, true), d.setInverted(1, true); },
       bytes({0xE0, 0xB2, 0xCB, 'A', 'B', FF, ESC, 'h', 24, ESC, 'i', FF, ESC, 'h', 34, LF, 0xE0, 0xB1, 0xC0, 'C', 'D',
              FF, ESC, 'd', 25, ESC, 'i', FF, ESC, 'd', 16, CR})},
      {"row 2 at the right edge", true, [](TextDraft& d) { d.toEdge(1, true); },
       bytes({0xE0, 0xB2, 0xC0, 'A', 'B', LF, 0xE0, 0xB1, 0xCB, ESC, 's', 101 + 16, 'C', 'D', CR})},
      {"three rows", true, [](TextDraft& d) { d.setRowText(1, "CD|E"), d.toEdge(1, false); },
       bytes({0xE0, 0xB2, 0xC0, 'A', 'B', LF, 0xE0, 0xB1, 0xCB, ESC, 's', 44, 'C', 'D', LF, ESC, 's', 44, 'E', VT, CR})},
  };
  return cases;
}

TextDraft draftFor(const PanelDatabase& db, const CommandCase& c) {
  TextDraft draft(db, destinationDraftRules());
  if (c.twoRows)
    twoRows(draft, "AB", "CD");
  else
    draft.setRowText(0, "AB");
  c.command(draft);
  return draft;
}

TEST(DraftCommands, EachCommandGivesItsBytes) {
  const PanelDatabase db = database();
  for (const CommandCase& c : commandCases()) EXPECT_EQ(draftFor(db, c).storedText(), c.stored) << c.name;
}

TEST(DraftCommands, LoadingATextAndComposingItAgainGivesTheSameBytes) {
  // The MNEMO analysis reads back everything the TEXT page wrote.
  const PanelDatabase db = database();
  for (const CommandCase& c : commandCases()) {
    const TextDraft original = draftFor(db, c);
    TextDraft loaded(db, destinationDraftRules());
    loaded.setAutoformat(false);
    loaded.setBlockSide(original.blockSide());
    loaded.load(original.storedText());
    EXPECT_EQ(loaded.row(0).text, original.row(0).text) << c.name;
    EXPECT_EQ(loaded.row(1).text, original.row(1).text) << c.name;
    EXPECT_EQ(loaded.swapped(), original.swapped()) << c.name;
    loaded.compose();
    EXPECT_EQ(loaded.storedText(), c.stored) << c.name;
  }
}

TEST(DraftCommands, RefusedAndUncheckingCommands) {
  const PanelDatabase db = database();
  TextDraft draft(db, destinationDraftRules());
  EXPECT_FALSE(draft.setInverted(0, true)) << "an empty row is not inverted";
  EXPECT_FALSE(draft.row(0).inverted);
  EXPECT_FALSE(draft.toEdge(0, true)) << "alignment needs a text";
  draft.setRowText(0, "AB");
  draft.setInverted(0, true);
  draft.setRowText(0, "");
  EXPECT_FALSE(draft.row(0).inverted) << "emptying the row releases its inversion";
  EXPECT_EQ(draft.storedText(), "\r");
  draft.setRowText(0, "AB");
  EXPECT_TRUE(draft.autoformat());
  draft.changeShift(0, 1);
  EXPECT_FALSE(draft.autoformat()) << "spacing, shift and font uncheck AUTOFORMAT";
  draft.setFont(0, 3);
  draft.setAutoformat(true);
  EXPECT_EQ(draft.row(0).font, 0) << "checking AUTOFORMAT composes again";
}

TEST(DraftRows, OneRowAndTwoRowsMoveTheSecondRow) {
  const PanelDatabase db = database();
  TextDraft draft(db, destinationDraftRules());
  twoRows(draft, "AB", "CD");
  draft.changeSpacing(0, 1);
  EXPECT_EQ(draft.setOneRow(), std::size_t{3}) << "the appended part starts after the blank";
  EXPECT_EQ(draft.row(0).text, "AB CD");
  EXPECT_EQ(draft.row(1).text, "");
  EXPECT_FALSE(draft.twoRows());
  EXPECT_TRUE(draft.autoformat());
  draft.setTwoRows(3, 2);
  EXPECT_EQ(draft.row(0).text, "AB");
  EXPECT_EQ(draft.row(1).text, "CD");
  EXPECT_EQ(draft.storedText(), draftFor(db, commandCases()[20]).storedText());
  draft.setOneRow();
  draft.setTwoRows(0, 0);
  EXPECT_EQ(draft.row(0).text, "AB CD") << "nothing selected: row 2 empty";
  EXPECT_EQ(draft.row(1).text, "");
}

TEST(DraftRows, TheRowBeingEditedAndTest) {
  const PanelDatabase db = database();
  TextDraft draft(db, destinationDraftRules());
  draft.setRowText(0, "AB");
  EXPECT_EQ(draft.currentRow(), 0);
  twoRows(draft, "AB", "C|D");
  EXPECT_EQ(draft.currentRow(), 1);
  EXPECT_TRUE(draft.testOffered()) << "three rows";
  draft.setRowText(1, "C|DE");
  EXPECT_EQ(draft.currentRow(), 2) << "typing behind the first bar edits the third row";
  draft.setRowText(1, "CX|DE");
  EXPECT_EQ(draft.currentRow(), 1);
  draft.setRowText(1, "CX");
  EXPECT_FALSE(draft.testOffered());
}

TEST(DraftMnemo, PageChoiceOfNotations) {
  const PanelDatabase db = database();
  const std::pair<const char*, bool> cases[] = {
      {"f0 m1 y6 'AB' CR", false},
      {"f0 'AB' m2 CR", true},       // format after the characters
      {"f0 'AB' FF i CR", false},    // inversion after the characters is the TEXT page's own
      {"f0 'A' LF f0 y11 'B' CR", true},
      {"f0 VT 'A' CR", true},
      {"f0 'A' VT CR", false},
      {"'A' #64 CR", true},          // a character without a key
      {"b l1 f15 y0 #251 FF f0 'A' CR", false},
  };
  for (const auto& [notation, mnemo] : cases) {
    TextDraft draft(db, destinationDraftRules());
    EXPECT_EQ(draft.setMnemoRow(0, notation), mnemo) << notation;
  }
  TextDraft block(db, destinationDraftRules());
  block.setMnemoRow(0, "b l1 f15 y0 #251 FF f0 'A' CR");
  EXPECT_TRUE(block.block());
  EXPECT_EQ(block.row(0).text, "A") << "the special glyph of the prefix is not part of the row";
}

TEST(DraftMnemo, RowsEditedInsertedAndRemoved) {
  const PanelDatabase db = database();
  TextDraft draft(db, destinationDraftRules());
  draft.setMnemoRow(0, "f0 'AB");
  EXPECT_EQ(draft.storedText(), bytes({0xE0, 'A', 'B', CR})) << "an open literal ends the text";
  draft.setMnemoRow(0, "f0 'A' LF");
  draft.setMnemoRow(1, "f3 'B' s5");
  EXPECT_EQ(draft.storedText(), bytes({0xE0, 'A', LF, 0xE3, 'B', ESC, 's', 20, CR})) << "CR appended";
  EXPECT_EQ(draft.row(1).text, "B");
  EXPECT_FALSE(draft.row(1).centred) << "a row with a start column keeps it";
  EXPECT_EQ(draft.row(1).column, 4);
  draft.insertMnemoRow(1);
  EXPECT_EQ(draft.mnemoRows().size(), 3u);
  EXPECT_EQ(draft.currentRow(), 1);
  draft.setMnemoRow(1, "'Z' LF");
  EXPECT_EQ(draft.row(1).text, "Z|B");
  draft.removeMnemoRow(0);
  EXPECT_EQ(draft.storedText(), bytes({'Z', LF, 0xE3, 'B', ESC, 's', 20, CR}));
  draft.removeMnemoRow(0);
  draft.removeMnemoRow(0);
  EXPECT_EQ(draft.mnemoRows(), std::vector<std::string>{""}) << "the grid keeps one row";
  EXPECT_EQ(draft.storedText(), "\r");
}

TEST(DraftLoad, EkvivalentIsLeftOutAndClearStartsAfresh) {
  const PanelDatabase db = database();
  TextDraft draft(db, destinationDraftRules());
  EXPECT_FALSE(draft.load(bytes({0xE0, 0xB1, 0xC6, 'A', 'B', CR}) + "ekvi"));
  EXPECT_EQ(draft.savedText(), bytes({0xE0, 0xB1, 0xC6, 'A', 'B', CR}));
  EXPECT_EQ(draft.mnemoRows(), std::vector<std::string>{"f0 m1 y6 'AB' CR"});
  draft.setInverted(0, true);
  draft.clear();
  EXPECT_EQ(draft.storedText(), "\r");
  EXPECT_EQ(draft.row(0).text, "");
  EXPECT_FALSE(draft.row(0).inverted);
  EXPECT_TRUE(draft.autoformat());
  EXPECT_EQ(draft.mnemoRows(), std::vector<std::string>{""});
}

TEST(DraftRules, LinesAndStops) {
  PanelDatabase db = database();
  TextDraft lineDraft(db, lineDraftRules());
  lineDraft.load(bytes({ESC, 'w', 0xE0, '7', CR}));
  EXPECT_EQ(lineDraft.mnemoRows(), std::vector<std::string>{"f0 '7' CR"}) << "a line shows no w";
  EXPECT_FALSE(lineDraft.wide());

  db.config.stopField = {0, 8, 28, 111};
  TextDraft stopDraft(db, stopDraftRules());
  stopDraft.setBlockSide(BlockSide::Left);
  stopDraft.setRowText(0, "AB");
  stopDraft.setBlock(true);
  EXPECT_EQ(stopDraft.fieldLeft(), 0);
  EXPECT_EQ(stopDraft.storedText(), bytes({0xE0, 0xB1, 0xC1, 'A', 'B', CR})) << "a stop's block writes no bytes";
}

TEST(DraftRules, AStopsFurtherRowsStayWhenRowOneIsComposed) {
  PanelDatabase db = database();
  db.config.stopField = {0, 8, 28, 111};
  TextDraft draft(db, stopDraftRules());
  // Row 2 holds an ESC "s" whose parameter is an LF byte: not a row break.
  const std::string rest = bytes({LF, 0xE0, ESC, 's', LF, 'C', LF, 'D', VT, CR});
  EXPECT_TRUE(draft.load(bytes({0xE0, 'A', 'B'}) + rest + "EKVI"));
  EXPECT_TRUE(draft.twoRows());
  EXPECT_EQ(draft.row(1).text, "C|D");
  draft.setRowText(0, "XY");
  const std::string& text = draft.storedText();
  EXPECT_EQ(text.substr(text.size() - rest.size()), rest) << "row 1 composed, the rows after it kept";
  EXPECT_EQ(text.substr(0, 5), bytes({0xE0, 0xB1, 0xC1, 'X', 'Y'}));
  draft.clear();
  EXPECT_FALSE(draft.twoRows()) << "a new stop has one row";
  draft.setRowText(0, "Z");
  EXPECT_EQ(draft.storedText(), bytes({0xE0, 0xB1, 0xC1, 'Z', CR}));
}

TEST(DraftNumbers, TypedNumbers) {
  EXPECT_EQ(typedEntryNumber("012", TextKind::Destination, false), 12);
  EXPECT_EQ(typedEntryNumber("X", TextKind::Destination, false), 1000);
  EXPECT_EQ(typedEntryNumber("XXXX", TextKind::Destination, true), 10000);
  EXPECT_EQ(typedEntryNumber("1234", TextKind::Destination, false), std::nullopt);
  EXPECT_EQ(typedEntryNumber("1234", TextKind::Destination, true), 1234);
  EXPECT_EQ(typedEntryNumber("X", TextKind::Stop, false), std::nullopt);
  EXPECT_EQ(typedEntryNumber("X1", TextKind::Destination, false), std::nullopt);
  EXPECT_EQ(typedEntryNumber("", TextKind::Line, false), std::nullopt);
}

TEST(DraftEkvivalents, StoredOnlyWhenTheyDifferFromTheDerivedOne) {
  const PanelDatabase db = database();
  ProgramOptions kt500;
  kt500.ekvivalentMode = EkvivalentMode::Kt500;
  const std::string text = bytes({0xE0, 'A', 'B', LF, 0xE0, 'C', CR});
  EXPECT_EQ(derivedEkvivalent(TextKind::Destination, text, db.keyTable, kt500), "AB C");
  EXPECT_EQ(withEkvivalent(TextKind::Destination, text, "AB C", db.keyTable, kt500), text);
  EXPECT_EQ(withEkvivalent(TextKind::Destination, text, "Depo", db.keyTable, kt500), text + "Depo");
  EXPECT_EQ(withEkvivalent(TextKind::Destination, text, "Depo", db.keyTable, ProgramOptions{}), text)
      << "without the ekvivalent mode nothing is kept";
  const ShownEkvivalent derived = shownEkvivalent(TextKind::Stop, text, db.keyTable, kt500);
  EXPECT_TRUE(derived.derived);
  EXPECT_EQ(derived.text, "AB C");
  const ShownEkvivalent typed = shownEkvivalent(TextKind::Destination, text + "Depo", db.keyTable, kt500);
  EXPECT_FALSE(typed.derived);
  EXPECT_EQ(typed.text, "Depo");
  EXPECT_TRUE(ekvivalentFits(std::string(12, 'W'), kt500));
  EXPECT_FALSE(ekvivalentFits(std::string(13, 'i'), kt500));
  ProgramOptions kt700;
  kt700.ekvivalentMode = EkvivalentMode::Kt700;
  EXPECT_TRUE(ekvivalentFits("Depo", kt700));
  EXPECT_FALSE(ekvivalentFits(std::string(30, 'W'), kt700)) << "wider than the KT700 display";
}

}  // namespace
}  // namespace dorvak
