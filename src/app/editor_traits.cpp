#include "app/editor_traits.h"

#include "app/qt_text.h"
#include "app/strings.h"

namespace dorvak {

QString textFileFilter(const char* pattern) { return qs(text::TextFile) + " (" + pattern + ")"; }

ReadChoice panelDatabaseChoice() {
  return {qs(text::PanelDatabaseFilter) + qs(text::HexFilterSuffix), ReadSource::PanelDatabase};
}

ReadChoice unitFileChoice() { return {qs(text::Kt500Database) + " (*.bbd *.bbf)", ReadSource::UnitFile}; }

}  // namespace dorvak
