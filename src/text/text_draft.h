#pragma once
// The working state of a text editor and the operations of its two pages,
// shared by the destination, line and stop editors (DraftRules says how they
// differ). The TEXT page composes a stored text from one or two plain rows
// with fonts, spacings, shifts, start columns, inversion, swapped rows, a
// block towards a panel edge and "w"; the MNEMO page edits the notation rows
// of the text, from which the TEXT page's state is read back.
//
// Row texts are keyboard characters (Windows-1250); in row 2 a "|" starts a
// further row. Rows are numbered 0 (row 1) and 1 (row 2).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/program_options.h"
#include "core/panel_database.h"
#include "text/autoformat_choice.h"
#include "text/stored_text.h"

namespace dorvak {

// The presets AUTOFORMAT gives a text of one row.
enum class SingleRowPresets {
  ByPanelType,   // destinations: the two-row first presets on panels with stops (unless "w"), else the one-row ones
  OneRow,        // lines
  TwoRowSecond,  // stops
};

struct DraftRules {
  TextKind kind = TextKind::Destination;
  // The TEXT page has rows 1 and 2. Without it (stops) the page composes row
  // 1 only, and the further rows of a text written on the MNEMO page stay as
  // they stand.
  bool twoRowMode = true;
  bool blockInText = true;  // BLOK writes the block prefix (a stop's BLOK only widens its field)
  bool wideCommand = true;  // the "w" button and token (destinations only)
  SingleRowPresets singleRow = SingleRowPresets::ByPanelType;
  WidthRule widthRule = WidthRule::GlyphsOnly;
};

DraftRules destinationDraftRules();
DraftRules lineDraftRules();
DraftRules stopDraftRules();

struct DraftRow {
  std::string text;  // keyboard characters
  std::uint8_t font = 0;
  std::uint8_t spacing = 0;
  std::uint8_t shift = 0;
  int column = 0;       // start column, 0-based
  bool centred = true;  // no start column: the panel centres the row
  int width = 0;        // dots in its font and spacing
  bool inverted = false;
};

class TextDraft {
 public:
  TextDraft(const PanelDatabase& db, DraftRules rules);

  const DraftRules& rules() const { return rules_; }
  const DraftRow& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }
  bool twoRows() const { return twoRows_; }
  bool swapped() const { return swapped_; }
  bool block() const { return block_; }
  BlockSide blockSide() const { return blockSide_; }
  bool wide() const { return wide_; }
  bool autoformat() const { return autoformat_; }
  // The row being edited or shown: 0 the first; on the MNEMO page the
  // selected grid row.
  int currentRow() const { return currentRow_; }
  // The text as it will be saved: panel codes and control codes ending in CR.
  const std::string& storedText() const { return storedText_; }
  // The MNEMO page's rows.
  const std::vector<std::string>& mnemoRows() const { return mnemoRows_; }
  // TEST is offered: the text has more than two rows.
  bool testOffered() const { return mnemoRows_.size() > 2; }

  // The room of the text: the field's height H, its upper part U, and the
  // columns the text may use (the field's, or up to the panel edge with BLOK).
  int fieldHeight() const;
  int upperHeight() const;
  int fieldLeft() const;
  int fieldRight() const;

  // ---- TEXT page. Each returns true when the text changed. ----
  // A row typed by the user; an emptied row loses its inversion.
  bool setRowText(int r, std::string text);
  bool changeSpacing(int r, int delta);  // 0..15; unchecks AUTOFORMAT
  bool changeShift(int r, int delta);    // 0..31; unchecks AUTOFORMAT
  bool setFont(int r, int font);         // 0..15; unchecks AUTOFORMAT
  bool centre(int r);
  bool stepColumn(int r, int delta);  // one column left (-1) or right (+1), within the field
  bool toEdge(int r, bool right);     // to the field's left or right edge
  // Inversion of a row; refused (false, and off) while the row is empty.
  bool setInverted(int r, bool on);
  bool setSwapped(bool on);
  // BLOK on releases "w".
  bool setBlock(bool on);
  bool setWide(bool on);
  bool setAutoformat(bool on);
  // The configuration decides the side; a text with BLOK on takes it when it
  // is composed next.
  void setBlockSide(BlockSide side);
  // One row: row 2 is appended to row 1 after a space; returns where the
  // appended part starts in row 1 (for selecting it), or nothing when row 2
  // was empty.
  std::optional<std::size_t> setOneRow();
  // Two rows: the part of row 1 from `start`, `length` characters long,
  // becomes row 2 (trailing blanks removed from both rows).
  void setTwoRows(std::size_t start, std::size_t length);
  // Composes the stored text from the TEXT page state and refills the
  // MNEMO rows.
  void compose();

