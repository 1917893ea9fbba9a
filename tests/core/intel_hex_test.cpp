#include "core/intel_hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <span>
#include <vector>

#include "core/error.h"

namespace dorvak {
namespace {

std::vector<std::uint8_t> sequence(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  std::iota(bytes.begin(), bytes.end(), 0);
  return bytes;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto eol = text.find("\r\n", pos);
    out.push_back(text.substr(pos, eol - pos));
    pos = eol + 2;
  }
  return out;
}

TEST(HexRecordBasics, UpperCaseDigitsAndTwosComplementChecksum) {
  EXPECT_EQ(hexByte(0x00), "00");
  EXPECT_EQ(hexByte(0xAB), "AB");
  EXPECT_EQ(hexByte(0x0F), "0F");
  const std::uint8_t record[] = {0x02, 0x00, 0x00, 0x02, 0x10, 0x00};
  EXPECT_EQ(recordChecksum(record), 0xEC);
  EXPECT_EQ(recordChecksum({}), 0x00);
}

TEST(HexRecordWriting, RecordAtTheBankBoundaryIsSplitAndSwitchesBank) {
  std::string out;
  HexRecordWriter writer(out);
  auto data = sequence(10);
  writer.write(0xFFF8, data);
  auto got = lines(out);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], ":08FFF8000001020304050607E5");
  EXPECT_EQ(got[1], ":020000021000EC");
  EXPECT_EQ(got[2], ":020000000809ED");
}

