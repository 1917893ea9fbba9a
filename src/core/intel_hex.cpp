#include "core/intel_hex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
constexpr std::size_t kPieceSize = 256;
constexpr std::size_t kRecordSize = 32;

enum RecordType : std::uint8_t {
  Data = 0x00,
  EndOfFile = 0x01,
  ExtendedSegment = 0x02,
  StartSegment = 0x03,
  ExtendedLinear = 0x04,
  StartLinear = 0x05,
};

// Upper-case hexadecimal digits only, as the panel's tools write them. A
// digit's value in the high and in the low half of a byte; 0x100 marks a
// character that is no digit, so that a line's bytes are decoded without a
// branch and checked once.
constexpr std::uint16_t kNoDigit = 0x100;
constexpr std::array<std::uint16_t, 256> digitTable(int shift) {
  std::array<std::uint16_t, 256> values{};
  values.fill(kNoDigit);
  for (int c = '0'; c <= '9'; ++c) values[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>((c - '0') << shift);
  for (int c = 'A'; c <= 'F'; ++c) values[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>((c - 'A' + 10) << shift);
  return values;
}
constexpr std::array<std::uint16_t, 256> kHighDigits = digitTable(4);
constexpr std::array<std::uint16_t, 256> kLowDigits = digitTable(0);

// The two digits of every byte value, for writing.
constexpr std::array<std::array<char, 2>, 256> kDigitPairs = [] {
  std::array<std::array<char, 2>, 256> pairs{};
  for (std::size_t b = 0; b < 256; ++b) pairs[b] = {kDigits[b >> 4], kDigits[b & 0x0F]};
  return pairs;
}();

// Sixteen digits at once into their eight bytes, with the compiler's vector
// types (SSE2 on x86-64, NEON on ARM, plain code elsewhere); false when one
// of them is no digit.
using Chars16 = std::uint8_t __attribute__((vector_size(16)));
using Lanes8 = std::uint16_t __attribute__((vector_size(16)));
using Bytes8 = std::uint8_t __attribute__((vector_size(8)));

inline bool decodeSixteenDigits(const unsigned char* digits, std::uint8_t* out) {
  Chars16 c;
  std::memcpy(&c, digits, sizeof c);
  const auto digit = reinterpret_cast<Chars16>(c >= '0') & reinterpret_cast<Chars16>(c <= '9');
  const auto letter = reinterpret_cast<Chars16>(c >= 'A') & reinterpret_cast<Chars16>(c <= 'F');
  const Chars16 either = digit | letter;
  std::uint64_t valid[2];
  std::memcpy(valid, &either, sizeof valid);
  if ((valid[0] & valid[1]) != ~std::uint64_t{0}) return false;
  // '0'..'9' are 0x30..0x39, 'A'..'F' 0x41..0x46: the low four bits, and 9 more for a letter.
  const Chars16 values = (c & 0x0F) + (letter & 9);
  // Two values a 16-bit lane; the high one, first in the text, goes to the
  // upper half of the byte.
  Lanes8 lanes;
  std::memcpy(&lanes, &values, sizeof lanes);
  if constexpr (std::endian::native == std::endian::little)
    lanes = (lanes << 4) | (lanes >> 8);
  else
    lanes = (lanes >> 4) | (lanes & 0x0F);
  const Bytes8 bytes = __builtin_convertvector(lanes, Bytes8);  // the low byte of each lane
  std::memcpy(out, &bytes, sizeof bytes);
  return true;
}

// The low byte of the sum of the bytes.
inline unsigned byteSum(const std::uint8_t* bytes, std::size_t count) {
  unsigned sum = 0;
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    // Eight at once: pairs added into four 16-bit lanes, which the top lane
    // of the product adds up (at most 8 x 255, so no lane overflows).
    std::uint64_t eight;
    std::memcpy(&eight, bytes + i, 8);
    constexpr std::uint64_t lowBytes = 0x00FF00FF00FF00FF;
    const std::uint64_t lanes = (eight & lowBytes) + ((eight >> 8) & lowBytes);
    sum += static_cast<unsigned>((lanes * 0x0001000100010001) >> 48);
  }
  for (; i < count; ++i) sum += bytes[i];
  return sum & 0xFF;
}

// Eight bytes at once into their sixteen upper-case digits.
inline void encodeEightBytes(const std::uint8_t* bytes, char* out) {
  Bytes8 eight;
  std::memcpy(&eight, bytes, sizeof eight);
  Lanes8 lanes = __builtin_convertvector(eight, Lanes8);
  // Each byte's high half first in the text.
  if constexpr (std::endian::native == std::endian::little)
    lanes = (lanes >> 4) | ((lanes & 0x0F) << 8);
  else
    lanes = (lanes >> 4 << 8) | (lanes & 0x0F);
  Chars16 values;
  std::memcpy(&values, &lanes, sizeof values);
  // 10..15 become 'A'..'F', 7 characters after '9' + 1.
  const Chars16 chars = values + '0' + (reinterpret_cast<Chars16>(values > 9) & 7);
  std::memcpy(out, &chars, sizeof chars);
}

// Where the record starting at pos ends when the line is just that record,
// as long as its count says, followed by LF or CR LF; npos when it is not
// (a line of another length ends where its LF is, and is trimmed). A line
// taken this way that holds an LF early fails on that character as its
// shorter line would fail on its length.
std::size_t recordEnd(std::string_view text, std::size_t pos) {
  if (text.size() - pos < 3 || text[pos] != ':') return std::string_view::npos;
  const unsigned count = kHighDigits[static_cast<unsigned char>(text[pos + 1])] |
                         kLowDigits[static_cast<unsigned char>(text[pos + 2])];
  if (count & kNoDigit) return std::string_view::npos;
  const std::size_t end = pos + 11 + 2 * count;
  if (end < text.size() && text[end] == '\n') return end;
  if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') return end;
  return std::string_view::npos;
}

// Walks the lines up to the end record and hands each data record with at
// least one byte to onData(address, bytes), which returns false to stop the
// walk there. Returns what stopped the walk before the end record.
template <class OnData>
std::optional<std::string_view> walkRecords(std::string_view text, const std::function<void(std::size_t)>& progress,
                                            OnData&& onData) {
  std::uint32_t bank = 0;
  std::size_t pos = 0;
  // Count, address, type, up to 255 data bytes, checksum.
  constexpr std::size_t kLongestRecord = 4 + 255 + 1;
  std::array<std::uint8_t, kLongestRecord> bytes;

  while (true) {
    if (pos >= text.size()) return msg::ReadBeyondEnd;
    std::string_view line;
    if (std::size_t end = recordEnd(text, pos); end != std::string_view::npos) {
      // The usual line: a record as long as its count says, then LF or CR LF.
      line = text.substr(pos, end - pos);
      pos = end + (text[end] == '\r' ? 2 : 1);
    } else {
      std::size_t eol = text.find('\n', pos);
      if (eol == std::string_view::npos) eol = text.size();
      line = text.substr(pos, eol - pos);
      pos = eol + 1;
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    }
    if (progress) progress(std::min(pos, text.size()));
    if (line.empty()) continue;
    // The length is checked before a byte is taken: no line may hold more
    // than the longest record.
    if (line[0] != ':' || line.size() < 11 || line.size() % 2 == 0 || (line.size() - 1) / 2 > kLongestRecord)
      return msg::FileFormatError;

    const std::size_t count = (line.size() - 1) / 2;
    const auto* digits = reinterpret_cast<const unsigned char*>(line.data() + 1);
    bool allDigits = true;
    std::size_t i = 0;
    for (; i + 8 <= count && allDigits; i += 8) allDigits = decodeSixteenDigits(digits + 2 * i, bytes.data() + i);
    unsigned decoded = 0;
    for (; i < count; ++i) {
      unsigned value = kHighDigits[digits[2 * i]] | kLowDigits[digits[2 * i + 1]];
      decoded |= value;
      bytes[i] = static_cast<std::uint8_t>(value);
    }
    if (!allDigits || (decoded & kNoDigit)) return msg::FileFormatError;
    const unsigned sum = byteSum(bytes.data(), count);
    std::size_t dataSize = bytes[0];
    if (count != dataSize + 5) return msg::FileFormatError;
    std::uint8_t type = bytes[3];
    if (type == EndOfFile) return std::nullopt;
    if (type == ExtendedSegment) {  // the programming tool's bank switch; its value is not looked at
      bank = 1;
      continue;
    }
    if ((sum & 0xFF) != 0) return msg::CheckSumError;
    if (type == ExtendedLinear) {  // written by other tools: upper address bits
      if (dataSize != 2 || bytes[4] != 0 || bytes[5] > 1) return msg::FileFormatError;
      bank = bytes[5];
      continue;
    }
    if (type == StartSegment || type == StartLinear) continue;  // start addresses carry no image bytes
    if (type != Data) return msg::FileFormatError;
    if (dataSize == 0) continue;
    std::uint32_t address = bank * kBankSize + (static_cast<std::uint32_t>(bytes[1]) << 8) + bytes[2];
    if (!onData(address, std::span<const std::uint8_t>(bytes.data() + 4, dataSize))) return msg::FileFormatError;
  }
}

// Bits begin..end-1 of a word.
constexpr std::uint64_t bitsBelow(unsigned n) { return n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1; }
}  // namespace

