#pragma once
// A standard font file (PCF, PCF.gz, BDF, OTB, TTF, OTF, ...) opened through
// FreeType, drawing monochrome glyphs at one size at a time.
//
// The file may be damaged or hostile: every size FreeType reports is checked
// before it is used, and every failure is a DorvakError naming the file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvak {

// A glyph as the source font draws it, trimmed to its lit dots.
struct SourceGlyph {
  int advance = 0;  // pen advance in dots
  int top = 0;      // rows from the baseline up to the top edge of the topmost lit row
  int width = 0;    // lit columns; 0 when no dot is lit
  int rows = 0;     // lit rows, from the topmost to the lowest
  std::vector<std::uint8_t> dots;  // rows x width, row by row, 1 = lit

  bool inked() const { return width > 0; }
  // Rows from the baseline up to the bottom edge of the lowest lit row (negative below the baseline).
  int bottom() const { return top - rows; }
  bool dot(int column, int row) const {
    return dots[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column)] != 0;
  }
};

// The largest font file we read, and the largest glyph bitmap we accept from
// FreeType before trimming (far beyond any panel glyph).
inline constexpr std::size_t kMaxFontSourceSize = 64u << 20;
inline constexpr int kMaxSourceBitmap = 1024;

class FontFace {
 public:
  // Throws DorvakError when the file cannot be read, is no font FreeType
  // knows, or has no Unicode character map.
  explicit FontFace(const std::string& path);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const std::string& path() const;
  // Scalable outlines (TTF, OTF) rather than bitmap strikes (PCF, BDF, OTB).
  bool isOutline() const;
  // Line heights (ascent + descent) of the bitmap strikes, in dots.
  std::vector<int> strikeHeights() const;
  // Bitmap fonts: draws from now on with the strike of this line height and
  // returns its ascent in rows. Throws when there is no such strike.
  int selectStrike(int height);
  // Outline fonts: draws from now on at this many pixels per em.
  void setPixelsPerEm(int ppem);
  // The design ascent and descent (positive) in units of the em, for a first guess of the size.
  double ascentPerEm() const;
  double descentPerEm() const;

  bool hasCharacter(char32_t character) const;
  // The glyph at the current size; nothing when the font lacks the character.
  std::optional<SourceGlyph> draw(char32_t character);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// "U+010C"
std::string codePointName(char32_t character);

}  // namespace dorvak
