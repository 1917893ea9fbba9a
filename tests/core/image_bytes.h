#pragma once
// The bytes of a written HEX text laid out by address, for checking layouts.

#include <cstdint>
#include <string>
#include <vector>

#include "core/intel_hex.h"

namespace dorvak::test {

struct ImageBytes {
  std::vector<int> bytes = std::vector<int>(kImageSize, -1);  // -1: no record covers it

  explicit ImageBytes(const std::string& text) {
    ParsedHex hex = parseHexRecords(text);
    for (const HexRecordSpan& r : hex.records)
      for (std::uint32_t i = 0; i < r.size; ++i) bytes[r.address + i] = hex.data[r.offset + i];
  }
  int operator[](std::uint32_t address) const { return bytes[address]; }
  int word(std::uint32_t address) const { return bytes[address] << 8 | bytes[address + 1]; }
  std::string text(std::uint32_t address, std::size_t n) const {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(bytes[address + i]);
    return s;
  }
};

}  // namespace dorvak::test
