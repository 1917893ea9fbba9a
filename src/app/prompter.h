#pragma once
// Every question, message box and file dialog of the program goes through
// the prompter: the program answers them with dialogs (QtPrompter), the
// tests with scripted answers.

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "config/prompt_answer.h"

class QDialog;

namespace dorvak {

enum class YesNoCancel { Yes, No, Cancel };

struct FileDialogRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  QString objectName;  // the dialog's control name, "OpenDialog1"
  QString title;
  QStringList filters;  // "panel database (*.hex)"
  int filterIndex = 0;  // the filter chosen at first
  QString directory;
  QString selectedFile;  // a save dialog's suggested name
  // A save dialog asks before it replaces a file; false when the caller
  // asks its own question.
  bool confirmOverwrite = true;
};

struct ChosenFile {
  QString path;
  int filterIndex = 0;  // the filter in force when the file was chosen
};

// The path of a chosen file, for dialogs that offer one filter.
inline std::optional<QString> chosenPath(const std::optional<ChosenFile>& chosen) {
  if (!chosen) return std::nullopt;
  return chosen->path;
}

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Texts arrive in UTF-8; a CR or LF breaks the line.
  virtual void notice(std::string_view text) = 0;
  virtual bool okCancel(std::string_view text) = 0;
  virtual bool yesNo(std::string_view text) = 0;
  virtual YesNoCancel yesNoCancel(std::string_view text) = 0;
  // The five-button question of the readers (Storno when closed).
  virtual PromptAnswer fiveButtons(std::string_view text) = 0;
  // The chosen file, or nothing when the dialog was cancelled. An open
  // dialog takes only existing files; a save dialog asks before it
  // replaces one, unless told not to.
  virtual std::optional<ChosenFile> chooseFile(const FileDialogRequest& request) = 0;
  // A window of the program that the user works in modally (the font editor
  // that New opens, the font manager, the font import): returns when it is
  // closed. The tests act on the window from their script instead.
  virtual void runModal(QDialog& window) = 0;
};

}  // namespace dorvak
