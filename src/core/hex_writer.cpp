#include "core/hex_writer.h"

#include <cstring>
#include <vector>

#include "core/error.h"
#include "core/image_header.h"
#include "core/intel_hex.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {
using Bytes = std::vector<std::uint8_t>;

struct Block {
  std::uint32_t address;
  Bytes bytes;
};

[[noreturn]] void fail(std::string_view message) { throw DorvakError(std::string(message)); }

// Places blocks in the image one after another, as the writer's address
// counter advances.
class ImageLayout {
 public:
  explicit ImageLayout(std::uint32_t start) : address_(start) {}

  void align() { address_ = (address_ + 31) & ~31u; }
  std::uint32_t address() const { return address_; }

  std::uint32_t place(Bytes bytes) {
    std::uint32_t start = address_;
    if (start + bytes.size() > kImageSize) fail(msg::PanelMemoryOverflow);
    address_ += static_cast<std::uint32_t>(bytes.size());
    blocks_.push_back({start, std::move(bytes)});
    return start;
  }

  // The tag block of a table, then the address where the table begins.
  std::uint32_t placeTag(std::string_view name, char kind) {
    align();
    Bytes tag(name.begin(), name.end());
    tag.push_back(':');
    tag.push_back(static_cast<std::uint8_t>(kind));
    for (char c : std::string_view("Dorvak - ")) tag.push_back(static_cast<std::uint8_t>(c));
    tag.insert(tag.end(), kVersionText.begin(), kVersionText.end());
    place(std::move(tag));
    align();
    return address_;
  }

  const std::vector<Block>& blocks() const { return blocks_; }

 private:
  std::uint32_t address_;
  std::vector<Block> blocks_;
};

void appendText(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

Bytes nameBytes(const std::string& name) {
  Bytes out;
  appendText(out, std::string_view(name).substr(0, kMaxNameLength));
  return out;
}

bool anyGlyphWithCode255(const FontTable& fonts) {
  for (int font = 0; font < kFontCount; ++font)
    if (fonts.glyph(font, 255).exists()) return true;
  return false;
}

void appendGlyphBits(Bytes& out, const GlyphRecord& g) {
  out.push_back(g.byteCount);
  out.push_back(g.height);
  appendText(out, std::string_view(reinterpret_cast<const char*>(g.bitmap.data()), g.byteCount));
}

// Glyph entries in the layout of the firmware; empty when there is no glyph.
Bytes glyphTable(const PanelDatabase& db, bool shortForm) {
  Bytes out;
  // Room for every glyph's entry, the font blocks and the key table.
  std::size_t room = kFontCount * 5 + 2 + kCodeCount;
  for (int font = 0; font < kFontCount; ++font)
    for (int code = 32; code < kCodeCount; ++code) room += db.fonts.glyph(font, code).byteCount + 4u;
  out.reserve(room);
  if (shortForm) {
    // Code by code, fonts 0..15 within a code; code 255 is never written.
    for (int code = 32; code < 255; ++code)
      for (int font = 0; font < kFontCount; ++font) {
        const GlyphRecord& g = db.fonts.glyph(font, code);
        if (!g.exists()) continue;
        out.push_back(static_cast<std::uint8_t>(code));
        out.push_back(static_cast<std::uint8_t>(kFontCodeBase | font));
        appendGlyphBits(out, g);
      }
  } else {
    // One block per font; the block size counts the closing pair 0xFF 0x00
    // even when a code 255 glyph makes the pair unnecessary.
    for (int font = 0; font < kFontCount; ++font) {
      if (!db.fonts.fontHasGlyphs(font)) continue;
      unsigned size = 2;
      int lastCode = 0;
      for (int code = 32; code < kCodeCount; ++code) {
        const GlyphRecord& g = db.fonts.glyph(font, code);
        if (g.exists()) size += g.byteCount + 3u, lastCode = code;
      }
      out.push_back(static_cast<std::uint8_t>(kFontCodeBase | font));
      out.push_back(static_cast<std::uint8_t>(size >> 8));
      out.push_back(static_cast<std::uint8_t>(size & 0xFF));
      for (int code = 32; code < kCodeCount; ++code) {
        const GlyphRecord& g = db.fonts.glyph(font, code);
        if (!g.exists()) continue;
        out.push_back(static_cast<std::uint8_t>(code));
        appendGlyphBits(out, g);
      }
      if (lastCode != 255) out.insert(out.end(), {0xFF, 0x00});
    }
  }
  if (out.empty()) return out;
  out.insert(out.end(), {0xFF, 0x00});
  for (int code = 33; code <= 175; ++code) out.push_back(db.keyTable[static_cast<std::size_t>(code)]);
  for (int code = 240; code <= 255; ++code) out.push_back(db.keyTable[static_cast<std::size_t>(code)]);
  out.push_back(0xFF);
  return out;
}

// Key characters written for each entry: the last three of the key, or all
// four.
Bytes textTable(const TextList& list, std::size_t keyChars, bool cutEkvivalent) {
  // An entry takes at most its own length (key, two length bytes, text): the
  // table is written into that much room, then cut to its size.
  std::size_t room = 1;
  for (const std::string& entry : list) room += entry.size();
  Bytes out(room);
  std::uint8_t* p = out.data();
  for (const std::string& entry : list) {
    std::string_view text = entryText(entry);
    if (text.empty()) continue;
    if (cutEkvivalent) {
      auto lastCR = text.rfind(kCR);
      if (lastCR != std::string_view::npos) text = text.substr(0, lastCR + 1);
    }
    if (text.size() > 0xFFFF) fail(msg::PanelMemoryOverflow);
    for (char c : entryKey(entry).substr(kKeyLength - keyChars)) *p++ = static_cast<std::uint8_t>(c);
    *p++ = static_cast<std::uint8_t>(text.size() & 0xFF);
    *p++ = static_cast<std::uint8_t>(text.size() >> 8);
    std::memcpy(p, text.data(), text.size());
    p += text.size();
  }
  *p++ = 0xFF;
  out.resize(static_cast<std::size_t>(p - out.data()));
  return out;
}
}  // namespace

