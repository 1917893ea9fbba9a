#pragma once
// The ekvivalents of the destination list as the records an on-board unit
// file gets, in alphabetical order or by number.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/program_options.h"
#include "core/panel_database.h"

namespace dorvak {

// The ekvivalent of an entry's text: the characters after its last CR, or,
// when the text ends with CR, the one derived from it for the mode.
std::string currentEkvivalent(std::string_view text, const KeyTable& keys, const ProgramOptions& options);

struct EkvivalentRecord {
  std::uint16_t number = 0;
  std::string text;  // keyboard characters (Windows-1250), trailing blanks removed
};

// Alphabetical order: the texts, cut to 30 characters, ignoring letter case;
// equal texts by number. Czech č, ř, š, ž follow c, r, s, z; other accented
// letters sort with their base letter and count only between otherwise
// equal texts. The same order on every machine, whatever its locale.
bool ekvivalentLess(const EkvivalentRecord& a, const EkvivalentRecord& b);

// One record per destination but the starting one, by number or in
// alphabetical order. Throws DorvakError for an ekvivalent too long for a
// record.
std::vector<EkvivalentRecord> ekvivalentRecords(const PanelDatabase& db, bool alphabetical,
                                                const ProgramOptions& options);

// The longest text an alphabetical record keeps.
inline constexpr std::size_t kSortedEkvivalentLength = 30;

}  // namespace dorvak
