#include "text/stored_text.h"

namespace dorvak {

namespace {

std::string trimSpaces(const std::string& s) {
  auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

// The characters of a text's rows, rows joined by a space, codes dropped.
std::string ekvivalentCharacters(std::string_view stored, const KeyTable& keys) {
  std::string out;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    auto b = static_cast<std::uint8_t>(stored[i]);
    if (b == code::VT || b == code::CR) break;
    if (b == code::LF) {
      out += ' ';
    } else if (b == code::ESC) {
      if (i + 1 >= stored.size()) break;
      auto letter = static_cast<std::uint8_t>(stored[++i]);
      if (escapeTakesParameter(letter)) {
        if (i + 1 >= stored.size()) break;
        ++i;
      }
    } else if (b != code::FF && b < code::SpacingBase) {
      out += static_cast<char>(PanelCodeToKey(b, keys));
    }
  }
  return trimSpaces(out);
}

}  // namespace

bool escapeTakesParameter(std::uint8_t letter) {
  switch (letter) {
    case 'a': case 'd': case 'h': case 'l': case 'p': case 's': case 'z': return true;
    default: return false;
  }
}

std::string plainText(std::string_view stored, const KeyTable& keys) {
  std::string out;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    auto b = static_cast<std::uint8_t>(stored[i]);
    if (b == code::CR) break;
    if (b == code::LF) {
      out += '\t';
    } else if (b == code::ESC) {
      if (i + 1 < stored.size() && escapeTakesParameter(static_cast<std::uint8_t>(stored[i + 1]))) ++i;
      ++i;
    } else if (b != code::VT && b != code::FF && (b < code::SpacingBase || b > 239)) {
      out += static_cast<char>(PanelCodeToKey(b, keys));
    }
  }
  return out;
}

std::string deriveEkvivalent(std::string_view stored, const KeyTable& keys, const ProgramOptions& options) {
  std::string text = ekvivalentCharacters(stored, keys);
  if (options.ekvivalentMode == EkvivalentMode::Kt500) return text.substr(0, 12);
  if (options.ekvivalentMode == EkvivalentMode::Kt700)
    return fitKt700Ekvivalent(text, options.kt700Table, options.kt700Widths);
  return text;
}

std::string deriveStopEkvivalent(std::string_view stored, const KeyTable& keys) {
  return ekvivalentCharacters(stored, keys).substr(0, 12);
}

std::string fitKt700Ekvivalent(std::string_view text, const Kt700Table& table, const Kt700Widths& widths) {
  std::string_view cut = text.substr(0, 30);
  int sum = 0;
  for (std::size_t i = 0; i < cut.size(); ++i) {
    int width = widths[KeyToKt700(static_cast<std::uint8_t>(cut[i]), table)];
    if (sum + width > 122) return std::string(cut.substr(0, i));
    sum += width;
    if (width != 0) sum += 2;
  }
  return std::string(cut);
}

std::string blockPrefix(BlockSide side, const SpecialGlyph& special, int panelLength) {
  std::string out = {char(code::ESC), 'b', char(code::ESC)};
  if (side == BlockSide::Left) {
    out += 'l';
    out += static_cast<char>(code::ParameterOffset);
  } else {
    out += 'p';
    out += static_cast<char>(panelLength + 15);
  }
  out += static_cast<char>(code::FontBase + (special.font & 0x0F));
  out += static_cast<char>(code::ShiftBase);
  out += static_cast<char>(special.code);
  out += static_cast<char>(code::FF);
  return out;
}

std::string_view panelPart(std::string_view text) {
  auto lastCR = text.rfind(static_cast<char>(code::CR));
  return lastCR == std::string_view::npos ? text : text.substr(0, lastCR + 1);
}

std::string_view explicitEkvivalent(std::string_view text) { return text.substr(panelPart(text).size()); }

}  // namespace dorvak
