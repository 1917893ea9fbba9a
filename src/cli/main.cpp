#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <ostream>

#include "cli/cli.h"
#include "cli/standard_output.h"

int main(int argc, char** argv) {
  // A closed standard output keeps descriptor 1 taken, so that no file the
  // tool opens lands on it; writes to it still fail as closed.
  bool closed = ::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF;
  if (closed) ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  dorvak::DescriptorOutput buffer(closed ? -1 : STDOUT_FILENO);
  std::ostream out(&buffer);
  return dorvak::runCli(argc, argv, out, std::cerr);
}
