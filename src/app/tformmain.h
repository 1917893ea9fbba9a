#pragma once
// The main window: opens, saves and closes the one panel data base, plays
// the chosen line, destination and stop on a dot-exact picture of the
// panel, and lets the user choose them by number.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <string>

#include "render/panel_observer.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;

namespace dorvak {

class PanelPicture;
class Session;
class TFormPANEL;
class UpDown;

class TFormMAIN : public QMainWindow, public PanelObserver {
  Q_OBJECT
 public:
  explicit TFormMAIN(Session& session);
  ~TFormMAIN() override;

  // The simulator paints into the picture; it exists after the window.
  void attachPanel(TFormPANEL& panel);
  PanelPicture& picture() { return *DrawGridP; }

  // Menu commands.
  void MenuNovyClick();
  void MenuOtevriClick();
  void MenuUlozClick();
  void MenuUlozJakoClick();
  void MenuZavriClick();
  void MenuOProgramuClick();

  // Open without the dialog (command line, recent files); true on success.
  bool openFile(const std::string& path);
  // Shows the number in its chooser as if picked or typed (command line).
  void choose(std::uint8_t fieldId, int number);
  // Asks whether to save a changed data base; false stops the command.
  bool askSave();

  // The chooser of a field (FieldId::Line, Destination, Stop).
  struct Chooser {
    std::uint8_t fieldId = 0;
    QGroupBox* group = nullptr;
    QComboBox* combo = nullptr;
    UpDown* upDown = nullptr;
    QCheckBox* check = nullptr;
    QMenu* popup = nullptr;
    QAction* edit = nullptr;
    QAction* deleteOne = nullptr;
    QAction* deleteAll = nullptr;
  };
  Chooser& chooser(std::uint8_t fieldId) { return choosers_.at(fieldId - 1u); }
  void MenuDeleteOneClick(std::uint8_t fieldId);

  void refreshChoosers();
  void updateCounts(std::uint8_t fieldId);
  void showNotExisting(std::uint8_t fieldId, const std::string& message);
  void layoutPicture();

  // PanelObserver.
  void tooLongWarningChanged(std::uint8_t fieldId, bool shown) override;
  void chooserEnabledChanged(std::uint8_t fieldId, bool enabled) override;
  void choosersRefreshed() override;

  // Controls, named by their role.
  QAction* MenuNovy = nullptr;
  QAction* MenuOtevri = nullptr;
  QAction* MenuUloz = nullptr;
  QAction* MenuUlozJako = nullptr;
  QAction* MenuZavri = nullptr;
  QAction* MenuKonec = nullptr;
  QMenu* MenuPosledni = nullptr;
  QAction* MenuEdFONT = nullptr;
  QAction* MenuEdLINKA = nullptr;
  QAction* MenuEdCIL = nullptr;
  QAction* MenuEdZAST = nullptr;
  QAction* MenuKONF = nullptr;
  QAction* MenuVolby = nullptr;
  QAction* MenuOProgramu = nullptr;
  QWidget* PanelP = nullptr;
  QLabel* LabelP = nullptr;
  PanelPicture* DrawGridP = nullptr;
  std::array<QLabel*, 3> PanelVAROVANI{};  // _L, _C, _Z
  QLabel* PanelHlasC = nullptr;
  QLabel* PanelHlasZ = nullptr;
  QLabel* PanelFNT = nullptr;
  QLabel* LabelVerze = nullptr;
  QLineEdit* EditVERZE = nullptr;
  std::array<QLabel*, 4> StatusBar1{};
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* PanelTXT = nullptr;
  QFileDialog* OpenDialog1 = nullptr;
  QFileDialog* SaveDialog1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createMenus();
  void createChoosers(QWidget* parent);
  void createPicture(QWidget* parent);
  void setCaption();

  // Choosing numbers.
  void setPickList(Chooser& c, bool pickList);
  void fillChooser(std::uint8_t fieldId);
  void showItem(std::uint8_t fieldId, int index);
  void showNumberInBox(std::uint8_t fieldId, int number);
  void showChosenNumber(std::uint8_t fieldId, int number);
  void ComboBoxSelect(std::uint8_t fieldId, int index);
  void ComboBoxEnter(std::uint8_t fieldId);
  void ComboBoxExit(std::uint8_t fieldId);
  void UpDownClick(std::uint8_t fieldId, bool up);
  void CheckBoxClick(std::uint8_t fieldId);
  void EditVERZEChange();
  int maxNumber(std::uint8_t fieldId) const;
  int& currentNumber(std::uint8_t fieldId);
  bool& chosenFlag(std::uint8_t fieldId);

  // Sessions of work.
  void resetSession();
  void showDatabase(bool shown);
  void enableFileCommands(bool save, bool saveAs, bool close);
  bool writeFile(const std::string& path);
  void addRecentFile(const std::string& path);
  void fillRecentMenu();

  Session& session_;
  TFormPANEL* panel_ = nullptr;
  std::array<Chooser, 3> choosers_{};
  int busy_ = 0;  // while the window sets its own controls, handlers return at once
};

}  // namespace dorvak
