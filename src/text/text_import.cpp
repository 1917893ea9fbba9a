#include "text/text_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "config/cp1250.h"
#include "config/translations.h"
#include "core/error.h"
#include "core/hex_reader.h"
#include "core/messages.h"
#include "core/safe_file.h"
#include "text/autoformat_choice.h"
#include "text/notation.h"
#include "text/stored_text.h"

namespace dorvak {

namespace {


std::string lowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

bool allOf(std::string_view s, char c) { return !s.empty() && s.find_first_not_of(c) == std::string_view::npos; }
bool allDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string trimSpaces(std::string_view s) {
  auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  auto last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

std::vector<std::string_view> splitTabs(std::string_view s) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t tab = s.find('\t', start);
    fields.push_back(s.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// Lines end at CR LF, LF or CR alone, whichever editor wrote the file; byte
// 26 ends a line too; the end of the file ends the last one.
std::vector<std::string_view> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0, i = 0;
  while (i < bytes.size()) {
    char c = bytes[i];
    if (c == '\n' || c == '\r' || c == 26) {
      lines.push_back(bytes.substr(start, i - start));
      i += c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

struct KindTraits {
  std::string_view duplicateQuestion;
  std::string_view packedError;
  std::string_view packedCaption;
  int maxNumber;
  bool startingDestination;
  bool bracketPresets;  // "[" and "(" before "$" in templates choose presets
};

KindTraits traitsOf(TextKind kind, const PanelConfig& config) {
  switch (kind) {
    case TextKind::Line:
      return {msg::LineExists, msg::ErrorInLineDatabase, msg::LinesInput, 999, false, false};
    case TextKind::Destination:
      return {msg::DestinationExists, msg::ErrorInDirectionDatabase, msg::DestinationsInput,
              config.keyDigits(kind) == 4 ? 9999 : 999, true, true};
    case TextKind::Stop: break;
  }
  return {msg::StopExists, msg::ErrorInStopDatabase, msg::StopsInput, 9999, false, true};
}

}  // namespace

// One read into one list.
class ListReader {
 public:
  ListReader(PanelDatabase& db, TextKind kind, const TextImportOptions& options, std::size_t inputSize)
      : db_(db), kind_(kind), options_(options), traits_(traitsOf(kind, db.config)), staged_(db.list(kind)),
        resolver_(options.askDuplicate),
        room_(options.room.value_or(ComposeGeometry::of(db.config, kind))),
        stepSize_(inputSize / 64 + 1) {
    if (!options_.add) {
      staged_.clear();
      result_.cleared = true;
    }
  }

  TextImportResult finish() {
    staged_.commit();
    return std::move(result_);
  }

  bool cancelled() const { return resolver_.cancelled() || stopped_; }

  void caption(std::string_view text) {
    if (options_.progressCaption) options_.progressCaption(text);
  }
  void progress(std::size_t consumed) {
    int step = static_cast<int>(std::min<std::size_t>(consumed / stepSize_, 64));
    if (options_.progress && step != shownStep_) options_.progress(shownStep_ = step);
  }

  // A message that ends the read part way.
  void stop(std::string message) {
    if (options_.notice) options_.notice(message);
    result_.notices.push_back(std::move(message));
    result_.stoppedEarly = true;
    stopped_ = true;
  }

  // The key of a number written in a text file, or nothing when the line is
  // to be skipped (the read stops when the user answers No).
  std::optional<std::string> keyOfNumber(std::string_view number, std::size_t lineNumber, bool special) {
    if (special && traits_.startingDestination) return std::string(kStartingDestinationKey);
    if (allDigits(number) && number.size() <= 5) {
      int value = std::stoi(std::string(number));
      if (value <= traits_.maxNumber) {
        char key[8];
        std::snprintf(key, sizeof key, "%4.4d", value);
        return std::string(key);
      }
    }
    std::string question = std::string(msg::WrongOrTooLargeNumber) + "\n[" + std::to_string(lineNumber) + "]\n" + std::string(msg::Continue);
    bool goOn = options_.askContinue ? options_.askContinue(question) : true;
    if (!goOn) {
      result_.stoppedEarly = true;
      stopped_ = true;
    }
    return std::nullopt;
  }

  // Whether an incoming entry may take its key: asks when the key is taken.
  bool findExisting(const std::string& key) {
    if (!staged_.contains(key)) return true;
    const std::string shown = shownKey(key, db_.config.keyDigits(kind_));
    bool overwrite = resolver_.overwrite(formatMessage(traits_.duplicateQuestion, shown));
    if (resolver_.cancelled()) result_.stoppedEarly = true;
    return overwrite;
  }

  void store(const std::string& key, std::string_view text) {
    (staged_.contains(key) ? result_.replaced : result_.added).push_back(key);
    std::string entry;
    entry.reserve(kKeyLength + 2 + text.size());
    entry.append(key).append("  ").append(text);
    staged_.put(key, std::move(entry));
  }

  void remove(const std::string& key) {
    if (!staged_.contains(key)) return;
    staged_.erase(key);
    result_.removed.push_back(key);
  }

  // Builds the entry from plain rows; a stop's ekvivalent is kept when it
  // differs from the one the text gives.
  void addComposed(const std::string& key, std::string_view row1, std::string_view furtherRows,
                   std::string_view ekvivalent = {}) {
    std::string text;
    switch (kind_) {
      case TextKind::Line: text = composeLine(db_, room_, row1, furtherRows); break;
      case TextKind::Destination: text = composeDestination(db_, room_, row1, furtherRows); break;
      case TextKind::Stop: text = composeStop(db_, room_, row1, furtherRows); break;
    }
    if (!ekvivalent.empty()) {
      std::string derived = kind_ == TextKind::Stop
                                ? deriveStopEkvivalent(text, db_.keyTable)
                                : deriveEkvivalent(text, db_.keyTable, options_.programOptions);
      if (ekvivalent != derived) text += ekvivalent;
    }
    store(key, text);
  }

  // ---- packed files ----

  void readPacked(std::string_view bytes, std::size_t keyChars) {
    caption(traits_.packedCaption);
    std::string lastNumber = "...";
    auto fail = [&](std::string_view error) {
      stop(std::string(error) + "\n" + std::string(msg::ReadOnlyToNumber) + " " + lastNumber);
    };
    std::size_t pos = 0;
    while (pos < bytes.size() && !cancelled()) {
      if (bytes.size() - pos < keyChars) return stop(std::string(msg::ReadBeyondEnd));
      std::string_view number = bytes.substr(pos, keyChars);
      bool start = traits_.startingDestination && allOf(number, 'X');
      if (!allDigits(number) && !start) return fail(traits_.packedError);
      std::string key = start ? std::string(kStartingDestinationKey)
                              : std::string(kKeyLength - keyChars, '0') + std::string(number);
      if (!start && key[0] != '0' && traits_.maxNumber < 1000) return fail(traits_.packedError);
      if (bytes.size() - pos < keyChars + 2) return stop(std::string(msg::ReadBeyondEnd));
      std::size_t length = static_cast<std::uint8_t>(bytes[pos + keyChars]) |
                           static_cast<std::size_t>(static_cast<std::uint8_t>(bytes[pos + keyChars + 1])) << 8;
      pos += keyChars + 2;
      if (bytes.size() - pos < length) return stop(std::string(msg::ReadBeyondEnd));
      std::string_view text = bytes.substr(pos, length);
      pos += length;
      lastNumber = std::string(number);
      if (kind_ == TextKind::Stop) {
        // A stop record is asked about even without a text; overwriting it
        // with nothing removes the old stop.
        if (findExisting(key)) {
          if (length > 0)
            store(key, normalizeText(text));
          else
            remove(key);
        }
      } else if (length > 0 && findExisting(key)) {
        store(key, normalizeText(text));
      }
      progress(pos);
    }
  }

  // ---- text files ----

  void readText(std::string_view bytes, const std::string& path) {
    caption(msg::TextsInput);
    // A file a modern editor saved in UTF-8 is read in the keyboard's Windows-1250.
    std::optional<std::string> fromUtf8 = utf8FileTextToCp1250(bytes);
    if (fromUtf8) {
      bytes = *fromUtf8;
      stepSize_ = bytes.size() / 64 + 1;
    }
    std::string ext = lowerExtension(path);
    if (kind_ == TextKind::Destination && ext == ".cl") return readLines(bytes, &ListReader::ekvivalentLine);
    if (kind_ == TextKind::Stop && ext == ".zs") return readLines(bytes, &ListReader::zsLine);
    if (!bytes.empty() && bytes[0] == '@') return readRecords(bytes, !fromUtf8);
    readLines(bytes, &ListReader::tabLine);
  }

 private:
  using LineHandler = void (ListReader::*)(std::string_view line, std::size_t lineNumber);

  void readLines(std::string_view bytes, LineHandler handle) {
    std::size_t lineNumber = 0;
    for (std::string_view line : splitLines(bytes)) {
      if (cancelled()) return;
      (this->*handle)(line, ++lineNumber);
      progress(static_cast<std::size_t>(line.data() + line.size() - bytes.data()));
    }
  }

  // The number up to the first TAB or blank, and what follows one separator.
  static std::pair<std::string_view, std::string_view> splitNumber(std::string_view line) {
    std::size_t end = line.find_first_of("\t ");
    if (end == std::string_view::npos) return {line, {}};
    return {line.substr(0, end), line.substr(end + 1)};
  }

  // Further rows from TAB fields: an empty field is one space; joined by LF.
  static std::string joinRows(const std::vector<std::string_view>& fields, std::size_t from) {
    std::string rows;
    for (std::size_t i = from; i < fields.size(); ++i) {
      if (i > from) rows += '\n';
      rows += fields[i].empty() ? std::string_view(" ") : fields[i];
    }
    return rows;
  }

  void tabLine(std::string_view line, std::size_t lineNumber) {
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    if (line.empty()) return;  // a blank line carries no entry
    if (line[0] == '$') {
      template_ = std::string(line.substr(1, line.find_first_of("\t\r", 1) - 1));
      return;
    }
    auto [number, rest] = splitNumber(line);
    bool special = (number == "XXXX" || number == "XXX") && line.size() > number.size() && line[number.size()] == '\t';
    auto key = keyOfNumber(number, lineNumber, special);
    if (!key) return;
    std::vector<std::string_view> fields = splitTabs(rest);
    if (template_) {
      std::string text = expandTemplate(*key, fields);
      if (findExisting(*key)) store(*key, text);
      return;
    }
    std::string row1(fields[0]);
    std::string further = joinRows(fields, 1);
    if (!further.empty() && row1.empty()) row1 = " ";
    if (findExisting(*key)) addComposed(*key, row1, further);
  }

  // The ekvivalent column: up to the next TAB, at most 12 characters, trimmed.
  static std::string ekvivalentColumn(std::string_view& rest) {
    std::size_t tab = rest.find('\t');
    std::string_view column = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view{} : rest.substr(tab + 1);
    return trimSpaces(column.substr(0, 12));
  }

  // The head shared by *.cl and *.zs lines: number, ekvivalent column, then
  // the TAB fields of the rows. Nothing for a comment or a skipped number.
  struct EkvivalentLine {
    std::string key, ekvivalent;
    std::vector<std::string_view> fields;
  };
  std::optional<EkvivalentLine> readEkvivalentLine(std::string_view line, std::size_t lineNumber) {
    if (line.empty() || line[0] == ';') return std::nullopt;
    auto [number, rest] = splitNumber(line);
    auto key = keyOfNumber(number, lineNumber, false);
    if (!key) return std::nullopt;
    std::string ekvivalent = ekvivalentColumn(rest);
    return EkvivalentLine{*key, std::move(ekvivalent), splitTabs(rest)};
  }

  void ekvivalentLine(std::string_view line, std::size_t lineNumber) {
    auto parsed = readEkvivalentLine(line, lineNumber);
    if (!parsed) return;
    auto& fields = parsed->fields;
    while (fields.size() > 1 && (fields.back() == " " || fields.back().empty())) fields.pop_back();
    std::string row1(fields[0]);
    std::string further = joinRows(fields, 1);
    if (row1.empty() && further.empty()) row1 = parsed->ekvivalent;
    if (!further.empty() && row1.empty()) row1 = " ";
    if (findExisting(parsed->key)) addComposed(parsed->key, row1, further, parsed->ekvivalent);
  }

  void zsLine(std::string_view line, std::size_t lineNumber) {
    auto parsed = readEkvivalentLine(line, lineNumber);
    if (!parsed) return;
    std::string row1(parsed->fields[0]);
    std::string further = joinRows(parsed->fields, 1);
    while (!further.empty() && (further.back() == ' ' || further.back() == '\n')) further.pop_back();
    if (row1.empty() && further.empty()) row1 = parsed->ekvivalent;
    if (findExisting(parsed->key)) addComposed(parsed->key, row1, further, parsed->ekvivalent);
  }

  // "@" records: "@" number, a blank, row 1; then further rows, each without
  // its first character. Bytes from 128 up are in the Kamenicky code page
  // unless the file was UTF-8.
  void readRecords(std::string_view raw, bool kamenicky) {
    std::string bytes(raw);
    if (kamenicky)
      for (char& c : bytes) c = static_cast<char>(KamenickyToKey(static_cast<std::uint8_t>(c)));
    std::optional<std::string> key;
    bool open = false;
    std::string row1, further;
    auto finishRecord = [&] {
      if (open && key && findExisting(*key)) addComposed(*key, row1, further);
      open = false;
    };
    std::size_t lineNumber = 0;
    std::string_view text(bytes);
    for (std::string_view line : splitLines(text)) {
      ++lineNumber;
      if (line.size() >= 2 && line[0] == '@' && line[1] >= '0' && line[1] <= '9') {
        finishRecord();
        if (cancelled()) return;
        std::size_t blank = line.find(' ');
        std::string_view number = line.substr(1, blank == std::string_view::npos ? std::string_view::npos : blank - 1);
        row1 = blank == std::string_view::npos ? std::string() : std::string(line.substr(blank + 1));
        further.clear();
        key = keyOfNumber(number, lineNumber, false);
        if (cancelled()) return;
        open = true;
      } else if (open && !line.empty()) {
        if (!further.empty()) further += '\n';
        further += line.substr(1);
      }
      progress(static_cast<std::size_t>(line.data() + line.size() - text.data()));
    }
    finishRecord();
  }

  // A "$" template applied to one data line.
  std::string expandTemplate(const std::string& key, const std::vector<std::string_view>& dataFields) {
    const FieldRect& field = kind_ == TextKind::Line          ? db_.config.lineField
                             : kind_ == TextKind::Destination ? db_.config.destinationField
                                                              : db_.config.stopField;
    int left = field.left, right = field.right, bottom = field.bottom, top = field.top;
    std::vector<std::string> fields;
    fields.push_back(key.substr(1));
    for (std::string_view f : dataFields) fields.emplace_back(f);

    std::string out;
    auto appendNotation = [&](std::string_view notation) {
      ParsedMnemo parsed = mnemoToText(notation, db_.keyTable, db_.config.length);
      out += parsed.text;
      if (parsed.bounds.left) left = *parsed.bounds.left;
      if (parsed.bounds.right) right = *parsed.bounds.right;
      if (parsed.bounds.top) top = *parsed.bounds.top;
      if (parsed.bounds.bottom) bottom = *parsed.bounds.bottom;
    };
    const std::string& t = *template_;
    std::size_t pos = 0;
    while (true) {
      std::size_t dollar = t.find('$', pos);
      if (dollar == std::string::npos) break;
      std::string_view segment(t.data() + pos, dollar - pos);
      char preset = 0;
      if (traits_.bracketPresets && !segment.empty() && (segment.back() == '[' || segment.back() == '(')) {
        preset = segment.back();
        segment.remove_suffix(1);
      }
      appendNotation(segment);
      pos = dollar + 1;
      std::size_t digitsEnd = pos;
      while (digitsEnd < t.size() && std::isdigit(static_cast<unsigned char>(t[digitsEnd]))) ++digitsEnd;
      std::optional<std::size_t> index;
      if (digitsEnd > pos && digitsEnd - pos < 6) index = std::stoul(t.substr(pos, digitsEnd - pos));
      pos = digitsEnd;
      if (preset && pos < t.size() && (t[pos] == ']' || t[pos] == ')')) ++pos;
      if (!index || *index >= fields.size()) continue;
      std::string value = fields[*index];
      KeysToPanelCodes(value, db_.keyTable);
      if (preset) {
        const PresetTable& presets =
            preset == '[' ? db_.autoformatPresets.oneRowPresets : db_.autoformatPresets.twoRowFirstPresets;
        const FieldStyle& style = kind_ == TextKind::Stop ? db_.config.stopStyle : db_.config.destinationStyle;
        AutoformatChoice choice =
            chooseAutoformat(presets, value, right - left + 1, top - bottom + 1, style, left, db_.fonts);
        out += static_cast<char>(code::FontBase + (choice.font & 0x0F));
        out += static_cast<char>(code::SpacingBase + std::min<int>(choice.spacing, 15));
      }
      out += value;
    }
    appendNotation(std::string_view(t).substr(pos));
    if (out.empty() || out.back() != static_cast<char>(code::CR)) out += static_cast<char>(code::CR);
    return out;
  }

  PanelDatabase& db_;
  TextKind kind_;
  const TextImportOptions& options_;
  KindTraits traits_;
  StagedTextList staged_;
  DuplicateResolver resolver_;
  ComposeGeometry room_;
  std::size_t stepSize_;
  int shownStep_ = -1;
  bool stopped_ = false;
  std::optional<std::string> template_;
  TextImportResult result_;
};

ListImport::ListImport(PanelDatabase& db, TextKind kind, const TextImportOptions& options, std::size_t inputSize)
    : reader_(std::make_unique<ListReader>(db, kind, options, inputSize)) {}
ListImport::~ListImport() = default;
bool ListImport::findExisting(const std::string& key) { return reader_->findExisting(key); }
void ListImport::addComposed(const std::string& key, std::string_view row1, std::string_view furtherRows,
                             std::string_view ekvivalent) {
  reader_->addComposed(key, row1, furtherRows, ekvivalent);
}
void ListImport::store(const std::string& key, std::string_view text) { reader_->store(key, text); }
std::optional<std::string> ListImport::keyOfNumber(std::string_view number, std::size_t where) {
  return reader_->keyOfNumber(number, where, false);
}
bool ListImport::cancelled() const { return reader_->cancelled(); }
void ListImport::stop(std::string message) { reader_->stop(std::move(message)); }
void ListImport::caption(std::string_view text) { reader_->caption(text); }
void ListImport::progress(std::size_t consumed) { reader_->progress(consumed); }
TextImportResult ListImport::finish() { return reader_->finish(); }

TextImportResult importTextFile(PanelDatabase& db, TextKind kind, const std::string& path, TextSource source,
                                const TextImportOptions& options) {
  return importTextBytes(db, kind, readWholeFile(path, kMaxTextFileSize), path, source, options);
}

TextImportResult importTextBytes(PanelDatabase& db, TextKind kind, std::string_view bytes, const std::string& path,
                                 TextSource source, const TextImportOptions& options) {
  ListReader reader(db, kind, options, bytes.size());
  if (source == TextSource::Packed) {
    std::size_t keyChars = kind == TextKind::Stop ? 4
                           : kind == TextKind::Destination && lowerExtension(path) == ".ci4" ? 4
                                                                                            : 3;
    reader.readPacked(bytes, keyChars);
  } else {
    reader.readText(bytes, path);
  }
  return reader.finish();
}

TextImportResult importFromPanelDatabase(PanelDatabase& db, TextKind kind, const std::string& path,
                                         const TextImportOptions& options) {
  int selector = kind == TextKind::Line ? TableSelector::Lines
                 : kind == TextKind::Stop ? TableSelector::Stops
                 : db.config.fourDigitDestinations() ? TableSelector::Destinations4
                                                     : TableSelector::Destinations3;
  const KindTraits traits = traitsOf(kind, db.config);
  TextImportResult result;
  DuplicateResolver resolver(options.askDuplicate);
  TextList& list = db.list(kind);
  HexReadOptions read;
  read.progress = options.progress;
  read.notice = options.notice;
  read.kt500Table = &options.programOptions.kt500Table;
  read.acceptEntry = [&](TextKind, std::string_view key, std::string_view) {
    bool exists = list.findEntry(key).has_value();
    if (exists) {
      const std::string shown = shownKey(key, db.config.keyDigits(kind));
      bool overwrite = resolver.overwrite(formatMessage(traits.duplicateQuestion, shown));
      if (resolver.cancelled()) return EntryDecision::Cancel;
      if (!overwrite) return EntryDecision::Skip;
    }
    (exists ? result.replaced : result.added).emplace_back(key);
    return EntryDecision::Store;
  };
  if (options.progressCaption) options.progressCaption(traits.packedCaption);
  HexReadResult hex = readHexFile(db, path, selector, options.add, read);
  result.cleared = !options.add;
  result.notices = std::move(hex.notices);
  result.stoppedEarly = hex.cancelled || !result.notices.empty();
  return result;
}

}  // namespace dorvak
