#pragma once
// Ekvivalents exchanged with an on-board unit's BBD/BBF file: reading them
// into the destination list, writing them into a BBF's data section or a new
// BBD.
//
// An ekvivalent lives after the CR of a destination's stored text only when
// it differs from the one derived from the text; a text ending in CR has the
// derived one.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/program_options.h"
#include "core/messages.h"
#include "core/panel_database.h"
#include "interchange/unit_file.h"

namespace dorvak {

struct EkvivalentProgress {
  // "BBD reading", "BBF generation", ... beside the progress bar.
  std::function<void(std::string_view caption)> caption;
  // Steps 0..64.
  std::function<void(int step)> step;
};

struct EkvivalentReadOptions {
  // The mode decides the derived ekvivalent and, with a BBD that says so,
  // the KT700 codes; the tables translate.
  ProgramOptions programOptions;
  EkvivalentProgress progress;
  // Shown while the read goes on: "Destination $ was not found in panel
  // database.", and the message that ends a read part way.
  std::function<void(const std::string& message)> notice;
};

struct EkvivalentReadResult {
  // Some record's number is smaller than the one before it: the file was
  // written in alphabetical order.
  bool unsorted = false;
  std::size_t taken = 0;    // name items whose destination exists
  std::size_t missing = 0;  // name items whose destination does not
  bool stoppedEarly = false;
  std::vector<std::string> notices;
};

// Reads the destination section's names as the destinations' ekvivalents:
// a name equal to the derived ekvivalent leaves the text ending in CR, any
// other replaces what stood after the CR. Translation: KT700 codes when the
// mode is KT700 and the file is a BBD marked KT700, else KT500 codes.
//
// Throws FileAccessError when the file cannot be opened (the file's name),
// its header is wrong or short, or the section's position lies beyond the
// file's end, as readUnitTexts does; the list is then untouched. A record that runs
// past the end of the file ends the read part way; what was read stays.
EkvivalentReadResult readEkvivalents(PanelDatabase& db, const std::string& path,
                                     const EkvivalentReadOptions& options = {});
// The same on a file's bytes already in memory; the name decides BBD or BBF.
EkvivalentReadResult readEkvivalentBytes(PanelDatabase& db, std::string_view bytes, const std::string& name,
                                         const EkvivalentReadOptions& options = {});

struct EkvivalentWriteOptions {
  // The mode chooses the codes (KT500, KT700, or the characters unchanged
  // for none) and the derived ekvivalents.
  ProgramOptions programOptions;
  EkvivalentProgress progress;
};

struct EkvivalentWriteResult {
  bool written = false;  // false: the destination list is empty
  std::size_t records = 0;
};

// Writes one record per destination (the starting one left out), in
// alphabetical order or by number. The file kind follows the name: a BBD is
// made anew; a BBF must exist, keeps its magic, configSize and configuration
// block (with new section positions and checksum) and gets the destination
// section as its only one. The whole file is built first and then replaces
// the old one in one step, so a failure leaves the old file as it was.
//
// Nothing is written when the destination list is empty. Throws
// FileAccessError when a BBF cannot be opened (the file's name), is not a BBF
// or fails its checksum ("File format error") or is shorter than its
// configuration part ("Read beyond end of file"); DorvakError when the file
// cannot be written.
EkvivalentWriteResult writeEkvivalents(const PanelDatabase& db, const std::string& path, bool alphabetical,
                                       const EkvivalentWriteOptions& options = {});

// The whole file writeEkvivalents writes, or nothing for an empty destination
// list. A BBF is made from the existing file's bytes (oldBbf), which must
// pass the header stage; a BBD ignores them.
struct EkvivalentFile {
  std::string bytes;
  std::size_t records = 0;
};
std::optional<EkvivalentFile> formatEkvivalentFile(const PanelDatabase& db, UnitFileKind kind,
                                                   std::string_view oldBbf, bool alphabetical,
                                                   const EkvivalentWriteOptions& options = {});

inline constexpr std::string_view kDestinationNotFound = msg::DestinationNotFound;
inline constexpr std::string_view kBbfMustExist = msg::BbfMustExist;

}  // namespace dorvak
