#include "config/configuration_form.h"

#include <algorithm>
#include <charconv>

#include "core/messages.h"

namespace dorvak {

namespace {

constexpr int kDefaultRows = 28;

std::uint8_t* flagOf(IbisCommands& k, Command command) {
  switch (command) {
    case Command::l: return &k.l;
    case Command::lA: return &k.lA;
    case Command::z: return &k.z;
    case Command::zC: return &k.zC;
    case Command::zA: return &k.zA;
    case Command::zI: return &k.zI;
    case Command::zD: return &k.zD;
    case Command::zN: return &k.zN;
    case Command::a: return &k.a;
    case Command::aV: return &k.aV;
    case Command::aA: return &k.aA;
    case Command::aL: return &k.aL;
    case Command::aSC: return &k.aSC;
    case Command::aSL: return &k.aSL;
    case Command::aSZ: return &k.aSZ;
    case Command::aSD: break;
  }
  return &k.aSD;
}

void clear(IbisCommands& k, std::initializer_list<Command> commands) {
  for (Command command : commands) setCommandFlag(k, command, false);
}

// The typed number, or nothing for an empty text; -1 for anything that is
// not a number of at most nine digits.
std::optional<int> parseTyped(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = -1;
  if (text.size() > 9) return -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return -1;
  return value;
}

// The message for the text, or nothing when it is a number in the range.
std::optional<std::string> refusal(std::string_view text, ValueRange range, int& value) {
  const std::optional<int> typed = parseTyped(text);
  if (!typed) return std::string(msg::ValueNotSet);
  if (*typed < range.minimum || *typed > range.maximum) return invalidValueMessage(range);
  value = *typed;
  return std::nullopt;
}

std::uint8_t stored(int typed) { return static_cast<std::uint8_t>(std::clamp(typed, 1, 256) - 1); }

std::uint8_t& styleByte(FieldStyle& style, StyleValue value) {
  switch (value) {
    case StyleValue::Font: return style.font;
    case StyleValue::Space: return style.space;
    case StyleValue::Shift: return style.shift;
    case StyleValue::Delay: break;
  }
  return style.delay;
}

std::uint8_t& boundByte(FieldRect& rect, Bound bound) {
  switch (bound) {
    case Bound::Bottom: return rect.bottom;
    case Bound::Top: return rect.top;
    case Bound::Left: return rect.left;
    case Bound::Right: break;
  }
  return rect.right;
}

FieldStyle& styleOf(PanelConfig& c, TextKind kind) {
  return kind == TextKind::Line ? c.lineStyle : kind == TextKind::Destination ? c.destinationStyle : c.stopStyle;
}

}  // namespace

std::uint8_t commandFlag(const IbisCommands& commands, Command command) {
  return *flagOf(const_cast<IbisCommands&>(commands), command);
}

void setCommandFlag(IbisCommands& commands, Command command, bool on) { *flagOf(commands, command) = on ? 1 : 0; }

std::string invalidValueMessage(ValueRange range) {
  return std::string(msg::InvalidValue) + " <" + std::to_string(range.minimum) + "," + std::to_string(range.maximum) +
         ">";
}

ConfigurationForm::ConfigurationForm() { load(PanelConfig{}, false); }

void ConfigurationForm::load(const PanelConfig& config, bool destinationAbove999) {
  c_ = config;
  const IbisCommands& k = c_.commands;
  if (k.z)
    fourDigitDestinations_ = false;
  else if (k.zC)
    fourDigitDestinations_ = true;
  if (k.l)
    fourDigitLines_ = false;
  else if (k.lA || k.aL)
    fourDigitLines_ = true;
  offeredTypes_ = c_.firmware == FirmwareVersion::V1_6 && c_.panelType < 3 ? 3 : 5;
  rulesType_ = c_.panelType;
  aGrey_ = false;
  derivedHeight_ = c_.height;
  derivedLength_ = c_.length;
  destinationAbove999_ = destinationAbove999;
}

PanelConfig ConfigurationForm::result() const {
  PanelConfig r = c_;
  r.options = static_cast<std::uint8_t>((r.options & 0xF8) | 0x01);
  if (aGrey_) r.commands.a = 1;
  return r;
}

bool ConfigurationForm::commandEnabled(Command command) const {
  const bool v16 = c_.firmware == FirmwareVersion::V1_6;
  const bool line = panelTypeShows(rulesType_, TextKind::Line);
  const bool destination = panelTypeShows(rulesType_, TextKind::Destination);
  const bool stop = panelTypeShows(rulesType_, TextKind::Stop);
  switch (command) {
    case Command::l: return line;
    case Command::lA:
    case Command::aL:
    case Command::aSL: return line && !v16;
    case Command::z:
    case Command::zA:
    case Command::zI:
    case Command::aA: return destination;
    case Command::zC:
    case Command::aSZ:
    case Command::aSC: return destination && !v16;
    case Command::zD:
    case Command::aSD: return stop && !v16;
    case Command::zN: return stop && c_.firmware >= FirmwareVersion::V2_15;
    // Neither belongs to a field: a answers every panel, aV every firmware.
    case Command::a:
    case Command::aV: break;
  }
  return true;
}

bool ConfigurationForm::fieldEnabled(TextKind kind) const { return panelTypeShows(rulesType_, kind); }

bool ConfigurationForm::lineDigitsEnabled() const {
  return panelTypeShows(rulesType_, TextKind::Line) && c_.firmware != FirmwareVersion::V1_6;
}

bool ConfigurationForm::destinationDigitsEnabled() const {
  return panelTypeShows(rulesType_, TextKind::Destination) && c_.firmware != FirmwareVersion::V1_6;
}

int ConfigurationForm::typedBound(TextKind kind, Bound bound) const {
  return boundByte(const_cast<FieldRect&>(c_.field(kind)), bound) + 1;
}

int ConfigurationForm::style(TextKind kind, StyleValue value) const {
  return styleByte(styleOf(const_cast<PanelConfig&>(c_), kind), value);
}

void ConfigurationForm::setTypedBound(TextKind kind, Bound bound, int typed) {
  boundByte(c_.field(kind), bound) = stored(typed);
}

void ConfigurationForm::setTypedField(TextKind kind, int left, int right, int bottom, int top) {
  setTypedBound(kind, Bound::Left, left);
  setTypedBound(kind, Bound::Right, right);
  setTypedBound(kind, Bound::Bottom, bottom);
  setTypedBound(kind, Bound::Top, top);
}

void ConfigurationForm::lineCommandByDigits() {
  c_.commands.l = fourDigitLines_ ? 0 : 1;
  c_.commands.lA = fourDigitLines_ ? 1 : 0;
  c_.commands.aL = 0;
}

void ConfigurationForm::destinationCommandByDigits() {
  c_.commands.z = fourDigitDestinations_ ? 0 : 1;
  c_.commands.zC = fourDigitDestinations_ ? 1 : 0;
}

// The line field's last column when the line and destination share the
// panel: half of a short panel, else 28 columns.
int ConfigurationForm::splitColumn() const { return c_.length < 29 ? std::max(c_.length / 2, 1) : 28; }

void ConfigurationForm::choosePosition(std::uint8_t position) {
  c_.position = position;
  const bool rear = position == PanelPosition::Rear;
  offeredTypes_ = rear || c_.firmware == FirmwareVersion::V1_6 ? 3 : 5;
  c_.height = 19;
  c_.length = position == PanelPosition::Front ? 140 : position == PanelPosition::Side ? 112 : 28;
  lineCommandByDigits();
  if (!rear) destinationCommandByDigits();
  chooseType(rear ? PanelType::Line : PanelType::LineDestination);
}

void ConfigurationForm::chooseType(std::uint8_t panelType) {
  IbisCommands& k = c_.commands;
  c_.panelType = panelType;
  rulesType_ = panelType;
  k.a = 1;
  aGrey_ = true;
  k.aV = 1;
  clear(k, {Command::aL, Command::aSC, Command::aSL, Command::aSZ, Command::aSD});
  const int H = c_.height, L = c_.length, R = splitColumn();
  // The stop rows under the destination; at least one.
  const int stopTop = std::max((H - 1) / 2, 1);
  switch (panelType) {
    case PanelType::Line:
      setTypedField(TextKind::Line, 1, L, 1, H);
      lineCommandByDigits();
      clear(k, {Command::z, Command::zC, Command::zA, Command::zI, Command::zD, Command::zN, Command::aA});
      break;
    case PanelType::Destination:
      setTypedField(TextKind::Destination, 1, L, 1, H);
      destinationCommandByDigits();
      clear(k, {Command::l, Command::lA, Command::zA, Command::zI, Command::zD, Command::zN, Command::aA});
      break;
    case PanelType::LineDestination:
      setTypedField(TextKind::Line, 1, R, 1, H);
      setTypedField(TextKind::Destination, R + 1, L, 1, H);
      lineCommandByDigits();
      destinationCommandByDigits();
      clear(k, {Command::zA, Command::zI, Command::zD, Command::zN, Command::aA});
      break;
    case PanelType::DestinationStop:
      setTypedBound(TextKind::Destination, Bound::Right, L);
      setTypedBound(TextKind::Destination, Bound::Bottom, 1);
      setTypedBound(TextKind::Destination, Bound::Top, H);
      setTypedField(TextKind::Stop, 1, L, 1, stopTop);
      destinationCommandByDigits();
      k.zD = 1;
      k.zN = c_.firmware >= FirmwareVersion::V2_15 ? 1 : 0;
      clear(k, {Command::l, Command::lA, Command::zA, Command::zI, Command::aA});
      break;
    default:
      setTypedField(TextKind::Line, 1, R, 1, H);
      setTypedField(TextKind::Destination, R + 1, L, 1, H);
      setTypedField(TextKind::Stop, R + 1, L, 1, stopTop);
      lineCommandByDigits();
      destinationCommandByDigits();
      k.zD = 1;
      clear(k, {Command::zA, Command::zI, Command::zN, Command::aA});
      break;
  }
  derivedHeight_ = H;
  derivedLength_ = L;
}

void ConfigurationForm::chooseFirmware(std::uint8_t firmware) {
  IbisCommands& k = c_.commands;
  c_.firmware = firmware;
  if (firmware == FirmwareVersion::V1_6) {
    clear(k, {Command::lA, Command::zC, Command::zD, Command::zN, Command::aL, Command::aSL, Command::aSZ, Command::aSC,
              Command::aSD});
    fourDigitLines_ = false;
    fourDigitDestinations_ = false;
    offeredTypes_ = 3;
    // Firmware 1.6 has no stops: destination+stop becomes destination,
    // line+destination+stop line+destination.
    if (c_.panelType >= PanelType::DestinationStop) c_.panelType = static_cast<std::uint8_t>(c_.panelType - 2);
  } else {
    if (firmware < FirmwareVersion::V2_15) k.zN = 0;
    offeredTypes_ = 5;
  }
  chooseType(c_.panelType);
}

std::optional<std::string> ConfigurationForm::setCommand(Command command, bool checked) {
  IbisCommands& k = c_.commands;
  switch (command) {
    case Command::a:
      // Checked and grey whatever the click did.
      k.a = 1;
      aGrey_ = true;
      return std::nullopt;
    case Command::l:
    case Command::lA:
    case Command::aL:
      setCommandFlag(k, command, checked);
      if (checked) {
        for (Command other : {Command::l, Command::lA, Command::aL})
          if (other != command) setCommandFlag(k, other, false);
        fourDigitLines_ = command != Command::l;
      }
      return std::nullopt;
    case Command::z:
      if (checked) {
        if (destinationAbove999_) return std::string(msg::DestinationAbove999);
        k.zC = 0;
        fourDigitDestinations_ = false;
      }
      k.z = checked ? 1 : 0;
      break;
    case Command::zC:
      if (checked) {
        k.z = 0;
        fourDigitDestinations_ = true;
      }
      k.zC = checked ? 1 : 0;
      break;
    case Command::zD: k.zD = checked ? 1 : 0; break;
    default: setCommandFlag(k, command, checked); return std::nullopt;
  }
  rederiveType();
  return std::nullopt;
}

void ConfigurationForm::chooseLineDigits(bool four) {
  fourDigitLines_ = four;
  lineCommandByDigits();
}

std::optional<std::string> ConfigurationForm::chooseDestinationDigits(bool four) {
  if (!four && destinationAbove999_) return std::string(msg::DestinationAbove999);
  fourDigitDestinations_ = four;
  destinationCommandByDigits();
  return std::nullopt;
}

void ConfigurationForm::setOption(std::uint8_t bit, bool on) {
  c_.options = static_cast<std::uint8_t>(on ? c_.options | bit : c_.options & ~bit);
}

// The type named by the commands: 1 for a line command, plus 2 for z or zC;
// with zD, 2 becomes 4 (destination+stop) and anything else 5 (all three).
// Without a line or destination command the type stays.
void ConfigurationForm::rederiveType() {
  const IbisCommands& k = c_.commands;
  int number = (k.l || k.lA || k.aL ? 1 : 0) + (k.z || k.zC ? 2 : 0);
  if (k.zD) number = number == 2 ? 4 : 5;
  if (number == 0 || number > offeredTypes_) return;
  c_.panelType = static_cast<std::uint8_t>(number - 1);
}

void ConfigurationForm::rederiveFields() {
  const int H = c_.height, L = c_.length, R = splitColumn();
  const bool stops = panelTypeShows(c_.panelType, TextKind::Stop);
  switch (c_.panelType) {
    case PanelType::Line:
      setTypedBound(TextKind::Line, Bound::Top, H);
      setTypedBound(TextKind::Line, Bound::Right, L);
      break;
    case PanelType::Destination:
      setTypedBound(TextKind::Destination, Bound::Top, H);
      setTypedBound(TextKind::Destination, Bound::Right, L);
      break;
    case PanelType::DestinationStop: break;
    default:
      setTypedBound(TextKind::Line, Bound::Top, H);
      setTypedBound(TextKind::Line, Bound::Right, R);
      setTypedBound(TextKind::Destination, Bound::Top, H);
      setTypedBound(TextKind::Destination, Bound::Left, R + 1);
      setTypedBound(TextKind::Destination, Bound::Right, L);
      break;
  }
  if (stops) {
    // The destination above, the stops below it.
    const int destinationBottom = (H - 1) / 2 + 1;
    setTypedBound(TextKind::Destination, Bound::Right, L);
    setTypedBound(TextKind::Destination, Bound::Bottom, destinationBottom);
    setTypedBound(TextKind::Destination, Bound::Top, H);
    setTypedBound(TextKind::Stop, Bound::Right, L);
    setTypedBound(TextKind::Stop, Bound::Top, std::max(destinationBottom - 1, 1));
  }
  derivedHeight_ = H;
  derivedLength_ = L;
}

ValueRange ConfigurationForm::heightRange() const { return {1, serviceM_ ? kMaxPanelRows : kDefaultRows}; }

ValueRange ConfigurationForm::boundRange(Bound bound) const {
  const bool columns = bound == Bound::Left || bound == Bound::Right;
  return {1, columns ? c_.length : c_.height};
}

ValueRange ConfigurationForm::styleRange(StyleValue value) {
  return value == StyleValue::Delay ? ValueRange{1, 255} : ValueRange{0, 15};
}

std::optional<std::string> ConfigurationForm::typeLength(std::string_view text, Trigger trigger) {
  int value = 0;
  if (auto message = refusal(text, {1, kMaxPanelColumns}, value)) return message;
  c_.length = static_cast<std::uint8_t>(value);
  if (trigger == Trigger::Leave && value != derivedLength_) rederiveFields();
  return std::nullopt;
}

std::optional<std::string> ConfigurationForm::typeHeight(std::string_view text, Trigger trigger) {
  int value = 0;
  if (auto message = refusal(text, heightRange(), value)) return message;
  c_.height = static_cast<std::uint8_t>(value);
  if (trigger == Trigger::Leave && value != derivedHeight_) rederiveFields();
  return std::nullopt;
}

std::optional<std::string> ConfigurationForm::typeBound(TextKind kind, Bound bound, std::string_view text) {
  int value = 0;
  if (auto message = refusal(text, boundRange(bound), value)) return message;
  setTypedBound(kind, bound, value);
  return std::nullopt;
}

std::optional<std::string> ConfigurationForm::typeStyle(TextKind kind, StyleValue value, std::string_view text) {
  int typed = 0;
  if (auto message = refusal(text, styleRange(value), typed)) return message;
  styleByte(styleOf(c_, kind), value) = static_cast<std::uint8_t>(typed);
  return std::nullopt;
}

}  // namespace dorvak
