#pragma once
// The drawing state of one text field of the panel (line, destination or
// stop): the text on show, where the interpreter stands in it, the field's
// current bounds and style, and the flags the panel simulator steps by.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/panel_config.h"
#include "core/text_list.h"
#include "render/picture.h"

namespace dorvak {

// The panel's three text fields, numbered as the panel numbers them.
enum class FieldId : std::uint8_t { Line = 1, Destination = 2, Stop = 3 };
inline constexpr int kFieldCount = 3;
inline constexpr FieldId kAllFields[kFieldCount] = {FieldId::Line, FieldId::Destination, FieldId::Stop};

// The field's place 0..2 in arrays kept per field.
constexpr std::size_t fieldIndex(FieldId fieldId) { return static_cast<std::size_t>(fieldId) - 1u; }

constexpr TextKind textKindOf(FieldId fieldId) {
  return fieldId == FieldId::Line ? TextKind::Line : fieldId == FieldId::Destination ? TextKind::Destination : TextKind::Stop;
}

constexpr FieldId fieldOf(TextKind kind) {
  return kind == TextKind::Line ? FieldId::Line : kind == TextKind::Destination ? FieldId::Destination : FieldId::Stop;
}

struct FieldView {
  std::int32_t number = -1;  // entry on show; -1 none; 1000 or 10000 the starting destination
  FieldId fieldId = FieldId::Line;
  // Current bounds: panel columns left..right, panel rows bottom..top.
  std::uint8_t left = 0;
  std::uint8_t right = 0;
  std::uint8_t top = 0;
  std::uint8_t bottom = 0;
  std::int32_t textPos = 1;    // 1-based position of the next text byte
  std::int32_t loopPos = 1;    // just after the first LF: where VT returns
  std::int32_t rowCount = 0;   // rows counted in static preview
  std::int32_t targetRow = -1; // static preview: the last row drawn; -1 all rows
  bool firstRow = true;        // no LF met yet
  std::uint8_t font = 0;       // 0..15
  std::uint8_t spacing = 0;    // dots between glyphs
  std::uint8_t rowShift = 0;   // rows below the field's top
  std::uint8_t delay = 0;      // page time in 100 ms ticks
  std::int32_t countdown = 0;  // ticks until the next step
  bool pageReady = false;      // a page has been completed at least once
  bool disabled = false;       // the field is not drawn
  bool finished = false;       // CR reached: no more steps
  bool blankOthers = false;    // the text holds ESC "b"
  bool wide = false;           // a text with ESC "w" is on (destination view only)
  bool staticPreview = false;  // an editor shows the text still
  std::string text = std::string(1, kCR);

  PictureRegion region() const { return PictureRegion::ofField(left, right, bottom, top); }
  bool operator==(const FieldView&) const = default;
};

}  // namespace dorvak
