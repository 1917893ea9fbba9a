#include "core/text_list.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace dorvak {

std::string makeKey(TextKind kind, int number, bool fourDigitDestinations) {
  bool fourDigits = kind == TextKind::Stop || (kind == TextKind::Destination && fourDigitDestinations);
  int limit = fourDigits ? 10000 : 1000;
  if (kind == TextKind::Destination && number == limit) return std::string(kStartingDestinationKey);
  if (number < 0 || number >= limit) throw std::out_of_range("number out of range for its list");
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, fourDigits ? "%4.4d" : "0%3.3d", number);
  return buffer;
}

std::string_view entryKey(std::string_view entry) { return entry.substr(0, std::min(entry.size(), kKeyLength)); }

std::string_view entryText(std::string_view entry) {
  return entry.size() <= kKeyLength + 2 ? std::string_view{} : entry.substr(kKeyLength + 2);
}

std::string normalizeText(std::string_view text) {
  auto cr = text.find(kCR);
  if (cr == std::string_view::npos) return std::string(text) + kCR;
  return std::string(text.substr(0, cr + 1));
}

bool isWellFormedKey(std::string_view key) {
  if (key == kStartingDestinationKey) return true;
  return key.size() == kKeyLength &&
         std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::size_t TextList::lowerBound(std::string_view key) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const std::string& entry, std::string_view k) { return entryKey(entry) < k; });
  return static_cast<std::size_t>(it - entries_.begin());
}

std::optional<std::size_t> TextList::findEntry(std::string_view key) const {
  std::size_t index = lowerBound(key);
  if (index < entries_.size() && entryKey(entries_[index]) == key) return index;
  return std::nullopt;
}

TextList::PutResult TextList::putEntry(std::string_view key, std::string_view text) {
  std::string entry;
  entry.reserve(key.size() + 2 + text.size());
  entry.append(key).append("  ").append(text);
  return putEntry(std::move(entry));
}

TextList::PutResult TextList::putEntry(std::string entry) {
  std::string_view key = entryKey(entry);
  // Files are mostly read in ascending order: appending needs no search.
  if (entries_.empty() || entryKey(entries_.back()) < key) {
    entries_.push_back(std::move(entry));
    return {entries_.size() - 1, true};
  }
  std::size_t index = lowerBound(key);
  if (index < entries_.size() && entryKey(entries_[index]) == key) {
    entries_[index] = std::move(entry);
    return {index, false};
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
  return {index, true};
}

std::optional<std::size_t> TextList::deleteEntry(std::string_view key) {
  auto index = findEntry(key);
  if (index) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*index));
  return index;
}

}  // namespace dorvak
