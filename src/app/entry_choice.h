#pragma once
// Which entry each field of the panel shows, as the main window's choosers
// and the text editors choose it. The windows never call each other: an
// editor asks here for its number to be shown in the main window, a chooser
// tells here which number it shows, and each follows the other's signal.

#include <QObject>
#include <QString>

#include "render/field_view.h"

namespace dorvak {

class EntryChoice : public QObject {
  Q_OBJECT
 public:
  // An editor loaded or saved the entry: the chooser shows its number.
  void request(FieldId fieldId, int number) { emit requested(fieldId, number); }
  // A chooser shows the number (exists: an entry of its list).
  void announce(FieldId fieldId, int number, bool exists) { emit chosen(fieldId, number, exists); }
  // The field's "don't exist" message beside the picture; empty hides it.
  void showMessage(FieldId fieldId, const QString& message) { emit messageShown(fieldId, message); }

 signals:
  void requested(dorvak::FieldId fieldId, int number);
  void chosen(dorvak::FieldId fieldId, int number, bool exists);
  void messageShown(dorvak::FieldId fieldId, const QString& message);
};

}  // namespace dorvak
