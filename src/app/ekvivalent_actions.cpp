#include "app/ekvivalent_actions.h"

#include <QFileInfo>

#include "app/list_commands.h"
#include "app/qt_text.h"
#include "app/read_progress.h"
#include "app/session.h"
#include "app/strings.h"
#include "core/error.h"
#include "core/messages.h"
#include "interchange/ekvivalents.h"

namespace dorvak {

namespace {

bool kt700(const Session& session) { return session.options().ekvivalentMode == EkvivalentMode::Kt700; }

EkvivalentProgress progressOf(Session& session) {
  return {[&session](std::string_view caption) { session.progress().start(qs(caption)); },
          session.progress().callback()};
}

}  // namespace

EkvivalentActions::EkvivalentActions(Session& session) : session_(session) {}

void EkvivalentActions::setAlphabetical(bool alphabetical) {
  alphabetical_ = alphabetical;
  emit orderChanged(alphabetical);
}

QString EkvivalentActions::startDirectory() const {
  return directory_.isEmpty() ? QString::fromStdString(session_.state().lastDir) : directory_;
}

bool EkvivalentActions::read() {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Open;
  request.objectName = "OpenDialogEKVI";
  request.title = qs(kt700(session_) ? text::ReadEkvivalentsKt700 : text::ReadEkvivalentsKt500);
  request.filters = {kt700(session_) ? qs(text::Kt700Database) + " (*.bbd)" : qs(text::Kt500Database) + " (*.bbd *.bbf)"};
  request.directory = startDirectory();
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return false;
  fileName_ = chosen->path;
  directory_ = QFileInfo(chosen->path).absolutePath();

  const PanelDatabase& db = session_.database();
  if (session_.options().ekvivalentMode == EkvivalentMode::None || db.destinations.empty()) return false;
  PanelDatabase scratch = db;
  EkvivalentReadOptions options;
  options.programOptions = session_.options();
  options.progress = progressOf(session_);
  options.notice = [this](const std::string& message) { session_.prompter().notice(message); };
  EkvivalentReadResult result;
  try {
    ProgressScope progress(session_.progress(), QString());
    result = readEkvivalents(scratch, chosen->path.toStdString(), options);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return false;
  }
  setAlphabetical(result.unsorted);
  if (!(scratch.destinations == db.destinations)) {
    Document& document = session_.document();
    document.push(new ReplaceListCommand(document, TextKind::Destination, std::move(scratch.destinations),
                                         qs(text::UndoReadEkvivalents)));
  }
  emit ekvivalentsRead();
  return true;
}

bool EkvivalentActions::write() {
  const bool forKt700 = kt700(session_);
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.objectName = "SaveDialogEKVI";
  request.title = qs(forKt700 ? text::WriteEkvivalentsKt700 : text::WriteEkvivalentsKt500);
  if (forKt700)
    request.filters = {qs(text::Kt700Database) + " (*.bbd)"};
  else
    request.filters = {qs(text::Kt500Database) + " (*.bbd)", qs(text::Kt500Database) + " (*.bbf)"};
  const bool lastWasBbf = fileName_.endsWith(".bbf", Qt::CaseInsensitive);
  request.filterIndex = !forKt700 && lastWasBbf ? 1 : 0;
  request.directory = startDirectory();
  request.selectedFile = QFileInfo(fileName_).completeBaseName();
  // The BBD question below is asked instead: a BBF is written into, not over.
  request.confirmOverwrite = false;
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return false;
  const bool bbf = chosen->filterIndex == 1;
  QString path = chosen->path;
  if (QFileInfo(path).suffix().isEmpty()) path += bbf ? ".bbf" : ".bbd";
  fileName_ = path;
  directory_ = QFileInfo(path).absolutePath();
  const std::string file = path.toStdString();

  if (!bbf && QFileInfo::exists(path) && !session_.prompter().yesNo(formatMessage(text::FileExists, file))) return false;
  if (bbf && !QFileInfo::exists(path)) {
    session_.prompter().notice(formatMessage(kBbfMustExist, file));
    return false;
  }
  EkvivalentWriteOptions options;
  options.programOptions = session_.options();
  options.progress = progressOf(session_);
  EkvivalentWriteResult result;
  try {
    ProgressScope progress(session_.progress(), QString());
    // A KT700 unit takes its records in alphabetical order only.
    result = writeEkvivalents(session_.database(), file, alphabetical_ || forKt700, options);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return false;
  }
  if (!result.written) return false;
  session_.state().ekvivalentsChanged = false;
  return true;
}

}  // namespace dorvak
