#include "cli/database_files.h"

#include <ostream>

#include "cli/output_file.h"
#include "core/hex_writer.h"

namespace dorvak {

HexReadOptions cliReadOptions(const CliContext& context) {
  HexReadOptions options;
  options.notice = [&err = context.err](const std::string& message) { err << message << "\n"; };
  options.kt500Table = &context.options.kt500Table;
  return options;
}

void openDatabase(PanelDatabase& db, const std::string& path, const CliContext& context) {
  db.resetConfig();
  openHexFile(db, path, cliReadOptions(context));
}

int saveDatabase(const PanelDatabase& db, const std::string& path, bool yes, const CliContext& context) {
  HexWriteOptions options;
  options.ekvivalentMode = context.options.ekvivalentMode;
  options.kt500Table = &context.options.kt500Table;
  options.confirm = [&](std::string_view question) {
    if (!yes) context.err << question << "\n";
    return yes;
  };
  std::optional<std::string> text = buildHexText(db, options);
  if (!text) return kCliFailed;
  writeOutputFile(path, *text, context);
  return kCliDone;
}

}  // namespace dorvak
