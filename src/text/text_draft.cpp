#include "text/text_draft.h"

#include <algorithm>
#include <functional>

#include "config/translations.h"
#include "text/notation.h"

namespace dorvak {

namespace {

constexpr char kLF = static_cast<char>(code::LF);
constexpr char kVT = static_cast<char>(code::VT);
constexpr char kFF = static_cast<char>(code::FF);
constexpr char kCRByte = static_cast<char>(code::CR);
constexpr char kESC = static_cast<char>(code::ESC);

// Control bytes stay inside their ranges whatever a damaged configuration holds.
char fontByte(int font) { return static_cast<char>(code::FontBase + (font & 0x0F)); }
char spacingByte(int spacing) { return static_cast<char>(code::SpacingBase + std::clamp(spacing, 0, 15)); }
char shiftByte(int shift) { return static_cast<char>(code::ShiftBase + std::clamp(shift, 0, 31)); }
char parameterByte(int value) { return static_cast<char>(std::clamp(value, 0, 255)); }

bool panelHasStop(std::uint8_t type) {
  return type == PanelType::DestinationStop || type == PanelType::LineDestinationStop;
}

void trimRight(std::string& s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
}

// A line's text shows no "w": the line editor has no such command.
std::string withoutWide(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kESC && i + 1 < text.size()) {
      const auto letter = static_cast<std::uint8_t>(text[i + 1]);
      if (letter == 'w') {
        ++i;
        continue;
      }
      out += text.substr(i, escapeTakesParameter(letter) ? 3 : 2);
      i += escapeTakesParameter(letter) ? 2 : 1;
      continue;
    }
    out += text[i];
  }
  return out;
}

// Where the first row of a text ends: its first LF, ESC sequences passed
// over whole; npos when the text has one row.
std::size_t firstRowBreak(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCRByte) break;
    if (text[i] == kLF) return i;
    if (text[i] == kESC && i + 1 < text.size()) i += escapeTakesParameter(static_cast<std::uint8_t>(text[i + 1])) ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace

DraftRules destinationDraftRules() { return DraftRules{}; }

// Lines: AUTOFORMAT takes the one-row presets for a single row, and spacing
// counts before every character; there is no "w".
DraftRules lineDraftRules() {
  return {TextKind::Line, true, true, false, SingleRowPresets::OneRow, WidthRule::EveryCharacter};
}

// Stops: one row, formatted from the presets of a second row; BLOK lets the
// stop use the panel from its left edge without writing bytes.
DraftRules stopDraftRules() {
  return {TextKind::Stop, false, false, false, SingleRowPresets::TwoRowSecond, WidthRule::GlyphsOnly};
}

TextDraft::TextDraft(const PanelDatabase& db, DraftRules rules) : db_(db), rules_(rules) {
  // A new editor: both rows centred, row 2 ten rows down.
  rows_[1].shift = 10;
}

int TextDraft::fieldHeight() const {
  const FieldRect& field = db_.config.field(rules_.kind);
  return field.top - field.bottom + 1;
}

int TextDraft::upperHeight() const {
  const FieldRect& field = db_.config.field(rules_.kind);
  return (field.top - field.bottom) / 2 + 1;
}

int TextDraft::fieldLeft() const {
  if (block_ && blockSide_ == BlockSide::Left) return 0;
  return db_.config.field(rules_.kind).left;
}

int TextDraft::fieldRight() const {
  if (block_ && blockSide_ == BlockSide::Right) return db_.config.length - 1;
  return db_.config.field(rules_.kind).right;
}

std::string TextDraft::panelCodes(int r) const {
  std::string text = row(r).text;
  if (r == 1) std::replace(text.begin(), text.end(), '|', kLF);
  KeysToPanelCodes(text, db_.keyTable);
  return text;
}

AutoformatChoice TextDraft::choose(const PresetTable& presets, std::string_view text, int height) const {
  return chooseAutoformat(presets, text, fieldRight() - fieldLeft() + 1, height, db_.config.style(rules_.kind),
                          fieldLeft(), db_.fonts, rules_.widthRule);
}

