#include "config/program_options.h"

#include <cstdlib>
#include <filesystem>

#include "core/error.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {
constexpr std::size_t kMaxTableFileSize = 1u << 20;
constexpr std::size_t kMaxOptionsFileSize = 64u << 10;

std::string readTableFile(const std::string& path, std::size_t needed) {
  std::string bytes = readWholeFile(path, kMaxTableFileSize);
  if (bytes.size() < needed) throw DorvakError(std::string(msg::ReadBeyondEnd));
  return bytes;
}

bool fileExists(const std::string& path) {
  std::error_code ignored;
  return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}
}  // namespace

std::string optionsFilePath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path folder;
  if (xdg && *xdg) {
    folder = xdg;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::filesystem::path(home && *home ? home : ".") / ".config";
  }
  return (folder / "dorvak" / "dorvak.ovl").string();
}

Kt500Table readKt500TableFile(const std::string& path) {
  std::string bytes = readTableFile(path, 128);
  Kt500Table table;
  std::copy(bytes.begin(), bytes.begin() + 128, table.begin());
  return table;
}

void readKt700TableFile(const std::string& path, Kt700Table& table, Kt700Widths& widths) {
  std::string bytes = readTableFile(path, 512);
  std::copy(bytes.begin(), bytes.begin() + 256, table.begin());
  std::copy(bytes.begin() + 256, bytes.begin() + 512, widths.begin());
}

OptionsFileLines parseOptionsFile(std::string_view text) {
  std::string lines[3];
  std::size_t pos = 0;
  for (auto& line : lines) {
    if (pos >= text.size()) break;
    std::size_t end = text.find('\n', pos);
    line = std::string(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end == std::string_view::npos ? text.size() : end + 1;
  }
  char mode = lines[0].empty() ? '0' : lines[0][0];
  OptionsFileLines parsed;
  parsed.ekvivalentMode = (mode == '1' || mode == 'A') ? EkvivalentMode::Kt500
                          : mode == '2'                ? EkvivalentMode::Kt700
                                                       : EkvivalentMode::None;
  parsed.kt500Path = lines[1];
  parsed.kt700Path = lines[2];
  return parsed;
}

ProgramOptions loadProgramOptions(const std::string& optionsPath) {
  ProgramOptions options;
  std::string text;
  try {
    text = readWholeFile(optionsPath, kMaxOptionsFileSize);
  } catch (const DorvakError&) {
    return options;  // no options file yet, or an unreadable one: the defaults stay
  }
  OptionsFileLines lines = parseOptionsFile(text);
  options.ekvivalentMode = lines.ekvivalentMode;
  // A table file that is gone or cannot be read leaves the built-in table.
  if (fileExists(lines.kt500Path)) {
    try {
      options.kt500Table = readKt500TableFile(lines.kt500Path);
      options.kt500Path = lines.kt500Path;
    } catch (const DorvakError&) {
    }
  }
  if (fileExists(lines.kt700Path)) {
    try {
      readKt700TableFile(lines.kt700Path, options.kt700Table, options.kt700Widths);
      options.kt700Path = lines.kt700Path;
    } catch (const DorvakError&) {
      options.kt700Table = defaultKt700Table();
      options.kt700Widths = builtinKt700Widths();
    }
  }
  return options;
}

void saveProgramOptions(const ProgramOptions& options, const std::string& optionsPath) {
  std::error_code error;
  auto folder = std::filesystem::path(optionsPath).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  std::string text;
  text += static_cast<char>('0' + (options.ekvivalentMode <= 2 ? options.ekvivalentMode : 0));
  text += "\r\n" + options.kt500Path + "\r\n" + options.kt700Path + "\r\n";
  writeFileSafely(optionsPath, text);
}

std::string displayPath(const std::string& path) {
  constexpr std::size_t kShown = 32;
  if (path.size() <= kShown) return path;
  std::string rest = path.substr(path.size() - kShown);
  std::size_t slash = rest.find('/');
  if (slash == std::string::npos || slash == 0) {
    rest[0] = '.';
  } else {
    for (std::size_t i = 0; i < slash; ++i) rest[i] = '.';
  }
  return rest;
}

}  // namespace dorvak
