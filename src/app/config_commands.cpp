#include "app/config_commands.h"

#include "app/qt_text.h"
#include "app/strings.h"

namespace dorvak {

Configuration Configuration::of(const Document& document) {
  const PanelDatabase& db = document.database();
  return {db.config, db.codeTable, db.formatStrings, db.autoformatPresets, document.choosers()};
}

SetConfigurationCommand::SetConfigurationCommand(Document& document, Configuration configuration,
                                                 const QString& label, QUndoCommand* parent)
    : DocumentCommand(document, label, parent), other_(std::move(configuration)) {}

void SetConfigurationCommand::swap() {
  PanelDatabase& database = db();
  std::swap(database.config, other_.config);
  std::swap(database.codeTable, other_.codeTable);
  std::swap(database.formatStrings, other_.formatStrings);
  std::swap(database.autoformatPresets, other_.presets);
  const ChooserState choosers = document().choosers();
  document().setChoosers(other_.choosers);
  other_.choosers = choosers;
  emit document().configChanged();
}

void SetConfigurationCommand::redo() { swap(); }
void SetConfigurationCommand::undo() { swap(); }

SetDataVersionCommand::SetDataVersionCommand(Document& document, std::string version)
    : DocumentCommand(document, qs(text::UndoDataVersion)),
      before_(document.database().dataVersion),
      after_(std::move(version)) {}

void SetDataVersionCommand::redo() {
  db().dataVersion = after_;
  emit document().dataVersionChanged();
}

void SetDataVersionCommand::undo() {
  db().dataVersion = before_;
  emit document().dataVersionChanged();
}

bool SetDataVersionCommand::mergeWith(const QUndoCommand* other) {
  after_ = static_cast<const SetDataVersionCommand*>(other)->after_;
  // Typed back to where it started: nothing is left to undo.
  if (after_ == before_) setObsolete(true);
  return true;
}

}  // namespace dorvak
