#pragma once
// Runs dorvak-cli in the test process and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace dorvak::test {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun runCliWith(std::vector<std::string> args) {
  args.insert(args.begin(), "dorvak-cli");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  int status = runCli(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace dorvak::test
