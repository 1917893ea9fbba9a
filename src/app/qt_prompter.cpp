#include "app/qt_prompter.h"

#include <QApplication>
#include <algorithm>
#include <QFileDialog>

#include "app/message_box.h"
#include "app/tformhlas.h"

namespace dorvak {

QtPrompter::QtPrompter(QWidget* fallbackParent, TFormHlas& fiveButtonDialog)
    : fallbackParent_(fallbackParent), fiveButtonDialog_(fiveButtonDialog) {}

QWidget* QtPrompter::parent() const {
  QWidget* active = QApplication::activeWindow();
  return active ? active : fallbackParent_;
}

void QtPrompter::notice(std::string_view text) { showNotice(parent(), text); }
bool QtPrompter::okCancel(std::string_view text) { return askOkCancel(parent(), text); }
bool QtPrompter::yesNo(std::string_view text) { return askYesNo(parent(), text); }

YesNoCancel QtPrompter::yesNoCancel(std::string_view text) {
  switch (askYesNoCancel(parent(), text)) {
    case QMessageBox::Yes: return YesNoCancel::Yes;
    case QMessageBox::No: return YesNoCancel::No;
    default: return YesNoCancel::Cancel;
  }
}

PromptAnswer QtPrompter::fiveButtons(std::string_view text) { return fiveButtonDialog_.ask(text); }

std::optional<ChosenFile> QtPrompter::chooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent(), request.title, request.directory);
  dialog.setObjectName(request.objectName);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  dialog.setNameFilters(request.filters);
  if (request.filterIndex >= 0 && request.filterIndex < request.filters.size())
    dialog.selectNameFilter(request.filters.at(request.filterIndex));
  if (request.mode == FileDialogRequest::Mode::Open) {
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
  } else {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!request.selectedFile.isEmpty()) dialog.selectFile(request.selectedFile);
    if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ChosenFile{dialog.selectedFiles().first(),
                    static_cast<int>(std::max<qsizetype>(request.filters.indexOf(dialog.selectedNameFilter()), 0))};
}

void QtPrompter::runModal(QDialog& window) { window.exec(); }

}  // namespace dorvak
