#include "cli/db_json.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "config/cp1250.h"
#include "text/notation.h"

namespace dorvak {

using nlohmann::json;
using nlohmann::ordered_json;

std::string toHex(std::string_view bytes) {
  static constexpr char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out += digits[b >> 4];
    out += digits[b & 0x0F];
  }
  return out;
}

namespace {

// ---- writing ----

ordered_json rectToJson(const FieldRect& r) {
  return {{"bottom", r.bottom}, {"top", r.top}, {"left", r.left}, {"right", r.right}};
}

ordered_json styleToJson(const FieldStyle& s) {
  return {{"font", s.font}, {"space", s.space}, {"shift", s.shift}, {"delay", s.delay}};
}

// The command names in their document order, with their members.
struct CommandField {
  const char* name;
  std::uint8_t IbisCommands::*member;
};
constexpr CommandField kCommands[] = {
    {"l", &IbisCommands::l},     {"lA", &IbisCommands::lA},   {"z", &IbisCommands::z},
    {"zC", &IbisCommands::zC},   {"zA", &IbisCommands::zA},   {"zI", &IbisCommands::zI},
    {"zD", &IbisCommands::zD},   {"zN", &IbisCommands::zN},   {"a", &IbisCommands::a},
    {"aV", &IbisCommands::aV},   {"aA", &IbisCommands::aA},   {"aL", &IbisCommands::aL},
    {"aSC", &IbisCommands::aSC}, {"aSL", &IbisCommands::aSL}, {"aSZ", &IbisCommands::aSZ},
    {"aSD", &IbisCommands::aSD}};

ordered_json listToJson(const TextList& list, const KeyTable& keys) {
  ordered_json out = ordered_json::array();
  for (const std::string& entry : list) {
    std::string notation = cp1250ToUtf8(joinMnemo(textToMnemo(entryText(entry), keys)));
    out.push_back({{"key", std::string(entryKey(entry))}, {"text", toHex(entryText(entry))}, {"notation", notation}});
  }
  return out;
}

std::string bytesOf(const auto& container) { return std::string(container.begin(), container.end()); }

// ---- reading ----

[[noreturn]] void fieldError(const std::string& field, const std::string& problem) {
  throw JsonFieldError(field + ": " + problem);
}

const json* member(const json& object, const std::string& field, const char* name) {
  if (!object.is_object()) fieldError(field, "must be an object");
  auto it = object.find(name);
  return it == object.end() ? nullptr : &*it;
}

long long integer(const json& value, const std::string& field, long long low, long long high) {
  if (!value.is_number_integer()) fieldError(field, "must be a whole number");
  long long v = value.is_number_unsigned() ? static_cast<long long>(std::min<std::uint64_t>(value.get<std::uint64_t>(), 1ull << 62))
                                           : value.get<long long>();
  if (v < low || v > high)
    fieldError(field, "value " + std::to_string(v) + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
  return v;
}

// Reads an optional byte member into target.
void readByte(const json& object, const std::string& path, const char* name, std::uint8_t& target, int high = 255) {
  if (const json* v = member(object, path, name)) target = static_cast<std::uint8_t>(integer(*v, path + "." + name, 0, high));
}

std::string hexBytes(const json& value, const std::string& field) {
  if (!value.is_string()) fieldError(field, "must be a string of hexadecimal digits");
  const std::string& s = value.get_ref<const std::string&>();
  if (s.size() % 2 != 0) fieldError(field, "must have an even number of hexadecimal digits");
  auto digit = [&](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    fieldError(field, "holds a character that is not a hexadecimal digit");
  };
  std::string out(s.size() / 2, '\0');
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>(digit(s[2 * i]) * 16 + digit(s[2 * i + 1]));
  return out;
}

std::string windowsText(const json& value, const std::string& field, std::size_t maxLength) {
  if (!value.is_string()) fieldError(field, "must be a string");
  auto text = utf8ToCp1250(value.get_ref<const std::string&>());
  if (!text) fieldError(field, "holds a character that Windows-1250 cannot hold");
  if (text->size() > maxLength) fieldError(field, "is longer than " + std::to_string(maxLength) + " characters");
  return *text;
}

void readRect(const json& config, const char* name, FieldRect& rect) {
  const json* r = member(config, "config", name);
  if (!r) return;
  std::string path = std::string("config.") + name;
  readByte(*r, path, "bottom", rect.bottom);
  readByte(*r, path, "top", rect.top);
  readByte(*r, path, "left", rect.left);
  readByte(*r, path, "right", rect.right);
}

void readStyle(const json& config, const char* name, FieldStyle& style) {
  const json* s = member(config, "config", name);
  if (!s) return;
  std::string path = std::string("config.") + name;
  readByte(*s, path, "font", style.font, kFontCount - 1);
  readByte(*s, path, "space", style.space);
  readByte(*s, path, "shift", style.shift);
  readByte(*s, path, "delay", style.delay);
}

void readConfig(const json& config, PanelConfig& c) {
  member(config, "config", "position");  // checks that config is an object
  readByte(config, "config", "position", c.position);
  readByte(config, "config", "panelType", c.panelType);
  readByte(config, "config", "firmware", c.firmware);
  readByte(config, "config", "height", c.height);
  readByte(config, "config", "length", c.length);
  readRect(config, "lineField", c.lineField);
  readRect(config, "destinationField", c.destinationField);
  readRect(config, "stopField", c.stopField);
  readStyle(config, "lineStyle", c.lineStyle);
  readStyle(config, "destinationStyle", c.destinationStyle);
  readStyle(config, "stopStyle", c.stopStyle);
  if (const json* commands = member(config, "config", "commands"))
    for (const CommandField& f : kCommands) readByte(*commands, "config.commands", f.name, c.commands.*f.member, 1);
  readByte(config, "config", "options", c.options);
  readByte(config, "config", "panelNumber", c.panelNumber);
  readByte(config, "config", "brightness", c.brightness);
}

void readFonts(const json& fonts, PanelDatabase& db) {
  if (!fonts.is_array()) fieldError("fonts", "must be an array");
  std::set<int> seenFonts;
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    std::string path = "fonts[" + std::to_string(i) + "]";
    const json* f = member(fonts[i], path, "font");
    if (!f) fieldError(path + ".font", "is missing");
    int font = static_cast<int>(integer(*f, path + ".font", 0, kFontCount - 1));
    if (!seenFonts.insert(font).second) fieldError(path + ".font", "font " + std::to_string(font) + " is listed twice");
    const json* glyphs = member(fonts[i], path, "glyphs");
    if (!glyphs) continue;
    if (!glyphs->is_array()) fieldError(path + ".glyphs", "must be an array");
    std::set<int> seenCodes;
    for (std::size_t j = 0; j < glyphs->size(); ++j) {
      std::string gpath = path + ".glyphs[" + std::to_string(j) + "]";
      const json& g = (*glyphs)[j];
      const json* code = member(g, gpath, "code");
      const json* bitmap = member(g, gpath, "bitmap");
      if (!code) fieldError(gpath + ".code", "is missing");
      if (!bitmap) fieldError(gpath + ".bitmap", "is missing");
      int c = static_cast<int>(integer(*code, gpath + ".code", 0, 255));
      if (!seenCodes.insert(c).second) fieldError(gpath + ".code", "code " + std::to_string(c) + " is listed twice");
      GlyphRecord glyph;
      readByte(g, gpath, "height", glyph.height);
      std::string bits = hexBytes(*bitmap, gpath + ".bitmap");
      if (bits.size() > kMaxBitmapBytes) fieldError(gpath + ".bitmap", "is longer than 255 bytes");
      glyph.byteCount = static_cast<std::uint8_t>(bits.size());
      std::copy(bits.begin(), bits.end(), glyph.bitmap.begin());
      db.fonts.glyph(font, c) = glyph;
    }
  }
}

bool digitsOnly(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void readList(const json& document, const char* name, TextKind kind, PanelDatabase& db) {
  const json* entries = member(document, "document", name);
  if (!entries) return;
  if (!entries->is_array()) fieldError(name, "must be an array");
  TextList& list = db.list(kind);
  for (std::size_t i = 0; i < entries->size(); ++i) {
    std::string path = std::string(name) + "[" + std::to_string(i) + "]";
    const json* key = member((*entries)[i], path, "key");
    const json* text = member((*entries)[i], path, "text");
    const json* notation = member((*entries)[i], path, "notation");
    if (!key || !key->is_string()) fieldError(path + ".key", "must be a string of four digits or \"XXXX\"");
    if (!text && !notation) fieldError(path + ".text", "is missing (and there is no notation)");
    const std::string& k = key->get_ref<const std::string&>();
    if (!isWellFormedKey(k)) fieldError(path + ".key", "\"" + k + "\" is not four digits or \"XXXX\"");
    bool start = k == kStartingDestinationKey;
    const bool threeDigits = db.config.keyDigits(kind) == 3;
    if (start && kind != TextKind::Destination) fieldError(path + ".key", "\"XXXX\" is only the starting destination");
    if (!start && threeDigits && k[0] != '0')
      fieldError(path + ".key", "\"" + k + "\" is above 999, which this list cannot hold");
    if (!start && !digitsOnly(k)) fieldError(path + ".key", "\"" + k + "\" is not four digits");
    if (list.findEntry(k)) fieldError(path + ".key", "\"" + k + "\" is listed twice");
    // The exact bytes when given; else the readable notation, written by hand.
    std::string bytes = text ? hexBytes(*text, path + ".text")
                             : mnemoToText(windowsText(*notation, path + ".notation", 1u << 16), db.keyTable,
                                           db.config.length)
                                   .text;
    // Every stored text ends its panel part with CR; destinations and stops
    // keep an ekvivalent after it, as the panel data base does.
    list.putEntry(k, normalizeEntryText(kind, bytes));
  }
}

}  // namespace

ordered_json databaseToJson(const PanelDatabase& db) {
  const PanelConfig& c = db.config;
  ordered_json commands;
  for (const CommandField& f : kCommands) commands[f.name] = c.commands.*f.member;

  ordered_json config = {
      {"position", c.position},
      {"panelType", c.panelType},
      {"firmware", c.firmware},
      {"height", c.height},
      {"length", c.length},
      {"lineField", rectToJson(c.lineField)},
      {"destinationField", rectToJson(c.destinationField)},
      {"stopField", rectToJson(c.stopField)},
      {"lineStyle", styleToJson(c.lineStyle)},
      {"destinationStyle", styleToJson(c.destinationStyle)},
      {"stopStyle", styleToJson(c.stopStyle)},
      {"commands", commands},
      {"options", c.options},
      {"panelNumber", c.panelNumber},
      {"brightness", c.brightness},
  };

  ordered_json doc;
  doc["format"] = kJsonFormat;
  doc["config"] = config;
  doc["dataVersion"] = cp1250ToUtf8(db.dataVersion);
  if (db.codeTable.present())
    doc["codeTable"] = {{"name", cp1250ToUtf8(db.codeTable.name)}, {"table", toHex(bytesOf(db.codeTable.table))}};
  else
    doc["codeTable"] = nullptr;
  if (db.formatStrings.present()) {
    ordered_json strings = ordered_json::array();
    for (const std::string& s : db.formatStrings.strings) strings.push_back(toHex(s));
    doc["formatStrings"] = {{"name", cp1250ToUtf8(db.formatStrings.name)}, {"strings", strings}};
  } else {
    doc["formatStrings"] = nullptr;
  }
  doc["keyTable"] = toHex(bytesOf(db.keyTable));

  ordered_json fonts = ordered_json::array();
  for (int font = 0; font < kFontCount; ++font) {
    ordered_json glyphs = ordered_json::array();
    for (int code = 0; code < kCodeCount; ++code) {
      const GlyphRecord& g = db.fonts.glyph(font, code);
      if (!g.exists()) continue;
      glyphs.push_back({{"code", code},
                        {"height", g.height},
                        {"bitmap", toHex(std::string_view(reinterpret_cast<const char*>(g.bitmap.data()), g.byteCount))}});
    }
    if (!glyphs.empty()) fonts.push_back({{"font", font}, {"glyphs", glyphs}});
  }
  doc["fonts"] = fonts;
  doc["lines"] = listToJson(db.lines, db.keyTable);
  doc["destinations"] = listToJson(db.destinations, db.keyTable);
  doc["stops"] = listToJson(db.stops, db.keyTable);
  return doc;
}

namespace {

// Counts what a document would put into memory, without building it.
class DocumentSize : public nlohmann::json_sax<json> {
 public:
  bool null() override { return count(); }
  bool boolean(bool) override { return count(); }
  bool number_integer(number_integer_t) override { return count(); }
  bool number_unsigned(number_unsigned_t) override { return count(); }
  bool number_float(number_float_t, const string_t&) override { return count(); }
  bool string(string_t&) override { return count(); }
  bool binary(binary_t&) override { return count(); }
  bool key(string_t&) override { return count(); }
  bool start_object(std::size_t) override { return enter(); }
  bool start_array(std::size_t) override { return enter(); }
  bool end_object() override { return leave(); }
  bool end_array() override { return leave(); }
  // The parse that builds the document reports the error itself.
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

