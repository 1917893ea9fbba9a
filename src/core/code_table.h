#pragma once
// The data base's optional code table and format strings. An empty name means
// the data base has none.

#include <array>
#include <cstdint>
#include <string>

namespace dorvak {

inline constexpr std::size_t kMaxNameLength = 32;

struct CodeTable {
  std::string name;  // Windows-1250, at most 32 characters
  // Entry i: the panel code shown for the IBIS text code 128 + i.
  std::array<std::uint8_t, 128> table{};
  bool present() const { return !name.empty(); }
  bool operator==(const CodeTable&) const = default;
};

struct FormatStrings {
  std::string name;                    // Windows-1250, at most 32 characters
  std::array<std::string, 10> strings; // each at most 255 bytes
  bool present() const { return !name.empty(); }
  bool operator==(const FormatStrings&) const = default;
};

}  // namespace dorvak