// Every byte value in every place of a record, against the C library's
// formatting and a checksum summed here.
TEST(HexRecordWriting, EveryByteValueIsWrittenAsTwoUpperCaseDigits) {
  std::vector<std::uint8_t> bytes(256);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  for (std::size_t shift = 0; shift < 32; shift += 7) {
    std::rotate(bytes.begin(), bytes.begin() + 7, bytes.end());
    std::string out;
    HexRecordWriter(out).write(0x0100, bytes);
    auto got = lines(out);
    ASSERT_EQ(got.size(), 8u);
    for (std::size_t r = 0; r < got.size(); ++r) {
      unsigned sum = 0x20 + 0x01 + r * 0x20;
      std::string expected = ":20";
      char digits[8];
      std::snprintf(digits, sizeof digits, "%04zX00", 0x100 + r * 32);
      expected += digits;
      for (std::size_t i = r * 32; i < r * 32 + 32; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        expected += digits;
        sum += bytes[i];
      }
      std::snprintf(digits, sizeof digits, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
      EXPECT_EQ(got[r], expected + digits) << shift << " " << r;
    }
  }
}

TEST(HexRecordWriting, PiecesOf256AreCutInto32ByteRecords) {
  std::string out;
  HexRecordWriter writer(out);
  writer.write(0, sequence(300));
  writer.writeEnd();
  auto got = lines(out);
  ASSERT_EQ(got.size(), 11u);  // 8 + 2 data records, then the end record
  for (int i = 0; i < 9; ++i) EXPECT_EQ(got[static_cast<std::size_t>(i)].substr(0, 3), ":20") << i;
  EXPECT_EQ(got[9].substr(0, 7), ":0C0120");
  EXPECT_EQ(got[10], ":00000001FF");
}

TEST(HexRecordWriting, NothingGoesBeyondTheSecondBank) {
  std::string out;
  HexRecordWriter writer(out);
  auto data = sequence(64);
  EXPECT_NO_THROW(writer.write(0x1FFC0, data));
  try {
    writer.write(0x20000, sequence(1));
    FAIL() << "expected an overflow";
  } catch (const DorvakError& e) {
    EXPECT_STREQ(e.what(), "Panel memory overflow");
  }
}

TEST(HexRecordReading, AddressesIncludeTheBankAndEmptyLinesAreSkipped) {
  auto hex = parseHexRecords(":03001000010203E7\r\n\r\n:020000021000EC\n:01002000429D\n:00000001FF\r\n");
  EXPECT_FALSE(hex.error);
  ASSERT_EQ(hex.records.size(), 2u);
  EXPECT_EQ(hex.records[0].address, 0x10u);
  EXPECT_EQ(hex.records[1].address, 0x10020u);
  EXPECT_EQ(hex.data, (std::vector<std::uint8_t>{1, 2, 3, 0x42}));
}

TEST(HexRecordReading, LinearAddressRecordsOfOtherToolsSelectTheBank) {
  auto hex = parseHexRecords(":020000040001F9\n:0100000042BD\n:020000040000FA\n:0100000043BC\n:00000001FF\n");
  EXPECT_FALSE(hex.error);
  ASSERT_EQ(hex.records.size(), 2u);
  EXPECT_EQ(hex.records[0].address, 0x10000u);
  EXPECT_EQ(hex.records[1].address, 0x00000u);
}

struct BadLine {
  const char* name;
  const char* text;
  const char* error;
  std::size_t recordsKept = 1;
};

class HexRecordErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(HexRecordErrors, StopTheLinesWithTheirMessageAndKeepWhatCameBefore) {
  auto hex = parseHexRecords(std::string(":0100000041BE\n") + GetParam().text);
  ASSERT_TRUE(hex.error);
  EXPECT_EQ(*hex.error, GetParam().error);
  EXPECT_EQ(hex.records.size(), GetParam().recordsKept);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HexRecordErrors,
    ::testing::Values(BadLine{"Empty", "", "Read beyond end of file"},
                      BadLine{"NoEndRecord", ":0100000042BD\n", "Read beyond end of file", 2},
                      BadLine{"NoColon", "0100000042BD\n:00000001FF\n", "File format error"},
                      BadLine{"LowerCase", ":0100000042bd\n:00000001FF\n", "File format error"},
                      BadLine{"CountTooLarge", ":0200000042BC\n:00000001FF\n", "File format error"},
                      BadLine{"TooShort", ":01000000\n", "File format error"},
                      BadLine{"BadChecksum", ":0100000042BE\n:00000001FF\n", "Check sum error"},
                      BadLine{"UnknownType", ":0100000742B6\n:00000001FF\n", "File format error"}),
    [](const auto& info) { return std::string(info.param.name); });

// A line longer than the longest record (count FF: 1 + 2 x 260 characters)
// is refused before any of its bytes is taken, however long it is.
TEST(HexRecordReading, OverlongLinesAreRefusedBeforeTheirBytesAreTaken) {
  std::string longest = ":FF000000" + std::string(2 * 255, '0') + "01";
  auto fine = parseHexRecords(longest + "\n:00000001FF\n");
  EXPECT_FALSE(fine.error);
  ASSERT_EQ(fine.records.size(), 1u);
  EXPECT_EQ(fine.records[0].size, 255u);
  for (std::size_t digits : {522u, 700u, 100000u}) {
    std::string line = ":" + std::string(digits, 'F');
    if (line.size() % 2 == 0) line += 'F';
    auto hex = parseHexRecords(":0100000041BE\n" + line + "\n:00000001FF\n");
    ASSERT_TRUE(hex.error) << digits;
    EXPECT_EQ(*hex.error, "File format error") << digits;
    EXPECT_EQ(hex.records.size(), 1u) << digits;
  }
}

// Every character in every place of a record's data, some digits read eight
// at a time and some one by one: only the upper-case digits are taken, each
// for its value.
TEST(HexRecordReading, EveryCharacterInEveryPlaceIsTakenOnlyAsAnUpperCaseDigit) {
  const std::string_view digits = "0123456789ABCDEF";
  for (std::size_t place = 0; place < 18; ++place) {
    for (int c = 0; c < 256; ++c) {
      std::vector<std::uint8_t> record = {9, 0x12, 0x34, 0};
      std::vector<std::uint8_t> data = {0xFF, 0xEE, 0xD7, 0xC9, 0xB0, 0xA5, 0x9F, 0x88, 0xFE};  // sums that carry
      std::string text;
      for (auto b : data) text += hexByte(b);
      text[place] = static_cast<char>(c);
      const std::size_t value = digits.find(static_cast<char>(c));
      std::uint8_t& byte = data[place / 2];
      if (value != std::string_view::npos)
        byte = static_cast<std::uint8_t>(place % 2 ? (byte & 0xF0) | value : value << 4 | (byte & 0x0F));
      record.insert(record.end(), data.begin(), data.end());
      const std::string line = ":091234" "00" + text + hexByte(recordChecksum(record)) + "\r\n";
      auto hex = parseHexRecords(line + ":00000001FF\r\n");
      if (value == std::string_view::npos) {
        ASSERT_TRUE(hex.error) << place << " " << c;
        EXPECT_EQ(*hex.error, "File format error") << place << " " << c;
      } else {
        ASSERT_FALSE(hex.error) << place << " " << c;
        EXPECT_EQ(hex.data, data) << place << " " << c;
      }
    }
  }
}

TEST(HexImageBuilding, RunsJoinTouchingRecordsAndOtherValuesAreRefused) {
  HexImage image;
  EXPECT_TRUE(image.place(60, sequence(10)));
  EXPECT_TRUE(image.place(70, sequence(3)));
  EXPECT_TRUE(image.place(200, sequence(130)));
  EXPECT_TRUE(image.place(kImageSize - 1, sequence(1)));
  const std::vector<std::uint8_t> same = {2, 3, 4}, other = {9};
  EXPECT_TRUE(image.place(62, same));
  EXPECT_FALSE(image.place(65, other));
  EXPECT_FALSE(image.place(kImageSize - 1, sequence(2)));
  EXPECT_FALSE(image.place(kImageSize, sequence(1)));
  std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
  for (auto run : image.runs()) runs.emplace_back(run.begin, run.end);
  EXPECT_EQ(runs, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{60, 73}, {200, 330}, {kImageSize - 1, kImageSize}}));
  EXPECT_EQ(image.bytes()[65], 5);
  EXPECT_EQ(image.bytes()[100], 0);
  EXPECT_EQ(image.bytes()[329], 129);
}

