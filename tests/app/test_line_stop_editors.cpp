// The line editor and the stop editor driven through their controls, their
// questions answered by the scripted prompter. What the two have in common
// is one suite run for each (opening, composing and saving, delete one and
// all, TEST, Read, Add and Save as of every file kind with each answer of
// the five-button question and the wrong-number question); each adds what is
// its own: the line's numbers and block sides, the stop's numbers, block,
// further rows and KT500 ekvivalent.

#include <QAction>
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

#include "../interchange/unit_bytes.h"
#include "app/chooser_box.h"
#include "app/config_commands.h"
#include "app/file_actions.h"
#include "app/list_commands.h"
#include "app/qt_text.h"
#include "app/tformedlinka.h"
#include "app/tformedzast.h"
#include "app/updown.h"
#include "config/cp1250.h"
#include "core/hex_writer.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "test_session.h"

namespace dorvak::test {

namespace {

constexpr int kRead = -1;  // the answer column of a Read: nothing is asked

// A kind of file an editor reads: the filter chosen for Read and Add, the
// one Save as writes it with (-1: the test writes it), and a first line that
// the read asks "Wrong or too large number!" about (text files only).
struct FileKind {
  const char* extension;
  int readIndex;
  int saveIndex;
  QByteArray wrongNumberLine;
};

// What one editor shows and asks, as its users see it.
struct EditorFacts {
  FieldId field;
  QAction* TFormMAIN::*menu;  // Tools > ... editor
  QString title, menuCaption, newCaption;
  QStringList objectNames;  // the list's menu and its delete commands
  QString firstShown, secondShown;  // the first two entries of the demo, as Number shows them
  QString firstExists;              // the duplicate question for the first entry
  QString deleteFirst, undoDeleteFirst, undoDeleteAll;
  QStringList readFilters, saveFilters;
  std::vector<FileKind> files;
  QString undoRead, undoAdd;
  QString shown77, undoSave77, exists77;  // a new entry, number 77
  // A packed file whose second record's number is broken, and the message.
  QByteArray packedWithBadNumber;
  QString packedMessage;
};

}  // namespace

class ListEditorSuite : public QObject {
  Q_OBJECT
 public:
  explicit ListEditorSuite(EditorFacts facts) : facts_(std::move(facts)) {}

 protected:
  Session& session() { return test_->session(); }
  ScriptedPrompter& prompter() { return test_->prompter(); }
  const PanelDatabase& db() { return session().database(); }
  TextKind kind() const { return textKindOf(facts_.field); }
  const TextList& list() { return db().list(kind()); }
  std::string key(std::size_t index) { return std::string(entryKey(list()[index])); }
  std::string entry(const std::string& key) {
    auto index = list().findEntry(key);
    return index ? std::string(entryText(list()[*index])) : std::string("none");
  }
  // The rows of an entry as plain text.
  QString rowsOf(const std::string& key) { return qs(cp1250ToUtf8(plainText(entry(key), db().keyTable))); }
  void show(const QString& number) {
    typeText(editor_->EditN, number);
    QTest::mouseClick(editor_->ButtonZOBRAZ, Qt::LeftButton);
  }
  void save() { QTest::mouseClick(editor_->ButtonULOZ, Qt::LeftButton); }
  void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // The data base before an action, after it, and both again through Undo
  // and Redo, the Edit menu naming the change.
  void checkUndoRedo(const std::function<void()>& action, const QString& undoText) {
    const PanelDatabase before = db();
    action();
    const PanelDatabase after = db();
    QVERIFY(!(after == before));
    QCOMPARE(session().undoAction().text(), undoText);
    for (int round = 0; round < 2; ++round) {
      session().document().undoStack().undo();
      QVERIFY(db() == before);
      session().document().undoStack().redo();
      QVERIFY(db() == after);
    }
  }
  void setMode(std::uint8_t mode) {
    ProgramOptions options = session().options();
    options.ekvivalentMode = mode;
    session().optionsModel().set(options);
  }
  void configure(const std::function<void(PanelConfig&)>& change) {
    Document& document = session().document();
    Configuration configuration = Configuration::of(document);
    change(configuration.config);
    document.push(new SetConfigurationCommand(document, configuration, "Configuration"));
  }
  // Notation rows typed into the MNEMO page, Return between them.
  void typeRows(const QStringList& rows) {
    editor_->PageControl1->setCurrentWidget(editor_->TabSheet2);
    QTableWidget* grid = editor_->StringGrid1;
    for (int i = 0; i < rows.size(); ++i) {
      if (i > 0) QTest::keyClick(grid, Qt::Key_Return);
      grid->item(i, 1)->setText(rows[i]);
    }
  }

