// dorvak-cli ekvivalents read and write: the destinations' ekvivalents and an
// on-board unit's data base (BBD/BBF).

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/database_files.h"
#include "cli/output_file.h"
#include "core/messages.h"
#include "interchange/ekvivalents.h"
#include "interchange/unit_file.h"

namespace dorvak {

namespace {

struct EkvivalentArguments {
  std::string database, unitFile, output, order = "alpha";
};

// Ekvivalents serve one unit: without a mode there is nothing to translate for.
bool modeChosen(const char* command, const CliContext& c) {
  if (c.options.ekvivalentMode != EkvivalentMode::None) return true;
  c.err << "ekvivalents " << command << " needs --mode kt500 or --mode kt700 (the on-board unit's codes)\n";
  return false;
}

int readFromUnit(const EkvivalentArguments& a, CliContext& c) {
  if (!modeChosen("read", c)) return kCliBadInput;
  PanelDatabase db;
  openDatabase(db, a.database, c);
  EkvivalentReadOptions options;
  options.programOptions = c.options;
  options.notice = [&](const std::string& message) { c.err << message << "\n"; };
  EkvivalentReadResult result = readEkvivalents(db, a.unitFile, options);

  // Saved without the ekvivalent mode, so that the destination table keeps
  // the ekvivalents just read.
  CliContext withoutMode = c;
  withoutMode.options.ekvivalentMode = EkvivalentMode::None;
  if (int status = saveDatabase(db, a.output, false, withoutMode); status != kCliDone) return status;
  reportStream(a.output, c) << result.taken << " ekvivalents read, " << result.missing << " not found, order "
        << (result.unsorted ? "alpha" : "number") << "\n";
  return result.stoppedEarly ? kCliStoppedPartWay : kCliDone;
}

int writeToUnit(const EkvivalentArguments& a, CliContext& c) {
  if (!modeChosen("write", c)) return kCliBadInput;
  if (c.options.ekvivalentMode == EkvivalentMode::Kt700 && a.order == "number") {
    c.err << "KT700 ekvivalents are always written in alphabetical order; leave out --order number\n";
    return kCliBadInput;
  }
  const bool bbf = unitFileKind(a.unitFile) == UnitFileKind::Bbf;
  // A BBF has no mark of KT700 codes: they would be read back as KT500 ones.
  if (c.options.ekvivalentMode == EkvivalentMode::Kt700 && bbf) {
    c.err << "A KT700 unit's data base is a BBD file; write the ekvivalents into a .bbd file\n";
    return kCliBadInput;
  }
  // Ekvivalents go only into an existing BBF, whose configuration part stays.
  if (bbf && !std::filesystem::exists(a.unitFile)) {
    c.err << formatMessage(kBbfMustExist, a.unitFile) << "\n";
    return kCliFailed;
  }
  PanelDatabase db;
  openDatabase(db, a.database, c);
  EkvivalentWriteOptions options;
  options.programOptions = c.options;
  EkvivalentWriteResult result = writeEkvivalents(db, a.unitFile, a.order == "alpha", options);
  if (!result.written) {
    c.err << "The panel data base has no destinations; " << a.unitFile << " was not written\n";
    return kCliFailed;
  }
  c.out << result.records << " ekvivalents written, order " << a.order << "\n";
  return kCliDone;
}

}  // namespace

void registerEkvivalentCommands(CLI::App& app, CliContext& context) {
  auto* group = app.add_subcommand("ekvivalents", "Exchange the destinations' ekvivalents with an on-board unit's BBD/BBF file");
  group->require_subcommand(1);

  auto readArgs = std::make_shared<EkvivalentArguments>();
  auto* read = group->add_subcommand("read", "Take the ekvivalents of a BBD/BBF file into the destinations");
  read->add_option("DB.hex", readArgs->database, "Panel data base")->required();
  read->add_option("UNIT", readArgs->unitFile, "On-board unit file (*.bbd, *.bbf)")->required();
  read->add_option("-o,--output", readArgs->output, "Panel data base to write, - for standard output")->required();
  read->callback([readArgs, &context] {
    context.command = [readArgs, &context] { return readFromUnit(*readArgs, context); };
  });

  auto writeArgs = std::make_shared<EkvivalentArguments>();
  auto* write = group->add_subcommand("write", "Write the destinations' ekvivalents into a BBF file or a new BBD file");
  write->add_option("DB.hex", writeArgs->database, "Panel data base")->required();
  write->add_option("UNIT", writeArgs->unitFile, "On-board unit file (*.bbd made anew, existing *.bbf)")->required();
  write->add_option("--order", writeArgs->order, "Record order: alpha (default) or number (KT500 only)")
      ->check(CLI::IsMember({"alpha", "number"}));
  write->callback([writeArgs, &context] {
    context.command = [writeArgs, &context] { return writeToUnit(*writeArgs, context); };
  });
}

}  // namespace dorvak
