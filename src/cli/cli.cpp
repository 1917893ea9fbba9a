#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "cli/db_json.h"
#include "core/error.h"
#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

constexpr int kFailed = 1;
constexpr int kBadInput = 2;
constexpr std::size_t kMaxJsonFileSize = 64u << 20;

const std::map<std::string, std::uint8_t> kFirmwareNames = {
    {"1.6", FirmwareVersion::V1_6}, {"2.13", FirmwareVersion::V2_13}, {"2.15", FirmwareVersion::V2_15}};

HexReadOptions readOptions(std::ostream& err) {
  HexReadOptions options;
  options.notice = [&err](const std::string& message) { err << message << "\n"; };
  return options;
}

// Saves as Save does; the code 255 question is answered by --yes.
int save(const PanelDatabase& db, const std::string& path, bool yes, std::ostream& err) {
  HexWriteOptions options;
  options.confirm = [&](std::string_view question) {
    if (!yes) err << question << "\n";
    return yes;
  };
  return writeHexFile(db, path, options) == SaveResult::Written ? 0 : kFailed;
}

int dumpCommand(const std::string& input, std::ostream& out, std::ostream& err) {
  PanelDatabase db;
  db.resetConfig();
  openHexFile(db, input, readOptions(err));
  out << databaseToJson(db).dump(2) << "\n";
  return 0;
}

int buildCommand(const std::string& input, const std::string& output, bool yes, std::ostream& err) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(readWholeFile(input, kMaxJsonFileSize));
  } catch (const nlohmann::json::exception& e) {
    err << input << ": not a JSON document: " << e.what() << "\n";
    return kBadInput;
  }
  PanelDatabase db;
  try {
    db = databaseFromJson(document);
  } catch (const JsonFieldError& e) {
    err << input << ": " << e.what() << "\n";
    return kBadInput;
  }
  return save(db, output, yes, err);
}

int convertCommand(const std::string& input, const std::string& output, const std::string& firmware, bool yes,
                   std::ostream& err) {
  PanelDatabase db;
  db.resetConfig();
  openHexFile(db, input, readOptions(err));
  if (!firmware.empty()) db.config.firmware = kFirmwareNames.at(firmware);
  return save(db, output, yes, err);
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Dorvak: panel data bases of dot-matrix destination panels", "dorvak-cli"};
  app.require_subcommand(1);

  std::string input, output, firmware;
  bool yes = false;

  auto* dump = app.add_subcommand("dump", "Print a panel data base (*.hex) as one JSON document");
  dump->add_option("DB.hex", input, "Panel data base")->required();

  auto* build = app.add_subcommand("build", "Write a panel data base from a JSON document");
  build->add_option("DB.json", input, "JSON document as dump prints it")->required();
  build->add_option("-o,--output", output, "Panel data base to write")->required();
  build->add_flag("--yes", yes, "Answer Yes to questions (firmware 1.6 leaves out code 255 glyphs)");

  auto* convert = app.add_subcommand("convert", "Read a panel data base and write it again, optionally for another firmware");
  convert->add_option("IN.hex", input, "Panel data base to read")->required();
  convert->add_option("-o,--output", output, "Panel data base to write")->required();
  convert->add_option("--firmware", firmware, "Firmware to write for: 1.6, 2.13 or 2.15")
      ->check(CLI::IsMember({"1.6", "2.13", "2.15"}));
  convert->add_flag("--yes", yes, "Answer Yes to questions (firmware 1.6 leaves out code 255 glyphs)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      out << app.help();
      return 0;
    }
    std::ostringstream message;
    app.exit(e, message, message);
    err << message.str();
    return kBadInput;
  }

  try {
    if (*dump) return dumpCommand(input, out, err);
    if (*build) return buildCommand(input, output, yes, err);
    if (*convert) return convertCommand(input, output, firmware, yes, err);
  } catch (const DorvakError& e) {
    err << e.what() << "\n";
    return kFailed;
  }
  return kBadInput;
}

}  // namespace dorvak
