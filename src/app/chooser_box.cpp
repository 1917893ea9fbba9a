#include "app/chooser_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "app/accessible.h"
#include "app/busy.h"
#include "app/entry_choice.h"
#include "app/list_actions.h"
#include "app/controls.h"
#include "app/list_commands.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/text_editor.h"
#include "app/updown.h"
#include "core/messages.h"
#include "render/field_choice.h"

namespace dorvak {

namespace {

struct FieldTexts {
  const char *group, *combo, *upDown, *check;
  std::string_view caption, edit, deleteOne, deleteAll;
};

const FieldTexts& textsOf(FieldId fieldId) {
  static const FieldTexts texts[3] = {
      {"GroupBoxLINKA", "ComboBoxLINKA", "UpDownLINKA", "CheckBoxL", text::GroupLine, text::PopupEditLine,
       text::PopupDeleteOneLine, text::PopupDeleteAllLines},
      {"GroupBoxCIL", "ComboBoxCIL", "UpDownCIL", "CheckBoxC", text::GroupDestination, text::PopupEditDestination,
       text::PopupDeleteOneDestination, text::PopupDeleteAllDestinations},
      {"GroupBoxZAST", "ComboBoxZAST", "UpDownZAST", "CheckBoxZ", text::GroupStop, text::PopupEditStop,
       text::PopupDeleteOneStop, text::PopupDeleteAllStops},
  };
  return texts[fieldIndex(fieldId)];
}

}  // namespace

ChooserBox::ChooserBox(Session& session, FieldId fieldId, QWidget* parent)
    : QGroupBox(parent), session_(session), fieldId_(fieldId) {
  const FieldTexts& t = textsOf(fieldId);
  const QString caption = qs(t.caption);
  setTitle(" " + caption + " ");
  nameControl(this, t.group, caption);
  combo = new QComboBox(this);
  nameControl(combo, t.combo, caption + " number");
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMinimumContentsLength(4);
  upDown = new UpDown(this);
  nameControl(upDown, t.upDown, caption + " up/down");
  upDown->upButton()->setAccessibleName("Next " + caption.toLower());
  upDown->downButton()->setAccessibleName("Previous " + caption.toLower());
  check = new QCheckBox(qs(text::OnlyExisting), this);
  nameControl(check, t.check, qs(text::OnlyExisting));
  check->setChecked(true);
  auto* row = new QHBoxLayout;
  row->addWidget(combo);
  row->addWidget(upDown);
  auto* box = new QVBoxLayout(this);
  box->addLayout(row);
  box->addWidget(check);

  popup = new QMenu(this);
  edit = popup->addAction(qs(t.edit));
  edit->setEnabled(false);  // the main window enables it when the field has an editor
  connect(edit, &QAction::triggered, this, [this] {
    if (TextEditor* editor = session_.editor(fieldId_)) editor->open();
  });
  popup->addSeparator();
  deleteOne = popup->addAction(qs(t.deleteOne));
  deleteAll = popup->addAction(qs(t.deleteAll));
  deleteOne->setEnabled(false);
  deleteAll->setEnabled(false);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { popup->popup(mapToGlobal(at)); });
  connect(deleteOne, &QAction::triggered, this, &ChooserBox::MenuDeleteOneClick);
  connect(deleteAll, &QAction::triggered, this, &ChooserBox::MenuDeleteAllClick);
  connect(combo, &QComboBox::activated, this, &ChooserBox::ComboBoxSelect);
  connect(upDown, &UpDown::clicked, this, &ChooserBox::UpDownClick);
  // Toggled, not clicked: a screen reader's toggle action works too.
  connect(check, &QCheckBox::toggled, this, &ChooserBox::CheckBoxToggled);
  combo->installEventFilter(this);
  connect(&session_.document(), &Document::listChanged, this, &ChooserBox::listChanged);
  setPickList(true);
}

