#include "fonts/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/error.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

// Positions and advances beyond this many dots can only come from a damaged file.
constexpr long kMaxPosition = 1L << 16;

// 26.6 fixed point to whole dots, rounded.
long roundedDots(FT_Pos value) { return value >= 0 ? (value + 32) / 64 : -((-value + 32) / 64); }

}  // namespace

std::string codePointName(char32_t character) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
  return name;
}

struct FontFace::State {
  std::string path;
  std::string bytes;  // FreeType reads the face from here for as long as it lives
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  bool outline = false;

  State() = default;
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  [[noreturn]] void fail(const std::string& what) const { throw DorvakError("Font file " + path + " " + what); }
  [[noreturn]] void failGlyph(char32_t character, const std::string& what) const {
    fail("cannot be used: its glyph of " + codePointName(character) + " " + what);
  }
};

FontFace::FontFace(const std::string& path) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.path = path;
  s.bytes = readWholeFile(path, kMaxFontSourceSize);
  if (s.bytes.empty()) s.fail("is empty");
  if (FT_Init_FreeType(&s.library) != 0) throw DorvakError("The font library FreeType cannot be started");
  // FreeType reads PCF files compressed with gzip by itself, from memory too.
  if (FT_New_Memory_Face(s.library, reinterpret_cast<const FT_Byte*>(s.bytes.data()),
                         static_cast<FT_Long>(s.bytes.size()), 0, &s.face) != 0) {
    s.face = nullptr;
    s.fail("cannot be read: it is not a font, or it is damaged");
  }
  // Keys are Windows-1250 characters, which we look up as Unicode.
  if (FT_Select_Charmap(s.face, FT_ENCODING_UNICODE) != 0) s.fail("has no Unicode character map");
  s.outline = FT_IS_SCALABLE(s.face);
  if (s.outline && s.face->units_per_EM == 0) s.fail("cannot be read: its em size is 0");
  if (!s.outline && s.face->num_fixed_sizes <= 0) s.fail("has neither outlines nor bitmap strikes");
}

FontFace::~FontFace() = default;

const std::string& FontFace::path() const { return state_->path; }

bool FontFace::isOutline() const { return state_->outline; }

std::vector<int> FontFace::strikeHeights() const {
  std::vector<int> heights;
  const FT_Face face = state_->face;
  if (!face->available_sizes) return heights;
  for (int i = 0; i < face->num_fixed_sizes; ++i)
    if (face->available_sizes[i].height > 0) heights.push_back(face->available_sizes[i].height);
  return heights;
}

int FontFace::selectStrike(int height) {
  State& s = *state_;
  int found = -1;
  if (s.face->available_sizes)
    for (int i = 0; i < s.face->num_fixed_sizes && found < 0; ++i)
      if (s.face->available_sizes[i].height == height) found = i;
  if (found < 0) {
    std::string heights;
    for (int h : strikeHeights()) heights += (heights.empty() ? "" : ", ") + std::to_string(h);
    s.fail("has no strike " + std::to_string(height) + " dots high" +
           (heights.empty() ? std::string() : "; its strikes are " + heights + " dots high"));
  }
  if (FT_Select_Size(s.face, found) != 0) s.fail("cannot be read: its strike " + std::to_string(height) + " dots high is damaged");
  long ascent = roundedDots(s.face->size->metrics.ascender);
  if (ascent < 0 || ascent > height)
    s.fail("cannot be read: its strike " + std::to_string(height) + " dots high has an ascent of " +
           std::to_string(ascent) + " rows");
  return static_cast<int>(ascent);
}

void FontFace::setPixelsPerEm(int ppem) {
  State& s = *state_;
  if (FT_Set_Pixel_Sizes(s.face, 0, static_cast<FT_UInt>(ppem)) != 0)
    s.fail("cannot be drawn at " + std::to_string(ppem) + " pixels per em");
}

double FontFace::ascentPerEm() const {
  return static_cast<double>(state_->face->ascender) / state_->face->units_per_EM;
}

double FontFace::descentPerEm() const {
  return -static_cast<double>(state_->face->descender) / state_->face->units_per_EM;
}

bool FontFace::hasCharacter(char32_t character) const { return FT_Get_Char_Index(state_->face, character) != 0; }

std::optional<SourceGlyph> FontFace::draw(char32_t character) {
  State& s = *state_;
  FT_UInt index = FT_Get_Char_Index(s.face, character);
  if (index == 0) return std::nullopt;

  FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
  if (s.outline) flags |= FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(s.face, index, flags) != 0) s.failGlyph(character, "cannot be drawn");
  const FT_GlyphSlot slot = s.face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP) s.failGlyph(character, "cannot be drawn");

  const FT_Bitmap& bitmap = slot->bitmap;
  const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) s.failGlyph(character, "is in colour");
  if (bitmap.rows > static_cast<unsigned>(kMaxSourceBitmap) || bitmap.width > static_cast<unsigned>(kMaxSourceBitmap))
    s.failGlyph(character, "is " + std::to_string(bitmap.width) + " x " + std::to_string(bitmap.rows) +
                               " dots, far beyond any panel glyph");
  const int rows = static_cast<int>(bitmap.rows);
  const int width = static_cast<int>(bitmap.width);
  const long pitch = bitmap.pitch;
  const long rowBytes = mono ? (width + 7) / 8 : width;
  if (rows > 0 && width > 0 && (bitmap.buffer == nullptr || std::labs(pitch) < rowBytes))
    s.failGlyph(character, "has a damaged bitmap");
  if (slot->advance.x < 0 || slot->advance.x > kMaxPosition * 64 || std::labs(slot->bitmap_top) > kMaxPosition)
    s.failGlyph(character, "has damaged metrics");

  // A negative pitch means the rows are stored bottom up.
  const unsigned char* top = pitch >= 0 ? bitmap.buffer : bitmap.buffer + static_cast<long>(rows - 1) * -pitch;
  const unsigned grayLimit = bitmap.num_grays > 1 ? bitmap.num_grays / 2u : 128u;
  auto lit = [&](int column, int row) {
    const unsigned char* line = top + static_cast<long>(row) * pitch;
    return mono ? (line[column / 8] & (0x80u >> (column % 8))) != 0 : line[column] >= grayLimit;
  };

  int firstRow = rows, lastRow = -1, firstColumn = width, lastColumn = -1;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < width; ++c)
      if (lit(c, r)) {
        firstRow = std::min(firstRow, r);
        lastRow = std::max(lastRow, r);
        firstColumn = std::min(firstColumn, c);
        lastColumn = std::max(lastColumn, c);
      }

  SourceGlyph glyph;
  glyph.advance = static_cast<int>(roundedDots(slot->advance.x));
  if (lastRow < 0) return glyph;
  glyph.top = static_cast<int>(slot->bitmap_top) - firstRow;
  glyph.width = lastColumn - firstColumn + 1;
  glyph.rows = lastRow - firstRow + 1;
  glyph.dots.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows));
  for (int r = 0; r < glyph.rows; ++r)
    for (int c = 0; c < glyph.width; ++c)
      glyph.dots[static_cast<std::size_t>(r * glyph.width + c)] = lit(firstColumn + c, firstRow + r) ? 1 : 0;
  return glyph;
}

}  // namespace dorvak
