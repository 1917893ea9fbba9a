// dorvak-cli font import and font show.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/db_json.h"
#include "cli_run.h"
#include "core/hex_reader.h"
#include "fonts/bdf_font.h"
#include "fonts/font_import.h"
#include "fonts/glyph_text.h"
#include "fonts/system_fonts.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::runCliWith;

const std::string kFixed13 = test::kMiscFixedFolder + "6x13.pcf.gz";

class FontCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::installed(kFixed13));
    test::writeFile(file("in.json"), databaseToJson(test::makeSampleDatabase(FirmwareVersion::V2_15)).dump());
    ASSERT_EQ(runCliWith({"build", file("in.json"), "-o", file("in.hex")}).status, 0);
  }
  std::string file(const std::string& name) const { return dir.file(name); }
  static PanelDatabase open(const std::string& path) {
    PanelDatabase db;
    openHexFile(db, path);
    return db;
  }
  // Runs an import that must fail and checks that nothing was written.
  test::CliRun failingImport(std::vector<std::string> args) {
    std::vector<std::string> all = {"font", "import", file("in.hex"), "-o", file("out.hex")};
    all.insert(all.end(), args.begin(), args.end());
    test::CliRun run = runCliWith(all);
    EXPECT_FALSE(std::filesystem::exists(file("out.hex"))) << run.out;
    EXPECT_TRUE(run.out.empty()) << run.out;
    return run;
  }
  test::TempDir dir;
};

TEST_F(FontCommandTest, ImportStoresTheGlyphsAndReportsWhatWasMissing) {
  test::CliRun run = runCliWith(
      {"font", "import", file("in.hex"), "--font", "5", "--from", kFixed13, "--height", "13", "-o", file("out.hex")});
  ASSERT_EQ(run.status, 0) << run.err;
  // The default keys and the sample's own key of code 250; the key of code
  // 127, the delete character, is no character the font could lack.
  EXPECT_EQ(run.out, "Imported 137 glyphs into font 5 from " + kFixed13 + ", its strike 13 dots high\n");
  EXPECT_TRUE(run.err.empty()) << run.err;

  test::BdfFont twoLetters;
  twoLetters.ascent = 5;
  twoLetters.descent = 0;
  twoLetters.glyphs[U'A'] = {2, 0, 0, {"#"}};
  twoLetters.glyphs[U'B'] = {2, 0, 0, {"#"}};
  test::writeFile(file("ab.bdf"), test::bdfText(twoLetters));
  test::CliRun partial = runCliWith({"font", "import", file("in.hex"), "--font", "5", "--from", file("ab.bdf"),
                                     "--height", "5", "--codes", "65-67", "-o", file("ab.hex")});
  ASSERT_EQ(partial.status, 0) << partial.err;
  EXPECT_EQ(partial.out, "Imported 2 glyphs into font 5 from " + file("ab.bdf") +
                             ", its strike 5 dots high\n"
                             "Missing 1 character, whose glyphs are left as they were:\n"
                             "  C (U+0043, code 67)\n");
  EXPECT_TRUE(test::srecCatAccepts(file("out.hex")));

  PanelDatabase before = open(file("in.hex"));
  PanelDatabase after = open(file("out.hex"));
  FontFace face(kFixed13);
  FontImport expected = importGlyphs(face, before.keyTable, {.height = 13});
  for (const ImportedGlyph& g : expected.glyphs) EXPECT_EQ(after.fonts.glyph(5, g.code), g.glyph) << int{g.code};
  // Everything else is as it was.
  for (const ImportedGlyph& g : expected.glyphs) after.fonts.glyph(5, g.code) = before.fonts.glyph(5, g.code);
  EXPECT_EQ(after, before);
}

