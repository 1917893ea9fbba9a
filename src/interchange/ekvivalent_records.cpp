#include "interchange/ekvivalent_records.h"

#include <algorithm>

#include "core/error.h"
#include "core/messages.h"
#include "text/stored_text.h"

namespace dorvak {

namespace {

// Windows-1250 capitals to small letters.
std::uint8_t foldCase(std::uint8_t c) {
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c + 32);
  switch (c) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: return static_cast<std::uint8_t>(c + 0x10);
    case 0xA3: return 0xB3;
    case 0xA5: return 0xB9;
    case 0xAA: return 0xBA;
    case 0xAF: return 0xBF;
    case 0xBC: return 0xBE;
    default: break;
  }
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<std::uint8_t>(c + 0x20);
  return c;
}

// The place of a small letter in the alphabet: base letter times 4, plus 2
// for the Czech letters that stand after their base letter.
int primaryWeight(std::uint8_t c) {
  // Base letters of the small letters 0xE0..0xFF ('-' for none).
  static constexpr std::string_view kBase = "raaaalccceeeeiiddnnoooo-ruuuuyt-";
  char base = 0;
  bool ownLetter = false;
  if (c >= 'a' && c <= 'z') {
    base = static_cast<char>(c);
  } else if (c >= 0xE0) {
    base = kBase[c - 0xE0];
    ownLetter = c == 0xE8 || c == 0xF8;  // č, ř
  } else {
    switch (c) {
      case 0x9A: base = 's'; ownLetter = true; break;  // š
      case 0x9E: base = 'z'; ownLetter = true; break;  // ž
      case 0x9C: case 0xBA: case 0xDF: base = 's'; break;
      case 0x9D: base = 't'; break;
      case 0x9F: case 0xBF: base = 'z'; break;
      case 0xB3: case 0xBE: base = 'l'; break;
      case 0xB9: base = 'a'; break;
      default: break;
    }
  }
  if (base == 0 || base == '-') return c * 4;
  return static_cast<unsigned char>(base) * 4 + (ownLetter ? 2 : 0);
}

// Negative, zero or positive as a sorts before, with or after b.
int compareTexts(std::string_view a, std::string_view b) {
  auto byWeight = [&](auto weight) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
      int wa = weight(foldCase(static_cast<std::uint8_t>(a[i])));
      int wb = weight(foldCase(static_cast<std::uint8_t>(b[i])));
      if (wa != wb) return wa - wb;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
  };
  if (int primary = byWeight(primaryWeight)) return primary;
  return byWeight([](std::uint8_t c) { return static_cast<int>(c); });
}

std::string trimTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace

std::string currentEkvivalent(std::string_view text, const KeyTable& keys, const ProgramOptions& options) {
  if (!text.empty() && text.back() == kCR) return deriveEkvivalent(text, keys, options);
  return std::string(explicitEkvivalent(text));
}

bool ekvivalentLess(const EkvivalentRecord& a, const EkvivalentRecord& b) {
  int order = compareTexts(a.text, b.text);
  return order != 0 ? order < 0 : a.number < b.number;
}

std::vector<EkvivalentRecord> ekvivalentRecords(const PanelDatabase& db, bool alphabetical,
                                                const ProgramOptions& options) {
  std::vector<EkvivalentRecord> records;
  records.reserve(db.destinations.count());
  for (const std::string& entry : db.destinations) {
    std::string_view key = entryKey(entry);
    if (key == kStartingDestinationKey || !isWellFormedKey(key)) continue;
    std::string text = currentEkvivalent(entryText(entry), db.keyTable, options);
    if (alphabetical) text.resize(std::min(text.size(), kSortedEkvivalentLength));
    text = trimTrailingBlanks(std::move(text));
    // A record's length counts the kind byte and the CR in 16 bits.
    if (text.size() > 0xFFFF - 2) throw DorvakError(formatMessage(msg::EkvivalentTooLong, key));
    records.push_back({static_cast<std::uint16_t>(std::stoi(std::string(key))), std::move(text)});
  }
  if (alphabetical) std::stable_sort(records.begin(), records.end(), ekvivalentLess);
  return records;
}

}  // namespace dorvak
