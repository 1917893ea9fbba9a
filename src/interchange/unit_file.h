#pragma once
// The data base files of the vehicle's on-board unit: BBF (a configuration
// part followed by data sections) and BBD (a fixed header followed by data
// sections). All numbers are little-endian and unsigned.
//
// BBF: magic 54 76 02 10, u16 configSize, the 4096-byte configuration block,
// a u32 length of what follows, then sections. The block holds at 208 and
// 212 the positions (from the block's start) of the destination and stop
// sections, five further positions at 216..232, and at 254 the checksum word.
//
// BBD: a 128-byte header ("DTAKT500", the data version in KT500 codes at 8,
// the KT700 flag at 28, at 64 the length from 64 to the end of the last
// section, at 68 and 72 the file offsets of the destination and stop
// sections), a name string (length byte, bytes), then sections.
//
// A section is a run of records ended by u16 0xFFFF; a record is u16 number,
// u16 length, and that many bytes of text items: a kind byte, characters, CR.
// The item of kind 0x80 carries the record's name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvak {

enum class UnitFileKind { Bbd, Bbf };

// BBF when the name's extension is ".bbf" in any letter case, else BBD.
UnitFileKind unitFileKind(std::string_view path);

namespace unit {
inline constexpr std::uint32_t kBbfMagic = 0x10027654;
inline constexpr std::size_t kConfigOffset = 6;  // behind the magic and configSize
inline constexpr std::size_t kConfigBlockSize = 4096;
inline constexpr std::size_t kBbfLengthOffset = kConfigOffset + kConfigBlockSize;  // 4102
inline constexpr std::size_t kBbfSectionsOffset = kBbfLengthOffset + 4;             // 4106
inline constexpr std::size_t kBlockDestinations = 208, kBlockStops = 212;
inline constexpr std::size_t kBlockSectionCount = 7;  // positions at 208, 212, ..., 232
inline constexpr std::size_t kBlockChecksum = 254;
inline constexpr std::size_t kChecksumSpan = 256;  // the bytes the checksum covers
inline constexpr std::uint16_t kChecksumSeed = 0x55;

inline constexpr std::string_view kBbdSignature = "DTAKT500";
inline constexpr std::size_t kBbdHeaderSize = 128;
inline constexpr std::size_t kBbdDataVersion = 8, kBbdDataVersionSize = 20;
inline constexpr std::size_t kBbdKt700Flag = 28;
inline constexpr std::size_t kBbdLength = 64, kBbdDestinations = 68, kBbdStops = 72;
inline constexpr std::size_t kBbdTrailer = 4;  // zero bytes behind the last section

inline constexpr std::uint16_t kSectionEnd = 0xFFFF;
inline constexpr std::uint8_t kNameItem = 0x80;
inline constexpr std::uint8_t kItemEnd = 0x0D;
inline constexpr std::size_t kSectionHeadSize = 32;  // 8 zeros, "CILE", 20 zeros
}  // namespace unit

using ConfigBlock = std::array<std::uint8_t, unit::kConfigBlockSize>;

// The checksum word that makes the block valid: the words of its first 256
// bytes, the checksum word left out, summed with 0x55, negated mod 65536.
std::uint16_t configChecksum(const ConfigBlock& block);
// (0x55 + the 128 words of the first 256 bytes) mod 65536 is 0.
bool configBlockValid(const ConfigBlock& block);

// Where the sections of a file begin, as its header says.
struct UnitFileHeader {
  UnitFileKind kind = UnitFileKind::Bbd;
  // A BBF that ends right behind its configuration block: nothing to read.
  bool endsAfterConfig = false;
  // File offsets of the first records; 0: the file has no such section.
  std::uint64_t destinationSection = 0;
  std::uint64_t stopSection = 0;
  // BBD header byte 28: the texts are in KT700 codes.
  bool kt700Codes = false;
  // Where the header stage ended, for the progress display.
  std::size_t end = 0;
  // BBF: the magic, configSize and block as read.
  std::uint16_t configSize = 0;
  ConfigBlock block{};
};

// The header stage of a read. Throws FileAccessError (nothing could be read
// from the file): "File format error" for a wrong magic or signature or a
// failed checksum, "Read beyond end of file" when the file is shorter than
// its header. withLengthField: a BBF with anything behind its block must
// hold the u32 length field as well.
UnitFileHeader readUnitHeader(std::string_view bytes, UnitFileKind kind, bool withLengthField);

// Where the records of a section start (0: the file has no such section).
// A section that starts beyond the file's end, too close to it for its
// terminator, is known before anything is read: FileAccessError "Read beyond
// end of file", so that every reader refuses such a file alike.
std::uint64_t sectionStart(const UnitFileHeader& header, std::string_view bytes, bool stops);

// The whole file. Throws FileAccessError whose text is the file's name when
// the file cannot be opened, "File $ is too large" above the limit.
std::string readUnitFile(const std::string& path);

// The largest unit file a read accepts.
inline constexpr std::size_t kMaxUnitFileSize = 64u << 20;

// One record of a section: its number and the texts of its name items (in
// the unit's codes, without the CR), in file order.
struct UnitRecord {
  std::uint16_t number = 0;
  std::vector<std::string> names;
};

// Walks the records of one section. Every length is checked against the
// file: a record that runs past the end throws "Read beyond end of file", an
// item without its CR inside the record "File format error".
class UnitRecordReader {
 public:
  UnitRecordReader(std::string_view bytes, std::uint64_t position) : bytes_(bytes), position_(position) {}
  // The next record, or nothing at the section's end.
  std::optional<UnitRecord> next();
  // Bytes consumed up to here, for the progress display.
  std::uint64_t position() const { return position_; }

 private:
  std::string_view bytes_;
  std::uint64_t position_;
};

// Writing: the pieces that both file kinds share.
void appendU16(std::string& out, std::uint16_t value);
void appendU32(std::string& out, std::uint32_t value);
void putU32(std::string& out, std::size_t offset, std::uint32_t value);
std::uint16_t getU16(std::string_view bytes, std::size_t offset);
std::uint32_t getU32(std::string_view bytes, std::size_t offset);
void appendSectionHead(std::string& out);
// number, length, one name item: 0x80, the text, CR.
void appendNameRecord(std::string& out, std::uint16_t number, std::string_view text);

}  // namespace dorvak
