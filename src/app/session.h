#pragma once
// The program's one session: it owns the document (the one panel data base
// and its undo stack), the program options, the renderer, the prompter and
// the main window's working state, and creates every window once, in order:
// the main window, the panel simulator, the stop editor, the destination
// editor, the options window, the line editor, the configuration window, the
// font editor, the font manager, the prompt.

#include <QAction>
#include <memory>
#include <string>

#include "app/document.h"
#include "app/ekvivalent_actions.h"
#include "app/entry_choice.h"
#include "app/options_model.h"
#include "app/prompter.h"
#include "app/read_progress.h"
#include "config/program_options.h"
#include "config/prompt_answer.h"
#include "render/panel_renderer.h"

namespace dorvak {

class TFormMAIN;
class TFormPANEL;
class TFormEdFONT;
class TFormFM;
class TFormHlas;
class TFormEdCIL;
class TFormEdLINKA;
class TFormEdZAST;
class TextEditor;
class TFormKONF;
class TFormVolby;

// The main window's working state, which the other windows consult. Whether
// the data base changed is the document's (Document::isModified).
struct WorkingState {
  std::string lastDir;  // where the file dialogs start
  bool ekvivalentsChanged = false;
  bool readCancelled = false;  // the prompt was answered Storno during a read
  int currentLine = 0;
  int currentDestination = 0;
  int currentStop = 0;
  bool lineChosen = true;
  bool destinationChosen = true;
  bool stopChosen = true;

  int& currentNumber(FieldId fieldId);
  int currentNumber(FieldId fieldId) const { return const_cast<WorkingState*>(this)->currentNumber(fieldId); }
  bool& chosen(FieldId fieldId);
  bool chosen(FieldId fieldId) const { return const_cast<WorkingState*>(this)->chosen(fieldId); }
};

class Session {
 public:
  // optionsPath: where the program options are read now and written at the
  // end; empty for none. prompter: null for the program's dialogs.
  explicit Session(std::string optionsPath, std::unique_ptr<Prompter> prompter = nullptr);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Document& document() { return document_; }
  const PanelDatabase& database() const { return document_.database(); }
  const ProgramOptions& options() const { return options_.options(); }
  OptionsModel& optionsModel() { return options_; }
  // The options file, read at start and written by the options window and
  // at the end; empty for none.
  const std::string& optionsPath() const { return optionsPath_; }
  WorkingState& state() { return state_; }
  PanelRenderer& renderer() { return renderer_; }
  Prompter& prompter() { return *prompter_; }
  ReadProgress& progress() { return progress_; }
  // Which entry each field shows, between the choosers and the editors.
  EntryChoice& choice() { return choice_; }
  // The destinations' ekvivalents and an on-board unit's data base.
  EkvivalentActions& ekvivalents() { return ekvivalents_; }

  // Undo and Redo of the document, shown in the Edit menu of every window.
  QAction& undoAction() { return *undo_; }
  QAction& redoAction() { return *redo_; }

  TFormMAIN& main() { return *main_; }
  TFormPANEL& panel() { return *panel_; }
  TFormEdFONT& fontEditor() { return *fontEditor_; }
  TFormFM& fontManager() { return *fontManager_; }
  TFormHlas& prompt() { return *prompt_; }
  TFormEdCIL& destinationEditor() { return *destinationEditor_; }
  TFormEdLINKA& lineEditor() { return *lineEditor_; }
  TFormEdZAST& stopEditor() { return *stopEditor_; }
  // The text editor of the field.
  TextEditor* editor(FieldId fieldId);
  TFormVolby& optionsWindow() { return *volby_; }
  TFormKONF& configurationWindow() { return *konf_; }

  // The five-button question for the readers' duplicates; Storno sets
  // readCancelled.
  AskPrompt askPrompt();

 private:
  std::string optionsPath_;
  Document document_;
  OptionsModel options_;
  WorkingState state_;
  PanelRenderer renderer_;
  ReadProgress progress_;
  EntryChoice choice_;
  EkvivalentActions ekvivalents_;
  std::unique_ptr<Prompter> prompter_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  std::unique_ptr<TFormMAIN> main_;
  std::unique_ptr<TFormPANEL> panel_;
  // Children of the main window.
  TFormEdZAST* stopEditor_ = nullptr;
  TFormEdCIL* destinationEditor_ = nullptr;
  TFormEdLINKA* lineEditor_ = nullptr;
  TFormEdFONT* fontEditor_ = nullptr;
  TFormFM* fontManager_ = nullptr;
  TFormVolby* volby_ = nullptr;
  TFormKONF* konf_ = nullptr;
  TFormHlas* prompt_ = nullptr;
};

}  // namespace dorvak
