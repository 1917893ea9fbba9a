#pragma once
// The data base as one JSON document ("dorvak-db 1"), for dorvak-cli dump and
// build. Field names are a contract with other tools: see the README.

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "core/panel_database.h"

namespace dorvak {

inline constexpr const char* kJsonFormat = "dorvak-db 1";

// A document that is not a valid data base; the message names the field.
class JsonFieldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

nlohmann::ordered_json databaseToJson(const PanelDatabase& db);

// A data base as New leaves it, filled from the document. Throws
// JsonFieldError.
PanelDatabase databaseFromJson(const nlohmann::json& document);

std::string toHex(std::string_view bytes);

}  // namespace dorvak
