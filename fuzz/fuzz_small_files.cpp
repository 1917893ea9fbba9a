// The small files of the configuration: code tables (*.kod), format strings
// (*.aL), the KT500 and KT700 tables (*.tbk, *.700) and the options file.
// The table files are read from disk, as the program reads them, so the size
// checks and the loaders' choice of reader are part of what is tried.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/code_table_files.h"
#include "config/program_options.h"
#include "core/error.h"
#include "fuzz_support.h"

namespace {

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

  static const fuzz::ScratchFile kodFile(".kod"), alFile(".aL"), tbkFile(".tbk"), kt700File(".700");
  CodeTable table;
  const std::string& kod = kodFile.write(bytes);
  tolerateRefusal([&] { loadCodeTable(kod, table); });
  const std::string& al = alFile.write(bytes);
  tolerateRefusal([&] { loadFormatStrings(al, strings); });
  const std::string& tbk = tbkFile.write(bytes);
  tolerateRefusal([&] { readKt500TableFile(tbk); });
  const std::string& kt700 = kt700File.write(bytes);
  Kt700Table kt700Table;
  Kt700Widths kt700Widths;
  tolerateRefusal([&] { readKt700TableFile(kt700, kt700Table, kt700Widths); });
  return 0;
}
