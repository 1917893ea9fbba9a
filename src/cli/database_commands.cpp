// dorvak-cli dump, build and convert.

#include <CLI/CLI.hpp>
#include <map>
#include <memory>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/database_files.h"
#include "cli/db_json.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {

constexpr std::size_t kMaxJsonFileSize = 64u << 20;

const std::map<std::string, std::uint8_t> kFirmwareNames = {
    {"1.6", FirmwareVersion::V1_6}, {"2.13", FirmwareVersion::V2_13}, {"2.15", FirmwareVersion::V2_15}};

struct Arguments {
  std::string input, output, firmware;
  bool yes = false;
};

int dump(const Arguments& a, CliContext& c) {
  PanelDatabase db;
  openDatabase(db, a.input, c);
  c.out << databaseToJson(db).dump(2) << "\n";
  return kCliDone;
}

int build(const Arguments& a, CliContext& c) {
  PanelDatabase db;
  try {
    nlohmann::json document;
    try {
      document = parseDatabaseJson(readWholeFile(a.input, kMaxJsonFileSize));
    } catch (const nlohmann::json::exception& e) {
      c.err << a.input << ": not a JSON document: " << e.what() << "\n";
      return kCliBadInput;
    }
    db = databaseFromJson(document);
  } catch (const JsonFieldError& e) {
    c.err << a.input << ": " << e.what() << "\n";
    return kCliBadInput;
  }
  return saveDatabase(db, a.output, a.yes, c);
}

int convert(const Arguments& a, CliContext& c) {
  PanelDatabase db;
  openDatabase(db, a.input, c);
  if (!a.firmware.empty()) db.config.firmware = kFirmwareNames.at(a.firmware);
  return saveDatabase(db, a.output, a.yes, c);
}

}  // namespace

void registerDatabaseCommands(CLI::App& app, CliContext& context) {
  auto args = std::make_shared<Arguments>();
  const char* yesHelp = "Answer Yes to questions (firmware 1.6 leaves out code 255 glyphs)";

  auto* dumpCommand = app.add_subcommand("dump", "Print a panel data base (*.hex) as one JSON document");
  dumpCommand->add_option("DB.hex", args->input, "Panel data base")->required();
  dumpCommand->callback([args, &context] { context.command = [args, &context] { return dump(*args, context); }; });

  auto* buildCommand = app.add_subcommand("build", "Write a panel data base from a JSON document");
  buildCommand->add_option("DB.json", args->input, "JSON document as dump prints it")->required();
  buildCommand->add_option("-o,--output", args->output, "Panel data base to write, - for standard output")->required();
  buildCommand->add_flag("--yes", args->yes, yesHelp);
  buildCommand->callback([args, &context] { context.command = [args, &context] { return build(*args, context); }; });

  auto* convertCommand =
      app.add_subcommand("convert", "Read a panel data base and write it again, optionally for another firmware");
  convertCommand->add_option("IN.hex", args->input, "Panel data base to read")->required();
  convertCommand->add_option("-o,--output", args->output, "Panel data base to write, - for standard output")->required();
  convertCommand->add_option("--firmware", args->firmware, "Firmware to write for: 1.6, 2.13 or 2.15")
      ->check(CLI::IsMember({"1.6", "2.13", "2.15"}));
  convertCommand->add_flag("--yes", args->yes, yesHelp);
  convertCommand->callback([args, &context] { context.command = [args, &context] { return convert(*args, context); }; });
}

}  // namespace dorvak
