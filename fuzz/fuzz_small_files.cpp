// The small files of the configuration: code tables (*.kod), format strings
// (*.aL), the KT500 and KT700 tables (*.tbk, *.700) and the options file.
// The table files are read from disk, as the program reads them, so the size
// checks and the loaders' choice of reader are part of what is tried.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "config/code_table_files.h"
#include "config/program_options.h"
#include "core/error.h"

namespace {

const char* const kExtensions[] = {".kod", ".aL", ".tbk", ".700"};

// The scratch files of this process, removed when it ends.
struct ScratchFiles {
  std::string base = "/tmp/dorvak-fuzz-" + std::to_string(::getpid());
  ~ScratchFiles() {
    for (const char* extension : kExtensions) std::remove((base + extension).c_str());
  }
};

std::string scratchFile(const char* extension, std::string_view bytes) {
  static const ScratchFiles files;
  std::string path = files.base + extension;
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

template <typename Read>
void tolerateRefusal(Read read) {
  try {
    read();
  } catch (const dorvak::DorvakError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  FormatStrings strings;
  tolerateRefusal([&] { parseAlBytes(bytes, strings); });
  parseOptionsFile(bytes);
  displayPath(std::string(bytes.substr(0, 300)));

  CodeTable table;
  const std::string kod = scratchFile(".kod", bytes);
  tolerateRefusal([&] { loadCodeTable(kod, table); });
  const std::string al = scratchFile(".aL", bytes);
  tolerateRefusal([&] { loadFormatStrings(al, strings); });
  const std::string tbk = scratchFile(".tbk", bytes);
  tolerateRefusal([&] { readKt500TableFile(tbk); });
  const std::string kt700 = scratchFile(".700", bytes);
  Kt700Table kt700Table;
  Kt700Widths kt700Widths;
  tolerateRefusal([&] { readKt700TableFile(kt700, kt700Table, kt700Widths); });
  return 0;
}
