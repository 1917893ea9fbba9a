#include "core/hex_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

#include "core/error.h"
#include "core/intel_hex.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

[[noreturn]] void fail(std::string_view message) { throw DorvakError(std::string(message)); }

// Walks the memory image byte by byte in address order, from one described
// byte to the next. Running past the last described byte raises the error
// that stopped the records, if one did; otherwise it is the end of the image.
class ImageCursor {
 public:
  explicit ImageCursor(const HexImage& image) : image_(image), bytes_(image.bytes()), runs_(image.runs()) {}

  // The next byte and its address, without taking it.
  bool peek(std::uint8_t& byte, std::uint32_t& address) {
    if (!settle()) return false;
    byte = bytes_[next_];
    address = next_;
    return true;
  }

  bool next(std::uint8_t& byte) {
    if (!settle()) return false;
    byte = bytes_[next_];
    last_ = next_++;
    return true;
  }

  bool next(std::uint8_t& byte, std::uint32_t& address) {
    if (!settle()) return false;
    address = next_;
    return next(byte);
  }

  // The next byte only when it lies right after the last one taken.
  bool nextConsecutive(std::uint8_t& byte) {
    if (!settle()) return false;
    if (next_ != last_ + 1) return false;
    return next(byte);
  }

  // How many bytes follow right after the last one taken, without a gap.
  std::size_t consecutiveAvailable() {
    if (!settle() || next_ != last_ + 1) return 0;
    return end_ - next_;
  }

  // Count bytes as nextConsecutive takes them one by one: false at a gap,
  // with the bytes before it taken.
  bool nextConsecutive(std::uint8_t* out, std::size_t count) {
    std::size_t n = std::min(count, consecutiveAvailable());
    takeFromRun(out, n);
    return n == count;
  }

  // Count bytes as next takes them one by one, over gaps.
  bool next(std::uint8_t* out, std::size_t count) {
    while (count > 0) {
      if (!settle()) return false;
      std::size_t n = std::min<std::size_t>(count, end_ - next_);
      takeFromRun(out, n);
      out += n;
      count -= n;
    }
    return true;
  }

  // The next count (at least 1) bytes in place, taken, when they lie in one
  // run; nothing, with nothing taken, when they do not.
  const std::uint8_t* takeInPlace(std::size_t count) {
    if (!settle() || end_ - next_ < count) return nullptr;
    const std::uint8_t* bytes = bytes_ + next_;
    next_ += static_cast<std::uint32_t>(count);
    last_ = next_ - 1;
    return bytes;
  }

  // Moves to a table's first byte; false when no record describes it.
  bool seek(std::uint32_t address) {
    auto run = std::upper_bound(runs_.begin(), runs_.end(), address,
                                [](std::uint32_t a, const HexImage::Run& r) { return a < r.end; });
    if (run == runs_.end() || run->begin > address) {
      raisePendingError();
      return false;
    }
    run_ = static_cast<std::size_t>(run - runs_.begin());
    next_ = address;
    end_ = run->end;
    return true;
  }

  // The address after the last byte taken.
  std::uint32_t position() const { return last_ + 1; }

  // Everything up to the end record must be readable.
  void skipToEnd() { raisePendingError(); }

 private:
  // Moves to the next described byte; false past the last one.
  bool settle() {
    if (next_ < end_) return true;
    while (run_ < runs_.size() && runs_[run_].end <= next_) ++run_;
    if (run_ >= runs_.size()) {
      raisePendingError();
      return false;
    }
    next_ = std::max(next_, runs_[run_].begin);
    end_ = runs_[run_].end;
    return true;
  }
  // Count bytes of the run holding next_ (settled).
  void takeFromRun(std::uint8_t* out, std::size_t count) {
    if (count == 0) return;
    std::memcpy(out, bytes_ + next_, count);
    next_ += static_cast<std::uint32_t>(count);
    last_ = next_ - 1;
  }
  void raisePendingError() {
    if (image_.error) throw DorvakError(*image_.error);
  }

  const HexImage& image_;
  const std::uint8_t* bytes_;
  const std::vector<HexImage::Run> runs_;
  std::size_t run_ = 0;       // the run holding next_, or the first one after it
  std::uint32_t next_ = 0;    // the address of the next byte to take
  std::uint32_t end_ = 0;     // the end of the run holding next_, once settled there
  std::uint32_t last_ = 0xFFFFFFFF;
};

