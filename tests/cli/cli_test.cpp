#include "cli/cli_run.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/db_json.h"
#include "core/hex_writer.h"
#include "core/intel_hex.h"
#include "test_support.h"

namespace dorvak {
namespace {

using test::CliRun;

CliRun cli(std::vector<std::string> args) { return test::runCliWith(std::move(args)); }

class CliTest : public ::testing::Test {
 protected:
  // Every panel data base the tool wrote is read by srec_cat too (the test
  // itself writes the spoilt ones under names starting with "bad").
  void TearDown() override {
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      std::string name = entry.path().filename().string();
      if (entry.path().extension() == ".hex" && name.rfind("bad", 0) != 0) {
        EXPECT_TRUE(test::srecCatAccepts(entry.path().string())) << name;
      }
    }
  }

  std::string jsonOf(const PanelDatabase& db, const std::string& name) {
    std::string path = dir.file(name);
    test::writeFile(path, databaseToJson(db).dump(1));
    return path;
  }
  std::string file(const std::string& name) const { return dir.file(name); }
  test::TempDir dir;
};

// build, dump, build: the second build writes the same bytes, and the two
// dumps are the same document.
void expectStableRoundTrip(CliTest& t, const std::string& json, const std::string& a, const std::string& b,
                           const std::string& dumped) {
  CliRun first = cli({"build", json, "-o", a});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_TRUE(test::srecCatAccepts(a));
  CliRun dump1 = cli({"dump", a});
  ASSERT_EQ(dump1.status, 0) << dump1.err;
  test::writeFile(dumped, dump1.out);
  CliRun second = cli({"build", dumped, "-o", b});
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(test::readFile(a), test::readFile(b));
  EXPECT_EQ(cli({"dump", b}).out, dump1.out);
  (void)t;
}

class CliRoundTrip : public CliTest, public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(CliRoundTrip, BuildDumpBuildIsIdenticalWithEveryTable) {
  std::string json = jsonOf(test::makeSampleDatabase(GetParam()), "in.json");
  expectStableRoundTrip(*this, json, file("a.hex"), file("b.hex"), file("dump.json"));
}

TEST_P(CliRoundTrip, BuildDumpBuildIsIdenticalWithoutOptionalTables) {
  PanelDatabase db = test::makeSampleDatabase(GetParam());
  test::removeOptionalTables(db);
  expectStableRoundTrip(*this, jsonOf(db, "in.json"), file("a.hex"), file("b.hex"), file("dump.json"));
}

INSTANTIATE_TEST_SUITE_P(Firmware, CliRoundTrip,
                         ::testing::Values(FirmwareVersion::V1_6, FirmwareVersion::V2_13, FirmwareVersion::V2_15),
                         [](const auto& info) {
                           return std::string(info.param == FirmwareVersion::V1_6    ? "Fw1_6"
                                              : info.param == FirmwareVersion::V2_13 ? "Fw2_13"
                                                                                     : "Fw2_15");
                         });

TEST_F(CliTest, BuildDumpBuildWithStopsInTheSecondBank) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::pushStopsIntoSecondBank(db);
  expectStableRoundTrip(*this, jsonOf(db, "in.json"), file("a.hex"), file("b.hex"), file("dump.json"));
}

TEST_F(CliTest, DumpUsesTheDocumentedNames) {
  ASSERT_EQ(cli({"build", jsonOf(test::makeSampleDatabase(FirmwareVersion::V2_15), "in.json"), "-o", file("a.hex")}).status, 0);
  auto doc = nlohmann::json::parse(cli({"dump", file("a.hex")}).out);
  EXPECT_EQ(doc["format"], "dorvak-db 1");
  EXPECT_EQ(doc["config"]["lineField"]["right"], 27);
  EXPECT_EQ(doc["config"]["destinationStyle"]["font"], 3);
  EXPECT_EQ(doc["config"]["commands"]["zD"], 1);
  EXPECT_EQ(doc["config"]["options"], 0xB9);
  EXPECT_EQ(doc["dataVersion"], "V2.Č");
  EXPECT_EQ(doc["codeTable"]["name"], "self");
  EXPECT_EQ(doc["codeTable"]["table"].get<std::string>().size(), 256u);
  EXPECT_EQ(doc["formatStrings"]["strings"][1], "4c253364");
  EXPECT_EQ(doc["keyTable"].get<std::string>().size(), 512u);
  EXPECT_EQ(doc["fonts"][0]["font"], 0);
  EXPECT_EQ(doc["fonts"][0]["glyphs"][0]["code"], 32);
  EXPECT_EQ(doc["lines"][0]["key"], "0007");
  EXPECT_EQ(doc["lines"][0]["text"], "e0370d");
  EXPECT_EQ(doc["destinations"][2]["key"], "XXXX");
  EXPECT_EQ(doc["stops"][1]["key"], "9999");

  PanelDatabase none = test::makeSampleDatabase(FirmwareVersion::V2_15);
  none.codeTable.name.clear();
  none.formatStrings.name.clear();
  ASSERT_EQ(cli({"build", jsonOf(none, "none.json"), "-o", file("none.hex")}).status, 0);
  auto bare = nlohmann::json::parse(cli({"dump", file("none.hex")}).out);
  EXPECT_TRUE(bare["codeTable"].is_null());
  EXPECT_TRUE(bare["formatStrings"].is_null());
}