  // ---- MNEMO page ----
  // An edited grid row: the stored text is read from all rows, and the TEXT
  // page's state from the text. Returns whether the MNEMO page suits the text.
  bool setMnemoRow(std::size_t index, std::string notation);
  // Ctrl+Delete, Ctrl+Insert and Enter: the text is read from the rows again.
  bool removeMnemoRow(std::size_t index);
  bool insertMnemoRow(std::size_t index);
  void selectMnemoRow(std::size_t index);
  // Reads the TEXT page's state from the notation rows; true when the text
  // needs the MNEMO page (format after characters, more than one row, ...).
  bool analyseMnemo();

  // ---- whole texts ----
  // A stored text loaded for editing (what follows its CR is left out);
  // returns whether the MNEMO page suits it.
  bool load(std::string_view text);
  // The state of a new, empty text.
  void clear();
  // The stored text as an entry keeps it: nothing after its last CR.
  std::string savedText() const;

 private:
  bool setFormat(int r, std::uint8_t DraftRow::*value, int wanted, int highest);
  std::string panelCodes(int r) const;
  AutoformatChoice choose(const PresetTable& presets, std::string_view text, int height) const;
  void resetFormat();
  void placeRows(std::string_view row1, std::string_view row2);
  void findCurrentRow();
  void fillMnemoRows();
  void readMnemoRows();
  bool hasText(int r) const { return !row(r).text.empty(); }
  DraftRow& at(int r) { return rows_.at(static_cast<std::size_t>(r)); }

  const PanelDatabase& db_;
  DraftRules rules_;
  std::array<DraftRow, 2> rows_;
  bool twoRows_ = false;
  bool swapped_ = false;
  bool block_ = false;
  BlockSide blockSide_ = BlockSide::Right;
  bool wide_ = false;
  bool autoformat_ = true;
  int currentRow_ = 0;
  std::string previousRow2_;
  // Without the two-row mode: the rows after the first, from their LF to the
  // CR, as the MNEMO page left them.
  std::string furtherRows_;
  std::string storedText_ = std::string(1, '\r');
  std::vector<std::string> mnemoRows_ = {std::string()};
};

// ---- numbers of the editors' number field ----

// The number typed: digits (at most 999, or 9999 for four-digit keys), or
// "X".."XXXX" for the starting destination (1000 or 10000). Nothing for
// anything else.
std::optional<int> typedEntryNumber(std::string_view typed, TextKind kind, bool fourDigitDestinations);

// ---- ekvivalents of destinations and stops ----

// The ekvivalent derived from a stored text (destinations by the mode; stops
// always cut to 12 characters).
std::string derivedEkvivalent(TextKind kind, std::string_view stored, const KeyTable& keys,
                              const ProgramOptions& options);

struct ShownEkvivalent {
  std::string text;
  bool derived = true;  // the text ends in CR: the ekvivalent follows the text
};
// What the ekvivalent field shows for an entry's text.
ShownEkvivalent shownEkvivalent(TextKind kind, std::string_view text, const KeyTable& keys,
                                const ProgramOptions& options);

// The entry's text with the typed ekvivalent after the CR when it differs
// from the derived one (the mode none keeps none).
std::string withEkvivalent(TextKind kind, std::string_view stored, std::string_view typed, const KeyTable& keys,
                           const ProgramOptions& options);

// Whether the ekvivalent field takes the text: 12 characters for KT500, 30
// characters and 122 dots of the KT700 display for KT700.
bool ekvivalentFits(std::string_view text, const ProgramOptions& options);

}  // namespace dorvak
