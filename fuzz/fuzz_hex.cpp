// The panel image reader on any text, for every table selector, Read and
// Add; what it reads is written again.

#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  if (size < 1) return 0;
  const int selector = data[0] % 8;
  const bool add = (data[0] & 0x80) != 0;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  PanelDatabase db = fuzz::sampleDatabase();
  HexReadOptions options;
  options.acceptEntry = [](TextKind, std::string_view key, std::string_view) {
    return key.back() == '7' ? EntryDecision::Skip : EntryDecision::Store;
  };
  try {
    HexReadResult read = readHexText(db, text, "fuzz.hex", selector, add, options);
    if (selector == TableSelector::All)
      decodeHeader(read.header, read.headerKind, read.tagPosition, builtinKt500Table(), db);
  } catch (const DorvakError&) {
  }
  try {
    HexWriteOptions write;
    write.confirm = [](std::string_view) { return true; };
    buildHexText(db, write);
  } catch (const DorvakError&) {
  }
  return 0;
}
