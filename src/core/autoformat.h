#pragma once
// Font, spacing and shift presets that the text editors' AUTOFORMAT tries in
// order. They live only in memory; the panel image does not carry them.

#include <array>
#include <cstdint>

namespace dorvak {

struct PresetEntry {
  std::uint8_t font = 255;
  std::uint8_t spacing = 255;
  std::uint8_t shift = 0;
  bool isFree() const { return font == 255 && spacing == 255; }
  bool operator==(const PresetEntry&) const = default;
};

using PresetTable = std::array<PresetEntry, 16>;

struct AutoformatPresets {
  PresetTable oneRowPresets;
  PresetTable twoRowFirstPresets;
  PresetTable twoRowSecondPresets;
  bool operator==(const AutoformatPresets&) const = default;

  static AutoformatPresets defaults();
};

}  // namespace dorvak
