#pragma once
// Writing the whole list of lines, destinations or stops to a file, in the
// layout the user chose (not the one the extension suggests).

#include <optional>
#include <string>

#include "config/program_options.h"
#include "core/panel_database.h"

namespace dorvak {

enum class TextFileLayout {
  Packed,      // *.lin, *.cil / *.ci4, *.dru: number, 16-bit length, stored text
  Tab,         // *.txt: key, TAB, the rows as TAB-separated plain text, CR LF
  Ekvivalent,  // *.cl (destinations): number, TAB, ekvivalent, TAB, rows, CR LF
  StopLines,   // *.zs (stops): the same for stops
};

// The file's bytes. Throws DorvakError for a layout the list does not have.
std::string formatTextFile(const PanelDatabase& db, TextKind kind, TextFileLayout layout,
                           const ProgramOptions& options);

// Writes the file safely (a temporary file renamed over the target).
void writeTextFile(const PanelDatabase& db, TextKind kind, const std::string& path, TextFileLayout layout,
                   const ProgramOptions& options);

// The layout a file name suggests: .lin/.cil/.ci4/.dru packed, .txt tab,
// .cl ekvivalent lines, .zs stop lines.
std::optional<TextFileLayout> layoutForExtension(const std::string& path);

}  // namespace dorvak
