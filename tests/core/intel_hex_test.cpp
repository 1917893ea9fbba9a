#include "core/intel_hex.h"

#include <gtest/gtest.h>

#include <numeric>
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

TEST(HexRecordReading, LinesAfterTheEndRecordAreNotRead) {
  auto hex = parseHexRecords(":0100000041BE\n:00000001FF\ngarbage\n");
  EXPECT_FALSE(hex.error);
  EXPECT_EQ(hex.records.size(), 1u);
}

}  // namespace
}  // namespace dorvak
