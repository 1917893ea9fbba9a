// dorvak-cli font import and font show.

#include <CLI/CLI.hpp>
#include <charconv>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/database_files.h"
#include "cli/output_file.h"
#include "fonts/font_import.h"
#include "fonts/glyph_text.h"

namespace dorvak {

namespace {

struct FontArguments {
  std::string input, output, from, codes;
  int font = 0, height = 0, code = 0;
  bool fullHeight = false, yes = false;
};

std::optional<std::uint8_t> parseCode(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 || value > 255)
    return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

// "FROM-TO" or a single code, 0..255 each, FROM not above TO.
bool parseCodeRange(std::string_view text, FontImportOptions& options) {
  std::size_t dash = text.find('-');
  auto first = parseCode(text.substr(0, dash));
  auto last = dash == std::string_view::npos ? first : parseCode(text.substr(dash + 1));
  if (!first || !last || *first > *last) return false;
  options.firstCode = *first;
  options.lastCode = *last;
  return true;
}

int importFont(const FontArguments& a, CliContext& c) {
  FontImportOptions options;
  options.height = a.height;
  options.fullHeight = a.fullHeight;
  if (!a.codes.empty() && !parseCodeRange(a.codes, options)) {
    c.err << "--codes: \"" << a.codes << "\" is not FROM-TO with codes 0..255 and FROM not above TO\n";
    return kCliBadInput;
  }
  const std::string range = std::to_string(options.firstCode) + ".." + std::to_string(options.lastCode);

  PanelDatabase db;
  openDatabase(db, a.input, c);
  if (keyedCharacters(db.keyTable, options.firstCode, options.lastCode).empty()) {
    c.err << "No code " << range << " can carry a glyph and has a key in the key table: nothing was imported\n";
    return kCliFailed;
  }
  FontImport result = importFontFile(db, a.font, a.from, options);
  if (result.glyphs.empty()) {
    c.err << "Font file " << a.from << " has none of the " << result.missing.size()
          << " characters of codes " << range << ": nothing was imported\n";
    return kCliFailed;
  }
  if (int status = saveDatabase(db, a.output, a.yes, c); status != kCliDone) return status;

  std::ostream& report = reportStream(a.output, c);
  report << "Imported " << result.glyphs.size() << (result.glyphs.size() == 1 ? " glyph" : " glyphs") << " into font "
        << a.font << " from " << a.from;
  if (result.pixelsPerEm > 0)
    report << ", drawn at " << result.pixelsPerEm << " pixels per em to fit " << a.height << " rows\n";
  else
    report << ", its strike " << a.height << " dots high\n";
  if (!result.missing.empty()) {
    report << "Missing " << result.missing.size() << (result.missing.size() == 1 ? " character" : " characters")
          << ", whose glyphs are left as they were:\n";
    for (const PanelCharacter& m : result.missing) report << "  " << describePanelCharacter(m) << "\n";
  }
  return kCliDone;
}

int showGlyph(const FontArguments& a, CliContext& c) {
  PanelDatabase db;
  openDatabase(db, a.input, c);
  const GlyphRecord& glyph = db.fonts.glyph(a.font, a.code);
  if (!glyph.exists()) {
    c.err << "Font " << a.font << " has no glyph for code " << a.code << "\n";
    return kCliFailed;
  }
  const auto code = static_cast<std::uint8_t>(a.code);
  c.out << "Font " << a.font << ", "
        << (db.keyTable[code] != 0 ? describePanelCharacter({code, db.keyTable[code]}) : "code " + std::to_string(code))
        << ": " << glyphColumns(glyph) << " columns x " << int{glyph.height} << " rows\n";
  for (const std::string& row : glyphAsText(glyph)) c.out << row << "\n";
  return kCliDone;
}

}  // namespace

void registerFontCommand(CLI::App& app, CliContext& context) {
  auto args = std::make_shared<FontArguments>();
  auto* font = app.add_subcommand("font", "Panel fonts: import glyphs from a standard font, show a glyph");
  font->require_subcommand(1);

  auto* import = font->add_subcommand(
      "import", "Import the glyphs of every keyed code from a bitmap font (PCF, PCF.gz, BDF, OTB) or an outline font (TTF, OTF)");
  import->add_option("DB.hex", args->input, "Panel data base to read")->required();
  import->add_option("--font", args->font, "Panel font to fill, 0..15")->required()->check(CLI::Range(0, kFontCount - 1));
  import->add_option("--from", args->from, "Font file")->required();
  import->add_option("--height", args->height, "Rows of the panel font, 1..28: a bitmap font's strike of that line height, "
                                               "or an outline font drawn to fit them")
      ->required()
      ->check(CLI::Range(1, kMaxGlyphDots));
  import->add_option("--codes", args->codes, "Only the panel codes FROM-TO (default 32-255)");
  import->add_flag("--full-height", args->fullHeight, "Every glyph the font's full height, not down to its lowest lit row");
  import->add_option("-o,--output", args->output, "Panel data base to write, - for standard output")->required();
  import->add_flag("--yes", args->yes, "Answer Yes to questions (firmware 1.6 leaves out code 255 glyphs)");
  import->callback([args, &context] { context.command = [args, &context] { return importFont(*args, context); }; });

  auto* show = font->add_subcommand("show", "Print one glyph as rows of # (lit) and . (dark)");
  show->add_option("DB.hex", args->input, "Panel data base")->required();
  show->add_option("--font", args->font, "Panel font, 0..15")->required()->check(CLI::Range(0, kFontCount - 1));
  show->add_option("--code", args->code, "Panel code, 0..255")->required()->check(CLI::Range(0, kCodeCount - 1));
  show->callback([args, &context] { context.command = [args, &context] { return showGlyph(*args, context); }; });
}

}  // namespace dorvak
