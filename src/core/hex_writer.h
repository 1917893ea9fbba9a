#pragma once
// Writing the panel data base as the panel image in Intel HEX.
//
// Behind the header come, each only when present: the format strings (name,
// then table), the code table (name, then 128 bytes), the FNT tag and glyph
// table with the key table, and the LIN, CIL and DRU tags and tables. Every
// block starts at a multiple of 32; the header points at the tables.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/kt500.h"
#include "core/panel_database.h"

namespace dorvak {

struct HexWriteOptions {
  // 0 none, 1 KT500, 2 KT700: with ekvivalents on, the ekvivalent after the
  // last CR of a destination text is not written into the panel.
  std::uint8_t ekvivalentMode = 0;
  // Translates the data version; the built-in table when null.
  const Kt500Table* kt500Table = nullptr;
  // Yes/No question asked before anything is written; no answer means No.
  std::function<bool(std::string_view question)> confirm;
};

// The whole file as text, or nothing when the user declined the question.
// Throws DorvakError with the user's message on every failure.
std::optional<std::string> buildHexText(const PanelDatabase& db, const HexWriteOptions& options = {});

enum class SaveResult { Written, Declined };

// Builds the text and replaces the file only when all of it was written.
SaveResult writeHexFile(const PanelDatabase& db, const std::string& path, const HexWriteOptions& options = {});

// The program version text in tags and generated names.
inline constexpr std::string_view kVersionText = "0.12";

}  // namespace dorvak
