#pragma once
// Intel HEX records as the panel's programming tool reads them.
//
// Writing: data goes out in pieces of at most 256 bytes, each cut into
// records of at most 32 bytes; a record never crosses a 64 KiB boundary, and
// an extended segment address record switches to the second bank.
//
// Reading: every line up to the end record is checked; the data records are
// kept with their absolute addresses (bank x 0x10000 + record address).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvak {

inline constexpr std::uint32_t kBankSize = 0x10000;
inline constexpr std::uint32_t kImageSize = 2 * kBankSize;

// Two upper-case hexadecimal digits.
std::string hexByte(std::uint8_t value);
// The two's complement of the low byte of the sum of the bytes.
std::uint8_t recordChecksum(std::span<const std::uint8_t> bytes);

class HexRecordWriter {
 public:
  explicit HexRecordWriter(std::string& out) : out_(out) {}

  // Writes bytes from an absolute image address on. Throws "Panel memory
  // overflow" when they do not fit into the two banks.
  void write(std::uint32_t address, std::span<const std::uint8_t> bytes);
  void writeEnd();

 private:
  void writeRecord(std::uint8_t type, std::uint16_t address, std::span<const std::uint8_t> data);

  std::string& out_;
  std::uint32_t bank_ = 0;
};

struct HexRecordSpan {
  std::uint32_t address;  // absolute address of the first byte
  std::uint32_t offset;   // into ParsedHex::data
  std::uint32_t size;
};

struct ParsedHex {
  std::vector<std::uint8_t> data;     // the data bytes of all records, in file order
  std::vector<HexRecordSpan> records; // data records with at least one byte
  // Set when the lines stopped being readable before the end record; the
  // records before the failing line are kept, and a reader raises the error
  // only when it needs what lies beyond them.
  std::optional<std::string> error;
};

// Progress gets the number of characters consumed so far.
ParsedHex parseHexRecords(std::string_view text, const std::function<void(std::size_t)>& progress = {});

// The memory image that the records describe: each byte at its address,
// whatever the order of the records, so that records swapped or repeated read
// like the ordered file. A record that gives a byte another value than an
// earlier one, or reaches past the second bank, ends the image as an
// unreadable line would ("File format error"): the records before it stay.
// The bytes live in memory that the system hands out zeroed, so a small file
// touches only the pages it describes.
class HexImage {
 public:
  struct Run {
    std::uint32_t begin, end;  // described addresses begin..end-1
  };

  HexImage();

  // Places a record's bytes; false, with nothing placed, when they reach
  // past the second bank or give a described byte another value.
  bool place(std::uint32_t address, std::span<const std::uint8_t> bytes);

  // All kImageSize bytes; gaps hold 0.
  const std::uint8_t* bytes() const { return bytes_.get(); }
  // The described addresses: ascending runs, each followed by a gap.
  std::vector<Run> runs() const;

  std::optional<std::string> error;  // what stopped the records, if anything did

 private:
  struct Free {
    void operator()(std::uint8_t* p) const;
  };
  std::unique_ptr<std::uint8_t[], Free> bytes_;
  std::vector<std::uint64_t> described_;  // one bit an address
};

// The image of the records up to the end record, read in one pass. Taken,
// when given, sees each record that went into the image, in file order.
HexImage readHexImage(std::string_view text, const std::function<void(std::size_t)>& progress = {},
                      const std::function<void(std::uint32_t address, std::span<const std::uint8_t> bytes)>& taken = {});

}  // namespace dorvak
