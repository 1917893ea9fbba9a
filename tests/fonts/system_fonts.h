#pragma once
// The fonts of Debian font packages that the tests import (scripts/install-deps
// installs them), and FreeType read directly as a second path to their glyphs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fonts/bdf_font.h"

namespace dorvak::test {

inline const std::string kMiscFixedFolder = "/usr/share/fonts/X11/misc/";              // xfonts-base
inline const std::string kTerminusBold = "/usr/share/fonts/opentype/terminus/terminus-bold.otb";  // fonts-terminus-otb
inline const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";         // fonts-dejavu-core
inline const std::string kDejaVuSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Fails (never skips) when a font package is missing, so that a machine
// without them cannot pass by testing less.
inline ::testing::AssertionResult installed(const std::string& path) {
  if (std::filesystem::exists(path)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << path << " is missing: run scripts/install-deps";
}

// The glyph of a character as FreeType draws it, monochrome, with the
// strike of that height (bitmap fonts) or at ppem pixels per em (outline
// fonts); the rows of the whole bitmap FreeType returns, untrimmed. Nothing
// when the font lacks the character.
struct DirectFont {
  std::string path;
  int strikeHeight = 0;  // bitmap fonts
  int ppem = 0;          // outline fonts
};
bool drawDirectly(const DirectFont& font, char32_t character, BdfGlyph& glyph, int* ascent = nullptr);

// pcf2bdf's BDF text of a PCF font.
std::string pcfAsBdf(const std::string& pcfPath);

}  // namespace dorvak::test
