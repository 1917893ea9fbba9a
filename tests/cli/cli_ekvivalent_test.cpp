// dorvak-cli ekvivalents read and write, and import from BBD/BBF files.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_run.h"
#include "core/hex_writer.h"
#include "core/intel_hex.h"
#include "interchange/unit_bytes.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::bbdBytes;
using test::bbfBytes;
using test::named;

using test::CliRun;

CliRun cli(std::vector<std::string> args) { return test::runCliWith(std::move(args)); }

// The sample data base: destinations 012 (two rows), 999 "DEPO" and the
// starting one; stops 0042 and 9999.
class CliEkvivalents : public ::testing::Test {
 protected:
  void SetUp() override { writeHexFile(test::makeSampleDatabase(FirmwareVersion::V2_15), file("db.hex")); }
  std::string file(const std::string& name) const { return dir.file(name); }
  std::string write(const std::string& name, const std::string& bytes) {
    test::writeFile(file(name), bytes);
    return file(name);
  }
  nlohmann::json dump(const std::string& name) { return nlohmann::json::parse(cli({"dump", file(name)}).out); }
  // The panel image's bytes, as the table holds them.
  std::string imageOf(const std::string& name) {
    ParsedHex parsed = parseHexRecords(test::readFile(file(name)));
    return std::string(parsed.data.begin(), parsed.data.end());
  }
  test::TempDir dir;
};

TEST_F(CliEkvivalents, WriteThenReadKeepsTheEkvivalents) {
  CliRun written = cli({"ekvivalents", "write", file("db.hex"), file("unit.bbd"), "--mode", "kt500"});
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, "2 ekvivalents written, order alpha\n");
  std::string bytes = test::readFile(file("unit.bbd"));
  EXPECT_EQ(bytes.substr(0, 8), "DTAKT500");
  EXPECT_EQ(bytes.substr(bytes.size() - 6), std::string("\xFF\xFF\0\0\0\0", 6));

  // Explicit ekvivalents in the unit file come back after the CR.
  write("other.bbd", bbdBytes({named(999, "GARAGE"), named(12, "MAIN")}, {}));
  CliRun read = cli({"--mode", "kt500", "ekvivalents", "read", file("db.hex"), file("other.bbd"), "-o", file("out.hex")});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "2 ekvivalents read, 0 not found, order alpha\n");
  std::string image = imageOf("out.hex");
  EXPECT_NE(image.find("999\x0B\x00" "DEPO\rGARAGE"), std::string::npos)
      << "written with the mode none, so the destination table keeps them";
  EXPECT_NE(image.find("Z\rMAIN"), std::string::npos);

  // Open keeps them: dump shows them in the text (not in the notation), and
  // a separate write puts them into a unit file again.
  auto doc = dump("out.hex");
  EXPECT_EQ(doc["destinations"][1]["key"], "0999");
  EXPECT_EQ(doc["destinations"][1]["text"], "4445504f0d474152414745") << "DEPO CR GARAGE";
  EXPECT_EQ(doc["destinations"][1]["notation"], "'DEPO' CR");
  CliRun again = cli({"ekvivalents", "write", file("out.hex"), file("again.bbd"), "--mode", "kt500", "--order", "number"});
  ASSERT_EQ(again.status, 0) << again.err;
  std::string unit = test::readFile(file("again.bbd"));
  EXPECT_EQ(unit.substr(161, 9), std::string("\x0C\x00\x06\x00\x80" "MAIN", 9));
  EXPECT_EQ(unit.substr(161 + 10, 11), std::string("\xE7\x03\x08\x00\x80" "GARAGE", 11));

  // With a mode the panel gets the texts without them.
  ASSERT_EQ(cli({"convert", file("out.hex"), "-o", file("panel.hex"), "--mode", "kt500"}).status, 0);
  EXPECT_EQ(imageOf("panel.hex").find("GARAGE"), std::string::npos);
}

TEST_F(CliEkvivalents, WriteByNumber) {
  CliRun written = cli({"ekvivalents", "write", file("db.hex"), file("unit.bbd"), "--mode", "kt500", "--order", "number"});
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, "2 ekvivalents written, order number\n");
  std::string bytes = test::readFile(file("unit.bbd"));
  EXPECT_EQ(bytes.substr(161, 5), std::string("\x0C\x00\x0E\x00\x80", 5)) << "012 and its 12 characters first";
  EXPECT_EQ(bytes.substr(161 + 18, 10), std::string("\xE7\x03\x06\x00\x80" "DEPO\r", 10));
}

