#pragma once
// Shared by the fuzz targets: a data base with fonts and every kind of
// table, so that readers and writers meet real content beside the input.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "core/panel_database.h"

namespace dorvak::fuzz {

inline PanelDatabase sampleDatabase() {
  PanelDatabase db;
  db.resetConfig();
  db.clearFonts(true);
  for (int font = 0; font < 4; ++font)
    for (int code = 32; code < 128; ++code) {
      GlyphRecord& g = db.fonts.glyph(font, code);
      g.height = static_cast<std::uint8_t>(7 + font * 3);
      g.byteCount = static_cast<std::uint8_t>(5 * bytesPerColumn(g.height));
      for (int i = 0; i < g.byteCount; ++i) g.bitmap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(code * 7 + i);
    }
  db.lines.putEntry("0001", "\xE0" "1\r");
  db.destinations.putEntry("0001", "\xE1" "CENTRE\r");
  db.stops.putEntry("0001", "\xE0STOP\r");
  return db;
}

// A file of this process for readers that take a path; removed when the
// process ends.
class ScratchFile {
 public:
  explicit ScratchFile(std::string_view suffix)
      : path_("/tmp/dorvak-fuzz-" + std::to_string(::getpid()) + std::string(suffix)) {}
  ~ScratchFile() { std::remove(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Replaces the file's bytes and returns its path.
  const std::string& write(std::string_view bytes) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace dorvak::fuzz
