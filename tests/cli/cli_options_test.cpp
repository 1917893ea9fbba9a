// dorvak-cli's global options and the notation in its JSON documents.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/db_json.h"
#include "core/image_bytes.h"
#include "core/image_header.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::CliRun;

CliRun cli(std::vector<std::string> args) { return test::runCliWith(std::move(args)); }

class CliOptions : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return dir.file(name); }
  std::string writeJson(const nlohmann::ordered_json& doc, const std::string& name) {
    test::writeFile(file(name), doc.dump());
    return file(name);
  }
  test::TempDir dir;
};

TEST_F(CliOptions, DumpShowsNotationBesideTheExactText) {
  auto doc = databaseToJson(test::makeSampleDatabase(FirmwareVersion::V2_15));
  EXPECT_EQ(doc["lines"][0]["notation"], "f0 '7' CR");
  EXPECT_EQ(doc["destinations"][0]["notation"], "f0 'HLAVNá NáDRA' #174 LF y1 'Z' CR") << "ESC 1 is the shift 1";
  EXPECT_EQ(doc["stops"][0]["notation"], "'Na Kopci' CR");
}

TEST_F(CliOptions, BuildReadsNotationWhenThereIsNoText) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.destinations.putEntry("0012", "\xE0HLAVN\xA0\n\xC1Z\r");  // no ESC forms: notation gives single bytes
  auto exact = databaseToJson(db);
  auto byHand = exact;
  for (const char* list : {"lines", "destinations", "stops"})
    for (auto& entry : byHand[list]) entry.erase("text");
  ASSERT_EQ(cli({"build", writeJson(exact, "exact.json"), "-o", file("exact.hex")}).status, 0);
  CliRun built = cli({"build", writeJson(byHand, "hand.json"), "-o", file("hand.hex")});
  ASSERT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(test::readFile(file("hand.hex")), test::readFile(file("exact.hex")));

  auto written = exact;
  written["stops"][0].erase("text");
  written["stops"][0]["notation"] = "f1 'Nové Město' CR";
  ASSERT_EQ(cli({"build", writeJson(written, "new.json"), "-o", file("new.hex")}).status, 0);
  auto dumped = nlohmann::json::parse(cli({"dump", file("new.hex")}).out);
  EXPECT_EQ(dumped["stops"][0]["text"], "e14e6f7682204d8873746f0d") << "é is panel code 130, ě 136";

  auto ignored = exact;
  ignored["stops"][0]["notation"] = "'something else' CR";
  ASSERT_EQ(cli({"build", writeJson(ignored, "ignored.json"), "-o", file("ignored.hex")}).status, 0);
  EXPECT_EQ(test::readFile(file("ignored.hex")), test::readFile(file("exact.hex"))) << "text wins over notation";

  auto neither = exact;
  neither["stops"][0].erase("text");
  neither["stops"][0].erase("notation");
  CliRun missing = cli({"build", writeJson(neither, "neither.json"), "-o", file("x.hex")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("stops[0].text"), std::string::npos);
}

TEST_F(CliOptions, EkvivalentModeCutsDestinationEkvivalentsFromThePanelImage) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.destinations.putEntry("0999", "DEPO\rGARAGE");
  std::string json = writeJson(databaseToJson(db), "in.json");
  ASSERT_EQ(cli({"build", json, "-o", file("plain.hex")}).status, 0);
  ASSERT_EQ(cli({"--mode", "kt500", "build", json, "-o", file("kt500.hex")}).status, 0);
  ASSERT_EQ(cli({"build", json, "-o", file("after.hex"), "--mode", "kt700"}).status, 0) << "after the command too";
  auto lengthOf999 = [](const std::string& text) {
    test::ImageBytes image(text);
    std::uint32_t at = static_cast<std::uint32_t>(image.word(hdr::CilTable3));
    while (image.text(at, 3) != "999") at += 5 + static_cast<std::uint32_t>(image[at + 3] | image[at + 4] << 8);
    return image[at + 3];
  };
  EXPECT_EQ(lengthOf999(test::readFile(file("plain.hex"))), 11);
  EXPECT_EQ(lengthOf999(test::readFile(file("kt500.hex"))), 5);
  EXPECT_EQ(lengthOf999(test::readFile(file("after.hex"))), 5);
}

TEST_F(CliOptions, Kt500TableTranslatesTheDataVersion) {
  std::string table(128, 'd');
  table[0xC8 - 128] = '\x99';
  test::writeFile(file("unit.tbk"), table);
  std::string json = writeJson(databaseToJson(test::makeSampleDatabase(FirmwareVersion::V2_15)), "in.json");
  ASSERT_EQ(cli({"build", json, "-o", file("own.hex"), "--kt500-table", file("unit.tbk")}).status, 0);
  test::ImageBytes image(test::readFile(file("own.hex")));
  EXPECT_EQ(image.text(hdr::DataVersion, 4), "V2.\x99");
  auto dumped = nlohmann::json::parse(cli({"dump", file("own.hex"), "--kt500-table", file("unit.tbk")}).out);
  EXPECT_EQ(dumped["dataVersion"], "V2.Č") << "read back through the same table";
}

TEST_F(CliOptions, BadGlobalOptions) {
  std::string json = writeJson(databaseToJson(test::makeSampleDatabase(FirmwareVersion::V2_15)), "in.json");
  EXPECT_EQ(cli({"--mode", "kt600", "build", json, "-o", file("x.hex")}).status, 2);
  CliRun missing = cli({"build", json, "-o", file("x.hex"), "--kt700-table", file("none.700")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "File " + file("none.700") + ": Access denied!\n");
  EXPECT_FALSE(std::filesystem::exists(file("x.hex")));
}

}  // namespace
}  // namespace dorvak
