// The font manager reached from the font editor's menu: copying one glyph, a
// whole font and all fonts from a file, and deleting, each undone; the key
// table never changes.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "app/glyph_position.h"
#include "app/glyph_views.h"
#include "app/session.h"
#include "app/tformedfont.h"
#include "app/tformfm.h"
#include "app/tformmain.h"
#include "core/safe_file.h"
#include "fonts/font_file.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "scripted_prompter.h"
#include "test_session.h"

namespace dorvak::test {

namespace {

void place(GlyphPosition* position, int font, int code) {
  typeInto(position->EditF, QString::number(font));
  typeInto(position->EditD, QString::number(code));
  QCOMPARE(position->font(), font);
  QCOMPARE(position->code(), code);
}

// Every glyph of codes 32..255 marked with its font and code.
FontTable markedFonts() {
  FontTable fonts;
  for (int font = 0; font < kFontCount; ++font)
    for (int code = 32; code < kCodeCount; ++code) {
      if (isControlCode(static_cast<std::uint8_t>(code))) continue;  // no glyph in a font file
      GlyphRecord& g = fonts.glyph(font, code);
      g.byteCount = 2;
      g.height = 8;
      g.bitmap[0] = static_cast<std::uint8_t>(font + 1);
      g.bitmap[1] = static_cast<std::uint8_t>(code);
    }
  return fonts;
}

}  // namespace

class TestFontManager : public QObject {
  Q_OBJECT

  std::unique_ptr<TestSession> test_;
  Session* session_ = nullptr;
  ScriptedPrompter* prompter_ = nullptr;
  const QTemporaryDir* dir_ = nullptr;
  TFormFM* fm_ = nullptr;

  const PanelDatabase& db() const { return session_->database(); }

  // Undo takes the data base back to before; redo to after.
  void undoneAndRedone(const PanelDatabase& before, const QString& undoText) {
    const PanelDatabase after = db();
    QVERIFY(!(after == before));
    QVERIFY(after.keyTable == before.keyTable);
    QCOMPARE(session_->undoAction().text(), undoText);
    session_->undoAction().trigger();
    QVERIFY(db() == before);
    session_->redoAction().trigger();
    QVERIFY(db() == after);
    session_->undoAction().trigger();
  }

  QString markedFile() {
    const QString path = dir_->filePath("marked.fnt");
    writeFileSafely(path.toStdString(), *formatFontFile(markedFonts(), DefaultKeyTable, FontFileLayout::N));
    return path;
  }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>();
    session_ = &test_->session();
    prompter_ = &test_->prompter();
    dir_ = &test_->dir();
    QVERIFY(session_->main().openFile(demoCopy(*dir_).toStdString()));
    fm_ = &session_->fontManager();
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void reachedFromTheEditorCopyingOneGlyph() {
    TFormEdFONT& editor = session_->fontEditor();
    editor.showEditor();
    QVERIFY(editor.MenuFM->isVisible() && editor.MenuFM->isEnabled());
    const PanelDatabase before = db();
    prompter_->window("TFormFM", [&](QDialog&) {
      QCOMPARE(fm_->windowTitle(), QString::fromUtf8("SPRÁVCE FONTŮ"));
      QCOMPARE(fm_->PageControl1->tabText(0), QString::fromUtf8("KOPÍROVÁNÍ"));
      QVERIFY(fm_->RadioPracovni->isChecked());
      QVERIFY(!fm_->RadioVsechnyK->isEnabled());  // all fonts only from a file
      QVERIFY(fm_->RadioJedenK->isChecked());
      QVERIFY(!fm_->ButtonNeK->isEnabled() && !fm_->ButtonVsechnyK->isEnabled());
      place(fm_->PoziceZ, 3, 'N');
      place(fm_->PoziceC, 5, 'Z');
      QVERIFY(fm_->DrawGridZ->isVisible());
      QVERIFY(!fm_->DrawGridC->isVisible());  // font 5 is empty
      QCOMPARE(fm_->DrawGridZ->glyph(), db().fonts.glyph(3, 'N'));
      QTest::mouseClick(fm_->ButtonAnoK, Qt::LeftButton);
      QVERIFY(fm_->DrawGridC->isVisible());
      QCOMPARE(fm_->PoziceC->code(), int{'Z'});  // one glyph: no step
    });
    editor.MenuFM->trigger();
    QCOMPARE(db().fonts.glyph(5, 'Z'), db().fonts.glyph(3, 'N'));
    undoneAndRedone(before, "Undo Copy glyph 78 of font 3 to glyph 90 of font 5");
  }

