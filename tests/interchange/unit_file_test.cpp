// The layout of BBD and BBF files: kinds, the configuration checksum, the
// header stage and the walk over a section's records.

#include "interchange/unit_file.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "interchange/unit_bytes.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::errorOf;

using test::bbdBytes;
using test::bbfBytes;
using test::named;

ConfigBlock blockOf(const std::string& bytes) {
  ConfigBlock block{};
  std::copy(bytes.begin(), bytes.end(), block.begin());
  return block;
}

TEST(UnitFileKindTest, OnlyTheBbfExtensionInAnyCaseMakesABbf) {
  EXPECT_EQ(unitFileKind("unit.bbf"), UnitFileKind::Bbf);
  EXPECT_EQ(unitFileKind("/data/UNIT.BBF"), UnitFileKind::Bbf);
  EXPECT_EQ(unitFileKind("C:\\data\\unit.Bbf"), UnitFileKind::Bbf);
  EXPECT_EQ(unitFileKind("unit.bbd"), UnitFileKind::Bbd);
  EXPECT_EQ(unitFileKind("unit.dat"), UnitFileKind::Bbd);
  EXPECT_EQ(unitFileKind("unit"), UnitFileKind::Bbd);
  EXPECT_EQ(unitFileKind("folder.bbf/unit"), UnitFileKind::Bbd) << "the extension is the name's, not the folder's";
  EXPECT_EQ(unitFileKind("folder.bbf\\unit"), UnitFileKind::Bbd);
  EXPECT_EQ(unitFileKind("unit.bbf.bak"), UnitFileKind::Bbd);
}

TEST(ConfigChecksum, TheChecksumWordMakesTheFirst256BytesSumToZero) {
  ConfigBlock block = blockOf(test::configBlockBytes(1234, 0));
  EXPECT_TRUE(configBlockValid(block));
  std::uint16_t stored = static_cast<std::uint16_t>(block[254] | block[255] << 8);
  EXPECT_EQ(configChecksum(block), stored);

  block[3] ^= 0x01;
  EXPECT_FALSE(configBlockValid(block));
  std::uint16_t fixed = configChecksum(block);
  block[254] = static_cast<std::uint8_t>(fixed & 0xFF);
  block[255] = static_cast<std::uint8_t>(fixed >> 8);
  EXPECT_TRUE(configBlockValid(block));

  block[256] ^= 0xFF;
  block[4095] ^= 0xFF;
  EXPECT_TRUE(configBlockValid(block)) << "bytes from 256 on take no part";
}

TEST(ConfigChecksum, ABlockWhoseChecksumWordIsZeroIsValid) {
  ConfigBlock block{};
  block[0] = 0xAB;  // 0xFFAB + 0x55 = 0x10000
  block[1] = 0xFF;
  EXPECT_EQ(configChecksum(block), 0);
  EXPECT_TRUE(configBlockValid(block));
  ConfigBlock zero{};
  EXPECT_FALSE(configBlockValid(zero)) << "0x55 alone is not zero";
  EXPECT_EQ(configChecksum(zero), 0x10000 - 0x55);
}

TEST(UnitHeader, BbdGivesItsSectionPositionsAndKt700Flag) {
  std::string bytes = bbdBytes({named(1, "A")}, {named(2, "B")}, true, "name");
  UnitFileHeader header = readUnitHeader(bytes, UnitFileKind::Bbd, true);
  EXPECT_EQ(header.destinationSection, 128u + 5 + 32);
  EXPECT_EQ(header.stopSection, 128u + 5 + 32 + 7 + 2 + 32);
  EXPECT_TRUE(header.kt700Codes);
  EXPECT_EQ(header.end, 133u);
  EXPECT_FALSE(readUnitHeader(bbdBytes({}, {}), UnitFileKind::Bbd, true).kt700Codes);
  EXPECT_EQ(readUnitHeader(bbdBytes({}, {}), UnitFileKind::Bbd, true).destinationSection, 0u);
}

TEST(UnitHeader, BbfPositionsCountFromTheBlockStart) {
  std::string bytes = bbfBytes({named(1, "A")}, {named(2, "B")});
  UnitFileHeader header = readUnitHeader(bytes, UnitFileKind::Bbf, true);
  EXPECT_EQ(header.destinationSection, 4106u + 32);
  EXPECT_EQ(header.stopSection, 4106u + 32 + 7 + 2 + 32);
  EXPECT_EQ(header.configSize, 4096);
  EXPECT_EQ(header.end, 4106u);
  EXPECT_FALSE(header.endsAfterConfig);
  EXPECT_EQ(header.block[0], 3) << "the block is kept as read";
}

TEST(UnitHeader, ABbfEndingBehindItsBlockHasNothingToRead) {
  std::string bytes = bbfBytes({}, {}).substr(0, 4102);
  UnitFileHeader header = readUnitHeader(bytes, UnitFileKind::Bbf, true);
  EXPECT_TRUE(header.endsAfterConfig);
  // Two bytes more: a reader of texts needs the length field, one of ekvivalents does not.
  std::string longer = bytes + "\xFF\xFF";
  EXPECT_EQ(errorOf([&] { readUnitHeader(longer, UnitFileKind::Bbf, true); }), "Read beyond end of file");
  EXPECT_FALSE(readUnitHeader(longer, UnitFileKind::Bbf, false).endsAfterConfig);
}

