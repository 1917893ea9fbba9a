#pragma once
// Helpers shared by the tests: sample data bases, temporary folders and the
// srecord tools as an independent reader of the HEX files we write.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

#include "core/error.h"
#include "core/panel_database.h"

namespace dorvak::test {

// AddressSanitizer reserves terabytes of address space: a limit on it, as
// tests of running out of memory set, would stop the sanitizer itself.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// The message of the DorvakError the action throws, or "no error".
inline std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const DorvakError& e) {
    return e.what();
  }
  return "no error";
}

// A byte string written as numbers, for stored texts and file contents.
inline std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

// A folder that is removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A glyph of the given size with a recognisable dot pattern.
GlyphRecord makeGlyph(int columns, int height, std::uint8_t seed);

// A data base with glyphs in several fonts, every kind of table and a data
// version, configured for the firmware.
PanelDatabase makeSampleDatabase(std::uint8_t firmware);

// The sample data base on a line-and-destination panel with one preset in
// each table: one row {3, 2, 0} then {0, 1, 0}; two rows, first {0, 2, 0};
// second {0, 1, 0}.
PanelDatabase makePresetDatabase();

// The same data base without lines, destinations, stops, code table, format
// strings or data version.
void removeOptionalTables(PanelDatabase& db);

// Fills the first bank with glyphs and destination texts so that the stop
// table starts in the second bank.
void pushStopsIntoSecondBank(PanelDatabase& db);
// Adds glyphs until the font table alone reaches past the first bank.
void fillFontsPastFirstBank(PanelDatabase& db);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// True when srec_cat reads the file as Intel HEX without complaint.
bool srecCatAccepts(const std::string& path);

}  // namespace dorvak::test
