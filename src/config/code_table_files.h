#pragma once
// The code table and format strings outside the data base: their "self" and
// "KT500" fills, their files (".kod": exactly 128 bytes; ".aL": records of
// index digit, length, bytes), and the names they get when loaded.

#include <ctime>
#include <string>

#include "config/translations.h"
#include "core/code_table.h"

namespace dorvak {

// Entry i: the first panel code whose key is 128 + i, else a space. Named
// "KOD: Dorvak - 0.12".
CodeTable selfCodeTable(const KeyTable& keys);
// Entry i: the panel code of the key that the KT500 code 128 + i stands for
// (a space when none, or when that key is the at sign). Named
// "500: Dorvak - 0.12".
CodeTable kt500CodeTable(const KeyTable& keys, const Kt500Table& kt500);

// The name of a loaded table: the file's name without its folder, a space
// and its modification time "dd.mm.yy hh:nn", cut to 32 characters.
std::string loadedTableName(const std::string& path);
std::string loadedTableName(const std::string& fileName, std::time_t modified);

// ".kod": throws "Code table size error" unless the file holds 128 bytes.
std::array<std::uint8_t, 128> readKodFile(const std::string& path);
void writeKodFile(const std::string& path, const CodeTable& table);

// ".aL": records until the end of the file; a record whose first byte is not
// a digit stops with "Error in format strings", keeping what was read.
// Strings 1..9 are cleared first. Throws DorvakError.
void readAlFile(const std::string& path, FormatStrings& strings);
void parseAlBytes(std::string_view bytes, FormatStrings& strings);
// Writes the non-empty strings 1..9 in order.
void writeAlFile(const std::string& path, const FormatStrings& strings);

// What the configuration's "Browse ..." loads into its working copy: from a
// ".kod" file (one that cannot be opened is ignored), or the code table
// section of a panel data base ("*.hex"). The table is cleared and the name
// emptied first; the name is set only when one of the bytes is not zero.
// Throws DorvakError; the table then stays cleared.
void loadCodeTable(const std::string& path, CodeTable& table);
// The same for format strings from an ".aL" file or a panel data base: the
// name is emptied, strings 1..9 are cleared, and the name is set only when
// one of them is then not empty. On a bad record the strings read before it
// stay and the name stays empty.
void loadFormatStrings(const std::string& path, FormatStrings& strings);

}  // namespace dorvak
