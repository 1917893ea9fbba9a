#include "text/notation.h"

#include <algorithm>

#include "config/translations.h"
#include "text/stored_text.h"

namespace dorvak {

namespace {

class MnemoWriter {
 public:
  explicit MnemoWriter(std::vector<std::string>& rows) : rows_(rows) {}

  void token(const std::string& t) {
    closeLiteral();
    if (!row_.empty()) row_ += ' ';
    row_ += t;
  }
  void token(char letter, int value) { token(std::string(1, letter) + std::to_string(value)); }
  void character(char c) {
    if (!inLiteral_) {
      if (!row_.empty()) row_ += ' ';
      row_ += '\'';
      inLiteral_ = true;
    }
    row_ += c;
  }
  void endRow(const char* last) {
    token(last);
    rows_.push_back(std::move(row_));
    row_.clear();
  }
  void finish() {
    closeLiteral();
    if (!row_.empty()) rows_.push_back(std::move(row_));
  }

 private:
  void closeLiteral() {
    if (inLiteral_) row_ += '\'';
    inLiteral_ = false;
  }
  std::vector<std::string>& rows_;
  std::string row_;
  bool inLiteral_ = false;
};

}  // namespace

std::vector<std::string> textToMnemo(std::string_view stored, const KeyTable& keys) {
  std::vector<std::string> rows;
  MnemoWriter out(rows);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    auto b = static_cast<std::uint8_t>(stored[i]);
    if (b == code::CR) {
      out.endRow("CR");
      return rows;
    }
    if (b == code::LF) {
      out.endRow("LF");
    } else if (b == code::VT) {
      out.token("VT");
    } else if (b == code::FF) {
      out.token("FF");
    } else if (b == code::Apostrophe) {
      out.token("#39");
    } else if (b >= code::SpacingBase && b < code::ShiftBase) {
      out.token('m', b - code::SpacingBase);
    } else if (b >= code::ShiftBase && b < code::FontBase) {
      out.token('y', b - code::ShiftBase);
    } else if (b >= code::FontBase && b <= 239) {
      out.token('f', b - code::FontBase);
    } else if (b == code::ESC) {
      if (i + 1 >= stored.size()) break;  // cut short: the conversion ends
      auto letter = static_cast<std::uint8_t>(stored[++i]);
      if (escapeTakesParameter(letter)) {
        if (i + 1 >= stored.size()) break;
        int k = static_cast<std::uint8_t>(stored[++i]);
        bool zeroBased = letter == 'z' || letter == 'a';
        out.token(static_cast<char>(letter), zeroBased ? k - 16 : k - 15);
      } else if (letter >= 32 && letter <= 47) {
        out.token('m', letter - 32);
      } else if (letter >= 48 && letter <= 79) {
        out.token('y', letter - 48);
      } else if (letter >= 80 && letter <= 95) {
        out.token('f', letter - 80);
      } else if (std::string_view("bcinrvw").find(static_cast<char>(letter)) != std::string_view::npos) {
        out.token(std::string(1, static_cast<char>(letter)));
      } else {
        // An escape the panel does not know: shown as its bytes.
        out.token("#27");
        --i;
      }
    } else {
      std::uint8_t key = PanelCodeToKey(b, keys);
      if (key == kAtSign)
        out.token("#" + std::to_string(b));
      else
        out.character(static_cast<char>(key));
    }
  }
  out.finish();
  return rows;
}

std::string MnemoToken::spelling() const {
  switch (kind) {
    case Kind::Literal: return "'" + std::string(literal) + (unterminated ? "" : "'");
    case Kind::Code: return "#" + std::to_string(value);
    case Kind::LF: return "LF";
    case Kind::VT: return "VT";
    case Kind::FF: return "FF";
    case Kind::CR: return "CR";
    case Kind::Command: break;
  }
  return std::string(1, letter) + (value < 0 ? std::string() : std::to_string(value));
}

