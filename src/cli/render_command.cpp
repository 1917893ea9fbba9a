// dorvak-cli render: the panel picture after Open and a number of timer
// ticks, as text or as PNG, or the panel as it plays those ticks, as an
// animated GIF.

#include <CLI/CLI.hpp>
#include <cctype>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/output_file.h"
#include "cli/png_file.h"
#include "core/hex_reader.h"
#include "render/panel_gif.h"
#include "render/field_choice.h"
#include "render/panel_animation.h"
#include "render/panel_paint.h"
#include "render/panel_simulator.h"
#include "render/render_messages.h"

namespace dorvak {

namespace {

// A day of 100 ms ticks: far more than any page sequence needs.
constexpr int kMaxTicks = 864000;
// Ten minutes of an animation: many cycles of any destination's pages, and
// a bound on the frames held (one picture each) and on the file.
constexpr int kMaxGifTicks = 6000;

struct RenderArguments {
  std::string input;
  std::string output;
  std::string format = "text";
  std::optional<int> line;
  std::optional<std::string> destination;
  std::optional<int> stop;
  int ticks = 1;
};

// "X" to "XXXX" (either case) choose the starting destination, digits a
// number of the data base's destination mode.
std::optional<int> parseDestination(const std::string& text, const PanelDatabase& db) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  bool allX = true, allDigits = true;
  for (char c : text) {
    allX = allX && (c == 'X' || c == 'x');
    allDigits = allDigits && std::isdigit(static_cast<unsigned char>(c));
  }
  if (allX) return startingDestinationNumber(db);
  if (!allDigits) return std::nullopt;
  int number = std::stoi(text);
  if (number >= startingDestinationNumber(db)) return std::nullopt;
  return number;
}

// The text form: one line per panel row, top row first; "#" lit, "." dark.
std::string pictureText(const Picture& shown, PanelSize size) {
  std::string text;
  text.reserve(static_cast<std::size_t>((size.length + 1) * size.height));
  for (int j = 0; j < size.height; ++j) {
    const PictureRow& row = shown[static_cast<std::size_t>(kPictureRows - size.height + j)];
    for (int i = 0; i < size.length; ++i) text += row[static_cast<std::size_t>(i)] ? '#' : '.';
    text += '\n';
  }
  return text;
}

const char* fieldOption(FieldId fieldId) {
  return fieldId == FieldId::Line ? "--line" : fieldId == FieldId::Destination ? "--destination" : "--stop";
}

int render(const RenderArguments& a, CliContext& c) {
  if ((a.format == "png" || a.format == "gif") && a.output.empty()) {
    c.err << "--format " << a.format << " needs -o FILE\n";
    return kCliBadInput;
  }
  if (a.format == "gif" && (a.ticks < 1 || a.ticks > kMaxGifTicks)) {
    c.err << "--format gif needs --ticks from 1 to " << kMaxGifTicks << "\n";
    return kCliBadInput;
  }
  PanelDatabase db;
  db.resetConfig();
  HexReadOptions options;
  options.notice = [&c](const std::string& message) { c.err << message << "\n"; };
  options.kt500Table = &c.options.kt500Table;
  OpenResult open = openHexFile(db, a.input, options);

  // What Open leaves on the panel: the pictures cleared, the fields whose
  // choosers are off disabled, and the first or the chosen entries shown.
  PanelRenderer renderer(db);
  PanelSimulator simulator(renderer);
  renderer.setChoosers(open.decoding.choosers);

  std::optional<int> chosen[kFieldCount] = {a.line, std::nullopt, a.stop};
  if (a.destination) {
    chosen[fieldIndex(FieldId::Destination)] = parseDestination(*a.destination, db);
    if (!chosen[fieldIndex(FieldId::Destination)]) {
      c.err << "--destination: " << *a.destination << " is not a destination number of this data base (0.."
            << startingDestinationNumber(db) - 1 << " or X)\n";
      return kCliBadInput;
    }
  }
  for (FieldId id : kAllFields) {
    const std::optional<int>& number = chosen[fieldIndex(id)];
    if (!renderer.chooserEnabled(id)) {
      if (number) c.err << "The panel's chooser for " << fieldOption(id) << " is off; the number is not shown\n";
      continue;
    }
    if (!number) {
      renderer.showEntry(id, 0);
      continue;
    }
    ChoiceResult choice = showNumber(renderer, id, *number);
    if (!choice.message.empty()) c.err << choice.message << "\n";
  }

  std::vector<AnimationFrame> frames;
  if (a.format == "gif") {
    frames = playAnimation(simulator, a.ticks);
  } else {
    simulator.start();
    for (int t = 0; t < a.ticks; ++t) simulator.tick();
  }

  for (FieldId id : kAllFields)
    if (renderer.tooLongShown(id)) c.err << msg::tooLongWarning(id) << "\n";

  const PanelSize size = paintedSize(db.config);
  const Picture& shown = renderer.pictures().shown();
  if (a.format == "gif")
    writeOutputFile(a.output, encodePanelGif(frames, size), c);
  else if (a.format == "png")
    writeOutputFile(a.output, encodePng(paintPanel(shown, size)), c);
  else
    writeOutputFile(a.output.empty() ? "-" : a.output, pictureText(shown, size), c);
  return kCliDone;
}

}  // namespace

void registerRenderCommand(CLI::App& app, CliContext& context) {
  auto args = std::make_shared<RenderArguments>();
  auto* command = app.add_subcommand(
      "render", "Show the panel picture of a panel data base (*.hex) after Open and a number of 100 ms ticks");
  command->add_option("DB.hex", args->input, "Panel data base")->required();
  command->add_option("--line", args->line, "Line number to show (0..999) instead of the first line")
      ->check(CLI::Range(0, 999));
  command->add_option("--destination", args->destination,
                      "Destination number to show (0..999, or 0..9999 in four-digit mode; X the starting "
                      "destination) instead of the first destination");
  command->add_option("--stop", args->stop, "Stop number to show (0..9999) instead of the first stop")
      ->check(CLI::Range(0, 9999));
  command
      ->add_option("--ticks", args->ticks,
                   "Timer ticks of 100 ms to run (default 1; 1.." + std::to_string(kMaxGifTicks) + " for gif)")
      ->check(CLI::Range(0, kMaxTicks));
  command->add_option("--format", args->format,
                      "text (default: # lit, . dark, top row first), png, or gif (the panel playing the ticks, "
                      "one frame per change, looping)")
      ->check(CLI::IsMember({"text", "png", "gif"}));
  command->add_option("-o,--output", args->output, "File to write, - for standard output (the default for text)");
  command->callback([args, &context] { context.command = [args, &context] { return render(*args, context); }; });
}

}  // namespace dorvak
