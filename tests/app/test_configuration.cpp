// The panel configuration window driven through its controls, its messages
// and file dialogs answered by the scripted prompter: the range checks, the
// firmware and display-type interlocks, SET as one undoable command that the
// main window follows, CANCEL, Escape and closing, the destination digits,
// the code table and format strings, and the configurations it refuses.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/chooser_box.h"
#include "app/file_actions.h"
#include "app/list_commands.h"
#include "app/panel_picture.h"
#include "app/session.h"
#include "app/tformkonf.h"
#include "app/tformmain.h"
#include "app/updown.h"
#include "config/code_table_files.h"
#include "core/messages.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "scripted_prompter.h"
#include "test_session.h"

namespace dorvak::test {

namespace {

constexpr auto D = FieldId::Destination;
constexpr auto S = FieldId::Stop;

QCheckBox* box(TFormKONF& konf, Command command) { return konf.CheckBoxCommand[static_cast<std::size_t>(command)]; }

// A user's pick from the list: the item becomes current and is activated.
void pick(QComboBox* combo, int index) {
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

QByteArray readBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestConfiguration : public QObject {
  Q_OBJECT

  std::unique_ptr<TestSession> test_;
  const QTemporaryDir* dir_ = nullptr;
  Session* session_ = nullptr;
  ScriptedPrompter* prompter_ = nullptr;
  TFormMAIN* window_ = nullptr;
  TFormKONF* konf_ = nullptr;

  const PanelDatabase& db() const { return session_->database(); }

  void openWindow() {
    window_->MenuKONF->trigger();
    QVERIFY(konf_->isVisible());
    // The modal window has the keyboard (the main window's own activation
    // may still be on its way).
    konf_->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(konf_));
  }

  // Types into a value field and confirms with Enter or by leaving it.
  void typeValue(QLineEdit* edit, const QString& typed, Trigger trigger) {
    // Its tab first, as the user would.
    for (QWidget* w = edit->parentWidget(); w; w = w->parentWidget()) {
      const int index = konf_->PageControl1->indexOf(w);
      if (index >= 0) konf_->PageControl1->setCurrentIndex(index);
    }
    edit->setFocus(Qt::MouseFocusReason);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, trigger == Trigger::Enter ? Qt::Key_Return : Qt::Key_Tab);
  }

  void set() { QTest::mouseClick(konf_->ButtonNASTAV, Qt::LeftButton); }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>();
    dir_ = &test_->dir();
    session_ = &test_->session();
    prompter_ = &test_->prompter();
    window_ = &session_->main();
    konf_ = &session_->configurationWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QVERIFY(!window_->MenuKONF->isEnabled());
    QVERIFY(window_->openFile(demoCopy(*dir_).toStdString()));
    QVERIFY(window_->MenuKONF->isEnabled());
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void opensModallyWithItsCaptions() {
    openWindow();
    QCOMPARE(konf_->windowTitle(), QString("Panel configuration"));
    QCOMPARE(konf_->windowModality(), Qt::ApplicationModal);
    QCOMPARE(konf_->PageControl1->currentIndex(), 0);
    const QStringList tabs = {"PANEL", "DIMENSIONS", "SETTINGS", "IBIS COMMANDS", "OPTIONS"};
    for (int i = 0; i < tabs.size(); ++i) QCOMPARE(konf_->PageControl1->tabText(i), tabs[i]);
    QCOMPARE(konf_->GroupBoxCislaC->title(), QString(" Destinations "));
    QCOMPARE(konf_->ButtonNASTAV->text(), QString("SET"));
    QCOMPARE(konf_->ButtonSTORNO->text(), QString("CANCEL"));
    QCOMPARE(box(*konf_, Command::zC)->text(), QString("zC ..4digit destination number"));
    // The demo: a side panel, all three fields, 27 x 112 dots.
    QCOMPARE(konf_->ComboBoxPanel->currentText(), QString("side"));
    QCOMPARE(konf_->ComboBoxTyp->currentText(), QString("line+destination+stop"));
    QCOMPARE(konf_->ComboBoxFW->currentText(), QString(" 2.15"));
    QCOMPARE(konf_->EditVYSKA->text(), QString("27"));
    QCOMPARE(konf_->EditDELKA->text(), QString("112"));
    // Bounds are shown one more than stored.
    QCOMPARE(konf_->EditPole[0][static_cast<std::size_t>(Bound::Bottom)]->text(), QString("9"));
    QCOMPARE(konf_->EditPole[1][static_cast<std::size_t>(Bound::Left)]->text(), QString("30"));
    QCOMPARE(konf_->EditStyl[1][static_cast<std::size_t>(StyleValue::Delay)]->text(), QString("30"));
    QCOMPARE(konf_->CheckBox_spec->checkState(), Qt::PartiallyChecked);
    QVERIFY(konf_->SpinEditCislo->isHidden());  // a service setting (F)
    QVERIFY(!konf_->GroupBoxSTRINGY->isEnabled());  // no four-digit line command
    konf_->reject();
  }