TEST_F(FontCommandTest, CodesAndFullHeightChooseWhatIsImportedAndHow) {
  test::CliRun run = runCliWith({"font", "import", file("in.hex"), "--font", "9", "--from", kFixed13, "--height", "13",
                                 "--codes", "65-90", "--full-height", "-o", file("out.hex")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Imported 26 glyphs into font 9 from " + kFixed13 + ", its strike 13 dots high\n");
  PanelDatabase db = open(file("out.hex"));
  for (int code = 0; code < kCodeCount; ++code) {
    bool letter = code >= 'A' && code <= 'Z';
    EXPECT_EQ(db.fonts.glyph(9, code).exists(), letter) << code;
    if (letter) {
      EXPECT_EQ(db.fonts.glyph(9, code).height, 13) << code;
    }
  }

  ASSERT_EQ(runCliWith({"font", "import", file("in.hex"), "--font", "9", "--from", kFixed13, "--height", "13",
                        "--codes", "66", "-o", file("one.hex")})
                .out,
            "Imported 1 glyph into font 9 from " + kFixed13 + ", its strike 13 dots high\n");
}

TEST_F(FontCommandTest, OutlineFontsSayTheSizeTheyWereDrawnAt) {
  ASSERT_TRUE(test::installed(test::kDejaVuSans));
  test::CliRun run = runCliWith({"font", "import", file("in.hex"), "--font", "4", "--from", test::kDejaVuSans,
                                 "--height", "16", "-o", file("out.hex")});
  ASSERT_EQ(run.status, 0) << run.err;
  FontFace face(test::kDejaVuSans);
  FontImport expected = importGlyphs(face, open(file("in.hex")).keyTable, {.height = 16});
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "Imported " + std::to_string(expected.glyphs.size()) + " glyphs into font 4 from " + test::kDejaVuSans +
                ", drawn at " + std::to_string(expected.pixelsPerEm) + " pixels per em to fit 16 rows");
}

TEST_F(FontCommandTest, ShowPrintsTheGlyphRowByRow) {
  ASSERT_EQ(runCliWith({"font", "import", file("in.hex"), "--font", "5", "--from", kFixed13, "--height", "13", "-o",
                        file("out.hex")})
                .status,
            0);
  test::CliRun show = runCliWith({"font", "show", file("out.hex"), "--font", "5", "--code", "128"});
  ASSERT_EQ(show.status, 0) << show.err;
  const PanelDatabase db = open(file("out.hex"));
  const GlyphRecord& glyph = db.fonts.glyph(5, 128);
  std::string expected = "Font 5, \xC4\x8C (U+010C, code 128): " + std::to_string(glyphColumns(glyph)) +
                         " columns x " + std::to_string(glyph.height) + " rows\n";
  for (const std::string& row : glyphAsText(glyph)) expected += row + "\n";
  EXPECT_EQ(show.out, expected);

  test::CliRun space = runCliWith({"font", "show", file("out.hex"), "--font", "5", "--code", "32"});
  EXPECT_EQ(space.out, "Font 5, U+0020 (code 32): 6 columns x 0 rows\n");

  // The sample's own glyph 251 of font 15 has no key.
  test::CliRun special = runCliWith({"font", "show", file("out.hex"), "--font", "15", "--code", "251"});
  EXPECT_EQ(special.out.substr(0, special.out.find('\n')), "Font 15, code 251: 4 columns x 4 rows");

  test::CliRun none = runCliWith({"font", "show", file("out.hex"), "--font", "5", "--code", "200"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "Font 5 has no glyph for code 200\n");
  EXPECT_TRUE(none.out.empty());
}

TEST_F(FontCommandTest, BadArgumentsEndWithStatusTwoAndWriteNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {"--font", "5", "--from", kFixed13, "--height", "0"},
      {"--font", "5", "--from", kFixed13, "--height", "29"},
      {"--font", "16", "--from", kFixed13, "--height", "13"},
      {"--font", "5", "--height", "13"},
      {"--font", "5", "--from", kFixed13, "--height", "13", "--codes", "90-65"},
      {"--font", "5", "--from", kFixed13, "--height", "13", "--codes", "65-256"},
      {"--font", "5", "--from", kFixed13, "--height", "13", "--codes", "A-Z"},
      {"--font", "5", "--from", kFixed13, "--height", "13", "--codes", "65-"},
  };
  for (const auto& args : cases) {
    test::CliRun run = failingImport(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_FALSE(run.err.empty()) << args.back();
  }
  EXPECT_EQ(failingImport({"--font", "5", "--from", kFixed13, "--height", "13", "--codes", "A-Z"}).err,
            "--codes: \"A-Z\" is not FROM-TO with codes 0..255 and FROM not above TO\n");
  EXPECT_EQ(runCliWith({"font", "show", file("in.hex"), "--font", "5", "--code", "256"}).status, 2);
  EXPECT_EQ(runCliWith({"font"}).status, 2);
}

TEST_F(FontCommandTest, FailedImportsEndWithStatusOneAndLeaveTheOutputAsItWas) {
  test::writeFile(file("broken.pcf.gz"), test::readFile(kFixed13).substr(0, 900));
  test::CliRun broken = failingImport({"--font", "5", "--from", file("broken.pcf.gz"), "--height", "13"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.err, "Font file " + file("broken.pcf.gz") + " cannot be read: it is not a font, or it is damaged\n");

  test::CliRun noStrike = failingImport({"--font", "5", "--from", kFixed13, "--height", "12"});
  EXPECT_EQ(noStrike.status, 1);
  EXPECT_EQ(noStrike.err, "Font file " + kFixed13 + " has no strike 12 dots high; its strikes are 13 dots high\n");

  test::CliRun controls = failingImport({"--font", "5", "--from", kFixed13, "--height", "13", "--codes", "176-239"});
  EXPECT_EQ(controls.status, 1);
  EXPECT_EQ(controls.err, "No code 176..239 can carry a glyph and has a key in the key table: nothing was imported\n");

  test::BdfFont chinese;
  chinese.ascent = 11;
  chinese.descent = 2;
  chinese.glyphs[U'\u4E00'] = {6, 0, 4, {"######"}};
  test::writeFile(file("chinese.bdf"), test::bdfText(chinese));
  test::CliRun none = failingImport({"--font", "5", "--from", file("chinese.bdf"), "--height", "13", "--codes", "65-90"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "Font file " + file("chinese.bdf") + " has none of the 26 characters of codes 65..90: nothing was imported\n");

  // A refused glyph: the existing output file keeps its bytes.
  test::BdfFont wide = chinese;
  wide.glyphs[U'W'] = {30, 0, 0, {std::string(29, '#')}};
  test::writeFile(file("wide.bdf"), test::bdfText(wide));
  test::writeFile(file("kept.hex"), test::readFile(file("in.hex")));
  test::CliRun refused = runCliWith({"font", "import", file("in.hex"), "--font", "5", "--from", file("wide.bdf"),
                                     "--height", "13", "-o", file("kept.hex")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "Font file " + file("wide.bdf") +
                             ": nothing was imported, because these glyphs do not fit:\n"
                             "  W (U+0057, code 87) is 29 columns wide; a panel glyph has at most 28\n");
  EXPECT_EQ(test::readFile(file("kept.hex")), test::readFile(file("in.hex")));
}

TEST_F(FontCommandTest, TheCode255QuestionOfFirmware16IsAnsweredByYes) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V1_6);
  db.keyTable[254] = 0xE0;  // ŕ
  db.keyTable[255] = 0xFD;  // ý
  test::writeFile(file("fw16.json"), databaseToJson(db).dump());
  ASSERT_EQ(runCliWith({"build", file("fw16.json"), "-o", file("fw16.hex")}).status, 0);
  std::vector<std::string> args = {"font", "import", file("fw16.hex"), "--font", "5", "--from", kFixed13,
                                   "--height", "13", "-o", file("out.hex")};
  test::CliRun asked = runCliWith(args);
  EXPECT_EQ(asked.status, 1);
  EXPECT_EQ(asked.err, "FW 1.x cannot use charakter with code 255.\nContinue?\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));

  args.push_back("--yes");
  test::CliRun yes = runCliWith(args);
  EXPECT_EQ(yes.status, 0) << yes.err;
  EXPECT_TRUE(open(file("out.hex")).fonts.glyph(5, 254).exists());
  EXPECT_FALSE(open(file("out.hex")).fonts.glyph(5, 255).exists());
}

}  // namespace
}  // namespace dorvak
