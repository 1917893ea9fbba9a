// The notation parser and the operations on stored texts, on any bytes.

#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "text/autoformat_choice.h"
#include "text/compose.h"
#include "text/notation.h"
#include "text/stored_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  static const PanelDatabase db = fuzz::sampleDatabase();
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ParsedMnemo parsed = mnemoToText(bytes, db.keyTable, 224);
  textToMnemo(parsed.text, db.keyTable);
  textToMnemo(bytes, db.keyTable);
  plainText(bytes, db.keyTable);
  ProgramOptions kt700;
  kt700.ekvivalentMode = EkvivalentMode::Kt700;
  deriveEkvivalent(bytes, db.keyTable, kt700);
  deriveStopEkvivalent(bytes, db.keyTable);
  rowPixelWidth(bytes, db.fonts, size % 16, static_cast<int>(size % 5), 1);
  ComposeGeometry room = ComposeGeometry::of(db.config, TextKind::Destination);
  auto half = bytes.substr(0, size / 2);
  composeDestination(db, room, half, bytes.substr(size / 2));
  composeLine(db, room, half, bytes.substr(size / 2));
  composeStop(db, room, half, bytes.substr(size / 2));
  return 0;
}