void TextDraft::resetFormat() {
  const FieldStyle& style = db_.config.style(rules_.kind);
  for (DraftRow& r : rows_) {
    r.font = style.font & 0x0F;
    r.spacing = std::min<std::uint8_t>(style.space, 15);
  }
  rows_[0].shift = std::min<std::uint8_t>(style.shift, 31);
  rows_[1].shift = static_cast<std::uint8_t>(std::clamp(upperHeight(), 0, 31));
}

void TextDraft::findCurrentRow() {
  const std::string now = twoRows_ ? rows_[1].text : std::string();
  if (now.empty()) {
    currentRow_ = 0;
  } else {
    // The row of row 2 in which it changed; all of it when it did not.
    std::size_t same = 0;
    while (same < now.size() && same < previousRow2_.size() && now[same] == previousRow2_[same]) ++same;
    currentRow_ = 1 + static_cast<int>(std::count(now.begin(), now.begin() + static_cast<std::ptrdiff_t>(same), '|'));
  }
  previousRow2_ = now;
}

void TextDraft::placeRows(std::string_view row1, std::string_view row2) {
  const int height = fieldHeight(), upper = upperHeight();
  const AutoformatPresets& presets = db_.autoformatPresets;
  auto take = [](DraftRow& r, const AutoformatChoice& c, std::optional<int> shift) {
    r.font = c.font & 0x0F;
    r.spacing = std::min<std::uint8_t>(c.spacing, 15);
    r.shift = static_cast<std::uint8_t>(std::clamp(shift.value_or(c.shift), 0, 31));
  };
  if (autoformat_) {
    resetFormat();
    if (!twoRows_ || !rules_.twoRowMode) {
      switch (rules_.singleRow) {
        case SingleRowPresets::ByPanelType:
          if (panelHasStop(db_.config.panelType) && !wide_) {
            take(rows_[0], choose(presets.twoRowFirstPresets, row1, height), 0);
            break;
          }
          [[fallthrough]];
        case SingleRowPresets::OneRow: take(rows_[0], choose(presets.oneRowPresets, row1, height), {}); break;
        case SingleRowPresets::TwoRowSecond:
          take(rows_[0], choose(presets.twoRowSecondPresets, row1, height), {});
          break;
      }
    } else {
      take(rows_[0], choose(presets.twoRowFirstPresets, row1, upper), 0);
    }
  }
  const int left = fieldLeft(), right = fieldRight();
  auto measure = [&](DraftRow& r, std::string_view text, int index) {
    r.width = rowPixelWidth(text, db_.fonts, r.font, index, r.spacing, rules_.widthRule);
    if (r.centred) r.column = (right - left - r.width + 1) / 2 + left;
  };
  measure(rows_[0], row1, currentRow_);
  if (twoRows_ && rules_.twoRowMode) {
    if (autoformat_) {
      AutoformatChoice c = choose(presets.twoRowSecondPresets, row2, height - upper);
      take(rows_[1], c, upper + c.shift);
    }
    // Of several rows, the one being edited is measured.
    measure(rows_[1], row2, std::max(currentRow_ - 1, 0));
  }
}

