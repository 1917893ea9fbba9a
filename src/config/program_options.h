#pragma once
// Program options: settings of the installation, not of a panel data base.
// Which on-board unit the ekvivalents serve, the code tables of the KT500 and
// KT700 units, the two service switches M and F, and whether the editors'
// SAVE replaces an existing entry without asking (the switches are never
// stored).
//
// They persist in the options file "dorvak.ovl" in the user's configuration
// folder: three lines ended by CR LF, the mode digit and the two table paths.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/translations.h"

namespace dorvak {

namespace EkvivalentMode {
inline constexpr std::uint8_t None = 0, Kt500 = 1, Kt700 = 2;
}

struct ProgramOptions {
  std::uint8_t ekvivalentMode = EkvivalentMode::None;
  Kt500Table kt500Table = builtinKt500Table();
  std::string kt500Path;
  Kt700Table kt700Table = defaultKt700Table();
  Kt700Widths kt700Widths = builtinKt700Widths();
  std::string kt700Path;
  bool optionM = false;
  bool optionF = false;
  // "Changes save automatical": SAVE over an existing entry asks nothing.
  bool changesSaveAutomatically = false;
  bool operator==(const ProgramOptions&) const = default;
};

// "$XDG_CONFIG_HOME/dorvak/dorvak.ovl", else "$HOME/.config/dorvak/dorvak.ovl".
std::string optionsFilePath();

// Table files: a KT500 ".tbk" file gives its first 128 bytes; a KT700 ".700"
// file 256 bytes of table and 256 of widths. Throws DorvakError ("Read beyond
// end of file" for a short file, "File $: Access denied!" when unreadable).
Kt500Table readKt500TableFile(const std::string& path);
void readKt700TableFile(const std::string& path, Kt700Table& table, Kt700Widths& widths);

// The three lines of an options file: "1" or "A" first gives KT500, "2"
// KT700, anything else none; then the two table paths.
struct OptionsFileLines {
  std::uint8_t ekvivalentMode = EkvivalentMode::None;
  std::string kt500Path, kt700Path;
};
OptionsFileLines parseOptionsFile(std::string_view text);

// The options as the program starts: defaults, then the options file when it
// exists; a table file named there is read when it exists (its path is kept),
// else the defaults and an empty path stay.
ProgramOptions loadProgramOptions(const std::string& optionsPath);

// Writes the three lines, creating the folder when needed. Throws DorvakError.
void saveProgramOptions(const ProgramOptions& options, const std::string& optionsPath);

// A path as the options window shows it: at most 32 characters, the front
// cut off and marked with dots.
std::string displayPath(const std::string& path);

}  // namespace dorvak
