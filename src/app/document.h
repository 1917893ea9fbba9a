#pragma once
// The open panel data base as a document: it owns the one PanelDatabase, the
// undo stack of the commands that changed it, and the file name. Views read
// the data base and follow the change signals; only commands change it, so
// that every change can be undone and every view hears of it the same way,
// whether it was done, undone or redone.

#include <QObject>
#include <QUndoStack>
#include <string>

#include "core/image_header.h"
#include "core/panel_database.h"

namespace dorvak {

// How a list changed: one entry put (added or replaced), one removed, or the
// whole list replaced (a file read, delete all).
enum class ListChange { Put, Removed, Replaced };

class Document : public QObject {
  Q_OBJECT
 public:
  explicit Document(QObject* parent = nullptr);

  const PanelDatabase& database() const { return db_; }
  QUndoStack& undoStack() { return undoStack_; }
  const QUndoStack& undoStack() const { return undoStack_; }

  // A data base is open (New or Open), or none is (at start, after Close).
  bool isOpen() const { return open_; }
  // The file the data base came from or was last saved to; empty when new.
  const std::string& fileName() const { return fileName_; }
  // The data base differs from its file: the undo stack is away from the
  // point where it was opened or last saved.
  bool isModified() const { return !undoStack_.isClean(); }
  // Which fields the main window's choosers serve (from the file's header,
  // or none for a new data base until it is configured).
  const ChooserState& choosers() const { return choosers_; }

  // Runs the command and keeps it for undo.
  void push(QUndoCommand* command) { undoStack_.push(command); }

  // New and Open: the data base is replaced whole; the undo history goes.
  void replace(PanelDatabase database, std::string fileName, ChooserState choosers);
  // Close: nothing is open any more. The data base stays in memory (New
  // keeps its fonts) but no view shows it.
  void close();
  // Save and Save as: the file now holds the data base.
  void markSaved(std::string fileName);
  void setChoosers(const ChooserState& choosers);

 signals:
  void listChanged(dorvak::TextKind kind, const std::string& key, dorvak::ListChange change);
  void fontsChanged();
  void configChanged();
  void dataVersionChanged();
  void databaseReplaced();
  void fileNameChanged();
  void modifiedChanged(bool modified);

 private:
  friend class DocumentCommand;
  PanelDatabase db_;
  QUndoStack undoStack_;
  std::string fileName_;
  ChooserState choosers_;
  bool open_ = false;
};

// The base of every command: the only code that writes to the data base.
// redo() does the change (the first time too), undo() takes it back; both
// tell the views through the document's signals.
class DocumentCommand : public QUndoCommand {
 public:
  DocumentCommand(Document& document, const QString& text, QUndoCommand* parent = nullptr)
      : QUndoCommand(text, parent), document_(document) {}

 protected:
  PanelDatabase& db() { return document_.db_; }
  Document& document() { return document_; }

 private:
  Document& document_;
};

}  // namespace dorvak
