// What a save guarantees: the target is replaced whole or not at all, a
// symbolic link keeps pointing at the replaced file, a read-only file is
// refused, owner, group and mode stay, special files are written as they
// are, long names work and nothing is left behind.

#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>

#include "core/error.h"
#include "test_support.h"

namespace dorvak {
namespace {

namespace fs = std::filesystem;
using detail::TemporaryFile;

constexpr uid_t kNobody = 65534;

struct stat statOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

// Runs the action in a child process as an unprivileged user; returns its
// exit status.
int asUnprivilegedUser(const std::function<int()>& action) {
  pid_t child = fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) _exit(99);
    _exit(action());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SafeFile : public ::testing::TestWithParam<TemporaryFile> {
 protected:
  void save(const std::string& path, const std::string& bytes) { detail::writeFileSafely(path, bytes, GetParam()); }
  std::string file(const std::string& name) const { return dir.file(name); }
  test::TempDir dir;
};

TEST_P(SafeFile, ANewFileAndAReplacedOneLeaveNothingElseBehind) {
  save(file("new.hex"), "first");
  EXPECT_EQ(test::readFile(file("new.hex")), "first");
  mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(statOf(file("new.hex")).st_mode & 07777, 0666 & ~mask);
  ino_t before = statOf(file("new.hex")).st_ino;
  save(file("new.hex"), "second");
  EXPECT_EQ(test::readFile(file("new.hex")), "second");
  EXPECT_NE(statOf(file("new.hex")).st_ino, before) << "replaced by a new file, never rewritten in place";
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"new.hex"});
}

// The temporary file adds nothing to the name, so the longest name a
// folder allows can be saved.
TEST_P(SafeFile, TheLongestNameCanBeSaved) {
  const std::string name = std::string(251, 'n') + ".hex";
  save(file(name), "old");
  save(file(name), "new");
  EXPECT_EQ(test::readFile(file(name)), "new");
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{name});
}

// The link stays a link; the file it points at, in another folder, is
// replaced with a temporary file beside it. A link to nothing yet creates
// the file it names.
TEST_P(SafeFile, SymbolicLinksAreFollowed) {
  fs::create_directories(dir.path() / "real" / "sub");
  fs::create_directories(dir.path() / "links");
  test::writeFile(file("real/sub/panel.hex"), "old");
  fs::create_symlink("../real/sub/panel.hex", dir.path() / "links" / "first");
  fs::create_symlink("first", dir.path() / "links" / "second");
  ino_t before = statOf(file("real/sub/panel.hex")).st_ino;
  save(file("links/second"), "new");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "links" / "second"));
  EXPECT_EQ(fs::read_symlink(dir.path() / "links" / "first"), "../real/sub/panel.hex");
  EXPECT_EQ(test::readFile(file("real/sub/panel.hex")), "new");
  EXPECT_NE(statOf(file("real/sub/panel.hex")).st_ino, before);
  EXPECT_EQ(namesIn(dir.path() / "real" / "sub"), std::set<std::string>{"panel.hex"});
  EXPECT_EQ(namesIn(dir.path() / "links"), (std::set<std::string>{"first", "second"}));

  fs::create_symlink("../real/later.hex", dir.path() / "links" / "dangling");
  save(file("links/dangling"), "made");
  EXPECT_EQ(test::readFile(file("real/later.hex")), "made");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "links" / "dangling"));

  fs::create_symlink("loop", dir.path() / "links" / "loop");
  EXPECT_EQ(test::errorOf([&] { save(file("links/loop"), "x"); }),
            "File " + file("links/loop") + " cannot be written: Too many levels of symbolic links");
}

TEST_P(SafeFile, AReadOnlyFileIsRefused) {
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string path = file("locked.hex");
  test::writeFile(path, "old");
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const std::string expected = "File " + path + " cannot be written: Permission denied";
  EXPECT_EQ(asUnprivilegedUser([&] {
              return test::errorOf([&] { save(path, "new"); }) == expected ? 0 : 1;
            }),
            0);
  EXPECT_EQ(test::readFile(path), "old");
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"locked.hex"});
}

// Root saving another user's file leaves it that user's, with its mode.
TEST_P(SafeFile, OwnerGroupAndModeStay) {
  const std::string path = file("theirs.hex");
  test::writeFile(path, "old");
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  save(path, "new");
  struct stat st = statOf(path);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNobody);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(test::readFile(path), "new");
}

// A FIFO, a device and a descriptor's file (what /dev/stdout links to) are
// written as they are, never replaced by a regular file; a folder is refused.
TEST_P(SafeFile, SpecialFilesAreWrittenDirectly) {
  const std::string fifo = file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  save(fifo, "through the fifo");
  char buffer[64] = {};
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 16);
  EXPECT_STREQ(buffer, "through the fifo");
  ::close(reader);
  EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));

  const std::string null = file("null");
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  save(null, "nothing");
  EXPECT_TRUE(S_ISCHR(statOf(null).st_mode));

  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const std::string descriptor = file("descriptor");
  fs::create_symlink("/proc/self/fd/" + std::to_string(pipeEnds[1]), descriptor);
  save(descriptor, "through the pipe");
  ::close(pipeEnds[1]);
  char piped[64] = {};
  EXPECT_EQ(::read(pipeEnds[0], piped, sizeof piped), 16);
  EXPECT_STREQ(piped, "through the pipe");
  ::close(pipeEnds[0]);
  EXPECT_TRUE(fs::is_symlink(descriptor));

  fs::create_directory(dir.path() / "folder");
  EXPECT_EQ(test::errorOf([&] { save(file("folder"), "x"); }), "File " + file("folder") + " cannot be written: Is a directory");
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"fifo", "null", "descriptor", "folder"}));
}

INSTANTIATE_TEST_SUITE_P(Temporary, SafeFile, ::testing::Values(TemporaryFile::Unnamed, TemporaryFile::Named),
                         [](const auto& info) { return info.param == TemporaryFile::Unnamed ? "Unnamed" : "Named"; });

// A save killed while it writes (here by the signal of a file grown past its
// limit) leaves the old file and nothing else: the unnamed temporary file
// goes with the process.
TEST(SafeFileKilled, ASaveKilledWhileWritingLeavesNothingBehind) {
  test::TempDir dir;
  const std::string path = dir.file("panel.hex");
  test::writeFile(path, "old");
  pid_t child = fork();
  if (child == 0) {
    rlimit small{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::signal(SIGXFSZ, SIG_DFL);
    writeFileSafely(path, std::string(5000, 'n'));
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_EQ(test::readFile(path), "old");
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"panel.hex"});
}

}  // namespace
}  // namespace dorvak
