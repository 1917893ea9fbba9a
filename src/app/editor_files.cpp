#include "app/editor_files.h"

#include <QFileInfo>

#include "app/list_commands.h"
#include "app/qt_text.h"
#include "app/read_progress.h"
#include "app/session.h"
#include "app/strings.h"
#include "core/error.h"
#include "interchange/unit_texts.h"
#include "text/text_import.h"

namespace dorvak {

std::optional<ReadSource> EditorFiles::read(bool add) {
  const PanelDatabase& db = session_.database();
  WorkingState& state = session_.state();
  const std::vector<ReadChoice> choices = traits_.readChoices(db);
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Open;
  request.objectName = "OpenDialog1";
  request.title = qs(add ? text::AddTitle : text::ReadTitle);
  for (const ReadChoice& c : choices) request.filters << c.filter;
  request.directory = QString::fromStdString(state.lastDir);
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return std::nullopt;
  state.lastDir = QFileInfo(chosen->path).absolutePath().toStdString();
  fileName_ = chosen->path;
  // The filter chosen decides how the file is read, not its extension.
  const ReadSource source = choices.at(static_cast<std::size_t>(chosen->filterIndex)).source;
  const std::string path = chosen->path.toStdString();
  const TextKind kind = textKindOf(traits_.field);

  TextImportOptions options;
  options.add = add;
  options.askDuplicate = session_.askPrompt();
  options.askContinue = [this](const std::string& question) { return session_.prompter().yesNo(question); };
  options.progressCaption = [this](std::string_view caption) { session_.progress().start(qs(caption)); };
  options.progress = session_.progress().callback();
  options.notice = [this](const std::string& message) { session_.prompter().notice(message); };
  options.programOptions = session_.options();
  state.readCancelled = false;
  PanelDatabase scratch = db;
  try {
    ProgressScope progress(session_.progress(), QString());
    switch (source) {
      case ReadSource::Packed: importTextFile(scratch, kind, path, TextSource::Packed, options); break;
      case ReadSource::Text: importTextFile(scratch, kind, path, TextSource::Text, options); break;
      case ReadSource::PanelDatabase: importFromPanelDatabase(scratch, kind, path, options); break;
      case ReadSource::UnitFile: readUnitTexts(scratch, kind, path, options); break;
    }
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return std::nullopt;
  }
  // What was read before a Storno or a bad record stays.
  if (!(scratch.list(kind) == db.list(kind))) {
    Document& document = session_.document();
    document.push(new ReplaceListCommand(document, kind, std::move(scratch.list(kind)),
                                         qs(add ? traits_.undoAdd : traits_.undoRead)));
  }
  return source;
}

bool EditorFiles::saveAs() {
  const PanelDatabase& db = session_.database();
  WorkingState& state = session_.state();
  const std::vector<SaveChoice> choices = traits_.saveChoices(db);
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.objectName = "SaveDialog1";
  request.title = qs(text::SaveAsTitle);
  const QString lastExtension = "." + QFileInfo(fileName_).suffix().toLower();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    request.filters << choices[i].filter;
    if (i > 0 && choices[i].extension == lastExtension) request.filterIndex = static_cast<int>(i);
  }
  request.directory = QString::fromStdString(state.lastDir);
  request.selectedFile = QFileInfo(fileName_).completeBaseName();
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return false;
  // The layout follows the filter chosen, not the extension.
  const SaveChoice& choice = choices.at(static_cast<std::size_t>(chosen->filterIndex));
  QString path = chosen->path;
  if (QFileInfo(path).suffix().isEmpty()) path += choice.extension;
  state.lastDir = QFileInfo(path).absolutePath().toStdString();
  fileName_ = path;
  try {
    writeTextFile(db, textKindOf(traits_.field), path.toStdString(), choice.layout, session_.options());
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return false;
  }
  return true;
}

}  // namespace dorvak
