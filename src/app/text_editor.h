#pragma once
// The window of the text editors, one implementation for destinations,
// lines and stops (EditorTraits says how they differ): a number chooser, the
// TEXT page (one or two rows with their fonts, spacings, shifts, alignment
// and inversion; swap, block, "w" and AUTOFORMAT), the MNEMO page (the
// text's notation rows), SAVE, NEW, TEST/STOP, deleting, the ekvivalent
// field, and the menu of the list's text files. The library's TextDraft
// composes the text; every change is previewed in the field of the main
// window's panel picture; saving, deleting and reading files are commands on
// the document. The editor follows the entry the main window's chooser shows
// while it holds no unsaved changes.

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_files.h"
#include "app/editor_traits.h"
#include "app/document.h"
#include "text/text_draft.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace dorvak {

class Session;
class UpDown;

class TextEditor : public QMainWindow {
  Q_OBJECT
 public:
  TextEditor(Session& session, EditorTraits traits, QWidget* parent);
  ~TextEditor() override;

  FieldId fieldId() const { return traits_.field; }
  TextKind kind() const { return textKindOf(traits_.field); }
  const TextDraft& draft() const { return draft_; }
  // The text or the ekvivalent was changed and not saved.
  bool modified() const { return modified_ || ekvivalentModified_; }
  // The number of the entry loaded or saved; nothing after NEW.
  std::optional<int> number() const { return number_; }

  // The Tools menu and the chooser's pop-up: shown below the main window's
  // middle and brought to the front.
  void open();
  // The window came to the front or left it (the tests call them directly).
  void FormActivate();
  void FormDeactivate();

  // The handlers, named by their controls.
  void ButtonZOBRAZClick();
  void UpDownNClick(bool up);
  void ButtonULOZClick();
  void ButtonNOVYClick();
  void ButtonUKAZKAClick();
  void MenuNactiClick(bool add);
  void MenuUlozJakoClick();
  void MenuVymazatJedenClick();
  void MenuVymazatVsechnyClick();
  void SpeedButtonEKVIClick();

  QMenu* MenuList = nullptr;  // MenuCile, MenuLinky, MenuZastavky
  QAction* MenuNacti = nullptr;
  QAction* MenuPridej = nullptr;
  QAction* MenuUlozJako = nullptr;
  QAction* MenuVymazatJeden = nullptr;
  QAction* MenuVymazatVsechny = nullptr;
  QAction* MenuZavrit = nullptr;
  QMenu* MenuEdit = nullptr;  // Undo and Redo
  QMenu* PopupMenu1 = nullptr;
  QAction* PopMenuVymaz = nullptr;
  QAction* PopMenuVymazVse = nullptr;

  QGroupBox* GroupBoxN = nullptr;
  QLineEdit* EditN = nullptr;
  UpDown* UpDownN = nullptr;
  QPushButton* ButtonZOBRAZ = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  std::array<QLineEdit*, 2> Edit{};  // Edit1, Edit2
  // The buttons of each row: SpinEditF1, SpeedButtonMP1 ... and the same
  // with 2.
  struct RowControls {
    QSpinBox* SpinEditF = nullptr;
    QToolButton* SpeedButtonMM = nullptr;
    QToolButton* SpeedButtonMP = nullptr;
    QToolButton* SpeedButtonPM = nullptr;
    QToolButton* SpeedButtonPP = nullptr;
    QToolButton* SpeedButtonLD = nullptr;
    QToolButton* SpeedButtonL = nullptr;
    QToolButton* SpeedButtonC = nullptr;
    QToolButton* SpeedButtonP = nullptr;
    QToolButton* SpeedButtonPD = nullptr;
    QToolButton* SpeedButtonINV = nullptr;
    std::vector<QWidget*> all;  // every control of the row, for hiding row 2
  };
  std::array<RowControls, 2> Row{};
  QToolButton* SpeedButtonZAMEN = nullptr;
  QToolButton* SpeedButtonBLOK = nullptr;
  QToolButton* SpeedButtonW = nullptr;
  QCheckBox* CheckBoxAF = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  QPushButton* ButtonULOZ = nullptr;
  QPushButton* ButtonNOVY = nullptr;
  QPushButton* ButtonUKAZKA = nullptr;
  QLabel* LabelEKVI = nullptr;
  QLineEdit* EditEKVI = nullptr;
  QToolButton* SpeedButtonEKVI = nullptr;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  Session& session() { return session_; }
  // The ekvivalent field shows the entry's ekvivalent (the Ekvivalents menu
  // read new ones); released unless the ekvivalent is derived.
  void refreshEkvivalent();
  // A menu of the editor's own between the list's menu and Edit (the
  // destination editor's Ekvivalents).
  void addMenu(QMenu* menu);

 private:
  void createNumberGroup(QWidget* parent);
  void createTextPage();
  void createMnemoPage();
  void createButtons(QWidget* parent);
  void createMenus();
  QToolButton* rowButton(int row, const char* name, std::string_view caption, std::string_view accessible);

  // Runs a command of the draft; a change is shown, previewed and marks the
  // editor modified.
  void apply(bool changed);
  void showDraft();
  void showGrid();
  void showMarkers();
  void layoutRows();
  void layoutEkvivalent();
  // The program's ekvivalent mode shows this editor's ekvivalent field.
  bool ekvivalentShown() const;
  void updateCommands();
  void preview(int row);
  int previewRow() const;

  void loadEntry(int number, bool askMain);
  void clearEditor();
  void setNumberText(const QString& text);
  // The entry of the main window's choice, when the editor holds nothing
  // unsaved; else nothing changes.
  void followChoice();
  bool showsEntry(int number) const;
  // The text of the number's entry; nothing when the list has none.
  std::optional<std::string> entryTextOf(int number) const;
  // The number and key typed into EditN; nothing while it holds none.
  std::optional<int> typedNumber() const;
  std::optional<std::string> keyOfTyped() const;
  QString shownNumber(int number) const;

  void EditChange(int row);
  void RadioButtonClick(bool twoRows);
  void GridCellChanged(int row);
  void GridCurrentChanged(int row);
  void GridReturn();
  void EditEKVIChange();
  void stopTest();

  // The document's and the main window's signals.
  void listChanged(TextKind kind, const std::string& key, ListChange change);
  void configChanged();
  void databaseReplaced();
  void chooserShows(FieldId fieldId, int number, bool exists);

  Session& session_;
  EditorTraits traits_;
  TextDraft draft_;
  EditorFiles files_;
  std::optional<int> number_;
  bool modified_ = false;
  bool ekvivalentModified_ = false;
  bool active_ = false;
  bool testRunning_ = false;
  // Row 1's selection when it lost the focus (the click on "2" takes it):
  // start and length.
  std::pair<int, int> row1Selection_{0, 0};
  bool ownCommand_ = false;  // a command of this editor is on its way: the chooser's answer is not followed
  int busy_ = 0;             // while the editor sets its own controls, handlers return at once
};

}  // namespace dorvak
