#include "cli/output_file.h"

#include <ostream>

#include "core/safe_file.h"

namespace dorvak {

bool isStandardOutput(const std::string& path) { return path == "-"; }

void writeOutputFile(const std::string& path, std::string_view bytes, const CliContext& context) {
  if (isStandardOutput(path))
    context.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  else
    writeFileSafely(path, bytes);
}

std::ostream& reportStream(const std::string& path, const CliContext& context) {
  return isStandardOutput(path) ? context.err : context.out;
}

}  // namespace dorvak
