#include "app/message_box.h"

#include "app/qt_text.h"
#include "app/strings.h"

namespace dorvak {

namespace {

QMessageBox::StandardButton run(QWidget* parent, std::string_view text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape) {
  QMessageBox box(QMessageBox::NoIcon, qs(text::AppTitle),
                  messageText(text), buttons, parent);
  box.setObjectName("MessageBox");
  box.setEscapeButton(escape);
  const int result = box.exec();
  // A box closed without a button answers its escape button.
  return result == 0 && escape != QMessageBox::NoButton ? escape : static_cast<QMessageBox::StandardButton>(result);
}

}  // namespace

QString messageText(std::string_view text) {
  QString out = qs(text);
  out.replace("\r\n", "\n");
  out.replace('\r', '\n');
  return out;
}

void showNotice(QWidget* parent, std::string_view text) { run(parent, text, QMessageBox::Ok, QMessageBox::Ok); }

bool askOkCancel(QWidget* parent, std::string_view text) {
  return run(parent, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
}

bool askYesNo(QWidget* parent, std::string_view text) {
  return run(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QMessageBox::StandardButton askYesNoCancel(QWidget* parent, std::string_view text) {
  return run(parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}

}  // namespace dorvak
