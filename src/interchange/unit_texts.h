#pragma once
// Destination and stop texts out of an on-board unit's BBD/BBF file: one
// more source of the editors' Read (the list is emptied first) and Add.

#include <string>
#include <string_view>

#include "text/text_import.h"

namespace dorvak {

// Reads the destination section (kind Destination) or the stop section
// (kind Stop): each record's name, in KT500 codes and cut to 12 characters,
// becomes a text composed like a row of a text file, under the key of the
// record's number. Numbers the list cannot hold get the "Wrong or too large
// number!" question; a record without a name item is passed over.
//
// Throws FileAccessError when the file cannot be opened (the file's name), its
// header is wrong ("File format error") or short ("Read beyond end of
// file"), or the section's position lies beyond the file's end; the list is
// then untouched. A record that runs past the end of the file ends the read
// part way (stoppedEarly), keeping what was read before it. A BBF that ends
// right behind its configuration part gives nothing and leaves the list as
// it was, also for Read.
TextImportResult readUnitTexts(PanelDatabase& db, TextKind kind, const std::string& path,
                               const TextImportOptions& options = {});

// The same on a file's bytes already in memory; the name decides BBD or BBF
// as the file's name would.
TextImportResult readUnitTextBytes(PanelDatabase& db, TextKind kind, std::string_view bytes, const std::string& name,
                                   const TextImportOptions& options = {});

// The name a record gives the editors: at most 12 characters, a blank for
// an empty name.
inline constexpr std::size_t kUnitNameLength = 12;

}  // namespace dorvak
