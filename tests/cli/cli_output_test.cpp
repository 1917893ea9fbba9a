// Where dorvak-cli's output goes: standard output that cannot be written
// fails the command, "-o -" writes the one file to standard output, and
// special files are written as they are.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/cli_run.h"
#include "core/hex_writer.h"
#include "fonts/system_fonts.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::CliRun;

CliRun cli(std::vector<std::string> args) { return test::runCliWith(std::move(args)); }

// A stream whose every write fails, as standard output on a full disk.
class FullDevice : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// Runs the installed program through the shell; its standard error goes to a
// file, read back into err.
struct ProgramRun {
  int status;
  std::string err;
};

class CliOutput : public ::testing::Test {
 protected:
  void SetUp() override { writeHexFile(test::makeSampleDatabase(FirmwareVersion::V2_15), file("db.hex")); }
  std::string file(const std::string& name) const { return dir.file(name); }
  ProgramRun program(const std::string& arguments, const std::string& redirection) {
    std::string command = "exec " + std::string(DORVAK_CLI_PATH) + " " + arguments + " " + redirection + " 2> '" +
                          file("err.txt") + "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(file("err.txt"))};
  }
  test::TempDir dir;
};

TEST_F(CliOutput, StandardOutputThatCannotBeWrittenFailsTheCommand) {
  FullDevice full;
  std::ostream out(&full);
  std::ostringstream err;
  const std::string db = file("db.hex");
  const char* argv[] = {"dorvak-cli", "dump", db.c_str()};
  EXPECT_EQ(runCli(3, argv, out, err), 1);
  EXPECT_EQ(err.str(), "Standard output cannot be written\n");

  for (const std::string command : {"dump", "render", "export --lines - --kind txt"}) {
    const std::string args = command.substr(0, command.find(' ')) + " '" + db + "'" +
                             (command.find(' ') == std::string::npos ? "" : command.substr(command.find(' ')));
    auto endsWith = [](const std::string& text, const std::string& end) {
      return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    ProgramRun run = program(args, "> /dev/full");
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_TRUE(endsWith(run.err, "Standard output cannot be written: No space left on device\n")) << run.err;
    ProgramRun closed = program(args, ">&-");
    EXPECT_EQ(closed.status, 1) << command;
    EXPECT_TRUE(endsWith(closed.err, "Standard output cannot be written: Bad file descriptor\n")) << closed.err;
  }
}

// "-o -" writes the one file to standard output; what the command reports
// goes to standard error then, so that standard output holds the file alone.
TEST_F(CliOutput, DashMeansStandardOutput) {
  const std::string db = file("db.hex");
  struct Case {
    std::vector<std::string> toFile, toOutput;
    std::string reported;
  };
  const Case cases[] = {
      {{"convert", db, "-o", file("out")}, {"convert", db, "-o", "-"}, ""},
      {{"import", db, "--lines", db, "-o", file("out")}, {"import", db, "--lines", db, "-o", "-"}, "lines: "},
      {{"export", db, "--stops", file("out"), "--kind", "zs"}, {"export", db, "--stops", "-", "--kind", "zs"},
       " stops written\n"},
      {{"export", db, "--fonts", file("out")}, {"export", db, "--fonts", "-"}, " glyphs written\n"},
      {{"font", "import", db, "--font", "3", "--from", test::kMiscFixedFolder + "5x8.pcf.gz", "--height", "8", "-o", file("out")},
       {"font", "import", db, "--font", "3", "--from", test::kMiscFixedFolder + "5x8.pcf.gz", "--height", "8", "-o", "-"}, "Imported "},
      {{"render", db, "--format", "png", "-o", file("out")}, {"render", db, "--format", "png", "-o", "-"}, ""},
      {{"render", db, "-o", file("out")}, {"render", db, "-o", "-"}, ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(file("out"));
    CliRun toFile = cli(c.toFile);
    ASSERT_EQ(toFile.status, 0) << c.toOutput[0] << ": " << toFile.err;
    CliRun toOutput = cli(c.toOutput);
    ASSERT_EQ(toOutput.status, 0) << c.toOutput[0] << ": " << toOutput.err;
    EXPECT_EQ(toOutput.out, test::readFile(file("out"))) << c.toOutput[0];
    EXPECT_FALSE(std::filesystem::exists("-")) << c.toOutput[0];
    EXPECT_NE(toOutput.err.find(c.reported), std::string::npos) << c.toOutput[0] << ": " << toOutput.err;
    EXPECT_NE(toFile.out.find(c.reported), std::string::npos) << c.toOutput[0] << ": " << toFile.out;
  }
}

// A FIFO and standard output named as a file (/dev/stdout, here a link of
// the test's own to the same /proc/self/fd/1) given as output are written as
// they are, not replaced by a regular file.
TEST_F(CliOutput, SpecialFilesAreWrittenDirectly) {
  const std::string db = file("db.hex");
  ASSERT_EQ(cli({"convert", db, "-o", file("plain.hex")}).status, 0);
  std::filesystem::create_symlink("/proc/self/fd/1", file("stdout"));
  ProgramRun toStdout = program("convert '" + db + "' -o '" + file("stdout") + "'", "> '" + file("stdout.hex") + "'");
  ASSERT_EQ(toStdout.status, 0) << toStdout.err;
  EXPECT_EQ(test::readFile(file("stdout.hex")), test::readFile(file("plain.hex")));
  ProgramRun piped = program("convert '" + db + "' -o '" + file("stdout") + "'", "| cat > '" + file("piped.hex") + "'");
  EXPECT_EQ(test::readFile(file("piped.hex")), test::readFile(file("plain.hex")));
  EXPECT_TRUE(std::filesystem::is_symlink(file("stdout")));

  ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = test::readFile(file("fifo")); });
  CliRun toFifo = cli({"convert", db, "-o", file("fifo")});
  reader.join();
  EXPECT_EQ(toFifo.status, 0) << toFifo.err;
  EXPECT_EQ(received, test::readFile(file("plain.hex")));
  struct stat st {};
  ASSERT_EQ(::stat(file("fifo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO stays a FIFO";
}

}  // namespace
}  // namespace dorvak
