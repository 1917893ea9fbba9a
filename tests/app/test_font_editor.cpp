// The font editor driven as a user drives it: drawing with the mouse,
// shifting, storing under a key, undo and redo; the deletes with their
// questions; font files in both layouts and the fonts of a panel data base;
// code stepping; New opening the editor; the import from a standard font.

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "app/file_actions.h"
#include "app/font_import_dialog.h"
#include "app/glyph_views.h"
#include "app/panel_picture.h"
#include "app/session.h"
#include "app/tformedfont.h"
#include "app/tformkonf.h"
#include "app/tformfm.h"
#include "app/tformmain.h"
#include "app/tformpanel.h"
#include "app/updown.h"
#include "core/hex_reader.h"
#include "fonts/font_file.h"
#include "fonts/glyph_text.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "scripted_prompter.h"
#include "test_session.h"

namespace dorvak::test {

namespace {

using Rows = std::vector<std::string>;

const QString kDejaVuSansMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";  // fonts-dejavu-core

}  // namespace

class TestFontEditor : public QObject {
  Q_OBJECT

  std::unique_ptr<TestSession> test_;
  Session* session_ = nullptr;
  ScriptedPrompter* prompter_ = nullptr;
  const QTemporaryDir* dir_ = nullptr;
  TFormMAIN* window_ = nullptr;
  TFormEdFONT* editor_ = nullptr;

  const PanelDatabase& db() const { return session_->database(); }

  void openEditorOnDemo() {
    QVERIFY(window_->openFile(demoCopy(*dir_).toStdString()));
    QVERIFY(window_->MenuEdFONT->isEnabled());
    window_->MenuEdFONT->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(editor_));
  }

  void choose(int font, int code) {
    typeInto(editor_->EditCF, QString::number(font));
    typeInto(editor_->EditD, QString::number(code));  // Enter shows the glyph
    QCOMPARE(editor_->currentFont(), font);
    QCOMPARE(editor_->currentCode(), code);
  }