void TextDraft::compose() {
  findCurrentRow();
  const bool useRow2 = twoRows_ && rules_.twoRowMode;
  const std::string row1 = panelCodes(0);
  const std::string row2 = useRow2 ? panelCodes(1) : std::string();
  placeRows(row1, row2);

  const FieldRect& field = db_.config.field(rules_.kind);
  const int height = fieldHeight(), upper = upperHeight();
  std::string out;
  if (block_ && rules_.blockInText)
    out = blockPrefix(blockSide_, db_.specialGlyph, db_.config.length);
  else if (wide_ && rules_.wideCommand)
    out = {kESC, 'w'};

  auto head = [&](int r, int shift) {
    out += {fontByte(row(r).font), spacingByte(row(r).spacing), shiftByte(shift)};
  };
  auto column = [&](int r) {
    if (row(r).centred) return;
    // A start column left of the panel is allowed down to -16: its dots drop.
    out += {kESC, 's', parameterByte(std::clamp(row(r).column, -16, 239) + code::ParameterOffset)};
  };
  // Inverting the upper or lower part of the field, then the field's top or
  // bottom row again.
  auto invertTop = [&](int parameter) {
    out += {kFF, kESC, 'h', parameterByte(parameter), kESC, 'i', kFF, kESC, 'h', parameterByte(field.top + 16)};
  };
  auto invertBottom = [&](int parameter) {
    out += {kFF, kESC, 'd', parameterByte(parameter), kESC, 'i', kFF, kESC, 'd', parameterByte(field.bottom + 16)};
  };
  // Row 2 with its further rows, each starting at row 2's column.
  auto secondRow = [&](int shift, const std::function<void()>& invert) {
    out += kLF;
    head(1, shift);
    column(1);
    for (char c : row2) {
      if (c == kLF) {
        if (row(1).inverted) invert();
        out += kLF;
        column(1);
      } else {
        out += c;
      }
    }
    if (row(1).inverted) invert();
    if (row2.find(kLF) != std::string::npos) out += kVT;
    out += kCRByte;
  };

  if (!useRow2 || !swapped_) {
    if (!row1.empty()) {
      head(0, row(0).shift);
      column(0);
      out += row1;
    }
    if (!useRow2) {
      if (!row1.empty() && row(0).inverted) out += {kFF, kESC, 'i'};
      out += furtherRows_.empty() ? std::string(1, kCRByte) : furtherRows_;
    } else {
      if (row(0).inverted) invertBottom(upper + 15);
      if (row2.empty()) {
        if (!out.empty()) out += kCRByte;
      } else {
        secondRow(row(1).shift, [&] { invertTop(height - upper + 15); });
      }
    }
  } else {
    // Swapped: the rows exchange their vertical shifts.
    if (!row1.empty()) {
      head(0, row(1).shift);
      column(0);
      out += row1;
      if (row(0).inverted) invertTop(upper + 14);
    }
    if (row2.empty()) {
      if (!out.empty()) out += kCRByte;
    } else {
      secondRow(row(0).shift, [&] { invertBottom(upper + 15); });
    }
  }
  if (out.empty()) out = std::string(1, kCRByte);
  storedText_ = std::move(out);
  fillMnemoRows();
}

bool TextDraft::setRowText(int r, std::string text) {
  if (row(r).text == text) return false;
  at(r).text = std::move(text);
  if (row(r).text.empty()) at(r).inverted = false;
  compose();
  return true;
}

bool TextDraft::setFormat(int r, std::uint8_t DraftRow::*value, int wanted, int highest) {
  wanted = std::clamp(wanted, 0, highest);
  if (wanted == at(r).*value && !autoformat_) return false;
  at(r).*value = static_cast<std::uint8_t>(wanted);
  // A format set by hand is no longer chosen automatically.
  autoformat_ = false;
  compose();
  return true;
}

bool TextDraft::changeSpacing(int r, int delta) { return setFormat(r, &DraftRow::spacing, row(r).spacing + delta, 15); }
bool TextDraft::changeShift(int r, int delta) { return setFormat(r, &DraftRow::shift, row(r).shift + delta, 31); }
bool TextDraft::setFont(int r, int font) { return setFormat(r, &DraftRow::font, font, 15); }

bool TextDraft::centre(int r) {
  if (!hasText(r)) return false;
  at(r).centred = true;
  compose();
  return true;
}

bool TextDraft::stepColumn(int r, int delta) {
  if (!hasText(r)) return false;
  DraftRow& d = at(r);
  d.centred = false;
  if (delta < 0 && d.column > fieldLeft()) --d.column;
  if (delta > 0 && d.column <= fieldRight() - d.width) ++d.column;
  compose();
  return true;
}

bool TextDraft::toEdge(int r, bool right) {
  if (!hasText(r)) return false;
  DraftRow& d = at(r);
  d.centred = false;
  d.column = right ? fieldRight() - d.width + 1 : fieldLeft();
  compose();
  return true;
}

bool TextDraft::setInverted(int r, bool on) {
  if (on && !hasText(r)) {
    at(r).inverted = false;
    return false;
  }
  if (row(r).inverted == on) return false;
  at(r).inverted = on;
  compose();
  return true;
}

bool TextDraft::setSwapped(bool on) {
  if (swapped_ == on) return false;
  swapped_ = on;
  compose();
  return true;
}