TEST_F(CliTest, UpperCaseHexIsAcceptedOnInput) {
  auto doc = databaseToJson(test::makeSampleDatabase(FirmwareVersion::V2_15));
  doc["lines"][0]["text"] = "E0370D";
  test::writeFile(file("upper.json"), doc.dump());
  ASSERT_EQ(cli({"build", file("upper.json"), "-o", file("a.hex")}).status, 0);
  EXPECT_EQ(nlohmann::json::parse(cli({"dump", file("a.hex")}).out)["lines"][0]["text"], "e0370d");
}

TEST_F(CliTest, ReadFailureEndsWithTheMessageAndStatusOne) {
  test::writeFile(file("bad.hex"), ":0100000041BF\n:00000001FF\n");
  CliRun dump = cli({"dump", file("bad.hex")});
  EXPECT_EQ(dump.status, 1);
  EXPECT_EQ(dump.err, "Check sum error\n");
  EXPECT_TRUE(dump.out.empty());

  test::writeFile(file("notpanel.hex"), ":0100000041BE\n:00000001FF\n");
  CliRun convert = cli({"convert", file("notpanel.hex"), "-o", file("out.hex")});
  EXPECT_EQ(convert.status, 1);
  EXPECT_EQ(convert.err, "Bad version of panel database " + file("notpanel.hex") + "\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
}

TEST_F(CliTest, MessagesWhileReadingGoOnWithStatusZero) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V2_15);
  db.stops.putEntry("0043", "x\r");
  std::string text = buildHexText(db).value();
  // Spoil the key of the second stop: "0043" becomes "0#43".
  std::size_t at = text.find("30303433");
  ASSERT_NE(at, std::string::npos);
  text.replace(at + 2, 2, "23");
  std::size_t eol = text.find("\r\n", at);
  std::size_t start = text.rfind(':', at);
  unsigned sum = 0;
  for (std::size_t i = start + 1; i + 2 < eol; i += 2) sum += static_cast<unsigned>(std::stoi(text.substr(i, 2), nullptr, 16));
  text.replace(eol - 2, 2, hexByte(static_cast<std::uint8_t>(0x100 - (sum & 0xFF))));
  test::writeFile(file("spoilt.hex"), text);
  CliRun dump = cli({"dump", file("spoilt.hex")});
  EXPECT_EQ(dump.status, 0);
  EXPECT_EQ(dump.err, "Error in stop database\nRead only to number 0042\n");
  EXPECT_EQ(nlohmann::json::parse(dump.out)["stops"].size(), 1u);
}

struct BadDocument {
  const char* name;
  std::function<void(nlohmann::ordered_json&)> spoil;
  const char* field;
};

class CliBadJson : public CliTest, public ::testing::WithParamInterface<BadDocument> {};

