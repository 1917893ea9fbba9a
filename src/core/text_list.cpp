#include "core/text_list.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace dorvak {

std::string makeKey(TextKind kind, int number, bool fourDigitDestinations) {
  const bool fourDigits = keyDigits(kind, fourDigitDestinations) == 4;
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

std::optional<std::size_t> storedTextLength(TextKind kind, std::string_view text) {
  auto cr = text.find(kCR);
  if (cr == std::string_view::npos) return std::nullopt;
  std::size_t kept = cr + 1;
  if (kind == TextKind::Line) return kept;
  std::string_view ekvivalent = text.substr(kept);
  return kept + std::min({ekvivalent.find(kCR), ekvivalent.size(), kMaxEkvivalentLength});
}

std::string normalizeEntryText(TextKind kind, std::string_view text) {
  if (auto length = storedTextLength(kind, text)) return std::string(text.substr(0, *length));
  return std::string(text) + kCR;
}

std::string shownKey(std::string_view key, int keyDigits) {
  if (keyDigits == 3 && key != kStartingDestinationKey && !key.empty()) key.remove_prefix(1);
  return std::string(key);
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

bool StagedTextList::contains(std::string_view key) const {
  auto it = changes_.find(key);
  if (it != changes_.end()) return it->second.has_value();
  return !cleared_ && list_.findEntry(key).has_value();
}

void StagedTextList::put(std::string_view key, std::string entry) { changes_[std::string(key)] = std::move(entry); }

void StagedTextList::erase(std::string_view key) { changes_[std::string(key)] = std::nullopt; }

void StagedTextList::clear() {
  cleared_ = true;
  changes_.clear();
}

void StagedTextList::commit() {
  if (!cleared_ && changes_.empty()) return;
  std::vector<std::string> merged;
  std::vector<std::string> old;
  if (!cleared_) old = std::move(list_.entries_);
  merged.reserve(old.size() + changes_.size());
  auto change = changes_.begin();
  for (std::string& entry : old) {
    std::string_view key = entryKey(entry);
    for (; change != changes_.end() && change->first < key; ++change)
      if (change->second) merged.push_back(std::move(*change->second));
    if (change != changes_.end() && change->first == key) {
      if (change->second) merged.push_back(std::move(*change->second));
      ++change;
    } else {
      merged.push_back(std::move(entry));
    }
  }
  for (; change != changes_.end(); ++change)
    if (change->second) merged.push_back(std::move(*change->second));
  list_.entries_ = std::move(merged);
  changes_.clear();
  cleared_ = false;
}

}  // namespace dorvak
