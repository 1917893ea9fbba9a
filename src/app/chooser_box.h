#pragma once
// A chooser of the main window (" LINE ", " DESTINATION ", " STOP "): a
// number box, an up/down control and "Only existing". Ticked, the box is a
// pick list of the list's numbers; unticked, any number may be typed. The
// number chosen is shown in its field of the panel picture. The chooser
// follows its list in the document, whoever changed it.

#include <QGroupBox>
#include <cstdint>
#include <string>

#include "app/document.h"
#include "render/field_view.h"

class QAction;
class QCheckBox;
class QComboBox;
class QMenu;

namespace dorvak {

class Session;
class UpDown;

class ChooserBox : public QGroupBox {
  Q_OBJECT
 public:
  ChooserBox(Session& session, FieldId fieldId, QWidget* parent);

  FieldId fieldId() const { return fieldId_; }
  TextKind kind() const;

  // The data base was replaced (New, Open, Close): the pick list is filled
  // anew and the first entry shown when the field is on.
  void reload();
  // The configuration changed: the numbers are shown in the destination
  // mode now in force, the field shows what it showed (or, newly switched
  // on, its first entry).
  void followConfiguration();
  // Shows the number as if picked or typed (command line); numbers outside
  // the chooser's range are ignored.
  void choose(int number);
  // The field starts again with the chosen entry's text (window activation,
  // fonts or configuration changed).
  void restartField();
  // The pop-up commands.
  void MenuDeleteOneClick();
  void MenuDeleteAllClick();

  QComboBox* combo = nullptr;
  UpDown* upDown = nullptr;
  QCheckBox* check = nullptr;
  QMenu* popup = nullptr;
  QAction* edit = nullptr;
  QAction* deleteOne = nullptr;
  QAction* deleteAll = nullptr;

 signals:
  // The field's "don't exist" message; empty to hide it.
  void notExisting(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void listChanged(TextKind kind, const std::string& key, ListChange change);
  void setPickList(bool pickList);
  void fill();
  void showItem(int index);
  void showNumberInBox(int number);
  void showChosenNumber(int number);
  void showNothing();
  void ComboBoxSelect(int index);
  void ComboBoxEnter();
  void ComboBoxExit();
  void UpDownClick(bool up);
  void CheckBoxToggled();
  int maxNumber() const;
  int parse(const QString& text) const;
  QString textOf(int number) const;

  Session& session_;
  FieldId fieldId_;
  int startingNumber_ = 0;  // the starting destination's number when the list was filled
  bool typed_ = false;  // the box holds a number typed and not yet taken
  int busy_ = 0;        // while the chooser sets its own controls, handlers return at once
};

}  // namespace dorvak
