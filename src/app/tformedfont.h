#pragma once
// The font editor (TFormEdFONT): a glyph drawn dot by dot on a 28 x 28 grid
// with the mouse, shifted and normalised, stored under a font and code with
// its key; the deletes, reading and writing font files, reading the fonts of
// a panel data base, the font manager and the import from standard fonts.
// The grid is the editor's working copy; every change of the fonts is an
// undoable command on the document, and the editor follows the document's
// fonts whoever changed them.

#include <QDialog>
#include <array>
#include <string>

#include "app/font_commands.h"
#include "fonts/edit_grid.h"
#include "fonts/font_file.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QScrollArea;
class QToolButton;

namespace dorvak {

class FontImportDialog;
class GlyphGridView;
class PanelDotsView;
class Session;
class UpDown;

class TFormEdFONT : public QDialog {
  Q_OBJECT
 public:
  TFormEdFONT(Session& session, QWidget* parent);
  ~TFormEdFONT() override;

  // Tools > Font editor: shown beside the main window (or raised).
  void showEditor();
  // New: the editor opens modally on the glyph and returns when closed.
  void openModal(int font, int code);

  int currentFont() const { return font_; }
  int currentCode() const { return code_; }
  const EditGrid& grid() const { return grid_; }
  FontFileLayout fileLayout() const { return layout_; }
  const std::string& fontFileName() const { return fontFileName_; }
  FontImportDialog& importDialog() { return *importDialog_; }

  // Handlers, named after control and event.
  void ButtonZobrazClick();
  void ButtonUlozClick();
  void ButtonShiftClick(GridShift direction, bool shiftHeld);
  void ButtonKresliClick();
  void UpDownCFClick(bool up);
  void UpDownZNClick(bool up);
  void EditCFExit();
  void EditDChange();
  void EditDExit();
  void EditHChange();
  void EditCChange();
  void StatusBarLayoutClick();
  void MenuCtiClick();
  void MenuUlozJakoClick();
  void MenuSmazJedenClick();
  void MenuSmazKodClick();
  void MenuSmazFontClick();
  void MenuSmazVseClick();
  void MenuFMClick();
  void MenuImportClick();

  // Controls, named by their role.
  QLineEdit* EditCF = nullptr;
  UpDown* UpDownCF = nullptr;
  QLineEdit* EditD = nullptr;
  QLineEdit* EditH = nullptr;
  UpDown* UpDownZN = nullptr;
  QLineEdit* EditC = nullptr;
  QPushButton* ButtonZobraz = nullptr;
  QPushButton* ButtonUloz = nullptr;
  QPushButton* ButtonNahoru = nullptr;
  QPushButton* ButtonDolu = nullptr;
  QPushButton* ButtonDoleva = nullptr;
  QPushButton* ButtonDoprava = nullptr;
  QPushButton* ButtonKresli = nullptr;
  QLabel* LabelPozor = nullptr;
  GlyphGridView* DrawGrid1 = nullptr;
  QScrollArea* GridArea = nullptr;
  PanelDotsView* PanelGlyph = nullptr;  // the glyph at the panel's scale
  QToolButton* StatusLayout = nullptr;  // status panel 0: "N" or "S"
  std::array<QLabel*, 8> StatusBar1{};  // panels 1..7; panel 0 is StatusLayout
  QAction* MenuCti = nullptr;
  QAction* MenuUlozJako = nullptr;
  QAction* MenuSmazJeden = nullptr;
  QAction* MenuSmazKod = nullptr;
  QAction* MenuSmazFont = nullptr;
  QAction* MenuSmazVse = nullptr;
  QAction* MenuFM = nullptr;
  QAction* MenuImport = nullptr;
  QAction* MenuZavri = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createMenus(QMenuBar* bar);
  void createStatusBar(QStatusBar* bar);

  void setCode(int code);
  void loadGlyph();
  void refreshCodeFields(QLineEdit* except = nullptr);
  void refreshKey();
  void refreshWarning();
  void refreshMenu();
  void refreshCount();
  void gridChanged();  // the user drew, shifted or normalised
  void showGrid();
  void showTooLarge(bool tooLarge);
  void pushFonts(const QString& label, GlyphScope scope, FontsCommand::Operation operation);

  // The document's signals.
  void fontsChanged();
  void databaseReplaced();

  Session& session_;
  EditGrid grid_;
  int font_ = 0;
  int code_ = 65;
  FontFileLayout layout_ = FontFileLayout::N;
  std::string fontFileName_;  // the last font file read or written
  FontImportDialog* importDialog_ = nullptr;
  Qt::KeyboardModifiers clickModifiers_;  // of the last click on a shift button
  bool drawingUnsaved_ = false;  // the grid differs from the glyph loaded into it
  int busy_ = 0;  // while the editor sets its own controls, handlers return at once
};

}  // namespace dorvak
