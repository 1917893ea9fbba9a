#pragma once
// The data base as one JSON document ("dorvak-db 1"), for dorvak-cli dump and
// build. Field names are a contract with other tools: see the README.

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/panel_database.h"

namespace dorvak {

inline constexpr const char* kJsonFormat = "dorvak-db 1";

// A document that is not a valid data base; the message names the field.
class JsonFieldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

nlohmann::ordered_json databaseToJson(const PanelDatabase& db);

// A data base of every glyph and every possible line, destination and stop
// holds about 180,000 values and member names, and no level deeper than 6.
inline constexpr std::size_t kMaxJsonValues = 400000;
inline constexpr std::size_t kMaxJsonDepth = 16;

// Parses a document as dorvak-cli build reads it. A document is first only
// counted: one with more values and member names than kMaxJsonValues, or
// nesting deeper than kMaxJsonDepth, throws JsonFieldError before it is built
// in memory, where it would take tens of times its size. A malformed document
// throws nlohmann::json::parse_error.
nlohmann::json parseDatabaseJson(std::string_view text);

// A data base as New leaves it, filled from the document. Throws
// JsonFieldError.
PanelDatabase databaseFromJson(const nlohmann::json& document);

std::string toHex(std::string_view bytes);

}  // namespace dorvak
