#include "core/panel_database.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <stdexcept>

namespace dorvak {
namespace {

TEST(Keys, FormsPerList) {
  EXPECT_EQ(makeKey(TextKind::Line, 7, false), "0007");
  EXPECT_EQ(makeKey(TextKind::Line, 999, true), "0999");
  EXPECT_EQ(makeKey(TextKind::Stop, 42, false), "0042");
  EXPECT_EQ(makeKey(TextKind::Stop, 9999, false), "9999");
  EXPECT_EQ(makeKey(TextKind::Destination, 7, false), "0007");
  EXPECT_EQ(makeKey(TextKind::Destination, 1234, true), "1234");
  EXPECT_EQ(makeKey(TextKind::Destination, 1000, false), "XXXX");
  EXPECT_EQ(makeKey(TextKind::Destination, 10000, true), "XXXX");
  EXPECT_THROW(makeKey(TextKind::Line, 1000, false), std::out_of_range);
  EXPECT_EQ(makeKey(TextKind::Destination, 1000, true), "1000") << "not the start in four-digit mode";
  EXPECT_THROW(makeKey(TextKind::Destination, 10000, false), std::out_of_range);
  EXPECT_THROW(makeKey(TextKind::Stop, -1, false), std::out_of_range);

  PanelDatabase db;
  db.config.commands.zC = 1;
  EXPECT_EQ(db.makeKey(TextKind::Destination, 5), "0005");
  EXPECT_EQ(db.makeKey(TextKind::Destination, 10000), "XXXX");
}

TEST(Entries, KeyAndTextParts) {
  EXPECT_EQ(entryKey("0042  Stop\r"), "0042");
  EXPECT_EQ(entryText("0042  Stop\r"), "Stop\r");
  EXPECT_EQ(entryText("0042  "), "");
  EXPECT_EQ(entryText("00"), "");
}

TEST(Entries, NormalizeCutsAfterFirstCrOrAddsOne) {
  EXPECT_EQ(normalizeText("AB"), "AB\r");
  EXPECT_EQ(normalizeText("AB\rCD"), "AB\r");
  EXPECT_EQ(normalizeText("AB\r"), "AB\r");
  EXPECT_EQ(normalizeText(""), "\r");
  EXPECT_EQ(normalizeEntryText(TextKind::Destination, "AB\rCD\rEF"), "AB\rCD");
  EXPECT_EQ(normalizeEntryText(TextKind::Stop, "AB"), "AB\r");
  EXPECT_EQ(normalizeEntryText(TextKind::Line, "AB\rCD"), "AB\r");
}

TEST(TextListOrder, StartingDestinationSortsLastAndIndicesFollowNumbers) {
  TextList list;
  list.putEntry("XXXX", "S\r");
  list.putEntry("0007", "A\r");
  list.putEntry("0100", "B\r");
  list.putEntry("0010", "C\r");
  ASSERT_EQ(list.count(), 4u);
  EXPECT_EQ(entryKey(list[0]), "0007");
  EXPECT_EQ(entryKey(list[1]), "0010");
  EXPECT_EQ(entryKey(list[2]), "0100");
  EXPECT_EQ(entryKey(list[3]), "XXXX");
  EXPECT_EQ(list.findEntry("0010"), 1u);
  EXPECT_EQ(list.findEntry("0011"), std::nullopt);
}

TEST(TextListOrder, PutReplacesTheEntryOfTheSameKey) {
  TextList list;
  EXPECT_TRUE(list.putEntry("0042", "old\r").added);
  auto replaced = list.putEntry("0042", "new\r");
  EXPECT_FALSE(replaced.added);
  EXPECT_EQ(replaced.index, 0u);
  EXPECT_EQ(list.count(), 1u);
  EXPECT_EQ(list[0], "0042  new\r");
}

TEST(TextListOrder, DeleteAndDeleteAll) {
  TextList list;
  list.putEntry("0001", "a\r");
  list.putEntry("0002", "b\r");
  list.putEntry("0003", "c\r");
  EXPECT_EQ(list.deleteEntry("0002"), 1u);
  EXPECT_EQ(list.deleteEntry("0002"), std::nullopt);
  EXPECT_EQ(list.count(), 2u);
  EXPECT_EQ(entryKey(list[1]), "0003");
  list.deleteAll();
  EXPECT_TRUE(list.empty());
}

TEST(TextListOrder, RandomInsertsStaySortedAndUnique) {
  TextList list;
  std::mt19937 random(7);
  std::set<std::string> keys;
  for (int i = 0; i < 3000; ++i) {
    std::string key = makeKey(TextKind::Stop, static_cast<int>(random() % 5000), false);
    keys.insert(key);
    list.putEntry(key, "x\r");
  }
  ASSERT_EQ(list.count(), keys.size());
  std::size_t i = 0;
  for (const std::string& key : keys) EXPECT_EQ(entryKey(list[i++]), key);
}

TEST(PanelDatabaseLifecycle, ResetConfigSetsDefaultsButKeepsPanelNumberAndBrightness) {
  PanelDatabase db;
  db.config.position = PanelPosition::Front;
  db.config.commands.zC = 1;
  db.config.lineStyle.font = 2;
  db.config.panelNumber = 9;
  db.config.brightness = 4;
  db.codeTable.name = "table";
  db.formatStrings.name = "strings";
  db.autoformatPresets.oneRowPresets[0].font = 1;
  db.resetConfig();

  PanelConfig expected;
  expected.panelNumber = 9;
  expected.brightness = 4;
  EXPECT_EQ(db.config, expected);
  EXPECT_EQ(db.config.position, PanelPosition::Side);
  EXPECT_EQ(db.config.firmware, FirmwareVersion::V2_15);
  EXPECT_EQ(db.config.destinationField, (FieldRect{0, 18, 28, 111}));
  EXPECT_EQ(db.config.stopStyle, (FieldStyle{0, 1, 0, 10}));
  EXPECT_EQ(db.config.options, 0xF1);
  EXPECT_TRUE(db.codeTable.name.empty());
  EXPECT_TRUE(db.formatStrings.name.empty());
  EXPECT_EQ(db.autoformatPresets, AutoformatPresets::defaults());
}

TEST(PanelDatabaseLifecycle, NewClearsTextsButLeavesFontsAndKeys) {
  PanelDatabase db;
  db.clearFonts(true);
  db.fonts.glyph(2, 65).byteCount = 5;
  db.keyTable[65] = 'Q';
  db.lines.putEntry("0001", "1\r");
  db.stops.putEntry("0001", "1\r");
  db.dataVersion = "v1";
  db.clearTexts();
  db.resetConfig();
  EXPECT_TRUE(db.lines.empty());
  EXPECT_TRUE(db.stops.empty());
  EXPECT_TRUE(db.dataVersion.empty());
  EXPECT_EQ(db.fonts.glyph(2, 65).byteCount, 5);
  EXPECT_EQ(db.keyTable[65], 'Q');
}

TEST(PanelDatabaseLifecycle, ClearFontsWithAndWithoutDefaultKeys) {
  PanelDatabase db;
  EXPECT_EQ(db.keyTable, KeyTable{}) << "zero at program start";
  db.fonts.glyph(0, 65).byteCount = 1;
  db.clearFonts(true);
  EXPECT_FALSE(db.hasFonts());
  EXPECT_EQ(db.keyTable, DefaultKeyTable);
  db.clearFonts(false);
  EXPECT_EQ(db.keyTable, KeyTable{});
}

TEST(AutoformatDefaults, OneRowAndTwoRowTables) {
  auto presets = AutoformatPresets::defaults();
  EXPECT_EQ(presets.oneRowPresets[0], (PresetEntry{7, 3, 0}));
  EXPECT_EQ(presets.oneRowPresets[15], (PresetEntry{0, 1, 0}));
  EXPECT_EQ(presets.twoRowFirstPresets[0], (PresetEntry{3, 2, 0}));
  EXPECT_EQ(presets.twoRowFirstPresets[6], (PresetEntry{0, 1, 0}));
  for (int i = 7; i < 16; ++i) EXPECT_TRUE(presets.twoRowFirstPresets[static_cast<std::size_t>(i)].isFree());
  EXPECT_EQ(presets.twoRowFirstPresets, presets.twoRowSecondPresets);
}

}  // namespace
}  // namespace dorvak
