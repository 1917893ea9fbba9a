#include "config/code_table_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "core/error.h"
#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/messages.h"
#include "core/safe_file.h"

namespace dorvak {

namespace {
constexpr std::size_t kMaxSmallFileSize = 1u << 20;

bool isPanelDatabase(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".hex";
}

std::string versionedName(std::string_view prefix) {
  return std::string(prefix) + "Dorvak - " + std::string(kVersionText);
}

std::uint8_t firstCodeWithKey(const KeyTable& keys, std::uint8_t key, std::uint8_t otherwise) {
  for (int code = 0; code < 256; ++code)
    if (keys[static_cast<std::size_t>(code)] == key) return static_cast<std::uint8_t>(code);
  return otherwise;
}
}  // namespace

CodeTable selfCodeTable(const KeyTable& keys) {
  CodeTable table;
  for (int i = 0; i < 128; ++i)
    table.table[static_cast<std::size_t>(i)] = firstCodeWithKey(keys, static_cast<std::uint8_t>(128 + i), 32);
  table.name = versionedName("KOD: ");
  return table;
}

CodeTable kt500CodeTable(const KeyTable& keys, const Kt500Table& kt500) {
  CodeTable table;
  for (int i = 0; i < 128; ++i) {
    std::uint8_t key = Kt500ToKey(static_cast<std::uint8_t>(128 + i), kt500);
    table.table[static_cast<std::size_t>(i)] = key == kAtSign ? 32 : firstCodeWithKey(keys, key, 32);
  }
  table.name = versionedName("500: ");
  return table;
}

std::string loadedTableName(const std::string& fileName, std::time_t modified) {
  char stamp[32];
  std::tm local{};
  localtime_r(&modified, &local);
  std::strftime(stamp, sizeof stamp, "%d.%m.%y %H:%M", &local);
  return (fileName + " " + stamp).substr(0, kMaxNameLength);
}

std::string loadedTableName(const std::string& path) {
  struct stat info {};
  std::time_t modified = ::stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
  return loadedTableName(std::filesystem::path(path).filename().string(), modified);
}

std::array<std::uint8_t, 128> readKodFile(const std::string& path) {
  std::string bytes = readWholeFile(path, kMaxSmallFileSize);
  if (bytes.size() != 128) throw DorvakError(std::string(msg::CodeTableSizeError));
  std::array<std::uint8_t, 128> table;
  std::copy(bytes.begin(), bytes.end(), table.begin());
  return table;
}

void writeKodFile(const std::string& path, const CodeTable& table) {
  writeFileSafely(path, std::string(table.table.begin(), table.table.end()));
}

void readAlFile(const std::string& path, FormatStrings& strings) {
  parseAlBytes(readWholeFile(path, kMaxSmallFileSize), strings);
}

void parseAlBytes(std::string_view bytes, FormatStrings& strings) {
  for (std::size_t i = 1; i < strings.strings.size(); ++i) strings.strings[i].clear();
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char index = bytes[pos];
    if (index < '0' || index > '9') throw DorvakError(std::string(msg::ErrorInFormatStrings));
    if (pos + 1 >= bytes.size()) throw DorvakError(std::string(msg::ReadBeyondEnd));
    std::size_t length = static_cast<std::uint8_t>(bytes[pos + 1]);
    if (pos + 2 + length > bytes.size()) throw DorvakError(std::string(msg::ReadBeyondEnd));
    strings.strings[static_cast<std::size_t>(index - '0')] = std::string(bytes.substr(pos + 2, length));
    pos += 2 + length;
  }
}

void writeAlFile(const std::string& path, const FormatStrings& strings) {
  std::string bytes;
  for (std::size_t i = 1; i < strings.strings.size(); ++i) {
    const std::string& s = strings.strings[i];
    if (s.empty()) continue;
    std::size_t length = std::min<std::size_t>(s.size(), 255);
    bytes += static_cast<char>('0' + i);
    bytes += static_cast<char>(length);
    bytes.append(s, 0, length);
  }
  writeFileSafely(path, bytes);
}

void loadCodeTable(const std::string& path, CodeTable& table) {
  table = CodeTable{};
  if (isPanelDatabase(path)) {
    PanelDatabase scratch;
    readHexFile(scratch, path, TableSelector::CodeTable, false);
    if (scratch.codeTable.present()) table.table = scratch.codeTable.table;
  } else {
    try {
      table.table = readKodFile(path);
    } catch (const DorvakError&) {
      if (::access(path.c_str(), R_OK) == 0) throw;  // the size error, not a file that cannot be opened
    }
  }
  if (std::any_of(table.table.begin(), table.table.end(), [](std::uint8_t b) { return b != 0; }))
    table.name = loadedTableName(path);
}

void loadFormatStrings(const std::string& path, FormatStrings& strings) {
  strings.name.clear();
  if (isPanelDatabase(path)) {
    for (std::size_t i = 1; i < strings.strings.size(); ++i) strings.strings[i].clear();
    PanelDatabase scratch;
    readHexFile(scratch, path, TableSelector::FormatStrings, false);
    if (scratch.formatStrings.present()) strings.strings = scratch.formatStrings.strings;
  } else {
    readAlFile(path, strings);
  }
  if (std::any_of(strings.strings.begin() + 1, strings.strings.end(), [](const std::string& s) { return !s.empty(); }))
    strings.name = loadedTableName(path);
}

}  // namespace dorvak
