#include "fonts/font_file.h"

#include <algorithm>
#include <filesystem>

#include "core/error.h"
#include "core/hex_reader.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

bool isPanelDatabase(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".hex";
}

void appendGlyph(std::string& out, const GlyphRecord& g) {
  out += static_cast<char>(g.byteCount);
  out += static_cast<char>(g.height);
  out.append(reinterpret_cast<const char*>(g.bitmap.data()), g.byteCount);
}

// Reads bytes one at a time; running out is the file layer's end-of-file error.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  bool atEnd() const { return pos_ >= bytes_.size(); }
  std::size_t position() const { return pos_; }
  std::uint8_t next() {
    if (atEnd()) throw DorvakError(std::string(msg::ReadBeyondEnd));
    return static_cast<std::uint8_t>(bytes_[pos_++]);
  }
  GlyphRecord glyph(std::uint8_t byteCount) {
    GlyphRecord g;
    g.byteCount = byteCount;
    g.height = next();
    for (int i = 0; i < byteCount; ++i) g.bitmap[static_cast<std::size_t>(i)] = next();
    return g;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<std::string> formatFontFile(const FontTable& fonts, const KeyTable& keys, FontFileLayout layout,
                                          const FontFileOptions& options) {
  std::string out;
  if (layout == FontFileLayout::S) {
    bool has255 = false;
    for (int font = 0; font < kFontCount; ++font) has255 = has255 || fonts.glyph(font, 255).exists();
    if (has255 && !(options.confirm && options.confirm(std::string(msg::Code255Question) + "\n" +
                                                       std::string(msg::Continue))))
      return std::nullopt;
    for (int code = 32; code < 255; ++code)
      for (int font = 0; font < kFontCount; ++font) {
        const GlyphRecord& g = fonts.glyph(font, code);
        if (!g.exists()) continue;
        out += static_cast<char>(code);
        out += static_cast<char>(kFontCodeBase | font);
        appendGlyph(out, g);
      }
    return out;
  }
  for (int font = 0; font < kFontCount; ++font) {
    if (!fonts.fontHasGlyphs(font)) continue;
    std::string block;
    int lastCode = 0;
    for (int code = 32; code < kCodeCount; ++code) {
      const GlyphRecord& g = fonts.glyph(font, code);
      if (!g.exists()) continue;
      block += static_cast<char>(code);
      appendGlyph(block, g);
      lastCode = code;
    }
    if (lastCode != 255) block += std::string("\xFF\x00", 2);
    out += static_cast<char>(kFontCodeBase | font);
    out += static_cast<char>(block.size() >> 8);
    out += static_cast<char>(block.size() & 0xFF);
    out += block;
  }
  if (out.empty()) return out;
  out += std::string("\xFF\x00", 2);
  for (int code = 33; code <= 175; ++code) out += static_cast<char>(keys[static_cast<std::size_t>(code)]);
  for (int code = 240; code <= 255; ++code) out += static_cast<char>(keys[static_cast<std::size_t>(code)]);
  return out;
}

FontSaveResult writeFontFile(const PanelDatabase& db, const std::string& path, FontFileLayout layout,
                             const FontFileOptions& options) {
  auto bytes = formatFontFile(db.fonts, db.keyTable, layout, options);
  if (!bytes) return FontSaveResult::Declined;
  writeFileSafely(path, *bytes);
  return FontSaveResult::Written;
}

void readFontBytes(std::string_view bytes, FontTable& fonts, KeyTable* keys, const FontFileOptions& options) {
  if (options.progressCaption) options.progressCaption("Fonts input");
  const std::size_t stepSize = bytes.size() / 64 + 1;
  int shown = -1;
  ByteReader in(bytes);
  auto progress = [&] {
    int step = static_cast<int>(std::min<std::size_t>(in.position() / stepSize, 64));
    if (options.progress && step != shown) options.progress(shown = step);
  };
  if (bytes.empty()) return;

  if ((static_cast<std::uint8_t>(bytes[0]) & 0xF0) != kFontCodeBase) {
    while (!in.atEnd()) {
      std::uint8_t code = in.next();
      if (code == 0xFF) return;
      int font = in.next() & 0x0F;
      std::uint8_t count = in.next();
      fonts.glyph(font, code) = in.glyph(count);
      progress();
    }
    return;
  }

  while (!in.atEnd()) {
    std::uint8_t head = in.next();
    if (head == 0xFF) break;
    int font = head & 0x0F;
    std::size_t length = static_cast<std::size_t>(in.next()) << 8;
    length |= in.next();
    const std::size_t start = in.position();
    while (in.position() - start < length) {
      std::uint8_t code = in.next();
      std::uint8_t count = in.next();
      if (count != 0) fonts.glyph(font, code) = in.glyph(count);
      progress();
      if (code == 255) break;
    }
  }
  if (in.atEnd() || in.next() != 0 || !keys) return;
  for (int code = 33; code <= 175 && !in.atEnd(); ++code) (*keys)[static_cast<std::size_t>(code)] = in.next();
  for (int code = 240; code <= 255 && !in.atEnd(); ++code) (*keys)[static_cast<std::size_t>(code)] = in.next();
  progress();
}

void readFontsInto(PanelDatabase& db, const std::string& path, const FontFileOptions& options) {
  const bool panelDatabase = isPanelDatabase(path);
  // Read before clearing: a file that cannot be read leaves the fonts alone.
  std::string bytes = readWholeFile(path, panelDatabase ? kMaxHexFileSize : kMaxFontFileSize);
  db.clearFonts(true);
  try {
    if (panelDatabase) {
      if (options.progressCaption) options.progressCaption("Fonts input");
      HexReadOptions read;
      read.progress = options.progress;
      readHexText(db, bytes, path, TableSelector::Fonts, false, read);
    } else {
      readFontBytes(bytes, db.fonts, &db.keyTable, options);
    }
  } catch (...) {
    db.specialGlyph = findSpecialGlyph(db.fonts);  // the glyphs read before the error stay
    throw;
  }
  db.specialGlyph = findSpecialGlyph(db.fonts);
}

void readSourceFonts(const std::string& path, FontTable& fonts) {
  if (!isPanelDatabase(path)) {
    readFontBytes(readWholeFile(path, kMaxFontFileSize), fonts, nullptr);
    return;
  }
  PanelDatabase scratch;
  try {
    readHexFile(scratch, path, TableSelector::Fonts, false);
  } catch (...) {
    fonts = std::move(scratch.fonts);
    throw;
  }
  fonts = std::move(scratch.fonts);
}

}  // namespace dorvak
