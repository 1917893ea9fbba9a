// The main window driven through its controls: Open, the three choosers,
// deleting, the questions before a data base is left, a failed Open and the
// timer pausing while the application is inactive.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include "app/panel_picture.h"
#include "app/session.h"
#include "app/tformmain.h"
#include "app/tformpanel.h"
#include "app/updown.h"
#include "core/hex_reader.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "render/panel_paint.h"

namespace dorvak::test {

namespace {

constexpr auto L = FieldId::Line;
constexpr auto D = FieldId::Destination;

int litPixels(const PanelPicture& picture) {
  const QRgb lit = qRgb(kLitDotColour.red, kLitDotColour.green, kLitDotColour.blue);
  int count = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) == lit) ++count;
  return count;
}

void typeNumber(TFormMAIN::Chooser& c, const QString& typed) {
  QLineEdit* edit = c.combo->lineEdit();
  QVERIFY(edit);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, typed);
  QTest::keyClick(edit, Qt::Key_Return);
}

void clickArrow(TFormMAIN::Chooser& c, bool up) {
  QTest::mouseClick(up ? c.upDown->upButton() : c.upDown->downButton(), Qt::LeftButton);
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<Session> session_;
  TFormMAIN* window_ = nullptr;

  void openDemo() {
    const QString path = demoCopy(*dir_);
    QVERIFY(window_->openFile(path.toStdString()));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    session_ = std::make_unique<Session>("");
    window_ = &session_->main();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }

  void cleanup() {
    forgetPendingAnswers();
    session_->state().databaseChanged = false;
    session_.reset();
    dir_.reset();
  }

  void startsWithOnlyNewOpenExitAboutEnabled() {
    QCOMPARE(window_->windowTitle(), QString("Dorvak"));
    QVERIFY(window_->MenuNovy->isEnabled());
    QVERIFY(window_->MenuOtevri->isEnabled());
    QVERIFY(window_->MenuKonec->isEnabled());
    QVERIFY(window_->MenuOProgramu->isEnabled());
    QVERIFY(!window_->MenuUloz->isEnabled());
    QVERIFY(!window_->MenuUlozJako->isEnabled());
    QVERIFY(!window_->MenuZavri->isEnabled());
    QVERIFY(!window_->PanelP->isVisible());
    for (std::uint8_t id = L; id <= FieldId::Stop; ++id) {
      QVERIFY(!window_->chooser(id).group->isEnabled());
      QVERIFY(window_->chooser(id).check->isChecked());
    }
    QCOMPARE(window_->chooser(L).group->title(), QString(" LINE "));
  }

  void openThroughTheDialogShowsTheDemo() {
    const QString path = demoCopy(*dir_);
    answerFileDialog(path);
    window_->MenuOtevriClick();
    QCOMPARE(window_->windowTitle(), "Dorvak - " + path);
    QCOMPARE(QString::fromStdString(session_->state().lastDir), QFileInfo(path).absolutePath());
    QVERIFY(window_->PanelP->isVisible());
    QCOMPARE(window_->LabelP->text(), QString("SIDE PANEL  [2.15]"));
    // 112 columns: four pixels a dot.
    QCOMPARE(window_->DrawGridP->width(), 112 * 4);
    QCOMPARE(window_->DrawGridP->height(), 19 * 4);
    QCOMPARE(window_->PanelP->width(), 112 * 4 + 18);
    QVERIFY(window_->MenuUloz->isEnabled() && window_->MenuUlozJako->isEnabled() && window_->MenuZavri->isEnabled());
    QCOMPARE(window_->chooser(L).combo->currentText(), QString("003"));
    QCOMPARE(window_->chooser(D).combo->currentText(), QString("001"));
    QCOMPARE(window_->chooser(D).combo->itemText(window_->chooser(D).combo->count() - 1), QString("XXX"));
    QCOMPARE(window_->StatusBar1[0]->text(), QString("Lines: 5"));
    QCOMPARE(window_->StatusBar1[1]->text(), QString("Destinations: 8"));
    QVERIFY(!window_->PanelFNT->isVisible());
    QVERIFY(!session_->state().databaseChanged);
    // The first pages are on the picture.
    QVERIFY(litPixels(*window_->DrawGridP) > 0);
  }

  void pickListAndArrowsStopAtTheEnds() {
    openDemo();
    TFormMAIN::Chooser& c = window_->chooser(D);
    QVERIFY(!c.combo->isEditable());
    clickArrow(c, false);  // down on the first item stays on it
    QCOMPARE(c.combo->currentText(), QString("001"));
    clickArrow(c, true);
    QCOMPARE(c.combo->currentText(), QString("002"));
    QCOMPARE(session_->state().currentDestination, 2);
    QCOMPARE(session_->renderer().view(D).number, 2);

    // Picking from the list with the keyboard.
    c.combo->setFocus();
    QTest::keyClick(c.combo, Qt::Key_End);
    QCOMPARE(c.combo->currentText(), QString("XXX"));
    QCOMPARE(c.upDown->position(), 1000);
    QCOMPARE(session_->renderer().view(D).number, 1000);
    clickArrow(c, true);  // up on the last item stays on it
    QCOMPARE(c.combo->currentText(), QString("XXX"));
    QVERIFY(c.deleteOne->isEnabled());
  }

  void typingNumbersAndTheStartingDestination() {
    openDemo();
    TFormMAIN::Chooser& c = window_->chooser(D);
    QTest::mouseClick(c.check, Qt::LeftButton);
    QVERIFY(!c.check->isChecked());
    QVERIFY(c.combo->isEditable());

    typeNumber(c, "x");
    QCOMPARE(c.combo->currentText(), QString("XXX"));
    QCOMPARE(c.upDown->position(), 1000);
    QCOMPARE(session_->renderer().view(D).number, 1000);
    QVERIFY(!window_->PanelHlasC->isVisible());

    typeNumber(c, "12");
    QCOMPARE(c.combo->currentText(), QString("012"));
    QVERIFY(window_->PanelHlasC->isVisible());
    QCOMPARE(window_->PanelHlasC->text(), QString("Destination 012 don't exist"));
    QVERIFY(!session_->state().destinationChosen);
    QVERIFY(!c.deleteOne->isEnabled());

    // Arrows change the number by one in the editable box.
    clickArrow(c, false);
    QCOMPARE(c.combo->currentText(), QString("011"));
    clickArrow(c, false);
    clickArrow(c, false);
    typeNumber(c, "9");
    QCOMPARE(c.combo->currentText(), QString("009"));
    clickArrow(c, true);
    QCOMPARE(c.combo->currentText(), QString("010"));
    QVERIFY(!window_->PanelHlasC->isVisible());
    QCOMPARE(session_->renderer().view(D).number, 10);

    // Letters other than X are refused.
    typeNumber(c, "a5");
    QCOMPARE(c.combo->currentText(), QString("005"));

    // Ticking "Only existing" again takes the typed number's item.
    typeNumber(c, "22");
    QTest::mouseClick(c.check, Qt::LeftButton);
    QVERIFY(!c.combo->isEditable());
    QCOMPARE(c.combo->currentText(), QString("022"));
    QCOMPARE(session_->renderer().view(D).number, 22);
  }

  void aMissingLineShowsItsDigits() {
    openDemo();
    TFormMAIN::Chooser& c = window_->chooser(L);
    QTest::mouseClick(c.check, Qt::LeftButton);
    typeNumber(c, "7");
    QCOMPARE(c.combo->currentText(), QString("007"));
    QCOMPARE(session_->renderer().view(L).text, std::string("7\r"));
    QVERIFY(!c.check->isChecked());
    QVERIFY(!session_->state().lineChosen);
    QVERIFY(!c.deleteOne->isEnabled());
    // Clearing "Only existing" with an empty box shows 000.
    TFormMAIN::Chooser& s = window_->chooser(D);
    QTest::mouseClick(s.check, Qt::LeftButton);
    QCOMPARE(s.combo->currentText(), QString("001"));
  }

  void chooseFromTheCommandLine() {
    openDemo();
    window_->choose(D, 22);
    QCOMPARE(window_->chooser(D).combo->currentText(), QString("022"));
    QVERIFY(window_->chooser(D).check->isChecked());
    window_->choose(D, 1000);
    QCOMPARE(window_->chooser(D).combo->currentText(), QString("XXX"));
    window_->choose(D, 5);
    QVERIFY(!window_->chooser(D).check->isChecked());
    QCOMPARE(window_->PanelHlasC->text(), QString("Destination 005 don't exist"));
    window_->choose(D, 1001);  // out of range: nothing changes
    QCOMPARE(window_->chooser(D).combo->currentText(), QString("005"));
  }

  void deleteOneWithCancelAndWithOk() {
    openDemo();
    TFormMAIN::Chooser& c = window_->chooser(D);
    const std::size_t before = session_->database().destinations.count();
    {
      BoxAnswer answer(QMessageBox::Cancel);
      c.deleteOne->trigger();
      QVERIFY(answer.answered());
      QCOMPARE(answer.text(), QString("Really delete destination 001 ?"));
      QCOMPARE(answer.title(), QString("Dorvak"));
      QVERIFY(!answer.hasIcon());
    }
    QCOMPARE(session_->database().destinations.count(), before);
    QVERIFY(!session_->state().databaseChanged);
    {
      BoxAnswer answer(QMessageBox::Ok);
      c.deleteOne->trigger();
      QVERIFY(answer.answered());
    }
    QCOMPARE(session_->database().destinations.count(), before - 1);
    QVERIFY(!session_->database().destinations.findEntry("0001"));
    QVERIFY(session_->state().databaseChanged);
    QCOMPARE(c.combo->currentText(), QString("002"));
    QCOMPARE(c.combo->count(), static_cast<int>(before - 1));
    QCOMPARE(window_->StatusBar1[1]->text(), QString("Destinations: 7"));
    QCOMPARE(session_->renderer().view(D).number, 2);
  }

  void leavingAChangedDataBaseAsksFirst() {
    openDemo();
    const std::string path = session_->state().fileName;
    {
      BoxAnswer ok(QMessageBox::Ok);
      window_->chooser(D).deleteOne->trigger();
    }
    // Cancel keeps everything.
    {
      BoxAnswer answer(QMessageBox::Cancel);
      window_->MenuNovyClick();
      QCOMPARE(answer.text(), QString("Save changes in panel database into file?"));
    }
    QCOMPARE(session_->state().fileName, path);
    QCOMPARE(session_->database().destinations.count(), std::size_t{7});
    {
      BoxAnswer answer(QMessageBox::Cancel);
      window_->close();
      QVERIFY(answer.answered());
    }
    QVERIFY(window_->isVisible());
    {
      BoxAnswer answer(QMessageBox::Cancel);
      window_->MenuZavriClick();
    }
    QVERIFY(window_->PanelP->isVisible());
    QVERIFY(window_->MenuUloz->isEnabled());

    // Yes saves through Save as; then Open goes on with the new file.
    const QString saved = dir_->filePath("changed");
    {
      BoxAnswer answer(QMessageBox::Yes);
      answerFileDialog(saved);
      answerFileDialog(demoPath());
      window_->MenuOtevriClick();
    }
    PanelDatabase reread;
    openHexFile(reread, (saved + ".hex").toStdString());
    QCOMPARE(reread.destinations.count(), std::size_t{7});
    QCOMPARE(window_->windowTitle(), "Dorvak - " + demoPath());
    QCOMPARE(session_->database().destinations.count(), std::size_t{8});

    // No leaves the changes unsaved and goes on.
    {
      BoxAnswer ok(QMessageBox::Ok);
      window_->chooser(L).deleteOne->trigger();
    }
    {
      BoxAnswer answer(QMessageBox::No);
      window_->MenuNovyClick();
      QVERIFY(answer.answered());
    }
    QCOMPARE(window_->windowTitle(), QString("Dorvak"));
    QVERIFY(session_->database().lines.empty());
    QVERIFY(!session_->state().databaseChanged);
    QVERIFY(window_->PanelP->isVisible());
    QVERIFY(window_->MenuUlozJako->isEnabled());  // the fonts stayed
    QVERIFY(!window_->MenuUloz->isEnabled());
  }

  void closingWithNoHidesThePicture() {
    openDemo();
    {
      BoxAnswer ok(QMessageBox::Ok);
      window_->chooser(L).deleteOne->trigger();
    }
    {
      BoxAnswer answer(QMessageBox::No);
      window_->MenuZavriClick();
      QVERIFY(answer.answered());
    }
    QVERIFY(!window_->PanelP->isVisible());
    QVERIFY(!window_->MenuUloz->isEnabled() && !window_->MenuUlozJako->isEnabled() && !window_->MenuZavri->isEnabled());
  }

  void saveAsCancelledKeepsTheDataBase() {
    openDemo();
    {
      BoxAnswer ok(QMessageBox::Ok);
      window_->chooser(L).deleteOne->trigger();
    }
    {
      BoxAnswer answer(QMessageBox::Yes);
      answerFileDialog(QString());  // the save dialog cancelled
      window_->MenuNovyClick();
    }
    QVERIFY(session_->state().databaseChanged);
    QCOMPARE(session_->database().lines.count(), std::size_t{4});
  }

  void aFailedOpenLeavesNothingToSave() {
    openDemo();
    const QString bad = dir_->filePath("bad.hex");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(":10000000FFFFFFFF\n");
    file.close();
    {
      BoxAnswer answer(QMessageBox::Ok);
      QVERIFY(!window_->openFile(bad.toStdString()));
      QVERIFY(answer.answered());
      QVERIFY(!answer.text().isEmpty());
      QVERIFY(!answer.hasIcon());
    }
    QCOMPARE(window_->windowTitle(), QString("Dorvak"));
    QVERIFY(!window_->MenuUloz->isEnabled());
    QVERIFY(!window_->MenuUlozJako->isEnabled());
    QVERIFY(!window_->MenuZavri->isEnabled());
    QVERIFY(!window_->PanelP->isVisible());
    QVERIFY(!session_->state().databaseChanged);
    QVERIFY(!window_->ProgressBar1->isVisible());
  }

  void saveWritesTheFile() {
    openDemo();
    {
      BoxAnswer ok(QMessageBox::Ok);
      window_->chooser(L).deleteOne->trigger();
    }
    window_->MenuUlozClick();
    QVERIFY(!session_->state().databaseChanged);
    PanelDatabase reread;
    openHexFile(reread, session_->state().fileName);
    QCOMPARE(reread.lines.count(), std::size_t{4});
    QCOMPARE(reread.destinations, session_->database().destinations);
  }

  void theTimerPausesWhileInactive() {
    openDemo();
    TFormPANEL& panel = session_->panel();
    QVERIFY(panel.timer().isActive());
    QTRY_VERIFY(panel.tickCount() >= 2);

    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    QVERIFY(!panel.timer().isActive());
    QVERIFY(!panel.simulator().running());
    const long long ticks = panel.tickCount();
    const FieldView line = session_->renderer().view(L);
    const FieldView destination = session_->renderer().view(D);
    QTest::qWait(350);
    QCOMPARE(panel.tickCount(), ticks);
    QCOMPARE(session_->renderer().view(D).countdown, destination.countdown);
    QCOMPARE(session_->renderer().view(D).textPos, destination.textPos);
    QCOMPARE(session_->renderer().view(L).countdown, line.countdown);

    // On return the fields go on from where they stood.
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(panel.timer().isActive());
    QTRY_VERIFY(panel.tickCount() > ticks);
    QCOMPARE(session_->renderer().view(D).textPos, destination.textPos);
    QVERIFY(session_->renderer().view(D).countdown < destination.countdown);
  }

  void aRollingDestinationRepaintsOnlyItsCells() {
    openDemo();
    // Destination 22 pages through three rows every 3 s; dot rows change.
    TFormMAIN::Chooser& c = window_->chooser(D);
    c.combo->setFocus();
    QTest::keyClick(c.combo, Qt::Key_Down);
    QTest::keyClick(c.combo, Qt::Key_Down);
    QTest::keyClick(c.combo, Qt::Key_Down);
    QTest::keyClick(c.combo, Qt::Key_Down);
    QCOMPARE(c.combo->currentText(), QString("022"));
    TFormPANEL& panel = session_->panel();
    panel.stop();
    panel.simulator().start();
    for (int i = 0; i < 3; ++i) panel.tick();
    const int lit = litPixels(*window_->DrawGridP);
    QVERIFY(lit > 0);
    // The picture on screen matches what the renderer shows.
    const RgbImage expected = paintPanel(session_->renderer().pictures().shown(), {112, 19});
    for (int y = 0; y < expected.height; y += 3)
      for (int x = 0; x < expected.width; x += 3) {
        const Rgb rgb = expected.at(x, y);
        QCOMPARE(window_->DrawGridP->pixel(x, y), qRgb(rgb.red, rgb.green, rgb.blue));
      }
  }

  void theDataVersionIsEditable() {
    openDemo();
    QVERIFY(window_->EditVERZE->isEnabled());
    window_->EditVERZE->clear();
    QTest::keyClicks(window_->EditVERZE, "2024-06 ");
    QTest::sendKeyEvent(QTest::Click, window_->EditVERZE, Qt::Key_unknown, QString::fromUtf8("č"), Qt::NoModifier);
    QCOMPARE(session_->database().dataVersion, std::string("2024-06 \xE8"));
    QVERIFY(session_->state().databaseChanged);
    // A character the panel cannot store is refused.
    QTest::sendKeyEvent(QTest::Click, window_->EditVERZE, Qt::Key_unknown, QString::fromUtf8("☃"), Qt::NoModifier);
    QCOMPARE(session_->database().dataVersion, std::string("2024-06 \xE8"));
    QCOMPARE(window_->EditVERZE->text(), QString::fromUtf8("2024-06 č"));
    QTest::keyClicks(window_->EditVERZE, "0123456789");
    QCOMPARE(session_->database().dataVersion.size(), std::size_t{15});
  }

  void aboutNamesTheVersion() {
    BoxAnswer answer(QMessageBox::Ok);
    window_->MenuOProgramuClick();
    QVERIFY(answer.text().startsWith("Dorvak - program for preparing, examining and editing\n"));
    QVERIFY(answer.text().contains("                 program version 0.12\n"));
  }
};

std::unique_ptr<QObject> makeMainWindowSuite() { return std::make_unique<TestMainWindow>(); }

}  // namespace dorvak::test

#include "test_main_window.moc"
