#pragma once
// Text lists of lines, destinations and stops.
//
// An entry is one byte string: a four-character number key, two spaces, the
// stored text ending in CR and, after the CR, an optional ekvivalent. Keys are
// fixed-width ("0007", "1234", "XXXX" for the starting destination), so the
// byte order of the entries is their numeric order, with "XXXX" last.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_kind.h"

namespace dorvak {


inline constexpr char kCR = '\r';
inline constexpr std::size_t kKeyLength = 4;
inline constexpr std::string_view kStartingDestinationKey = "XXXX";

// The key of a number: "0" + three digits for lines and three-digit
// destinations, four digits for stops and four-digit destinations. The
// starting destination stands at number 1000 (three-digit mode) or 10000
// (four-digit mode) and has the key "XXXX". Throws std::out_of_range for a
// number the list cannot hold.
std::string makeKey(TextKind kind, int number, bool fourDigitDestinations);

// Characters 1..4 and 7.. of an entry (empty views for a malformed entry).
std::string_view entryKey(std::string_view entry);
std::string_view entryText(std::string_view entry);

// Cuts a text right after its first CR; a text without CR gets one.
std::string normalizeText(std::string_view text);

// The longest ekvivalent a destination or stop keeps after its text's CR.
inline constexpr std::size_t kMaxEkvivalentLength = 30;

// A stored text as its list keeps it: up to and including its first CR (a
// text without CR gets one), and for destinations and stops the explicit
// ekvivalent after that CR, up to a further CR and at most 30 characters.
// Lines keep nothing after the CR.
std::string normalizeEntryText(TextKind kind, std::string_view text);
// The length of that stored text when it is the start of the text (the text
// has a CR); nothing when the text needs a CR.
std::optional<std::size_t> storedTextLength(TextKind kind, std::string_view text);

// The key as messages show it: lists of three-digit keys leave out the
// leading "0"; "XXXX" stays as it is.
std::string shownKey(std::string_view key, int keyDigits);

// True for "XXXX" or four digits.
bool isWellFormedKey(std::string_view key);

class TextList {
 public:
  struct PutResult {
    std::size_t index;
    bool added;  // false: an entry of the same key was replaced
  };

  std::optional<std::size_t> findEntry(std::string_view key) const;
  // Adds the entry "key  text", or replaces the one with the same key.
  PutResult putEntry(std::string_view key, std::string_view text);
  // The same for a whole entry string "key  text".
  PutResult putEntry(std::string entry);
  // Removes the entry of the key; returns its former index.
  std::optional<std::size_t> deleteEntry(std::string_view key);
  void deleteAll() { entries_.clear(); }
  void reserve(std::size_t count) { entries_.reserve(count); }
  std::size_t count() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // Index of the first entry whose key is not less than the key.
  std::size_t lowerBound(std::string_view key) const;

  const std::string& operator[](std::size_t index) const { return entries_[index]; }
  const std::string& at(std::size_t index) const { return entries_.at(index); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

  bool operator==(const TextList&) const = default;

 private:
  friend class StagedTextList;
  std::vector<std::string> entries_;
};

// Changes made to a list one entry at a time, as a file read makes them,
// applied in one merge pass: a read takes time proportional to its input
// whatever the order of the numbers in the file. The list sees the changes
// when commit() runs (at the latest when the stage is destroyed).
class StagedTextList {
 public:
  explicit StagedTextList(TextList& list) : list_(list) {}
  ~StagedTextList() { commit(); }
  StagedTextList(const StagedTextList&) = delete;
  StagedTextList& operator=(const StagedTextList&) = delete;

  bool contains(std::string_view key) const;
  void put(std::string_view key, std::string entry);  // entry: "key  text"
  void erase(std::string_view key);
  // Empties the list (the staged changes go with it).
  void clear();
  void commit();

 private:
  TextList& list_;
  bool cleared_ = false;
  // Key -> the new entry, or nothing for an entry to remove.
  std::map<std::string, std::optional<std::string>, std::less<>> changes_;
};

}  // namespace dorvak
