// Saves that fail part way: a child process writes with a file size limit
// (16 bytes) below what the file needs, as a full disk would stop it. The file that
// was there before must survive byte for byte, the error must be reported,
// and no temporary file may stay behind.

#include <gtest/gtest.h>

#include <functional>

#include "config/code_table_files.h"
#include "config/program_options.h"
#include "core/error.h"
#include "core/hex_writer.h"
#include "failing_disk.h"
#include "fonts/font_file.h"
#include "test_support.h"
#include "text/text_export.h"

namespace dorvak {
namespace {

class FailingDisk : public ::testing::Test {
 protected:
  void expectOldFileKept(const std::string& name, const std::function<void(const std::string&)>& save) {
    test::expectFailedSaveKeepsOldFile(dir.path(), name, save);
  }
  test::TempDir dir;
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
};

TEST_F(FailingDisk, PanelDatabase) {
  expectOldFileKept("panel.hex", [&](const std::string& path) { writeHexFile(db, path); });
}

TEST_F(FailingDisk, TextFilesOfEveryLayout) {
  struct Case {
    const char* name;
    TextKind kind;
    TextFileLayout layout;
  };
  const Case cases[] = {
      {"lines.lin", TextKind::Line, TextFileLayout::Packed},
      {"lines.txt", TextKind::Line, TextFileLayout::Tab},
      {"destinations.cil", TextKind::Destination, TextFileLayout::Packed},
      {"destinations.txt", TextKind::Destination, TextFileLayout::Tab},
      {"destinations.cl", TextKind::Destination, TextFileLayout::Ekvivalent},
      {"stops.dru", TextKind::Stop, TextFileLayout::Packed},
      {"stops.txt", TextKind::Stop, TextFileLayout::Tab},
      {"stops.zs", TextKind::Stop, TextFileLayout::StopLines},
  };
  for (const Case& c : cases) {
    ASSERT_GT(formatTextFile(db, c.kind, c.layout, {}).size(), 16u) << c.name;
    expectOldFileKept(c.name, [&](const std::string& path) { writeTextFile(db, c.kind, path, c.layout, {}); });
  }
}

TEST_F(FailingDisk, FontFile) {
  expectOldFileKept("fonts.fnt", [&](const std::string& path) { writeFontFile(db, path, FontFileLayout::N); });
}

TEST_F(FailingDisk, CodeTableAndFormatStrings) {
  CodeTable table;
  table.table.fill('x');
  expectOldFileKept("table.kod", [&](const std::string& path) { writeKodFile(path, table); });
  FormatStrings strings;
  strings.strings[1] = "a format string longer than the limit";
  expectOldFileKept("strings.aL", [&](const std::string& path) { writeAlFile(path, strings); });
}

TEST_F(FailingDisk, OptionsFile) {
  ProgramOptions options;
  options.ekvivalentMode = EkvivalentMode::Kt500;
  options.kt500Path = "/srv/units/kt500/czech.tbk";
  expectOldFileKept("dorvak.ovl", [&](const std::string& path) { saveProgramOptions(options, path); });
}

TEST_F(FailingDisk, ASaveThatFitsStillWorks) {
  std::string path = dir.file("small.hex");
  PanelDatabase small;
  small.resetConfig();
  small.clearFonts(true);
  small.fonts.glyph(0, 'A') = test::makeGlyph(1, 1, 0);
  EXPECT_EQ(test::saveWithFileSizeLimit([&] { writeHexFile(small, path); }, path, 1 << 20), 0);
  EXPECT_TRUE(test::srecCatAccepts(path));
}

}  // namespace
}  // namespace dorvak
