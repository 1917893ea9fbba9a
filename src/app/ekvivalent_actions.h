#pragma once
// The destinations' ekvivalents exchanged with an on-board unit's data base
// (BBD/BBF): read into the destination list, or written into a unit file in
// alphabetical or number order. The destination editor's Ekvivalents menu
// runs them, and the question asked before a changed data base is left
// writes changed ekvivalents through them. They remember the last unit file
// and its folder for the whole run, apart from the text files.

#include <QObject>
#include <QString>

namespace dorvak {

class Session;

class EkvivalentActions : public QObject {
  Q_OBJECT
 public:
  explicit EkvivalentActions(Session& session);

  // The open dialog, then the file's names as the destinations' ekvivalents
  // (one undoable command). True when they were read.
  bool read();
  // The save dialog and its checks, then the file written. True when it was
  // written; the ekvivalents then count as unchanged.
  bool write();

  // The order of the records written: alphabetical (the ekvivalents'
  // order) or by number. A read sets it to the order the file had.
  bool alphabetical() const { return alphabetical_; }
  void setAlphabetical(bool alphabetical);

 signals:
  void orderChanged(bool alphabetical);
  // Ekvivalents were read into the destination list.
  void ekvivalentsRead();

 private:
  QString startDirectory() const;

  Session& session_;
  QString fileName_;
  QString directory_;
  bool alphabetical_ = true;
};

}  // namespace dorvak
