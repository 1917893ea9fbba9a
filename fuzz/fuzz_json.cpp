// The JSON document of dorvak-cli build, and the panel image written from it.

#include <cstdint>
#include <nlohmann/json.hpp>

#include "cli/db_json.h"
#include "core/error.h"
#include "core/hex_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  nlohmann::json document = nlohmann::json::parse(data, data + size, nullptr, false);
  if (document.is_discarded()) return 0;
  try {
    PanelDatabase db = databaseFromJson(document);
    databaseToJson(db).dump();
    HexWriteOptions yes;
    yes.confirm = [](std::string_view) { return true; };
    buildHexText(db, yes);
  } catch (const JsonFieldError&) {
  } catch (const DorvakError&) {
  }
  return 0;
}
