#pragma once
// Small pieces every window builds its controls from: the busy mark
// (app/busy.h), buttons that
// never act as the dialog's default, sunken text panels, labels with their
// buddy, and group captions.

#include <QString>
#include <string_view>

#include "app/busy.h"

class QLabel;
class QPushButton;
class QWidget;

namespace dorvak {

// Group captions carry a space on each side: " PANEL ".
inline QString groupCaption(QString caption) { return " " + caption + " "; }

// A push button named for accessibility (its caption, or the accessible
// name given); Enter in a dialog does not press it.
QPushButton* namedButton(QWidget* parent, const char* name, std::string_view caption,
                         const QString& accessibleName = QString());
// A sunken panel showing a text (a file's name or path), as tall as an edit
// field even while empty, its text selectable.
QLabel* sunkenPanel(QWidget* parent, const char* name, const QString& accessibleName);
// A label whose mnemonic focuses the control.
QLabel* labelFor(QWidget* parent, std::string_view caption, QWidget* buddy);

}  // namespace dorvak
