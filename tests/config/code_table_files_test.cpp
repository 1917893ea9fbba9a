#include "config/code_table_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

#include "core/error.h"
#include "core/hex_writer.h"
#include "test_support.h"

namespace dorvak {
namespace {

TEST(CodeTableFills, SelfMapsIbisCodesToThePanelCodeOfTheSameKey) {
  CodeTable self = selfCodeTable(DefaultKeyTable);
  EXPECT_EQ(self.table[0xC8 - 128], 128);  // Č
  EXPECT_EQ(self.table[0xE1 - 128], 160);  // á
  EXPECT_EQ(self.table[0xB0 - 128], 32);   // no key: a space
  EXPECT_EQ(self.name, "KOD: Dorvak - 0.12");
}

TEST(CodeTableFills, Kt500MapsThroughTheUnitsCodes) {
  CodeTable kt500 = kt500CodeTable(DefaultKeyTable, builtinKt500Table());
  EXPECT_EQ(kt500.table[0], 128) << "KT500 code 128 is Č, panel code 128";
  EXPECT_EQ(kt500.table[169 - 128], 169);
  EXPECT_EQ(kt500.table[0xAD - 128], 32) << "§ has no panel code in the default keys";
  EXPECT_EQ(kt500.table[0xF0 - 128], 'd') << "a code no character has reads as d";
  EXPECT_EQ(kt500.name, "500: Dorvak - 0.12");

  KeyTable keys = DefaultKeyTable;
  keys[250] = 0xA7;
  EXPECT_EQ(kt500CodeTable(keys, builtinKt500Table()).table[0xAD - 128], 250);
}

TEST(LoadedNames, FileNameAndTimeCutTo32) {
  setenv("TZ", "UTC", 1);
  tzset();
  std::time_t when = 1767225600 + 13 * 3600 + 5 * 60;  // 2026-01-01 13:05 UTC
  EXPECT_EQ(loadedTableName("cz.kod", when), "cz.kod 01.01.26 13:05");
  EXPECT_EQ(loadedTableName(std::string(30, 'n') + ".kod", when), std::string(30, 'n') + ".k");
}

TEST(KodFiles, ExactlyOneHundredTwentyEightBytes) {
  test::TempDir dir;
  CodeTable table = selfCodeTable(DefaultKeyTable);
  writeKodFile(dir.file("a.kod"), table);
  EXPECT_EQ(test::readFile(dir.file("a.kod")).size(), 128u);
  EXPECT_EQ(readKodFile(dir.file("a.kod")), table.table);

  test::writeFile(dir.file("long.kod"), std::string(129, 'x'));
  try {
    readKodFile(dir.file("long.kod"));
    FAIL();
  } catch (const DorvakError& e) {
    EXPECT_STREQ(e.what(), "Code table size error");
  }
  CodeTable window;
  window.name = "old";
  EXPECT_THROW(loadCodeTable(dir.file("long.kod"), window), DorvakError);
  EXPECT_FALSE(window.present());
  EXPECT_EQ(window.table, (std::array<std::uint8_t, 128>{})) << "stays cleared";

  loadCodeTable(dir.file("missing.kod"), window);
  EXPECT_FALSE(window.present()) << "a file that cannot be opened is ignored";

  loadCodeTable(dir.file("a.kod"), window);
  EXPECT_EQ(window.table, table.table);
  EXPECT_EQ(window.name.rfind("a.kod ", 0), 0u);

  test::writeFile(dir.file("zero.kod"), std::string(128, '\0'));
  loadCodeTable(dir.file("zero.kod"), window);
  EXPECT_FALSE(window.present()) << "all zero: no name";
}

TEST(AlFiles, WritesNonEmptyStringsOneToNine) {
  test::TempDir dir;
  FormatStrings strings;
  strings.strings[0] = "never written";
  strings.strings[3] = "abc";
  strings.strings[7] = "";
  writeAlFile(dir.file("f.aL"), strings);
  EXPECT_EQ(test::readFile(dir.file("f.aL")), std::string("3\x03" "abc", 5));
}

TEST(AlFiles, ReadsAnyIndexAndKeepsWhatCameBeforeABadRecord) {
  test::TempDir dir;
  test::writeFile(dir.file("f.aL"), std::string("0\x01x" "9\x02yz", 7));
  FormatStrings strings;
  strings.strings[5] = "cleared";
  readAlFile(dir.file("f.aL"), strings);
  EXPECT_EQ(strings.strings[0], "x");
  EXPECT_EQ(strings.strings[9], "yz");
  EXPECT_TRUE(strings.strings[5].empty());

  test::writeFile(dir.file("bad.aL"), std::string("2\x02" "ab" "X\x01q", 7));
  FormatStrings window;
  try {
    loadFormatStrings(dir.file("bad.aL"), window);
    FAIL();
  } catch (const DorvakError& e) {
    EXPECT_STREQ(e.what(), "Error in format strings");
  }
  EXPECT_EQ(window.strings[2], "ab");
  EXPECT_FALSE(window.present());

  test::writeFile(dir.file("short.aL"), std::string("2\x09" "ab", 4));
  EXPECT_THROW(readAlFile(dir.file("short.aL"), window), DorvakError);
}

TEST(PanelDatabaseSections, CodeTableAndFormatStringsFromAHexFile) {
  test::TempDir dir;
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  writeHexFile(db, dir.file("db.hex"));
  CodeTable table;
  loadCodeTable(dir.file("db.hex"), table);
  EXPECT_EQ(table.table, db.codeTable.table);
  EXPECT_EQ(table.name.rfind("db.hex ", 0), 0u);
  FormatStrings strings;
  loadFormatStrings(dir.file("db.hex"), strings);
  EXPECT_EQ(strings.strings, db.formatStrings.strings);
  EXPECT_EQ(strings.name.rfind("db.hex ", 0), 0u);

  db.codeTable.name.clear();
  db.formatStrings.name.clear();
  writeHexFile(db, dir.file("none.hex"));
  loadCodeTable(dir.file("none.hex"), table);
  EXPECT_FALSE(table.present());
  loadFormatStrings(dir.file("none.hex"), strings);
  EXPECT_FALSE(strings.present());
}

}  // namespace
}  // namespace dorvak
