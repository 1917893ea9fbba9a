#include "core/intel_hex.h"

#include <algorithm>
#include <array>

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

// Upper-case hexadecimal digits only, as the panel's tools write them.
constexpr std::array<std::int8_t, 256> kDigitValues = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int c = '0'; c <= '9'; ++c) values[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) values[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'A' + 10);
  return values;
}();

int digitValue(char c) { return kDigitValues[static_cast<unsigned char>(c)]; }
}  // namespace

std::string hexByte(std::uint8_t value) { return {kDigits[value >> 4], kDigits[value & 0x0F]}; }

std::uint8_t recordChecksum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (auto b : bytes) sum += b;
  return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

void HexRecordWriter::writeRecord(std::uint8_t type, std::uint16_t address, std::span<const std::uint8_t> data) {
  // ":" + (4 header bytes + data + checksum) as hex + CR LF, built in place.
  char line[1 + 2 * (5 + kRecordSize) + 2];
  char* p = line;
  unsigned sum = 0;
  auto put = [&](std::uint8_t b) {
    *p++ = kDigits[b >> 4];
    *p++ = kDigits[b & 0x0F];
    sum += b;
  };
  *p++ = ':';
  put(static_cast<std::uint8_t>(data.size()));
  put(static_cast<std::uint8_t>(address >> 8));
  put(static_cast<std::uint8_t>(address & 0xFF));
  put(type);
  for (auto b : data) put(b);
  put(static_cast<std::uint8_t>(0x100 - (sum & 0xFF)));
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
  std::uint32_t bank = 0;
  std::size_t pos = 0;
  // Count, address, type, up to 255 data bytes, checksum.
  constexpr std::size_t kLongestRecord = 4 + 255 + 1;
  std::array<std::uint8_t, kLongestRecord> bytes{};
  auto fail = [&](std::string_view message) { result.error = std::string(message); };

  while (true) {
    if (pos >= text.size()) return fail(msg::ReadBeyondEnd), result;
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = text.substr(pos, eol - pos);
    pos = eol + 1;
    if (progress) progress(std::min(pos, text.size()));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line.empty()) continue;
    // The length is checked before a byte is taken: no line may hold more
    // than the longest record.
    if (line[0] != ':' || line.size() < 11 || line.size() % 2 == 0 || (line.size() - 1) / 2 > kLongestRecord)
      return fail(msg::FileFormatError), result;

    std::size_t count = (line.size() - 1) / 2;
    for (std::size_t i = 0; i < count; ++i) {
      int high = digitValue(line[1 + 2 * i]);
      int low = digitValue(line[2 + 2 * i]);
      if (high < 0 || low < 0) return fail(msg::FileFormatError), result;
      bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    std::size_t dataSize = bytes[0];
    if (count != dataSize + 5) return fail(msg::FileFormatError), result;
    std::uint8_t type = bytes[3];
    if (type == EndOfFile) return result;
    if (type == ExtendedSegment) {  // the programming tool's bank switch; its value is not looked at
      bank = 1;
      continue;
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
    if ((sum & 0xFF) != 0) return fail(msg::CheckSumError), result;
    if (type == ExtendedLinear) {  // written by other tools: upper address bits
      if (dataSize != 2 || bytes[4] != 0 || bytes[5] > 1) return fail(msg::FileFormatError), result;
      bank = bytes[5];
      continue;
    }
    if (type == StartSegment || type == StartLinear) continue;  // start addresses carry no image bytes
    if (type != Data) return fail(msg::FileFormatError), result;
    if (dataSize == 0) continue;
    std::uint32_t address = bank * kBankSize + (static_cast<std::uint32_t>(bytes[1]) << 8) + bytes[2];
    result.records.push_back({address, static_cast<std::uint32_t>(result.data.size()), static_cast<std::uint32_t>(dataSize)});
    result.data.insert(result.data.end(), bytes.begin() + 4, bytes.begin() + 4 + static_cast<std::ptrdiff_t>(dataSize));
  }
}

HexImage assembleImage(const ParsedHex& hex) {
  HexImage image;
  image.bytes.assign(kImageSize, 0);
  image.error = hex.error;
  image.recordsTaken = hex.records.size();
  std::vector<std::uint8_t> described(kImageSize, 0);
  for (std::size_t r = 0; r < hex.records.size(); ++r) {
    const HexRecordSpan& span = hex.records[r];
    const std::uint8_t* data = hex.data.data() + span.offset;
    bool fits = span.address < kImageSize && span.size <= kImageSize - span.address;
    for (std::uint32_t i = 0; fits && i < span.size; ++i)
      fits = !described[span.address + i] || image.bytes[span.address + i] == data[i];
    if (!fits) {
      image.error = std::string(msg::FileFormatError);
      image.recordsTaken = r;
      break;
    }
    std::copy_n(data, span.size, image.bytes.begin() + span.address);
    std::fill_n(described.begin() + span.address, span.size, std::uint8_t{1});
  }
  // The runs from the records taken, in address order; overlapping or
  // adjacent records make one run.
  std::vector<HexImage::Run> spans;
  spans.reserve(image.recordsTaken);
  for (std::size_t r = 0; r < image.recordsTaken; ++r)
    spans.push_back({hex.records[r].address, hex.records[r].address + hex.records[r].size});
  std::sort(spans.begin(), spans.end(), [](const HexImage::Run& a, const HexImage::Run& b) { return a.begin < b.begin; });
  for (const HexImage::Run& span : spans) {
    if (!image.runs.empty() && span.begin <= image.runs.back().end)
      image.runs.back().end = std::max(image.runs.back().end, span.end);
    else
      image.runs.push_back(span);
  }
  return image;
}

}  // namespace dorvak
