#include "core/hex_reader.h"

#include <algorithm>
#include <array>

#include "core/error.h"
#include "core/intel_hex.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

[[noreturn]] void fail(std::string_view message) { throw DorvakError(std::string(message)); }

// Walks the image byte by byte in file order. Running past the last record
// that could be read raises the error that stopped the lines; past the end
// record it reports the end of the image.
class ImageCursor {
 public:
  explicit ImageCursor(const ParsedHex& hex) : hex_(hex) { enter(0); }

  // The next byte and its address, without taking it.
  bool peek(std::uint8_t& byte, std::uint32_t& address) {
    if (!settle()) return false;
    byte = *cur_;
    address = curAddress_;
    return true;
  }

  bool next(std::uint8_t& byte) {
    if (cur_ == end_ && !settle()) return false;
    byte = *cur_++;
    lastAddress_ = curAddress_++;
    return true;
  }

  bool next(std::uint8_t& byte, std::uint32_t& address) {
    if (cur_ == end_ && !settle()) return false;
    address = curAddress_;
    return next(byte);
  }

  // The next byte only when it lies right after the last one taken.
  bool nextConsecutive(std::uint8_t& byte) {
    if (cur_ == end_ && !settle()) return false;
    if (curAddress_ != lastAddress_ + 1) return false;
    return next(byte);
  }

  // Skips whole records until one starts exactly at the address.
  bool seekRecordStart(std::uint32_t address) {
    std::size_t r = record_ + (atRecordStart() ? 0 : 1);
    while (r < hex_.records.size() && hex_.records[r].address != address) ++r;
    enter(r);
    if (r < hex_.records.size()) return true;
    raisePendingError();
    return false;
  }

  // The address after the last byte taken.
  std::uint32_t position() const { return lastAddress_ + 1; }

  // Everything up to the end record must be readable.
  void skipToEnd() {
    enter(hex_.records.size());
    raisePendingError();
  }

 private:
  bool atRecordStart() const {
    return record_ < hex_.records.size() && cur_ == hex_.data.data() + hex_.records[record_].offset;
  }
  void enter(std::size_t r) {
    record_ = r;
    if (r < hex_.records.size()) {
      const HexRecordSpan& span = hex_.records[r];
      cur_ = hex_.data.data() + span.offset;
      end_ = cur_ + span.size;
      curAddress_ = span.address;
    } else {
      cur_ = end_ = nullptr;
    }
  }
  // Moves to the next record with a byte left; false past the last one.
  bool settle() {
    while (cur_ == end_) {
      if (record_ >= hex_.records.size()) {
        raisePendingError();
        return false;
      }
      enter(record_ + 1);
      if (record_ >= hex_.records.size()) {
        raisePendingError();
        return false;
      }
    }
    return true;
  }
  void raisePendingError() {
    if (hex_.error) throw DorvakError(*hex_.error);
  }

  const ParsedHex& hex_;
  std::size_t record_ = 0;
  const std::uint8_t* cur_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint32_t curAddress_ = 0;
  std::uint32_t lastAddress_ = 0xFFFFFFFF;
};

enum TableKind { Fnt = 1, Lin = 2, Cil3 = 3, Cil4 = 4, Dru = 5, Codes = 6, Formats = 7 };

struct TableRef {
  int kind;
  std::uint32_t address;
};

class ImageReader {
 public:
  ImageReader(PanelDatabase& db, const ParsedHex& hex, const std::string& name, int selector, bool addMode,
              const HexReadOptions& options, HexReadResult& result)
      : db_(db), cursor_(hex), name_(name), selector_(selector), addMode_(addMode), options_(options),
        result_(result) {}

  void run() {
    readHeader();
    if (selector_ == TableSelector::All) {
      db_.codeTable.name.clear();
      db_.formatStrings.name.clear();
    }
    std::vector<TableRef> tables = tableAddresses();
    blockStarts_.clear();
    for (const TableRef& t : tables) {
      // Names are read from their own address; tags stand 32 bytes before their table.
      if (t.kind == Codes || t.kind == Formats)
        blockStarts_.push_back(t.address);
      else if (t.address >= 32)
        blockStarts_.push_back(t.address - 32);
    }

    while (!result_.cancelled) {
      // The nearest table not yet passed; of two at one address the higher kind.
      auto best = tables.end();
      for (auto it = tables.begin(); it != tables.end(); ++it) {
        if (it->address < cursor_.position()) continue;
        if (best == tables.end() || it->address < best->address ||
            (it->address == best->address && it->kind > best->kind))
          best = it;
      }
      if (best == tables.end()) break;
      TableRef table = *best;
      tables.erase(best);
      if (!cursor_.seekRecordStart(table.address)) return;
      if (selector_ != TableSelector::All && selector_ != table.kind) continue;
      readTable(table.kind);
    }
    if (!result_.cancelled) cursor_.skipToEnd();
  }

