#include "app/file_actions.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/tformedfont.h"
#include "app/tformkonf.h"
#include "core/error.h"
#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/messages.h"

namespace dorvak {

namespace {

constexpr int kMaxRecentFiles = 6;

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QString panelDatabaseFilter() { return qs(text::PanelDatabaseFilter) + qs(text::HexFilterSuffix); }

}  // namespace

FileActions::FileActions(Session& session, QWidget* window) : QObject(window), session_(session), window_(window) {
  auto action = [this](std::string_view caption, const char* name, auto slot) {
    auto* a = new QAction(qs(caption), this);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  MenuNovy = action(text::MenuNew, "MenuNovy", &FileActions::MenuNovyClick);
  MenuOtevri = action(text::MenuOpen, "MenuOtevri", &FileActions::MenuOtevriClick);
  MenuUloz = action(text::MenuSave, "MenuUloz", &FileActions::MenuUlozClick);
  MenuUlozJako = action(text::MenuSaveAs, "MenuUlozJako", &FileActions::MenuUlozJakoClick);
  MenuZavri = action(text::MenuClose, "MenuZavri", &FileActions::MenuZavriClick);
  MenuKonec = action(text::MenuExit, "MenuKonec", [this] { window_->close(); });
  MenuNovy->setShortcut(QKeySequence::New);
  MenuOtevri->setShortcut(QKeySequence::Open);
  MenuUloz->setShortcut(QKeySequence::Save);
  MenuUlozJako->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  MenuZavri->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  MenuKonec->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  MenuPosledni = new QMenu(qs(text::MenuRecent), window_);
  MenuPosledni->setObjectName("MenuPosledni");

  Document& document = session_.document();
  connect(&document, &Document::databaseReplaced, this, &FileActions::updateActions);
  // Ekvivalents belong to the data base they were changed in.
  connect(&document, &Document::databaseReplaced, this, [this] { session_.state().ekvivalentsChanged = false; });
  connect(&document, &Document::fontsChanged, this, &FileActions::updateActions);
  updateActions();
  fillRecentMenu();
}

void FileActions::addTo(QMenu* file) {
  file->addAction(MenuNovy);
  file->addAction(MenuOtevri);
  file->addAction(MenuUloz);
  file->addAction(MenuUlozJako);
  file->addAction(MenuZavri);
  file->addSeparator();
  file->addMenu(MenuPosledni);
  file->addSeparator();
  file->addAction(MenuKonec);
}

void FileActions::updateActions() {
  const Document& document = session_.document();
  // A data base without fonts cannot be saved; a new one is saved through
  // Save as.
  const bool saveable = document.isOpen() && document.database().hasFonts();
  MenuUloz->setEnabled(saveable);
  MenuUlozJako->setEnabled(saveable);
  MenuZavri->setEnabled(document.isOpen());
}

bool FileActions::askSave() {
  // Changed ekvivalents are offered first, for the on-board unit's data
  // base; a write that is cancelled or fails keeps everything as it is.
  WorkingState& state = session_.state();
  if (state.ekvivalentsChanged && session_.options().ekvivalentMode != EkvivalentMode::None) {
    switch (session_.prompter().yesNoCancel(text::SaveChanges)) {
      case YesNoCancel::Yes:
        if (!session_.ekvivalents().write()) return false;
        break;
      case YesNoCancel::No: return true;
      case YesNoCancel::Cancel: return false;
    }
  }
  const Document& document = session_.document();
  const PanelDatabase& db = document.database();
  const bool anyTexts = !db.lines.empty() || !db.destinations.empty() || !db.stops.empty();
  if (!document.isModified() || !(anyTexts || db.hasFonts())) return true;
  switch (session_.prompter().yesNoCancel(text::SaveChanges)) {
    case YesNoCancel::Yes:
      // A Save as that was cancelled or failed keeps everything as it is.
      return MenuUlozJakoClick();
    case YesNoCancel::No: return true;
    case YesNoCancel::Cancel: break;
  }
  return false;
}

void FileActions::MenuNovyClick() {
  if (!askSave()) return;
  // The fonts stay; everything else starts from the defaults. Without any
  // glyph the keys become the default ones, so that glyphs drawn or imported
  // into the new data base get the keys the text editors type.
  PanelDatabase fresh = session_.database();
  fresh.clearTexts();
  fresh.resetConfig();
  if (!fresh.hasFonts()) {
    fresh.clearFonts(true);
    fresh.specialGlyph = findSpecialGlyph(fresh.fonts);
  }
  session_.document().replace(std::move(fresh), std::string(), ChooserState{});
  // A panel without fonts shows nothing: the fonts come first, then the
  // configuration.
  session_.fontEditor().openModal(0, 65);
  if (!session_.database().hasFonts()) return;
  session_.configurationWindow().showModal();
}

void FileActions::MenuOtevriClick() {
  if (!askSave()) return;
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Open;
  request.objectName = "OpenDialog1";
  request.title = qs(text::OpenTitle);
  request.filters = {panelDatabaseFilter()};
  request.directory = QString::fromStdString(state.lastDir);
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return;
  openFile(chosen->path.toStdString());
}

bool FileActions::openWithQuestion(const std::string& path) { return askSave() && openFile(path); }

bool FileActions::openFile(const std::string& path) {
  WorkingState& state = session_.state();
  state.lastDir = QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
  state.readCancelled = false;

  // Read into a fresh data base: the open one stays when the file cannot be
  // read. Fonts start empty with the default keys; the configuration the
  // header does not hold is kept.
  const PanelDatabase& open = session_.database();
  PanelDatabase fresh;
  fresh.config = open.config;
  fresh.autoformatPresets = open.autoformatPresets;
  fresh.clearFonts(true);

  HexReadOptions options;
  options.kt500Table = &session_.options().kt500Table;
  options.progress = session_.progress().callback();
  options.notice = [this](const std::string& message) { session_.prompter().notice(message); };
  OpenResult result;
  try {
    ProgressScope progress(session_.progress(), qs(text::DatabaseInput));
    result = openHexFile(fresh, path, options);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return false;
  }
  session_.document().replace(std::move(fresh), path, result.decoding.choosers);
  addRecentFile(path);
  return true;
}

bool FileActions::writeFile(const std::string& path) {
  // The destination table keeps the ekvivalents typed or read (they follow
  // the CR that ends what the panel shows), so that the next Open has them.
  HexWriteOptions options;
  options.kt500Table = &session_.options().kt500Table;
  options.confirm = [this](std::string_view question) { return session_.prompter().yesNo(question); };
  try {
    const WaitCursor wait;
    if (writeHexFile(session_.database(), path, options) != SaveResult::Written) return false;
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return false;
  }
  session_.document().markSaved(path);
  addRecentFile(path);
  return true;
}

bool FileActions::MenuUlozClick() {
  const std::string& name = session_.document().fileName();
  if (name.empty()) return MenuUlozJakoClick();
  return writeFile(name);
}

bool FileActions::MenuUlozJakoClick() {
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.objectName = "SaveDialog1";
  request.title = qs(text::SaveAsTitle);
  request.filters = {panelDatabaseFilter()};
  request.directory = QString::fromStdString(state.lastDir);
  request.selectedFile = QFileInfo(QString::fromStdString(session_.document().fileName())).fileName();
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return false;
  QString path = chosen->path;
  if (QFileInfo(path).suffix().isEmpty()) path += ".hex";
  state.lastDir = QFileInfo(path).absolutePath().toStdString();
  return writeFile(path.toStdString());
}

void FileActions::MenuZavriClick() {
  if (!askSave()) return;
  session_.document().close();
}

void FileActions::addRecentFile(const std::string& path) {
  QSettings settings;
  QStringList files = settings.value("recentFiles").toStringList();
  const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kMaxRecentFiles) files.removeLast();
  settings.setValue("recentFiles", files);
  fillRecentMenu();
}

void FileActions::removeRecentFile(const QString& path) {
  QSettings settings;
  QStringList files = settings.value("recentFiles").toStringList();
  files.removeAll(path);
  settings.setValue("recentFiles", files);
  fillRecentMenu();
}

void FileActions::fillRecentMenu() {
  MenuPosledni->clear();
  const QStringList files = QSettings().value("recentFiles").toStringList();
  for (const QString& file : files) {
    QAction* a = MenuPosledni->addAction(file);
    connect(a, &QAction::triggered, this, [this, file] {
      // A file that is gone leaves the list instead of failing again.
      if (!QFileInfo::exists(file)) {
        removeRecentFile(file);
        session_.prompter().notice(formatMessage(msg::AccessDenied, file.toStdString()));
        return;
      }
      openWithQuestion(file.toStdString());
    });
  }
  MenuPosledni->setEnabled(!files.isEmpty());
}

}  // namespace dorvak
