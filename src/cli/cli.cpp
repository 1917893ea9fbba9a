#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "cli/cli_context.h"
#include "core/error.h"

namespace dorvak {

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Dorvak: panel data bases of dot-matrix destination panels", "dorvak-cli"};
  app.require_subcommand(1);
  CliContext context{out, err};
  registerDatabaseCommands(app, context);
  registerRenderCommand(app, context);

  try {
    app.parse(argc, argv);  // the chosen command runs from its callback
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      out << app.help();
      return kCliDone;
    }
    std::ostringstream message;
    app.exit(e, message, message);
    err << message.str();
    return kCliBadInput;
  } catch (const DorvakError& e) {
    err << e.what() << "\n";
    return kCliFailed;
  }
  return context.status;
}

}  // namespace dorvak