 private:
  void notice(std::string message) {
    if (options_.notice) options_.notice(message);
    result_.notices.push_back(std::move(message));
  }

  void readHeader() {
    std::uint8_t byte = 0;
    std::uint32_t address = 0;
    if (!cursor_.next(byte, address) || address != 0 || (byte != 'W' && byte != 'U' && byte != 'V'))
      fail(std::string(msg::BadVersion) + " " + name_);
    ImageHeader& h = result_.header;
    h = {};
    h[0] = byte;
    result_.headerKind = static_cast<char>(byte);
    std::size_t size = byte == 'W' ? kLongHeaderSize : kShortHeaderSize;
    for (std::size_t i = 1; i < size; ++i) {
      std::uint32_t previous = address;
      if (!cursor_.next(byte, address) || address != previous + 1) fail(formatMessage(msg::ErrorInFile, name_));
      h[i] = byte;
    }
    if (h[0] != 'W') convertShortHeader(h);
  }

  std::vector<TableRef> tableAddresses() const {
    const ImageHeader& h = result_.header;
    std::vector<TableRef> tables;
    auto add = [&](int kind, std::uint32_t address) {
      if (address != 0 && address != kNoTableShort && address != kNoTableLong) tables.push_back({kind, address});
    };
    add(Fnt, headerAddress(h, hdr::FntTable));
    add(Lin, headerAddress(h, hdr::LinTable));
    add(Cil3, headerAddress(h, hdr::CilTable3));
    add(Cil4, headerAddress(h, hdr::CilTable4));
    std::uint32_t dru = headerAddress(h, hdr::DruTable);
    const int banked = hdr::DruTableBanked;
    if (h[banked] || h[banked + 1] || h[banked + 2])
      dru = static_cast<std::uint32_t>(h[banked + 2]) * kBankSize + headerAddress(h, banked);
    add(Dru, dru);
    // The code table and format strings are read from their names, 32 bytes
    // before the table.
    std::uint16_t codes = headerAddress(h, hdr::CodeTable);
    if (codes >= 32) add(Codes, codes - 32u);
    std::uint16_t formats = headerAddress(h, hdr::FormatStrings);
    if (result_.headerKind != 'V' && formats >= 32 && formats != kNoTableLong && formats != kNoTableShort)
      add(Formats, formats - 32u);
    return tables;
  }

  void readTable(int kind) {
    switch (kind) {
      case Fnt: return readFonts();
      case Lin: return readTexts(TextKind::Line, 3, msg::ErrorInLineDatabase);
      case Cil3: return readTexts(TextKind::Destination, 3, msg::ErrorInDirectionDatabase);
      case Cil4: return readTexts(TextKind::Destination, 4, msg::ErrorInDirectionDatabase);
      case Dru: return readTexts(TextKind::Stop, 4, msg::ErrorInStopDatabase);
      case Codes: return readCodeTable();
      case Formats: return readFormatStrings();
    }
  }

  // Glyph bytes follow one another without a gap; a gap ends the table.
  bool readGlyph(int font, int code) {
    std::uint8_t count = 0, height = 0;
    if (!cursor_.nextConsecutive(count)) return false;
    if (count == 0) return true;  // no height byte, nothing stored
    if (!cursor_.nextConsecutive(height)) return false;
    GlyphRecord glyph;
    glyph.byteCount = count;
    glyph.height = height;
    for (int i = 0; i < count; ++i)
      if (!cursor_.nextConsecutive(glyph.bitmap[static_cast<std::size_t>(i)])) return false;
    db_.fonts.glyph(font, code) = glyph;
    return true;
  }

