#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <cstdint>

#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {

constexpr long kProcFileSystem = 0x9fa0;  // PROC_SUPER_MAGIC
constexpr int kMaxLinks = 40;             // as the kernel follows them

[[noreturn]] void failWrite(const std::string& path, int error) {
  throw DorvakError(formatMessage(msg::CannotWrite, path) + std::strerror(error));
}

// Writes everything or returns the errno of the failure.
int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save replaces: the end of the chain of symbolic links, so that
// the links stay and point at the new file.
struct Target {
  std::string path;
  bool direct = false;  // written as it stands: no regular file, or a descriptor's file
  bool exists = false;
  struct stat status {};
};

Target resolveTarget(const std::string& path) {
  Target target;
  struct stat followed {};
  if (::stat(path.c_str(), &followed) == 0) {
    if (S_ISDIR(followed.st_mode)) failWrite(path, EISDIR);
    // A FIFO, a device or a socket cannot be replaced, only written.
    if (!S_ISREG(followed.st_mode)) return {path, true, true, followed};
  } else if (errno != ENOENT) {
    failWrite(path, errno);
  }
  std::string current = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) {
      if (errno != ENOENT) failWrite(path, errno);
      return {current, false, false, {}};  // a new file, or what a dangling link names
    }
    if (!S_ISLNK(st.st_mode)) return {current, false, true, st};
    // The links of /proc (/dev/stdout is /proc/self/fd/1) name an open
    // descriptor's file, not a path to replace.
    struct statfs folder {};
    if (::statfs(folderOf(current).c_str(), &folder) == 0 && folder.f_type == kProcFileSystem)
      return {path, true, true, followed};
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) failWrite(path, errno);
    link.resize(static_cast<std::size_t>(n));
    current = !link.empty() && link[0] == '/' ? link : folderOf(current) + "/" + link;
  }
  failWrite(path, ELOOP);
}

// A FIFO, a device or a descriptor's file: no temporary file, no rename.
void writeDirectly(const std::string& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) failWrite(path, errno);
  int error = writeAll(fd, bytes);
  if (::close(fd) != 0 && !error) error = errno;
  if (error) failWrite(path, error);
}

// A name of its own beside the target, short whatever the target's length.
std::string temporaryName(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  return folder + "/.dorvak-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Links the complete unnamed file into the folder under a temporary name.
int linkUnnamed(int fd, const std::string& name) {
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  // Without /proc mounted; needs the right to look up any file.
  return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

}  // namespace

void detail::writeFileSafely(const std::string& path, std::string_view bytes, TemporaryFile kind) {
  const Target target = resolveTarget(path);
  if (target.direct) return writeDirectly(path, bytes);

  // The new file keeps the mode, owner and group of the one it replaces, and
  // the refusal of a file its owner made read-only.
  mode_t mode;
  if (target.exists) {
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) failWrite(path, errno);
    mode = target.status.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  // Unnamed where the file system allows it: a save that dies before the end
  // leaves nothing behind.
  const std::string folder = folderOf(target.path);
  std::string named;
  int fd = -1;
  if (kind == TemporaryFile::Unnamed) {
    fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) failWrite(path, errno);
  }
  if (fd < 0) {
    named = folder + "/.dorvak-XXXXXX";
    fd = ::mkostemp(named.data(), O_CLOEXEC);
    if (fd < 0) failWrite(path, errno);
  }

  int error = writeAll(fd, bytes);
  if (!error && target.exists && ::fchown(fd, target.status.st_uid, target.status.st_gid) != 0 &&
      ::fchown(fd, static_cast<uid_t>(-1), target.status.st_gid) != 0) {
    // Best effort, as sed -i does: who may not give a file away keeps it.
  }
  if (!error && ::fchmod(fd, mode) != 0) error = errno;
  // On disk before it replaces the old file: a power cut cannot leave an empty data base.
  if (!error && ::fsync(fd) != 0) error = errno;

  if (!error && named.empty()) {
    // A new file is linked in under its own name at once; an existing one
    // gets a temporary name first, as a link cannot replace a file.
    if (!target.exists) {
      error = linkUnnamed(fd, target.path);
      if (error == 0) {
        ::close(fd);
        return;
      }
      if (error != EEXIST) {
        ::close(fd);
        failWrite(path, error);
      }
    }
    do {
      named = temporaryName(folder);
      error = linkUnnamed(fd, named);
    } while (error == EEXIST);
    if (error) named.clear();
  }
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(named.c_str(), target.path.c_str()) != 0) error = errno;
  if (error) {
    if (!named.empty()) ::unlink(named.c_str());
    failWrite(path, error);
  }
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
  detail::writeFileSafely(path, bytes, detail::TemporaryFile::Unnamed);
}

std::string readWholeFile(const std::string& path, std::size_t maxSize) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw FileAccessError(formatMessage(msg::AccessDenied, path));
  // The size as a seek to the end finds it: a pipe or a folder has none.
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  off_t size = ::lseek(fd, 0, SEEK_END);
  if (size < 0 || ::lseek(fd, 0, SEEK_SET) != 0) throw FileAccessError(formatMessage(msg::AccessDenied, path));
  if (static_cast<std::uintmax_t>(size) > maxSize) throw FileAccessError(formatMessage(msg::FileTooLarge, path));
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    // A file that shrank while it was read is not read either.
    if (n <= 0) throw FileAccessError(formatMessage(msg::AccessDenied, path));
    done += static_cast<std::size_t>(n);
  }
  return bytes;
}

}  // namespace dorvak
