#pragma once
// The bytes of a stored text and the pure operations on them that editors,
// text files and ekvivalents share.
//
// A stored text is panel character codes plus control codes: 224 + n font n,
// 176 + n spacing n, 192 + n vertical shift n, LF next row, VT, FF, CR end,
// and ESC sequences whose parameter byte is the value plus 16.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/program_options.h"
#include "core/glyph.h"

namespace dorvak {

namespace code {
inline constexpr std::uint8_t LF = 10, VT = 11, FF = 12, CR = 13, ESC = 27, Apostrophe = 39;
inline constexpr std::uint8_t SpacingBase = 176, ShiftBase = 192, FontBase = 224;
inline constexpr std::uint8_t ParameterOffset = 16;
}  // namespace code

// True for ESC letters followed by a parameter byte: a, d, h, l, p, s, z.
bool escapeTakesParameter(std::uint8_t letter);

// The text as plain keyboard characters: each row becomes a TAB-separated
// field; codes are dropped; CR ends.
std::string plainText(std::string_view stored, const KeyTable& keys);

// The ekvivalent derived from a destination text: rows joined by a space,
// codes dropped, trimmed; cut to 12 characters for KT500, fitted to the KT700
// display for KT700.
std::string deriveEkvivalent(std::string_view stored, const KeyTable& keys, const ProgramOptions& options);
// The stop form: the same walk, always cut to 12 characters.
std::string deriveStopEkvivalent(std::string_view stored, const KeyTable& keys);

// Cuts a KT700 ekvivalent to 30 characters and to 122 dots of the KT700
// display (2 dots between characters of non-zero width).
std::string fitKt700Ekvivalent(std::string_view text, const Kt700Table& table, const Kt700Widths& widths);

enum class BlockSide { Left, Right };

// The bytes that put the special glyph at the panel edge towards which the
// text's field extends, and make the text's field take the whole panel.
std::string blockPrefix(BlockSide side, const SpecialGlyph& special, int panelLength);

// The part of an entry's text that the panel shows: up to and including the
// last CR (the rest is an explicit ekvivalent), and that ekvivalent.
std::string_view panelPart(std::string_view text);
std::string_view explicitEkvivalent(std::string_view text);

}  // namespace dorvak
