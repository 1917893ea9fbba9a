#pragma once
// The three lists of a data base, and the key digits each one uses.

namespace dorvak {

enum class TextKind { Line, Destination, Stop };

inline constexpr TextKind kAllTextKinds[] = {TextKind::Line, TextKind::Destination, TextKind::Stop};

// Lines always have three-digit numbers and stops four; destinations have
// three, or four when the panel answers the zC command.
constexpr int keyDigits(TextKind kind, bool fourDigitDestinations) {
  return kind == TextKind::Stop || (kind == TextKind::Destination && fourDigitDestinations) ? 4 : 3;
}

}  // namespace dorvak