std::string hexByte(std::uint8_t value) { return {kDigits[value >> 4], kDigits[value & 0x0F]}; }

std::uint8_t recordChecksum(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint8_t>(0x100 - byteSum(bytes.data(), bytes.size()));
}

void HexRecordWriter::writeRecord(std::uint8_t type, std::uint16_t address, std::span<const std::uint8_t> data) {
  // ":" + (4 header bytes + data + checksum) as hex + CR LF, built in place.
  char line[1 + 2 * (5 + kRecordSize) + 2];
  char* p = line;
  const std::uint8_t header[4] = {static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(address >> 8),
                                  static_cast<std::uint8_t>(address & 0xFF), type};
  auto put = [&](std::uint8_t b) {
    std::memcpy(p, kDigitPairs[b].data(), 2);
    p += 2;
  };
  *p++ = ':';
  for (auto b : header) put(b);
  std::size_t i = 0;
  for (; i + 8 <= data.size(); i += 8, p += 16) encodeEightBytes(data.data() + i, p);
  for (; i < data.size(); ++i) put(data[i]);
  put(static_cast<std::uint8_t>(0x100 - byteSum(header, 4) - byteSum(data.data(), data.size())));
  *p++ = '\r';
  *p++ = '\n';
  out_.append(line, static_cast<std::size_t>(p - line));
}