  void check() const {
    if (values_ > kMaxJsonValues)
      fieldError("document", "holds more than " + std::to_string(kMaxJsonValues) +
                                 " values and member names, more than any data base needs");
    if (depth_ > kMaxJsonDepth)
      fieldError("document", "nests deeper than " + std::to_string(kMaxJsonDepth) + " levels, deeper than any data base does");
  }

 private:
  bool count() { return ++values_ <= kMaxJsonValues; }
  bool enter() { return count() && ++depth_ <= kMaxJsonDepth; }
  bool leave() {
    --depth_;
    return true;
  }

  std::size_t values_ = 0;
  std::size_t depth_ = 0;
};

}  // namespace

json parseDatabaseJson(std::string_view text) {
  DocumentSize size;
  json::sax_parse(text, &size);
  size.check();
  return json::parse(text);
}

PanelDatabase databaseFromJson(const json& document) {
  if (!document.is_object()) fieldError("document", "must be a JSON object");
  const json* format = member(document, "document", "format");
  if (!format || *format != kJsonFormat) fieldError("format", std::string("must be \"") + kJsonFormat + "\"");

  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  if (const json* config = member(document, "document", "config")) readConfig(*config, db.config);
  if (const json* v = member(document, "document", "dataVersion")) {
    db.dataVersion = windowsText(*v, "dataVersion", kMaxDataVersionLength);
    // The header pads the version with CR and a reader stops at one: a
    // control character would not come back as it was.
    for (char c : db.dataVersion) {
      char32_t u = cp1250ToUnicode(static_cast<std::uint8_t>(c));
      if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(u));
        fieldError("dataVersion", std::string("holds a control character (") + code + "), which a data version cannot keep");
      }
    }
  }

  if (const json* ct = member(document, "document", "codeTable"); ct && !ct->is_null()) {
    const json* name = member(*ct, "codeTable", "name");
    const json* table = member(*ct, "codeTable", "table");
    if (!name) fieldError("codeTable.name", "is missing");
    if (!table) fieldError("codeTable.table", "is missing");
    db.codeTable.name = windowsText(*name, "codeTable.name", kMaxNameLength);
    if (db.codeTable.name.empty()) fieldError("codeTable.name", "must not be empty (use null for no code table)");
    std::string bytes = hexBytes(*table, "codeTable.table");
    if (bytes.size() != db.codeTable.table.size()) fieldError("codeTable.table", "must hold exactly 128 bytes");
    std::copy(bytes.begin(), bytes.end(), db.codeTable.table.begin());
  }

  if (const json* fs = member(document, "document", "formatStrings"); fs && !fs->is_null()) {
    const json* name = member(*fs, "formatStrings", "name");
    const json* strings = member(*fs, "formatStrings", "strings");
    if (!name) fieldError("formatStrings.name", "is missing");
    db.formatStrings.name = windowsText(*name, "formatStrings.name", kMaxNameLength);
    if (db.formatStrings.name.empty()) fieldError("formatStrings.name", "must not be empty (use null for none)");
    if (!strings || !strings->is_array() || strings->size() != 10)
      fieldError("formatStrings.strings", "must be an array of ten strings");
    for (std::size_t i = 0; i < 10; ++i) {
      std::string path = "formatStrings.strings[" + std::to_string(i) + "]";
      std::string bytes = hexBytes((*strings)[i], path);
      if (bytes.size() > 255) fieldError(path, "is longer than 255 bytes");
      db.formatStrings.strings[i] = bytes;
    }
  }

  if (const json* keys = member(document, "document", "keyTable")) {
    std::string bytes = hexBytes(*keys, "keyTable");
    if (bytes.size() != db.keyTable.size()) fieldError("keyTable", "must hold exactly 256 bytes");
    std::copy(bytes.begin(), bytes.end(), db.keyTable.begin());
  }

  if (const json* fonts = member(document, "document", "fonts")) readFonts(*fonts, db);
  readList(document, "lines", TextKind::Line, db);
  readList(document, "destinations", TextKind::Destination, db);
  readList(document, "stops", TextKind::Stop, db);
  db.specialGlyph = findSpecialGlyph(db.fonts);
  return db;
}

}  // namespace dorvak
