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

namespace dorvak {
namespace {

TEST(PanelCodesAndKeys, DefaultsWhenNothingMatches) {
  const KeyTable& keys = DefaultKeyTable;
  EXPECT_EQ(PanelCodeToKey('A', keys), 'A');
  EXPECT_EQ(PanelCodeToKey(128, keys), 0xC8);
  EXPECT_EQ(PanelCodeToKey(200, keys), '@') << "no key above 127 shows the at sign";
  EXPECT_EQ(PanelCodeToKey(64, keys), 64) << "below 128 the code itself";
  EXPECT_EQ(KeyToPanelCode('@', keys), 64) << "the at sign has no key: itself";
  EXPECT_EQ(KeyToPanelCode(0xC8, keys), 128);
  EXPECT_EQ(KeyToPanelCode(0x80, keys), 32) << "euro sign: no code, a space";
  KeyTable twice = DefaultKeyTable;
  twice[250] = 'A';
  EXPECT_EQ(KeyToPanelCode('A', twice), 'A') << "the first code wins";
  twice['A'] = 0;
  EXPECT_EQ(KeyToPanelCode('A', twice), 250);
}

TEST(PanelCodesAndKeys, TextTranslationAgreesWithTheSingleCharacterOne) {
  KeyTable keys = DefaultKeyTable;
  keys[250] = 0xA7;
  keys[251] = 0xA7;
  std::string all;
  for (int k = 0; k < 256; ++k) all += static_cast<char>(k);
  std::string translated = all;
  KeysToPanelCodes(translated, keys);
  for (int k = 0; k < 256; ++k)
    EXPECT_EQ(static_cast<std::uint8_t>(translated[static_cast<std::size_t>(k)]),
              KeyToPanelCode(static_cast<std::uint8_t>(k), keys))
        << k;
  EXPECT_EQ(static_cast<std::uint8_t>(translated[0xA7]), 250);
}

TEST(Kt700, DefaultTableAndWidths) {
  const Kt700Table& table = defaultKt700Table();
  EXPECT_EQ(Kt700ToKey(128, table), 0xC8);
  EXPECT_EQ(KeyToKt700(0xC8, table), 128);
  EXPECT_EQ(KeyToKt700('A', table), 'A');
  EXPECT_EQ(KeyToKt700(0x80, table), 'd') << "held by no entry";
  const Kt700Widths& widths = builtinKt700Widths();
  EXPECT_EQ(widths[31], 0);
  EXPECT_EQ(widths[32], 4);
  EXPECT_EQ(widths[47], 7);
  EXPECT_EQ(widths['W'], 7);
  EXPECT_EQ(widths['i'], 2);
  EXPECT_EQ(widths[127], 0);
  EXPECT_EQ(widths[165], 7);
  EXPECT_EQ(widths[170], 4);
  EXPECT_EQ(widths[171], 0);
}

TEST(Kamenicky, BuiltInTable) {
  EXPECT_EQ(KamenickyToKey('x'), 'x');
  for (int c = 128; c <= 169; ++c) EXPECT_EQ(KamenickyToKey(static_cast<std::uint8_t>(c)), DefaultKeyTable[c]) << c;
  EXPECT_EQ(KamenickyToKey(170), 0xE0);
  EXPECT_EQ(KamenickyToKey(171), 0xC0);
  EXPECT_EQ(KamenickyToKey(172), 0xA0);
  EXPECT_EQ(KamenickyToKey(173), 0xA7);
  EXPECT_EQ(KamenickyToKey(174), 0xAB);
  EXPECT_EQ(KamenickyToKey(175), 0xBB);
  EXPECT_EQ(KamenickyToKey(0xC4), 0x97);
  EXPECT_EQ(KamenickyToKey(0xE6), 0xB5);
  EXPECT_EQ(KamenickyToKey(0xF6), 0xF7);
  EXPECT_EQ(KamenickyToKey(0xF9), 0xFF);
  EXPECT_EQ(KamenickyToKey(0xFF), 0xA0);
}

}  // namespace
}  // namespace dorvak
