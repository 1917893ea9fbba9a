// Writing the destinations' ekvivalents into a BBF or a new BBD.

#include <algorithm>

#include "config/translations.h"
#include "core/safe_file.h"
#include "interchange/ekvivalent_records.h"
#include "interchange/ekvivalents.h"
#include "interchange/unit_file.h"

namespace dorvak {

namespace {

std::string toUnitCodes(std::string_view text, const ProgramOptions& options) {
  std::string codes;
  codes.reserve(text.size());
  for (char c : text) {
    auto key = static_cast<std::uint8_t>(c);
    switch (options.ekvivalentMode) {
      case EkvivalentMode::Kt500: key = KeyToKt500(key, options.kt500Table); break;
      case EkvivalentMode::Kt700: key = KeyToKt700(key, options.kt700Table); break;
      default: break;
    }
    codes += static_cast<char>(key);
  }
  return codes;
}

// The header of a new BBD; its length and section position are filled in
// once the section is written.
std::string bbdHeader(const PanelDatabase& db, const ProgramOptions& options) {
  std::string out(unit::kBbdHeaderSize, '\0');
  out.replace(0, unit::kBbdSignature.size(), unit::kBbdSignature);
  // The data version is in KT500 codes whatever the mode.
  std::size_t length = std::min(db.dataVersion.size(), unit::kBbdDataVersionSize);
  for (std::size_t i = 0; i < length; ++i)
    out[unit::kBbdDataVersion + i] =
        static_cast<char>(KeyToKt500(static_cast<std::uint8_t>(db.dataVersion[i]), options.kt500Table));
  out[unit::kBbdKt700Flag] = options.ekvivalentMode == EkvivalentMode::Kt700 ? 1 : 0;
  out += '\0';  // an empty name string
  return out;
}

// The existing BBF's magic and configSize, and its block with every section
// position cleared; the u32 length placeholder behind it.
std::string bbfStart(const UnitFileHeader& header, std::string_view bytes) {
  std::string out(bytes.substr(0, unit::kConfigOffset));
  ConfigBlock block = header.block;
  std::fill_n(block.begin() + unit::kBlockDestinations, 4 * unit::kBlockSectionCount, 0);
  out.append(reinterpret_cast<const char*>(block.data()), block.size());
  appendU32(out, 0);
  return out;
}

}  // namespace

std::optional<EkvivalentFile> formatEkvivalentFile(const PanelDatabase& db, UnitFileKind kind,
                                                   std::string_view oldBbf, bool alphabetical,
                                                   const EkvivalentWriteOptions& options) {
  UnitFileHeader bbf;
  std::string out;
  if (kind == UnitFileKind::Bbf) {
    bbf = readUnitHeader(oldBbf, kind, false);
    out = bbfStart(bbf, oldBbf);
  }
  if (db.destinations.empty()) return std::nullopt;
  const ProgramOptions& mode = options.programOptions;
  const std::vector<EkvivalentRecord> records = ekvivalentRecords(db, alphabetical, mode);
  if (kind == UnitFileKind::Bbd) out = bbdHeader(db, mode);

  const std::size_t sectionHead = out.size();
  appendSectionHead(out);
  if (options.progress.caption)
    options.progress.caption(kind == UnitFileKind::Bbf ? "BBF generation" : "BBD generation");
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (options.progress.step) options.progress.step(static_cast<int>(64 * i / records.size()));
    appendNameRecord(out, records[i].number, toUnitCodes(records[i].text, mode));
  }
  appendU16(out, unit::kSectionEnd);
  const std::size_t end = out.size();
  const std::size_t firstRecord = sectionHead + unit::kSectionHeadSize;

  if (kind == UnitFileKind::Bbf) {
    ConfigBlock block;
    std::copy_n(out.begin() + unit::kConfigOffset, block.size(), block.begin());
    const auto position = static_cast<std::uint32_t>(firstRecord - unit::kConfigOffset);
    for (std::size_t i = 0; i < 4; ++i)
      block[unit::kBlockDestinations + i] = static_cast<std::uint8_t>((position >> (8 * i)) & 0xFF);
    const std::uint16_t checksum = configChecksum(block);
    block[unit::kBlockChecksum] = static_cast<std::uint8_t>(checksum & 0xFF);
    block[unit::kBlockChecksum + 1] = static_cast<std::uint8_t>(checksum >> 8);
    std::copy(block.begin(), block.end(), out.begin() + unit::kConfigOffset);
    // Counted from behind the configuration part as configSize gives it; the
    // unsigned arithmetic of the unit's own format, wrapping included.
    putU32(out, sectionHead - 4, static_cast<std::uint32_t>(end - (bbf.configSize + unit::kConfigOffset) - 4));
  } else {
    putU32(out, unit::kBbdLength, static_cast<std::uint32_t>(end - unit::kBbdLength));
    putU32(out, unit::kBbdDestinations, static_cast<std::uint32_t>(firstRecord));
    out.append(unit::kBbdTrailer, '\0');
  }
  return EkvivalentFile{std::move(out), records.size()};
}

EkvivalentWriteResult writeEkvivalents(const PanelDatabase& db, const std::string& path, bool alphabetical,
                                       const EkvivalentWriteOptions& options) {
  const UnitFileKind kind = unitFileKind(path);
  // Ekvivalents go into an existing BBF, whose configuration part stays.
  const std::string oldBbf = kind == UnitFileKind::Bbf ? readUnitFile(path) : std::string();
  std::optional<EkvivalentFile> file = formatEkvivalentFile(db, kind, oldBbf, alphabetical, options);
  if (!file) return {};
  writeFileSafely(path, file->bytes);
  return {true, file->records};
}

}  // namespace dorvak
