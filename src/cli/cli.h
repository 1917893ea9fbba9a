#pragma once
// dorvak-cli: the data base tools on the command line.

#include <iosfwd>

namespace dorvak {

// Exit status: 0 done, 1 a read or save failed or a question was not
// answered, 2 bad arguments or a bad JSON document.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace dorvak
