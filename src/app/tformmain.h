#pragma once
// The main window: plays the chosen line, destination and stop on a
// dot-exact picture of the panel and lets the user choose them by number.
// It is a view of the document: its choosers, counts, data version and
// picture follow the document's signals. The File menu lives in
// FileActions, each chooser in a ChooserBox.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <string>

#include "app/document.h"
#include "render/field_view.h"
#include "render/panel_observer.h"

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace dorvak {

class ChooserBox;
class FileActions;
class PanelPicture;
class Session;
class TFormPANEL;

class TFormMAIN : public QMainWindow, public PanelObserver {
  Q_OBJECT
 public:
  explicit TFormMAIN(Session& session);
  ~TFormMAIN() override;

  // The simulator paints into the picture; it exists after the window.
  void attachPanel(TFormPANEL& panel);
  PanelPicture& picture() { return *DrawGridP; }
  FileActions& files() { return *files_; }
  ChooserBox& chooser(FieldId fieldId) { return *choosers_.at(fieldIndex(fieldId)); }

  // Open without the dialog (command line); true on success.
  bool openFile(const std::string& path);
  // Shows the number in its chooser as if picked or typed (command line).
  void choose(FieldId fieldId, int number);

  // File > Export animation: the panel as it plays now, one loop, as a GIF.
  void MenuExportAnimaceClick();
  void MenuOProgramuClick();
  void MenuNapovedaClick();

  void refreshChoosers();
  void updateCounts(FieldId fieldId);
  void showNotExisting(FieldId fieldId, const QString& message);
  void layoutPicture();

  // The picture's dot size: automatic (4, 3 or 2 pixels by the panel's
  // length) or zoomed by the user.
  void zoomIn();
  void zoomOut();
  void zoomReset();

  // PanelObserver.
  void tooLongWarningChanged(FieldId fieldId, bool shown) override;
  void chooserEnabledChanged(FieldId fieldId, bool enabled) override;
  void choosersRefreshed() override;

  // Controls, named by their role.
  QAction* MenuExportAnimace = nullptr;
  QAction* MenuEdFONT = nullptr;
  QAction* MenuEdLINKA = nullptr;
  QAction* MenuEdCIL = nullptr;
  QAction* MenuEdZAST = nullptr;
  QAction* MenuKONF = nullptr;
  QAction* MenuVolby = nullptr;
  QAction* MenuOProgramu = nullptr;
  QAction* MenuNapoveda = nullptr;
  QAction* MenuZoomIn = nullptr;
  QAction* MenuZoomOut = nullptr;
  QAction* MenuZoomReset = nullptr;
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

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createMenus();
  // Tools > Line, Destination or Stop editor.
  QAction* editorAction(FieldId fieldId) const;
  void createPicture(QWidget* parent);
  void createStatusBar();
  void setCaption();
  void showDatabase();
  void EditVERZEChange();

  // The document's signals.
  void databaseReplaced();
  void listChanged(TextKind kind);
  void restartFields();
  void configChanged();
  void dataVersionChanged();

  Session& session_;
  FileActions* files_ = nullptr;
  TFormPANEL* panel_ = nullptr;
  std::array<ChooserBox*, 3> choosers_{};
  int zoomDot_ = 0;  // 0: automatic
  int busy_ = 0;     // while the window sets its own controls, handlers return at once
};

}  // namespace dorvak
