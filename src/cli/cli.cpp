#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <iterator>
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

constexpr CommandGroup kCommandGroups[] = {
    {{"dump", "build", "convert"}, registerDatabaseCommands},
    {{"export", "import"}, registerTextCommands},
    {{"font"}, registerFontCommand},
    {{"render"}, registerRenderCommand},
    {{"ekvivalents"}, registerEkvivalentCommands},
};

// The group of the command named on the command line when only global
// options come before it; nothing for anything else (help, a mistyped
// command, an unknown option), which then sees every command.
const CommandGroup* namedGroup(int argc, const char* const* argv) {
  constexpr std::string_view valued[] = {"--mode", "--kt500-table", "--kt700-table"};
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.empty()) return nullptr;
    for (const CommandGroup& group : kCommandGroups)
      if (std::find(group.names.begin(), group.names.end(), arg) != group.names.end()) return &group;
    auto global = std::find_if(std::begin(valued), std::end(valued), [&](std::string_view option) {
      return arg.starts_with(option) && (arg.size() == option.size() || arg[option.size()] == '=');
    });
    if (global == std::end(valued)) return nullptr;
    if (arg.size() == global->size()) ++i;  // the value follows
  }
  return nullptr;
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

std::span<const CommandGroup> commandGroups() { return kCommandGroups; }

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Dorvak: panel data bases of dot-matrix destination panels", "dorvak-cli"};
  app.require_subcommand(1);
  CliContext context{out, err, {}, {}};
  GlobalOptions global;
  addGlobalOptions(app, global);
  // Setting up every command's options costs more than some commands' work:
  // the command named is set up alone.
  if (const CommandGroup* group = namedGroup(argc, argv))
    group->add(app, context);
  else
    for (const CommandGroup& group : kCommandGroups) group.add(app, context);

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
