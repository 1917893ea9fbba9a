#include "app/session.h"

#include <QDir>

#include "app/tformhlas.h"
#include "app/tformmain.h"
#include "app/tformpanel.h"
#include "core/error.h"

namespace dorvak {

Session::Session(std::string optionsPath) : optionsPath_(std::move(optionsPath)), renderer_(db_) {
  db_.resetConfig();
  if (!optionsPath_.empty()) options_ = loadProgramOptions(optionsPath_);
  state_.lastDir = QDir::currentPath().toStdString();
  main_ = std::make_unique<TFormMAIN>(*this);
  panel_ = std::make_unique<TFormPANEL>(renderer_, main_->picture());
  prompt_ = new TFormHlas(main_.get());
  main_->attachPanel(*panel_);
}

Session::~Session() {
  panel_.reset();
  main_.reset();
  if (optionsPath_.empty()) return;
  try {
    saveProgramOptions(options_, optionsPath_);
  } catch (const DorvakError&) {
    // An options file that cannot be written is skipped silently.
  }
}

AskPrompt Session::askPrompt() {
  return [this](const std::string& question) {
    PromptAnswer answer = prompt_->ask(question);
    if (answer == PromptAnswer::Storno) state_.readCancelled = true;
    return answer;
  };
}

}  // namespace dorvak
