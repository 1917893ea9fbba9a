#pragma once
// One-byte translations between Windows-1250 keyboard characters and the
// codes of the KT500 on-board unit. None fails: a character without a match
// gives a fixed result.

#include <array>
#include <cstdint>

namespace dorvak {

// Entry i: the KT500 code of the Windows-1250 character 128 + i.
using Kt500Table = std::array<std::uint8_t, 128>;

// The built-in table: the Czech letters of the default key table map to their
// panel codes 128..169, a few signs to their KT500 codes, the rest to "d".
const Kt500Table& builtinKt500Table();

// k itself below 128, else the table entry of k.
std::uint8_t KeyToKt500(std::uint8_t key, const Kt500Table& table);
// c itself below 128, else the first character 128..255 whose entry is c;
// "d" when none is.
std::uint8_t Kt500ToKey(std::uint8_t code, const Kt500Table& table);

}  // namespace dorvak