TEST(UnitHeader, WrongMagicSignatureOrChecksumIsAFormatError) {
  std::string bbf = bbfBytes({named(1, "A")}, {});
  std::string wrongMagic = bbf;
  wrongMagic[3] = 0x11;
  EXPECT_EQ(errorOf([&] { readUnitHeader(wrongMagic, UnitFileKind::Bbf, true); }), "File format error");
  std::string badChecksum = bbf;
  badChecksum[6 + 100] ^= 0x40;
  EXPECT_EQ(errorOf([&] { readUnitHeader(badChecksum, UnitFileKind::Bbf, true); }), "File format error");
  std::string bbd = bbdBytes({named(1, "A")}, {});
  bbd[7] = '1';
  EXPECT_EQ(errorOf([&] { readUnitHeader(bbd, UnitFileKind::Bbd, true); }), "File format error");
  EXPECT_EQ(errorOf([&] { readUnitHeader(bbfBytes({}, {}), UnitFileKind::Bbd, true); }), "File format error")
      << "a BBF named .bbd is no BBD";
  EXPECT_THROW(readUnitHeader(wrongMagic, UnitFileKind::Bbf, true), FileAccessError) << "nothing was read";
}

TEST(UnitHeader, AFileShorterThanItsHeaderIsReadBeyondItsEnd) {
  std::string bbf = bbfBytes({named(1, "A")}, {});
  for (std::size_t size : {0u, 3u, 5u, 4101u})
    EXPECT_EQ(errorOf([&] { readUnitHeader(bbf.substr(0, size), UnitFileKind::Bbf, true); }),
              "Read beyond end of file")
        << size;
  EXPECT_THROW(readUnitHeader(bbf.substr(0, 100), UnitFileKind::Bbf, true), FileAccessError);
  std::string bbd = bbdBytes({named(1, "A")}, {}, false, "name");
  for (std::size_t size : {0u, 127u, 128u, 130u})
    EXPECT_EQ(errorOf([&] { readUnitHeader(bbd.substr(0, size), UnitFileKind::Bbd, true); }),
              "Read beyond end of file")
        << size;
}

TEST(UnitRecords, NameItemsAreCollectedAndOtherKindsReadPast) {
  std::string section = test::sectionBytes({
      {7, {{0x10, "route"}, {0x80, "FIRST"}, {0x80, "SECOND"}, {0x81, "other"}}},
      {3, {}},
      {65534, {{0x80, ""}}},
  });
  UnitRecordReader reader(section, 0);
  auto first = reader.next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->number, 7);
  EXPECT_EQ(first->names, (std::vector<std::string>{"FIRST", "SECOND"}));
  auto empty = reader.next();
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->number, 3);
  EXPECT_TRUE(empty->names.empty());
  auto last = reader.next();
  ASSERT_TRUE(last);
  EXPECT_EQ(last->number, 65534);
  EXPECT_EQ(last->names, (std::vector<std::string>{""}));
  EXPECT_FALSE(reader.next());
  EXPECT_EQ(reader.position(), section.size());
}

TEST(UnitRecords, NoLengthIsTrustedBeyondTheFile) {
  std::string section = test::sectionBytes({named(1, "ONE"), named(2, "TWO")});
  // Cut anywhere inside the second record or the terminator.
  for (std::size_t cut = 9; cut < section.size(); ++cut) {
    UnitRecordReader reader(std::string_view(section).substr(0, cut), 0);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(errorOf([&] { while (reader.next()) {} }), "Read beyond end of file") << cut;
  }
  std::string huge = test::le16(1) + test::le16(0xFFFE) + "\x80" "A\r" "\xFF\xFF";
  EXPECT_EQ(errorOf([&] { UnitRecordReader(huge, 0).next(); }), "Read beyond end of file");
  EXPECT_EQ(errorOf([&] { UnitRecordReader(section, section.size() + 10).next(); }), "Read beyond end of file");
}

TEST(UnitRecords, AnItemWithoutItsCrInsideTheRecordIsAFormatError) {
  // Length 3 covers 0x80 "AB" but not the CR that follows.
  std::string bytes = test::le16(1) + test::le16(3) + "\x80" "AB\r" "\xFF\xFF";
  EXPECT_EQ(errorOf([&] { UnitRecordReader(bytes, 0).next(); }), "File format error");
  try {
    UnitRecordReader(bytes, 0).next();
  } catch (const FileAccessError&) {
    ADD_FAILURE() << "a record fails part way, not before anything was read";
  } catch (const DorvakError&) {
  }
}

TEST(UnitWriting, ARecordCountsKindTextAndCr) {
  std::string out;
  appendNameRecord(out, 0x1234, "AB");
  EXPECT_EQ(out, std::string("\x34\x12\x04\x00\x80" "AB\r", 8));
  std::string head;
  appendSectionHead(head);
  EXPECT_EQ(head, std::string(8, '\0') + "CILE" + std::string(20, '\0'));
}

}  // namespace
}  // namespace dorvak
