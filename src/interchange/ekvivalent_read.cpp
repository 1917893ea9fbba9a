// Reading ekvivalents from a BBD/BBF file into the destination list.

#include <algorithm>
#include <cstdio>

#include "config/translations.h"
#include "core/error.h"
#include "core/messages.h"
#include "interchange/ekvivalents.h"
#include "interchange/unit_file.h"
#include "text/stored_text.h"

namespace dorvak {

namespace {

std::string keyOfRecord(std::uint16_t number) {
  char key[8];
  std::snprintf(key, sizeof key, "%4.4d", number);
  return key;
}

class EkvivalentReader {
 public:
  EkvivalentReader(PanelDatabase& db, const EkvivalentReadOptions& options, std::size_t fileSize, bool kt700Codes)
      : db_(db), options_(options), stepSize_(fileSize / 64 + 1), kt700Codes_(kt700Codes) {}

  void progress(std::uint64_t position) {
    int step = static_cast<int>(std::min<std::uint64_t>(position / stepSize_, 64));
    if (options_.progress.step && step != shownStep_) options_.progress.step(shownStep_ = step);
  }

  void notice(std::string message) {
    if (options_.notice) options_.notice(message);
    result_.notices.push_back(std::move(message));
  }

  void record(const UnitRecord& record) {
    if (record.number < previousNumber_) result_.unsorted = true;
    previousNumber_ = record.number;
    for (const std::string& name : record.names) take(keyOfRecord(record.number), translate(name));
  }

  void stop(std::string message) {
    notice(std::move(message));
    result_.stoppedEarly = true;
  }

  EkvivalentReadResult result() { return std::move(result_); }

 private:
  std::string translate(std::string_view unitText) const {
    const ProgramOptions& o = options_.programOptions;
    std::string text;
    text.reserve(unitText.size());
    for (char c : unitText) {
      auto code = static_cast<std::uint8_t>(c);
      text += static_cast<char>(kt700Codes_ ? Kt700ToKey(code, o.kt700Table) : Kt500ToKey(code, o.kt500Table));
    }
    return text;
  }

  void take(const std::string& key, const std::string& ekvivalent) {
    std::optional<std::size_t> index = db_.destinations.findEntry(key);
    if (!index) {
      notice(formatMessage(kDestinationNotFound, key));
      ++result_.missing;
      return;
    }
    std::string text(panelPart(entryText(db_.destinations[*index])));
    if (text.empty() || text.back() != kCR) text += kCR;
    // Only an ekvivalent that differs from the derived one is stored.
    if (ekvivalent != deriveEkvivalent(text, db_.keyTable, options_.programOptions)) text += ekvivalent;
    db_.destinations.putEntry(key, text);
    ++result_.taken;
  }

  PanelDatabase& db_;
  const EkvivalentReadOptions& options_;
  std::size_t stepSize_;
  bool kt700Codes_;
  int shownStep_ = -1;
  std::uint16_t previousNumber_ = 0;
  EkvivalentReadResult result_;
};

}  // namespace

EkvivalentReadResult readEkvivalents(PanelDatabase& db, const std::string& path, const EkvivalentReadOptions& options) {
  return readEkvivalentBytes(db, readUnitFile(path), path, options);
}

EkvivalentReadResult readEkvivalentBytes(PanelDatabase& db, std::string_view bytes, const std::string& name,
                                         const EkvivalentReadOptions& options) {
  const UnitFileKind kind = unitFileKind(name);
  if (options.progress.caption) options.progress.caption(kind == UnitFileKind::Bbf ? "BBF reading" : "BBD reading");
  const UnitFileHeader header = readUnitHeader(bytes, kind, true);
  const std::uint64_t section = sectionStart(header, bytes, false);
  const bool kt700Codes = options.programOptions.ekvivalentMode == EkvivalentMode::Kt700 &&
                          kind == UnitFileKind::Bbd && header.kt700Codes;
  EkvivalentReader reader(db, options, bytes.size(), kt700Codes);
  reader.progress(header.end);
  if (section == 0) return reader.result();

  UnitRecordReader records(bytes, section);
  while (true) {
    std::optional<UnitRecord> record;
    try {
      record = records.next();
    } catch (const DorvakError& e) {
      reader.stop(e.what());
      break;
    }
    if (!record) break;
    reader.record(*record);
    reader.progress(records.position());
  }
  return reader.result();
}

}  // namespace dorvak
