#pragma once
// The text interpreter: draws the stored texts of the line, destination and
// stop fields with the data base's fonts into the panel pictures, one page
// per step. The panel simulator decides when a field steps; the editors
// preview a text still through the same interpreter (staticPreview).
//
// Stored text bytes: 224 + n font n, 176 + n spacing n, 192 + n row shift n,
// LF next row, VT back to just after the first LF, FF a new row in the same
// page, CR end, ESC sequences (parameters carry their value plus 16), and
// everything else a glyph of the current font.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/image_header.h"
#include "core/panel_database.h"
#include "render/field_view.h"
#include "render/panel_observer.h"
#include "render/picture.h"
#include "render/row_composer.h"

namespace dorvak {

class PanelRenderer {
 public:
  // The renderer reads the data base (configuration, fonts, lists) whenever
  // it works; it never changes it. The observer may be null.
  explicit PanelRenderer(const PanelDatabase& db, PanelObserver* observer = nullptr);

  void setObserver(PanelObserver* observer) { observer_ = observer; }
  const PanelDatabase& database() const { return db_; }

  // fieldId is FieldId::Line, Destination or Stop; throws std::out_of_range
  // for anything else.
  FieldView& view(FieldId fieldId) { return views_.at(fieldIndex(fieldId)); }
  const FieldView& view(FieldId fieldId) const { return views_.at(fieldIndex(fieldId)); }

  PanelPictures& pictures() { return pictures_; }
  const PanelPictures& pictures() const { return pictures_; }

  // After an Open: a field whose chooser is off is not drawn.
  void setChoosers(const ChooserState& choosers);
  bool chooserEnabled(FieldId fieldId) const { return chooserEnabled_.at(fieldIndex(fieldId)); }
  bool tooLongShown(FieldId fieldId) const { return tooLong_.at(fieldIndex(fieldId)); }

  // The field takes the text (up to its first CR), the bounds of its field
  // rectangle and the font, spacing, shift and delay of its style, and starts
  // at the first byte; its warning is hidden and its rectangle cleared in the
  // compose picture. The stop field starts only on panels with stops (types
  // 3 and 4) and is cleared in the shown picture too; starting the
  // destination there restarts the stop with targetRow 0.
  void startField(FieldId fieldId, std::string text, int targetRow);
  // An editor's BLOK: the started field takes the columns left..right (up to
  // the panel's edge on the block's side), cleared as at its start.
  void setFieldColumns(FieldId fieldId, int left, int right);
  // Shows the list entry at the index; false when there is none.
  bool showEntry(FieldId fieldId, std::size_t listIndex);
  // Editors show a text still: static preview draws all rows (or up to
  // targetRow) in one step.
  void setStaticPreview(FieldId fieldId, bool on) { view(fieldId).staticPreview = on; }

  // One step of the interpreter: the view's next page.
  void renderStep(FieldView& view);
  // The view's bounds back to its field rectangle.
  void resetFieldBounds(FieldView& view);
  void clearPictures() { pictures_.clear(); }

 private:
  enum class Flow { Continue, EndStep };

  const FieldStyle& styleOf(FieldId fieldId) const;
  const FieldRect& rectOf(FieldId fieldId) const;
  Flow interpretEscape(FieldView& view, const std::string& text, std::size_t& pos);
  void endRow(FieldView& view);
  void checkTooLong(const FieldView& view);
  void setTooLong(FieldId fieldId, bool shown);
  void setChooser(FieldId fieldId, bool enabled);
  void disableField(FieldId fieldId);
  void reenableOtherFields(const FieldView& view);

  const PanelDatabase& db_;
  PanelObserver* observer_;
  std::array<FieldView, kFieldCount> views_;
  std::array<bool, kFieldCount> chooserEnabled_{};
  std::array<bool, kFieldCount> tooLong_{};
  PanelPictures pictures_;
  RowComposer row_;
  const FieldView* stepping_ = nullptr;  // the view whose step is running
};

}  // namespace dorvak
