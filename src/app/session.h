#pragma once
// The program's one session: it owns the one panel data base, the program
// options, the renderer and the main window's working state, and creates
// every window once, in order: the main window, the panel simulator, the
// prompt. Every window reaches the data base and the state through it.

#include <QObject>
#include <memory>
#include <string>

#include "config/program_options.h"
#include "config/prompt_answer.h"
#include "core/panel_database.h"
#include "render/panel_renderer.h"

namespace dorvak {

class TFormMAIN;
class TFormPANEL;
class TFormHlas;

// The main window's working state, which the other windows consult.
struct WorkingState {
  std::string fileName;  // the open *.hex; empty for a new data base
  std::string lastDir;   // where the file dialogs start
  bool databaseChanged = false;
  bool ekvivalentsChanged = false;
  bool readCancelled = false;  // the prompt was answered Storno during a read
  int currentLine = 0;
  int currentDestination = 0;
  int currentStop = 0;
  bool lineChosen = true;
  bool destinationChosen = true;
  bool stopChosen = true;
  bool typing = false;
  std::uint8_t fileKind = 255;  // panel position from the file's FNT tag; 255 none
};

class Session {
 public:
  // optionsPath: where the program options are read now and written at the
  // end; empty for none.
  explicit Session(std::string optionsPath);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  PanelDatabase& database() { return db_; }
  ProgramOptions& options() { return options_; }
  WorkingState& state() { return state_; }
  PanelRenderer& renderer() { return renderer_; }

  TFormMAIN& main() { return *main_; }
  TFormPANEL& panel() { return *panel_; }
  TFormHlas& prompt() { return *prompt_; }

  // The five-button question for the readers' duplicates; Storno sets
  // readCancelled.
  AskPrompt askPrompt();

 private:
  std::string optionsPath_;
  PanelDatabase db_;
  ProgramOptions options_;
  WorkingState state_;
  PanelRenderer renderer_;
  std::unique_ptr<TFormMAIN> main_;
  std::unique_ptr<TFormPANEL> panel_;
  TFormHlas* prompt_ = nullptr;  // a child of the main window
};

}  // namespace dorvak