bool TextDraft::setBlock(bool on) {
  if (block_ == on) return false;
  block_ = on;
  if (on) wide_ = false;
  compose();
  return true;
}

bool TextDraft::setWide(bool on) {
  if (wide_ == on || (on && block_)) return false;
  wide_ = on;
  compose();
  return true;
}

bool TextDraft::setAutoformat(bool on) {
  if (autoformat_ == on) return false;
  autoformat_ = on;
  if (on) compose();
  return true;
}

void TextDraft::setBlockSide(BlockSide side) { blockSide_ = side; }

std::optional<std::size_t> TextDraft::setOneRow() {
  std::optional<std::size_t> appended;
  if (!rows_[1].text.empty()) {
    appended = rows_[0].text.size() + 1;
    rows_[0].text += ' ' + rows_[1].text;
    rows_[1].text.clear();
  }
  twoRows_ = false;
  swapped_ = false;
  rows_[1].inverted = false;
  for (DraftRow& r : rows_) r.centred = true;
  autoformat_ = true;
  compose();
  return appended;
}

void TextDraft::setTwoRows(std::size_t start, std::size_t length) {
  std::string& first = rows_[0].text;
  std::string moved;
  if (start < first.size() && length > 0) {
    moved = first.substr(start, length);
    first.erase(start, length);
  }
  trimRight(moved);
  trimRight(first);
  rows_[1].text = std::move(moved);
  for (DraftRow& r : rows_) {
    r.centred = true;
    if (r.text.empty()) r.inverted = false;
  }
  rows_[1].shift = static_cast<std::uint8_t>(std::clamp(upperHeight(), 0, 31));
  twoRows_ = true;
  autoformat_ = true;
  compose();
}

// ---- MNEMO page ----

void TextDraft::fillMnemoRows() {
  mnemoRows_ = textToMnemo(rules_.wideCommand ? storedText_ : withoutWide(storedText_), db_.keyTable);
  if (mnemoRows_.empty()) mnemoRows_.emplace_back();
}

void TextDraft::readMnemoRows() {
  std::string joined;
  for (const std::string& r : mnemoRows_) joined += r;
  storedText_ = mnemoToText(joined, db_.keyTable, db_.config.length).text;
  if (storedText_.empty() || storedText_.back() != kCRByte) storedText_ += kCRByte;
}

bool TextDraft::setMnemoRow(std::size_t index, std::string notation) {
  if (index >= mnemoRows_.size()) mnemoRows_.resize(index + 1);
  mnemoRows_[index] = std::move(notation);
  readMnemoRows();
  return analyseMnemo();
}

bool TextDraft::removeMnemoRow(std::size_t index) {
  if (index < mnemoRows_.size()) mnemoRows_.erase(mnemoRows_.begin() + static_cast<std::ptrdiff_t>(index));
  if (mnemoRows_.empty()) mnemoRows_.emplace_back();
  currentRow_ = static_cast<int>(std::min(index, mnemoRows_.size() - 1));
  readMnemoRows();
  return analyseMnemo();
}

bool TextDraft::insertMnemoRow(std::size_t index) {
  index = std::min(index, mnemoRows_.size());
  mnemoRows_.insert(mnemoRows_.begin() + static_cast<std::ptrdiff_t>(index), std::string());
  currentRow_ = static_cast<int>(index);
  readMnemoRows();
  return analyseMnemo();
}

void TextDraft::selectMnemoRow(std::size_t index) { currentRow_ = static_cast<int>(index); }