TEST_F(CliEkvivalents, MissingDestinationsAreReportedAndTheReadGoesOn) {
  write("unit.bbd", bbdBytes({named(5, "NOWHERE"), named(999, "DEPO")}, {}));
  CliRun read = cli({"ekvivalents", "read", "--mode", "kt500", file("db.hex"), file("unit.bbd"), "-o", file("out.hex")});
  EXPECT_EQ(read.status, 0);
  EXPECT_EQ(read.err, "Destination 0005 was not found in panel database.\n");
  EXPECT_EQ(read.out, "1 ekvivalents read, 1 not found, order number\n");
  EXPECT_NE(imageOf("out.hex").find("999\x05\x00" "DEPO\r"), std::string::npos) << "DEPO equals the derived ekvivalent";
}

TEST_F(CliEkvivalents, TheModeMustNameAUnit) {
  write("unit.bbd", bbdBytes({named(999, "DEPO")}, {}));
  CliRun read = cli({"ekvivalents", "read", file("db.hex"), file("unit.bbd"), "-o", file("out.hex")});
  EXPECT_EQ(read.status, 2);
  EXPECT_EQ(read.err, "ekvivalents read needs --mode kt500 or --mode kt700 (the on-board unit's codes)\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
  CliRun none = cli({"ekvivalents", "write", file("db.hex"), file("new.bbd"), "--mode", "none"});
  EXPECT_EQ(none.status, 2);
  EXPECT_FALSE(std::filesystem::exists(file("new.bbd")));
  CliRun kt700 = cli({"ekvivalents", "write", file("db.hex"), file("new.bbd"), "--mode", "kt700", "--order", "number"});
  EXPECT_EQ(kt700.status, 2);
  EXPECT_EQ(kt700.err, "KT700 ekvivalents are always written in alphabetical order; leave out --order number\n");
  write("unit.bbf", bbfBytes({}, {}));
  CliRun kt700Bbf = cli({"ekvivalents", "write", file("db.hex"), file("unit.bbf"), "--mode", "kt700"});
  EXPECT_EQ(kt700Bbf.status, 2);
  EXPECT_EQ(kt700Bbf.err, "A KT700 unit's data base is a BBD file; write the ekvivalents into a .bbd file\n");
  EXPECT_EQ(test::readFile(file("unit.bbf")), bbfBytes({}, {}));
  EXPECT_EQ(cli({"ekvivalents", "write", file("db.hex"), file("new.bbd"), "--mode", "kt500", "--order", "size"}).status, 2);
  EXPECT_EQ(cli({"ekvivalents", file("db.hex")}).status, 2);

  CliRun kt700Alpha = cli({"--mode", "kt700", "ekvivalents", "write", file("db.hex"), file("new.bbd")});
  ASSERT_EQ(kt700Alpha.status, 0) << kt700Alpha.err;
  EXPECT_EQ(test::readFile(file("new.bbd"))[28], 1);
}

TEST_F(CliEkvivalents, ABbfMustExistAndBeWhole) {
  CliRun missing = cli({"ekvivalents", "write", file("db.hex"), file("unit.bbf"), "--mode", "kt500"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "File " + file("unit.bbf") + " must exist and must contain configuration part of BBF !\n");
  EXPECT_FALSE(std::filesystem::exists(file("unit.bbf")));

  std::string damaged = bbfBytes({named(1, "OLD")}, {});
  damaged[6 + 40] ^= 0x08;
  write("unit.bbf", damaged);
  CliRun bad = cli({"ekvivalents", "write", file("db.hex"), file("unit.bbf"), "--mode", "kt500"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "File format error\n");
  EXPECT_EQ(test::readFile(file("unit.bbf")), damaged);

  std::string whole = bbfBytes({named(1, "OLD")}, {named(2, "STOP")});
  write("unit.bbf", whole);
  CliRun good = cli({"ekvivalents", "write", file("db.hex"), file("unit.bbf"), "--mode", "kt500"});
  ASSERT_EQ(good.status, 0) << good.err;
  std::string bytes = test::readFile(file("unit.bbf"));
  EXPECT_EQ(bytes.substr(0, 200), whole.substr(0, 200)) << "the configuration part stays";
  EXPECT_EQ(bytes.size(), 4138u + 18 + 10 + 2) << "the 12 characters of destination 012, and DEPO";
}

TEST_F(CliEkvivalents, ADamagedUnitFileWritesNothingOrWhatWasRead) {
  std::string bytes = bbdBytes({named(12, "MAIN"), named(999, "GARAGE")}, {});
  write("bad.bbd", "DTAKT600" + bytes.substr(8));
  CliRun wrong = cli({"ekvivalents", "read", "--mode", "kt500", file("db.hex"), file("bad.bbd"), "-o", file("out.hex")});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.err, "File format error\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));

  write("cut.bbd", bytes.substr(0, bytes.size() - 8));
  CliRun cut = cli({"ekvivalents", "read", "--mode", "kt500", file("db.hex"), file("cut.bbd"), "-o", file("cut.hex")});
  EXPECT_EQ(cut.status, 3);
  EXPECT_EQ(cut.err, "Read beyond end of file\n");
  EXPECT_EQ(cut.out, "1 ekvivalents read, 0 not found, order number\n");
  EXPECT_NE(imageOf("cut.hex").find("Z\rMAIN"), std::string::npos);
  EXPECT_NE(imageOf("cut.hex").find("999\x05\x00" "DEPO\rXXX"), std::string::npos) << "999 came after the cut";

  CliRun missing = cli({"ekvivalents", "read", "--mode", "kt500", file("db.hex"), file("no.bbd"), "-o", file("no.hex")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, file("no.bbd") + "\n");
}

// The same damage gets the same message and status from every reader of
// unit files, wherever the file was cut.
TEST_F(CliEkvivalents, ACutUnitFileReadsAlikeEverywhere) {
  for (const char* name : {"unit.bbd", "unit.bbf"}) {
    const bool bbf = std::string(name) == "unit.bbf";
    const std::string whole = bbf ? bbfBytes({named(12, "MAIN"), named(999, "GARAGE")}, {})
                                  : bbdBytes({named(12, "MAIN"), named(999, "GARAGE")}, {});
    std::vector<std::size_t> cuts = {0, 3, 5, 8, 100};
    for (std::size_t n = bbf ? 4096 : 120; n < whole.size(); ++n) cuts.push_back(n);
    int refused = 0;
    for (std::size_t n : cuts) {
      write(name, whole.substr(0, n));
      CliRun ekvivalents = cli({"ekvivalents", "read", "--mode", "kt500", file("db.hex"), file(name), "-o", file("e.hex")});
      CliRun import = cli({"import", file("db.hex"), "--destinations", file(name), "--add", "-o", file("i.hex")});
      EXPECT_EQ(ekvivalents.status, import.status) << name << " cut at " << n;
      EXPECT_EQ(ekvivalents.err, import.err) << name << " cut at " << n;
      refused += ekvivalents.err == "Read beyond end of file\n";
    }
    EXPECT_GT(refused, 40) << name;
  }
}

TEST_F(CliEkvivalents, ImportTakesTextsFromAUnitFile) {
  write("unit.bbf", bbfBytes({named(1, "ONE"), named(999, "DEPOT")}, {named(5, "FIVE"), named(42, "NEW")}));
  CliRun stops = cli({"import", file("db.hex"), "--stops", file("unit.bbf"), "--add", "-o", file("stops.hex")});
  ASSERT_EQ(stops.status, 0) << stops.err;
  EXPECT_EQ(stops.out, "stops: 1 added, 0 replaced, 3 in all\n") << "the duplicate 42 is skipped by default";

  CliRun destinations = cli({"import", file("db.hex"), "--destinations", file("unit.bbf"), "--add", "--on-duplicate",
                              "overwrite", "-o", file("dest.hex")});
  ASSERT_EQ(destinations.status, 0) << destinations.err;
  EXPECT_EQ(destinations.out, "destinations: 1 added, 1 replaced, 4 in all\n");
  auto doc = dump("dest.hex");
  EXPECT_EQ(doc["destinations"][0]["key"], "0001");

  write("unit.bbd", bbdBytes({named(1, "ONE")}, {}));
  CliRun read = cli({"import", file("db.hex"), "--stops", file("unit.bbd"), "-o", file("empty.hex")});
  EXPECT_EQ(read.status, 0);
  EXPECT_EQ(read.out, "stops: 0 added, 0 replaced, 0 in all\n") << "Read of a file without stops";

  CliRun lines = cli({"import", file("db.hex"), "--lines", file("unit.bbd"), "-o", file("lines.hex")});
  EXPECT_EQ(lines.status, 2);
  EXPECT_EQ(lines.err, "An on-board unit file (*.bbd, *.bbf) holds destinations and stops, no lines\n");

  std::string cutBytes = bbdBytes({}, {named(1, "ONE"), named(2, "TWO")});
  write("cut.bbd", cutBytes.substr(0, cutBytes.size() - 8));
  CliRun cut = cli({"import", file("db.hex"), "--stops", file("cut.bbd"), "-o", file("cut.hex")});
  EXPECT_EQ(cut.status, 3);
  EXPECT_EQ(cut.err, "Read beyond end of file\n");

  std::string damaged = bbfBytes({}, {named(1, "ONE")});
  damaged[0] = 0;
  write("bad.bbf", damaged);
  CliRun bad = cli({"import", file("db.hex"), "--stops", file("bad.bbf"), "-o", file("bad.hex")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "File format error\n");
  EXPECT_FALSE(std::filesystem::exists(file("bad.hex")));
}

}  // namespace
}  // namespace dorvak
