// dorvak-cli import and export.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_run.h"
#include "core/hex_writer.h"
#include "core/image_bytes.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::CliRun;

CliRun cli(std::vector<std::string> args) { return test::runCliWith(std::move(args)); }

class CliText : public ::testing::Test {
 protected:
  void SetUp() override { writeHexFile(test::makeSampleDatabase(FirmwareVersion::V2_15), file("db.hex")); }
  std::string file(const std::string& name) const { return dir.file(name); }
  nlohmann::json dump(const std::string& name) { return nlohmann::json::parse(cli({"dump", file(name)}).out); }
  test::TempDir dir;
};

TEST_F(CliText, ExportChoosesTheLayoutByExtensionOrKind) {
  CliRun run = cli({"export", file("db.hex"), "--stops", file("s.zs")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "2 stops written\n");
  EXPECT_EQ(test::readFile(file("s.zs")), "42\tNa Kopci\tNa Kopci\r\n9999\tKonec\tKonec\r\n");
  ASSERT_EQ(cli({"export", file("db.hex"), "--lines", file("lines.dat"), "--kind", "txt"}).status, 0);
  EXPECT_EQ(test::readFile(file("lines.dat")).substr(0, 7), "0007\t7\r");
  EXPECT_EQ(cli({"export", file("db.hex"), "--lines", file("lines.dat")}).status, 2) << "no layout for .dat";
  EXPECT_EQ(cli({"export", file("db.hex"), "--lines", file("l.cl")}).status, 2) << "cl holds destinations";
  EXPECT_EQ(cli({"export", file("db.hex"), "--lines", file("a.txt"), "--stops", file("b.txt")}).status, 2);
}

TEST_F(CliText, ImportReadsIntoTheListAndWritesTheResult) {
  test::writeFile(file("new.txt"), "5\tFIVE\r\n42\tOTHER\r\n");
  CliRun read = cli({"import", file("db.hex"), "--stops", file("new.txt"), "-o", file("out.hex")});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "stops: 2 added, 0 replaced, 2 in all\n");
  auto doc = dump("out.hex");
  ASSERT_EQ(doc["stops"].size(), 2u);
  EXPECT_EQ(doc["stops"][0]["key"], "0005");

  CliRun add = cli({"import", file("db.hex"), "--stops", file("new.txt"), "--add", "-o", file("added.hex")});
  EXPECT_EQ(add.out, "stops: 1 added, 0 replaced, 3 in all\n") << "the duplicate 42 is skipped by default";
  EXPECT_EQ(dump("added.hex")["stops"][1]["notation"], "'Na Kopci' CR");

  CliRun overwrite = cli({"import", file("db.hex"), "--stops", file("new.txt"), "--add", "--on-duplicate",
                           "overwrite", "-o", file("over.hex")});
  EXPECT_EQ(overwrite.out, "stops: 1 added, 1 replaced, 3 in all\n");
}

TEST_F(CliText, APartialReadWritesWhatWasReadAndExitsThree) {
  test::writeFile(file("bad.txt"), "5\tFIVE\r\nx\tBAD\r\n6\tSIX\r\n");
  CliRun stop = cli({"import", file("db.hex"), "--stops", file("bad.txt"), "--on-bad-number", "stop", "-o", file("out.hex")});
  EXPECT_EQ(stop.status, 3);
  EXPECT_EQ(stop.err, "Wrong or too large number!\n[2]\nContinue?\n");
  EXPECT_EQ(dump("out.hex")["stops"].size(), 1u);

  CliRun skip = cli({"import", file("db.hex"), "--stops", file("bad.txt"), "-o", file("skip.hex")});
  EXPECT_EQ(skip.status, 0);
  EXPECT_EQ(dump("skip.hex")["stops"].size(), 2u);

  test::writeFile(file("cut.dru"), std::string("0001\x02\x00" "A\r" "0002\x09\x00", 14));
  CliRun cut = cli({"import", file("db.hex"), "--stops", file("cut.dru"), "-o", file("cut.hex")});
  EXPECT_EQ(cut.status, 3);
  EXPECT_EQ(cut.err, "Read beyond end of file\n");
  EXPECT_EQ(dump("cut.hex")["stops"].size(), 1u);

  test::writeFile(file("dup.txt"), "42\tNEW\r\n43\tLATER\r\n");
  CliRun cancel = cli({"import", file("db.hex"), "--stops", file("dup.txt"), "--add", "--on-duplicate", "cancel",
                        "-o", file("cancel.hex")});
  EXPECT_EQ(cancel.status, 3);
  EXPECT_EQ(cancel.err, "Stop 0042 already exists! \nOverwrite it?\n");
  EXPECT_EQ(dump("cancel.hex")["stops"].size(), 2u) << "nothing after the cancelled record";
}

