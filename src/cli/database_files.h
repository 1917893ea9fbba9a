#pragma once
// Opening and saving panel data bases as every dorvak-cli command does:
// messages shown while a read goes on go to standard error, the global
// options apply, and the code 255 question is answered by --yes.

#include <string>

#include "cli/cli_context.h"
#include "core/hex_reader.h"
#include "core/panel_database.h"

namespace dorvak {

HexReadOptions cliReadOptions(const CliContext& context);

// Open: the data base refilled from the file. Throws DorvakError.
void openDatabase(PanelDatabase& db, const std::string& path, const CliContext& context);

// Save to the file or, for "-", to standard output; kCliDone when written,
// kCliFailed when the question was declined. Throws DorvakError when the
// save fails.
int saveDatabase(const PanelDatabase& db, const std::string& path, bool yes, const CliContext& context);

}  // namespace dorvak
