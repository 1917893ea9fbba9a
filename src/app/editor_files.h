#pragma once
// The text editors' file menu: Read (the list emptied first) and Add from a
// file of the list (packed, text, another panel data base, an on-board
// unit's data base) and Save as of the whole list. A read builds the new
// list in a scratch copy of the data base and becomes one undoable command;
// its progress shows in the main window; duplicates get the five-button
// question; a wrong number asks whether to go on.

#include <QString>
#include <optional>

#include "app/editor_traits.h"

namespace dorvak {

class Session;

class EditorFiles {
 public:
  EditorFiles(Session& session, const EditorTraits& traits) : session_(session), traits_(traits) {}

  // The source the file was read from, or nothing when nothing was read
  // (dialog cancelled, file that cannot be read).
  std::optional<ReadSource> read(bool add);
  // True when the file was written.
  bool saveAs();

 private:
  Session& session_;
  const EditorTraits& traits_;
  QString fileName_;  // the last file of Read, Add or Save as
};

}  // namespace dorvak