TEST_F(CliText, AReadThatCannotStartWritesNothing) {
  CliRun run = cli({"import", file("db.hex"), "--lines", file("missing.lin"), "-o", file("out.hex")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "File " + file("missing.lin") + ": Access denied!\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
}

TEST_F(CliText, TheSourceMayBeAnotherPanelDatabase) {
  PanelDatabase other = test::makeSampleDatabase(FirmwareVersion::V2_15);
  other.lines.deleteAll();
  other.lines.putEntry("0300", "\xE0" "300\r");
  writeHexFile(other, file("other.hex"));
  CliRun run = cli({"import", file("db.hex"), "--lines", file("other.hex"), "--add", "-o", file("out.hex")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "lines: 1 added, 0 replaced, 3 in all\n");
}

TEST_F(CliText, FontsGoOutAndComeBack) {
  CliRun out = cli({"export", file("db.hex"), "--fonts", file("f.fnt")});
  ASSERT_EQ(out.status, 0) << out.err;
  PanelDatabase empty = test::makeSampleDatabase(FirmwareVersion::V2_15);
  empty.clearFonts(true);
  empty.fonts.glyph(0, 'A') = test::makeGlyph(1, 1, 0);
  writeHexFile(empty, file("empty.hex"));
  CliRun in = cli({"import", file("empty.hex"), "--fonts", file("f.fnt"), "-o", file("out.hex")});
  ASSERT_EQ(in.status, 0) << in.err;
  EXPECT_EQ(dump("out.hex")["fonts"], dump("db.hex")["fonts"]);
  EXPECT_EQ(dump("out.hex")["keyTable"], dump("db.hex")["keyTable"]);
}

TEST_F(CliText, FontsFromADataBaseWhoseFontTableAGapCutsShort) {
  std::string text = test::readFile(file("db.hex"));
  char record[16];
  std::snprintf(record, sizeof record, "\n:20%04X00", test::ImageBytes(text).word(21) + 64);
  const std::size_t at = text.find(record);
  ASSERT_NE(at, std::string::npos);
  text.erase(at + 1, text.find('\n', at + 1) - at);  // one record of the font table gone
  test::writeFile(file("gap.hex"), text);
  CliRun run = cli({"import", file("db.hex"), "--fonts", file("gap.hex"), "-o", file("out.hex")});
  EXPECT_EQ(run.status, 3) << "read part way";
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "Error in font database");
  EXPECT_LT(dump("out.hex")["fonts"].size(), dump("db.hex")["fonts"].size());
}

TEST_F(CliText, TheSLayoutAsksAboutCode255) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.fonts.glyph(1, 255) = test::makeGlyph(2, 2, 0);
  writeHexFile(db, file("db255.hex"));
  CliRun no = cli({"export", file("db255.hex"), "--fonts", file("s.fnt"), "--layout", "S"});
  EXPECT_EQ(no.status, 1);
  EXPECT_EQ(no.err, "FW 1.x cannot use charakter with code 255.\nContinue?\n");
  EXPECT_FALSE(std::filesystem::exists(file("s.fnt")));
  EXPECT_EQ(cli({"export", file("db255.hex"), "--fonts", file("s.fnt"), "--layout", "S", "--yes"}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(file("s.fnt")));
}

TEST_F(CliText, DamagedFontFiles) {
  CliRun missing = cli({"import", file("db.hex"), "--fonts", file("none.fnt"), "-o", file("out.hex")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
  test::writeFile(file("cut.fnt"), std::string("A\xE0\x01\x01\x80" "B\xE0\x03", 8));
  CliRun cut = cli({"import", file("db.hex"), "--fonts", file("cut.fnt"), "-o", file("out.hex")});
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(cut.err, "Read beyond end of file\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex"))) << "a font file is taken whole or not at all";
  test::writeFile(file("program.fnt"), test::readFile(DORVAK_CLI_PATH).substr(0, 20000));
  CliRun program = cli({"import", file("db.hex"), "--fonts", file("program.fnt"), "-o", file("out.hex")});
  EXPECT_EQ(program.status, 1);
  EXPECT_EQ(program.err, "File format error\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
}

}  // namespace
}  // namespace dorvak