TextKind ChooserBox::kind() const { return textKindOf(fieldId_); }

int ChooserBox::maxNumber() const {
  if (fieldId_ == FieldId::Line) return 999;
  if (fieldId_ == FieldId::Stop) return 9999;
  return startingDestinationNumber(session_.database());
}

int ChooserBox::parse(const QString& text) const {
  if (text.isEmpty()) return -1;
  if (fieldId_ == FieldId::Destination && text.count('X') == text.size()) return startingDestinationNumber(session_.database());
  bool ok = false;
  const int number = text.toInt(&ok);
  return ok ? number : -1;
}

QString ChooserBox::textOf(int number) const { return qs(chooserText(session_.database(), fieldId_, number)); }

void ChooserBox::setPickList(bool pickList) {
  Busy busy(busy_);
  const QString shown = combo->currentText();
  combo->setEditable(!pickList);
  typed_ = false;
  if (pickList) return;
  const int digits = session_.database().config.keyDigits(kind());
  QString pattern = QString("[0-9]{0,%1}").arg(digits);
  if (fieldId_ == FieldId::Destination) pattern += QString("|[xX]{0,%1}").arg(digits);
  QLineEdit* line = combo->lineEdit();
  line->setMaxLength(digits);
  line->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), line));
  line->setText(shown);
  line->setAccessibleName(combo->accessibleName());
  line->installEventFilter(this);
  connect(line, &QLineEdit::returnPressed, this, &ChooserBox::ComboBoxEnter);
  connect(line, &QLineEdit::textEdited, this, [this, line](const QString& typed) {
    typed_ = true;
    // A typed "x" is stored as "X".
    if (typed.contains('x')) line->setText(typed.toUpper());
  });
}

void ChooserBox::fill() {
  Busy busy(busy_);
  const PanelDatabase& db = session_.database();
  combo->clear();
  if (session_.document().isOpen()) {
    for (const std::string& entry : db.list(kind())) {
      const int number = numberOfKey(db, entryKey(entry));
      combo->addItem(number < 0 ? qs(entryKey(entry)) : textOf(number));
    }
  }
  combo->setCurrentIndex(-1);
  if (combo->isEditable()) combo->setEditText(QString());
  startingNumber_ = startingDestinationNumber(db);
  upDown->setRange(0, maxNumber());
  deleteAll->setEnabled(combo->count() > 0);
}

void ChooserBox::reload() {
  WorkingState& state = session_.state();
  fill();
  // The digits of the box follow the destination mode.
  if (combo->isEditable()) setPickList(false);
  state.chosen(fieldId_) = true;
  showNothing();
  if (session_.renderer().chooserEnabled(fieldId_) && combo->count() > 0) showItem(0);
}

void ChooserBox::followConfiguration() {
  const WorkingState& state = session_.state();
  const int index = combo->currentIndex();
  const bool itemShown = state.chosen(fieldId_) && index >= 0 && combo->itemText(index) == combo->currentText();
  int number = state.currentNumber(fieldId_);
  if (fieldId_ == FieldId::Destination && number == startingNumber_) number = startingDestinationNumber(session_.database());
  // The keys stay; the numbers shown and the range follow the mode.
  fill();
  if (combo->isEditable()) setPickList(false);
  if (!session_.renderer().chooserEnabled(fieldId_)) {
    showNothing();
  } else if (itemShown && index < combo->count()) {
    showItem(index);
  } else if (!state.chosen(fieldId_)) {
    showNumberInBox(number <= maxNumber() ? number : 0);
  } else if (check->isChecked() && combo->count() > 0) {
    showItem(0);
  } else {
    showNothing();
  }
}

void ChooserBox::showNothing() {
  {
    Busy busy(busy_);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
  }
  upDown->setPosition(0);
  session_.state().currentNumber(fieldId_) = 0;
  deleteOne->setEnabled(false);
  session_.renderer().startField(fieldId_, std::string(1, kCR), -1);
  emit notExisting(QString());
}

