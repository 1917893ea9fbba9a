#pragma once
// The line editor: the text editor of the lines, with three-digit numbers
// only, no ekvivalent and no "w", the block towards the destination on the
// side the configuration gives, and the files of lines.

#include "app/text_editor.h"

namespace dorvak {

class TFormEdLINKA : public TextEditor {
  Q_OBJECT
 public:
  TFormEdLINKA(Session& session, QWidget* parent);
};

}  // namespace dorvak
