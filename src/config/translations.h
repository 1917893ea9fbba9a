#pragma once
// One-byte translations between the four character sets a text lives in:
// panel codes (the glyph codes of the fonts), Windows-1250 keyboard characters
// (keys), and the codes of the KT500 and KT700 on-board units. None fails: a
// character without a match gives a fixed result.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/glyph.h"
#include "core/kt500.h"

namespace dorvak {

// Entry c: the Windows-1250 character of the KT700 code c.
using Kt700Table = std::array<std::uint8_t, 256>;
// Entry c: the width in dots of the KT700 code c.
using Kt700Widths = std::array<std::uint8_t, 256>;

// The default key table's contents.
const Kt700Table& defaultKt700Table();
const Kt700Widths& builtinKt700Widths();

inline constexpr std::uint8_t kAtSign = 64;

// The key of a panel code: its key table entry; else the code itself below
// 128, else the at sign.
std::uint8_t PanelCodeToKey(std::uint8_t code, const KeyTable& keys);

// The first panel code 32..255 whose key is k; else k itself below 128, else
// a space. Precomputed for texts, where it runs once per character.
class KeyToPanelCodes {
 public:
  explicit KeyToPanelCodes(const KeyTable& keys);
  std::uint8_t operator()(std::uint8_t key) const { return codes_[key]; }

 private:
  std::array<std::uint8_t, 256> codes_{};
};

std::uint8_t KeyToPanelCode(std::uint8_t key, const KeyTable& keys);
// KeyToPanelCode on every character, in place.
void KeysToPanelCodes(std::string& text, const KeyTable& keys);


std::uint8_t Kt700ToKey(std::uint8_t code, const Kt700Table& table);
// The first KT700 code 0..255 whose character is k; "d" when none is.
std::uint8_t KeyToKt700(std::uint8_t key, const Kt700Table& table);

// Kamenicky code page to Windows-1250: c itself below 128, else the built-in
// table (a no-break space where Windows-1250 has no such letter).
std::uint8_t KamenickyToKey(std::uint8_t code);

}  // namespace dorvak