void ChooserBox::showItem(int index) {
  PanelRenderer& renderer = session_.renderer();
  if (!renderer.showEntry(fieldId_, static_cast<std::size_t>(index))) return;
  const int number = renderer.view(fieldId_).number;
  {
    Busy busy(busy_);
    combo->setCurrentIndex(index);
    if (combo->isEditable()) combo->setEditText(combo->itemText(index));
    typed_ = false;
  }
  upDown->setPosition(number);
  session_.state().currentNumber(fieldId_) = number;
  session_.state().chosen(fieldId_) = true;
  emit notExisting(QString());
  deleteOne->setEnabled(true);
  session_.choice().announce(fieldId_, number, true);
}

void ChooserBox::showNumberInBox(int number) {
  {
    Busy busy(busy_);
    combo->setEditText(textOf(number));
    typed_ = false;
  }
  upDown->setPosition(number);
  session_.state().currentNumber(fieldId_) = number;
  showChosenNumber(number);
}

void ChooserBox::showChosenNumber(int number) {
  WorkingState& state = session_.state();
  const ChoiceResult choice = showNumber(session_.renderer(), fieldId_, number);
  if (choice.exists) {
    // The list item of the number is selected too: delete-one acts on it.
    const QString key = textOf(number);
    Busy busy(busy_);
    combo->setCurrentIndex(combo->findText(key));
    combo->setEditText(key);
    state.chosen(fieldId_) = true;
    emit notExisting(QString());
    deleteOne->setEnabled(true);
    session_.choice().announce(fieldId_, number, true);
    return;
  }
  state.chosen(fieldId_) = false;
  deleteOne->setEnabled(false);
  session_.choice().announce(fieldId_, number, false);
  if (fieldId_ == FieldId::Line) {
    // The panel shows the line's digits; the box stays free for typing.
    if (check->isChecked()) {
      const QString shown = textOf(number);
      {
        Busy busy(busy_);
        check->setChecked(false);
      }
      setPickList(false);
      Busy busy(busy_);
      combo->setEditText(shown);
    }
    return;
  }
  emit notExisting(qs(choice.message));
}

void ChooserBox::choose(int number) {
  if (!isEnabled() || number < 0 || number > maxNumber()) return;
  const int index = combo->findText(textOf(number));
  if (check->isChecked() && index >= 0) {
    showItem(index);
    return;
  }
  if (check->isChecked()) {
    {
      Busy busy(busy_);
      check->setChecked(false);
    }
    setPickList(false);
  }
  showNumberInBox(number);
}

void ChooserBox::restartField() {
  const WorkingState& state = session_.state();
  const int index = combo->currentIndex();
  if (state.chosen(fieldId_) && index >= 0 && combo->itemText(index) == combo->currentText()) {
    showItem(index);
    return;
  }
  if (!state.chosen(fieldId_)) {
    showChosenNumber(state.currentNumber(fieldId_));
    return;
  }
  session_.renderer().startField(fieldId_, std::string(1, kCR), -1);
}