TEST_P(CliBadJson, FailsNamingTheFieldAndWritesNothing) {
  auto doc = databaseToJson(test::makeSampleDatabase(FirmwareVersion::V2_15));
  GetParam().spoil(doc);
  test::writeFile(file("bad.json"), doc.dump());
  CliRun run = cli({"build", file("bad.json"), "-o", file("out.hex")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find(GetParam().field), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CliBadJson,
    ::testing::Values(
        BadDocument{"KeyOfFiveDigits", [](auto& d) { d["stops"][0]["key"] = "12345"; }, "stops[0].key"},
        BadDocument{"KeyWithLetters", [](auto& d) { d["stops"][0]["key"] = "12a4"; }, "stops[0].key"},
        BadDocument{"LineAbove999", [](auto& d) { d["lines"][0]["key"] = "1234"; }, "lines[0].key"},
        BadDocument{"StartingStop", [](auto& d) { d["stops"][0]["key"] = "XXXX"; }, "stops[0].key"},
        BadDocument{"DuplicateKey", [](auto& d) { d["stops"][1]["key"] = "0042"; }, "stops[1].key"},
        BadDocument{"Font16", [](auto& d) { d["fonts"][0]["font"] = 16; }, "fonts[0].font"},
        BadDocument{"StyleFont16", [](auto& d) { d["config"]["lineStyle"]["font"] = 16; }, "config.lineStyle.font"},
        BadDocument{"LongBitmap", [](auto& d) { d["fonts"][0]["glyphs"][0]["bitmap"] = std::string(512, 'a'); },
                    "fonts[0].glyphs[0].bitmap"},
        BadDocument{"OddHex", [](auto& d) { d["lines"][0]["text"] = "e03"; }, "lines[0].text"},
        BadDocument{"NotHex", [](auto& d) { d["lines"][0]["text"] = "zz"; }, "lines[0].text"},
        BadDocument{"ConfigAbove255", [](auto& d) { d["config"]["options"] = 300; }, "config.options"},
        BadDocument{"NegativeConfig", [](auto& d) { d["config"]["lineField"]["top"] = -1; }, "config.lineField.top"},
        BadDocument{"CommandAbove1", [](auto& d) { d["config"]["commands"]["zC"] = 2; }, "config.commands.zC"},
        BadDocument{"NotWindows1250", [](auto& d) { d["dataVersion"] = "日本"; }, "dataVersion"},
        BadDocument{"LongDataVersion", [](auto& d) { d["dataVersion"] = std::string(16, 'v'); }, "dataVersion"},
        BadDocument{"CrInDataVersion", [](auto& d) { d["dataVersion"] = "V1\r2"; }, "dataVersion: holds a control character"},
        BadDocument{"TabInDataVersion", [](auto& d) { d["dataVersion"] = "V1\t2"; }, "dataVersion: holds a control character"},
        BadDocument{"DelInDataVersion", [](auto& d) { d["dataVersion"] = "V1\x7f"; }, "dataVersion: holds a control character"},
        BadDocument{"C1InDataVersion", [](auto& d) { d["dataVersion"] = "V1\u0081"; }, "dataVersion: holds a control character"},
        BadDocument{"ShortCodeTable", [](auto& d) { d["codeTable"]["table"] = "00"; }, "codeTable.table"},
        BadDocument{"ShortKeyTable", [](auto& d) { d["keyTable"] = "00"; }, "keyTable"},
        BadDocument{"NineStrings", [](auto& d) { d["formatStrings"]["strings"].erase(0); }, "formatStrings.strings"},
        BadDocument{"WrongFormat", [](auto& d) { d["format"] = "something else"; }, "format"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, MalformedJsonIsStatusTwo) {
  test::writeFile(file("broken.json"), "{\"format\": ");
  CliRun run = cli({"build", file("broken.json"), "-o", file("out.hex")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("not a JSON document"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
}

// A document is refused before it is built in memory when it holds more
// values than any data base needs, or nests deeper than any data base does:
// built, such a document takes tens of times its size.
TEST_F(CliTest, DocumentsBeyondWhatADataBaseNeedsAreRefusedUnbuilt) {
  std::string objects = "{\"format\": \"dorvak-db 1\", \"padding\": [{}";
  for (int i = 0; i < 400000; ++i) objects += ",{}";
  test::writeFile(file("objects.json"), objects + "]}");
  CliRun many = cli({"build", file("objects.json"), "-o", file("out.hex")});
  EXPECT_EQ(many.status, 2);
  EXPECT_EQ(many.err, file("objects.json") + ": document: holds more than 400000 values and member names, "
                                             "more than any data base needs\n");
  test::writeFile(file("deep.json"), "{\"format\": \"dorvak-db 1\", \"x\": " + std::string(40, '[') + std::string(40, ']') + "}");
  CliRun deep = cli({"build", file("deep.json"), "-o", file("out.hex")});
  EXPECT_EQ(deep.status, 2);
  EXPECT_EQ(deep.err, file("deep.json") + ": document: nests deeper than 16 levels, deeper than any data base does\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
  // The largest data base a panel holds stays well within both.
  PanelDatabase full = test::makeSampleDatabase(FirmwareVersion::V2_15);
  test::fillFontsPastFirstBank(full);
  for (int i = 0; i < 10000; ++i) full.stops.putEntry(makeKey(TextKind::Stop, i, false), "\xE0S\r");
  CliRun built = cli({"build", jsonOf(full, "full.json"), "-o", file("full.hex")});
  EXPECT_EQ(built.err.find("document"), std::string::npos) << built.err;
}

// Memory that runs out ends the command with a message and status 1, not
// with an abort.
TEST_F(CliTest, RunningOutOfMemoryIsAMessage) {
  if (test::kAddressSanitizer) GTEST_SKIP() << "a limit on the address space stops AddressSanitizer";
  test::writeFile(file("long.json"), "{\"format\": \"dorvak-db 1\", \"note\": \"" + std::string(24 << 20, 'n') + "\"}");
  std::string command = "ulimit -v 60000; exec " + std::string(DORVAK_CLI_PATH) + " build '" + file("long.json") +
                        "' -o '" + file("out.hex") + "' 2> '" + file("err.txt") + "'";
  int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(test::readFile(file("err.txt")), "Not enough memory to finish the command\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));
}

TEST_F(CliTest, Code255QuestionNeedsYes) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V1_6);
  db.fonts.glyph(2, 255) = test::makeGlyph(3, 5, 0);
  std::string json = jsonOf(db, "in.json");
  CliRun no = cli({"build", json, "-o", file("out.hex")});
  EXPECT_EQ(no.status, 1);
  EXPECT_EQ(no.err, "FW 1.x cannot use charakter with code 255.\nContinue?\n");
  EXPECT_FALSE(std::filesystem::exists(file("out.hex")));

  CliRun yes = cli({"build", json, "-o", file("out.hex"), "--yes"});
  ASSERT_EQ(yes.status, 0) << yes.err;
  auto doc = nlohmann::json::parse(cli({"dump", file("out.hex")}).out);
  for (const auto& font : doc["fonts"])
    for (const auto& glyph : font["glyphs"]) EXPECT_NE(glyph["code"], 255);
}

TEST_F(CliTest, ConvertMovesADataBaseToAnotherFirmware) {
  PanelDatabase db = test::makeSampleDatabase(FirmwareVersion::V1_6);
  ASSERT_EQ(cli({"build", jsonOf(db, "in.json"), "-o", file("old.hex")}).status, 0);
  CliRun convert = cli({"convert", file("old.hex"), "-o", file("new.hex"), "--firmware", "2.15"});
  ASSERT_EQ(convert.status, 0) << convert.err;
  EXPECT_EQ(test::readFile(file("new.hex")).substr(9, 2), "57") << "a W header";
  auto before = nlohmann::json::parse(cli({"dump", file("old.hex")}).out);
  auto after = nlohmann::json::parse(cli({"dump", file("new.hex")}).out);
  EXPECT_EQ(after["config"]["firmware"], 3);
  EXPECT_EQ(after["fonts"], before["fonts"]);
  EXPECT_EQ(after["stops"], before["stops"]);
  EXPECT_TRUE(test::srecCatAccepts(file("new.hex")));

  CliRun same = cli({"convert", file("new.hex"), "-o", file("same.hex")});
  ASSERT_EQ(same.status, 0);
  EXPECT_EQ(test::readFile(file("same.hex")), test::readFile(file("new.hex")));

  EXPECT_EQ(cli({"convert", file("new.hex"), "-o", file("x.hex"), "--firmware", "3.0"}).status, 2);
}

TEST_F(CliTest, UsageErrorsAreStatusTwo) {
  EXPECT_EQ(cli({}).status, 2);
  EXPECT_EQ(cli({"dump"}).status, 2);
  EXPECT_EQ(cli({"build", "x.json"}).status, 2) << "no output";
  EXPECT_EQ(cli({"frobnicate"}).status, 2);
  EXPECT_EQ(cli({"--help"}).status, 0);
}

// A command named on the command line is set up alone: each group of
// commands adds exactly the commands it names, and global options (with
// their values) may come before the name.
TEST_F(CliTest, TheCommandNamedIsSetUpAloneAfterTheGlobalOptions) {
  std::ostringstream out, err;
  for (const CommandGroup& group : commandGroups()) {
    CLI::App app;
    CliContext context{out, err, {}, {}};
    group.add(app, context);
    std::vector<std::string> added, named;
    for (const CLI::App* command : app.get_subcommands({})) added.push_back(command->get_name());
    for (std::string_view name : group.names)
      if (!name.empty()) named.emplace_back(name);
    EXPECT_EQ(added, named);
  }
  const std::string in = file("in.hex");
  writeHexFile(test::makeSampleDatabase(FirmwareVersion::V2_15), in);
  EXPECT_EQ(cli({"--mode", "kt500", "convert", in, "-o", file("a.hex")}).status, 0);
  EXPECT_EQ(cli({"--mode=kt700", "convert", in, "-o", file("b.hex")}).status, 0);
  // A table file named like another command is the option's value.
  CliRun run = cli({"--kt500-table", file("render"), "convert", in, "-o", file("c.hex")});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("render"), std::string::npos) << run.err;
  EXPECT_EQ(cli({"--bogus", "convert", in, "-o", file("d.hex")}).status, 2);
}

TEST_F(CliTest, TheInstalledProgramRuns) {
  ASSERT_EQ(cli({"build", jsonOf(test::makeSampleDatabase(FirmwareVersion::V2_15), "in.json"), "-o", file("a.hex")}).status, 0);
  std::string command = std::string(DORVAK_CLI_PATH) + " dump '" + file("a.hex") + "' > '" + file("out.json") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(test::readFile(file("out.json")), cli({"dump", file("a.hex")}).out);
}

}  // namespace
}  // namespace dorvak
