// Saves that fail part way: a child process writes with a file size limit
// far below what the file needs, as a full disk would stop it. The file that
// was there before must survive byte for byte, the error must be reported,
// and no temporary file may stay behind.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "core/error.h"
#include "core/hex_writer.h"
#include "fonts/font_file.h"
#include "test_support.h"
#include "text/text_export.h"

namespace dorvak {
namespace {

constexpr int kReportedError = 42;

// Runs the save in a child limited to `limit` bytes per file; returns the
// child's exit status (kReportedError when the save threw DorvakError with a
// message naming the file).
int saveWithFileSizeLimit(const std::function<void()>& save, const std::string& path, rlim_t limit) {
  pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
    rlimit small{limit, limit};
    setrlimit(RLIMIT_FSIZE, &small);
    try {
      save();
    } catch (const DorvakError& e) {
      std::string message = e.what();
      _exit(message.find(path) != std::string::npos && message.find("cannot be written") != std::string::npos
                ? kReportedError
                : 1);
    } catch (...) {
      _exit(2);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FailingDisk : public ::testing::Test {
 protected:
  void expectOldFileKept(const std::string& name, const std::function<void(const std::string&)>& save) {
    std::string path = dir.file(name);
    const std::string previous(3000, 'p');
    test::writeFile(path, previous);
    EXPECT_EQ(saveWithFileSizeLimit([&] { save(path); }, path, 1024), kReportedError) << name;
    EXPECT_EQ(test::readFile(path), previous) << name;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      EXPECT_NE(entry.path().filename().string().rfind(name + ".", 0), 0u) << "temporary file left: " << entry.path();
  }
  test::TempDir dir;
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
};

TEST_F(FailingDisk, PanelDatabase) {
  expectOldFileKept("panel.hex", [&](const std::string& path) { writeHexFile(db, path); });
}

TEST_F(FailingDisk, TextFiles) {
  for (int i = 0; i < 300; ++i) db.stops.putEntry(makeKey(TextKind::Stop, i, false), "A STOP WITH A NAME\r");
  expectOldFileKept("stops.dru", [&](const std::string& path) {
    writeTextFile(db, TextKind::Stop, path, TextFileLayout::Packed, {});
  });
  expectOldFileKept("stops.zs", [&](const std::string& path) {
    writeTextFile(db, TextKind::Stop, path, TextFileLayout::StopLines, {});
  });
}

TEST_F(FailingDisk, FontFile) {
  expectOldFileKept("fonts.fnt", [&](const std::string& path) { writeFontFile(db, path, FontFileLayout::N); });
}

TEST_F(FailingDisk, ASaveThatFitsStillWorks) {
  std::string path = dir.file("small.hex");
  PanelDatabase small;
  small.resetConfig();
  small.clearFonts(true);
  small.fonts.glyph(0, 'A') = test::makeGlyph(1, 1, 0);
  EXPECT_EQ(saveWithFileSizeLimit([&] { writeHexFile(small, path); }, path, 1 << 20), 0);
  EXPECT_TRUE(test::srecCatAccepts(path));
}

}  // namespace
}  // namespace dorvak