void ChooserBox::listChanged(TextKind changedKind, const std::string& key, ListChange change) {
  if (changedKind != kind()) return;
  const PanelDatabase& db = session_.database();
  const TextList& list = db.list(kind());
  const WorkingState& state = session_.state();
  const QString shownText = textOf(state.currentNumber(fieldId_));
  const bool wasShown = state.chosen(fieldId_) && combo->currentIndex() >= 0;
  fill();
  const auto showOrNothing = [this](std::size_t index) {
    if (index < static_cast<std::size_t>(combo->count()))
      showItem(static_cast<int>(index));
    else
      showNothing();
  };
  switch (change) {
    case ListChange::Put:
      // The entry just stored (or restored) is the one the user looks at.
      if (auto index = list.findEntry(key)) {
        if (check->isChecked())
          showItem(static_cast<int>(*index));
        else
          showNumberInBox(numberOfKey(db, key));
      }
      return;
    case ListChange::Removed:
      if (wasShown && textOf(numberOfKey(db, key)) == shownText) {
        // The entry now at the same place, or the last one.
        if (list.empty())
          showNothing();
        else
          showOrNothing(std::min(list.lowerBound(key), list.count() - 1));
        return;
      }
      break;
    case ListChange::Replaced: break;
  }
  // Whatever was shown stays, from the list as it is now.
  const int index = combo->findText(shownText);
  if (wasShown && index >= 0) {
    showItem(index);
  } else if (!check->isChecked()) {
    showNumberInBox(state.currentNumber(fieldId_));
  } else if (change == ListChange::Replaced || wasShown) {
    showOrNothing(0);
  }
}

void ChooserBox::ComboBoxSelect(int index) {
  if (busy_ || index < 0) return;
  if (check->isChecked())
    showItem(index);
  else
    showNumberInBox(parse(combo->itemText(index)));
}

void ChooserBox::ComboBoxEnter() {
  if (busy_) return;
  typed_ = false;
  const int number = parse(combo->currentText());
  if (number < 0 || number > maxNumber()) return;
  showNumberInBox(number);
}

void ChooserBox::ComboBoxExit() {
  if (busy_ || !combo->isEditable()) return;
  // A typed number is taken on leaving the box as on Enter.
  if (typed_) ComboBoxEnter();
  Busy busy(busy_);
  combo->setEditText(textOf(upDown->position()));
}

void ChooserBox::UpDownClick(bool up) {
  if (busy_ || !isEnabled()) return;
  if (check->isChecked()) {
    if (combo->count() == 0) return;
    const int index = combo->currentIndex();
    const int next = index < 0 ? 0 : std::clamp(index + (up ? 1 : -1), 0, combo->count() - 1);
    showItem(next);
    return;
  }
  if (combo->currentText().isEmpty()) return;
  // A number typed and not yet taken counts from itself.
  if (typed_) ComboBoxEnter();
  const int number = std::clamp(upDown->position() + (up ? 1 : -1), 0, maxNumber());
  showNumberInBox(number);
}

void ChooserBox::CheckBoxToggled() {
  if (busy_) return;
  if (check->isChecked()) {
    // The typed number's item, else the previous selection, else the first.
    int index = combo->findText(combo->currentText());
    if (index < 0) index = combo->currentIndex();
    if (index < 0) index = 0;
    setPickList(true);
    if (combo->count() == 0) {
      session_.renderer().startField(fieldId_, std::string(1, kCR), -1);
      deleteOne->setEnabled(false);
      return;
    }
    showItem(index);
    return;
  }
  setPickList(false);
  if (combo->currentText().isEmpty()) showNumberInBox(0);
}

void ChooserBox::MenuDeleteOneClick() {
  const int index = combo->currentIndex();
  if (index < 0 || combo->itemText(index) != combo->currentText()) return;
  const TextList& list = session_.database().list(kind());
  if (static_cast<std::size_t>(index) >= list.count()) return;
  const std::string key(entryKey(list[static_cast<std::size_t>(index)]));
  deleteEntryAsked(session_, kind(), key, combo->currentText().toStdString());
}

void ChooserBox::MenuDeleteAllClick() { deleteAllAsked(session_, kind()); }

bool ChooserBox::eventFilter(QObject* watched, QEvent* event) {
  const bool box = watched == combo || (combo->isEditable() && watched == combo->lineEdit());
  if (box && combo->isEditable()) {
    if (event->type() == QEvent::KeyPress) {
      // Up and Down count by one, as the arrows do, instead of jumping
      // through the pick list.
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        UpDownClick(key == Qt::Key_Up);
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      // The combo box has the focus for its line edit.
      ComboBoxExit();
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace dorvak
