#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {
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
}  // namespace

void writeFileSafely(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) failWrite(path, errno);

  // The new file keeps the permissions of the one it replaces.
  struct stat old {};
  mode_t mode;
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  int error = writeAll(fd, bytes);
  if (!error && ::fchmod(fd, mode) != 0) error = errno;
  // On disk before it replaces the old file: a power cut cannot leave an empty data base.
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temp.c_str());
    failWrite(path, error);
  }
}

std::string readWholeFile(const std::string& path, std::size_t maxSize) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileAccessError(formatMessage(msg::AccessDenied, path));
  in.seekg(0, std::ios::end);
  auto size = in.tellg();
  if (size < 0) throw FileAccessError(formatMessage(msg::AccessDenied, path));
  if (static_cast<std::size_t>(size) > maxSize) throw FileAccessError(formatMessage(msg::FileTooLarge, path));
  in.seekg(0, std::ios::beg);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), size)) throw FileAccessError(formatMessage(msg::AccessDenied, path));
  return bytes;
}

}  // namespace dorvak