  void rangeChecksShowTheirMessageAndRestoreTheField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("message");
    const QString range = "Invalid value. Allowed range ";
    QTest::newRow("width 0") << "EditDELKA" << "0" << true << range + "<1,224>";
    QTest::newRow("width 225 left") << "EditDELKA" << "225" << false << range + "<1,224>";
    QTest::newRow("width empty") << "EditDELKA" << "" << true << "Value isn't set!";
    QTest::newRow("height 29") << "EditVYSKA" << "29" << true << range + "<1,28>";
    QTest::newRow("height 0 left") << "EditVYSKA" << "0" << false << range + "<1,28>";
    QTest::newRow("right 113") << "EditPRAVYL" << "113" << true << range + "<1,112>";
    QTest::newRow("left 0 left") << "EditLEVYZ" << "0" << false << range + "<1,112>";
    QTest::newRow("top 28") << "EditHORNIC" << "28" << true << range + "<1,27>";
    QTest::newRow("bottom empty left") << "EditDOLNIZ" << "" << false << "Value isn't set!";
    QTest::newRow("font 16") << "EditFL" << "16" << true << range + "<0,15>";
    QTest::newRow("space 20 left") << "EditMC" << "20" << false << range + "<0,15>";
    QTest::newRow("shift 16") << "EditPZ" << "16" << true << range + "<0,15>";
    QTest::newRow("delay 0") << "EditZC" << "0" << true << range + "<1,255>";
    QTest::newRow("delay 256 left") << "EditZL" << "256" << false << range + "<1,255>";
  }

