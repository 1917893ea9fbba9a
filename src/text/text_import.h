#pragma once
// Reading lines, destinations and stops from files into the data base: Read
// (the list is emptied first) or Add.
//
// Packed files hold records of the number in ASCII, a 16-bit length (low
// byte first) and the stored text. Text files hold one entry per line (or
// per "@" record) as plain rows that are formatted on the way in; their
// layout follows the name's extension and the first byte: "*.cl" ekvivalent
// lines (destinations), "*.zs" stop lines, "@" records in the Kamenicky code
// page, else tab lines, which "$" template lines may shape.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/program_options.h"
#include "config/prompt_answer.h"
#include "core/panel_database.h"
#include "text/compose.h"

namespace dorvak {

enum class TextSource { Packed, Text };

struct TextImportOptions {
  bool add = false;
  // "... already exists! Overwrite it?" with the five answers; without it
  // every duplicate is overwritten.
  AskPrompt askDuplicate;
  // "Wrong or too large number!" [line] "Continue?": Yes skips the line, No
  // stops the read. Without it the line is skipped.
  std::function<bool(const std::string& question)> askContinue;
  // The operation's name beside the progress bar, then steps 0..64.
  std::function<void(std::string_view caption)> progressCaption;
  std::function<void(int step)> progress;
  // Messages shown when a read stops part way ("Error in stop database" ...).
  std::function<void(const std::string& message)> notice;
  ProgramOptions programOptions;
  // The room of the list's field; from the configuration when not set.
  std::optional<ComposeGeometry> room;
};

// What the read did to the list, for keeping number lists in step.
struct TextImportResult {
  bool cleared = false;               // Read emptied the list first
  std::vector<std::string> added;     // keys new to the list, in reading order
  std::vector<std::string> replaced;  // keys whose entry was overwritten
  std::vector<std::string> removed;   // keys whose entry went without a new one
  bool stoppedEarly = false;          // a bad record, a "No", "Storno", or the file ended inside a record
  std::vector<std::string> notices;
};

// One read into one list: the steps every reader of lines, destinations or
// stops takes per entry, whatever the source. Changes are staged and reach
// the list when finish() runs (or the import is destroyed).
class ListImport {
 public:
  ListImport(PanelDatabase& db, TextKind kind, const TextImportOptions& options, std::size_t inputSize);
  ~ListImport();
  ListImport(const ListImport&) = delete;
  ListImport& operator=(const ListImport&) = delete;

  // Whether an incoming entry may take its key; asks the duplicate question
  // when the key is taken. "Storno" skips the entry and ends the read.
  bool findExisting(const std::string& key);
  // Builds the entry from plain rows in keyboard characters (further rows
  // separated by LF or "|"); an ekvivalent is kept after the CR when it
  // differs from the one the text gives.
  void addComposed(const std::string& key, std::string_view row1, std::string_view furtherRows,
                   std::string_view ekvivalent = {});
  // Stores an entry's stored text as it stands.
  void store(const std::string& key, std::string_view text);
  // The key of a number (decimal digits) that the list can hold; otherwise
  // nothing, after the "Wrong or too large number!" question with `where`
  // in brackets (No ends the read).
  std::optional<std::string> keyOfNumber(std::string_view number, std::size_t where);

  bool cancelled() const;
  // A message that ends the read part way.
  void stop(std::string message);
  void caption(std::string_view text);
  // Progress by the bytes of the input consumed so far.
  void progress(std::size_t consumed);

  TextImportResult finish();

 private:
  std::unique_ptr<class ListReader> reader_;
};

// Throws DorvakError ("File $: Access denied!") when the file cannot be
// read; the list is then untouched.
TextImportResult importTextFile(PanelDatabase& db, TextKind kind, const std::string& path, TextSource source,
                                const TextImportOptions& options = {});

// The same on a file's bytes already in memory; the name decides the layout
// as the file's name would.
TextImportResult importTextBytes(PanelDatabase& db, TextKind kind, std::string_view bytes, const std::string& path,
                                 TextSource source, const TextImportOptions& options = {});

// The list's table out of another panel data base.
TextImportResult importFromPanelDatabase(PanelDatabase& db, TextKind kind, const std::string& path,
                                         const TextImportOptions& options = {});

// The largest text file a read accepts.
inline constexpr std::size_t kMaxTextFileSize = 64u << 20;

}  // namespace dorvak
