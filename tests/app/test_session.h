#pragma once
// A session of the program for one GUI test: a temporary folder, the
// scripted prompter, the main window shown. At the end every question had
// its answer and no answer is left over; nothing asks to be saved.

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/session.h"
#include "app/tformmain.h"
#include "scripted_prompter.h"

namespace dorvak::test {

class TestSession {
 public:
  // optionsName: the options file's name in the test's folder; empty for none.
  explicit TestSession(const QString& optionsName = QString()) {
    auto prompter = std::make_unique<ScriptedPrompter>();
    prompter_ = prompter.get();
    const std::string options = optionsName.isEmpty() ? std::string() : dir_.filePath(optionsName).toStdString();
    session_ = std::make_unique<Session>(options, std::move(prompter));
    session_->main().show();
  }
  ~TestSession() { session_->document().undoStack().setClean(); }

  Session& session() { return *session_; }
  ScriptedPrompter& prompter() { return *prompter_; }
  const QTemporaryDir& dir() const { return dir_; }
  // Call at the end of each test (cleanup), where a failure is reported.
  void checkAnswered() {
    QCOMPARE(prompter_->unexpected(), QStringList());
    QCOMPARE(prompter_->pending(), std::size_t{0});
  }

 private:
  QTemporaryDir dir_;
  ScriptedPrompter* prompter_ = nullptr;
  std::unique_ptr<Session> session_;
};

// Types into a field as the user does, replacing its text, and presses Enter.
inline void typeInto(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace dorvak::test
