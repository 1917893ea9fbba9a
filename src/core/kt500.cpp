#include "core/kt500.h"

namespace dorvak {

namespace {

Kt500Table makeBuiltinKt500Table() {
  Kt500Table table;
  table.fill(kNoMatchCode);
  for (int code = 128; code <= 169; ++code) table[DefaultKeyTable[code] - 128] = static_cast<std::uint8_t>(code);
  table[0xA7 - 128] = 0xAD;  // section sign
  table[0xB5 - 128] = 0xE6;  // micro sign
  table[0xC0 - 128] = 0xAB;  // R with acute
  table[0xDF - 128] = 0xE1;  // sharp s
  table[0xE0 - 128] = 0xAA;  // r with acute
  table[0xFF - 128] = 0xF9;  // dot above
  return table;
}

}  // namespace

const Kt500Table& builtinKt500Table() {
  static const Kt500Table table = makeBuiltinKt500Table();
  return table;
}

std::uint8_t KeyToKt500(std::uint8_t key, const Kt500Table& table) { return key < 128 ? key : table[key - 128]; }

std::uint8_t Kt500ToKey(std::uint8_t code, const Kt500Table& table) {
  if (code < 128) return code;
  for (int i = 0; i < 128; ++i)
    if (table[static_cast<std::size_t>(i)] == code) return static_cast<std::uint8_t>(128 + i);
  return kNoMatchCode;
}

}  // namespace dorvak
