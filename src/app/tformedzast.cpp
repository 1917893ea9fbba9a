#include "app/tformedzast.h"

#include "app/qt_text.h"
#include "app/strings.h"
#include "core/messages.h"
#include "render/render_messages.h"

namespace dorvak {

namespace {

EditorTraits stopTraits() {
  EditorTraits t;
  t.field = FieldId::Stop;
  t.rules = stopDraftRules();
  t.windowName = "TFormEdZAST";
  t.title = text::StopEditorTitle;
  t.menuName = "MenuZastavky";
  t.menuCaption = text::MenuStops;
  t.deleteOneName = "MenuVymazatJednu";
  t.popupDeleteOneName = "PopMenuVymazZAST";
  t.popupDeleteAllName = "PopMenuVymazatVseZAST";
  t.deleteOneCaption = text::PopupDeleteOneStop;
  t.deleteAllCaption = text::PopupDeleteAllStops;
  t.newCaption = text::ButtonNewStop;
  t.blockGlyphLeft = t.blockGlyphRight = ":/icons/Z_TO_LEFT.svg";
  t.blockCaption = text::BlockStop;
  t.existsQuestion = msg::StopExists;
  t.notExisting = msg::StopDoesNotExist;
  t.undoSave = text::UndoSaveStop;
  t.undoRead = text::UndoReadStops;
  t.undoAdd = text::UndoAddStops;
  // A KT700 unit names destinations only.
  t.ekvivalentKt500 = true;
  const QString packed = qs(text::FileOfStops) + " (*.dru)";
  t.readChoices = [packed](const PanelDatabase&) {
    return std::vector<ReadChoice>{{packed, ReadSource::Packed},
                                   {textFileFilter("*.txt"), ReadSource::Text},
                                   {textFileFilter("*.zs"), ReadSource::Text},
                                   panelDatabaseChoice(),
                                   unitFileChoice()};
  };
  t.saveChoices = [packed](const PanelDatabase&) {
    return std::vector<SaveChoice>{{packed, TextFileLayout::Packed, ".dru"},
                                   {textFileFilter("*.txt"), TextFileLayout::Tab, ".txt"},
                                   {textFileFilter("*.zs"), TextFileLayout::StopLines, ".zs"}};
  };
  // The stop's field widens to the panel's left edge.
  t.blockSide = [](const PanelConfig&) { return BlockSide::Left; };
  return t;
}

}  // namespace

TFormEdZAST::TFormEdZAST(Session& session, QWidget* parent) : TextEditor(session, stopTraits(), parent) {}

}  // namespace dorvak
