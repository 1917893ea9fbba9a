#pragma once
// Every question, message box and file dialog of the program goes through
// the prompter: the program answers them with dialogs (QtPrompter), the
// tests with scripted answers.

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "config/prompt_answer.h"

namespace dorvak {

enum class YesNoCancel { Yes, No, Cancel };

struct FileDialogRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  QString objectName;  // the dialog's control name, "OpenDialog1"
  QString title;
  QStringList filters;  // "panel database (*.hex)"
  QString directory;
  QString selectedFile;  // a save dialog's suggested name
  // A save dialog asks before it replaces a file; false when the caller
  // asks its own question.
  bool confirmOverwrite = true;
};

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
  // replaces one.
  virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
};

}  // namespace dorvak
