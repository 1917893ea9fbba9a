// The small files of the configuration: format strings (*.aL) and the
// options file.

#include <cstdint>
#include <string_view>

#include "config/code_table_files.h"
#include "config/program_options.h"
#include "core/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FormatStrings strings;
  try {
    parseAlBytes(bytes, strings);
  } catch (const DorvakError&) {
  }
  parseOptionsFile(bytes);
  displayPath(std::string(bytes.substr(0, 300)));
  return 0;
}
