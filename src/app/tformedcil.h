#pragma once
// The destination editor: the text editor of the destinations, with three-
// or four-digit numbers and "X" for the starting destination, the block
// towards the line, "w" on firmware 2.15, the files of destinations, and
// the Ekvivalents menu that exchanges the destinations' ekvivalents with an
// on-board unit's data base.

#include "app/text_editor.h"

namespace dorvak {

class TFormEdCIL : public TextEditor {
  Q_OBJECT
 public:
  TFormEdCIL(Session& session, QWidget* parent);

  QMenu* MenuEkvivalenty = nullptr;
  QAction* MenuNactiEKVI = nullptr;
  QAction* MenuZapisEKVI = nullptr;
  QAction* MenuN = nullptr;
  QAction* MenuABECEDA = nullptr;
  QAction* MenuCISLA = nullptr;

 private:
  // The menu follows the ekvivalent mode of the program options.
  void layoutEkvivalentMenu();
};

}  // namespace dorvak
