#pragma once
// The main window's File menu: New, Open, Save, Save as, Close, the recent
// files and Exit, and the question asked before a changed data base is
// left. Each works on the document; the views follow its signals.

#include <QObject>
#include <string>

class QAction;
class QMenu;
class QWidget;

namespace dorvak {

class Session;

class FileActions : public QObject {
  Q_OBJECT
 public:
  // window: the main window, which Exit closes.
  FileActions(Session& session, QWidget* window);

  void addTo(QMenu* file);

  void MenuNovyClick();
  void MenuOtevriClick();
  // Both return true when the file was written.
  bool MenuUlozClick();
  bool MenuUlozJakoClick();
  void MenuZavriClick();

  // Opens without a dialog (command line); the open data base stays when
  // the file cannot be read. True on success.
  bool openFile(const std::string& path);
  // Asks to save first (recent files, a dropped file).
  bool openWithQuestion(const std::string& path);
  // Asks whether to save a changed data base; false stops the command.
  bool askSave();

  QAction* MenuNovy = nullptr;
  QAction* MenuOtevri = nullptr;
  QAction* MenuUloz = nullptr;
  QAction* MenuUlozJako = nullptr;
  QAction* MenuZavri = nullptr;
  QAction* MenuKonec = nullptr;
  QMenu* MenuPosledni = nullptr;

 private:
  bool writeFile(const std::string& path);
  void updateActions();
  void addRecentFile(const std::string& path);
  void removeRecentFile(const QString& path);
  void fillRecentMenu();

  Session& session_;
  QWidget* window_;
};

}  // namespace dorvak
