// dorvak-cli import and export: lines, destinations, stops and fonts to and
// from files.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/database_files.h"
#include "cli/output_file.h"
#include "core/error.h"
#include "fonts/font_file.h"
#include "interchange/unit_texts.h"
#include "text/text_export.h"
#include "text/text_import.h"

namespace dorvak {

namespace {


struct ListChoice {
  std::string lines, destinations, stops, fonts;

  void add(CLI::App* command, const char* what) {
    auto* group = command->add_option_group("list", "Which part: exactly one of");
    group->add_option("--lines", lines, std::string("Lines ") + what);
    group->add_option("--destinations", destinations, std::string("Destinations ") + what);
    group->add_option("--stops", stops, std::string("Stops ") + what);
    group->add_option("--fonts", fonts, std::string("Fonts and keys ") + what);
    group->require_option(1);
  }
  TextKind kind() const {
    return !lines.empty() ? TextKind::Line : !destinations.empty() ? TextKind::Destination : TextKind::Stop;
  }
  const std::string& file() const {
    return !fonts.empty() ? fonts : !lines.empty() ? lines : !destinations.empty() ? destinations : stops;
  }
};

struct ExportArguments {
  std::string database, kind, layout = "N";
  bool yes = false;
  ListChoice list;
};

struct ImportArguments {
  std::string database, output, onDuplicate = "skip", onBadNumber = "skip";
  bool add = false;
  ListChoice list;
};

PanelDatabase openDatabase(const std::string& path, const CliContext& c) {
  PanelDatabase db;
  openDatabase(db, path, c);
  return db;
}

const char* listName(TextKind kind) {
  return kind == TextKind::Line ? "lines" : kind == TextKind::Destination ? "destinations" : "stops";
}

int exportFonts(const ExportArguments& a, CliContext& c) {
  PanelDatabase db = openDatabase(a.database, c);
  FontFileOptions options;
  options.confirm = [&](std::string_view question) {
    if (!a.yes) c.err << question << "\n";
    return a.yes;
  };
  FontFileLayout layout = a.layout == "S" ? FontFileLayout::S : FontFileLayout::N;
  std::optional<std::string> bytes = formatFontFile(db.fonts, db.keyTable, layout, options);
  if (!bytes) return kCliFailed;
  writeOutputFile(a.list.fonts, *bytes, c);
  int glyphs = 0;
  for (int font = 0; font < kFontCount; ++font)
    for (int code = 32; code < kCodeCount; ++code) glyphs += db.fonts.glyph(font, code).exists() ? 1 : 0;
  reportStream(a.list.fonts, c) << glyphs << " glyphs written\n";
  return kCliDone;
}

int exportList(const ExportArguments& a, CliContext& c) {
  if (!a.list.fonts.empty()) return exportFonts(a, c);
  const TextKind kind = a.list.kind();
  std::optional<TextFileLayout> layout;
  if (a.kind.empty()) {
    layout = layoutForExtension(a.list.file());
    if (!layout) {
      c.err << "Choose the file's layout with --kind (packed, txt, cl or zs)\n";
      return kCliBadInput;
    }
  } else {
    layout = a.kind == "packed" ? TextFileLayout::Packed
             : a.kind == "txt"  ? TextFileLayout::Tab
             : a.kind == "cl"   ? TextFileLayout::Ekvivalent
                                : TextFileLayout::StopLines;
  }
  if ((*layout == TextFileLayout::Ekvivalent && kind != TextKind::Destination) ||
      (*layout == TextFileLayout::StopLines && kind != TextKind::Stop)) {
    c.err << "The " << (*layout == TextFileLayout::Ekvivalent ? "cl" : "zs") << " layout holds only "
          << (*layout == TextFileLayout::Ekvivalent ? "destinations" : "stops") << "\n";
    return kCliBadInput;
  }
  PanelDatabase db = openDatabase(a.database, c);
  writeOutputFile(a.list.file(), formatTextFile(db, kind, *layout, c.options), c);
  reportStream(a.list.file(), c) << db.list(kind).count() << " " << listName(kind) << " written\n";
  return kCliDone;
}

std::string lowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return ext;
}

bool isPanelDatabase(const std::string& path) { return lowerExtension(path) == ".hex"; }
bool isUnitFile(const std::string& path) { return lowerExtension(path) == ".bbd" || lowerExtension(path) == ".bbf"; }

int importList(const ImportArguments& a, CliContext& c) {
  const std::string& source = a.list.file();
  if (isUnitFile(source) && !a.list.lines.empty()) {
    c.err << "An on-board unit file (*.bbd, *.bbf) holds destinations and stops, no lines\n";
    return kCliBadInput;
  }
  PanelDatabase db = openDatabase(a.database, c);
  bool stoppedEarly = false;
  std::string summary;

  if (!a.list.fonts.empty()) {
    // A font file is taken whole or not at all: an error writes nothing. A
    // panel data base's font table cut short by a gap gives what it holds.
    FontFileOptions options;
    options.notice = [&](const std::string& message) {
      c.err << message << "\n";
      stoppedEarly = true;
    };
    readFontsInto(db, source, options);
    int glyphs = 0;
    for (int font = 0; font < kFontCount; ++font)
      for (int code = 32; code < kCodeCount; ++code) glyphs += db.fonts.glyph(font, code).exists() ? 1 : 0;
    summary = "fonts: " + std::to_string(glyphs) + " glyphs";
  } else {
    const TextKind kind = a.list.kind();
    TextImportOptions options;
    options.add = a.add;
    options.programOptions = c.options;
    options.notice = [&](const std::string& message) { c.err << message << "\n"; };
    const PromptAnswer duplicate = a.onDuplicate == "overwrite" ? PromptAnswer::Overwrite
                                   : a.onDuplicate == "cancel"  ? PromptAnswer::Storno
                                                                : PromptAnswer::Skip;
    options.askDuplicate = [&, duplicate](const std::string& question) {
      if (duplicate == PromptAnswer::Storno) c.err << question << "\n";
      return duplicate;
    };
    const bool skipBadNumbers = a.onBadNumber == "skip";
    options.askContinue = [&, skipBadNumbers](const std::string& question) {
      c.err << question << "\n";
      return skipBadNumbers;
    };
    TextImportResult result;
    try {
      if (isPanelDatabase(source)) {
        result = importFromPanelDatabase(db, kind, source, options);
      } else if (isUnitFile(source)) {
        result = readUnitTexts(db, kind, source, options);
      } else {
        auto layout = layoutForExtension(source);
        TextSource from = layout == TextFileLayout::Packed ? TextSource::Packed : TextSource::Text;
        result = importTextFile(db, kind, source, from, options);
      }
    } catch (const FileAccessError&) {
      throw;
    } catch (const DorvakError& e) {
      c.err << e.what() << "\n";  // a damaged panel data base: what was read before stays
      result.stoppedEarly = true;
    }
    stoppedEarly = result.stoppedEarly;
    summary = std::string(listName(kind)) + ": " + std::to_string(result.added.size()) + " added, " +
              std::to_string(result.replaced.size()) + " replaced, " + std::to_string(db.list(kind).count()) +
              " in all";
  }
  if (int status = saveDatabase(db, a.output, false, c); status != kCliDone) return status;
  reportStream(a.output, c) << summary << "\n";
  return stoppedEarly ? kCliStoppedPartWay : kCliDone;
}

}  // namespace

