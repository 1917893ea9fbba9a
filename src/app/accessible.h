#pragma once
// Every control can be found by people and tools: its caption (or its
// label's) as the accessible name, its control name as the object name and
// the accessible description.

#include <QString>
#include <QWidget>

namespace dorvak {

inline void nameControl(QWidget* control, const char* controlName, const QString& accessibleName) {
  control->setObjectName(controlName);
  control->setAccessibleName(QString(accessibleName).remove('&').trimmed());
  control->setAccessibleDescription(controlName);
}

}  // namespace dorvak
