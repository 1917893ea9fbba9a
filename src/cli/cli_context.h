#pragma once
// What every dorvak-cli command shares: the output streams and the program
// options of the run. Commands register themselves with the application; the
// chosen one leaves its work in `command`, which runs once parsing is done.

#include <array>
#include <functional>
#include <iosfwd>
#include <span>
#include <string_view>

#include "config/program_options.h"

namespace CLI {
class App;
}

namespace dorvak {

// Exit status of dorvak-cli.
inline constexpr int kCliDone = 0;
inline constexpr int kCliFailed = 1;    // a read or save failed, a question went unanswered
inline constexpr int kCliBadInput = 2;  // bad arguments or a bad document
inline constexpr int kCliStoppedPartWay = 3;  // a read stopped part way; what it read is kept and written

struct CliContext {
  std::ostream& out;
  std::ostream& err;
  // The program options of this run, from the global options only: the tool
  // never reads the user's options file, so scripts behave alike everywhere.
  ProgramOptions options;
  // Set by the chosen command's callback; runs once the options are loaded.
  std::function<int()> command;
};

// dump, build and convert.
void registerDatabaseCommands(CLI::App& app, CliContext& context);
// import and export of lines, destinations and stops.
void registerTextCommands(CLI::App& app, CliContext& context);
// font import and font show.
void registerFontCommand(CLI::App& app, CliContext& context);
// render.
void registerRenderCommand(CLI::App& app, CliContext& context);
// ekvivalents read and write: the destinations' ekvivalents and an
// on-board unit's BBD/BBF file.
void registerEkvivalentCommands(CLI::App& app, CliContext& context);

// The commands that one register function adds, by their names.
struct CommandGroup {
  std::array<std::string_view, 3> names;  // empty names unused
  void (*add)(CLI::App& app, CliContext& context);
};
std::span<const CommandGroup> commandGroups();

}  // namespace dorvak
