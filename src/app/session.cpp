#include "app/session.h"

#include <QDir>

#include "app/qt_prompter.h"
#include "app/resources.h"
#include "app/tformedcil.h"
#include "app/tformedlinka.h"
#include "app/tformedzast.h"
#include "app/tformedfont.h"
#include "app/tformfm.h"
#include "app/tformhlas.h"
#include "app/tformkonf.h"
#include "app/tformmain.h"
#include "app/tformpanel.h"
#include "app/tformvolby.h"
#include "core/error.h"

namespace dorvak {

int& WorkingState::currentNumber(FieldId fieldId) {
  return fieldId == FieldId::Line ? currentLine : fieldId == FieldId::Destination ? currentDestination : currentStop;
}

bool& WorkingState::chosen(FieldId fieldId) {
  return fieldId == FieldId::Line ? lineChosen : fieldId == FieldId::Destination ? destinationChosen : stopChosen;
}

Session::Session(std::string optionsPath, std::unique_ptr<Prompter> prompter)
    : optionsPath_(std::move(optionsPath)),
      renderer_(document_.database()),
      ekvivalents_(*this),
      prompter_(std::move(prompter)) {
  dorvakInitResources();
  if (!optionsPath_.empty()) options_.set(loadProgramOptions(optionsPath_));
  state_.lastDir = QDir::currentPath().toStdString();

  QUndoStack& stack = document_.undoStack();
  undo_ = stack.createUndoAction(&document_);
  undo_->setObjectName("MenuUndo");
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = stack.createRedoAction(&document_);
  redo_->setObjectName("MenuRedo");
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

  main_ = std::make_unique<TFormMAIN>(*this);
  panel_ = std::make_unique<TFormPANEL>(renderer_, main_->picture());
  stopEditor_ = new TFormEdZAST(*this, main_.get());
  destinationEditor_ = new TFormEdCIL(*this, main_.get());
  volby_ = new TFormVolby(*this, main_.get());
  lineEditor_ = new TFormEdLINKA(*this, main_.get());
  konf_ = new TFormKONF(*this, main_.get());
  fontEditor_ = new TFormEdFONT(*this, main_.get());
  fontManager_ = new TFormFM(*this, main_.get());
  prompt_ = new TFormHlas(main_.get());
  if (!prompter_) prompter_ = std::make_unique<QtPrompter>(main_.get(), *prompt_);
  main_->attachPanel(*panel_);
}

Session::~Session() {
  panel_.reset();
  main_.reset();
  if (optionsPath_.empty()) return;
  try {
    saveProgramOptions(options_.options(), optionsPath_);
  } catch (const DorvakError&) {
    // An options file that cannot be written is skipped silently.
  }
}

TextEditor* Session::editor(FieldId fieldId) {
  switch (fieldId) {
    case FieldId::Line: return lineEditor_;
    case FieldId::Destination: return destinationEditor_;
    case FieldId::Stop: return stopEditor_;
  }
  return nullptr;
}

AskPrompt Session::askPrompt() {
  return [this](const std::string& question) {
    PromptAnswer answer = prompter_->fiveButtons(question);
    if (answer == PromptAnswer::Storno) state_.readCancelled = true;
    return answer;
  };
}

}  // namespace dorvak
