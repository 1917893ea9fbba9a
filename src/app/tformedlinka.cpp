#include "app/tformedlinka.h"

#include "app/qt_text.h"
#include "app/strings.h"
#include "core/messages.h"

namespace dorvak {

namespace {

EditorTraits lineTraits() {
  EditorTraits t;
  t.field = FieldId::Line;
  t.rules = lineDraftRules();
  t.windowName = "TFormEdLINKA";
  t.title = text::LineEditorTitle;
  t.menuName = "MenuLinky";
  t.menuCaption = text::MenuLines;
  t.deleteOneName = "MenuVymazatJednu";
  t.popupDeleteOneName = "PopMenuVymazLINKU";
  t.popupDeleteAllName = "PopMenuVymazatVseLIN";
  t.deleteOneCaption = text::PopupDeleteOneLine;
  t.deleteAllCaption = text::PopupDeleteAllLines;
  t.newCaption = text::ButtonNewLine;
  t.blockGlyphLeft = ":/icons/L_TO_LEFT.svg";
  t.blockGlyphRight = ":/icons/L_TO_RIGHT.svg";
  t.blockCaption = text::BlockLine;
  t.existsQuestion = msg::LineExists;
  // "show" of a line that does not exist only clears the editor.
  t.undoSave = text::UndoSaveLine;
  t.undoRead = text::UndoReadLines;
  t.undoAdd = text::UndoAddLines;
  const QString packed = qs(text::FileOfLines) + " (*.lin)";
  t.readChoices = [packed](const PanelDatabase&) {
    return std::vector<ReadChoice>{
        {packed, ReadSource::Packed}, {textFileFilter("*.txt"), ReadSource::Text}, panelDatabaseChoice()};
  };
  t.saveChoices = [packed](const PanelDatabase&) {
    return std::vector<SaveChoice>{{packed, TextFileLayout::Packed, ".lin"},
                                   {textFileFilter("*.txt"), TextFileLayout::Tab, ".txt"}};
  };
  // The line extends towards the destination field.
  t.blockSide = [](const PanelConfig& config) {
    return config.destinationField.left < config.lineField.left ? BlockSide::Left : BlockSide::Right;
  };
  return t;
}

}  // namespace

TFormEdLINKA::TFormEdLINKA(Session& session, QWidget* parent) : TextEditor(session, lineTraits(), parent) {}

}  // namespace dorvak
