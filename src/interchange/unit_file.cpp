#include "interchange/unit_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <stdexcept>

#include "core/error.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

// The header stage fails before anything is read from the file; a record
// fails part way.
[[noreturn]] void headerShort() { throw FileAccessError(std::string(msg::ReadBeyondEnd)); }
[[noreturn]] void headerWrong() { throw FileAccessError(std::string(msg::FileFormatError)); }
[[noreturn]] void readBeyondEnd() { throw DorvakError(std::string(msg::ReadBeyondEnd)); }
[[noreturn]] void formatError() { throw DorvakError(std::string(msg::FileFormatError)); }

// Offsets taken from a file are 64-bit so that adding to them cannot wrap.
bool fits(std::string_view bytes, std::uint64_t offset, std::uint64_t size) {
  return offset <= bytes.size() && size <= bytes.size() - offset;
}

std::uint16_t wordAt(const ConfigBlock& block, std::size_t offset) {
  return static_cast<std::uint16_t>(block[offset] | block[offset + 1] << 8);
}

}  // namespace

UnitFileKind unitFileKind(std::string_view path) {
  std::size_t nameStart = path.find_last_of("\\:/");
  std::string_view name = nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return UnitFileKind::Bbd;
  std::string ext(name.substr(dot));
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".bbf" ? UnitFileKind::Bbf : UnitFileKind::Bbd;
}

std::uint16_t configChecksum(const ConfigBlock& block) {
  std::uint32_t sum = unit::kChecksumSeed;
  for (std::size_t offset = 0; offset < unit::kBlockChecksum; offset += 2) sum += wordAt(block, offset);
  return static_cast<std::uint16_t>((0x10000 - (sum & 0xFFFF)) & 0xFFFF);
}

bool configBlockValid(const ConfigBlock& block) {
  std::uint32_t sum = unit::kChecksumSeed;
  for (std::size_t offset = 0; offset < unit::kChecksumSpan; offset += 2) sum += wordAt(block, offset);
  return (sum & 0xFFFF) == 0;
}

std::uint16_t getU16(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                    static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

std::uint32_t getU32(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(getU16(bytes, offset)) | static_cast<std::uint32_t>(getU16(bytes, offset + 2)) << 16;
}

UnitFileHeader readUnitHeader(std::string_view bytes, UnitFileKind kind, bool withLengthField) {
  UnitFileHeader header;
  header.kind = kind;
  if (kind == UnitFileKind::Bbf) {
    if (!fits(bytes, 0, 4)) headerShort();
    if (getU32(bytes, 0) != unit::kBbfMagic) headerWrong();
    if (!fits(bytes, 4, 2 + unit::kConfigBlockSize)) headerShort();
    header.configSize = getU16(bytes, 4);
    std::copy_n(bytes.begin() + unit::kConfigOffset, unit::kConfigBlockSize, header.block.begin());
    if (!configBlockValid(header.block)) headerWrong();
    header.end = unit::kBbfLengthOffset;
    if (bytes.size() == unit::kBbfLengthOffset) {
      header.endsAfterConfig = true;
      return header;
    }
    if (withLengthField) {
      if (!fits(bytes, unit::kBbfLengthOffset, 4)) headerShort();
      header.end = unit::kBbfSectionsOffset;
    }
    auto position = [&](std::size_t offset) -> std::uint64_t {
      std::uint32_t value = static_cast<std::uint32_t>(header.block[offset]) | header.block[offset + 1] << 8 |
                            header.block[offset + 2] << 16 | static_cast<std::uint32_t>(header.block[offset + 3]) << 24;
      return value == 0 ? 0 : std::uint64_t{value} + unit::kConfigOffset;
    };
    header.destinationSection = position(unit::kBlockDestinations);
    header.stopSection = position(unit::kBlockStops);
    return header;
  }
  if (!fits(bytes, 0, unit::kBbdHeaderSize)) headerShort();
  if (bytes.substr(0, unit::kBbdSignature.size()) != unit::kBbdSignature) headerWrong();
  // The name string behind the header is read past.
  if (!fits(bytes, unit::kBbdHeaderSize, 1)) headerShort();
  std::size_t nameLength = static_cast<std::uint8_t>(bytes[unit::kBbdHeaderSize]);
  if (!fits(bytes, unit::kBbdHeaderSize + 1, nameLength)) headerShort();
  header.end = unit::kBbdHeaderSize + 1 + nameLength;
  header.kt700Codes = bytes[unit::kBbdKt700Flag] == 1;
  header.destinationSection = getU32(bytes, unit::kBbdDestinations);
  header.stopSection = getU32(bytes, unit::kBbdStops);
  return header;
}

std::uint64_t sectionStart(const UnitFileHeader& header, std::string_view bytes, bool stops) {
  const std::uint64_t section = stops ? header.stopSection : header.destinationSection;
  if (header.endsAfterConfig || section == 0) return 0;
  if (!fits(bytes, section, 2)) headerShort();
  return section;
}

std::string readUnitFile(const std::string& path) {
  // A file that cannot be opened is named alone, as the unit files' menus show it.
  if (!std::ifstream(path, std::ios::binary)) throw FileAccessError(path);
  return readWholeFile(path, kMaxUnitFileSize);
}

std::optional<UnitRecord> UnitRecordReader::next() {
  if (!fits(bytes_, position_, 2)) readBeyondEnd();
  UnitRecord record;
  record.number = getU16(bytes_, position_);
  if (record.number == unit::kSectionEnd) {
    position_ += 2;
    return std::nullopt;
  }
  if (!fits(bytes_, position_ + 2, 2)) readBeyondEnd();
  std::uint16_t length = getU16(bytes_, position_ + 2);
  if (!fits(bytes_, position_ + 4, length)) readBeyondEnd();
  std::string_view items = bytes_.substr(position_ + 4, length);
  while (!items.empty()) {
    auto kind = static_cast<std::uint8_t>(items[0]);
    std::size_t end = items.find(static_cast<char>(unit::kItemEnd), 1);
    // An item must end inside its record; reading on would take the next record's bytes for text.
    if (end == std::string_view::npos) formatError();
    if (kind == unit::kNameItem) record.names.emplace_back(items.substr(1, end - 1));
    items.remove_prefix(end + 1);
  }
  position_ += 4 + std::uint64_t{length};
  return record;
}

void appendU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void appendU32(std::string& out, std::uint32_t value) {
  appendU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  appendU16(out, static_cast<std::uint16_t>(value >> 16));
}

void putU32(std::string& out, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void appendSectionHead(std::string& out) {
  out.append(8, '\0');
  out.append("CILE");
  out.append(20, '\0');
}

void appendNameRecord(std::string& out, std::uint16_t number, std::string_view text) {
  if (text.size() > 0xFFFF - 2) throw std::length_error("unit record text too long");
  appendU16(out, number);
  appendU16(out, static_cast<std::uint16_t>(text.size() + 2));
  out += static_cast<char>(unit::kNameItem);
  out.append(text);
  out += static_cast<char>(unit::kItemEnd);
}

}  // namespace dorvak
