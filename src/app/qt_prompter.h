#pragma once
// The prompter of the desktop program: icon-less message boxes over the
// active window, the five-button dialog, and Qt's own file dialogs.

#include "app/prompter.h"

class QWidget;

namespace dorvak {

class TFormHlas;

class QtPrompter : public Prompter {
 public:
  // fallbackParent: the window the boxes stand over when no window of the
  // program is active.
  QtPrompter(QWidget* fallbackParent, TFormHlas& fiveButtonDialog);

  void notice(std::string_view text) override;
  bool okCancel(std::string_view text) override;
  bool yesNo(std::string_view text) override;
  YesNoCancel yesNoCancel(std::string_view text) override;
  PromptAnswer fiveButtons(std::string_view text) override;
  std::optional<ChosenFile> chooseFile(const FileDialogRequest& request) override;
  void runModal(QDialog& window) override;

 private:
  QWidget* parent() const;
  QWidget* fallbackParent_;
  TFormHlas& fiveButtonDialog_;
};

}  // namespace dorvak
