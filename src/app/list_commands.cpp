#include "app/list_commands.h"

#include "app/qt_text.h"
#include "core/messages.h"

namespace dorvak {

QString entryCommandText(std::string_view format, const PanelDatabase& db, TextKind kind, std::string_view key) {
  return qs(formatMessage(format, shownKey(key, db.config.keyDigits(kind))));
}

PutEntryCommand::PutEntryCommand(Document& document, TextKind kind, std::string key, std::string text,
                                 const QString& label)
    : DocumentCommand(document, label), kind_(kind), key_(std::move(key)), entry_(key_ + "  " + text) {}

void PutEntryCommand::redo() {
  TextList& list = db().list(kind_);
  if (auto index = list.findEntry(key_)) previous_ = list[*index];
  else previous_.reset();
  list.putEntry(entry_);
  emit document().listChanged(kind_, key_, ListChange::Put);
}

void PutEntryCommand::undo() {
  TextList& list = db().list(kind_);
  if (previous_) {
    list.putEntry(*previous_);
    emit document().listChanged(kind_, key_, ListChange::Put);
  } else {
    list.deleteEntry(key_);
    emit document().listChanged(kind_, key_, ListChange::Removed);
  }
}

DeleteEntryCommand::DeleteEntryCommand(Document& document, TextKind kind, std::string key, const QString& label)
    : DocumentCommand(document, label), kind_(kind), key_(std::move(key)) {}

void DeleteEntryCommand::redo() {
  TextList& list = db().list(kind_);
  removed_.reset();
  if (auto index = list.findEntry(key_)) removed_ = list[*index];
  if (!removed_) {
    // Nothing to delete: the command leaves no trace on the stack.
    setObsolete(true);
    return;
  }
  list.deleteEntry(key_);
  emit document().listChanged(kind_, key_, ListChange::Removed);
}

void DeleteEntryCommand::undo() {
  if (!removed_) return;
  db().list(kind_).putEntry(*removed_);
  emit document().listChanged(kind_, key_, ListChange::Put);
}

ReplaceListCommand::ReplaceListCommand(Document& document, TextKind kind, TextList list, const QString& label)
    : DocumentCommand(document, label), kind_(kind), other_(std::move(list)) {}

void ReplaceListCommand::swap() {
  std::swap(db().list(kind_), other_);
  emit document().listChanged(kind_, std::string(), ListChange::Replaced);
}

void ReplaceListCommand::redo() { swap(); }
void ReplaceListCommand::undo() { swap(); }

}  // namespace dorvak
