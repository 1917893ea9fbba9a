// The five-button prompt: each button's answer, the close box, the two lines,
// and the session's question setting the read-cancel flag on Storno.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/session.h"
#include "app/tformhlas.h"
#include "core/messages.h"
#include "gui_suites.h"
#include "gui_test_util.h"

namespace dorvak::test {

namespace {

// Clicks the button of the tag once the prompt is shown.
void clickWhenShown(TFormHlas& prompt, int tag) {
  onNextModal([&prompt, tag](QWidget* modal) {
    if (modal != &prompt) return false;
    if (tag == 0)
      prompt.close();
    else
      QTest::mouseClick(prompt.Buttons[static_cast<std::size_t>(tag - 1)], Qt::LeftButton);
    return true;
  });
}

}  // namespace

class TestPrompt : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { forgetPendingAnswers(); }

  void eachButtonAnswersItsTag() {
    Session session("");
    TFormHlas& prompt = session.prompt();
    QCOMPARE(prompt.windowTitle(), QString());
    const char* captions[] = {"Overwrite", "Skip", "Storno", "Overwrite all", "Skip all"};
    for (int tag = 1; tag <= 5; ++tag) {
      QCOMPARE(prompt.Buttons[static_cast<std::size_t>(tag - 1)]->text(), QString(captions[tag - 1]));
      clickWhenShown(prompt, tag);
      QCOMPARE(static_cast<int>(prompt.ask("Line 7 already exists!")), tag);
      QVERIFY(!prompt.isVisible());
    }
  }

  void closeBoxAnswersStorno() {
    Session session("");
    // A previous answer must not stick.
    clickWhenShown(session.prompt(), 1);
    QCOMPARE(session.prompt().ask("first"), PromptAnswer::Overwrite);
    clickWhenShown(session.prompt(), 0);
    QCOMPARE(session.prompt().ask("second"), PromptAnswer::Storno);
  }

  void escapeAnswersStorno() {
    Session session("");
    onNextModal([&](QWidget* modal) {
      if (modal != &session.prompt()) return false;
      QTest::keyClick(modal, Qt::Key_Escape);
      return true;
    });
    QCOMPARE(session.prompt().ask("x"), PromptAnswer::Storno);
  }

  void firstLineBreakSplitsTheLines() {
    Session session("");
    TFormHlas& prompt = session.prompt();
    clickWhenShown(prompt, 2);
    prompt.ask(formatMessage("Destination $ already exists! |Overwrite it?", "012"));
    QCOMPARE(prompt.Label1->text(), QString("Destination 012 already exists! "));
    QCOMPARE(prompt.Label2->text(), QString("Overwrite it?"));

    clickWhenShown(prompt, 2);
    prompt.ask("one line only");
    QCOMPARE(prompt.Label1->text(), QString("one line only"));
    QCOMPARE(prompt.Label2->text(), QString());

    clickWhenShown(prompt, 2);
    prompt.ask("first\rsecond\rthird");
    QCOMPARE(prompt.Label1->text(), QString("first"));
    QCOMPARE(prompt.Label2->text(), QString("second\rthird"));
  }

  void stornoSetsReadCancelled() {
    Session session("");
    AskPrompt ask = session.askPrompt();
    clickWhenShown(session.prompt(), 2);
    QCOMPARE(ask("Stop 0001 already exists!"), PromptAnswer::Skip);
    QVERIFY(!session.state().readCancelled);
    clickWhenShown(session.prompt(), 3);
    QCOMPARE(ask("Stop 0002 already exists!"), PromptAnswer::Storno);
    QVERIFY(session.state().readCancelled);
  }

  void resolverAsksUntilAnAnswerForAll() {
    Session session("");
    DuplicateResolver resolver(session.askPrompt());
    clickWhenShown(session.prompt(), 5);
    QVERIFY(!resolver.overwrite("Line 3 already exists!"));
    // No more questions: nobody answers, yet the call returns at once.
    QVERIFY(!resolver.overwrite("Line 9 already exists!"));
    QVERIFY(!resolver.cancelled());
  }
};

std::unique_ptr<QObject> makePromptSuite() { return std::make_unique<TestPrompt>(); }

}  // namespace dorvak::test

#include "test_prompt.moc"