bool TextDraft::analyseMnemo() {
  using Kind = MnemoToken::Kind;
  std::string joined;
  for (const std::string& r : mnemoRows_) joined += r;
  std::vector<MnemoToken> tokens = readMnemoTokens(joined, db_.config.length);

  resetFormat();
  bool needsMnemo = false;
  bool block = false, wide = false;
  std::array<std::string, 2> texts;
  std::array<int, 2> shiftSeen = {0, 31};
  std::array<bool, 2> shiftGiven = {false, false};
  std::array<bool, 2> columnGiven = {false, false};
  std::array<bool, 2> inverted = {false, false};

  // The block prefix: the first segment, up to FF, LF or CR, holding the
  // special glyph at the panel's edge is not part of the rows.
  auto segmentEnd = std::find_if(tokens.begin(), tokens.end(), [](const MnemoToken& t) {
    return t.kind == Kind::FF || t.kind == Kind::LF || t.kind == Kind::CR;
  });
  std::string pattern;
  for (auto t = tokens.begin(); t != segmentEnd; ++t) {
    if (t->kind == Kind::Command && t->letter == 'b') block = true;
    const std::string spelled = t->spelling();
    if (std::string_view("blpm").find(spelled[0]) == std::string_view::npos) pattern += spelled;
  }
  const SpecialGlyph& special = db_.specialGlyph;
  if (pattern == "f" + std::to_string(special.font) + "y0#" + std::to_string(special.code)) {
    if (segmentEnd != tokens.end() && segmentEnd->kind == Kind::FF) ++segmentEnd;
    tokens.erase(tokens.begin(), segmentEnd);
  }

  int r = 0, rowBreaks = 0;
  bool textInRow = false, afterText = false;
  for (const MnemoToken& t : tokens) {
    const bool followsText = afterText;
    afterText = false;
    switch (t.kind) {
      case Kind::Literal:
        texts[static_cast<std::size_t>(r)] += t.literal;
        textInRow = afterText = true;
        break;
      case Kind::Code: {
        if (t.value == special.code && rows_[0].font == special.font) break;
        const std::uint8_t key = PanelCodeToKey(static_cast<std::uint8_t>(t.value), db_.keyTable);
        if (key == kAtSign) needsMnemo = true;
        texts[static_cast<std::size_t>(r)] += static_cast<char>(key);
        textInRow = afterText = true;
        break;
      }
      case Kind::LF:
        if (++rowBreaks == 1)
          r = 1;
        else
          texts[1] += '|';
        needsMnemo = true;
        textInRow = false;
        break;
      case Kind::VT:
        if (!followsText) needsMnemo = true;
        break;
      case Kind::FF:
      case Kind::CR: break;
      case Kind::Command: {
        const char letter = t.letter;
        if (std::string_view("fmyslphdzbw").find(letter) != std::string_view::npos && textInRow) needsMnemo = true;
        DraftRow& d = rows_[static_cast<std::size_t>(r)];
        switch (letter) {
          case 'f':
            if (r == 0) rows_[0].font = static_cast<std::uint8_t>(t.value);
            rows_[1].font = static_cast<std::uint8_t>(t.value);
            break;
          case 'm': d.spacing = static_cast<std::uint8_t>(t.value); break;
          case 'y':
            shiftSeen[static_cast<std::size_t>(r)] = t.value;
            shiftGiven[static_cast<std::size_t>(r)] = true;
            break;
          case 's':
            if (r == 0 || rowBreaks < 2) {
              rows_[static_cast<std::size_t>(r)].column = t.value - 1;
              columnGiven[static_cast<std::size_t>(r)] = true;
            }
            break;
          case 'i': inverted[static_cast<std::size_t>(r)] = true; break;
          case 'b': block = true; break;
          case 'w':
            if (rules_.wideCommand) wide = true;
            break;
          default: break;  // a, c, d, h, l, n, p, r, v, z change nothing here
        }
        break;
      }
    }
  }

  if (!texts[1].empty() && texts[1].back() == '|') texts[1].pop_back();
  for (std::size_t i = 0; i < 2; ++i) {
    rows_[i].text = texts[i];
    rows_[i].inverted = inverted[i] && !texts[i].empty();
    // A row with a start column keeps it when composed again.
    rows_[i].centred = !columnGiven[i];
  }
  previousRow2_ = texts[1];
  block_ = block && rules_.blockInText;
  wide_ = wide && !block_;
  // The lower row on the panel is the second.
  if (shiftSeen[1] < shiftSeen[0]) {
    swapped_ = true;
    rows_[1].shift = static_cast<std::uint8_t>(shiftSeen[0]);
    if (shiftGiven[1]) rows_[0].shift = static_cast<std::uint8_t>(shiftSeen[1]);
  } else {
    swapped_ = false;
    rows_[0].shift = static_cast<std::uint8_t>(shiftSeen[0]);
    if (shiftGiven[1]) rows_[1].shift = static_cast<std::uint8_t>(shiftSeen[1]);
  }
  twoRows_ = rowBreaks > 0;
  furtherRows_.clear();
  if (twoRows_ && !rules_.twoRowMode) {
    const std::string_view text = storedText_;
    const std::size_t from = firstRowBreak(text);
    if (from != std::string_view::npos) furtherRows_ = normalizeText(text.substr(from));
  }

  const int left = fieldLeft(), right = fieldRight();
  for (int i = 0; i < 2; ++i) {
    DraftRow& d = at(i);
    d.width = rowPixelWidth(panelCodes(i), db_.fonts, d.font, i == 0 ? currentRow_ : std::max(currentRow_ - 1, 0),
                            d.spacing, rules_.widthRule);
    if (!columnGiven[static_cast<std::size_t>(i)]) d.column = (right - left - d.width + 1) / 2 + left;
  }
  return needsMnemo;
}

