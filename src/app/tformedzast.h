#pragma once
// The stop editor: the text editor of the stops, with four-digit numbers,
// one row on the TEXT page (further rows are written on the MNEMO page), a
// block that lets the stop use the panel from its left edge without bytes in
// the text, the ekvivalent field in KT500 mode only, and the files of stops.

#include "app/text_editor.h"

namespace dorvak {

class TFormEdZAST : public TextEditor {
  Q_OBJECT
 public:
  TFormEdZAST(Session& session, QWidget* parent);
};

}  // namespace dorvak
