#include "gui_test_util.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace dorvak::test {

namespace {
// Looks every 10 ms for up to 5 s.
constexpr int kPollMs = 10;
constexpr int kPolls = 500;
}  // namespace

void onNextModal(const std::function<bool(QWidget*)>& action) {
  auto* timer = new QTimer(qApp);
  auto polls = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal && action(modal)) || ++*polls > kPolls) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(kPollMs);
}

BoxAnswer::BoxAnswer(QMessageBox::StandardButton button) : timer_(nullptr) {
  auto answered = answered_;
  auto text = text_;
  auto title = title_;
  auto hasIcon = hasIcon_;
  onNextModal([=](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    *text = box->text();
    *title = box->windowTitle();
    *hasIcon = box->icon() != QMessageBox::NoIcon;
    *answered = true;
    if (button == QMessageBox::NoButton)
      box->reject();
    else
      box->button(button)->click();
    return true;
  });
}

BoxAnswer::~BoxAnswer() = default;

void answerFileDialog(const QString& path) {
  onNextModal([path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    if (path.isEmpty()) {
      dialog->reject();
    } else {
      // Typed into the name field, as a user would; accept() checks it.
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (!name) return false;
      name->setText(path);
      static_cast<QDialog*>(dialog)->accept();
    }
    return true;
  });
}

QString demoPath() { return QString(DORVAK_SOURCE_DIR) + "/examples/demo.hex"; }

QString demoCopy(const QTemporaryDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  QFile::remove(path);
  QFile::copy(demoPath(), path);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  return path;
}

}  // namespace dorvak::test
