#pragma once
// BBD and BBF files put together byte by byte from their layout, for tests
// of the readers, and independent of the writer's code.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dorvak::test {

inline std::string le16(unsigned value) { return {char(value & 0xFF), char((value >> 8) & 0xFF)}; }
inline std::string le32(std::uint32_t value) { return le16(value & 0xFFFF) + le16(value >> 16); }

// A record with one name item (kind 0x80).
struct UnitRec {
  unsigned number;
  std::vector<std::pair<int, std::string>> items;  // kind, characters (the CR is added)
};
inline UnitRec named(unsigned number, const std::string& name) { return {number, {{0x80, name}}}; }

inline std::string recordBytes(const UnitRec& r) {
  std::string items;
  for (const auto& [kind, text] : r.items) items += char(kind) + text + "\r";
  return le16(r.number) + le16(static_cast<unsigned>(items.size())) + items;
}

inline std::string sectionBytes(const std::vector<UnitRec>& records) {
  std::string out;
  for (const auto& r : records) out += recordBytes(r);
  return out + "\xFF\xFF";
}

// A BBD: header, a name string, the destination section, the stop section
// (each behind 32 filler bytes); an empty list leaves its section out.
inline std::string bbdBytes(const std::vector<UnitRec>& destinations, const std::vector<UnitRec>& stops,
                            bool kt700 = false, const std::string& name = "unit") {
  std::string header = "DTAKT500" + std::string(120, '\0');
  header[28] = kt700 ? 1 : 0;
  std::string out = header + char(name.size()) + name;
  std::uint32_t destinationAt = 0, stopAt = 0;
  if (!destinations.empty()) {
    out += std::string(32, '\x11');
    destinationAt = static_cast<std::uint32_t>(out.size());
    out += sectionBytes(destinations);
  }
  if (!stops.empty()) {
    out += std::string(32, '\x22');
    stopAt = static_cast<std::uint32_t>(out.size());
    out += sectionBytes(stops);
  }
  out.replace(64, 4, le32(static_cast<std::uint32_t>(out.size() - 64)));
  out.replace(68, 4, le32(destinationAt));
  out.replace(72, 4, le32(stopAt));
  return out + std::string(4, '\0');
}

// A configuration block with recognisable contents, the section positions
// given (from the block's start) and a valid checksum.
inline std::string configBlockBytes(std::uint32_t destinations, std::uint32_t stops) {
  std::string block(4096, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = char((i * 7 + 3) & 0xFF);
  block.replace(208, 4, le32(destinations));
  block.replace(212, 4, le32(stops));
  block.replace(216, 4, le32(0xAABBCCDD));  // a further section position
  unsigned sum = 0x55;
  for (std::size_t i = 0; i < 254; i += 2) sum += std::uint8_t(block[i]) | std::uint8_t(block[i + 1]) << 8;
  block.replace(254, 2, le16((0x10000 - (sum & 0xFFFF)) & 0xFFFF));
  return block;
}

// A BBF: magic, configSize, the block, the length field, then the sections
// (each behind 32 filler bytes).
inline std::string bbfBytes(const std::vector<UnitRec>& destinations, const std::vector<UnitRec>& stops,
                            unsigned configSize = 4096) {
  std::string sections;
  std::uint32_t destinationAt = 0, stopAt = 0;
  if (!destinations.empty()) {
    sections += std::string(32, '\x11');
    destinationAt = static_cast<std::uint32_t>(4106 + sections.size() - 6);
    sections += sectionBytes(destinations);
  }
  if (!stops.empty()) {
    sections += std::string(32, '\x22');
    stopAt = static_cast<std::uint32_t>(4106 + sections.size() - 6);
    sections += sectionBytes(stops);
  }
  return std::string("\x54\x76\x02\x10", 4) + le16(configSize) + configBlockBytes(destinationAt, stopAt) +
         le32(static_cast<std::uint32_t>(sections.size())) + sections;
}

}  // namespace dorvak::test