  EditorFacts facts_;
  std::unique_ptr<TestSession> test_;
  TextEditor* editor_ = nullptr;

 private:
  // The file of the kind holding ONE and TWO under the first two keys and
  // SEVENTY under 77, with the wrong-number line first.
  QString writeListFile(const FileKind& file) {
    const QString path = test_->dir().filePath(QString("list.") + file.extension);
    TextList wanted;
    wanted.putEntry(key(0), "\xE0ONE\r");
    wanted.putEntry(key(1), "\xE0TWO\r");
    wanted.putEntry(db().makeKey(kind(), 77), "\xE0SEVENTY\r");
    if (file.saveIndex >= 0) {
      // Saved by the editor from that list, which then is undone.
      Document& document = session().document();
      document.push(new ReplaceListCommand(document, kind(), wanted, "scratch"));
      prompter().file(path, file.saveIndex);
      editor_->MenuUlozJako->trigger();
      const FileDialogRequest& dialog = prompter().asked().back().request;
      [&] {
        QCOMPARE(dialog.title, QString("Save As"));
        QCOMPARE(dialog.filters, facts_.saveFilters);
      }();
      document.undoStack().undo();
      QFile saved(path);
      if (!saved.open(QIODevice::ReadOnly)) return QString();
      writeBytes(path, file.wrongNumberLine + saved.readAll());
    } else if (QString(file.extension) == "hex") {
      PanelDatabase other = db();
      other.list(kind()) = wanted;
      writeHexFile(other, path.toStdString());
    } else {
      writeBytes(path, QByteArray::fromStdString(bbdBytes(
                           {}, {named(std::stoi(key(0)), "ONE"), named(std::stoi(key(1)), "TWO"), named(77, "SEVENTY")})));
    }
    return path;
  }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>();
    QVERIFY(session().main().openFile(demoCopy(test_->dir()).toStdString()));
    editor_ = session().editor(facts_.field);
    QAction* tool = session().main().*facts_.menu;
    QVERIFY(tool->isEnabled());
    tool->trigger();
    QVERIFY(editor_->isVisible());
    editor_->FormActivate();
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void opensOnTheMainWindowsEntry() {
    QCOMPARE(editor_->windowTitle(), facts_.title);
    QCOMPARE(editor_->MenuList->title(), facts_.menuCaption);
    QCOMPARE(editor_->ButtonNOVY->text(), facts_.newCaption);
    for (const QString& name : facts_.objectNames) QVERIFY2(editor_->findChild<QObject*>(name), qPrintable(name));
    QVERIFY(!editor_->SpeedButtonW->isVisible());
    QVERIFY(session().renderer().view(facts_.field).staticPreview);
    ChooserBox& chooser = session().main().chooser(facts_.field);
    QCOMPARE(editor_->EditN->text(), facts_.firstShown);
    QCOMPARE(chooser.combo->currentText(), facts_.firstShown);
    // The main window's choice is followed; the editor's arrows lead it.
    QTest::mouseClick(chooser.upDown->upButton(), Qt::LeftButton);
    QCOMPARE(editor_->EditN->text(), facts_.secondShown);
    QTest::mouseClick(editor_->UpDownN->downButton(), Qt::LeftButton);
    QCOMPARE(chooser.combo->currentText(), facts_.firstShown);
    // Esc closes the editor; the chooser's pop-up opens it again.
    QTest::keyClick(editor_, Qt::Key_Escape);
    QVERIFY(!editor_->isVisible());
    chooser.edit->trigger();
    QVERIFY(editor_->isVisible());
    editor_->MenuZavrit->trigger();
    QVERIFY(!editor_->isVisible());
  }

