// Damaged and hostile font files end in a DorvakError naming the file, never
// in a crash, a hang or another kind of failure.

#include <gtest/gtest.h>

#include <random>

#include "core/error.h"
#include "fonts/bdf_font.h"
#include "fonts/font_import.h"
#include "fonts/system_fonts.h"
#include "test_support.h"

namespace dorvak {
namespace {

class DamagedFont : public ::testing::Test {
 protected:
  // Imports at every height the file might offer; true when the file was
  // refused with a DorvakError, false when it imported.
  bool refused(const std::string& bytes) {
    std::string path = dir.file("font");
    test::writeFile(path, bytes);
    try {
      FontFace face(path);
      std::vector<int> heights = face.isOutline() ? std::vector<int>{7, 16} : face.strikeHeights();
      for (int height : heights)
        if (height >= 1 && height <= kMaxGlyphDots) importGlyphs(face, DefaultKeyTable, {.height = height});
      return false;
    } catch (const DorvakError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
      return true;
    }
  }

  // Truncations and byte changes spread over the whole file.
  void damageEverywhere(const std::string& path, int changes) {
    ASSERT_TRUE(test::installed(path));
    const std::string original = test::readFile(path);
    for (std::size_t length : {std::size_t{1}, std::size_t{16}, original.size() / 10, original.size() / 2, original.size() - 1})
      refused(original.substr(0, length));
    std::mt19937 random(12345);
    for (int i = 0; i < changes; ++i) {
      std::string damaged = original;
      std::uniform_int_distribution<std::size_t> where(0, damaged.size() - 1);
      for (int n = 0; n < 8; ++n) damaged[where(random)] = static_cast<char>(random() & 0xFF);
      refused(damaged);
    }
  }

  test::TempDir dir;
};

TEST_F(DamagedFont, FilesThatAreNoFontsAreRefused) {
  EXPECT_TRUE(refused(""));
  EXPECT_TRUE(refused("STARTFONT 2.1\n"));
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  EXPECT_TRUE(refused(noise));
  try {
    FontFace face(dir.file("absent.ttf"));
    FAIL() << "a missing file was opened";
  } catch (const DorvakError& e) {
    EXPECT_EQ(std::string(e.what()), "File " + dir.file("absent.ttf") + ": Access denied!");
  }
}

TEST_F(DamagedFont, HugeGlyphsAreRefused) {
  test::BdfFont font;
  font.ascent = 5;
  font.descent = 2;
  for (int size : {600, 1500}) {
    font.glyphs[U'A'] = {4, 0, 0, std::vector<std::string>(static_cast<std::size_t>(size), std::string(static_cast<std::size_t>(size), '#'))};
    EXPECT_TRUE(refused(test::bdfText(font))) << size;
  }
}

TEST_F(DamagedFont, DamagedBitmapAndOutlineFontsAreRefusedOrRead) {
  damageEverywhere(test::kMiscFixedFolder + "6x13.pcf.gz", 60);
  damageEverywhere(test::kTerminusBold, 60);
  damageEverywhere(test::kDejaVuSans, 40);
}

TEST_F(DamagedFont, DamagedBdfFontsAreRefusedOrRead) {
  test::BdfFont font;
  font.ascent = 5;
  font.descent = 2;
  font.glyphs[U'A'] = {4, 0, 0, {".#.", "#.#", "###", "#.#", "#.#"}};
  font.glyphs[U'g'] = {4, 0, -2, {"###", "#.#", "###", "..#", "##."}};
  std::string path = dir.file("good.bdf");
  test::writeFile(path, test::bdfText(font));
  damageEverywhere(path, 200);
}

}  // namespace
}  // namespace dorvak
