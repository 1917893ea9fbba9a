#include "interchange/unit_texts.h"

#include <stdexcept>

#include "config/translations.h"
#include "core/error.h"
#include "core/messages.h"
#include "interchange/unit_file.h"

namespace dorvak {

namespace {

// The unit's KT500 codes as keyboard characters, cut to the name's length.
std::string nameOf(std::string_view unitText, const Kt500Table& table) {
  std::string name;
  for (char c : unitText.substr(0, kUnitNameLength))
    name += static_cast<char>(Kt500ToKey(static_cast<std::uint8_t>(c), table));
  return name.empty() ? std::string(" ") : name;
}

}  // namespace

TextImportResult readUnitTexts(PanelDatabase& db, TextKind kind, const std::string& path,
                               const TextImportOptions& options) {
  if (kind == TextKind::Line) throw std::invalid_argument("on-board unit files hold no lines");
  return readUnitTextBytes(db, kind, readUnitFile(path), path, options);
}

TextImportResult readUnitTextBytes(PanelDatabase& db, TextKind kind, std::string_view bytes, const std::string& name,
                                   const TextImportOptions& options) {
  if (kind == TextKind::Line) throw std::invalid_argument("on-board unit files hold no lines");
  const UnitFileKind fileKind = unitFileKind(name);
  if (options.progressCaption) options.progressCaption(fileKind == UnitFileKind::Bbf ? "BBF reading" : "BBD reading");
  const UnitFileHeader header = readUnitHeader(bytes, fileKind, true);
  if (header.endsAfterConfig) return {};

  // Fails while the list is still whole rather than empty it for nothing.
  const std::uint64_t section = sectionStart(header, bytes, kind == TextKind::Stop);

  ListImport import(db, kind, options, bytes.size());
  import.progress(header.end);
  if (section == 0) return import.finish();
  UnitRecordReader records(bytes, section);
  while (!import.cancelled()) {
    std::optional<UnitRecord> record;
    try {
      record = records.next();
    } catch (const DorvakError& e) {
      import.stop(e.what());
      break;
    }
    if (!record) break;
    // A record without a name has no text to give; it does not take another record's.
    if (!record->names.empty()) {
      std::optional<std::string> key = import.keyOfNumber(std::to_string(record->number), record->number);
      if (key && import.findExisting(*key))
        import.addComposed(*key, nameOf(record->names.back(), options.programOptions.kt500Table), {});
    }
    import.progress(records.position());
  }
  return import.finish();
}

}  // namespace dorvak
