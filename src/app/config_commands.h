#pragma once
// Commands on the configuration and the data version.

#include <string>

#include "app/document.h"

namespace dorvak {

// Everything the configuration window sets at once.
struct Configuration {
  PanelConfig config;
  CodeTable codeTable;
  FormatStrings formatStrings;
  AutoformatPresets presets;
  ChooserState choosers;
  bool operator==(const Configuration&) const = default;

  static Configuration of(const Document& document);
};

class SetConfigurationCommand : public DocumentCommand {
 public:
  SetConfigurationCommand(Document& document, Configuration configuration, const QString& label,
                          QUndoCommand* parent = nullptr);
  void redo() override;
  void undo() override;

 private:
  void swap();
  Configuration other_;
};

// Typing in the data version field: consecutive edits merge into one command.
class SetDataVersionCommand : public DocumentCommand {
 public:
  static constexpr int kId = 1;
  SetDataVersionCommand(Document& document, std::string version);
  void redo() override;
  void undo() override;
  int id() const override { return kId; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  std::string before_, after_;
};

}  // namespace dorvak
