// The size limits the README promises: a file one byte beyond its reader's
// limit is refused with "File NAME is too large" before anything is read, and
// the data base stays as it was. The files are sparse, so the test writes
// almost nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "cli/cli_run.h"
#include "config/code_table_files.h"
#include "config/program_options.h"
#include "core/error.h"
#include "core/hex_reader.h"
#include "fonts/font_face.h"
#include "fonts/font_file.h"
#include "fonts/font_import.h"
#include "interchange/ekvivalents.h"
#include "interchange/unit_file.h"
#include "interchange/unit_texts.h"
#include "test_support.h"
#include "text/text_import.h"

namespace dorvak {
namespace {

class FileLimits : public ::testing::Test {
 protected:
  std::string sparseFile(const std::string& name, std::size_t size) {
    std::string path = dir.file(name);
    test::writeFile(path, "");
    std::filesystem::resize_file(path, size);
    return path;
  }

  // Expects READ on a file of NAME one byte over LIMIT to fail as too large
  // and to leave the data base alone.
  void expectRefused(const std::string& name, std::size_t limit,
                     const std::function<void(PanelDatabase&, const std::string&)>& read) {
    const std::string path = sparseFile(name, limit + 1);
    PanelDatabase db = before;
    try {
      read(db, path);
      ADD_FAILURE() << name << " was read";
    } catch (const FileAccessError& e) {
      EXPECT_EQ(std::string(e.what()), "File " + path + " is too large") << name;
    }
    EXPECT_TRUE(db == before) << name;
  }

  test::TempDir dir;
  const PanelDatabase before = test::makeSampleDatabase(FirmwareVersion::V2_15);
};

TEST_F(FileLimits, PanelDatabasesAndFontFiles) {
  expectRefused("big.hex", kMaxHexFileSize, [](PanelDatabase& db, const std::string& path) { openHexFile(db, path); });
  expectRefused("big-add.hex", kMaxHexFileSize, [](PanelDatabase& db, const std::string& path) {
    readHexFile(db, path, TableSelector::Destinations3, true);
  });
  expectRefused("big.fnt", kMaxFontFileSize, [](PanelDatabase& db, const std::string& path) { readFontsInto(db, path); });
  expectRefused("big.ttf", kMaxFontSourceSize, [](PanelDatabase& db, const std::string& path) {
    FontImportOptions options;
    options.height = 8;
    importFontFile(db, 3, path, options);
  });
}

TEST_F(FileLimits, TextAndUnitFiles) {
  expectRefused("big.cil", kMaxTextFileSize, [](PanelDatabase& db, const std::string& path) {
    importTextFile(db, TextKind::Destination, path, TextSource::Packed);
  });
  expectRefused("big.txt", kMaxTextFileSize, [](PanelDatabase& db, const std::string& path) {
    importTextFile(db, TextKind::Stop, path, TextSource::Text);
  });
  ProgramOptions kt500;
  kt500.ekvivalentMode = EkvivalentMode::Kt500;
  expectRefused("big.bbd", kMaxUnitFileSize, [&](PanelDatabase& db, const std::string& path) {
    TextImportOptions options;
    options.programOptions = kt500;
    readUnitTexts(db, TextKind::Destination, path, options);
  });
  expectRefused("big.bbf", kMaxUnitFileSize, [&](PanelDatabase& db, const std::string& path) {
    readEkvivalents(db, path, {kt500, {}, {}});
  });
}

TEST_F(FileLimits, SmallConfigurationFiles) {
  constexpr std::size_t kOneMiB = 1u << 20;
  // (The configuration window's Browse clears its working copy before it
  // reads; the readers themselves leave the strings alone.)
  expectRefused("big.kod", kOneMiB, [](PanelDatabase&, const std::string& path) { readKodFile(path); });
  expectRefused("big.aL", kOneMiB, [](PanelDatabase& db, const std::string& path) {
    readAlFile(path, db.formatStrings);
  });
  expectRefused("big.tbk", kOneMiB, [](PanelDatabase&, const std::string& path) { readKt500TableFile(path); });
  expectRefused("big.700", kOneMiB, [](PanelDatabase&, const std::string& path) {
    Kt700Table table;
    Kt700Widths widths;
    readKt700TableFile(path, table, widths);
  });
}

TEST_F(FileLimits, AnOversizedOptionsFileLeavesTheDefaults) {
  const std::string path = dir.file("dorvak.ovl");
  test::writeFile(path, "2\r\n\r\n\r\n" + std::string(64u << 10, 'x'));
  EXPECT_EQ(loadProgramOptions(path), ProgramOptions{});
  test::writeFile(path, "2\r\n\r\n\r\n");
  EXPECT_EQ(loadProgramOptions(path).ekvivalentMode, EkvivalentMode::Kt700);
}

TEST_F(FileLimits, JsonDocumentOfBuild) {
  const std::string path = sparseFile("big.json", (64u << 20) + 1);
  test::CliRun run = test::runCliWith({"build", path, "-o", dir.file("out.hex")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("File " + path + " is too large"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.hex")));
}

}  // namespace
}  // namespace dorvak
