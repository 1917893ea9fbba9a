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

ParsedMnemo mnemoToText(std::string_view notation, const KeyTable& keys, int panelLength) {
  KeyToPanelCodes toPanel(keys);
  ParsedMnemo result;
  std::string& text = result.text;
  std::size_t pos = notation.find_first_not_of(' ');
  if (pos == std::string_view::npos) return result;
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
  auto escape = [&](char letter, long parameter) {
    text += static_cast<char>(code::ESC);
    text += letter;
    text += static_cast<char>(parameter);
  };

  while (pos < n) {
    char c = notation[pos++];
    if (c == '\'') {
      std::size_t close = notation.find('\'', pos);
      std::string_view literal = notation.substr(pos, close == std::string_view::npos ? n - pos : close - pos);
      for (char k : literal) text += static_cast<char>(toPanel(static_cast<std::uint8_t>(k)));
      if (close == std::string_view::npos) {
        text += static_cast<char>(code::CR);
        return result;
      }
      pos = close + 1;
    } else if (c == '#') {
      auto v = number(pos);
      if (v && ((*v >= 32 && *v <= 175) || (*v >= 240 && *v <= 255))) text += static_cast<char>(*v);
    } else if (c == 'C' || c == 'F' || c == 'L' || c == 'V') {
      static constexpr std::string_view seconds = "RFFT";  // CR, FF, LF, VT
      char second = seconds[std::string_view("CFLV").find(c)];
      if (pos < n && notation[pos] == second) {
        ++pos;
        if (c == 'C') {
          text += static_cast<char>(code::CR);
          return result;
        }
        text += static_cast<char>(c == 'F' ? code::FF : c == 'L' ? code::LF : code::VT);
      }
    } else if (std::string_view("bcinrvw").find(c) != std::string_view::npos) {
      text += static_cast<char>(code::ESC);
      text += c;
    } else if (c == 'd' || c == 'h') {
      auto v = number(pos);
      if (v && *v >= 1 && *v <= 32) {
        escape(c, *v + 15);
        (c == 'h' ? result.bounds.top : result.bounds.bottom) = static_cast<int>(*v - 1);
      }
    } else if (c == 'l' || c == 'p' || c == 's') {
      auto v = number(pos);
      long limit = c == 's' ? std::min(panelLength, 224) : 224;
      if (v && *v >= 1 && *v <= limit) {
        long value = *v == 126 ? 127 : *v;  // the parameter byte never becomes 141
        escape(c, value + 15);
        if (c == 'l') result.bounds.left = static_cast<int>(*v - 1);
        if (c == 'p') result.bounds.right = static_cast<int>(*v - 1);
      }
    } else if (c == 'z') {
      // The parameter byte is the value plus 16, so values above 239 do not fit.
      auto v = number(pos);
      if (v && *v >= 0 && *v <= 239) escape('z', (*v == 125 ? 126 : *v) + 16);
    } else if (c == 'a') {
      // Read back so that editing a text's notation keeps its ESC "a".
      auto v = number(pos);
      if (v && *v >= 0 && *v <= 239) escape('a', *v + 16);
    } else if (c == 'f' || c == 'm' || c == 'y') {
      auto v = number(pos);
      long limit = c == 'y' ? 31 : 15;
      std::uint8_t base = c == 'f' ? code::FontBase : c == 'm' ? code::SpacingBase : code::ShiftBase;
      if (v && *v >= 0 && *v <= limit) text += static_cast<char>(base + *v);
    }
    // Anything else (spaces, stray digits, other letters) is skipped.
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