  void rangeChecksShowTheirMessageAndRestoreTheField() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QString, message);
    openWindow();
    auto* edit = konf_->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    const QString before = edit->text();
    const PanelConfig working = konf_->form().working();
    typeValue(edit, typed, enter ? Trigger::Enter : Trigger::Leave);
    QCOMPARE(prompter_->notices(), QStringList{message});
    QCOMPARE(edit->text(), before);
    QCOMPARE(edit->selectedText(), before);
    QVERIFY(edit->hasFocus());
    QVERIFY(konf_->form().working() == working);
    // Enter confirms the field, not the window.
    QVERIFY(konf_->isVisible());
    konf_->reject();
  }

  void anAcceptedValueIsKeptAndLeavingTheWidthRederivesTheFields() {
    openWindow();
    typeValue(konf_->EditDELKA, "20", Trigger::Enter);
    QCOMPARE(konf_->EditDELKA->text(), QString("20"));
    // Enter remembers the width; the fields follow when the field is left.
    QCOMPARE(konf_->EditPole[1][static_cast<std::size_t>(Bound::Right)]->text(), QString("112"));
    QTest::keyClick(konf_->EditDELKA, Qt::Key_Tab);
    QCOMPARE(konf_->EditPole[0][static_cast<std::size_t>(Bound::Right)]->text(), QString("10"));
    QCOMPARE(konf_->EditPole[1][static_cast<std::size_t>(Bound::Left)]->text(), QString("11"));
    QCOMPARE(konf_->EditPole[1][static_cast<std::size_t>(Bound::Right)]->text(), QString("20"));
    QCOMPARE(konf_->PanelDELKA->text(), QString("20"));
    QCOMPARE(prompter_->notices(), QStringList());
    // A right bound beyond the new width is refused.
    typeValue(konf_->EditPole[2][static_cast<std::size_t>(Bound::Right)], "21", Trigger::Enter);
    QCOMPARE(prompter_->notices(), QStringList{"Invalid value. Allowed range <1,20>"});
    konf_->reject();
  }

  void firmwareAndDisplayTypeInterlocks() {
    openWindow();
    pick(konf_->ComboBoxFW, 0);  // 1.6
    QCOMPARE(konf_->ComboBoxTyp->count(), 3);
    QCOMPARE(konf_->ComboBoxTyp->currentText(), QString("line+destination"));
    for (Command c : {Command::lA, Command::zC, Command::zD, Command::zN, Command::aL, Command::aSL, Command::aSZ,
                      Command::aSC, Command::aSD}) {
      QVERIFY2(!box(*konf_, c)->isEnabled(), qPrintable(box(*konf_, c)->objectName()));
      QVERIFY(!box(*konf_, c)->isChecked());
    }
    QVERIFY(box(*konf_, Command::l)->isChecked() && box(*konf_, Command::z)->isChecked());
    QVERIFY(!konf_->GroupBoxCislaC->isEnabled() && !konf_->GroupBoxCislaL->isEnabled());
    QVERIFY(!konf_->GroupBoxPole[2]->isEnabled());

    pick(konf_->ComboBoxFW, 1);  // 2.13
    QCOMPARE(konf_->ComboBoxTyp->count(), 5);
    pick(konf_->ComboBoxTyp, PanelType::DestinationStop);
    QVERIFY(box(*konf_, Command::zD)->isEnabled() && box(*konf_, Command::zD)->isChecked());
    QVERIFY(!box(*konf_, Command::zN)->isEnabled() && !box(*konf_, Command::zN)->isChecked());
    QVERIFY(!box(*konf_, Command::l)->isEnabled());
    QVERIFY(!konf_->GroupBoxPole[0]->isEnabled() && konf_->GroupBoxPole[2]->isEnabled());
    pick(konf_->ComboBoxFW, 2);  // 2.15
    QVERIFY(box(*konf_, Command::zN)->isEnabled() && box(*konf_, Command::zN)->isChecked());

    // Clearing zD selects the type the commands name.
    box(*konf_, Command::zD)->click();
    QCOMPARE(konf_->ComboBoxTyp->currentText(), QString("destination"));
    // The a box stays checked and grey.
    QCOMPARE(box(*konf_, Command::a)->checkState(), Qt::PartiallyChecked);
    box(*konf_, Command::a)->click();
    QCOMPARE(box(*konf_, Command::a)->checkState(), Qt::PartiallyChecked);
    // Line commands exclude each other; four-digit ones open the format strings.
    pick(konf_->ComboBoxTyp, PanelType::LineDestination);
    box(*konf_, Command::aL)->click();
    QVERIFY(!box(*konf_, Command::l)->isChecked());
    QVERIFY(konf_->RadioButtonL4->isChecked());
    QVERIFY(konf_->GroupBoxSTRINGY->isEnabled());
    konf_->RadioButtonL3->click();
    QVERIFY(box(*konf_, Command::l)->isChecked() && !box(*konf_, Command::aL)->isChecked());
    QVERIFY(!konf_->GroupBoxSTRINGY->isEnabled());
    konf_->reject();
  }

  void setIsOneCommandTheMainWindowFollowsAndUndoes() {
    const PanelDatabase before = db();
    QCOMPARE(window_->DrawGridP->width(), 112 * 4);
    openWindow();
    pick(konf_->ComboBoxPanel, PanelPosition::Front);
    QCOMPARE(konf_->EditDELKA->text(), QString("140"));
    typeValue(konf_->EditStyl[1][static_cast<std::size_t>(StyleValue::Font)], "2", Trigger::Enter);
    konf_->CheckBoxP[0]->click();
    QSignalSpy config(&session_->document(), &Document::configChanged);
    set();
    QVERIFY(!konf_->isVisible());
    QCOMPARE(config.count(), 1);
    const PanelDatabase after = db();
    QCOMPARE(after.config.position, PanelPosition::Front);
    QCOMPARE(after.config.panelType, PanelType::LineDestination);
    QCOMPARE(after.config.length, 140);
    QCOMPARE(after.config.height, 19);
    QCOMPARE(after.config.destinationField, (FieldRect{0, 18, 28, 139}));
    QCOMPARE(after.config.destinationStyle.font, 2);
    QCOMPARE(after.config.options, 0x09);
    QVERIFY(after.lines == before.lines && after.destinations == before.destinations && after.stops == before.stops);
    QCOMPARE(session_->undoAction().text(), QString("Undo Panel configuration"));
    QVERIFY(session_->document().isModified());
    // The main window follows at once: size, label, fields, choosers.
    QCOMPARE(window_->LabelP->text(), QString("FRONT PANEL  [2.15]"));
    QCOMPARE(window_->DrawGridP->width(), 140 * 4);
    QCOMPARE(window_->DrawGridP->height(), 19 * 4);
    QVERIFY(!window_->chooser(S).isEnabled());
    QVERIFY(window_->chooser(D).isEnabled());
    QCOMPARE(session_->renderer().view(D).right, 139);
    QCOMPARE(session_->document().choosers(), (ChooserState{true, true, false}));

    for (int round = 0; round < 2; ++round) {
      session_->undoAction().trigger();
      QVERIFY(db() == before);
      QVERIFY(!session_->document().isModified());
      QCOMPARE(window_->LabelP->text(), QString("SIDE PANEL  [2.15]"));
      QCOMPARE(window_->DrawGridP->width(), 112 * 4);
      QVERIFY(window_->chooser(S).isEnabled());
      QCOMPARE(window_->chooser(S).combo->currentText(), QString("0001"));
      // The window shows what the data base holds.
      QCOMPARE(konf_->ComboBoxPanel->currentText(), QString("side"));
      session_->redoAction().trigger();
      QVERIFY(db() == after);
      QCOMPARE(konf_->EditDELKA->text(), QString("140"));
    }
  }

  void setWithoutChangesLeavesNothingToUndo() {
    openWindow();
    set();
    QVERIFY(!konf_->isVisible());
    QCOMPARE(session_->document().undoStack().count(), 0);
  }

  void cancelEscapeAndClosingLeaveTheDataBase() {
    const PanelDatabase before = db();
    for (int way = 0; way < 3; ++way) {
      openWindow();
      pick(konf_->ComboBoxPanel, PanelPosition::Rear);
      konf_->CheckBoxP[4]->click();
      QCOMPARE(konf_->EditDELKA->text(), QString("28"));
      if (way == 0)
        QTest::mouseClick(konf_->ButtonSTORNO, Qt::LeftButton);
      else if (way == 1)
        QTest::keyClick(konf_, Qt::Key_Escape);
      else
        konf_->close();
      QVERIFY(!konf_->isVisible());
      QVERIFY(db() == before);
      QCOMPARE(session_->document().undoStack().count(), 0);
      // The controls show the data base again.
      QCOMPARE(konf_->EditDELKA->text(), QString("112"));
      QCOMPARE(konf_->ComboBoxPanel->currentText(), QString("side"));
      QVERIFY(!konf_->CheckBoxP[4]->isChecked());
    }
  }

  void cancellingWhileAFieldIsTypedChecksNothing() {
    for (bool escape : {true, false}) {
      openWindow();
      konf_->EditDELKA->setFocus();
      QTest::keyClicks(konf_->EditDELKA, "999");
      if (escape)
        QTest::keyClick(konf_->EditDELKA, Qt::Key_Escape);
      else
        QTest::mouseClick(konf_->ButtonSTORNO, Qt::LeftButton);
      QVERIFY(!konf_->isVisible());
      QCOMPARE(prompter_->notices(), QStringList());
      QCOMPARE(konf_->EditDELKA->text(), QString("112"));
    }
  }

  void threeToFourDigitDestinationsAndBack() {
    ChooserBox& c = window_->chooser(D);
    const TextList destinations = db().destinations;
    QCOMPARE(c.combo->currentText(), QString("001"));
    QCOMPARE(c.combo->itemText(c.combo->count() - 1), QString("XXX"));
    QCOMPARE(c.upDown->maximum(), 1000);

    openWindow();
    konf_->RadioButtonC4->click();
    QVERIFY(box(*konf_, Command::zC)->isChecked() && !box(*konf_, Command::z)->isChecked());
    set();
    QVERIFY(db().config.fourDigitDestinations());
    QVERIFY(db().destinations == destinations);
    QCOMPARE(c.combo->currentText(), QString("0001"));
    QCOMPARE(c.combo->itemText(c.combo->count() - 1), QString("XXXX"));
    QCOMPARE(c.upDown->maximum(), 10000);
    QCOMPARE(session_->renderer().view(D).number, 1);

    // A four-digit number now exists: three-digit numbers are refused.
    Document& document = session_->document();
    document.push(new PutEntryCommand(document, TextKind::Destination, "1234", "FAR\r", "Save destination 1234"));
    openWindow();
    QVERIFY(konf_->RadioButtonC4->isChecked());
    konf_->RadioButtonC3->click();
    QCOMPARE(prompter_->notices(), QStringList{"Data containing destination number greater than 999."});
    QVERIFY(konf_->RadioButtonC4->isChecked());
    box(*konf_, Command::z)->click();
    QVERIFY(!box(*konf_, Command::z)->isChecked());
    konf_->reject();
    session_->undoAction().trigger();  // the destination 1234 goes

    // Back to three digits; the starting destination shown stays shown.
    c.choose(10000);
    QCOMPARE(c.combo->currentText(), QString("XXXX"));
    openWindow();
    konf_->RadioButtonC3->click();
    set();
    QVERIFY(!db().config.fourDigitDestinations());
    QVERIFY(db().destinations == destinations);
    QCOMPARE(c.combo->currentText(), QString("XXX"));
    QCOMPARE(session_->state().currentDestination, 1000);
    QCOMPARE(c.upDown->maximum(), 1000);
    session_->undoAction().trigger();
    QCOMPARE(c.combo->currentText(), QString("XXXX"));
    QCOMPARE(session_->state().currentDestination, 10000);
    session_->undoAction().trigger();
    QCOMPARE(c.combo->currentText(), QString("XXX"));
    QVERIFY(!db().config.fourDigitDestinations());
  }

  void aConfigurationThatWouldLoseTextsIsRefused() {
    const PanelDatabase before = db();
    openWindow();
    // A rear panel shows lines only: its destinations would not be saved.
    pick(konf_->ComboBoxPanel, PanelPosition::Rear);
    set();
    QCOMPARE(prompter_->notices().size(), 1);
    QVERIFY(prompter_->notices().first().startsWith("The panel database holds destinations, but neither z nor zC"));
    QVERIFY(konf_->isVisible());
    QVERIFY(db() == before);
    // A height under the line field's bottom leaves the line field without dots.
    konf_->reject();
    openWindow();
    typeValue(konf_->EditVYSKA, "5", Trigger::Enter);
    set();
    QCOMPARE(prompter_->notices().last(),
             QString("Line field has no dots: its left bound lies right of its right bound or its bottom above its top."));
    QVERIFY(db() == before);
    konf_->reject();
  }

  void loadingSavingAndDeletingACodeTable() {
    QByteArray table(128, '\0');
    for (int i = 0; i < 128; ++i) table[i] = static_cast<char>(32 + i % 64);
    const QString kod = dir_->filePath("cz.kod");
    writeBytes(kod, table);
    openWindow();
    QVERIFY(!konf_->ButtonKODuloz->isEnabled());
    prompter_->file(kod);
    konf_->ButtonKOD->click();
    const FileDialogRequest& request = prompter_->asked().back().request;
    QCOMPARE(request.title, QString("Code table"));
    QCOMPARE(request.filters, (QStringList{"code table (*.kod)", "panel database (*.hex)"}));
    const QString name = QString::fromStdString(loadedTableName(kod.toStdString()));
    QCOMPARE(konf_->PanelKOD->text(), " " + name);
    QVERIFY(konf_->ButtonKODuloz->isEnabled() && konf_->MenuKODzrus->isEnabled());
    QVERIFY(!db().codeTable.present());  // not before SET

    // Save as: the extension is added; an existing file is replaced only on Yes.
    prompter_->file(dir_->filePath("copy"));
    konf_->ButtonKODuloz->click();
    QCOMPARE(prompter_->asked().back().request.mode, FileDialogRequest::Mode::Save);
    // The window asks its own question before it replaces a file.
    QVERIFY(!prompter_->asked().back().request.confirmOverwrite);
    QCOMPARE(readBytes(dir_->filePath("copy.kod")), table);
    writeBytes(dir_->filePath("copy.kod"), "old");
    prompter_->file(dir_->filePath("copy.kod")).no();
    konf_->MenuKODuloz->trigger();
    QCOMPARE(prompter_->lastText(), "File " + dir_->filePath("copy.kod") + " exists. \nOverwrite it?");
    QCOMPARE(readBytes(dir_->filePath("copy.kod")), QByteArray("old"));
    prompter_->file(dir_->filePath("copy.kod")).yes();
    konf_->MenuKODuloz->trigger();
    QCOMPARE(readBytes(dir_->filePath("copy.kod")), table);

    // A file of the wrong size keeps the table loaded before.
    const QString bad = dir_->filePath("bad.kod");
    writeBytes(bad, QByteArray(129, 'x'));
    prompter_->file(bad);
    konf_->ButtonKOD->click();
    QCOMPARE(prompter_->notices(), QStringList{"Code table size error"});
    QCOMPARE(konf_->PanelKOD->text(), " " + name);
    // A cancelled dialog keeps it too.
    prompter_->file(QString());
    konf_->ButtonKOD->click();
    QCOMPARE(konf_->PanelKOD->text(), " " + name);

    set();
    QCOMPARE(QString::fromStdString(db().codeTable.name), name);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(db().codeTable.table.data()), 128), table);

    // Delete: the data base has no code table after SET.
    openWindow();
    QCOMPARE(konf_->PanelKOD->text(), " " + name);
    konf_->MenuKODzrus->trigger();
    QCOMPARE(konf_->PanelKOD->text(), QString(" "));
    QVERIFY(!konf_->ButtonKODuloz->isEnabled());
    set();
    QVERIFY(!db().codeTable.present());
    session_->undoAction().trigger();
    QCOMPARE(QString::fromStdString(db().codeTable.name), name);

    // "self" from the data base's keys.
    openWindow();
    konf_->ButtonKODvlastni->click();
    QCOMPARE(konf_->PanelKOD->text(), QString(" KOD: Dorvak - 0.12"));
    konf_->reject();
  }

  void loadingSavingAndClearingFormatStrings() {
    const QString al = dir_->filePath("lines.aL");
    writeBytes(al, QByteArray("3\x03" "abc" "7\x01" "Z", 8));
    openWindow();
    QVERIFY(!konf_->GroupBoxSTRINGY->isEnabled());
    box(*konf_, Command::lA)->click();
    QVERIFY(konf_->GroupBoxSTRINGY->isEnabled());
    prompter_->file(al);
    konf_->ButtonSTR->click();
    QCOMPARE(prompter_->asked().back().request.filters, (QStringList{"format strings (*.aL)", "panel database (*.hex)"}));
    const QString name = QString::fromStdString(loadedTableName(al.toStdString()));
    QCOMPARE(konf_->PanelSTRINGY->text(), " " + name);
    QVERIFY(konf_->ButtonSTRuloz->isEnabled());

    prompter_->file(dir_->filePath("saved"));
    konf_->MenuSTRuloz->trigger();
    QCOMPARE(readBytes(dir_->filePath("saved.aL")), QByteArray("3\x03" "abc" "7\x01" "Z", 8));

    // A bad record: the message, and the strings loaded before stay.
    const QString bad = dir_->filePath("bad.aL");
    writeBytes(bad, QByteArray("1\x01" "xQ", 4));
    prompter_->file(bad);
    konf_->ButtonSTR->click();
    QCOMPARE(prompter_->notices(), QStringList{"Error in format strings"});
    QCOMPARE(konf_->PanelSTRINGY->text(), " " + name);

    set();
    QCOMPARE(db().formatStrings.strings[3], std::string("abc"));
    QCOMPARE(db().formatStrings.strings[7], std::string("Z"));
    QCOMPARE(QString::fromStdString(db().formatStrings.name), name);
    QVERIFY(db().config.commands.lA && !db().config.commands.l);

    openWindow();
    konf_->ButtonSTRcl->click();
    QCOMPARE(konf_->PanelSTRINGY->text(), QString(" "));
    QVERIFY(!konf_->ButtonSTRuloz->isEnabled());
    set();
    QVERIFY(!db().formatStrings.present());
  }

  void newOpensTheConfigurationOnceThereAreFonts() {
    session_->document().undoStack().setClean();
    // The font editor comes first; the demo's fonts stay.
    prompter_->window("TFormEdFONT");
    window_->files().MenuNovyClick();
    QVERIFY(konf_->isVisible());
    QCOMPARE(konf_->windowModality(), Qt::ApplicationModal);
    QCOMPARE(konf_->EditDELKA->text(), QString("112"));
    // The new data base's choosers come on with SET.
    QVERIFY(!window_->chooser(D).isEnabled());
    set();
    QVERIFY(window_->chooser(D).isEnabled());
    QCOMPARE(session_->document().choosers(), (ChooserState{true, true, false}));
  }
};

std::unique_ptr<QObject> makeConfigurationSuite() { return std::make_unique<TestConfiguration>(); }

}  // namespace dorvak::test

#include "test_configuration.moc"
