#include "fonts/system_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace dorvak::test {

bool drawDirectly(const DirectFont& font, char32_t character, BdfGlyph& glyph, int* ascent) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType");
  std::unique_ptr<FT_LibraryRec_, decltype(&FT_Done_FreeType)> libraryOwner(library, FT_Done_FreeType);
  FT_Face face = nullptr;
  if (FT_New_Face(library, font.path.c_str(), 0, &face) != 0) throw std::runtime_error("cannot open " + font.path);
  std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)> faceOwner(face, FT_Done_Face);
  if (font.ppem > 0) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(font.ppem));
  } else {
    for (int i = 0; i < face->num_fixed_sizes; ++i)
      if (face->available_sizes[i].height == font.strikeHeight) FT_Select_Size(face, i);
  }
  if (ascent) *ascent = static_cast<int>(face->size->metrics.ascender / 64);
  FT_UInt index = FT_Get_Char_Index(face, character);
  if (index == 0) return false;
  FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME | (font.ppem > 0 ? FT_LOAD_NO_BITMAP : 0);
  if (FT_Load_Glyph(face, index, flags) != 0) throw std::runtime_error("cannot draw a glyph of " + font.path);
  const FT_Bitmap& b = face->glyph->bitmap;
  glyph = BdfGlyph{};
  glyph.advance = static_cast<int>((face->glyph->advance.x + 32) / 64);
  glyph.xOffset = face->glyph->bitmap_left;
  glyph.yOffset = face->glyph->bitmap_top - static_cast<int>(b.rows);
  for (unsigned r = 0; r < b.rows; ++r) {
    std::string row;
    for (unsigned c = 0; c < b.width; ++c) {
      const unsigned char* line = b.buffer + static_cast<long>(r) * b.pitch;
      row += (b.pixel_mode == FT_PIXEL_MODE_MONO ? (line[c / 8] & (0x80u >> (c % 8))) != 0 : line[c] >= 128) ? '#' : '.';
    }
    glyph.rows.push_back(row);
  }
  return true;
}

std::string pcfAsBdf(const std::string& pcfPath) {
  std::string command = "pcf2bdf '" + pcfPath + "'";
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) throw std::runtime_error("cannot run pcf2bdf");
  std::string text;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, n);
  if (text.find("ENDFONT") == std::string::npos) throw std::runtime_error("pcf2bdf gave no font for " + pcfPath + ": run scripts/install-deps");
  return text;
}

}  // namespace dorvak::test
