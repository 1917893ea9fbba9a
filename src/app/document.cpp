#include "app/document.h"

namespace dorvak {

Document::Document(QObject* parent) : QObject(parent) {
  db_.resetConfig();
  connect(&undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

void Document::replace(PanelDatabase database, std::string fileName, ChooserState choosers) {
  undoStack_.clear();
  db_ = std::move(database);
  choosers_ = choosers;
  open_ = true;
  fileName_ = std::move(fileName);
  emit databaseReplaced();
  emit fileNameChanged();
  emit modifiedChanged(false);
}

void Document::close() {
  undoStack_.clear();
  open_ = false;
  fileName_.clear();
  emit databaseReplaced();
  emit fileNameChanged();
  emit modifiedChanged(false);
}

void Document::markSaved(std::string fileName) {
  undoStack_.setClean();
  if (fileName == fileName_) return;
  fileName_ = std::move(fileName);
  emit fileNameChanged();
}

void Document::setChoosers(const ChooserState& choosers) { choosers_ = choosers; }

}  // namespace dorvak
