#pragma once
// The KT500 on-board unit's character codes, which the panel image uses for
// its data version: the image reader and writer translate through them.

#include <array>
#include <cstdint>

#include "core/glyph.h"

namespace dorvak {

// Entry i: the KT500 code of the Windows-1250 character 128 + i.
using Kt500Table = std::array<std::uint8_t, 128>;

inline constexpr std::uint8_t kNoMatchCode = 0x64;  // "d"

// The Czech letters of the default key table map to their panel codes
// 128..169, a few signs to their KT500 codes, the rest to "d".
const Kt500Table& builtinKt500Table();

std::uint8_t KeyToKt500(std::uint8_t key, const Kt500Table& table);
// c itself below 128, else the first character 128..255 whose entry is c;
// "d" when none is.
std::uint8_t Kt500ToKey(std::uint8_t code, const Kt500Table& table);

}  // namespace dorvak
