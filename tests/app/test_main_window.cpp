// The main window driven through its controls, its questions answered by
// the scripted prompter: Open, the three choosers, deleting and undoing,
// the questions before a data base is left, a failed Open, the picture and
// the timer pausing while the application is inactive.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <numeric>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QMimeData>
#include <QWheelEvent>
#include <QDialog>

#include "app/chooser_box.h"
#include "app/file_actions.h"
#include "app/panel_picture.h"
#include "app/session.h"
#include "app/tformmain.h"
#include "app/tformpanel.h"
#include "app/updown.h"
#include "core/hex_reader.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "render/panel_gif.h"
#include "render/panel_paint.h"
#include "scripted_prompter.h"
#include "test_session.h"

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

void typeNumber(ChooserBox& c, const QString& typed) {
  QLineEdit* edit = c.combo->lineEdit();
  QVERIFY(edit);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, typed);
  QTest::keyClick(edit, Qt::Key_Return);
}

void clickArrow(ChooserBox& c, bool up) {
  QTest::mouseClick(up ? c.upDown->upButton() : c.upDown->downButton(), Qt::LeftButton);
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<TestSession> test_;
  const QTemporaryDir* dir_ = nullptr;
  Session* session_ = nullptr;
  ScriptedPrompter* prompter_ = nullptr;
  TFormMAIN* window_ = nullptr;
  FileActions* files_ = nullptr;

  void openDemo() {
    const QString path = demoCopy(*dir_);
    QVERIFY(window_->openFile(path.toStdString()));
  }
  bool modified() const { return session_->document().isModified(); }
  void deleteShown(FieldId fieldId) {
    prompter_->ok();
    window_->chooser(fieldId).deleteOne->trigger();
  }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>();
    dir_ = &test_->dir();
    session_ = &test_->session();
    prompter_ = &test_->prompter();
    window_ = &session_->main();
    files_ = &window_->files();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void startsWithOnlyNewOpenExitAboutEnabled() {
    QCOMPARE(window_->windowTitle(), QString("Dorvak"));
    QVERIFY(files_->MenuNovy->isEnabled());
    QVERIFY(files_->MenuOtevri->isEnabled());
    QVERIFY(files_->MenuKonec->isEnabled());
    QVERIFY(window_->MenuOProgramu->isEnabled());
    QVERIFY(!files_->MenuUloz->isEnabled());
    QVERIFY(!files_->MenuUlozJako->isEnabled());
    QVERIFY(!files_->MenuZavri->isEnabled());
    QVERIFY(!session_->undoAction().isEnabled());
    QVERIFY(!window_->PanelP->isVisible());
    for (FieldId id : kAllFields) {
      QVERIFY(!window_->chooser(id).isEnabled());
      QVERIFY(window_->chooser(id).check->isChecked());
    }
    QCOMPARE(window_->chooser(L).title(), QString(" LINE "));
  }

  void openThroughTheDialogShowsTheDemo() {
    const QString path = demoCopy(*dir_);
    prompter_->file(path);
    files_->MenuOtevriClick();
    const FileDialogRequest& dialog = prompter_->asked().back().request;
    QCOMPARE(dialog.objectName, QString("OpenDialog1"));
    QCOMPARE(dialog.title, QString("Open"));
    QCOMPARE(dialog.filters, QStringList{"panel database (*.hex)"});
    QCOMPARE(window_->windowTitle(), "Dorvak - " + path + "[*]");
    QVERIFY(!window_->isWindowModified());
    QCOMPARE(QString::fromStdString(session_->state().lastDir), QFileInfo(path).absolutePath());
    QVERIFY(window_->PanelP->isVisible());
    QCOMPARE(window_->LabelP->text(), QString("SIDE PANEL  [2.15]"));
    // 112 columns: four pixels a dot.
    QCOMPARE(window_->DrawGridP->width(), 112 * 4);
    QCOMPARE(window_->DrawGridP->height(), session_->database().config.height * 4);
    QCOMPARE(window_->PanelP->width(), 112 * 4 + 18);
    QVERIFY(files_->MenuUloz->isEnabled() && files_->MenuUlozJako->isEnabled() && files_->MenuZavri->isEnabled());
    QCOMPARE(window_->chooser(L).combo->currentText(), QString("003"));
    QCOMPARE(window_->chooser(D).combo->currentText(), QString("001"));
    QCOMPARE(window_->chooser(D).combo->itemText(window_->chooser(D).combo->count() - 1), QString("XXX"));
    QCOMPARE(window_->StatusBar1[0]->text(), QString("Lines: 5"));
    QCOMPARE(window_->StatusBar1[1]->text(), QString("Destinations: 8"));
    QVERIFY(!window_->PanelFNT->isVisible());
    QVERIFY(!modified());
    // The first pages are on the picture.
    QVERIFY(litPixels(*window_->DrawGridP) > 0);
  }

  void pickListAndArrowsStopAtTheEnds() {
    openDemo();
    ChooserBox& c = window_->chooser(D);
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
    ChooserBox& c = window_->chooser(D);
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
    ChooserBox& c = window_->chooser(L);
    QTest::mouseClick(c.check, Qt::LeftButton);
    typeNumber(c, "7");
    QCOMPARE(c.combo->currentText(), QString("007"));
    QCOMPARE(session_->renderer().view(L).text, std::string("7\r"));
    QVERIFY(!c.check->isChecked());
    QVERIFY(!session_->state().lineChosen);
    QVERIFY(!c.deleteOne->isEnabled());
    // Clearing "Only existing" with an empty box shows 000.
    ChooserBox& s = window_->chooser(D);
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

  void deleteOneAskedUndoneAndRedone() {
    openDemo();
    ChooserBox& c = window_->chooser(D);
    const PanelDatabase before = session_->database();
    const int litBefore = litPixels(*window_->DrawGridP);
    prompter_->cancel();
    c.deleteOne->trigger();
    QCOMPARE(prompter_->lastText(), QString("Really delete destination 001 ?"));
    QVERIFY(session_->database() == before);
    QVERIFY(!modified());

    deleteShown(D);
    QCOMPARE(session_->database().destinations.count(), before.destinations.count() - 1);
    QVERIFY(!session_->database().destinations.findEntry("0001"));
    QVERIFY(modified());
    QVERIFY(window_->isWindowModified());
    QCOMPARE(c.combo->currentText(), QString("002"));
    QCOMPARE(c.combo->count(), 7);
    QCOMPARE(window_->StatusBar1[1]->text(), QString("Destinations: 7"));
    QCOMPARE(session_->renderer().view(D).number, 2);
    QCOMPARE(session_->undoAction().text(), QString("Undo Delete destination 001"));
    const PanelDatabase after = session_->database();

    // Undo brings back the entry, its place in the pick list, the count and
    // its text on the panel.
    session_->undoAction().trigger();
    QVERIFY(session_->database() == before);
    QVERIFY(!modified());
    QCOMPARE(c.combo->count(), 8);
    QCOMPARE(c.combo->itemText(0), QString("001"));
    QCOMPARE(c.combo->currentText(), QString("001"));
    QCOMPARE(window_->StatusBar1[1]->text(), QString("Destinations: 8"));
    QCOMPARE(session_->renderer().view(D).number, 1);
    session_->panel().tick();
    QCOMPARE(litPixels(*window_->DrawGridP), litBefore);
    QCOMPARE(session_->redoAction().text(), QString("Redo Delete destination 001"));
    session_->redoAction().trigger();
    QVERIFY(session_->database() == after);
    QCOMPARE(c.combo->currentText(), QString("002"));
  }

  void deleteAllAskedAndUndone() {
    openDemo();
    ChooserBox& c = window_->chooser(L);
    const PanelDatabase before = session_->database();
    prompter_->no();
    c.deleteAll->trigger();
    QCOMPARE(prompter_->lastText(), QString("Really delete all lines?"));
    QVERIFY(session_->database() == before);
    prompter_->yes();
    c.deleteAll->trigger();
    QVERIFY(session_->database().lines.empty());
    QCOMPARE(c.combo->count(), 0);
    QCOMPARE(window_->StatusBar1[0]->text(), QString());
    QCOMPARE(session_->renderer().view(L).text, std::string("\r"));
    QVERIFY(!c.deleteOne->isEnabled() && !c.deleteAll->isEnabled());
    QCOMPARE(session_->undoAction().text(), QString("Undo Delete all lines"));
    QTest::keySequence(window_, QKeySequence::Undo);
    QVERIFY(session_->database() == before);
    QCOMPARE(c.combo->count(), 5);
    QCOMPARE(c.combo->currentText(), QString("003"));
    QTest::keySequence(window_, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(session_->database().lines.empty());
    QTest::keySequence(window_, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QVERIFY(session_->database().lines.empty());  // nothing left to redo
  }

  void leavingAChangedDataBaseAsksFirst() {
    openDemo();
    const std::string path = session_->document().fileName();
    deleteShown(D);
    // Cancel keeps everything.
    prompter_->cancel();
    files_->MenuNovyClick();
    QCOMPARE(prompter_->lastText(), QString("Save changes in panel database into file?"));
    QCOMPARE(session_->document().fileName(), path);
    QCOMPARE(session_->database().destinations.count(), std::size_t{7});
    prompter_->cancel();
    window_->close();
    QVERIFY(window_->isVisible());
    prompter_->cancel();
    files_->MenuZavriClick();
    QVERIFY(window_->PanelP->isVisible());
    QVERIFY(files_->MenuUloz->isEnabled());

    // Yes saves through Save as; then Open goes on with the new file.
    const QString saved = dir_->filePath("changed");
    prompter_->yes().file(saved).file(demoPath());
    files_->MenuOtevriClick();
    PanelDatabase reread;
    openHexFile(reread, (saved + ".hex").toStdString());
    QCOMPARE(reread.destinations.count(), std::size_t{7});
    QCOMPARE(window_->windowTitle(), "Dorvak - " + demoPath() + "[*]");
    QCOMPARE(session_->database().destinations.count(), std::size_t{8});

    // No leaves the changes unsaved and goes on: the font editor opens on
    // the new data base.
    deleteShown(L);
    prompter_->no().window("TFormEdFONT");
    files_->MenuNovyClick();
    QCOMPARE(window_->windowTitle(), QString("Dorvak[*]"));
    QVERIFY(session_->database().lines.empty());
    QVERIFY(!modified());
    QVERIFY(!session_->undoAction().isEnabled());
    QVERIFY(window_->PanelP->isVisible());
    // The fonts stayed: a new data base is saved through Save as.
    QVERIFY(files_->MenuUlozJako->isEnabled() && files_->MenuUloz->isEnabled());
    const QString fresh = dir_->filePath("fresh.hex");
    prompter_->file(fresh);
    QVERIFY(files_->MenuUlozClick());
    QCOMPARE(QString::fromStdString(session_->document().fileName()), fresh);
  }

  void closeShowsThatNothingIsOpen() {
    openDemo();
    deleteShown(L);
    prompter_->no();
    QTest::keySequence(window_, QKeySequence(Qt::CTRL | Qt::Key_W));
    QVERIFY(!window_->PanelP->isVisible());
    QVERIFY(!files_->MenuUloz->isEnabled() && !files_->MenuUlozJako->isEnabled() && !files_->MenuZavri->isEnabled());
    QCOMPARE(window_->windowTitle(), QString("Dorvak"));
    for (FieldId id : kAllFields) {
      QCOMPARE(window_->chooser(id).combo->count(), 0);
      QVERIFY(!window_->chooser(id).isEnabled());
      QCOMPARE(window_->StatusBar1[fieldIndex(id)]->text(), QString());
    }
    QVERIFY(!window_->EditVERZE->isEnabled());
    QVERIFY(!session_->undoAction().isEnabled());
  }

  void saveAsCancelledKeepsTheDataBase() {
    openDemo();
    deleteShown(L);
    prompter_->yes().file(QString());  // the save dialog cancelled
    files_->MenuNovyClick();
    QVERIFY(modified());
    QCOMPARE(session_->database().lines.count(), std::size_t{4});
  }

  void aFailedOpenKeepsWhatWasOpen() {
    openDemo();
    deleteShown(L);
    const PanelDatabase before = session_->database();
    const QString title = window_->windowTitle();
    const QString bad = dir_->filePath("bad.hex");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(":10000000FFFFFFFF\n");
    file.close();
    QVERIFY(!window_->openFile(bad.toStdString()));
    QCOMPARE(prompter_->notices().size(), 1);
    QVERIFY(session_->database() == before);
    QCOMPARE(window_->windowTitle(), title);
    QVERIFY(modified());
    QVERIFY(files_->MenuUloz->isEnabled());
    QVERIFY(window_->PanelP->isVisible());
    QCOMPARE(window_->chooser(L).combo->count(), 4);
    QVERIFY(!window_->ProgressBar1->isVisible());
    // Undo still reaches what was done before.
    session_->undoAction().trigger();
    QCOMPARE(session_->database().lines.count(), std::size_t{5});
  }

  void saveMarksTheUndoStackClean() {
    openDemo();
    deleteShown(L);
    QTest::keySequence(window_, QKeySequence::Save);
    QVERIFY(!modified());
    QVERIFY(!window_->isWindowModified());
    PanelDatabase reread;
    openHexFile(reread, session_->document().fileName());
    QCOMPARE(reread.lines.count(), std::size_t{4});
    QCOMPARE(reread.destinations, session_->database().destinations);
    // Undo after Save changes the data base again; redo returns to the file.
    session_->undoAction().trigger();
    QVERIFY(modified());
    QVERIFY(window_->isWindowModified());
    session_->redoAction().trigger();
    QVERIFY(!modified());
  }

  void aRecentFileThatIsGoneLeavesTheList() {
    const QString path = demoCopy(*dir_, "gone.hex");
    QVERIFY(window_->openFile(path.toStdString()));
    QAction* recent = files_->MenuPosledni->actions().first();
    QCOMPARE(recent->text(), QFileInfo(path).absoluteFilePath());
    QVERIFY(QFile::remove(path));
    recent->trigger();
    QCOMPARE(prompter_->notices().size(), 1);
    for (QAction* a : files_->MenuPosledni->actions()) QVERIFY(a->text() != QFileInfo(path).absoluteFilePath());
  }

  void droppingAFileOpensIt() {
    const QString path = demoCopy(*dir_);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_, &drop);
    QTRY_COMPARE(QString::fromStdString(session_->document().fileName()), path);
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
    ChooserBox& c = window_->chooser(D);
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
    const RgbImage expected = paintPanel(session_->renderer().pictures().shown(), {112, 27});
    for (int y = 0; y < expected.height; y += 3)
      for (int x = 0; x < expected.width; x += 3) {
        const Rgb rgb = expected.at(x, y);
        QCOMPARE(window_->DrawGridP->pixel(x, y), qRgb(rgb.red, rgb.green, rgb.blue));
      }
  }

  void typingTheDataVersionIsOneUndoableChange() {
    openDemo();
    const std::string before = session_->database().dataVersion;
    QVERIFY(window_->EditVERZE->isEnabled());
    window_->EditVERZE->selectAll();
    QTest::keyClick(window_->EditVERZE, Qt::Key_Backspace);
    QTest::keyClicks(window_->EditVERZE, "2024-06 ");
    QTest::sendKeyEvent(QTest::Click, window_->EditVERZE, Qt::Key_unknown, QString::fromUtf8("č"), Qt::NoModifier);
    QCOMPARE(session_->database().dataVersion, std::string("2024-06 \xE8"));
    QVERIFY(modified());
    // A character the panel cannot store is refused.
    QTest::sendKeyEvent(QTest::Click, window_->EditVERZE, Qt::Key_unknown, QString::fromUtf8("☃"), Qt::NoModifier);
    QCOMPARE(session_->database().dataVersion, std::string("2024-06 \xE8"));
    QCOMPARE(window_->EditVERZE->text(), QString::fromUtf8("2024-06 č"));
    QTest::keyClicks(window_->EditVERZE, "0123456789");
    QCOMPARE(session_->database().dataVersion.size(), std::size_t{15});
    // All that typing is one command.
    QCOMPARE(session_->document().undoStack().count(), 1);
    QCOMPARE(session_->undoAction().text(), QString("Undo Data version"));
    session_->undoAction().trigger();
    QCOMPARE(session_->database().dataVersion, before);
    QCOMPARE(window_->EditVERZE->text(), QString::fromStdString(before));
    QVERIFY(!modified());
  }

  void upAndDownKeysCountInAnEditableChooser() {
    openDemo();
    ChooserBox& c = window_->chooser(D);
    QTest::mouseClick(c.check, Qt::LeftButton);
    typeNumber(c, "9");
    QLineEdit* edit = c.combo->lineEdit();
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(c.combo->currentText(), QString("010"));
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(c.combo->currentText(), QString("008"));
    // A number typed and not confirmed is taken when the box loses the focus.
    window_->activateWindow();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, "22");
    window_->EditVERZE->setFocus();
    QTRY_COMPARE(session_->renderer().view(D).number, 22);
    QCOMPARE(c.combo->currentText(), QString("022"));
  }

  void thePictureZoomsAndStaysCentred() {
    openDemo();
    const int dot = window_->DrawGridP->dot();
    QCOMPARE(dot, 4);
    QTest::keySequence(window_, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QCOMPARE(window_->DrawGridP->dot(), 5);
    QCOMPARE(window_->DrawGridP->width(), 112 * 5);
    QCOMPARE(window_->PanelP->width(), 112 * 5 + 18);
    QWheelEvent wheel(QPointF(5, 5), window_->DrawGridP->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_->DrawGridP, &wheel);
    QCOMPARE(window_->DrawGridP->dot(), 6);
    QTest::keySequence(window_, QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QCOMPARE(window_->DrawGridP->dot(), 5);
    QTest::keySequence(window_, QKeySequence(Qt::CTRL | Qt::Key_0));
    QCOMPARE(window_->DrawGridP->dot(), 4);

    // A "don't exist" message beside the picture does not move it.
    QApplication::processEvents();
    const QRect picture = window_->PanelP->geometry();
    const QSize size = window_->size();
    window_->choose(D, 12);
    QVERIFY(window_->PanelHlasC->isVisible());
    QApplication::processEvents();
    QCOMPARE(window_->PanelP->geometry(), picture);
    QCOMPARE(window_->size(), size);
  }

  void everyControlHasANameForAssistiveTools() {
    openDemo();
    const QList<QWidget*> controls = window_->findChildren<QWidget*>();
    for (QWidget* w : controls) {
      const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QLineEdit*>(w) || qobject_cast<QGroupBox*>(w);
      if (!control || !w->isVisible()) continue;
      QVERIFY2(!w->accessibleName().isEmpty() || !w->accessibleDescription().isEmpty() ||
                   !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
               qPrintable(w->objectName() + " " + w->metaObject()->className()));
    }
    QCOMPARE(window_->chooser(D).check->accessibleDescription(), QString("CheckBoxC"));
    QCOMPARE(window_->EditVERZE->accessibleDescription(), QString("EditVERZE"));
    // The accessibility toggle action works like a click.
    QAccessibleInterface* check = QAccessible::queryAccessibleInterface(window_->chooser(D).check);
    QVERIFY(check && check->actionInterface());
    check->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(window_->chooser(D).combo->isEditable());
  }

  void exportAnimationWritesOneLoopOfThePanel() {
    openDemo();
    window_->choose(D, 22);
    const QString gif = dir_->filePath("panel");
    prompter_->file(gif);
    window_->MenuExportAnimace->trigger();
    QCOMPARE(prompter_->asked().back().request.filters, QStringList{"GIF animation (*.gif)"});
    QFile file(gif + ".gif");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("GIF89a"));
    QVERIFY(bytes.contains("NETSCAPE2.0"));
    // The frames are those of the panel as shown, one loop long: destination
    // 22 pages three times while the line and the stop count their own
    // delays, so the panel comes back after the least common multiple.
    const std::vector<AnimationFrame> frames = playPanelLoop(session_->renderer(), session_->document().choosers(), 6000, 600);
    int ticks = 0;
    for (const AnimationFrame& frame : frames) ticks += frame.ticks;
    const PanelConfig& config = session_->database().config;
    QCOMPARE(ticks, std::lcm(std::lcm(3 * config.destinationStyle.delay, config.lineStyle.delay), config.stopStyle.delay));
    const std::string expected = encodePanelGif(frames, paintedSize(session_->database().config));
    QCOMPARE(bytes, QByteArray(expected.data(), static_cast<qsizetype>(expected.size())));
  }

  void aboutAndUsage() {
    window_->MenuOProgramuClick();
    const QString about = prompter_->notices().value(0);
    QVERIFY(about.startsWith("Dorvak - program for preparing, examining and editing\n"));
    QVERIFY(about.contains("                 program version 0.12\n"));
    QTest::keyClick(window_, Qt::Key_F1);
    auto* help = window_->findChild<QDialog*>("HelpWindow");
    QVERIFY(help && help->isVisible());
    QVERIFY(help->findChild<QTextBrowser*>("HelpText")->toPlainText().contains("Using Dorvak"));
    help->close();
    QVERIFY(!window_->windowIcon().isNull());
  }
};

std::unique_ptr<QObject> makeMainWindowSuite() { return std::make_unique<TestMainWindow>(); }

}  // namespace dorvak::test

#include "test_main_window.moc"
