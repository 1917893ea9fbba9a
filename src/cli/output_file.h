#pragma once
// The one file a dorvak-cli command writes: "-" is standard output, any other
// name a file written safely (special files such as a FIFO as they are).

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/cli_context.h"

namespace dorvak {

bool isStandardOutput(const std::string& path);

// Throws DorvakError when a file cannot be written; standard output is
// checked once the command has run.
void writeOutputFile(const std::string& path, std::string_view bytes, const CliContext& context);

// Where the command reports what it did: standard error while standard
// output carries the file, so that it holds the file alone.
std::ostream& reportStream(const std::string& path, const CliContext& context);

}  // namespace dorvak
