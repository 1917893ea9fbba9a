#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <cstring>
#include <new>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/standard_output.h"
#include "core/error.h"

namespace dorvak {

namespace {

struct GlobalOptions {
  std::string mode = "none";
  std::string kt500Table, kt700Table;
};

// --mode, --kt500-table and --kt700-table, accepted before or after the
// command's name.
void addGlobalOptions(CLI::App& app, GlobalOptions& global) {
  app.fallthrough();
  app.add_option("--mode", global.mode, "Ekvivalent mode: none, kt500 or kt700 (default none)")
      ->check(CLI::IsMember({"none", "kt500", "kt700"}));
  app.add_option("--kt500-table", global.kt500Table, "KT500 code table (*.tbk) instead of the built-in one");
  app.add_option("--kt700-table", global.kt700Table, "KT700 code table (*.700) instead of the built-in one");
}

void applyGlobalOptions(const GlobalOptions& global, ProgramOptions& options) {
  options.ekvivalentMode = global.mode == "kt500"   ? EkvivalentMode::Kt500
                           : global.mode == "kt700" ? EkvivalentMode::Kt700
                                                    : EkvivalentMode::None;
  if (!global.kt500Table.empty()) {
    options.kt500Table = readKt500TableFile(global.kt500Table);
    options.kt500Path = global.kt500Table;
  }
  if (!global.kt700Table.empty()) {
    readKt700TableFile(global.kt700Table, options.kt700Table, options.kt700Widths);
    options.kt700Path = global.kt700Table;
  }
}

// A document cut off by a full disk or a closed descriptor is a failure.
bool standardOutputWritten(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return true;
  const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
  err << "Standard output cannot be written";
  if (descriptor && descriptor->error() != 0) err << ": " << std::strerror(descriptor->error());
  err << "\n";
  return false;
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Dorvak: panel data bases of dot-matrix destination panels", "dorvak-cli"};
  app.require_subcommand(1);
  CliContext context{out, err, {}, {}};
  GlobalOptions global;
  addGlobalOptions(app, global);
  registerDatabaseCommands(app, context);
  registerTextCommands(app, context);
  registerFontCommand(app, context);
  registerRenderCommand(app, context);
  registerEkvivalentCommands(app, context);

  try {
    app.parse(argc, argv);
    applyGlobalOptions(global, context.options);
    int status = context.command ? context.command() : kCliBadInput;
    return standardOutputWritten(out, err) ? status : kCliFailed;
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      out << app.help();
      return standardOutputWritten(out, err) ? kCliDone : kCliFailed;
    }
    std::ostringstream message;
    app.exit(e, message, message);
    err << message.str();
    return kCliBadInput;
  } catch (const DorvakError& e) {
    err << e.what() << "\n";
    return kCliFailed;
  } catch (const std::bad_alloc&) {
    // Whatever was being built is freed by now; nothing was written.
    err << "Not enough memory to finish the command\n";
    return kCliFailed;
  }
}

}  // namespace dorvak
