#pragma once
// The header at address 0 of the panel image: 80 bytes starting with "W"
// (firmware 2.13 and 2.15) or 64 bytes starting with "U" (firmware 1.6; "V"
// headers of older tools have 64 bytes too). Table addresses are stored high
// byte first; the address of the header's last byte (always 0xFF) means "no
// table". Readers work on the 80-byte form, into which 64-byte headers are
// converted.

#include <array>
#include <cstdint>
#include <optional>

#include "core/kt500.h"
#include "core/panel_database.h"

namespace dorvak {

inline constexpr std::size_t kLongHeaderSize = 80;
inline constexpr std::size_t kShortHeaderSize = 64;
inline constexpr std::uint16_t kNoTableLong = 0x004F;
inline constexpr std::uint16_t kNoTableShort = 0x003F;

using ImageHeader = std::array<std::uint8_t, kLongHeaderSize>;

namespace hdr {
inline constexpr int LineField = 1;
inline constexpr int DestinationField = 5;
inline constexpr int Commands1 = 9;
inline constexpr int Commands2 = 10;  // firmware 1.6: options
inline constexpr int Options = 11;
inline constexpr int LineStyle = 13;
inline constexpr int DestinationStyle = 17;
inline constexpr int FntTable = 21;
inline constexpr int LinTable = 23;
inline constexpr int CilTable3 = 25;
inline constexpr int Unused27 = 27;
inline constexpr int CodeTable = 29;
inline constexpr int DataVersion = 31;
inline constexpr int DataVersionLength = 16;
inline constexpr int StopField = 47;
inline constexpr int StopStyle = 51;
inline constexpr int DruTable = 55;
inline constexpr int Unused57 = 57;
inline constexpr int FormatStrings = 61;
inline constexpr int CilTable4 = 63;
inline constexpr int DruTableBanked = 66;  // high, low, bank (firmware 2.15)
inline constexpr int Brightness = 77;
inline constexpr int PanelNumber = 78;
}  // namespace hdr

std::uint16_t headerAddress(const ImageHeader& header, int offset);
void setHeaderAddress(ImageHeader& header, int offset, std::uint16_t address);

// The header of a data base with every table address at its no-table value;
// the writer fills in the addresses. Its size is headerSize(firmware).
ImageHeader buildHeader(const PanelDatabase& db, const Kt500Table& kt500);
std::size_t headerSize(std::uint8_t firmware);

// Turns a 64-byte "U" or "V" header into the 80-byte form.
void convertShortHeader(ImageHeader& header);

// What an Open learns from the header beyond the configuration: which of the
// main window's choosers are on, and the panel position the file's FNT tag
// named, if any.
struct ChooserState {
  bool line = false;
  bool destination = false;
  bool stop = false;
  bool operator==(const ChooserState&) const = default;
};

// Which choosers are on: a field's chooser when the panel type shows the
// field and the panel answers one of the field's commands (line: l, lA, aL;
// destination: z, zC, zI, zA, aA; stop: zD, zN). Open takes it from the
// decoded header, the configuration window's SET from the new configuration.
ChooserState choosersFor(std::uint8_t panelType, const IbisCommands& commands);

struct HeaderDecoding {
  ChooserState choosers;
  bool destinationLeftOfLine = false;
};

// Decodes a converted header into the configuration and the data version.
// tagPosition is the position named by the file's FNT tag.
HeaderDecoding decodeHeader(const ImageHeader& header, char headerKind, std::optional<std::uint8_t> tagPosition,
                            const Kt500Table& kt500, PanelDatabase& db);

}  // namespace dorvak