  QPoint cell(int row, int column) const { return editor_->DrawGrid1->cellCentre(row, column); }
  void click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(editor_->DrawGrid1, button, Qt::NoModifier, cell(row, column));
  }
  void drag(int row1, int column1, int row2, int column2, Qt::MouseButton button) {
    QTest::mousePress(editor_->DrawGrid1, button, Qt::NoModifier, cell(row1, column1));
    QTest::mouseMove(editor_->DrawGrid1, cell(row1, (column1 + column2) / 2));
    QTest::mouseMove(editor_->DrawGrid1, cell(row2, column2));
    QTest::mouseRelease(editor_->DrawGrid1, button, Qt::NoModifier, cell(row2, column2));
  }
  Rows gridRows() const { return glyphAsText(editor_->grid().encode()); }

  // The destination field as painted on the main window's picture.
  QImage paintedDestination() const {
    const PanelPicture& picture = *window_->DrawGridP;
    const PictureRegion r = session_->renderer().view(FieldId::Destination).region();
    const int dot = picture.dot();
    const int topRow = kPictureRows - picture.panelSize().height;
    QImage out((r.right - r.left + 1) * dot, (r.bottom - r.top + 1) * dot, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, picture.pixel(r.left * dot + x, (r.top - topRow) * dot + y));
    return out;
  }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>();
    session_ = &test_->session();
    prompter_ = &test_->prompter();
    dir_ = &test_->dir();
    window_ = &session_->main();
    editor_ = &session_->fontEditor();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void drawShiftStoreUndoAndRedo() {
    openEditorOnDemo();
    QCOMPARE(editor_->windowTitle(), QString("Font editor"));
    choose(5, 170);  // no glyph and no key yet
    QCOMPARE(editor_->EditH->text(), QString("AA"));
    QVERIFY(editor_->EditC->text().isEmpty());
    QVERIFY(gridRows().empty());

    drag(2, 2, 2, 6, Qt::LeftButton);  // a line
    click(5, 3);                       // a dot
    click(2, 4, Qt::RightButton);      // erase one dot
    drag(2, 5, 2, 6, Qt::RightButton); // erase a stroke
    QCOMPARE(gridRows(), (Rows{"......", ".##...", "......", "......", "..#..."}));
    QCOMPARE(editor_->StatusBar1[4]->text(), QString("height: 5"));
    QVERIFY(editor_->PanelGlyph->litDots() == 3);

    // The glyph moves with its box; with Shift the dots scroll inside it.
    QTest::mouseClick(editor_->ButtonDoprava, Qt::LeftButton);
    QTest::mouseClick(editor_->ButtonNahoru, Qt::LeftButton, Qt::ShiftModifier);
    const Rows drawn = {"..##...", ".......", ".......", "...#...", "......."};
    QCOMPARE(gridRows(), drawn);

    const PanelDatabase before = db();
    typeInto(editor_->EditC, QString::fromUtf8("§"));
    QTest::mouseClick(editor_->ButtonUloz, Qt::LeftButton);
    QCOMPARE(glyphAsText(db().fonts.glyph(5, 170)), drawn);
    QCOMPARE(int{db().keyTable[170]}, 0xA7);
    QCOMPARE(editor_->StatusBar1[7]->text(), QString("1 char-s"));
    QVERIFY(session_->document().isModified());
    QCOMPARE(session_->undoAction().text(), QString("Undo Store glyph 170 of font 5"));
    const PanelDatabase after = db();

    // Ctrl+Z and Ctrl+Y work in the editor as in the main window.
    editor_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor_));
    QTest::keySequence(editor_, QKeySequence::Undo);
    QVERIFY(db() == before);
    QVERIFY(gridRows().empty());
    QVERIFY(editor_->EditC->text().isEmpty());
    QTest::keySequence(editor_, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(db() == after);
    QCOMPARE(gridRows(), drawn);
    QCOMPARE(editor_->EditC->text(), QString::fromUtf8("§"));

    // A key another code has is refused with a notice; the glyph is stored.
    typeInto(editor_->EditC, "A");
    QTest::mouseClick(editor_->ButtonUloz, Qt::LeftButton);
    QCOMPARE(prompter_->notices(), QStringList{"Another code is already assigned to key A"});
    QCOMPARE(int{db().keyTable[170]}, 0xA7);

    // A drawing not yet stored outlives an Undo; showing the glyph again
    // drops it.
    click(5, 7);
    const Rows unsaved = gridRows();
    QVERIFY(unsaved != drawn);
    session_->undoAction().trigger();
    QVERIFY(db() == before);
    QCOMPARE(gridRows(), unsaved);
    QTest::mouseClick(editor_->ButtonZobraz, Qt::LeftButton);
    QVERIFY(gridRows().empty());
  }

  void aStoredGlyphShowsOnThePanelAtOnce() {
    openEditorOnDemo();
    choose(3, 'N');  // destination 001 "Nádraží" is in font 3
    const QImage before = paintedDestination();
    for (int row = 1; row <= 16; ++row) click(row, 1);
    QTest::mouseClick(editor_->ButtonUloz, Qt::LeftButton);
    QVERIFY(paintedDestination() != before);
    session_->undoAction().trigger();
    QCOMPARE(paintedDestination(), before);
  }

  void eachDeleteAskedAndUndone_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("one glyph") << 0 << "Really delete font [f3 #78] ?" << "Undo Delete glyph 78 of font 3";
    QTest::newRow("a code in all fonts") << 1 << "Really delete all for character code [#78] ?"
                                         << "Undo Delete code 78 in all fonts";
    QTest::newRow("a font") << 2 << "Really delete all for font [f3] ?" << "Undo Delete font 3";
    QTest::newRow("all fonts") << 3 << "Really delete all fonts?" << "Undo Delete all fonts";
  }

  void eachDeleteAskedAndUndone() {
    QFETCH(int, which);
    QFETCH(QString, question);
    QFETCH(QString, undoText);
    openEditorOnDemo();
    choose(3, 'N');
    QAction* entries[] = {editor_->MenuSmazJeden, editor_->MenuSmazKod, editor_->MenuSmazFont, editor_->MenuSmazVse};
    const bool yesNo = which == 3;
    const PanelDatabase before = db();

    (yesNo ? prompter_->no() : prompter_->cancel());
    entries[which]->trigger();
    QCOMPARE(prompter_->lastText(), question);
    QVERIFY(db() == before);
    QVERIFY(!session_->document().isModified());

    (yesNo ? prompter_->yes() : prompter_->ok());
    entries[which]->trigger();
    QCOMPARE(session_->undoAction().text(), undoText);
    QVERIFY(!db().fonts.glyph(3, 'N').exists());
    QVERIFY(gridRows().empty());
    switch (which) {
      case 0: QVERIFY(db().fonts.glyph(3, 'M').exists()); break;
      case 1:
        for (int font = 0; font < kFontCount; ++font) QVERIFY(!db().fonts.glyph(font, 'N').exists());
        QCOMPARE(int{db().keyTable['N']}, 0);
        break;
      case 2:
        QCOMPARE(countGlyphs(db().fonts, 3), 0);
        QVERIFY(countGlyphs(db().fonts, 2) > 0);
        break;
      default:
        QVERIFY(!db().hasFonts());
        QCOMPARE(db().keyTable, KeyTable{});
        QVERIFY(!editor_->MenuSmazVse->isEnabled() && !editor_->MenuUlozJako->isEnabled());
        QVERIFY(window_->PanelFNT->isVisible());
    }
    session_->undoAction().trigger();
    QVERIFY(db() == before);
    QCOMPARE(gridRows(), glyphAsText(before.fonts.glyph(3, 'N')));
    QVERIFY(editor_->MenuSmazVse->isEnabled());
  }

  void codesStepOverTheControlCodes() {
    openEditorOnDemo();
    choose(0, 175);
    QTest::mouseClick(editor_->UpDownZN->upButton(), Qt::LeftButton);
    QCOMPARE(editor_->currentCode(), 240);
    QCOMPARE(editor_->EditD->text(), QString("240"));
    QCOMPARE(editor_->EditH->text(), QString("F0"));
    QTest::mouseClick(editor_->UpDownZN->downButton(), Qt::LeftButton);
    QCOMPARE(editor_->currentCode(), 175);

    // Hex is typed in either case and shown in upper case; typing refreshes
    // the other fields at once.
    editor_->EditH->selectAll();
    QTest::keyClicks(editor_->EditH, "4e");
    QCOMPARE(editor_->EditH->text(), QString("4E"));
    QCOMPARE(editor_->EditD->text(), QString("78"));
    QCOMPARE(editor_->EditC->text(), QString("N"));
    // A control code warns and cannot be stored; values beyond 255 become 255.
    typeInto(editor_->EditD, "200");
    QVERIFY(editor_->LabelPozor->isVisible());
    QVERIFY(!editor_->ButtonUloz->isEnabled());
    typeInto(editor_->EditD, "999");
    QCOMPARE(editor_->currentCode(), 255);
    QVERIFY(!editor_->LabelPozor->isVisible());
    QVERIFY(editor_->ButtonUloz->isEnabled());
    typeInto(editor_->EditCF, "77");
    QCOMPARE(editor_->currentFont(), 15);
  }

  void fontFilesInBothLayoutsAndFromAPanelDataBase() {
    openEditorOnDemo();
    const PanelDatabase demo = db();
    // A glyph at code 255, which firmware 1.x cannot use.
    choose(6, 255);
    click(1, 1);
    QTest::mouseClick(editor_->ButtonUloz, Qt::LeftButton);
    const PanelDatabase withGlyph255 = db();

    const QString n = dir_->filePath("n");
    prompter_->file(n);
    editor_->MenuUlozJako->trigger();
    QCOMPARE(prompter_->asked().back().request.filters, QStringList{"file of fonts (*.fnt)"});
    QVERIFY(QFile::exists(n + ".fnt"));
    QCOMPARE(QString::fromStdString(editor_->fontFileName()), n + ".fnt");

    // The S layout: the code 255 question, No writes nothing, Yes leaves 255 out.
    QTest::mouseClick(editor_->StatusLayout, Qt::LeftButton);
    QCOMPARE(editor_->StatusLayout->text(), QString("S"));
    const QString s = dir_->filePath("s.fnt");
    prompter_->file(s).no();
    editor_->MenuUlozJako->trigger();
    QCOMPARE(prompter_->lastText(), QString("FW 1.x cannot use charakter with code 255.\nContinue?"));
    QVERIFY(!QFile::exists(s));
    prompter_->file(s).yes();
    editor_->MenuUlozJako->trigger();
    QVERIFY(QFile::exists(s));

    // Reading replaces the fonts and keys in one step that Undo takes back.
    prompter_->yes();
    editor_->MenuSmazVse->trigger();
    prompter_->file(n + ".fnt");
    editor_->MenuCti->trigger();
    QCOMPARE(prompter_->asked().back().request.title, QString("Read"));
    QCOMPARE(prompter_->asked().back().request.filters,
             (QStringList{"file of fonts (*.fnt)", "panel database (*.hex)"}));
    QVERIFY(db().fonts == withGlyph255.fonts);
    QVERIFY(db().keyTable == withGlyph255.keyTable);
    QCOMPARE(session_->undoAction().text(), QString("Undo Read fonts from n.fnt"));
    session_->undoAction().trigger();
    QVERIFY(!db().hasFonts());
    session_->redoAction().trigger();

    prompter_->file(s);
    editor_->MenuCti->trigger();
    FontTable without255 = withGlyph255.fonts;
    without255.glyph(6, 255) = GlyphRecord{};
    QVERIFY(db().fonts == without255);
    QVERIFY(db().keyTable == DefaultKeyTable);

    // The fonts of a panel data base; no font file name to propose then.
    prompter_->file(demoPath());
    editor_->MenuCti->trigger();
    QVERIFY(db().fonts == demo.fonts);
    QVERIFY(db().keyTable == demo.keyTable);
    QVERIFY(editor_->fontFileName().empty());

    // A file that cannot be read is named and changes nothing.
    const int commands = session_->document().undoStack().count();
    prompter_->file(dir_->filePath("missing.fnt"));
    editor_->MenuCti->trigger();
    QCOMPARE(prompter_->notices().size(), 1);
    QVERIFY(prompter_->notices().first().contains("missing.fnt"));
    QCOMPARE(session_->document().undoStack().count(), commands);
    QVERIFY(db().fonts == demo.fonts);
  }

  void newOpensTheEditorFirstAndStopsWithoutFonts() {
    QWidget& configuration = session_->configurationWindow();
    bool opened = false;
    prompter_->window("TFormEdFONT", [&](QDialog&) {
      opened = editor_->isVisible();
      QCOMPARE(editor_->currentFont(), 0);
      QCOMPARE(editor_->currentCode(), 65);
      QCOMPARE(editor_->EditC->text(), QString("A"));  // the default keys
    });
    window_->files().MenuNovyClick();
    QVERIFY(opened);
    QVERIFY(!db().hasFonts());
    QVERIFY(!configuration.isVisible());
    QVERIFY(window_->PanelFNT->isVisible());

    prompter_->window("TFormEdFONT", [&](QDialog&) {
      click(1, 1);
      QTest::mouseClick(editor_->ButtonUloz, Qt::LeftButton);
    });
    window_->files().MenuNovyClick();
    QVERIFY(db().fonts.glyph(0, 65).exists());
    // With fonts the configuration comes next.
    QVERIFY(configuration.isVisible());
    configuration.close();
    QVERIFY(!window_->PanelFNT->isVisible());
    QVERIFY(window_->files().MenuUlozJako->isEnabled());
  }

  void theGridZoomsAndShowsTheGlyphAtPanelScale() {
    openEditorOnDemo();
    GlyphGridView* grid = editor_->DrawGrid1;
    QCOMPARE(grid->width(), 28 * 11 + 1);
    QWheelEvent wheel(QPointF(5, 5), grid->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &wheel);
    QVERIFY(grid->cellSize() > 11);
    QCOMPARE(grid->width(), 28 * grid->cellSize() + 1);
    // Drawing still hits the cell under the mouse.
    choose(5, 65);
    click(3, 4);
    QCOMPARE(gridRows(), (Rows{"....", "....", "...#"}));
    // 112 panel columns: 4 pixels a dot, as on the main window's picture.
    QCOMPARE(editor_->PanelGlyph->size(), QSize(28 * 4, 28 * 4));
    QCOMPARE(editor_->PanelGlyph->litDots(), 1);
  }

  void importDejaVuSansMonoIntoTheDestinationsFont() {
    QVERIFY2(QFile::exists(kDejaVuSansMono), "fonts-dejavu-core is missing: run scripts/install-deps");
    openEditorOnDemo();
    choose(3, 'N');
    const PanelDatabase before = db();
    const QImage destination = paintedDestination();
    FontImportDialog& dialog = editor_->importDialog();
    prompter_->window("FontImportDialog", [&](QDialog&) {
      QCOMPARE(dialog.SpinFont->value(), 3);
      QVERIFY(!dialog.ButtonImport->isEnabled());
      QTest::mouseClick(dialog.ButtonBrowse, Qt::LeftButton);
      QCOMPARE(dialog.EditFile->text(), kDejaVuSansMono);
      dialog.SpinHeight->setValue(12);
      QVERIFY2(dialog.result().has_value(), qPrintable(dialog.LabelInfo->text()));
      QVERIFY(dialog.LabelInfo->text().contains("to fit 12 rows"));
      // DejaVu Sans Mono has every character of the default keys; the delete
      // character is no character a font lacks.
      QCOMPARE(dialog.ListMissing->count(), 1);
      QCOMPARE(dialog.ListMissing->item(0)->text(), QString("none"));
      QVERIFY(dialog.samplePreview().litDots() > 0);
      QVERIFY(dialog.glyphsPreview().litDots() > dialog.samplePreview().litDots());
      QTest::mouseClick(dialog.ButtonImport, Qt::LeftButton);
    }).file(kDejaVuSansMono);
    editor_->MenuImport->trigger();
    QVERIFY(!dialog.isVisible());

    for (int code : {int{'N'}, int{'a'}, 128, 169}) {
      QVERIFY(db().fonts.glyph(3, code).exists());
      QVERIFY(db().fonts.glyph(3, code).height <= 12);
      QVERIFY(!(db().fonts.glyph(3, code) == before.fonts.glyph(3, code)));
    }
    QCOMPARE(db().fonts.glyph(3, 250), before.fonts.glyph(3, 250));  // no key: the demo's own sign stays
    QCOMPARE(gridRows(), glyphAsText(db().fonts.glyph(3, 'N')));
    QCOMPARE(session_->undoAction().text(), QString("Undo Import DejaVuSansMono.ttf into font 3"));
    QVERIFY(paintedDestination() != destination);
    session_->undoAction().trigger();
    QVERIFY(db() == before);
    QCOMPARE(paintedDestination(), destination);
  }

  void importListsTheCharactersAFontLacks() {
    openEditorOnDemo();
    const QString bdf = dir_->filePath("ab.bdf");
    QFile file(bdf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("STARTFONT 2.1\nFONT -Test-AB-Medium-R-Normal--5-50-75-75-C-20-ISO10646-1\nSIZE 5 75 75\n"
               "FONTBOUNDINGBOX 1 5 0 0\nSTARTPROPERTIES 5\nFONT_ASCENT 5\nFONT_DESCENT 0\nPIXEL_SIZE 5\n"
               "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS 2\n"
               "STARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 2 0\nBBX 1 5 0 0\nBITMAP\n80\n80\n80\n80\n80\nENDCHAR\n"
               "STARTCHAR B\nENCODING 66\nSWIDTH 500 0\nDWIDTH 2 0\nBBX 1 5 0 0\nBITMAP\n80\n00\n80\n00\n80\nENDCHAR\n"
               "ENDFONT\n");
    file.close();
    FontImportDialog& dialog = editor_->importDialog();
    prompter_->window("FontImportDialog", [&](QDialog&) {
      dialog.SpinFirst->setValue(65);
      dialog.SpinLast->setValue(67);
      dialog.setFile(bdf);
      QCOMPARE(dialog.SpinHeight->value(), 5);  // its only strike
      QVERIFY2(dialog.result().has_value(), qPrintable(dialog.LabelInfo->text()));
      QCOMPARE(dialog.result()->glyphs.size(), std::size_t{2});
      QCOMPARE(dialog.ListMissing->count(), 1);
      QCOMPARE(dialog.ListMissing->item(0)->text(), QString("C (U+0043, code 67)"));
      // A file that is no font says so and imports nothing.
      dialog.setFile(dir_->filePath("ab.bdf.missing"));
      QVERIFY(!dialog.ButtonImport->isEnabled());
      QVERIFY(dialog.LabelInfo->text().contains("ab.bdf.missing"));
      QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
    });
    editor_->MenuImport->trigger();
    QVERIFY(!session_->document().isModified());
  }

  void everyControlHasAName() {
    openEditorOnDemo();
    for (QWidget* root : {static_cast<QWidget*>(editor_), static_cast<QWidget*>(&editor_->importDialog()),
                          static_cast<QWidget*>(&session_->fontManager())})
      for (QWidget* w : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QSpinBox*>(w) || qobject_cast<QListWidget*>(w);
        // A spin box's own line edit is part of the spin box.
        if (!control || !w->isVisibleTo(root) || qobject_cast<QSpinBox*>(w->parentWidget())) continue;
        QVERIFY2(!w->accessibleName().isEmpty() || !w->accessibleDescription().isEmpty() ||
                     !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
                 qPrintable(w->objectName() + " " + w->metaObject()->className()));
      }
  }
};

std::unique_ptr<QObject> makeFontEditorSuite() { return std::make_unique<TestFontEditor>(); }

}  // namespace dorvak::test

#include "test_font_editor.moc"
