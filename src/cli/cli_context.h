#pragma once
// What every dorvak-cli command shares: the output streams and the exit
// status the command leaves behind. Commands register themselves with the
// application and run from its callbacks.

#include <iosfwd>

namespace CLI {
class App;
}

namespace dorvak {

// Exit status of dorvak-cli.
inline constexpr int kCliDone = 0;
inline constexpr int kCliFailed = 1;    // a read or save failed, a question went unanswered
inline constexpr int kCliBadInput = 2;  // bad arguments or a bad document

struct CliContext {
  std::ostream& out;
  std::ostream& err;
  int status = kCliDone;
};

// dump, build and convert.
void registerDatabaseCommands(CLI::App& app, CliContext& context);
// render.
void registerRenderCommand(CLI::App& app, CliContext& context);

}  // namespace dorvak
