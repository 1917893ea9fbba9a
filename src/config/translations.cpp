#include "config/translations.h"

namespace dorvak {

namespace {

Kt700Widths makeBuiltinKt700Widths() {
  static constexpr std::uint8_t widths[] = {
      4, 2, 5, 7, 6, 7, 7, 3, 3, 3, 8, 6, 3, 4, 2, 7,  // 32..47
      6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 2, 3, 5, 4, 5, 6,  // 48..63
      6, 6, 6, 6, 6, 6, 6, 6, 6, 2, 6, 6, 5, 7, 7, 6,  // 64..79
      6, 6, 6, 6, 6, 6, 7, 7, 7, 6, 6, 4, 7, 4, 5, 6,  // 80..95
      3, 5, 5, 5, 5, 5, 4, 5, 5, 2, 3, 5, 3, 8, 5, 5,  // 96..111
      5, 5, 4, 5, 4, 5, 5, 7, 6, 5, 5, 4, 2, 4, 7, 0,  // 112..127
      6, 5, 5, 5, 5, 6, 6, 5, 5, 6, 5, 4, 4, 4, 6, 6,  // 128..143
      6, 5, 6, 5, 5, 6, 5, 6, 5, 6, 6, 6, 5, 6, 6, 5,  // 144..159
      5, 3, 5, 5, 5, 7, 6, 6, 5, 5, 4,                 // 160..170
  };
  Kt700Widths table{};
  for (std::size_t i = 0; i < std::size(widths); ++i) table[32 + i] = widths[i];
  return table;
}

std::array<std::uint8_t, 128> makeKamenickyTable() {
  std::array<std::uint8_t, 128> table;
  table.fill(0xA0);  // no-break space
  for (int code = 128; code <= 169; ++code) table[code - 128] = DefaultKeyTable[code];
  table[170 - 128] = 0xE0;   // r with acute
  table[171 - 128] = 0xC0;   // R with acute
  table[173 - 128] = 0xA7;   // section sign
  table[174 - 128] = 0xAB;   // left guillemet
  table[175 - 128] = 0xBB;   // right guillemet
  table[0xC4 - 128] = 0x97;  // em dash
  table[0xE6 - 128] = 0xB5;  // micro sign
  table[0xF6 - 128] = 0xF7;  // division sign
  table[0xF9 - 128] = 0xFF;  // dot above
  return table;
}

}  // namespace

const Kt700Table& defaultKt700Table() { return DefaultKeyTable; }

const Kt700Widths& builtinKt700Widths() {
  static const Kt700Widths table = makeBuiltinKt700Widths();
  return table;
}

std::uint8_t PanelCodeToKey(std::uint8_t code, const KeyTable& keys) {
  if (keys[code] != 0) return keys[code];
  return code < 128 ? code : kAtSign;
}

KeyToPanelCodes::KeyToPanelCodes(const KeyTable& keys) {
  for (int k = 0; k < 256; ++k) codes_[static_cast<std::size_t>(k)] = k < 128 ? static_cast<std::uint8_t>(k) : 32;
  std::array<bool, 256> found{};
  for (int code = 32; code < 256; ++code) {
    std::uint8_t key = keys[static_cast<std::size_t>(code)];
    if (!found[key]) {
      found[key] = true;
      codes_[key] = static_cast<std::uint8_t>(code);
    }
  }
}

std::uint8_t KeyToPanelCode(std::uint8_t key, const KeyTable& keys) {
  for (int code = 32; code < 256; ++code)
    if (keys[static_cast<std::size_t>(code)] == key) return static_cast<std::uint8_t>(code);
  return key < 128 ? key : 32;
}

void KeysToPanelCodes(std::string& text, const KeyTable& keys) {
  KeyToPanelCodes translate(keys);
  for (char& c : text) c = static_cast<char>(translate(static_cast<std::uint8_t>(c)));
}

std::uint8_t Kt700ToKey(std::uint8_t code, const Kt700Table& table) { return table[code]; }

std::uint8_t KeyToKt700(std::uint8_t key, const Kt700Table& table) {
  for (int code = 0; code < 256; ++code)
    if (table[static_cast<std::size_t>(code)] == key) return static_cast<std::uint8_t>(code);
  return kNoMatchCode;
}

std::uint8_t KamenickyToKey(std::uint8_t code) {
  static const auto table = makeKamenickyTable();
  return code < 128 ? code : table[code - 128];
}

}  // namespace dorvak
