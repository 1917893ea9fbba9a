#pragma once
// Questions and notices: modal message boxes without icon, captioned with
// the program's title, with OK, OK/Cancel, Yes/No or Yes/No/Cancel.

#include <QMessageBox>
#include <string_view>

class QWidget;

namespace dorvak {

// Texts arrive in UTF-8; a CR or LF is a line break.
QString messageText(std::string_view text);

void showNotice(QWidget* parent, std::string_view text);
bool askOkCancel(QWidget* parent, std::string_view text);
bool askYesNo(QWidget* parent, std::string_view text);
// QMessageBox::Yes, No or Cancel (closing the box answers Cancel).
QMessageBox::StandardButton askYesNoCancel(QWidget* parent, std::string_view text);

}  // namespace dorvak