void registerTextCommands(CLI::App& app, CliContext& context) {
  auto exportArgs = std::make_shared<ExportArguments>();
  auto* exportCommand = app.add_subcommand("export", "Write the lines, destinations or stops of a panel data base to a file");
  exportCommand->add_option("DB.hex", exportArgs->database, "Panel data base")->required();
  exportArgs->list.add(exportCommand, "file to write (- for standard output)");
  exportCommand->add_option("--kind", exportArgs->kind, "Layout: packed, txt, cl or zs (default: by the file's extension)")
      ->check(CLI::IsMember({"packed", "txt", "cl", "zs"}));
  exportCommand->add_option("--layout", exportArgs->layout, "Font file layout: N (default) or S (firmware 1.x)")
      ->check(CLI::IsMember({"N", "S"}));
  exportCommand->add_flag("--yes", exportArgs->yes, "Answer Yes to questions (the S layout leaves out code 255 glyphs)");
  exportCommand->callback(
      [exportArgs, &context] { context.command = [exportArgs, &context] { return exportList(*exportArgs, context); }; });

  auto importArgs = std::make_shared<ImportArguments>();
  auto* importCommand = app.add_subcommand(
      "import", "Read lines, destinations or stops from a file (or another panel data base) into a panel data base");
  importCommand->add_option("DB.hex", importArgs->database, "Panel data base")->required();
  importArgs->list.add(importCommand, "file to read");
  importCommand->add_flag("--add", importArgs->add, "Add to the list instead of replacing it");
  importCommand->add_option("--on-duplicate", importArgs->onDuplicate, "Answer for numbers already in the list: overwrite, skip or cancel (default skip)")
      ->check(CLI::IsMember({"overwrite", "skip", "cancel"}));
  importCommand->add_option("--on-bad-number", importArgs->onBadNumber, "Answer for wrong or too large numbers: skip or stop (default skip)")
      ->check(CLI::IsMember({"skip", "stop"}));
  importCommand->add_option("-o,--output", importArgs->output, "Panel data base to write, - for standard output")->required();
  importCommand->callback(
      [importArgs, &context] { context.command = [importArgs, &context] { return importList(*importArgs, context); }; });
}

}  // namespace dorvak