enum TableKind { Fnt = 1, Lin = 2, Cil3 = 3, Cil4 = 4, Dru = 5, Codes = 6, Formats = 7 };

struct TableRef {
  int kind;
  std::uint32_t address;
};

class ImageReader {
 public:
  ImageReader(PanelDatabase& db, const HexImage& image, const std::string& name, int selector, bool addMode,
              const HexReadOptions& options, HexReadResult& result)
      : db_(db), cursor_(image), name_(name), selector_(selector), addMode_(addMode), options_(options),
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
      // A table that no record describes is not there to read.
      if (!cursor_.seek(table.address)) continue;
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
    if (cursor_.consecutiveAvailable() < count) {
      std::array<std::uint8_t, kMaxBitmapBytes> partial;
      cursor_.nextConsecutive(partial.data(), count);  // up to the gap
      return false;
    }
    // Straight into the table: the whole glyph is there. Only written, never
    // read first: a page of the table read before it is written is faulted
    // in twice.
    GlyphRecord& glyph = db_.fonts.glyph(font, code);
    glyph.byteCount = count;
    glyph.height = height;
    cursor_.nextConsecutive(glyph.bitmap.data(), count);
    std::fill(glyph.bitmap.begin() + count, glyph.bitmap.end(), std::uint8_t{0});
    lastGlyph_ = {font, code};
    return true;
  }

  // A font table that a gap cuts short keeps the glyphs before the gap, and
  // the user learns that the rest is missing.
  void readFonts() {
    lastGlyph_.reset();
    if (readGlyphsAndKeys()) return;
    const std::string last = lastGlyph_ ? std::to_string(lastGlyph_->second) + " of font " + std::to_string(lastGlyph_->first)
                                        : std::string();
    notice(std::string(msg::ErrorInFontDatabase) + "\n" +
           (last.empty() ? std::string(msg::ReadOnlyToNumber) + " ..." : formatMessage(msg::ReadOnlyToGlyph, last)));
  }

  // False when a gap ends the table before its end.
  bool readGlyphsAndKeys() {
    db_.fonts.clear();
    db_.keyTable = DefaultKeyTable;
    std::uint8_t byte = 0;
    std::uint32_t address = 0;
    if (!cursor_.peek(byte, address)) return true;  // a table no record describes
    bool blocks = (byte & 0xF0) == kFontCodeBase;
    if (!cursor_.next(byte)) return false;
    if (blocks) {
      // Font blocks: 0xE0 + font, the size high byte first, entries up to an
      // entry of code 0xFF or the size; then another block or 0xFF.
      while (byte != 0xFF) {
        if ((byte & 0xF0) != kFontCodeBase) fail(msg::FileFormatError);
        int font = byte & 0x0F;
        std::uint8_t high = 0, low = 0;
        if (!cursor_.nextConsecutive(high) || !cursor_.nextConsecutive(low)) return false;
        unsigned size = static_cast<unsigned>(high) << 8 | low;
        std::uint32_t start = cursor_.position();
        std::uint8_t code = 0;
        while (cursor_.position() - start < size) {
          if (!cursor_.nextConsecutive(code) || !readGlyph(font, code)) return false;
          if (code == 0xFF) break;
        }
        if (!cursor_.nextConsecutive(byte)) return false;
      }
    } else {
      // Entries of code, 0xE0 + font, glyph up to code 0xFF.
      while (byte != 0xFF) {
        std::uint8_t fontByte = 0;
        if (!cursor_.nextConsecutive(fontByte)) return false;
        if ((fontByte & 0xF0) != kFontCodeBase) fail(msg::FileFormatError);
        if (!readGlyph(fontByte & 0x0F, byte) || !cursor_.nextConsecutive(byte)) return false;
      }
    }
    // The key table follows when 0x00 comes right after the glyphs.
    if (!cursor_.nextConsecutive(byte) || byte != 0x00) return true;
    KeyTable keys = db_.keyTable;
    if (!cursor_.nextConsecutive(keys.data() + 33, 175 - 33 + 1)) return false;
    if (!cursor_.nextConsecutive(keys.data() + 240, 255 - 240 + 1)) return false;
    db_.keyTable = keys;
    return true;
  }

  void readTexts(TextKind kind, std::size_t keyChars, std::string_view error) {
    TextList& list = db_.list(kind);
    if (!addMode_) list.deleteAll();
    // Room for as many entries as there are keys, or as the rest of the image
    // holds (a stored entry takes its key, two length bytes and a character):
    // a list read in does not grow step by step. Only the pages used are touched.
    const std::size_t keys = keyChars == 3 ? 1001 : 10001;
    list.reserve(std::min(keys, list.count() + (kImageSize - std::min(cursor_.position(), kImageSize)) / (keyChars + 3)));
    std::string lastNumber = "...";
    auto stop = [&] { notice(std::string(error) + "\n" + std::string(msg::ReadOnlyToNumber) + " " + lastNumber); };
    const bool destinations = kind == TextKind::Destination;

    while (true) {
      std::uint8_t byte = 0;
      if (!cursor_.next(byte)) return stop();
      if (byte == 0xFF) return;
      char keyBytes[kKeyLength] = {static_cast<char>(byte)};
      if (!cursor_.next(reinterpret_cast<std::uint8_t*>(keyBytes) + 1, keyChars - 1)) return stop();
      const std::string_view number(keyBytes, keyChars);
      bool digits = std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
      bool start = destinations && number.find_first_not_of('X') == std::string_view::npos;
      if (!digits && !start) return stop();
      std::uint8_t low = 0, high = 0;
      if (!cursor_.next(low) || !cursor_.next(high)) return stop();
      std::size_t length = static_cast<std::size_t>(high) << 8 | low;
      if (length > 0) {
        // The entry is built in place: key, two spaces, the text up to its
        // first CR (or given one) and a destination's or stop's ekvivalent.
        std::string entry;
        entry.reserve(kKeyLength + 2 + length + 1);
        if (start)
          entry.append(kStartingDestinationKey);
        else
          entry.append(kKeyLength - keyChars, '0').append(number);
        entry.append("  ");
        if (const std::uint8_t* text = cursor_.takeInPlace(length)) {
          entry.append(reinterpret_cast<const char*>(text), length);
        } else {  // across a gap
          entry.resize(kKeyLength + 2 + length);
          if (!cursor_.next(reinterpret_cast<std::uint8_t*>(entry.data()) + kKeyLength + 2, length)) return stop();
        }
        normalizeEntry(kind, entry);
        EntryDecision decision = options_.acceptEntry
                                     ? options_.acceptEntry(kind, entryKey(entry), entryText(entry))
                                     : EntryDecision::Store;
        if (decision == EntryDecision::Cancel) {
          result_.cancelled = true;
          return;
        }
        if (decision == EntryDecision::Store) list.putEntry(std::move(entry));
      }
      lastNumber.assign(number);
    }
  }

  // The stored text as its list keeps it, made in place.
  static void normalizeEntry(TextKind kind, std::string& entry) {
    if (auto length = storedTextLength(kind, std::string_view(entry).substr(kKeyLength + 2)))
      entry.resize(kKeyLength + 2 + *length);
    else
      entry += kCR;
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
  std::optional<std::pair<int, int>> lastGlyph_;  // font and code of the last glyph stored
  HexReadResult& result_;
  std::vector<std::uint32_t> blockStarts_;
};

// The position kind of an FNT tag, a record that starts with "FNT", colon,
// kind, then "D"; the last such record counts.
void noteTagPosition(std::span<const std::uint8_t> d, std::optional<std::uint8_t>& position) {
  if (d.size() < 6 || d[0] != 'F' || d[1] != 'N' || d[2] != 'T' || d[3] != ':' || d[5] != 'D') return;
  if (d[4] == ':') position = PanelPosition::Front;
  else if (d[4] == ' ') position = PanelPosition::Side;
  else if (d[4] == '.') position = PanelPosition::Rear;
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
  HexImage image = readHexImage(text, progress, [&result](std::uint32_t, std::span<const std::uint8_t> bytes) {
    noteTagPosition(bytes, result.tagPosition);
  });
  ImageReader(db, image, name, selector, addMode, options, result).run();
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