  void composedSavedAndUndone() {
    click(editor_->ButtonNOVY);
    QCOMPARE(editor_->EditN->text(), QString());
    typeText(editor_->Edit[0], "A7");
    click(editor_->Row[0].SpeedButtonMP);
    click(editor_->Row[0].SpeedButtonLD);
    // The library's draft given the same commands says which bytes they give.
    TextDraft expected(db(), editor_->draft().rules());
    expected.setRowText(0, "A7");
    expected.changeSpacing(0, 1);
    expected.toEdge(0, false);
    QCOMPARE(editor_->draft().storedText(), expected.storedText());
    QCOMPARE(session().renderer().view(facts_.field).text, expected.storedText());  // previewed in its field
    QVERIFY(!editor_->CheckBoxAF->isChecked());
    typeText(editor_->EditN, "77");
    checkUndoRedo([&] { save(); }, facts_.undoSave77);
    QCOMPARE(entry(db().makeKey(kind(), 77)), expected.storedText());
    QCOMPARE(editor_->EditN->text(), facts_.shown77);
    QCOMPARE(session().main().chooser(facts_.field).combo->currentText(), facts_.shown77);
    QVERIFY(!editor_->modified());
    // Saving over it asks; No changes nothing.
    typeText(editor_->Edit[0], "B8");
    const PanelDatabase before = db();
    prompter().no();
    save();
    QCOMPARE(prompter().lastText(), facts_.exists77);
    QVERIFY(db() == before);
    QVERIFY(editor_->modified());
  }

  void deleteOneAndAllAreUndone() {
    const std::size_t count = list().count();
    show(facts_.firstShown);
    prompter().ok();
    checkUndoRedo([&] { editor_->MenuVymazatJeden->trigger(); }, facts_.undoDeleteFirst);
    QCOMPARE(prompter().asked().back().text, facts_.deleteFirst);
    QCOMPARE(editor_->EditN->text(), facts_.secondShown);  // the entry now at the same place
    prompter().cancel();
    editor_->PopMenuVymaz->trigger();
    QCOMPARE(list().count(), count - 1);  // Cancel deletes nothing

    prompter().yes();
    checkUndoRedo([&] { editor_->PopMenuVymazVse->trigger(); }, facts_.undoDeleteAll);
    QVERIFY(list().empty());
    QCOMPARE(editor_->EditN->text(), QString());
    QVERIFY(!editor_->MenuVymazatVsechny->isEnabled());
    QVERIFY(!editor_->MenuUlozJako->isEnabled());
    session().document().undoStack().undo();
    QVERIFY(editor_->MenuVymazatVsechny->isEnabled());
  }

  void testPlaysATextOfThreeRows() {
    click(editor_->ButtonNOVY);
    QVERIFY(!editor_->ButtonUKAZKA->isVisible());
    typeRows({"'A' LF", "'B' LF", "'C' CR"});
    QVERIFY(editor_->ButtonUKAZKA->isVisible());
    FieldView& view = session().renderer().view(facts_.field);
    click(editor_->ButtonUKAZKA);
    QCOMPARE(editor_->ButtonUKAZKA->text(), QString("STOP"));
    QVERIFY(!view.staticPreview);
    QVERIFY(!editor_->ButtonULOZ->isEnabled() && !editor_->MenuList->isEnabled());
    click(editor_->ButtonUKAZKA);
    QCOMPARE(editor_->ButtonUKAZKA->text(), QString("TEST"));
    QVERIFY(view.staticPreview);
    QVERIFY(editor_->ButtonULOZ->isEnabled());
  }

  void readAndAddEachFileKind_data() {
    QTest::addColumn<int>("file");
    QTest::addColumn<int>("answer");
    const std::pair<const char*, int> answers[] = {{"read", kRead},
                                                   {"overwrite", int(PromptAnswer::Overwrite)},
                                                   {"skip", int(PromptAnswer::Skip)},
                                                   {"storno", int(PromptAnswer::Storno)},
                                                   {"overwrite all", int(PromptAnswer::OverwriteAll)},
                                                   {"skip all", int(PromptAnswer::SkipAll)}};
    for (std::size_t f = 0; f < facts_.files.size(); ++f)
      for (const auto& [name, answer] : answers)
        QTest::addRow("%s %s", facts_.files[f].extension, name) << int(f) << answer;
  }

