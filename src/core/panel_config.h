#pragma once
// The panel configuration: position, display type, firmware, size, the three
// text fields with their default styles, the IBIS commands the panel answers
// and the option bits. Every field is one unsigned byte, as in the panel image.

#include <cstdint>

#include "core/text_kind.h"

namespace dorvak {

namespace PanelPosition {
inline constexpr std::uint8_t Front = 0, Side = 1, Rear = 2;
}

namespace PanelType {
inline constexpr std::uint8_t Line = 0, Destination = 1, LineDestination = 2,
                              DestinationStop = 3, LineDestinationStop = 4;
}

// The fields a panel type shows: a line on types 0, 2 and 4, a destination
// on every type but 0, stops on types 3 and 4.
constexpr bool panelTypeShows(std::uint8_t panelType, TextKind kind) {
  switch (kind) {
    case TextKind::Line:
      return panelType == PanelType::Line || panelType == PanelType::LineDestination ||
             panelType == PanelType::LineDestinationStop;
    case TextKind::Destination: return panelType != PanelType::Line;
    case TextKind::Stop: break;
  }
  return panelType == PanelType::DestinationStop || panelType == PanelType::LineDestinationStop;
}

namespace FirmwareVersion {
inline constexpr std::uint8_t V1_6 = 1, V2_13 = 2, V2_15 = 3, Unset = 4;
}

// Rows count from the bottom (row 0 is the lowest), columns from the left.
struct FieldRect {
  std::uint8_t bottom = 0;
  std::uint8_t top = 0;
  std::uint8_t left = 0;
  std::uint8_t right = 0;
  bool operator==(const FieldRect&) const = default;
};

struct FieldStyle {
  std::uint8_t font = 0;   // 0..15
  std::uint8_t space = 1;  // dots between glyphs
  std::uint8_t shift = 0;  // rows
  std::uint8_t delay = 10; // the "RETARDATION" value
  bool operator==(const FieldStyle&) const = default;
};

// IBIS (VDV 300) telegrams the panel reacts to; each is 0 or 1.
// zC doubles as the switch for four-digit destination numbers.
struct IbisCommands {
  std::uint8_t l = 1, lA = 0, z = 1, zC = 0, zA = 0, zI = 0, zD = 0, zN = 0;
  std::uint8_t a = 1, aV = 1, aA = 0, aL = 0, aSC = 0, aSL = 0, aSZ = 0, aSD = 0;
  bool operator==(const IbisCommands&) const = default;

  bool lineCommand() const { return l || lA || aL; }
  bool destinationCommand() const { return z || zC || zI || zA || aA; }
  bool stopCommand() const { return zD || zN; }
};

struct PanelConfig {
  std::uint8_t position = PanelPosition::Side;
  std::uint8_t panelType = PanelType::LineDestination;
  std::uint8_t firmware = FirmwareVersion::V2_15;
  std::uint8_t height = 19;
  std::uint8_t length = 112;
  FieldRect lineField{0, 18, 0, 27};
  FieldRect destinationField{0, 18, 28, 111};
  FieldRect stopField{0, 8, 28, 111};
  FieldStyle lineStyle{8, 1, 0, 10};
  FieldStyle destinationStyle{3, 1, 0, 10};
  FieldStyle stopStyle{0, 1, 0, 10};
  IbisCommands commands;
  // bit 0 always 1; bit 3 turn always all dots; bit 4 turn all dots on a
  // current error; bit 5 current error as status 7; bit 6 supply voltage
  // check; bit 7 voltage error as status 8.
  std::uint8_t options = 0xF1;
  std::uint8_t panelNumber = 0;  // kept by New
  std::uint8_t brightness = 0;   // kept by New
  bool operator==(const PanelConfig&) const = default;

  bool fourDigitDestinations() const { return commands.zC != 0; }
  // The digits of the list's keys: 3 or 4.
  int keyDigits(TextKind kind) const { return dorvak::keyDigits(kind, fourDigitDestinations()); }
  // The field rectangle and the default style of the list's field.
  const FieldRect& field(TextKind kind) const {
    return kind == TextKind::Line ? lineField : kind == TextKind::Destination ? destinationField : stopField;
  }
  FieldRect& field(TextKind kind) {
    return kind == TextKind::Line ? lineField : kind == TextKind::Destination ? destinationField : stopField;
  }
  const FieldStyle& style(TextKind kind) const {
    return kind == TextKind::Line ? lineStyle : kind == TextKind::Destination ? destinationStyle : stopStyle;
  }
};

// The largest panel the drawing matrices hold.
inline constexpr int kMaxPanelRows = 29;
inline constexpr int kMaxPanelColumns = 224;

}  // namespace dorvak
