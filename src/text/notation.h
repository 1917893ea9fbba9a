#pragma once
// The readable token notation in which editors show and accept a stored
// text: one notation row per text row, tokens separated by spaces, runs of
// ordinary characters between apostrophes as keyboard characters, each row
// ending with "LF" (more rows follow) or "CR" (the last row).
//
//   f n  font n          m n  spacing n        y n  vertical shift n
//   s n  start column n  l n / p n  window left / right column n (1-based)
//   h n / d n  window top / bottom row n (1-based)
//   z n / a n  parameters n (0-based)
//   b c i n r v w  one-letter commands     LF VT FF CR     #n  the byte n
//
// Notation text is Windows-1250, as the keyboard characters in it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/glyph.h"

namespace dorvak {

// The notation rows of a stored text; what follows the first CR (the
// ekvivalent) is not shown.
std::vector<std::string> textToMnemo(std::string_view stored, const KeyTable& keys);

// Window bounds that the notation named ("l", "p", "h", "d"), 0-based.
struct WindowBounds {
  std::optional<int> left, right, top, bottom;
  bool operator==(const WindowBounds&) const = default;
};

struct ParsedMnemo {
  std::string text;
  WindowBounds bounds;
};

// One token of the notation as the parser reads it.
struct MnemoToken {
  enum class Kind { Literal, Code, LF, VT, FF, CR, Command };
  Kind kind = Kind::Literal;
  char letter = 0;           // Command: its letter
  int value = -1;            // Code and numbered commands: the number; -1 none
  std::string_view literal;  // Literal: the keyboard characters between the apostrophes
  bool unterminated = false;  // a literal that runs to the end of the input
  // The token as written ("f3", "#251", "LF", "'ABC'").
  std::string spelling() const;
};

// The tokens of notation rows (joined without separators, leading spaces
// skipped) up to and including "CR" or an unterminated literal. Tokens whose
// value is out of range, and anything that is not a token, are left out.
// panelLength bounds the "s" column. The literals view the notation.
std::vector<MnemoToken> readMnemoTokens(std::string_view notation, int panelLength);

// The stored text of notation rows (joined without separators). Tokens whose
// value is out of range, and anything that is not a token, are dropped.
// panelLength bounds the "s" column.
ParsedMnemo mnemoToText(std::string_view notation, const KeyTable& keys, int panelLength);

// The notation rows joined by one space: one line of text for files and JSON.
std::string joinMnemo(const std::vector<std::string>& rows);

}  // namespace dorvak
