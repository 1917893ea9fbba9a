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

[[noreturn]] void formatError() { throw DorvakError(std::string(msg::FileFormatError)); }

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
  // Height and bitmap of a glyph whose byte count was read; a glyph no panel
  // could carry means the bytes are no font file.
  GlyphRecord glyph(std::uint8_t byteCount) {
    GlyphRecord g;
    g.byteCount = byteCount;
    g.height = next();
    if (g.height > kMaxFileGlyphHeight || byteCount % bytesPerColumn(g.height) != 0) formatError();
    for (int i = 0; i < byteCount; ++i) g.bitmap[static_cast<std::size_t>(i)] = next();
    return g;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::uint8_t fontOf(std::uint8_t marker) {
  if ((marker & 0xF0) != kFontCodeBase) formatError();
  return marker & 0x0F;
}

std::uint8_t glyphCode(std::uint8_t code) {
  if (isControlCode(code)) formatError();
  return code;
}

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
  if (options.progressCaption) options.progressCaption(msg::FontsInput);
  const std::size_t stepSize = bytes.size() / 64 + 1;
  int shown = -1;
  ByteReader in(bytes);
  auto progress = [&] {
    int step = static_cast<int>(std::min<std::size_t>(in.position() / stepSize, 64));
    if (options.progress && step != shown) options.progress(shown = step);
  };
  if (bytes.empty()) return;
  // Read into copies: the tables change only when the whole file was read.
  FontTable readFonts = fonts;
  KeyTable readKeys = keys ? *keys : DefaultKeyTable;

  if ((static_cast<std::uint8_t>(bytes[0]) & 0xF0) != kFontCodeBase) {
    // S: code, font, glyph, ascending by code and by font within a code, to
    // the end of the file (a 0xFF there ends it too).
    int previous = -1;
    while (!in.atEnd()) {
      std::uint8_t code = in.next();
      if (code == 0xFF && in.atEnd()) break;
      int font = fontOf(in.next());
      if (code == 0xFF || glyphCode(code) * kFontCount + font <= previous) formatError();
      previous = code * kFontCount + font;
      std::uint8_t count = in.next();
      if (count == 0) formatError();
      readFonts.glyph(font, code) = in.glyph(count);
      progress();
    }
  } else {
    // N: blocks of ascending fonts, entries of ascending codes that end at
    // the block's length or with code 255, then 0xFF 0x00 and the keys.
    int previousFont = -1;
    while (true) {
      std::uint8_t head = in.next();
      if (head == 0xFF) break;
      int font = fontOf(head);
      if (font <= previousFont) formatError();
      previousFont = font;
      std::size_t length = static_cast<std::size_t>(in.next()) << 8;
      length |= in.next();
      const std::size_t start = in.position();
      int previousCode = -1;
      bool ended = false;  // by an entry of code 255
      while (!ended && in.position() - start < length) {
        std::uint8_t code = glyphCode(in.next());
        if (code <= previousCode) formatError();
        previousCode = code;
        std::uint8_t count = in.next();
        if (count != 0) readFonts.glyph(font, code) = in.glyph(count);
        ended = code == 255;
        progress();
      }
      // The exact length, or 2 more when code 255 ended the block, as the
      // panel image counts the block end it leaves out.
      const std::size_t used = in.position() - start;
      if (used != length && !(ended && used + 2 == length)) formatError();
    }
    if (in.next() != 0x00) formatError();
    for (int code = 33; code <= 175; ++code) readKeys[static_cast<std::size_t>(code)] = in.next();
    for (int code = 240; code <= 255; ++code) readKeys[static_cast<std::size_t>(code)] = in.next();
    if (!in.atEnd()) formatError();
  }
  progress();
  fonts = std::move(readFonts);
  if (keys) *keys = readKeys;
}

void readFontsInto(PanelDatabase& db, const std::string& path, const FontFileOptions& options) {
  const bool panelDatabase = isPanelDatabase(path);
  // Read before clearing: a file that cannot be read leaves the fonts alone.
  std::string bytes = readWholeFile(path, panelDatabase ? kMaxHexFileSize : kMaxFontFileSize);
  // Read into a scratch data base: the fonts change only when the whole file was read.
  PanelDatabase scratch;
  scratch.clearFonts(true);
  if (panelDatabase) {
    if (options.progressCaption) options.progressCaption(msg::FontsInput);
    HexReadOptions read;
    read.progress = options.progress;
    read.notice = options.notice;
    readHexText(scratch, bytes, path, TableSelector::Fonts, false, read);
  } else {
    readFontBytes(bytes, scratch.fonts, &scratch.keyTable, options);
  }
  db.fonts = std::move(scratch.fonts);
  db.keyTable = scratch.keyTable;
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
