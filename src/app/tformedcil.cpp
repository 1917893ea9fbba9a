#include "app/tformedcil.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/ekvivalent_actions.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "core/messages.h"
#include "render/render_messages.h"

namespace dorvak {

namespace {

QString packedFilter(const PanelDatabase& db) {
  return qs(text::FileOfDestinations) + (db.config.fourDigitDestinations() ? " (*.ci4)" : " (*.cil)");
}

EditorTraits destinationTraits() {
  EditorTraits t;
  t.field = FieldId::Destination;
  t.rules = destinationDraftRules();
  t.windowName = "TFormEdCIL";
  t.title = text::DestinationEditorTitle;
  t.menuName = "MenuCile";
  t.menuCaption = text::MenuDestinations;
  t.deleteOneName = "MenuVymazatJeden";
  t.popupDeleteOneName = "PopMenuVymazCIL";
  t.popupDeleteAllName = "PopMenuVymazVseCIL";
  t.deleteOneCaption = text::PopupDeleteOneDestination;
  t.deleteAllCaption = text::PopupDeleteAllDestinations;
  t.newCaption = text::ButtonNewDestination;
  t.blockGlyphLeft = ":/icons/C_TO_LEFT.svg";
  t.blockGlyphRight = ":/icons/C_TO_RIGHT.svg";
  t.blockCaption = text::BlockDestination;
  t.existsQuestion = msg::DestinationExists;
  t.notExisting = msg::DestinationDoesNotExist;
  t.undoSave = text::UndoSaveDestination;
  t.undoRead = text::UndoReadDestinations;
  t.undoAdd = text::UndoAddDestinations;
  t.ekvivalentKt500 = true;
  t.ekvivalentKt700 = true;
  t.readChoices = [](const PanelDatabase& db) {
    return std::vector<ReadChoice>{{packedFilter(db), ReadSource::Packed},
                                   {textFileFilter("*.txt"), ReadSource::Text},
                                   {textFileFilter("*.cl"), ReadSource::Text},
                                   panelDatabaseChoice(),
                                   unitFileChoice()};
  };
  t.saveChoices = [](const PanelDatabase& db) {
    return std::vector<SaveChoice>{
        {packedFilter(db), TextFileLayout::Packed, db.config.fourDigitDestinations() ? ".ci4" : ".cil"},
        {textFileFilter("*.txt"), TextFileLayout::Tab, ".txt"},
        {textFileFilter("*.cl"), TextFileLayout::Ekvivalent, ".cl"}};
  };
  // The destination extends towards the line field.
  t.blockSide = [](const PanelConfig& config) {
    return config.destinationField.left >= config.lineField.left ? BlockSide::Left : BlockSide::Right;
  };
  return t;
}

}  // namespace

TFormEdCIL::TFormEdCIL(Session& session, QWidget* parent) : TextEditor(session, destinationTraits(), parent) {
  MenuEkvivalenty = new QMenu(qs(text::MenuEkvivalents), this);
  MenuEkvivalenty->setObjectName("MenuEkvivalenty");
  MenuNactiEKVI = MenuEkvivalenty->addAction(QString());
  MenuNactiEKVI->setObjectName("MenuNactiEKVI");
  MenuZapisEKVI = MenuEkvivalenty->addAction(QString());
  MenuZapisEKVI->setObjectName("MenuZapisEKVI");
  MenuN = MenuEkvivalenty->addSeparator();
  MenuN->setObjectName("MenuN");
  auto* order = new QActionGroup(this);
  MenuABECEDA = MenuEkvivalenty->addAction(qs(text::MenuAlphabetical));
  MenuABECEDA->setObjectName("MenuABECEDA");
  MenuCISLA = MenuEkvivalenty->addAction(qs(text::MenuByNumber));
  MenuCISLA->setObjectName("MenuCISLA");
  for (QAction* a : {MenuABECEDA, MenuCISLA}) {
    a->setCheckable(true);
    order->addAction(a);
  }
  addMenu(MenuEkvivalenty);

  EkvivalentActions& ekvivalents = session.ekvivalents();
  MenuABECEDA->setChecked(ekvivalents.alphabetical());
  MenuCISLA->setChecked(!ekvivalents.alphabetical());
  connect(MenuNactiEKVI, &QAction::triggered, &ekvivalents, &EkvivalentActions::read);
  connect(MenuZapisEKVI, &QAction::triggered, &ekvivalents, &EkvivalentActions::write);
  connect(MenuABECEDA, &QAction::toggled, &ekvivalents, [&ekvivalents](bool on) {
    if (on != ekvivalents.alphabetical()) ekvivalents.setAlphabetical(on);
  });
  connect(&ekvivalents, &EkvivalentActions::orderChanged, this, [this](bool alphabetical) {
    (alphabetical ? MenuABECEDA : MenuCISLA)->setChecked(true);
  });
  connect(&ekvivalents, &EkvivalentActions::ekvivalentsRead, this, &TFormEdCIL::refreshEkvivalent);
  connect(&session.optionsModel(), &OptionsModel::changed, this, &TFormEdCIL::layoutEkvivalentMenu);
  layoutEkvivalentMenu();
}

void TFormEdCIL::layoutEkvivalentMenu() {
  const std::uint8_t mode = session().options().ekvivalentMode;
  const bool kt700 = mode == EkvivalentMode::Kt700;
  MenuEkvivalenty->setEnabled(mode != EkvivalentMode::None);
  MenuEkvivalenty->menuAction()->setEnabled(mode != EkvivalentMode::None);
  MenuNactiEKVI->setText(qs(kt700 ? text::MenuReadEkvivalentsKt700 : text::MenuReadEkvivalentsKt500));
  MenuZapisEKVI->setText(qs(kt700 ? text::MenuWriteEkvivalentsKt700 : text::MenuWriteEkvivalentsKt500));
  // A KT700 unit takes its records in alphabetical order only.
  for (QAction* a : {MenuN, MenuABECEDA, MenuCISLA}) a->setVisible(!kt700);
}

}  // namespace dorvak
