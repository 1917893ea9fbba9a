#include "config/translations.h"

#include <gtest/gtest.h>

#include "core/glyph.h"

namespace dorvak {
namespace {

TEST(Kt500, BuiltInTableMapsCzechLettersToTheirPanelCodes) {
  const Kt500Table& t = builtinKt500Table();
  EXPECT_EQ(t[0xC8 - 128], 0x80);  // Č
  EXPECT_EQ(t[0xF8 - 128], 169);   // ř
  for (int code = 128; code <= 169; ++code) EXPECT_EQ(t[DefaultKeyTable[code] - 128], code);
  EXPECT_EQ(t[0xA7 - 128], 0xAD);
  EXPECT_EQ(t[0xB5 - 128], 0xE6);
  EXPECT_EQ(t[0xC0 - 128], 0xAB);
  EXPECT_EQ(t[0xDF - 128], 0xE1);
  EXPECT_EQ(t[0xE0 - 128], 0xAA);
  EXPECT_EQ(t[0xFF - 128], 0xF9);
  int others = 0;
  for (auto entry : t) others += entry == 'd';
  EXPECT_EQ(others, 128 - 42 - 6);
}

TEST(Kt500, TranslationsBothWays) {
  const Kt500Table& t = builtinKt500Table();
  EXPECT_EQ(KeyToKt500('A', t), 'A');
  EXPECT_EQ(KeyToKt500(0xC8, t), 0x80);
  EXPECT_EQ(KeyToKt500(0x80, t), 'd');
  EXPECT_EQ(Kt500ToKey('A', t), 'A');
  EXPECT_EQ(Kt500ToKey(0x80, t), 0xC8);
  EXPECT_EQ(Kt500ToKey(0xFE, t), 'd') << "held by no entry";
}

}  // namespace
}  // namespace dorvak