  void readAndAddEachFileKind() {
    QFETCH(int, file);
    QFETCH(int, answer);
    const FileKind& kindOfFile = facts_.files[static_cast<std::size_t>(file)];
    const std::string first = key(0), second = key(1), seventySeven = db().makeKey(kind(), 77);
    const QString firstRows = rowsOf(first), secondRows = rowsOf(second);
    const QString path = writeListFile(kindOfFile);
    QVERIFY(!path.isEmpty());
    const std::size_t asked = prompter().asked().size();

    const bool add = answer != kRead;
    const auto given = static_cast<PromptAnswer>(answer);
    prompter().file(path, kindOfFile.readIndex);
    if (!kindOfFile.wrongNumberLine.isEmpty()) prompter().yes();
    if (add) prompter().five(given);
    // Overwrite and Skip ask again for the second entry.
    if (add && (given == PromptAnswer::Overwrite || given == PromptAnswer::Skip)) prompter().five(PromptAnswer::Overwrite);
    const PanelDatabase before = db();
    (add ? editor_->MenuPridej : editor_->MenuNacti)->trigger();

    const FileDialogRequest& dialog = prompter().asked()[asked].request;
    QCOMPARE(dialog.title, QString(add ? "Add" : "Read"));
    QCOMPARE(dialog.filters, facts_.readFilters);
    std::size_t next = asked + 1;
    if (!kindOfFile.wrongNumberLine.isEmpty())
      QCOMPARE(prompter().asked()[next++].text, QString("Wrong or too large number!\n[1]\nContinue?"));
    if (add) QCOMPARE(prompter().asked()[next].text, facts_.firstExists);
    const bool firstTaken = !add || given == PromptAnswer::Overwrite || given == PromptAnswer::OverwriteAll;
    const bool secondTaken = firstTaken || given == PromptAnswer::Skip;
    QCOMPARE(rowsOf(first), firstTaken ? QString("ONE") : firstRows);
    QCOMPARE(rowsOf(second), secondTaken ? QString("TWO") : secondRows);
    QCOMPARE(rowsOf(seventySeven), given == PromptAnswer::Storno ? QString("none") : QString("SEVENTY"));
    if (!add) QCOMPARE(list().count(), std::size_t{3});
    QCOMPARE(session().state().readCancelled, add && given == PromptAnswer::Storno);
    QVERIFY(!session().progress().running());
    // Packed texts keep their format; rows of other files are formatted anew.
    QCOMPARE(editor_->CheckBoxAF->isChecked(), kindOfFile.readIndex != 0);
    QVERIFY(!editor_->EditN->text().isEmpty());  // an entry is shown

    if (db() == before) {
      QCOMPARE(given, PromptAnswer::Storno);  // nothing was read before the Storno
      return;
    }
    const PanelDatabase after = db();
    QCOMPARE(session().undoAction().text(), add ? facts_.undoAdd : facts_.undoRead);
    session().document().undoStack().undo();
    QVERIFY(db() == before);
    session().document().undoStack().redo();
    QVERIFY(db() == after);
  }

  void aBrokenPackedFileKeepsWhatCameBefore() {
    const QString path = test_->dir().filePath("broken");
    writeBytes(path, facts_.packedWithBadNumber);
    prompter().file(path, 0);
    checkUndoRedo([&] { editor_->MenuNacti->trigger(); }, facts_.undoRead);
    QCOMPARE(prompter().lastText(), facts_.packedMessage);
    QCOMPARE(list().count(), std::size_t{1});
  }
};

class TestLineEditor : public ListEditorSuite {
  Q_OBJECT
 public:
  TestLineEditor()
      : ListEditorSuite({FieldId::Line,
                         &TFormMAIN::MenuEdLINKA,
                         "Line editor",
                         "&Lines",
                         "NEW LINE",
                         {"MenuLinky", "MenuVymazatJednu", "PopMenuVymazLINKU", "PopMenuVymazatVseLIN"},
                         "003",
                         "009",
                         "Line 003 already exists! \nOverwrite it?",
                         "Really delete line 003 ?",
                         "Undo Delete line 003",
                         "Undo Delete all lines",
                         {"file of lines (*.lin)", "text file (*.txt)", "panel database (*.hex)"},
                         {"file of lines (*.lin)", "text file (*.txt)"},
                         {{"lin", 0, 0, {}}, {"txt", 1, 1, "1000\tTOO LARGE\r\n"}, {"hex", 2, -1, {}}},
                         "Undo Read lines",
                         "Undo Add lines",
                         "077",
                         "Undo Save line 077",
                         "Line 077 already exists! \nOverwrite it?",
                         QByteArray("003\x02\x00" "A\r" "0x9\x02\x00" "B\r", 14),
                         "Error in line database\nRead only to number 003"}) {}

 private slots:
  void numbersHaveThreeDigitsAndNoStartingNumber() {
    typeText(editor_->EditN, "X");
    QCOMPARE(editor_->EditN->text(), QString());
    typeText(editor_->EditN, "1234");
    QCOMPARE(editor_->EditN->text(), QString("123"));
    // A line that does not exist clears the editor without a message.
    show("7");
    QCOMPARE(editor_->EditN->text(), QString("7"));
    QCOMPARE(editor_->Edit[0]->text(), QString());
    QVERIFY(!editor_->MenuVymazatJeden->isEnabled());
    QVERIFY(!session().main().PanelHlasC->isVisible() && !session().main().PanelHlasZ->isVisible());
    typeText(editor_->Edit[0], "7");
    checkUndoRedo([&] { save(); }, "Undo Save line 007");
    QVERIFY(entry("0007") != "none");
    QCOMPARE(editor_->EditN->text(), QString("007"));
    QCOMPARE(editor_->UpDownN->position(), 7);
  }

