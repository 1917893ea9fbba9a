// The destination editor driven through its controls, its questions
// answered by the scripted prompter: composing one and two rows with every
// TEXT page command, the MNEMO page, save, new and delete with undo, the
// number rules of three- and four-digit mode, Read and Add with each answer
// of the five-button question, ekvivalents through a BBD file, and TEST.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "app/chooser_box.h"
#include "app/config_commands.h"
#include "app/ekvivalent_actions.h"
#include "app/file_actions.h"
#include "app/session.h"
#include "app/tformedcil.h"
#include "app/tformmain.h"
#include "app/tformpanel.h"
#include "app/qt_text.h"
#include "app/updown.h"
#include "config/cp1250.h"
#include "text/stored_text.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "scripted_prompter.h"
#include "test_session.h"

namespace dorvak::test {

namespace {

constexpr auto D = FieldId::Destination;

}  // namespace

class TestDestinationEditor : public QObject {
  Q_OBJECT

  std::unique_ptr<TestSession> test_;
  const QTemporaryDir* dir_ = nullptr;
  Session* session_ = nullptr;
  ScriptedPrompter* prompter_ = nullptr;
  TFormEdCIL* editor_ = nullptr;

  const PanelDatabase& db() const { return session_->database(); }
  QUndoStack& undo() { return session_->document().undoStack(); }
  std::string entry(const std::string& key) const {
    auto index = db().destinations.findEntry(key);
    return index ? std::string(entryText(db().destinations[*index])) : std::string("none");
  }
  void show(const QString& number) {
    typeText(editor_->EditN, number);
    QTest::mouseClick(editor_->ButtonZOBRAZ, Qt::LeftButton);
  }
  void save() { QTest::mouseClick(editor_->ButtonULOZ, Qt::LeftButton); }
  // The data base before an action, after it, and both again through Undo
  // and Redo.
  void checkUndoRedo(const std::function<void()>& action, const QString& undoText) {
    const PanelDatabase before = db();
    action();
    const PanelDatabase after = db();
    QVERIFY(!(after == before));
    QCOMPARE(session_->undoAction().text(), undoText);  // as the Edit menu names it
    for (int round = 0; round < 2; ++round) {
      undo().undo();
      QVERIFY(db() == before);
      undo().redo();
      QVERIFY(db() == after);
    }
  }
  void setMode(std::uint8_t mode) {
    ProgramOptions options = session_->options();
    options.ekvivalentMode = mode;
    session_->optionsModel().set(options);
  }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>();
    dir_ = &test_->dir();
    session_ = &test_->session();
    prompter_ = &test_->prompter();
    session_->main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&session_->main()));
    editor_ = &session_->destinationEditor();
    QVERIFY(!session_->main().MenuEdCIL->isEnabled());
    QVERIFY(session_->main().openFile(demoCopy(*dir_).toStdString()));
    QVERIFY(session_->main().MenuEdCIL->isEnabled());
    QVERIFY(session_->main().chooser(D).edit->isEnabled());
    session_->main().MenuEdCIL->trigger();
    QVERIFY(editor_->isVisible());
    editor_->FormActivate();
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void opensOnTheMainWindowsDestination() {
    QCOMPARE(editor_->windowTitle(), QString("Destination editor"));
    QCOMPARE(editor_->EditN->text(), QString("001"));
    QCOMPARE(editor_->Edit[0]->text(), QString::fromUtf8("Nádraží"));
    QCOMPARE(editor_->PageControl1->currentWidget(), editor_->TabSheet1);
    QVERIFY(session_->renderer().view(D).staticPreview);
    QVERIFY2(!editor_->MenuEkvivalenty->isEnabled(), "no ekvivalent mode");
    QVERIFY(!editor_->EditEKVI->isVisible());
    QVERIFY2(editor_->SpeedButtonW->isVisible(), "firmware 2.15");
    // Picking another destination in the main window loads it.
    QTest::mouseClick(session_->main().chooser(D).upDown->upButton(), Qt::LeftButton);
    QCOMPARE(editor_->EditN->text(), QString("002"));
    // The editor's arrows step through the list and the main window follows.
    QTest::mouseClick(editor_->UpDownN->upButton(), Qt::LeftButton);
    QCOMPARE(editor_->EditN->text(), QString("003"));
    QCOMPARE(session_->main().chooser(D).combo->currentText(), QString("003"));
    // A number without an entry: the main window says so, the editor keeps it.
    show("7");
    QCOMPARE(editor_->EditN->text(), QString("7"));
    QCOMPARE(editor_->Edit[0]->text(), QString());
    QVERIFY(session_->main().PanelHlasC->isVisible());
    QCOMPARE(session_->main().PanelHlasC->text(), QString("Destination 007 don't exist"));
    QVERIFY(!editor_->MenuVymazatJeden->isEnabled());
    show("22");
    QVERIFY(!session_->main().PanelHlasC->isVisible());
    QCOMPARE(editor_->PageControl1->currentWidget(), editor_->TabSheet2);  // four rows open on the MNEMO page
    QVERIFY(editor_->MenuVymazatJeden->isEnabled());
  }

  void everyTextPageCommandComposesItsBytes() {
    // The editor's draft composes; the test's own draft, given the same
    // commands, says which bytes each control must give.
    TextDraft expected(db(), destinationDraftRules());
    expected.setBlockSide(BlockSide::Left);
    QTest::mouseClick(editor_->ButtonNOVY, Qt::LeftButton);
    QCOMPARE(editor_->draft().storedText(), std::string("\r"));
    typeText(editor_->Edit[0], "AB CD");
    expected.setRowText(0, "AB CD");
    QCOMPARE(editor_->draft().storedText(), expected.storedText());
    QCOMPARE(session_->renderer().view(D).text, expected.storedText());  // previewed in the field

    using Step = std::pair<std::function<void()>, std::function<void()>>;
    auto click = [](QAbstractButton* b) { return [b] { QTest::mouseClick(b, Qt::LeftButton); }; };
    const auto& row1 = editor_->Row[0];
    const auto& row2 = editor_->Row[1];
    const std::vector<Step> steps = {
        {[&] { editor_->Row[0].SpinEditF->setValue(1); }, [&] { expected.setFont(0, 1); }},
        {click(row1.SpeedButtonMP), [&] { expected.changeSpacing(0, 1); }},
        {click(row1.SpeedButtonMM), [&] { expected.changeSpacing(0, -1); }},
        {click(row1.SpeedButtonPP), [&] { expected.changeShift(0, 1); }},
        {click(row1.SpeedButtonPM), [&] { expected.changeShift(0, -1); }},
        {click(row1.SpeedButtonLD), [&] { expected.toEdge(0, false); }},
        {click(row1.SpeedButtonP), [&] { expected.stepColumn(0, 1); }},
        {click(row1.SpeedButtonPD), [&] { expected.toEdge(0, true); }},
        {click(row1.SpeedButtonL), [&] { expected.stepColumn(0, -1); }},
        {click(row1.SpeedButtonC), [&] { expected.centre(0); }},
        {click(row1.SpeedButtonINV), [&] { expected.setInverted(0, true); }},
        {click(editor_->SpeedButtonW), [&] { expected.setWide(true); }},
        {click(editor_->SpeedButtonBLOK), [&] { expected.setBlock(true); }},
        {click(editor_->CheckBoxAF), [&] { expected.setAutoformat(true); }},
        // Two rows: the selected part of row 1 becomes row 2.
        {[&] {
           editor_->Edit[0]->setFocus();
           editor_->Edit[0]->setSelection(3, 2);
           QTest::mouseClick(editor_->RadioButton2, Qt::LeftButton);
         },
         [&] { expected.setTwoRows(3, 2); }},
        {[&] { QTest::keyClicks(editor_->Edit[1], "|EF"); },
         [&] {
           // Key by key: the row being edited follows the keys.
           for (const char* typed : {"CD|", "CD|E", "CD|EF"}) expected.setRowText(1, typed);
         }},
        {click(row2.SpeedButtonMP), [&] { expected.changeSpacing(1, 1); }},
        {click(row2.SpeedButtonPD), [&] { expected.toEdge(1, true); }},
        {click(row2.SpeedButtonINV), [&] { expected.setInverted(1, true); }},
        {click(editor_->SpeedButtonZAMEN), [&] { expected.setSwapped(true); }},
        {click(editor_->SpeedButtonBLOK), [&] { expected.setBlock(false); }},
        {click(editor_->RadioButton1), [&] { expected.setOneRow(); }},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
      steps[i].first();
      steps[i].second();
      QVERIFY2(editor_->draft().storedText() == expected.storedText(), qPrintable(QString("step %1").arg(i)));
    }
    QCOMPARE(editor_->Edit[0]->text(), QString("AB CD|EF"));
    QCOMPARE(editor_->Edit[0]->selectedText(), QString("CD|EF"));  // selected so that 2 moves it back
    QVERIFY(!editor_->Edit[1]->isVisible());
    QVERIFY(!editor_->SpeedButtonZAMEN->isVisible());

    // An empty row refuses inversion; W and BLOK exclude each other.
    typeText(editor_->Edit[0], "");
    QTest::mouseClick(row1.SpeedButtonINV, Qt::LeftButton);
    QVERIFY(!row1.SpeedButtonINV->isChecked());
    QTest::mouseClick(editor_->SpeedButtonBLOK, Qt::LeftButton);
    QVERIFY(!editor_->SpeedButtonW->isEnabled());

    // Saved as composed.
    typeText(editor_->Edit[0], "AB");
    typeText(editor_->EditN, "77");
    checkUndoRedo([&] { save(); }, "Undo Save destination 077");
    QCOMPARE(entry("0077"), editor_->draft().storedText());
    QCOMPARE(editor_->EditN->text(), QString("077"));
    QVERIFY(!editor_->modified());
    QCOMPARE(session_->main().chooser(D).combo->currentText(), QString("077"));
  }

  void theMnemoPageEditsTheNotation() {
    QTest::mouseClick(editor_->ButtonNOVY, Qt::LeftButton);
    editor_->PageControl1->setCurrentWidget(editor_->TabSheet2);
    QTableWidget* grid = editor_->StringGrid1;
    grid->setCurrentCell(0, 1);
    grid->editItem(grid->item(0, 1));
    auto* cell = grid->findChild<QLineEdit*>();
    QVERIFY(cell);
    QTest::keyClicks(cell, "f1 'AB' LF");
    QTest::keyClick(cell, Qt::Key_Return);
    QCOMPARE(grid->rowCount(), 2);  // Return takes the row and opens one below
    QCOMPARE(grid->currentRow(), 1);
    grid->item(1, 1)->setText("f0 y10 'C' m2 CR");
    QCOMPARE(editor_->draft().storedText(), std::string("\xE1" "AB\n\xE0\xCA" "C\xB2\r"));
    QCOMPARE(editor_->Edit[1]->text(), QString("C"));
    QCOMPARE(session_->renderer().view(D).text, editor_->draft().storedText());
    // Ctrl+Insert and Ctrl+Delete add and remove rows.
    grid->setCurrentCell(0, 1);
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(grid->rowCount(), 3);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(grid->rowCount(), 2);
    typeText(editor_->EditN, "60");
    save();

    // Format after the characters opens on the MNEMO page; a single row whose
    // tokens all stand before its characters on the TEXT page.
    show("60");
    QCOMPARE(editor_->PageControl1->currentWidget(), editor_->TabSheet2);
    grid->item(1, 1)->setText("");
    grid->item(0, 1)->setText("f1 m1 y3 'AB' CR");
    QCOMPARE(editor_->Edit[1]->text(), QString());
    QVERIFY2(!editor_->Edit[1]->isVisible(), "one row: the one-row layout");
    prompter_->yes();
    save();
    show("60");
    QCOMPARE(editor_->PageControl1->currentWidget(), editor_->TabSheet1);
    QCOMPARE(editor_->Row[0].SpinEditF->value(), 1);
    QCOMPARE(entry("0060"), std::string("\xE1\xB1\xC3" "AB\r"));
  }

  void savingOverAnEntryAsksAndNoChangesNothing() {
    typeText(editor_->Edit[0], "Depo");
    const PanelDatabase before = db();
    prompter_->no();
    save();
    QCOMPARE(prompter_->lastText(), QString("Destination 001 already exists! \nOverwrite it?"));
    QVERIFY(db() == before);
    QVERIFY(editor_->modified());
    prompter_->yes();
    save();
    QCOMPARE(editor_->Edit[0]->text(), QString("Depo"));
    QVERIFY(entry("0001") != std::string(entryText(before.destinations[0])));

    // With "Changes save automatical" SAVE replaces the entry without a question.
    ProgramOptions options = session_->options();
    options.changesSaveAutomatically = true;
    session_->optionsModel().set(options);
    const std::size_t asked = prompter_->asked().size();
    typeText(editor_->Edit[0], "Depot");
    checkUndoRedo([&] { save(); }, "Undo Save destination 001");
    QCOMPARE(prompter_->asked().size(), asked);
  }

  void newAndDeleteOneAndAllAreUndone() {
    QTest::mouseClick(editor_->ButtonNOVY, Qt::LeftButton);
    QCOMPARE(editor_->EditN->text(), QString());
    QCOMPARE(editor_->Edit[0]->text(), QString());
    QVERIFY(editor_->CheckBoxAF->isChecked());
    QVERIFY(!editor_->modified());

    show("2");
    prompter_->ok();
    checkUndoRedo([&] { editor_->MenuVymazatJeden->trigger(); }, "Undo Delete destination 002");
    QCOMPARE(prompter_->asked().back().text, QString("Really delete destination 002 ?"));
    QCOMPARE(editor_->EditN->text(), QString("003"));  // the entry now at the same place
    prompter_->cancel();
    editor_->PopMenuVymaz->trigger();
    QCOMPARE(prompter_->asked().back().text, QString("Really delete destination 003 ?"));
    QCOMPARE(db().destinations.count(), std::size_t{7});  // Cancel deletes nothing

    prompter_->yes();
    checkUndoRedo([&] { editor_->MenuVymazatVsechny->trigger(); }, "Undo Delete all destinations");
    QVERIFY(db().destinations.empty());
    QCOMPARE(editor_->EditN->text(), QString());
    QVERIFY(!editor_->MenuVymazatVsechny->isEnabled());
    QVERIFY(!editor_->MenuPridej->isEnabled());
    // Undone, the editor follows the main window to its entry again.
    undo().undo();
    QCOMPARE(db().destinations.count(), std::size_t{7});
    QVERIFY(editor_->MenuVymazatVsechny->isEnabled());
  }

  void numbersInThreeAndFourDigitMode() {
    typeText(editor_->EditN, "1234");
    QCOMPARE(editor_->EditN->text(), QString("123"));  // three digits
    typeText(editor_->EditN, "x1");
    QCOMPARE(editor_->EditN->text(), QString("X"));  // no digits after X
    typeText(editor_->Edit[0], "Start");
    prompter_->yes();
    save();
    QCOMPARE(editor_->EditN->text(), QString("XXX"));
    QCOMPARE(entry("XXXX").substr(entry("XXXX").size() - 6), std::string("Start\r"));
    QCOMPARE(session_->main().chooser(D).combo->currentText(), QString("XXX"));

    Document& document = session_->document();
    Configuration four = Configuration::of(document);
    four.config.commands.zC = 1;
    document.push(new SetConfigurationCommand(document, four, "Configuration"));
    typeText(editor_->EditN, "1234");
    QCOMPARE(editor_->EditN->text(), QString("1234"));
    typeText(editor_->Edit[0], "Far");
    save();
    QVERIFY(entry("1234") != "none");
    QCOMPARE(editor_->EditN->text(), QString("1234"));
    show("XXXX");
    QCOMPARE(editor_->Edit[0]->text(), QString("Start"));
    QCOMPARE(editor_->UpDownN->position(), 10000);
    show("22");
    QCOMPARE(editor_->EditN->text(), QString("0022"));
  }

  void readAndAddWithEachAnswer_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("row1");  // destination 001 afterwards
    QTest::addColumn<QString>("row2");  // destination 002 afterwards
    QTest::addColumn<bool>("added");    // 077 read
    QTest::newRow("overwrite") << int(PromptAnswer::Overwrite) << "ONE" << "TWO" << true;
    QTest::newRow("skip") << int(PromptAnswer::Skip) << "Nádraží" << "TWO" << true;
    QTest::newRow("storno") << int(PromptAnswer::Storno) << "Nádraží" << "Náměstí Míru" << true;
    QTest::newRow("overwrite all") << int(PromptAnswer::OverwriteAll) << "ONE" << "TWO" << true;
    QTest::newRow("skip all") << int(PromptAnswer::SkipAll) << "Nádraží" << "Náměstí Míru" << true;
  }

  void readAndAddWithEachAnswer() {
    QFETCH(int, answer);
    QFETCH(QString, row1);
    QFETCH(QString, row2);
    QFETCH(bool, added);
    const QString file = dir_->filePath("more.txt");
    writeBytes(file, "0077\tSEVENTY\r\n0001\tONE\r\n0002\tTWO\r\n");
    const auto first = static_cast<PromptAnswer>(answer);
    prompter_->file(file, 1).five(first);
    // Overwrite and Skip ask again for 002; the others answered for all or ended the read.
    if (first == PromptAnswer::Overwrite || first == PromptAnswer::Skip) prompter_->five(PromptAnswer::Overwrite);
    checkUndoRedo([&] { editor_->MenuPridej->trigger(); }, "Undo Add destinations");
    const FileDialogRequest& dialog = prompter_->asked().front().request;
    QCOMPARE(dialog.title, QString("Add"));
    QCOMPARE(dialog.filters, (QStringList{"file of destinations (*.cil)", "text file (*.txt)", "text file (*.cl)",
                                          "panel database (*.hex)", "KT500 database (*.bbd *.bbf)"}));
    QCOMPARE(prompter_->asked()[1].text, QString("Destination 001 already exists! \nOverwrite it?"));
    QCOMPARE(session_->state().readCancelled, first == PromptAnswer::Storno);
    auto rowOf = [&](const std::string& key) {
      return qs(cp1250ToUtf8(plainText(entry(key), db().keyTable)));
    };
    QCOMPARE(rowOf("0001"), row1);
    QCOMPARE(rowOf("0002"), row2);
    QCOMPARE(entry("0077") != "none", added);
    QVERIFY(!session_->progress().running());
  }

  void readReplacesTheListAndAsksAboutWrongNumbers() {
    const QString file = dir_->filePath("list.txt");
    writeBytes(file, "0005\tFIVE\r\n1000\tTOO BIG\r\n0006\tSIX\r\n0005\tAGAIN\r\n");
    prompter_->file(file, 1).yes().five(PromptAnswer::Skip);
    checkUndoRedo([&] { editor_->MenuNacti->trigger(); }, "Undo Read destinations");
    QCOMPARE(prompter_->asked()[1].text, QString("Wrong or too large number!\n[2]\nContinue?"));
    QCOMPARE(prompter_->asked()[2].text, QString("Destination 005 already exists! \nOverwrite it?"));
    QCOMPARE(db().destinations.count(), std::size_t{2});
    QCOMPARE(editor_->EditN->text(), QString("005"));  // the first entry is shown
    QCOMPARE(editor_->Edit[0]->text(), QString("FIVE"));
    QVERIFY2(editor_->CheckBoxAF->isChecked(), "rows of text files are formatted");

    // Save as a packed file and read it back.
    const QString packed = dir_->filePath("list");
    prompter_->file(packed, 0);
    editor_->MenuUlozJako->trigger();
    QCOMPARE(prompter_->asked().back().request.title, QString("Save As"));
    QVERIFY(QFile::exists(packed + ".cil"));
    const TextList saved = db().destinations;
    prompter_->file(packed + ".cil", 0);
    editor_->MenuNacti->trigger();
    QVERIFY(db().destinations == saved);
    QVERIFY2(!editor_->CheckBoxAF->isChecked(), "packed texts keep their format");
  }

  void anEkvivalentTypedSavedWrittenAndReadBack() {
    setMode(EkvivalentMode::Kt500);
    QVERIFY(editor_->EditEKVI->isVisible());
    QCOMPARE(editor_->EditEKVI->width(), 90);
    QVERIFY(editor_->MenuEkvivalenty->isEnabled());
    QCOMPARE(editor_->MenuNactiEKVI->text(), QString("&Read from BBD/BBF ..."));
    QCOMPARE(editor_->EditEKVI->text(), QString::fromUtf8("Nádraží"));
    QVERIFY(editor_->SpeedButtonEKVI->isChecked());
    typeText(editor_->EditEKVI, "HLAVNI NADR.");
    QVERIFY(!editor_->SpeedButtonEKVI->isChecked());
    QTest::keyClicks(editor_->EditEKVI, "X");
    QCOMPARE(editor_->EditEKVI->text(), QString("HLAVNI NADR."));  // 12 characters for KT500
    prompter_->yes();
    save();
    const std::string text = entry("0001");
    QCOMPARE(text.substr(text.find('\r')), std::string("\rHLAVNI NADR."));
    QVERIFY(session_->state().ekvivalentsChanged);

    const QString unit = dir_->filePath("unit");
    prompter_->file(unit, 0);
    QVERIFY(session_->ekvivalents().alphabetical());
    editor_->MenuCISLA->trigger();
    editor_->MenuZapisEKVI->trigger();
    QCOMPARE(prompter_->asked().back().request.title, QString("Write ekvivalets into BBD/BBF"));
    QVERIFY(!prompter_->asked().back().request.confirmOverwrite);
    QVERIFY(QFile::exists(unit + ".bbd"));
    QVERIFY2(!session_->state().ekvivalentsChanged, "written");

    // Saved in the data base and opened again, the ekvivalent is still there.
    QVERIFY(session_->main().files().MenuUlozClick());
    QVERIFY(session_->main().openFile(session_->document().fileName()));
    QCOMPARE(entry("0001"), text);

    // Back to the derived one, then read from the unit file again.
    session_->main().MenuEdCIL->trigger();
    editor_->FormActivate();
    QCOMPARE(editor_->EditEKVI->text(), QString("HLAVNI NADR."));
    QVERIFY(!editor_->SpeedButtonEKVI->isChecked());
    QTest::mouseClick(editor_->SpeedButtonEKVI, Qt::LeftButton);
    QCOMPARE(editor_->EditEKVI->text(), QString::fromUtf8("Nádraží"));
    prompter_->yes();
    save();
    QCOMPARE(entry("0001").back(), '\r');
    prompter_->file(unit + ".bbd");
    checkUndoRedo([&] { editor_->MenuNactiEKVI->trigger(); }, "Undo Read ekvivalents");
    QCOMPARE(entry("0001"), text);
    QVERIFY2(editor_->MenuCISLA->isChecked(), "the file was written by number");
    QCOMPARE(editor_->EditEKVI->text(), QString("HLAVNI NADR."));

    // A BBF is written only into one that exists.
    prompter_->file(dir_->filePath("none"), 1);
    editor_->MenuZapisEKVI->trigger();
    QCOMPARE(prompter_->lastText(),
             "File " + dir_->filePath("none.bbf") + " must exist and must contain configuration part of BBF !");
  }

  void changedEkvivalentsAreOfferedBeforeTheDataBase() {
    setMode(EkvivalentMode::Kt500);
    typeText(editor_->EditEKVI, "DEPOT");
    prompter_->yes();
    save();
    QVERIFY(session_->state().ekvivalentsChanged);
    prompter_->cancel();
    session_->main().files().MenuZavriClick();
    QVERIFY2(session_->document().isOpen(), "Cancel keeps the data base open");
    // Yes writes the ekvivalents; a cancelled dialog keeps everything too.
    prompter_->yes().file(QString());
    session_->main().files().MenuZavriClick();
    QVERIFY(session_->document().isOpen());
    prompter_->no();
    session_->main().files().MenuZavriClick();
    QVERIFY(!session_->document().isOpen());
  }

  void aHiddenEkvivalentFieldKeepsTheEkvivalent() {
    setMode(EkvivalentMode::Kt500);
    typeText(editor_->EditEKVI, "DEPOT");
    prompter_->yes();
    save();
    setMode(EkvivalentMode::None);
    typeText(editor_->Edit[0], "Station");
    prompter_->yes();
    save();
    const std::string text = entry("0001");
    QCOMPARE(text.substr(text.size() - 13), std::string("Station\rDEPOT"));
  }

  void kt700EkvivalentsFitTheDisplay() {
    setMode(EkvivalentMode::Kt700);
    QCOMPARE(editor_->EditEKVI->width(), 180);
    QCOMPARE(editor_->MenuZapisEKVI->text(), QString("&Write into BBD ..."));
    QVERIFY(!editor_->MenuABECEDA->isVisible());
    typeText(editor_->EditEKVI, QString(40, 'W'));
    const int length = editor_->EditEKVI->text().size();
    QVERIFY(length > 5 && length < 30);
    setMode(EkvivalentMode::None);
    QVERIFY(!editor_->EditEKVI->isVisible());
    QVERIFY(!editor_->MenuEkvivalenty->isEnabled());
  }

  void testRunsAThreeRowTextAndStopStillsIt() {
    show("22");
    QVERIFY(editor_->ButtonUKAZKA->isVisible());
    TFormPANEL& panel = session_->panel();
    FieldView& view = session_->renderer().view(D);
    QTest::mouseClick(editor_->ButtonUKAZKA, Qt::LeftButton);
    QCOMPARE(editor_->ButtonUKAZKA->text(), QString("STOP"));
    QVERIFY(!view.staticPreview);
    QVERIFY(!editor_->ButtonULOZ->isEnabled() && !editor_->EditN->isEnabled() && !editor_->PageControl1->isEnabled());
    const std::int32_t firstPage = view.textPos;
    for (int tick = 0; tick <= view.delay; ++tick) panel.tick();
    QVERIFY2(view.textPos != firstPage, "the next page");
    QTest::mouseClick(editor_->ButtonUKAZKA, Qt::LeftButton);
    QCOMPARE(editor_->ButtonUKAZKA->text(), QString("TEST"));
    QVERIFY(view.staticPreview);
    QVERIFY(editor_->ButtonULOZ->isEnabled());
    // Leaving the editor lets the field run.
    editor_->FormDeactivate();
    QVERIFY(!view.staticPreview);
  }

  void theMainWindowPlaysTheChosenEntryAgainWhenActivated() {
    // The events the window system sends when the user goes from one window
    // to the other.
    auto activate = [](QWidget* from, QWidget* to) {
      QEvent leave(QEvent::WindowDeactivate), enter(QEvent::WindowActivate);
      QApplication::sendEvent(from, &leave);
      QApplication::sendEvent(to, &enter);
    };
    typeText(editor_->Edit[0], "Preview");
    QCOMPARE(session_->renderer().view(D).text, editor_->draft().storedText());
    TFormMAIN& main = session_->main();
    activate(editor_, &main);
    QVERIFY(!session_->renderer().view(D).staticPreview);
    QCOMPARE(session_->renderer().view(D).text, entry("0001"));
    QVERIFY(editor_->modified());
    // Back in the editor, its unsaved text is previewed again.
    activate(&main, editor_);
    QVERIFY(session_->renderer().view(D).staticPreview);
    QCOMPARE(session_->renderer().view(D).text, editor_->draft().storedText());
    QCOMPARE(editor_->Edit[0]->text(), QString("Preview"));
  }

  void escapeAndCloseHideTheEditor() {
    QTest::keyClick(editor_, Qt::Key_Escape);
    QVERIFY(!editor_->isVisible());
    session_->main().chooser(D).edit->trigger();
    QVERIFY(editor_->isVisible());
    editor_->MenuZavrit->trigger();
    QVERIFY(!editor_->isVisible());
    // Opening a data base closes the editor.
    session_->main().MenuEdCIL->trigger();
    QVERIFY(session_->main().openFile(demoCopy(*dir_, "other.hex").toStdString()));
    QVERIFY(!editor_->isVisible());
  }
};

std::unique_ptr<QObject> makeDestinationEditorSuite() { return std::make_unique<TestDestinationEditor>(); }

}  // namespace dorvak::test

#include "test_destination_editor.moc"
