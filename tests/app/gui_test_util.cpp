#include "gui_test_util.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>

namespace dorvak::test {

namespace {
// Pending answers are offered the active modal widget every 10 ms, oldest
// first, so two answers for the same kind of dialog take the dialogs in the
// order they were asked for. One that finds nothing within 30 s gives up.
constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 30000;

struct PendingAnswer {
  std::function<bool(QWidget*)> action;
  QDeadlineTimer deadline;
};

std::deque<PendingAnswer>& pendingAnswers() {
  static std::deque<PendingAnswer> answers;
  return answers;
}

bool pollScheduled = false;
void offerActiveModal();

void schedulePoll() {
  if (pollScheduled) return;
  pollScheduled = true;
  QTimer::singleShot(kPollMs, Qt::PreciseTimer, qApp, offerActiveModal);
}

void offerActiveModal() {
  pollScheduled = false;
  auto& answers = pendingAnswers();
  std::erase_if(answers, [](const PendingAnswer& a) { return a.deadline.hasExpired(); });
  if (answers.empty()) return;
  // The next poll is due before an action runs: an action may open a nested
  // modal loop (a box asked from inside a dialog), whose own box is answered
  // from inside that loop.
  schedulePoll();
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  for (std::size_t i = 0; i < answers.size(); ++i) {
    // Taken out while it runs, so that a nested poll does not offer it again.
    PendingAnswer answer = std::move(answers[i]);
    answers.erase(answers.begin() + static_cast<std::ptrdiff_t>(i));
    if (answer.action(modal)) return;
    answers.insert(answers.begin() + static_cast<std::ptrdiff_t>(std::min(i, answers.size())), std::move(answer));
  }
}
}  // namespace

void onNextModal(const std::function<bool(QWidget*)>& action) {
  pendingAnswers().push_back({action, QDeadlineTimer(kGiveUpMs)});
  schedulePoll();
}

void forgetPendingAnswers() { pendingAnswers().clear(); }

BoxAnswer::BoxAnswer(QMessageBox::StandardButton button) {
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
      // Typing replaces the file selected in the list only while the name
      // field has the focus (else the selected file wins): on a loaded
      // machine the dialog may not have given it yet, so wait for it.
      if (!name->hasFocus()) {
        dialog->activateWindow();
        name->setFocus(Qt::OtherFocusReason);
        if (!name->hasFocus()) return false;
      }
      name->setText(path);
      static_cast<QDialog*>(dialog)->accept();
    }
    return true;
  });
}

void typeText(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
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