  void hasNoEkvivalentNorW() {
    setMode(EkvivalentMode::Kt500);
    QVERIFY(!editor_->EditEKVI->isVisible());
    QVERIFY(!editor_->SpeedButtonW->isVisible());
    QVERIFY(editor_->RadioButton2->isVisible());
    typeText(editor_->Edit[0], "33");
    prompter().yes();
    save();
    QCOMPARE(entry("0003").back(), '\r');  // nothing after the CR
  }

  void theBlockExtendsTowardsTheDestination() {
    const SpecialGlyph& special = db().specialGlyph;
    const std::string glyph = {char(0xE0 + special.font), char(0xC0), char(special.code), '\f'};
    click(editor_->ButtonNOVY);
    typeText(editor_->Edit[0], "5");
    // The destination lies right of the line: the block reaches the right edge.
    click(editor_->SpeedButtonBLOK);
    QCOMPARE(editor_->draft().storedText().substr(0, 9), std::string("\x1B" "b\x1Bp\x7F") + glyph);
    QCOMPARE(session().renderer().view(FieldId::Line).right, 111);
    typeText(editor_->EditN, "5");
    save();
    show("5");
    QVERIFY2(editor_->SpeedButtonBLOK->isChecked(), "the block prefix is read back");
    QCOMPARE(editor_->Edit[0]->text(), QString("5"));

    // With the destination left of the line, the block reaches the left edge.
    configure([](PanelConfig& config) {
      config.lineField.left = 84;
      config.lineField.right = 111;
      config.destinationField.left = 0;
      config.destinationField.right = 82;
    });
    click(editor_->SpeedButtonBLOK);
    QVERIFY(!editor_->SpeedButtonBLOK->isChecked());
    QCOMPARE(session().renderer().view(FieldId::Line).left, 84);
    click(editor_->SpeedButtonBLOK);
    QCOMPARE(editor_->draft().storedText().substr(0, 9), std::string("\x1B" "b\x1Bl\x10") + glyph);
    QCOMPARE(session().renderer().view(FieldId::Line).left, 0);
  }
};

class TestStopEditor : public ListEditorSuite {
  Q_OBJECT
 public:
  TestStopEditor()
      : ListEditorSuite({FieldId::Stop,
                         &TFormMAIN::MenuEdZAST,
                         "Stop editor",
                         "&Stops",
                         "NEW STOP",
                         {"MenuZastavky", "MenuVymazatJednu", "PopMenuVymazZAST", "PopMenuVymazatVseZAST"},
                         "0001",
                         "0002",
                         "Stop 0001 already exists! \nOverwrite it?",
                         "Really delete stop 0001 ?",
                         "Undo Delete stop 0001",
                         "Undo Delete all stops",
                         {"file of stops (*.dru)", "text file (*.txt)", "text file (*.zs)", "panel database (*.hex)",
                          "KT500 database (*.bbd *.bbf)"},
                         {"file of stops (*.dru)", "text file (*.txt)", "text file (*.zs)"},
                         {{"dru", 0, 0, {}},
                          {"txt", 1, 1, "12a4\tWRONG\r\n"},
                          {"zs", 2, 2, "12a4\tEKV\tWRONG\r\n"},
                          {"hex", 3, -1, {}},
                          {"bbd", 4, -1, {}}},
                         "Undo Read stops",
                         "Undo Add stops",
                         "0077",
                         "Undo Save stop 0077",
                         "Stop 0077 already exists! \nOverwrite it?",
                         QByteArray("0001\x02\x00" "A\r" "00a2\x02\x00" "B\r", 16),
                         "Error in stop database\nRead only to number 0001"}) {}

 private slots:
  void numbersHaveFourDigits() {
    typeText(editor_->EditN, "4a2");
    QCOMPARE(editor_->EditN->text(), QString("42"));
    typeText(editor_->EditN, "0042");
    QCOMPARE(editor_->EditN->text(), QString("0042"));
    show("12");
    QCOMPARE(session().main().PanelHlasZ->text(), QString("Stop 0012 don't exist"));
    QVERIFY(session().main().PanelHlasZ->isVisible());
    typeText(editor_->Edit[0], "Depo");
    QVERIFY(!session().main().PanelHlasZ->isVisible());
    typeText(editor_->EditN, "42");
    checkUndoRedo([&] { save(); }, "Undo Save stop 0042");
    QVERIFY(entry("0042") != "none");
    QCOMPARE(editor_->EditN->text(), QString("0042"));
  }

