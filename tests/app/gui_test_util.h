#pragma once
// Helpers of the GUI tests: answering the modal boxes and file dialogs the
// windows open, and copies of the demo data base to work on.

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QLineEdit;

namespace dorvak::test {

// Answers the next modal message box with the button and records its text.
// The box is looked for while the code under test runs its modal loop.
class BoxAnswer {
 public:
  explicit BoxAnswer(QMessageBox::StandardButton button);
  ~BoxAnswer();
  bool answered() const { return *answered_; }
  QString text() const { return *text_; }
  QString title() const { return *title_; }
  bool hasIcon() const { return *hasIcon_; }

 private:
  std::shared_ptr<bool> answered_ = std::make_shared<bool>(false);
  std::shared_ptr<QString> text_ = std::make_shared<QString>();
  std::shared_ptr<QString> title_ = std::make_shared<QString>();
  std::shared_ptr<bool> hasIcon_ = std::make_shared<bool>(false);
};

// Runs the action on the next modal widget it accepts (returns true for);
// answers asked for earlier are offered each modal first.
void onNextModal(const std::function<bool(QWidget*)>& action);
// Drops the answers no modal has taken, at the end of a test.
void forgetPendingAnswers();

// Accepts the next file dialog with the path; or rejects it when path is empty.
void answerFileDialog(const QString& path);

// Types into a field as the user does, replacing its text, without Enter.
void typeText(QLineEdit* edit, const QString& text);
// A file of the bytes (a test's input).
void writeBytes(const QString& path, const QByteArray& bytes);

QString demoPath();
// A writable copy of the demo data base in the directory.
QString demoCopy(const QTemporaryDir& dir, const QString& name = "demo.hex");

}  // namespace dorvak::test
