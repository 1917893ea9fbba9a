// The options window: the ekvivalent mode set and followed, the KT500 and
// KT700 tables read on SET, the options file written at once and read back,
// CANCEL, the service switches behind ">>", and the F switch showing the
// configuration's panel number.

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "app/session.h"
#include "app/tformkonf.h"
#include "app/tformmain.h"
#include "app/tformvolby.h"
#include "config/program_options.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "scripted_prompter.h"
#include "test_session.h"

namespace dorvak::test {

class TestOptions : public QObject {
  Q_OBJECT

  std::unique_ptr<TestSession> test_;
  const QTemporaryDir* dir_ = nullptr;
  Session* session_ = nullptr;
  ScriptedPrompter* prompter_ = nullptr;
  TFormVolby* volby_ = nullptr;
  QString optionsPath_;

  void openWindow() {
    session_->main().MenuVolby->trigger();
    QVERIFY(volby_->isVisible());
    QCOMPARE(volby_->windowModality(), Qt::ApplicationModal);
  }

  QString tableFile(const QString& name, int size, char fill) {
    const QString path = dir_->filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(size, fill));
    return path;
  }

 private slots:
  void init() {
    test_ = std::make_unique<TestSession>("config/dorvak/dorvak.ovl");
    dir_ = &test_->dir();
    session_ = &test_->session();
    prompter_ = &test_->prompter();
    optionsPath_ = dir_->filePath("config/dorvak/dorvak.ovl");
    volby_ = &session_->optionsWindow();
    session_->main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&session_->main()));
  }

  void cleanup() {
    test_->checkAnswered();
    test_.reset();
  }

  void optionsAreAvailableWithoutADataBase() {
    QVERIFY(session_->main().MenuVolby->isEnabled());
    openWindow();
    QCOMPARE(volby_->windowTitle(), QString("Options"));
    QVERIFY(volby_->RadioEKV[0]->isChecked());
    QCOMPARE(volby_->PanelTBK->text(), QString());
    // The service switches stay hidden until ">>".
    QVERIFY(!volby_->CheckBoxM->isVisible());
    QTest::mouseClick(volby_->SpeedButtonFIREMNI, Qt::LeftButton);
    QVERIFY(volby_->CheckBoxM->isVisible() && volby_->CheckBoxF->isVisible());
    QVERIFY(!volby_->SpeedButtonFIREMNI->isEnabled());
    volby_->reject();
  }

  void setChangesTheModeTellsTheWindowsAndWritesTheFile() {
    const QString kt500 = tableFile("unit.tbk", 128, 'k');
    const QString kt700 = tableFile("unit.700", 512, 'w');
    QSignalSpy changed(&session_->optionsModel(), &OptionsModel::changed);
    openWindow();
    volby_->RadioEKV[2]->click();
    QVERIFY(volby_->CheckBoxZMENY->isVisible() && !volby_->CheckBoxZMENY->isChecked());
    QCOMPARE(volby_->CheckBoxZMENY->accessibleName(), QString("Changes save automatical"));
    QCOMPARE(volby_->CheckBoxZMENY->accessibleDescription(), QString("CheckBoxZMENY"));
    volby_->CheckBoxZMENY->click();
    prompter_->file(kt500).file(kt700);
    volby_->ButtonTBK->click();
    QCOMPARE(prompter_->asked().back().request.title, QString("KT500 code table"));
    QCOMPARE(prompter_->asked().back().request.filters, QStringList{"KT500 code table (*.tbk)"});
    volby_->Button700->click();
    QCOMPARE(prompter_->asked().back().request.filters, QStringList{"KT700 code table (*.700)"});
    QCOMPARE(volby_->PanelTBK->text(), QString::fromStdString(displayPath(kt500.toStdString())));
    QVERIFY(volby_->PanelTBK->text().size() <= 32);
    // Nothing is read or set before SET.
    QCOMPARE(changed.count(), 0);
    QCOMPARE(session_->options().kt500Path, std::string());
    QTest::mouseClick(volby_->ButtonVYBER, Qt::LeftButton);
    QVERIFY(!volby_->isVisible());
    QCOMPARE(changed.count(), 1);
    const ProgramOptions& options = session_->options();
    QCOMPARE(options.ekvivalentMode, EkvivalentMode::Kt700);
    QCOMPARE(options.kt500Path, kt500.toStdString());
    QCOMPARE(options.kt500Table[5], std::uint8_t('k'));
    QCOMPARE(options.kt700Table[200], std::uint8_t('w'));
    QCOMPARE(options.kt700Widths[3], std::uint8_t('w'));
    QVERIFY(options.changesSaveAutomatically);

    // The file is there at once, and reads back as set.
    QFile file(optionsPath_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), ("2\r\n" + kt500 + "\r\n" + kt700 + "\r\n").toUtf8());
    const ProgramOptions reread = loadProgramOptions(optionsPath_.toStdString());
    QCOMPARE(reread.ekvivalentMode, EkvivalentMode::Kt700);
    QVERIFY(reread.kt500Table == options.kt500Table && reread.kt700Table == options.kt700Table);

    // "none" goes back to the built-in table.
    openWindow();
    QVERIFY(volby_->CheckBoxZMENY->isChecked());
    volby_->ButtonTBKcl->click();
    volby_->RadioEKV[1]->click();
    volby_->ButtonVYBER->click();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(session_->options().ekvivalentMode, EkvivalentMode::Kt500);
    QVERIFY(session_->options().kt500Table == builtinKt500Table());
    QCOMPARE(loadProgramOptions(optionsPath_.toStdString()).ekvivalentMode, EkvivalentMode::Kt500);
  }

  void aTableThatIsGoneOrShortChangesNothing() {
    const ProgramOptions before = session_->options();
    openWindow();
    volby_->RadioEKV[1]->click();
    const QString gone = dir_->filePath("gone.tbk");
    prompter_->file(gone);
    volby_->ButtonTBK->click();
    volby_->ButtonVYBER->click();
    QCOMPARE(prompter_->notices(), QStringList{"File " + gone + " don't exist"});
    QVERIFY(volby_->isVisible());
    QVERIFY(session_->options() == before);
    QVERIFY(!QFile::exists(optionsPath_));

    const QString shortTable = tableFile("short.700", 300, 'x');
    volby_->ButtonTBKcl->click();
    prompter_->file(shortTable);
    volby_->Button700->click();
    volby_->ButtonVYBER->click();
    QCOMPARE(prompter_->notices().last(), QString("Read beyond end of file"));
    QVERIFY(session_->options() == before);
    volby_->reject();
  }

  void cancelChangesNothing() {
    QSignalSpy changed(&session_->optionsModel(), &OptionsModel::changed);
    openWindow();
    volby_->RadioEKV[2]->click();
    QTest::mouseClick(volby_->ButtonZRUS, Qt::LeftButton);
    QVERIFY(!volby_->isVisible());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(session_->options().ekvivalentMode, EkvivalentMode::None);
    // The next opening shows the options, not what was clicked.
    openWindow();
    QVERIFY(volby_->RadioEKV[0]->isChecked());
    volby_->reject();
  }

  void theFSwitchShowsThePanelNumber() {
    QVERIFY(session_->main().openFile(demoCopy(*dir_).toStdString()));
    TFormKONF& konf = session_->configurationWindow();
    konf.showModal();
    QVERIFY(konf.SpinEditCislo->isHidden());
    konf.reject();
    openWindow();
    volby_->SpeedButtonFIREMNI->click();
    volby_->CheckBoxF->click();
    volby_->ButtonVYBER->click();
    QVERIFY(session_->options().optionF);
    konf.showModal();
    QVERIFY(!konf.SpinEditCislo->isHidden());
    konf.SpinEditCislo->setValue(7);
    konf.ButtonNASTAVClick();
    QCOMPARE(session_->database().config.panelNumber, 7);
    session_->document().undoStack().setClean();
  }
};

std::unique_ptr<QObject> makeOptionsSuite() { return std::make_unique<TestOptions>(); }

}  // namespace dorvak::test

#include "test_options.moc"
