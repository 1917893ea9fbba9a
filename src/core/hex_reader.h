#pragma once
// Reading a panel image file: the whole data base (Open) or one kind of table
// (the editors' Read and Add from another panel data base).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/kt500.h"
#include "core/image_header.h"
#include "core/panel_database.h"

namespace dorvak {

// Which tables a read takes.
namespace TableSelector {
inline constexpr int All = 0, Fonts = 1, Lines = 2, Destinations3 = 3, Destinations4 = 4, Stops = 5, CodeTable = 6,
                     FormatStrings = 7;
}

enum class EntryDecision { Store, Skip, Cancel };

struct HexReadOptions {
  // Asked before each text entry is stored (the editors' duplicate question);
  // Cancel ends the read at once. Stores everything when not set.
  std::function<EntryDecision(TextKind kind, std::string_view key, std::string_view text)> acceptEntry;
  // Progress steps 0..64 through the file.
  std::function<void(int step)> progress;
  // Messages shown while the read goes on ("Error in stop database" ...).
  std::function<void(const std::string& message)> notice;
  // Translates the data version back; the built-in table when null.
  const Kt500Table* kt500Table = nullptr;
};

struct HexReadResult {
  ImageHeader header{};  // in the 80-byte form
  char headerKind = 0;   // 'W', 'U' or 'V'
  std::optional<std::uint8_t> tagPosition;  // from the FNT tag
  bool cancelled = false;
  std::vector<std::string> notices;
};

// Reads the tables chosen by the selector into the data base; addMode keeps
// the entries already in a text list. Throws DorvakError with the user's
// message when the read must end; what was read before stays.
HexReadResult readHexFile(PanelDatabase& db, const std::string& path, int selector, bool addMode,
                          const HexReadOptions& options = {});

// The same on text already in memory; name stands for the file in messages.
HexReadResult readHexText(PanelDatabase& db, std::string_view text, const std::string& name, int selector,
                          bool addMode, const HexReadOptions& options = {});

// Open: the data base is refilled from the file and the header decoded into
// the configuration.
struct OpenResult {
  HeaderDecoding decoding;
  std::optional<std::uint8_t> fileKind;  // panel position named by the FNT tag
  std::vector<std::string> notices;
};

OpenResult openHexFile(PanelDatabase& db, const std::string& path, const HexReadOptions& options = {});

// The largest panel image file a read accepts.
inline constexpr std::size_t kMaxHexFileSize = 16u << 20;

}  // namespace dorvak