// The records that the plainest reading of the lines gives: each line up to
// its LF, trimmed, decoded digit by digit.
ParsedHex plainReading(std::string_view text) {
  ParsedHex out;
  const std::string_view digits = "0123456789ABCDEF";
  std::uint32_t bank = 0;
  std::size_t pos = 0;
  auto stop = [&](const char* message) { return out.error = message, out; };
  while (true) {
    if (pos >= text.size()) return stop("Read beyond end of file");
    std::size_t eol = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, eol - pos);
    pos = eol + 1;
    while (!line.empty() && std::string_view("\r \t").find(line.back()) != std::string_view::npos) line.remove_suffix(1);
    if (line.empty()) continue;
    if (line[0] != ':' || line.size() < 11 || line.size() % 2 == 0 || line.size() > 521) return stop("File format error");
    std::vector<std::uint8_t> b;
    for (std::size_t i = 1; i < line.size(); i += 2) {
      std::size_t high = digits.find(line[i]), low = digits.find(line[i + 1]);
      if (high == std::string_view::npos || low == std::string_view::npos) return stop("File format error");
      b.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    if (b.size() != b[0] + 5u) return stop("File format error");
    if (b[3] == 1) return out;
    if (b[3] == 2) {
      bank = 1;
      continue;
    }
    if (std::accumulate(b.begin(), b.end(), 0u) % 256 != 0) return stop("Check sum error");
    if (b[3] == 4) {
      if (b[0] != 2 || b[4] != 0 || b[5] > 1) return stop("File format error");
      bank = b[5];
      continue;
    }
    if (b[3] == 3 || b[3] == 5) continue;
    if (b[3] != 0) return stop("File format error");
    if (b[0] == 0) continue;
    out.records.push_back({bank * kBankSize + (b[1] << 8 | b[2]), static_cast<std::uint32_t>(out.data.size()), b[0]});
    out.data.insert(out.data.end(), b.begin() + 4, b.end() - 1);
  }
}

// Files spoilt by random edits read as the plainest reading reads them:
// the reader's shortcuts (a line's end taken from its count, sixteen digits
// at a time) change nothing.
TEST(HexRecordReading, SpoiltFilesReadAsThePlainestReadingReadsThem) {
  std::string good;
  HexRecordWriter writer(good);
  std::vector<std::uint8_t> bytes(300);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 77 + 5);
  writer.write(0xFF80, bytes);
  writer.write(0x1FFF0, std::span(bytes).first(7));
  writer.writeEnd();
  good.insert(good.find(":20FFE0"), ":020000040001F9\n:0100000041BE \n\n");  // LF only, a blank, an empty line
  std::mt19937 random(19);
  const std::string_view alphabet = ":0123456789ABCDEFaf \r\n\t";
  for (int round = 0; round < 20000; ++round) {
    std::string text = good;
    for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
      std::size_t at = random() % text.size();
      char c = alphabet[random() % alphabet.size()];
      switch (random() % 3) {
        case 0: text[at] = c; break;
        case 1: text.insert(at, 1, c); break;
        default: text.erase(at, 1);
      }
    }
    ParsedHex got = parseHexRecords(text), expected = plainReading(text);
    ASSERT_EQ(got.error, expected.error) << text;
    ASSERT_EQ(got.data, expected.data) << text;
    ASSERT_EQ(got.records.size(), expected.records.size()) << text;
    for (std::size_t r = 0; r < got.records.size(); ++r) ASSERT_EQ(got.records[r].address, expected.records[r].address) << text;
  }
}

TEST(HexRecordReading, LinesAfterTheEndRecordAreNotRead) {
  auto hex = parseHexRecords(":0100000041BE\n:00000001FF\ngarbage\n");
  EXPECT_FALSE(hex.error);
  EXPECT_EQ(hex.records.size(), 1u);
}

}  // namespace
}  // namespace dorvak
