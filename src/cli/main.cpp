#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <ostream>

#include "cli/cli.h"
#include "cli/standard_output.h"

int main(int argc, char** argv) {
  // A short process: blocks up to 512 KiB come from the heap, and what is
  // freed stays there for the next block (the text read is freed before the
  // text written is built) instead of going back to the system and being
  // faulted in again page by page. The 1 MiB font table is still mapped on
  // its own, so its untouched pages stay untouched.
  ::mallopt(M_MMAP_THRESHOLD, 512 << 10);
  ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
  // A closed standard output keeps descriptor 1 taken, so that no file the
  // tool opens lands on it; writes to it still fail as closed.
  bool closed = ::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF;
  if (closed) ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  dorvak::DescriptorOutput buffer(closed ? -1 : STDOUT_FILENO);
  std::ostream out(&buffer);
  return dorvak::runCli(argc, argv, out, std::cerr);
}