  void readFonts() {
    db_.fonts.clear();
    db_.keyTable = DefaultKeyTable;
    std::uint8_t byte = 0;
    std::uint32_t address = 0;
    if (!cursor_.peek(byte, address)) return;
    bool blocks = (byte & 0xF0) == kFontCodeBase;
    if (!cursor_.next(byte)) return;
    if (blocks) {
      // Font blocks: 0xE0 + font, the size high byte first, entries up to an
      // entry of code 0xFF or the size; then another block or 0xFF.
      while (byte != 0xFF) {
        if ((byte & 0xF0) != kFontCodeBase) fail(msg::FileFormatError);
        int font = byte & 0x0F;
        std::uint8_t high = 0, low = 0;
        if (!cursor_.nextConsecutive(high) || !cursor_.nextConsecutive(low)) return;
        unsigned size = static_cast<unsigned>(high) << 8 | low;
        std::uint32_t start = cursor_.position();
        std::uint8_t code = 0;
        while (cursor_.position() - start < size) {
          if (!cursor_.nextConsecutive(code) || !readGlyph(font, code)) return;
          if (code == 0xFF) break;
        }
        if (!cursor_.nextConsecutive(byte)) return;
      }
    } else {
      // Entries of code, 0xE0 + font, glyph up to code 0xFF.
      while (byte != 0xFF) {
        std::uint8_t fontByte = 0;
        if (!cursor_.nextConsecutive(fontByte)) return;
        if ((fontByte & 0xF0) != kFontCodeBase) fail(msg::FileFormatError);
        if (!readGlyph(fontByte & 0x0F, byte) || !cursor_.nextConsecutive(byte)) return;
      }
    }
    // The key table follows when 0x00 comes right after the glyphs.
    if (!cursor_.nextConsecutive(byte) || byte != 0x00) return;
    KeyTable keys = db_.keyTable;
    for (int code = 33; code <= 175; ++code)
      if (!cursor_.nextConsecutive(keys[static_cast<std::size_t>(code)])) return;
    for (int code = 240; code <= 255; ++code)
      if (!cursor_.nextConsecutive(keys[static_cast<std::size_t>(code)])) return;
    db_.keyTable = keys;
  }

  void readTexts(TextKind kind, std::size_t keyChars, std::string_view error) {
    TextList& list = db_.list(kind);
    if (!addMode_) list.deleteAll();
    std::string lastNumber = "...";
    auto stop = [&] { notice(std::string(error) + "\n" + std::string(msg::ReadOnlyToNumber) + " " + lastNumber); };
    const bool destinations = kind == TextKind::Destination;

    while (true) {
      std::uint8_t byte = 0;
      if (!cursor_.next(byte)) return stop();
      if (byte == 0xFF) return;
      std::string number(1, static_cast<char>(byte));
      for (std::size_t i = 1; i < keyChars; ++i) {
        if (!cursor_.next(byte)) return stop();
        number += static_cast<char>(byte);
      }
      bool digits = std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
      bool start = destinations && number == std::string(keyChars, 'X');
      if (!digits && !start) return stop();
      std::uint8_t low = 0, high = 0;
      if (!cursor_.next(low) || !cursor_.next(high)) return stop();
      std::size_t length = static_cast<std::size_t>(high) << 8 | low;
      // The entry is built in place: key, two spaces, the text up to its
      // first CR (or given one) and a destination's or stop's ekvivalent.
      std::string entry;
      entry.reserve(kKeyLength + 2 + length + 1);
      if (start)
        entry.append(kStartingDestinationKey);
      else
        entry.append(kKeyLength - keyChars, '0').append(number);
      entry.append("  ");
      for (std::size_t i = 0; i < length; ++i) {
        if (!cursor_.next(byte)) return stop();
        entry += static_cast<char>(byte);
      }
      if (length > 0) {
        const std::string text = normalizeEntryText(kind, std::string_view(entry).substr(kKeyLength + 2));
        entry.resize(kKeyLength + 2);
        entry += text;
        EntryDecision decision = options_.acceptEntry
                                     ? options_.acceptEntry(kind, entryKey(entry), entryText(entry))
                                     : EntryDecision::Store;
        if (decision == EntryDecision::Cancel) {
          result_.cancelled = true;
          return;
        }
        if (decision == EntryDecision::Store) list.putEntry(std::move(entry));
      }
      lastNumber = number;
    }
  }

  // A name: the bytes that follow one another from its address, at most 32.
  std::string readName() {
    std::string name;
    std::uint8_t byte = 0;
    if (!cursor_.next(byte)) return name;
    name += static_cast<char>(byte);
    while (name.size() < kMaxNameLength && cursor_.nextConsecutive(byte)) name += static_cast<char>(byte);
    return name;
  }

  void readCodeTable() {
    std::string name = readName();
    std::array<std::uint8_t, 128> table{};
    for (auto& entry : table) {
      if (!cursor_.next(entry)) {
        db_.codeTable.name.clear();
        fail(msg::CodeTableSizeError);
      }
    }
    db_.codeTable.name = name;
    db_.codeTable.table = table;
  }

