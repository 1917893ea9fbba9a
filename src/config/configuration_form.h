#pragma once
// The panel configuration window's working state and its rules, without the
// window: what choosing a position, a display type or a firmware does to the
// size, the fields and the IBIS commands, the commands that exclude each
// other, which boxes and groups are enabled, and the range checks of the
// typed values. The window binds its controls to it; nothing here touches
// the data base, which takes result() on SET.
//
// Bounds are handled as the user types them, 1-based; the configuration
// holds them 0-based.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/panel_config.h"

namespace dorvak {

// The IBIS command boxes, in the order of the configuration record.
enum class Command : std::uint8_t { l, lA, z, zC, zA, zI, zD, zN, a, aV, aA, aL, aSC, aSL, aSZ, aSD };
inline constexpr int kCommandCount = 16;

std::uint8_t commandFlag(const IbisCommands& commands, Command command);
void setCommandFlag(IbisCommands& commands, Command command, bool on);

enum class Bound : std::uint8_t { Bottom, Top, Left, Right };
enum class StyleValue : std::uint8_t { Font, Space, Shift, Delay };
// How a typed value is confirmed: Enter, or leaving the field.
enum class Trigger { Enter, Leave };

struct ValueRange {
  int minimum;
  int maximum;
};

// "Invalid value. Allowed range <1,224>".
std::string invalidValueMessage(ValueRange range);

class ConfigurationForm {
 public:
  ConfigurationForm();

  // Fills the form from the data base's configuration. The digit choices
  // follow the commands (z and l win over zC and lA/aL) and stay as they
  // were when no such command is on. destinationAbove999: the data base
  // holds a destination number of 1000 or more, so three-digit destinations
  // are refused.
  void load(const PanelConfig& config, bool destinationAbove999);
  // The M service switch: the height may be 29 rows.
  void setServiceM(bool on) { serviceM_ = on; }

  // The working values, bounds 0-based as stored.
  const PanelConfig& working() const { return c_; }
  // What SET stores: option bit 0 set, bits 1 and 2 clear, a grey a box
  // counted as checked.
  PanelConfig result() const;

  // What the window shows.
  int offeredTypes() const { return offeredTypes_; }
  bool commandEnabled(Command command) const;
  bool fieldEnabled(TextKind kind) const;  // the bounds and style groups
  bool lineDigitsEnabled() const;
  bool destinationDigitsEnabled() const;
  bool fourDigitLines() const { return fourDigitLines_; }
  bool fourDigitDestinations() const { return fourDigitDestinations_; }
  // The format strings serve four-digit line numbers (lA, aL).
  bool formatStringsEnabled() const { return c_.commands.lA || c_.commands.aL; }
  // The a box in its grey state (checked, and a click keeps it so).
  bool aGrey() const { return aGrey_; }
  int typedBound(TextKind kind, Bound bound) const;
  int style(TextKind kind, StyleValue value) const;

  // The user's choices.
  void choosePosition(std::uint8_t position);
  void chooseType(std::uint8_t panelType);
  void chooseFirmware(std::uint8_t firmware);
  // A command box checked or cleared; the message when the choice is
  // refused (and undone).
  std::optional<std::string> setCommand(Command command, bool checked);
  void chooseLineDigits(bool four);
  std::optional<std::string> chooseDestinationDigits(bool four);
  void setOption(std::uint8_t bit, bool on);
  void setPanelNumber(std::uint8_t number) { c_.panelNumber = number; }

  // Typed values: checked against their ranges and stored when accepted;
  // the message ("Value isn't set!", "Invalid value. Allowed range <1,28>")
  // when refused, and then nothing changes. Leaving a changed height or
  // length re-derives the fields of the display type.
  std::optional<std::string> typeLength(std::string_view text, Trigger trigger);
  std::optional<std::string> typeHeight(std::string_view text, Trigger trigger);
  std::optional<std::string> typeBound(TextKind kind, Bound bound, std::string_view text);
  std::optional<std::string> typeStyle(TextKind kind, StyleValue value, std::string_view text);

  ValueRange heightRange() const;
  ValueRange boundRange(Bound bound) const;
  static ValueRange styleRange(StyleValue value);

 private:
  void setTypedField(TextKind kind, int left, int right, int bottom, int top);
  void setTypedBound(TextKind kind, Bound bound, int typed);
  void lineCommandByDigits();
  void destinationCommandByDigits();
  void rederiveType();
  void rederiveFields();
  int splitColumn() const;

  PanelConfig c_;
  bool fourDigitLines_ = false;
  bool fourDigitDestinations_ = false;
  bool aGrey_ = true;
  int offeredTypes_ = 5;
  // The display type whose enable rules hold: the one last chosen or
  // loaded. Clicks on z, zC and zD select a type from the commands without
  // changing the rules, so that a box just cleared can be checked again.
  std::uint8_t rulesType_ = PanelType::LineDestination;
  // The size the fields were last derived for.
  int derivedHeight_ = 0;
  int derivedLength_ = 0;
  bool destinationAbove999_ = false;
  bool serviceM_ = false;
};

}  // namespace dorvak
