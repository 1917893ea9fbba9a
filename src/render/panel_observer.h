#pragma once
// What the text interpreter tells the main window. The renderer keeps the
// state itself (warnings shown, choosers enabled), so a caller without a
// window reads it back instead of listening.

#include <cstdint>

#include "render/field_view.h"

namespace dorvak {

class PanelObserver {
 public:
  virtual ~PanelObserver() = default;
  // A field's "Too long text !" warning appears or disappears.
  virtual void tooLongWarningChanged(FieldId fieldId, bool shown) = 0;
  // A text switched a field's chooser off (ESC "b", "w") or back on.
  virtual void chooserEnabledChanged(FieldId fieldId, bool enabled) = 0;
  // Fields were re-enabled: the choosers and the editor menu items follow
  // their enabled state again.
  virtual void choosersRefreshed() = 0;
};

}  // namespace dorvak
