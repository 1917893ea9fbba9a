#pragma once
// What tells the three text editors apart: the field and list they edit,
// how their texts are composed, their captions and control names, the
// questions they ask, the file choices of their menus and which ekvivalent
// modes show their ekvivalent field. Everything else of the window is one
// implementation (TextEditor).

#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "render/field_view.h"
#include "text/text_draft.h"
#include "text/text_export.h"

namespace dorvak {

// Where Read and Add take the list from.
enum class ReadSource { Packed, Text, PanelDatabase, UnitFile };

struct ReadChoice {
  QString filter;  // "file of destinations (*.cil)"
  ReadSource source;
};

struct SaveChoice {
  QString filter;
  TextFileLayout layout;
  QString extension;  // given to a name without one: ".cil"
};

// The choices the editors share: "text file (*.txt)" and the like, another
// panel data base, a KT500 unit's data base.
QString textFileFilter(const char* pattern);
ReadChoice panelDatabaseChoice();
ReadChoice unitFileChoice();

struct EditorTraits {
  FieldId field = FieldId::Destination;
  DraftRules rules;
  const char* windowName = "";  // "TFormEdCIL"
  std::string_view title;       // the window title
  const char* menuName = "";    // the list's menu: "MenuCile"
  std::string_view menuCaption;
  const char* deleteOneName = "";       // "MenuVymazatJeden"
  const char* popupDeleteOneName = "";  // "PopMenuVymazCIL"
  const char* popupDeleteAllName = "";  // "PopMenuVymazVseCIL"
  std::string_view deleteOneCaption, deleteAllCaption, newCaption;
  // The BLOK button's glyphs for the two sides (resource paths) and what a
  // screen reader says of it.
  const char* blockGlyphLeft = "";
  const char* blockGlyphRight = "";
  std::string_view blockCaption;
  // SAVE over an existing entry asks this (Yes / No).
  std::string_view existsQuestion;
  // "show" of a number without an entry says this beside the picture; empty: nothing.
  std::string_view notExisting;
  // Undo texts: "Save destination $", "Read destinations", "Add destinations".
  std::string_view undoSave, undoRead, undoAdd;
  // The ekvivalent modes in which the ekvivalent field is shown.
  bool ekvivalentKt500 = false;
  bool ekvivalentKt700 = false;
  // The list's entries may carry an ekvivalent after their text (not lines).
  bool hasEkvivalents() const { return ekvivalentKt500 || ekvivalentKt700; }
  // The file choices of Read/Add and of Save as, which may follow the data
  // base's number width.
  std::function<std::vector<ReadChoice>(const PanelDatabase&)> readChoices;
  std::function<std::vector<SaveChoice>(const PanelDatabase&)> saveChoices;
  // The panel edge the block extends to, by the configuration.
  std::function<BlockSide(const PanelConfig&)> blockSide;
};

}  // namespace dorvak