std::optional<std::string> buildHexText(const PanelDatabase& db, const HexWriteOptions& options) {
  const PanelConfig& config = db.config;
  if (config.firmware < FirmwareVersion::V1_6 || config.firmware > FirmwareVersion::V2_15) fail(msg::FirmwareNotChosen);
  const bool shortForm = config.firmware == FirmwareVersion::V1_6;

  if (shortForm && anyGlyphWithCode255(db.fonts)) {
    std::string question = std::string(msg::Code255Question) + "\n" + std::string(msg::Continue);
    if (!options.confirm || !options.confirm(question)) return std::nullopt;
  }

  const Kt500Table& kt500 = options.kt500Table ? *options.kt500Table : builtinKt500Table();
  ImageHeader header = buildHeader(db, kt500);
  const std::size_t size = headerSize(config.firmware);
  ImageLayout image(static_cast<std::uint32_t>(size));

  // Format strings and the code table: the name, then the table 32 bytes on.
  auto placeNamed = [&](const std::string& name, Bytes table) {
    image.align();
    image.place(nameBytes(name));
    image.align();
    if (image.address() > 0xFFFF) fail(msg::TableAddressOverflow);
    return static_cast<std::uint16_t>(image.place(std::move(table)));
  };
  if (db.formatStrings.present()) {
    Bytes table;
    for (std::size_t i = 0; i < db.formatStrings.strings.size(); ++i) {
      const std::string& s = db.formatStrings.strings[i];
      if (s.empty()) continue;
      table.push_back(static_cast<std::uint8_t>('0' + i));
      table.push_back(static_cast<std::uint8_t>(std::min<std::size_t>(s.size(), 255)));
      appendText(table, std::string_view(s).substr(0, 255));
    }
    setHeaderAddress(header, hdr::FormatStrings, placeNamed(db.formatStrings.name, std::move(table)));
  }
  if (db.codeTable.present())
    setHeaderAddress(header, hdr::CodeTable,
                     placeNamed(db.codeTable.name, Bytes(db.codeTable.table.begin(), db.codeTable.table.end())));

  // Tables the header addresses with 16 bits must start in the first bank.
  auto bankZeroStart = [&](std::string_view name, char kind) {
    std::uint32_t start = image.placeTag(name, kind);
    if (start >= kBankSize) fail(msg::TableAddressOverflow);
    return static_cast<std::uint16_t>(start);
  };

  static constexpr char kPositionKinds[] = {':', ' ', '.'};
  char fntKind = config.position < 3 ? kPositionKinds[config.position] : ' ';
  std::uint16_t fnt = bankZeroStart("FNT", fntKind);
  Bytes glyphs = glyphTable(db, shortForm);
  if (glyphs.empty()) fail(msg::FontsTableEmpty);
  image.place(std::move(glyphs));
  setHeaderAddress(header, hdr::FntTable, fnt);

  if (!db.lines.empty()) {
    std::uint16_t lin = bankZeroStart("LIN", ' ');
    image.place(textTable(db.lines, 3, false));
    setHeaderAddress(header, hdr::LinTable, lin);
  }

  if (!db.destinations.empty()) {
    std::uint16_t cil = bankZeroStart("CIL", ' ');
    image.place(textTable(db.destinations, config.keyDigits(TextKind::Destination), options.ekvivalentMode != 0));
    if (config.commands.zC && !shortForm) setHeaderAddress(header, hdr::CilTable4, cil);
    if (config.commands.z) setHeaderAddress(header, hdr::CilTable3, cil);
  }

  if (!db.stops.empty()) {
    std::uint32_t dru = image.placeTag("DRU", ' ');
    bool banked = config.firmware == FirmwareVersion::V2_15;
    if (!banked && dru >= kBankSize) fail(msg::TableAddressOverflow);
    image.place(textTable(db.stops, 4, false));
    if (dru < kBankSize) setHeaderAddress(header, hdr::DruTable, static_cast<std::uint16_t>(dru));
    if (banked) {
      setHeaderAddress(header, hdr::DruTableBanked, static_cast<std::uint16_t>(dru & 0xFFFF));
      header[hdr::DruTableBanked + 2] = static_cast<std::uint8_t>(dru >> 16);
    }
  }

  std::string text;
  text.reserve(image.address() * 2 + image.address() / 32 * 13 + 64);
  HexRecordWriter writer(text);
  writer.write(0, std::span<const std::uint8_t>(header.data(), size));
  for (const Block& block : image.blocks()) writer.write(block.address, block.bytes);
  writer.writeEnd();
  return text;
}

SaveResult writeHexFile(const PanelDatabase& db, const std::string& path, const HexWriteOptions& options) {
  auto text = buildHexText(db, options);
  if (!text) return SaveResult::Declined;
  writeFileSafely(path, *text);
  return SaveResult::Written;
}

}  // namespace dorvak
