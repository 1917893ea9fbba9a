#include "text/text_export.h"

#include <algorithm>
#include <filesystem>

#include "core/error.h"
#include "core/messages.h"
#include "core/safe_file.h"
#include "text/stored_text.h"

namespace dorvak {

namespace {

// "0007" -> "7"; "0000" -> "0".
std::string_view withoutLeadingZeros(std::string_view key) {
  std::size_t first = key.find_first_not_of('0');
  return first == std::string_view::npos ? key.substr(key.size() - 1) : key.substr(first);
}

void appendPacked(std::string& out, std::string_view number, std::string_view text) {
  out.append(number);
  out += static_cast<char>(text.size() & 0xFF);
  out += static_cast<char>((text.size() >> 8) & 0xFF);
  out.append(text);
}

}  // namespace

std::string formatTextFile(const PanelDatabase& db, TextKind kind, TextFileLayout layout,
                           const ProgramOptions& options) {
  const TextList& list = db.list(kind);
  const bool ekvivalentsOn = options.ekvivalentMode != EkvivalentMode::None;
  std::string out;
  for (const std::string& entry : list) {
    std::string_view key = entryKey(entry);
    std::string_view text = entryText(entry);
    bool start = key == kStartingDestinationKey;
    switch (layout) {
      case TextFileLayout::Packed: {
        if (text.empty()) break;
        // Lines and three-digit destinations leave out the key's first character.
        const bool threeDigits = db.config.keyDigits(kind) == 3;
        std::string_view written = kind == TextKind::Line ? text : (ekvivalentsOn ? panelPart(text) : text);
        if (text.size() > 0xFFFF) throw DorvakError(formatMessage(msg::TextTooLong, key));
        appendPacked(out, threeDigits ? key.substr(1) : key, written);
        break;
      }
      case TextFileLayout::Tab:
        out.append(key).append("\t").append(plainText(text, db.keyTable)).append("\r\n");
        break;
      case TextFileLayout::Ekvivalent:
      case TextFileLayout::StopLines: {
        bool destinations = layout == TextFileLayout::Ekvivalent;
        if ((destinations && kind != TextKind::Destination) || (!destinations && kind != TextKind::Stop))
          throw DorvakError(std::string(destinations ? msg::OnlyDestinationsHaveEkvivalentFile : msg::OnlyStopsHaveStopFile));
        if (start) break;
        std::string_view stored = explicitEkvivalent(text);
        std::string ekvivalent = !stored.empty() ? std::string(stored)
                                 : destinations  ? deriveEkvivalent(text, db.keyTable, options)
                                                 : deriveStopEkvivalent(text, db.keyTable);
        out.append(withoutLeadingZeros(key)).append("\t").append(ekvivalent).append("\t");
        out.append(plainText(text, db.keyTable)).append("\r\n");
        break;
      }
    }
  }
  return out;
}

void writeTextFile(const PanelDatabase& db, TextKind kind, const std::string& path, TextFileLayout layout,
                   const ProgramOptions& options) {
  writeFileSafely(path, formatTextFile(db, kind, layout, options));
}

std::optional<TextFileLayout> layoutForExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".lin" || ext == ".cil" || ext == ".ci4" || ext == ".dru") return TextFileLayout::Packed;
  if (ext == ".txt") return TextFileLayout::Tab;
  if (ext == ".cl") return TextFileLayout::Ekvivalent;
  if (ext == ".zs") return TextFileLayout::StopLines;
  return std::nullopt;
}

}  // namespace dorvak