  bool atBlockStart(std::uint32_t address) const {
    return std::find(blockStarts_.begin(), blockStarts_.end(), address) != blockStarts_.end();
  }

  void readFormatStrings() {
    std::string name = readName();
    db_.formatStrings = FormatStrings{};
    std::string lastIndex = "...";
    // The table starts at the first byte after the name; it ends at 0xFF, at
    // a gap, or where the next block begins.
    std::uint8_t byte = 0;
    std::uint32_t address = 0;
    bool first = true;
    while (true) {
      if (!cursor_.peek(byte, address) || byte == 0xFF) return;
      if (!first && address != cursor_.position()) return;
      if (atBlockStart(address)) return;
      first = false;
      cursor_.next(byte);
      if (byte < '0' || byte > '9') {
        notice(std::string(msg::ErrorInFormatStrings) + "\n" + std::string(msg::ReadOnlyToNumber) + " " + lastIndex);
        return;
      }
      std::uint8_t length = 0;
      std::string text;
      bool complete = cursor_.next(length);
      for (int i = 0; complete && i < length; ++i) {
        std::uint8_t c = 0;
        complete = cursor_.next(c);
        text += static_cast<char>(c);
      }
      if (!complete) {
        notice(std::string(msg::ErrorInFormatStrings) + "\n" + std::string(msg::ReadOnlyToNumber) + " " + lastIndex);
        return;
      }
      db_.formatStrings.strings[static_cast<std::size_t>(byte - '0')] = text;
      db_.formatStrings.name = name;
      lastIndex = std::string(1, static_cast<char>(byte));
    }
  }

  PanelDatabase& db_;
  ImageCursor cursor_;
  const std::string& name_;
  int selector_;
  bool addMode_;
  const HexReadOptions& options_;
  HexReadResult& result_;
  std::vector<std::uint32_t> blockStarts_;
};

// The position kind of an FNT tag: "FNT", colon, kind, then "D".
std::optional<std::uint8_t> findTagPosition(const ParsedHex& hex) {
  std::optional<std::uint8_t> position;
  for (const HexRecordSpan& r : hex.records) {
    if (r.size < 6) continue;
    const std::uint8_t* d = hex.data.data() + r.offset;
    if (d[0] != 'F' || d[1] != 'N' || d[2] != 'T' || d[3] != ':' || d[5] != 'D') continue;
    if (d[4] == ':') position = PanelPosition::Front;
    else if (d[4] == ' ') position = PanelPosition::Side;
    else if (d[4] == '.') position = PanelPosition::Rear;
  }
  return position;
}

}  // namespace

HexReadResult readHexText(PanelDatabase& db, std::string_view text, const std::string& name, int selector,
                          bool addMode, const HexReadOptions& options) {
  HexReadResult result;
  std::function<void(std::size_t)> progress;
  if (options.progress) {
    std::size_t stepSize = text.size() / 64 + 1;
    // The step last shown lives in the callback: parsing calls it after this block.
    progress = [&options, stepSize, shown = -1](std::size_t consumed) mutable {
      int step = static_cast<int>(std::min<std::size_t>(consumed / stepSize, 64));
      if (step != shown) options.progress(shown = step);
    };
  }
  ParsedHex hex = parseHexRecords(text, progress);
  result.tagPosition = findTagPosition(hex);
  ImageReader(db, hex, name, selector, addMode, options, result).run();
  return result;
}

HexReadResult readHexFile(PanelDatabase& db, const std::string& path, int selector, bool addMode,
                          const HexReadOptions& options) {
  std::string text = readWholeFile(path, kMaxHexFileSize);
  return readHexText(db, text, path, selector, addMode, options);
}

OpenResult openHexFile(PanelDatabase& db, const std::string& path, const HexReadOptions& options) {
  std::string text = readWholeFile(path, kMaxHexFileSize);
  db.clearTexts();
  db.clearFonts(true);
  HexReadResult read = readHexText(db, text, path, TableSelector::All, false, options);
  const Kt500Table& kt500 = options.kt500Table ? *options.kt500Table : builtinKt500Table();
  OpenResult result;
  result.decoding = decodeHeader(read.header, read.headerKind, read.tagPosition, kt500, db);
  result.fileKind = read.tagPosition;
  result.notices = std::move(read.notices);
  db.specialGlyph = findSpecialGlyph(db.fonts);
  return result;
}

}  // namespace dorvak
