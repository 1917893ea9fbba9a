#include "render/panel_renderer.h"

#include <algorithm>
#include <charconv>

namespace dorvak {

namespace {

constexpr std::uint8_t LF = 10, VT = 11, FF = 12, CR = 13, ESC = 27;

// ESC letters followed by a parameter byte. "a" takes one too: the editors
// write ESC "a" with a parameter, and reading that byte as a glyph would
// draw a character the text does not hold.
constexpr bool takesParameter(std::uint8_t letter) {
  switch (letter) {
    case 'a': case 'd': case 'h': case 'l': case 'p': case 's': case 'z': return true;
    default: return false;
  }
}

// A parameter byte carries its value plus 16; bounds are bytes, so the value
// wraps like one.
constexpr std::uint8_t parameterValue(std::uint8_t p) { return static_cast<std::uint8_t>(p - 16); }

bool panelHasLine(int type) { return panelTypeShows(static_cast<std::uint8_t>(type), TextKind::Line); }
bool panelHasStop(int type) { return panelTypeShows(static_cast<std::uint8_t>(type), TextKind::Stop); }

std::string upToFirstCR(std::string text) {
  auto cr = text.find(kCR);
  if (cr != std::string::npos) text.resize(cr + 1);
  return text;
}

// "XXXX" (and "0XXX") stand for the starting destination.
std::int32_t numberOfKey(std::string_view key, bool fourDigitDestinations) {
  if (key == kStartingDestinationKey || key == "0XXX") return fourDigitDestinations ? 10000 : 1000;
  std::int32_t number = -1;
  auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
  return error == std::errc{} && end == key.data() + key.size() ? number : -1;
}

}  // namespace

PanelRenderer::PanelRenderer(const PanelDatabase& db, PanelObserver* observer) : db_(db), observer_(observer) {
  for (FieldId id : kAllFields) {
    FieldView& v = view(id);
    v.fieldId = id;
    resetFieldBounds(v);
  }
}

const FieldStyle& PanelRenderer::styleOf(FieldId fieldId) const { return db_.config.style(textKindOf(fieldId)); }

const FieldRect& PanelRenderer::rectOf(FieldId fieldId) const { return db_.config.field(textKindOf(fieldId)); }

void PanelRenderer::resetFieldBounds(FieldView& v) {
  const FieldRect& rect = rectOf(v.fieldId);
  v.left = rect.left;
  v.right = rect.right;
  v.top = rect.top;
  v.bottom = rect.bottom;
}

void PanelRenderer::setChoosers(const ChooserState& choosers) {
  const bool on[kFieldCount] = {choosers.line, choosers.destination, choosers.stop};
  for (FieldId id : kAllFields) {
    view(id).disabled = !on[fieldIndex(id)];
    setChooser(id, on[fieldIndex(id)]);
  }
}

void PanelRenderer::setTooLong(FieldId fieldId, bool shown) {
  bool& state = tooLong_[fieldIndex(fieldId)];
  if (state == shown) return;
  state = shown;
  if (observer_) observer_->tooLongWarningChanged(fieldId, shown);
}

void PanelRenderer::setChooser(FieldId fieldId, bool enabled) {
  bool& state = chooserEnabled_[fieldIndex(fieldId)];
  if (state == enabled) return;
  state = enabled;
  if (observer_) observer_->chooserEnabledChanged(fieldId, enabled);
}

void PanelRenderer::startField(FieldId fieldId, std::string text, int targetRow) {
  const int type = db_.config.panelType;
  if (fieldId == FieldId::Stop && !panelHasStop(type)) return;

  FieldView& v = view(fieldId);
  // Bytes after the CR (an ekvivalent) are never shown.
  v.text = upToFirstCR(std::move(text));
  resetFieldBounds(v);
  const FieldStyle& style = styleOf(fieldId);
  v.font = style.font & 0x0F;
  v.spacing = style.space;
  v.rowShift = style.shift;
  v.delay = style.delay;
  v.countdown = 0;
  v.firstRow = true;
  v.textPos = 1;
  v.loopPos = 1;  // a VT before any LF returns to the text's start
  v.rowCount = 0;
  v.targetRow = targetRow;
  v.finished = false;
  v.blankOthers = false;
  v.wide = false;
  setTooLong(fieldId, false);
  clearRegion(pictures_.compose(), v.region());
  if (fieldId == FieldId::Stop) pictures_.clearShown(v.region());

  // The stop field lies inside the destination's rows: it starts again with
  // it. Not while the stop's own step is running (its re-enabling of the
  // destination brings us here): that step goes on with its text.
  FieldView& stop = view(FieldId::Stop);
  if (fieldId == FieldId::Destination && panelHasStop(type) && stepping_ != &stop) startField(FieldId::Stop, stop.text, 0);
}

void PanelRenderer::setFieldColumns(FieldId fieldId, int left, int right) {
  if (fieldId == FieldId::Stop && !panelHasStop(db_.config.panelType)) return;
  FieldView& v = view(fieldId);
  left = std::clamp(left, 0, kPictureColumns - 1);
  right = std::clamp(right, left, kPictureColumns - 1);
  if (v.left == left && v.right == right) return;
  v.left = static_cast<std::uint8_t>(left);
  v.right = static_cast<std::uint8_t>(right);
  clearRegion(pictures_.compose(), v.region());
  if (fieldId == FieldId::Stop) pictures_.clearShown(v.region());
}

bool PanelRenderer::showEntry(FieldId fieldId, std::size_t listIndex) {
  const TextList& list = db_.list(textKindOf(fieldId));
  if (listIndex >= list.count()) return false;
  const std::string& entry = list[listIndex];
  view(fieldId).number = numberOfKey(entryKey(entry), db_.config.fourDigitDestinations());
  startField(fieldId, std::string(entryText(entry)), -1);
  return true;
}

void PanelRenderer::checkTooLong(const FieldView& v) {
  if (row_.tooLong(v)) setTooLong(v.fieldId, true);
}

void PanelRenderer::endRow(FieldView& v) {
  row_.flush(v, pictures_.compose());
  row_.reset(db_.config.height);
}

void PanelRenderer::disableField(FieldId fieldId) {
  view(fieldId).disabled = true;
  setChooser(fieldId, false);
}

void PanelRenderer::reenableOtherFields(const FieldView& self) {
  if (self.blankOthers) return;
  const int type = db_.config.panelType;
  auto reenable = [&](FieldId fieldId, bool allowed) {
    FieldView& other = view(fieldId);
    if (&other == &self || !other.disabled || !allowed) return;
    other.disabled = false;
    setChooser(fieldId, true);
    startField(fieldId, other.text, -1);
  };
  reenable(FieldId::Destination, type != PanelType::Line);
  reenable(FieldId::Line, panelHasLine(type));
  reenable(FieldId::Stop, !view(FieldId::Destination).wide && panelHasStop(type));
  if (observer_) observer_->choosersRefreshed();
}

void PanelRenderer::renderStep(FieldView& v) {
  if (v.disabled || v.finished) return;
  struct SteppingMark {
    const FieldView*& slot;
    const FieldView* previous;
    ~SteppingMark() { slot = previous; }
  } mark{stepping_, stepping_};
  stepping_ = &v;

  row_.reset(db_.config.height);
  const std::string& text = v.text;
  const std::size_t size = text.size();
  const auto textLength = static_cast<std::int32_t>(size);
  // pos is the 0-based index of the next byte; textPos counts from 1.
  std::size_t pos = v.textPos >= 1 ? static_cast<std::size_t>(v.textPos - 1) : 0;
  auto positionOf = [](std::size_t index) { return static_cast<std::int32_t>(index + 1); };

  while (pos < size) {
    const auto byte = static_cast<std::uint8_t>(text[pos++]);
    switch (byte) {
      case LF:
        checkTooLong(v);
        endRow(v);
        if (v.firstRow) {
          // The first two rows make the first page.
          v.firstRow = false;
          v.loopPos = positionOf(pos);
          reenableOtherFields(v);
          if (v.staticPreview && v.targetRow == 0) {
            v.textPos = textLength;
            v.pageReady = true;
            v.finished = true;
            return;
          }
          break;
        }
        if (!v.staticPreview) {
          v.textPos = positionOf(pos);
          v.pageReady = true;
          return;
        }
        if (++v.rowCount == v.targetRow) {
          v.textPos = textLength;
          v.pageReady = true;
          return;
        }
        break;
      case VT:
        checkTooLong(v);
        if (v.staticPreview) break;
        endRow(v);
        v.textPos = v.loopPos;
        v.countdown = 0;
        v.pageReady = true;
        return;
      case FF:
        endRow(v);
        break;
      case CR:
        checkTooLong(v);
        row_.flush(v, pictures_.compose());
        v.textPos = positionOf(pos);
        v.finished = true;
        v.pageReady = true;
        reenableOtherFields(v);
        return;
      case ESC:
        if (interpretEscape(v, text, pos) == Flow::EndStep) {
          v.textPos = positionOf(size);
          return;
        }
        break;
      default:
        if (byte >= 224 && byte <= 239) {
          v.font = byte - 224;
        } else if (byte >= 192 && byte <= 223) {
          v.rowShift = byte - 192;
        } else if (byte >= 176 && byte <= 191) {
          v.spacing = byte - 176;
        } else {
          row_.drawGlyph(db_.fonts.glyph(v.font & 0x0F, byte), v.spacing, v.rowShift);
        }
        break;
    }
  }
  // A text without CR ends the step when its bytes run out.
  v.textPos = positionOf(size);
}

PanelRenderer::Flow PanelRenderer::interpretEscape(FieldView& v, const std::string& text, std::size_t& pos) {
  if (pos >= text.size()) return Flow::EndStep;
  const auto letter = static_cast<std::uint8_t>(text[pos++]);
  std::uint8_t parameter = 0;
  if (takesParameter(letter)) {
    if (pos >= text.size()) return Flow::EndStep;
    parameter = static_cast<std::uint8_t>(text[pos++]);
  }
  const std::uint8_t value = parameterValue(parameter);

  if (letter >= 32 && letter <= 47) {
    v.spacing = letter - 32;
  } else if (letter >= 48 && letter <= 79) {
    v.rowShift = letter - 48;
  } else if (letter >= 80 && letter <= 95) {
    v.font = letter - 80;
  } else {
    switch (letter) {
      case 'b':
        v.blankOthers = true;
        for (FieldId id : kAllFields)
          if (id != v.fieldId) disableField(id);
        break;
      case 'c':
        resetFieldBounds(v);
        break;
      case 'd':
        v.bottom = value;
        break;
      case 'h':
        v.top = value;
        break;
      case 'i':
        invertRegion(pictures_.compose(), v.region());
        break;
      case 'l':
        if (v.staticPreview) pictures_.clearShown(PictureRegion::ofField(v.left, v.right, 0, kPictureRows - 1));
        v.left = value;
        break;
      case 'n':
        rollRowsUp(pictures_.compose(), v.region());
        break;
      case 'p':
        v.right = value;
        break;
      case 'r':
        rollColumnsLeft(pictures_.compose(), v.region());
        break;
      case 's':
        // A column left of the panel is allowed: dots left of column 0 drop.
        row_.startAtColumn(parameter - 16);
        break;
      case 'w':
        view(FieldId::Destination).wide = true;
        disableField(FieldId::Stop);
        break;
      case 'z':
        v.delay = value == 0 ? 1 : value;
        break;
      default:  // "a", "v" and unknown letters change nothing
        break;
    }
  }
  return Flow::Continue;
}

}  // namespace dorvak
