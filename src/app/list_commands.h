#pragma once
// Commands on the lists of lines, destinations and stops.

#include <optional>
#include <string>

#include "app/document.h"

namespace dorvak {

// The undo text of a command on one entry: "Delete line 003", "Save
// destination 012", the number as the choosers show it.
QString entryCommandText(std::string_view format, const PanelDatabase& db, TextKind kind, std::string_view key);

// Adds the entry "key  text" or replaces the one with the same key.
class PutEntryCommand : public DocumentCommand {
 public:
  PutEntryCommand(Document& document, TextKind kind, std::string key, std::string text, const QString& label);
  void redo() override;
  void undo() override;

 private:
  TextKind kind_;
  std::string key_;
  std::string entry_;
  std::optional<std::string> previous_;  // the entry it replaced
};

class DeleteEntryCommand : public DocumentCommand {
 public:
  DeleteEntryCommand(Document& document, TextKind kind, std::string key, const QString& label);
  void redo() override;
  void undo() override;

 private:
  TextKind kind_;
  std::string key_;
  std::optional<std::string> removed_;
};

// A whole list at once: a file read into it, or delete all.
class ReplaceListCommand : public DocumentCommand {
 public:
  ReplaceListCommand(Document& document, TextKind kind, TextList list, const QString& label);
  void redo() override;
  void undo() override;

 private:
  void swap();
  TextKind kind_;
  TextList other_;  // the list that is not in the data base
};

}  // namespace dorvak
