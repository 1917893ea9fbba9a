// Every file dorvak-cli writes, written when the disk fills part way: the
// command fails with the file's "cannot be written" message, the old file
// stays byte for byte and no temporary file is left beside it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "core/error.h"
#include "core/hex_writer.h"
#include "failing_disk.h"
#include "test_support.h"

namespace dorvak::test {
namespace {

class CliFailingDisk : public ::testing::Test {
 protected:
  CliFailingDisk() {
    PanelDatabase db = makeSampleDatabase(FirmwareVersion::V2_15);
    writeHexFile(db, database);
    writeFile(lines, "001\tONE\r\n002\tTWO\r\n");
  }

  // Runs dorvak-cli with OUT in place of "{out}" in ARGS.
  void expectOldFileKept(const std::string& name, std::vector<std::string> args) {
    expectFailedSaveKeepsOldFile(dir.path(), name, [&](const std::string& out) {
      for (auto& arg : args)
        if (arg == "{out}") arg = out;
      CliRun run = runCliWith(args);
      if (run.status != 0) throw DorvakError(run.err);
    });
  }

  TempDir dir;
  std::string database = dir.file("panel.hex");
  std::string lines = dir.file("lines.txt");
};

TEST_F(CliFailingDisk, PanelDatabaseWriters) {
  expectOldFileKept("converted.hex", {"convert", database, "-o", "{out}", "--firmware", "2.13"});
  expectOldFileKept("imported.hex", {"import", database, "--lines", lines, "-o", "{out}"});
}

TEST_F(CliFailingDisk, ExportedFiles) {
  expectOldFileKept("out.lin", {"export", database, "--lines", "{out}"});
  expectOldFileKept("out.fnt", {"export", database, "--fonts", "{out}"});
}

TEST_F(CliFailingDisk, RenderedPictures) {
  expectOldFileKept("panel.png", {"render", database, "--format", "png", "-o", "{out}"});
  expectOldFileKept("panel.gif", {"render", database, "--format", "gif", "--ticks", "50", "-o", "{out}"});
  expectOldFileKept("panel.text", {"render", database, "-o", "{out}"});
}

}  // namespace
}  // namespace dorvak::test