// ---- whole texts ----

bool TextDraft::load(std::string_view text) {
  storedText_ = normalizeText(text);
  currentRow_ = 0;
  fillMnemoRows();
  return analyseMnemo();
}

void TextDraft::clear() {
  for (DraftRow& r : rows_) {
    r.text.clear();
    r.inverted = false;
    r.centred = true;
  }
  previousRow2_.clear();
  furtherRows_.clear();
  // Without the two-row mode a new text has one row again.
  if (!rules_.twoRowMode) twoRows_ = false;
  swapped_ = block_ = wide_ = false;
  autoformat_ = true;
  compose();
  mnemoRows_ = {std::string()};
  currentRow_ = 0;
}

std::string TextDraft::savedText() const {
  std::string_view text = storedText_;
  if (!text.empty() && text.back() != kCRByte) {
    const auto lastCR = text.rfind(kCRByte);
    if (lastCR != std::string_view::npos) text = text.substr(0, lastCR + 1);
  }
  std::string saved(text);
  if (saved.find(kCRByte) == std::string::npos) saved += kCRByte;
  return saved;
}

// ---- numbers ----

std::optional<int> typedEntryNumber(std::string_view typed, TextKind kind, bool fourDigitDestinations) {
  const int digits = keyDigits(kind, fourDigitDestinations);
  if (typed.empty() || typed.size() > static_cast<std::size_t>(digits)) return std::nullopt;
  if (kind == TextKind::Destination && typed.find_first_not_of('X') == std::string_view::npos)
    return fourDigitDestinations ? 10000 : 1000;
  if (typed.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return std::stoi(std::string(typed));
}

// ---- ekvivalents ----

std::string derivedEkvivalent(TextKind kind, std::string_view stored, const KeyTable& keys,
                              const ProgramOptions& options) {
  return kind == TextKind::Stop ? deriveStopEkvivalent(stored, keys) : deriveEkvivalent(stored, keys, options);
}

ShownEkvivalent shownEkvivalent(TextKind kind, std::string_view text, const KeyTable& keys,
                                const ProgramOptions& options) {
  if (text.empty() || text.back() == kCRByte) return {derivedEkvivalent(kind, text, keys, options), true};
  std::string typed(explicitEkvivalent(text));
  if (kind == TextKind::Destination && options.ekvivalentMode == EkvivalentMode::Kt700)
    typed = fitKt700Ekvivalent(typed, options.kt700Table, options.kt700Widths);
  return {typed, false};
}

std::string withEkvivalent(TextKind kind, std::string_view stored, std::string_view typed, const KeyTable& keys,
                           const ProgramOptions& options) {
  std::string text(stored);
  if (options.ekvivalentMode != EkvivalentMode::None && typed != derivedEkvivalent(kind, stored, keys, options))
    text += typed;
  return text;
}

bool ekvivalentFits(std::string_view text, const ProgramOptions& options) {
  if (options.ekvivalentMode == EkvivalentMode::Kt700)
    return fitKt700Ekvivalent(text, options.kt700Table, options.kt700Widths) == text;
  return text.size() <= 12;
}

}  // namespace dorvak