  void oneRowOnTheTextPageAndFurtherRowsKept() {
    QVERIFY(!editor_->RadioButton1->isVisible() && !editor_->RadioButton2->isVisible());
    QVERIFY(!editor_->Edit[1]->isVisible() && !editor_->SpeedButtonZAMEN->isVisible());
    typeRows({"f0 'A' LF", "f0 'B' CR"});
    const std::string further = "\n\xE0" "B\r";
    editor_->PageControl1->setCurrentWidget(editor_->TabSheet1);
    QVERIFY(editor_->Edit[1]->isVisible());
    QVERIFY(editor_->Edit[1]->isReadOnly());
    QCOMPARE(editor_->Edit[1]->text(), QString("B"));
    QVERIFY(!editor_->Row[1].SpeedButtonINV->isVisible() && !editor_->Row[1].SpinEditF->isVisible());
    typeText(editor_->Edit[0], "XY");
    const std::string& text = editor_->draft().storedText();
    QCOMPARE(text.substr(text.size() - further.size()), further);
    QCOMPARE(text.substr(3, 2), std::string("XY"));
    click(editor_->ButtonNOVY);
    QVERIFY(!editor_->Edit[1]->isVisible());
  }

  void theBlockLetsTheStopUseThePanelFromItsLeftEdge() {
    configure([](PanelConfig& config) { config.stopField.left = 28; });
    click(editor_->ButtonNOVY);
    typeText(editor_->Edit[0], "AB");
    const std::string unblocked = editor_->draft().storedText();
    QCOMPARE(session().renderer().view(FieldId::Stop).left, 28);
    click(editor_->SpeedButtonBLOK);
    QCOMPARE(session().renderer().view(FieldId::Stop).left, 0);
    QCOMPARE(editor_->draft().storedText(), unblocked);  // no bytes in the text
    click(editor_->Row[0].SpeedButtonLD);
    QCOMPARE(editor_->draft().row(0).column, 0);
    click(editor_->SpeedButtonBLOK);
    QCOMPARE(session().renderer().view(FieldId::Stop).left, 28);
  }

  void aTypedKt500EkvivalentSurvivesSaveAndOpen() {
    setMode(EkvivalentMode::Kt500);
    QVERIFY(editor_->EditEKVI->isVisible());
    QCOMPARE(editor_->EditEKVI->text(), QString::fromUtf8("Nádraží"));
    QVERIFY(editor_->SpeedButtonEKVI->isChecked());
    typeText(editor_->EditEKVI, "HLAVNI NADR.X");
    QCOMPARE(editor_->EditEKVI->text(), QString("HLAVNI NADR."));  // 12 characters
    QVERIFY(!editor_->SpeedButtonEKVI->isChecked());
    prompter().yes();
    save();
    const std::string text = entry("0001");
    QCOMPARE(text.substr(text.find('\r')), std::string("\rHLAVNI NADR."));
    QVERIFY2(!session().state().ekvivalentsChanged, "the unit's file takes destinations only");

    QVERIFY(session().main().files().MenuUlozClick());
    QVERIFY(session().main().openFile(session().document().fileName()));
    QCOMPARE(entry("0001"), text);
    session().main().MenuEdZAST->trigger();
    editor_->FormActivate();
    QCOMPARE(editor_->EditEKVI->text(), QString("HLAVNI NADR."));
    QVERIFY(!editor_->SpeedButtonEKVI->isChecked());

    // KT700 units name destinations only; a hidden field keeps the ekvivalent.
    setMode(EkvivalentMode::Kt700);
    QVERIFY(!editor_->EditEKVI->isVisible());
    typeText(editor_->Edit[0], "Station");
    prompter().yes();
    save();
    QCOMPARE(QByteArray::fromStdString(entry("0001")).endsWith("Station\rHLAVNI NADR."), true);
  }
};

std::unique_ptr<QObject> makeLineEditorSuite() { return std::make_unique<TestLineEditor>(); }
std::unique_ptr<QObject> makeStopEditorSuite() { return std::make_unique<TestStopEditor>(); }

}  // namespace dorvak::test

#include "test_line_stop_editors.moc"
