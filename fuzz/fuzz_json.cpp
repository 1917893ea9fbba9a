// The JSON document of dorvak-cli build, counted and parsed as build does,
// and the panel image written from it.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "cli/db_json.h"
#include "core/error.h"
#include "core/hex_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  try {
    nlohmann::json document = parseDatabaseJson(std::string_view(reinterpret_cast<const char*>(data), size));
    PanelDatabase db = databaseFromJson(document);
    databaseToJson(db).dump();
    HexWriteOptions yes;
    yes.confirm = [](std::string_view) { return true; };
    buildHexText(db, yes);
  } catch (const nlohmann::json::exception&) {
  } catch (const JsonFieldError&) {
  } catch (const DorvakError&) {
  }
  return 0;
}
