#include "config/cp1250.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace dorvak {
namespace {

// glibc's converter as the independent reference.
std::optional<std::string> iconvToUtf8(std::uint8_t byte) {
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return std::nullopt;
  return std::string(out, sizeof out - outLeft);
}

TEST(Cp1250, EveryDefinedByteAgreesWithIconv) {
  int undefined = 0;
  for (int b = 0; b < 256; ++b) {
    auto byte = static_cast<std::uint8_t>(b);
    auto reference = iconvToUtf8(byte);
    std::string ours = cp1250ToUtf8(std::string(1, static_cast<char>(byte)));
    if (reference) {
      EXPECT_EQ(ours, *reference) << "byte " << b;
    } else {
      ++undefined;  // iconv knows no character here; we keep the C1 code
      EXPECT_EQ(cp1250ToUnicode(byte), static_cast<char32_t>(b)) << b;
    }
    auto back = utf8ToCp1250(ours);
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, std::string(1, static_cast<char>(byte))) << b;
  }
  EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, TextsThatWindows1250CannotHoldOrThatAreNotUtf8) {
  EXPECT_EQ(utf8ToCp1250("Příliš žluťoučký kůň"), std::string("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"));
  EXPECT_FALSE(utf8ToCp1250("日本"));
  EXPECT_FALSE(utf8ToCp1250("\xC3"));        // cut short
  EXPECT_FALSE(utf8ToCp1250("\xC0\x80"));    // overlong
  EXPECT_FALSE(utf8ToCp1250("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(utf8ToCp1250("\x80"));
  EXPECT_EQ(utf8ToCp1250(""), "");
}

}  // namespace
}  // namespace dorvak