  void copyingAWholeFontAndAllFontsFromAFile() {
    fm_->show();
    const PanelDatabase before = db();
    prompter_->file(markedFile());
    QTest::mouseClick(fm_->RadioSoubor, Qt::LeftButton);
    QVERIFY(fm_->sourceIsFile());
    QCOMPARE(fm_->LabelSoubor->text(), QString("marked.fnt"));
    QVERIFY(fm_->fileFonts() == markedFonts());
    QVERIFY(fm_->RadioVsechnyK->isEnabled());

    // A whole font from code 250 onto code 32: six glyphs, then code 255 ends it.
    place(fm_->PoziceZ, 2, 250);
    place(fm_->PoziceC, 5, 32);
    QTest::mouseClick(fm_->RadioCelyK, Qt::LeftButton);
    QVERIFY(!fm_->PoziceZ->EditD->isEnabled() && fm_->PoziceZ->EditF->isEnabled());
    QTest::mouseClick(fm_->ButtonVsechnyK, Qt::LeftButton);
    for (int i = 0; i < 6; ++i) QCOMPARE(db().fonts.glyph(5, 32 + i), markedFonts().glyph(2, 250 + i));
    QCOMPARE(db().fonts.glyph(5, 38), before.fonts.glyph(5, 38));
    undoneAndRedone(before, "Undo Copy codes 250..255 of font 2 to code 32 of font 5");

    // "NE" steps both codes without copying.
    QTest::mouseClick(fm_->ButtonNeK, Qt::LeftButton);
    QCOMPARE(fm_->copyPositions(), (CopyPositions{2, 251, 5, 33}));
    QVERIFY(db() == before);

    // All fonts: from font 0, code 32 every glyph of the file.
    QTest::mouseClick(fm_->RadioVsechnyK, Qt::LeftButton);
    QCOMPARE(fm_->copyPositions(), (CopyPositions{0, 32, 0, 32}));
    QVERIFY(!fm_->PoziceC->EditF->isEnabled());
    QTest::mouseClick(fm_->ButtonVsechnyK, Qt::LeftButton);
    for (int font = 0; font < kFontCount; ++font)
      for (int code = 0; code < kCodeCount; ++code)
        QCOMPARE(db().fonts.glyph(font, code), code < 32 ? before.fonts.glyph(font, code) : markedFonts().glyph(font, code));
    undoneAndRedone(before, "Undo Copy fonts 0..15 from code 32");

    // Back to the working fonts: all fonts is not offered.
    QTest::mouseClick(fm_->RadioPracovni, Qt::LeftButton);
    QVERIFY(fm_->RadioCelyK->isChecked());
    QVERIFY(!fm_->RadioVsechnyK->isEnabled());
  }

  void aSourceFileThatCannotBeReadLeavesTheSourceEmpty() {
    fm_->show();
    prompter_->file(dir_->filePath("gone.fnt"));
    QTest::mouseClick(fm_->RadioSoubor, Qt::LeftButton);
    QCOMPARE(prompter_->notices().size(), 1);
    QVERIFY(prompter_->notices().first().contains("gone.fnt"));
    QVERIFY(!fm_->fileFonts().hasFonts());
    // A cancelled dialog keeps the source as it was.
    prompter_->file(QString());
    QTest::mouseClick(fm_->RadioSoubor, Qt::LeftButton);
    QVERIFY(fm_->RadioSoubor->isChecked());
  }

  void deletingOneGlyphAndTheRestOfAFont() {
    fm_->show();
    fm_->PageControl1->setCurrentIndex(1);
    const PanelDatabase before = db();
    place(fm_->PoziceM, 3, 'N');
    QVERIFY(fm_->DrawGridM->isVisible());
    QTest::mouseClick(fm_->ButtonAnoM, Qt::LeftButton);
    QVERIFY(!db().fonts.glyph(3, 'N').exists());
    QVERIFY(!fm_->DrawGridM->isVisible());
    undoneAndRedone(before, "Undo Delete glyph 78 of font 3");

    // The rest of a font from code 100; "NE" first steps over one code.
    place(fm_->PoziceM, 3, 99);
    QTest::mouseClick(fm_->RadioCelyM, Qt::LeftButton);
    QTest::mouseClick(fm_->ButtonNeM, Qt::LeftButton);
    QCOMPARE(fm_->deletePosition(), (DeletePosition{3, 100}));
    QTest::mouseClick(fm_->ButtonVsechnyM, Qt::LeftButton);
    for (int code = 32; code < kCodeCount; ++code)
      QCOMPARE(db().fonts.glyph(3, code).exists(), code < 100 && before.fonts.glyph(3, code).exists());
    QCOMPARE(countGlyphs(db().fonts, 2), countGlyphs(before.fonts, 2));
    undoneAndRedone(before, "Undo Delete codes 100..255 of font 3");
  }
};

std::unique_ptr<QObject> makeFontManagerSuite() { return std::make_unique<TestFontManager>(); }

}  // namespace dorvak::test

#include "test_font_manager.moc"
