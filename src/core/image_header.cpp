#include "core/image_header.h"

#include <algorithm>

namespace dorvak {

namespace {
constexpr std::uint8_t kCR8 = 0x0D;

void putRect(ImageHeader& h, int at, const FieldRect& r) {
  h[at] = r.bottom;
  h[at + 1] = r.top;
  h[at + 2] = r.left;
  h[at + 3] = r.right;
}

void putStyle(ImageHeader& h, int at, const FieldStyle& s) {
  h[at] = static_cast<std::uint8_t>(0xE0 | (s.font & 0x0F));
  h[at + 1] = s.space;
  h[at + 2] = s.shift;
  h[at + 3] = s.delay;
}

FieldRect getRect(const ImageHeader& h, int at) { return {h[at], h[at + 1], h[at + 2], h[at + 3]}; }

FieldStyle getStyle(const ImageHeader& h, int at) {
  return {static_cast<std::uint8_t>(h[at] & 0x0F), h[at + 1], h[at + 2], h[at + 3]};
}

std::uint8_t bit(std::uint8_t flag, int position) { return static_cast<std::uint8_t>(flag ? 1u << position : 0u); }
std::uint8_t flagAt(std::uint8_t byte, int position) { return static_cast<std::uint8_t>((byte >> position) & 1u); }
}  // namespace

std::uint16_t headerAddress(const ImageHeader& header, int offset) {
  return static_cast<std::uint16_t>(header[offset] << 8 | header[offset + 1]);
}

void setHeaderAddress(ImageHeader& header, int offset, std::uint16_t address) {
  header[offset] = static_cast<std::uint8_t>(address >> 8);
  header[offset + 1] = static_cast<std::uint8_t>(address & 0xFF);
}

std::size_t headerSize(std::uint8_t firmware) {
  return firmware == FirmwareVersion::V1_6 ? kShortHeaderSize : kLongHeaderSize;
}

ImageHeader buildHeader(const PanelDatabase& db, const Kt500Table& kt500) {
  const PanelConfig& c = db.config;
  const IbisCommands& k = c.commands;
  bool shortForm = c.firmware == FirmwareVersion::V1_6;
  std::uint16_t none = shortForm ? kNoTableShort : kNoTableLong;
  ImageHeader h{};

  h[0] = shortForm ? 'U' : 'W';
  putRect(h, hdr::LineField, c.lineField);
  putRect(h, hdr::DestinationField, c.destinationField);
  h[hdr::Commands1] = static_cast<std::uint8_t>(bit(k.l, 0) | bit(shortForm ? 0 : k.lA, 1) | bit(k.z, 2) | bit(k.zA, 3) |
                                                bit(k.zI, 4) | bit(shortForm ? 0 : k.zD, 5) | bit(k.aV, 6) | bit(k.aA, 7));
  if (shortForm) {
    h[hdr::Commands2] = c.options;
    h[hdr::Options] = 0xFC;
    h[12] = 0x80;
  } else {
    h[hdr::Commands2] = static_cast<std::uint8_t>(bit(k.aL, 0) | bit(k.aSL, 1) | bit(k.aSZ, 2) | bit(k.aSD, 3) |
                                                  bit(k.aSC, 4) | bit(k.zC, 5) | bit(k.zN, 6));
    h[hdr::Options] = c.options;
    h[12] = 0x00;
  }
  putStyle(h, hdr::LineStyle, c.lineStyle);
  putStyle(h, hdr::DestinationStyle, c.destinationStyle);
  setHeaderAddress(h, hdr::FntTable, none);
  setHeaderAddress(h, hdr::LinTable, none);
  setHeaderAddress(h, hdr::CilTable3, none);
  setHeaderAddress(h, hdr::Unused27, none);
  setHeaderAddress(h, hdr::CodeTable, 0);

  // The data version travels in KT500 codes, padded with CR.
  for (int i = 0; i < hdr::DataVersionLength; ++i) {
    h[hdr::DataVersion + i] = i < static_cast<int>(db.dataVersion.size())
                                  ? KeyToKt500(static_cast<std::uint8_t>(db.dataVersion[static_cast<std::size_t>(i)]), kt500)
                                  : kCR8;
  }

  if (shortForm) {
    h[63] = 0xFF;  // 47..62 stay 0 until tables are placed
    return h;
  }
  putRect(h, hdr::StopField, c.stopField);
  putStyle(h, hdr::StopStyle, c.stopStyle);
  setHeaderAddress(h, hdr::DruTable, none);
  setHeaderAddress(h, hdr::Unused57, none);
  setHeaderAddress(h, hdr::Unused57 + 2, none);
  setHeaderAddress(h, hdr::FormatStrings, none);
  setHeaderAddress(h, hdr::CilTable4, none);
  if (c.firmware == FirmwareVersion::V2_15) {
    setHeaderAddress(h, hdr::DruTableBanked, none);
    h[hdr::DruTableBanked + 2] = 0;
  }
  h[hdr::Brightness] = c.brightness;
  h[hdr::PanelNumber] = c.panelNumber;
  h[79] = 0xFF;
  return h;
}

void convertShortHeader(ImageHeader& h) {
  if (h[0] == 'U') {
    h[hdr::Options] = h[hdr::Commands2];
    h[hdr::Commands2] = 0;
    h[12] = 0;
    h[46] = kCR8;
    std::fill(h.begin() + hdr::StopField, h.begin() + hdr::StopField + 4, 0);
    h[hdr::StopStyle] = 0xE1;
    h[hdr::StopStyle + 1] = 1;
    h[hdr::StopStyle + 2] = 10;
    h[hdr::StopStyle + 3] = 10;
    // Firmware 1.6 images keep the stop table and format strings addresses
    // at 55..56 and 61..62 (0 when absent); the other pairs up to 64 have no
    // table.
    for (int at = hdr::Unused57; at <= hdr::CilTable4; at += 2)
      if (at != hdr::FormatStrings) setHeaderAddress(h, at, kNoTableShort);
  } else {
    setHeaderAddress(h, hdr::CilTable4, kNoTableLong);
  }
  std::fill(h.begin() + 65, h.begin() + 79, 0);
  h[79] = 0xFF;
}

ChooserState choosersFor(std::uint8_t panelType, const IbisCommands& commands) {
  return {panelTypeShows(panelType, TextKind::Line) && commands.lineCommand(),
          panelTypeShows(panelType, TextKind::Destination) && commands.destinationCommand(),
          panelTypeShows(panelType, TextKind::Stop) && commands.stopCommand()};
}

HeaderDecoding decodeHeader(const ImageHeader& h, char headerKind, std::optional<std::uint8_t> tagPosition,
                            const Kt500Table& kt500, PanelDatabase& db) {
  PanelConfig& c = db.config;
  IbisCommands& k = c.commands;

  c.firmware = headerKind == 'U' ? FirmwareVersion::V1_6 : FirmwareVersion::V2_13;
  if (h[66] || h[67] || h[68]) c.firmware = FirmwareVersion::V2_15;
  c.brightness = h[hdr::Brightness];
  c.panelNumber = h[hdr::PanelNumber];

  c.lineField = getRect(h, hdr::LineField);
  c.destinationField = getRect(h, hdr::DestinationField);
  c.stopField = getRect(h, hdr::StopField);
  c.lineStyle = getStyle(h, hdr::LineStyle);
  c.destinationStyle = getStyle(h, hdr::DestinationStyle);
  c.stopStyle = getStyle(h, hdr::StopStyle);
  std::uint8_t b9 = h[hdr::Commands1], b10 = h[hdr::Commands2];
  k.l = flagAt(b9, 0), k.lA = flagAt(b9, 1), k.z = flagAt(b9, 2), k.zA = flagAt(b9, 3);
  k.zI = flagAt(b9, 4), k.zD = flagAt(b9, 5), k.aV = flagAt(b9, 6), k.aA = flagAt(b9, 7);
  k.aL = flagAt(b10, 0), k.aSL = flagAt(b10, 1), k.aSZ = flagAt(b10, 2), k.aSD = flagAt(b10, 3);
  k.aSC = flagAt(b10, 4), k.zC = flagAt(b10, 5), k.zN = flagAt(b10, 6);
  c.options = h[hdr::Options];

  db.dataVersion.clear();
  for (int i = 0; i < hdr::DataVersionLength; ++i) {
    std::uint8_t byte = h[hdr::DataVersion + i];
    if (byte != kCR8 && db.dataVersion.size() < kMaxDataVersionLength)
      db.dataVersion += static_cast<char>(Kt500ToKey(byte, kt500));
  }

  const bool lineOn = k.lineCommand(), destinationOn = k.destinationCommand(), stopOn = k.stopCommand();
  int extent = 0;
  if (c.lineField.right > 0 && lineOn) extent = c.lineField.right;
  if (c.destinationField.right > extent && (k.z || k.zC)) extent = c.destinationField.right;

  if (tagPosition) {
    c.position = *tagPosition;
  } else {
    c.position = PanelPosition::Rear;
    if (extent > 27 && c.lineField.right > 0 && c.lineField.right != c.destinationField.right)
      c.position = extent > 111 ? PanelPosition::Front : PanelPosition::Side;
  }
  if (c.position == PanelPosition::Side && extent < 28) c.position = PanelPosition::Rear;

  int type = (lineOn ? 1 : 0) + (destinationOn ? 2 : 0);
  if (stopOn) type = type == 2 ? 4 : 5;

  const int lineTop = c.lineField.top, destinationTop = c.destinationField.top, stopTop = c.stopField.top;
  const int lineRight = c.lineField.right, destinationRight = c.destinationField.right, stopRight = c.stopField.right;
  auto stopHeight = [&] { return destinationTop == 28 ? stopTop : std::max(stopTop, destinationTop); };
  int lastColumn = 0, lastRow = 0;
  HeaderDecoding result;
  switch (type) {
    case 0:
    case 1:
      c.panelType = PanelType::Line;
      lastColumn = lineRight;
      lastRow = lineTop;
      break;
    case 2:
      c.panelType = PanelType::Destination;
      lastColumn = destinationRight;
      lastRow = destinationTop == 28 ? 18 : destinationTop;
      break;
    case 3:
      c.panelType = PanelType::LineDestination;
      lastColumn = std::max(lineRight, destinationRight);
      lastRow = destinationTop == 28 ? lineTop : std::max(lineTop, destinationTop);
      break;
    case 4:
      c.panelType = PanelType::DestinationStop;
      lastColumn = std::max(destinationRight, stopRight);
      lastRow = stopHeight();
      break;
    default:
      c.panelType = PanelType::LineDestinationStop;
      lastColumn = std::max({lineRight, destinationRight, stopRight});
      lastRow = lineTop > destinationTop && lineTop > stopTop ? lineTop : stopHeight();
      break;
  }
  result.choosers = choosersFor(c.panelType, k);
  // The size is derived, never stored: keep it inside the panel's matrix.
  c.length = static_cast<std::uint8_t>(std::min(lastColumn + 1, kMaxPanelColumns));
  c.height = static_cast<std::uint8_t>(std::min(lastRow + 1, kMaxPanelRows));
  result.destinationLeftOfLine = c.destinationField.left < c.lineField.left;
  return result;
}

}  // namespace dorvak