std::vector<MnemoToken> readMnemoTokens(std::string_view notation, int panelLength) {
  using Kind = MnemoToken::Kind;
  std::vector<MnemoToken> tokens;
  std::size_t pos = notation.find_first_not_of(' ');
  if (pos == std::string_view::npos) return tokens;
  const std::size_t n = notation.size();

  // Decimal digits at pos, or nothing (digits beyond any range stay out of range).
  auto number = [&](std::size_t& p) -> std::optional<long> {
    if (p >= n || notation[p] < '0' || notation[p] > '9') return std::nullopt;
    long value = 0;
    while (p < n && notation[p] >= '0' && notation[p] <= '9') {
      if (value < 100000) value = value * 10 + (notation[p] - '0');
      ++p;
    }
    return value;
  };
  // A numbered token, kept when its value lies in the range.
  auto numbered = [&](Kind kind, char letter, long low, long high) {
    auto v = number(pos);
    if (v && *v >= low && *v <= high) tokens.push_back({kind, letter, static_cast<int>(*v), {}, false});
  };

  while (pos < n) {
    char c = notation[pos++];
    if (c == '\'') {
      std::size_t close = notation.find('\'', pos);
      bool open = close == std::string_view::npos;
      tokens.push_back({Kind::Literal, 0, -1, notation.substr(pos, open ? n - pos : close - pos), open});
      if (open) return tokens;
      pos = close + 1;
    } else if (c == '#') {
      auto v = number(pos);
      if (v && ((*v >= 32 && *v <= 175) || (*v >= 240 && *v <= 255)))
        tokens.push_back({Kind::Code, 0, static_cast<int>(*v), {}, false});
    } else if (c == 'C' || c == 'F' || c == 'L' || c == 'V') {
      static constexpr std::string_view seconds = "RFFT";  // CR, FF, LF, VT
      const std::size_t which = std::string_view("CFLV").find(c);
      if (pos < n && notation[pos] == seconds[which]) {
        ++pos;
        static constexpr Kind kinds[] = {Kind::CR, Kind::FF, Kind::LF, Kind::VT};
        tokens.push_back({kinds[which], 0, -1, {}, false});
        if (c == 'C') return tokens;
      }
    } else if (std::string_view("bcinrvw").find(c) != std::string_view::npos) {
      tokens.push_back({Kind::Command, c, -1, {}, false});
    } else if (c == 'd' || c == 'h') {
      numbered(Kind::Command, c, 1, 32);
    } else if (c == 'l' || c == 'p') {
      numbered(Kind::Command, c, 1, 224);
    } else if (c == 's') {
      numbered(Kind::Command, c, 1, std::min(panelLength, 224));
    } else if (c == 'z' || c == 'a') {
      // The parameter byte is the value plus 16, so values above 239 do not fit.
      numbered(Kind::Command, c, 0, 239);
    } else if (c == 'f' || c == 'm') {
      numbered(Kind::Command, c, 0, 15);
    } else if (c == 'y') {
      numbered(Kind::Command, c, 0, 31);
    }
    // Anything else (spaces, stray digits, other letters) is skipped.
  }
  return tokens;
}

ParsedMnemo mnemoToText(std::string_view notation, const KeyTable& keys, int panelLength) {
  using Kind = MnemoToken::Kind;
  KeyToPanelCodes toPanel(keys);
  ParsedMnemo result;
  std::string& text = result.text;
  auto escape = [&](char letter, int parameter) {
    text += static_cast<char>(code::ESC);
    text += letter;
    text += static_cast<char>(parameter);
  };
  for (const MnemoToken& token : readMnemoTokens(notation, panelLength)) {
    const int v = token.value;
    switch (token.kind) {
      case Kind::Literal:
        for (char k : token.literal) text += static_cast<char>(toPanel(static_cast<std::uint8_t>(k)));
        if (token.unterminated) text += static_cast<char>(code::CR);
        break;
      case Kind::Code: text += static_cast<char>(v); break;
      case Kind::LF: text += static_cast<char>(code::LF); break;
      case Kind::VT: text += static_cast<char>(code::VT); break;
      case Kind::FF: text += static_cast<char>(code::FF); break;
      case Kind::CR: text += static_cast<char>(code::CR); break;
      case Kind::Command:
        switch (token.letter) {
          case 'd':
          case 'h':
            escape(token.letter, v + 15);
            (token.letter == 'h' ? result.bounds.top : result.bounds.bottom) = v - 1;
            break;
          case 'l':
          case 'p':
          case 's':
            // The parameter byte never becomes 141.
            escape(token.letter, (v == 126 ? 127 : v) + 15);
            if (token.letter == 'l') result.bounds.left = v - 1;
            if (token.letter == 'p') result.bounds.right = v - 1;
            break;
          case 'z': escape('z', (v == 125 ? 126 : v) + 16); break;
          // Read back so that editing a text's notation keeps its ESC "a".
          case 'a': escape('a', v + 16); break;
          case 'f': text += static_cast<char>(code::FontBase + v); break;
          case 'm': text += static_cast<char>(code::SpacingBase + v); break;
          case 'y': text += static_cast<char>(code::ShiftBase + v); break;
          default:  // b, c, i, n, r, v, w
            text += static_cast<char>(code::ESC);
            text += token.letter;
            break;
        }
        break;
    }
  }
  return result;
}

std::string joinMnemo(const std::vector<std::string>& rows) {
  std::string out;
  for (const std::string& row : rows) {
    if (!out.empty()) out += ' ';
    out += row;
  }
  return out;
}

}  // namespace dorvak