void HexRecordWriter::write(std::uint32_t address, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t pieceEnd = std::min(bytes.size(), done + kPieceSize);
    while (done < pieceEnd) {
      std::uint32_t local = address - bank_ * kBankSize;
      if (local >= kBankSize) {
        if (bank_ == 1) throw DorvakError(std::string(msg::PanelMemoryOverflow));
        bank_ = 1;
        local -= kBankSize;
        const std::uint8_t segment[2] = {0x10, 0x00};
        writeRecord(ExtendedSegment, 0, segment);
      }
      std::size_t size = std::min({kRecordSize, pieceEnd - done, static_cast<std::size_t>(kBankSize - local)});
      writeRecord(Data, static_cast<std::uint16_t>(local), bytes.subspan(done, size));
      done += size;
      address += static_cast<std::uint32_t>(size);
    }
  }
}

void HexRecordWriter::writeEnd() { out_ += ":00000001FF\r\n"; }

ParsedHex parseHexRecords(std::string_view text, const std::function<void(std::size_t)>& progress) {
  ParsedHex result;
  result.records.reserve(text.size() / 75 + 1);
  result.data.reserve(text.size() / 2);
  auto stop = walkRecords(text, progress, [&](std::uint32_t address, std::span<const std::uint8_t> bytes) {
    result.records.push_back({address, static_cast<std::uint32_t>(result.data.size()), static_cast<std::uint32_t>(bytes.size())});
    result.data.insert(result.data.end(), bytes.begin(), bytes.end());
    return true;
  });
  if (stop) result.error = std::string(*stop);
  return result;
}

void HexImage::Free::operator()(std::uint8_t* p) const { std::free(p); }

HexImage::HexImage()
    : bytes_(static_cast<std::uint8_t*>(std::calloc(kImageSize, 1))), described_(kImageSize / 64, 0) {
  if (!bytes_) throw std::bad_alloc();
}

bool HexImage::place(std::uint32_t address, std::span<const std::uint8_t> bytes) {
  if (address >= kImageSize || bytes.size() > kImageSize - address) return false;
  const auto end = static_cast<std::uint32_t>(address + bytes.size());
  // The bits of address..end-1, word by word.
  auto forWords = [&](auto&& f) {
    for (std::uint32_t word = address / 64; word * 64 < end; ++word) {
      std::uint32_t low = std::max(address, word * 64) - word * 64, high = std::min(end, word * 64 + 64) - word * 64;
      if (!f(described_[word], bitsBelow(high) & ~bitsBelow(low))) return false;
    }
    return true;
  };
  // Bytes described before must keep their value.
  bool fresh = forWords([](std::uint64_t bits, std::uint64_t mask) { return (bits & mask) == 0; });
  if (!fresh) {
    for (std::uint32_t i = 0; i < bytes.size(); ++i) {
      std::uint32_t a = address + i;
      if ((described_[a / 64] >> (a % 64) & 1) && bytes_[a] != bytes[i]) return false;
    }
  }
  std::memcpy(bytes_.get() + address, bytes.data(), bytes.size());
  forWords([](std::uint64_t& bits, std::uint64_t mask) { return (bits |= mask), true; });
  return true;
}

std::vector<HexImage::Run> HexImage::runs() const {
  std::vector<Run> runs;
  const auto words = static_cast<std::uint32_t>(described_.size());
  // The first address from `from` on whose bit is `set`; kImageSize if none.
  auto find = [&](std::uint32_t from, bool set) {
    for (std::uint32_t word = from / 64; word < words; ++word) {
      std::uint64_t bits = (set ? described_[word] : ~described_[word]) & ~bitsBelow(from > word * 64 ? from - word * 64 : 0);
      if (bits) return word * 64 + static_cast<std::uint32_t>(std::countr_zero(bits));
    }
    return kImageSize;
  };
  for (std::uint32_t begin = find(0, true); begin < kImageSize; begin = find(runs.back().end, true))
    runs.push_back({begin, find(begin, false)});
  return runs;
}

HexImage readHexImage(std::string_view text, const std::function<void(std::size_t)>& progress,
                      const std::function<void(std::uint32_t, std::span<const std::uint8_t>)>& taken) {
  HexImage image;
  auto stop = walkRecords(text, progress, [&](std::uint32_t address, std::span<const std::uint8_t> bytes) {
    if (!image.place(address, bytes)) return false;
    if (taken) taken(address, bytes);
    return true;
  });
  if (stop) image.error = std::string(*stop);
  return image;
}

}  // namespace dorvak
