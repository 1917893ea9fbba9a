#include "app/text_editor.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/accessible.h"
#include "app/busy.h"
#include "app/entry_choice.h"
#include "app/list_actions.h"
#include "app/list_commands.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/tformpanel.h"
#include "app/updown.h"
#include "config/cp1250.h"
#include "core/messages.h"
#include "render/field_choice.h"

namespace dorvak {

namespace {

constexpr int kGridRowHeight = 18;
constexpr int kMarkerWidth = 10;
constexpr int kNotationWidth = 490;

QString fromCp1250(std::string_view text) { return qs(cp1250ToUtf8(text)); }
std::optional<std::string> toCp1250(const QString& text) { return utf8ToCp1250(text.toStdString()); }

QString rowCaption(std::string_view format, int row) { return qs(formatMessage(format, std::to_string(row + 1))); }

// The ekvivalent field takes what the unit can show: Windows-1250
// characters, 12 of them for KT500, 122 dots of the KT700 display. The whole
// text is measured, wherever the character was typed.
class EkvivalentValidator : public QValidator {
 public:
  EkvivalentValidator(const Session& session, QObject* parent) : QValidator(parent), session_(session) {}
  State validate(QString& input, int&) const override {
    const std::optional<std::string> text = toCp1250(input);
    return text && ekvivalentFits(*text, session_.options()) ? Acceptable : Invalid;
  }

 private:
  const Session& session_;
};

// The notation cells: Return takes the row and asks for a new one below.
class NotationDelegate : public QStyledItemDelegate {
 public:
  NotationDelegate(QObject* parent, std::function<void()> returnPressed)
      : QStyledItemDelegate(parent), returnPressed_(std::move(returnPressed)) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        returnPressed_();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  std::function<void()> returnPressed_;
};

}  // namespace

// A window of its own over the main window, not a Qt::Tool: a tool window
// shares its activation with the main window, and the editor must know when
// the user leaves it.
TextEditor::TextEditor(Session& session, EditorTraits traits, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      session_(session),
      traits_(std::move(traits)),
      draft_(session.database(), traits_.rules),
      files_(session, traits_) {
  setObjectName(traits_.windowName);
  setWindowTitle(qs(traits_.title));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout;
  createNumberGroup(central);
  top->addWidget(GroupBoxN);
  createButtons(central);
  top->addWidget(ButtonULOZ);
  top->addWidget(ButtonNOVY);
  top->addWidget(ButtonUKAZKA);
  top->addStretch();
  top->addWidget(LabelEKVI);
  top->addWidget(EditEKVI);
  top->addWidget(SpeedButtonEKVI);
  layout->addLayout(top);
  PageControl1 = new QTabWidget(central);
  PageControl1->setObjectName("PageControl1");
  createTextPage();
  createMnemoPage();
  layout->addWidget(PageControl1);
  setCentralWidget(central);
  createMenus();

  connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
    if (busy_) return;
    if (PageControl1->currentWidget() == TabSheet2)
      StringGrid1->setFocus();
    else
      Edit[0]->setFocus();
    preview(previewRow());
  });

  Document& document = session_.document();
  connect(&document, &Document::listChanged, this, &TextEditor::listChanged);
  connect(&document, &Document::configChanged, this, &TextEditor::configChanged);
  connect(&document, &Document::fontsChanged, this, [this] { showDraft(); });
  connect(&document, &Document::databaseReplaced, this, &TextEditor::databaseReplaced);
  connect(&session_.choice(), &EntryChoice::chosen, this, &TextEditor::chooserShows);
  connect(&session_.optionsModel(), &OptionsModel::changed, this, &TextEditor::layoutEkvivalent);
  databaseReplaced();
}

TextEditor::~TextEditor() = default;

// ---- building the window ----

void TextEditor::createNumberGroup(QWidget* parent) {
  GroupBoxN = new QGroupBox(qs(text::GroupNumber), parent);
  nameControl(GroupBoxN, "GroupBoxN", qs(text::GroupNumber));
  EditN = new QLineEdit(GroupBoxN);
  nameControl(EditN, "EditN", qs(text::GroupNumber));
  EditN->setFixedWidth(56);
  UpDownN = new UpDown(GroupBoxN);
  nameControl(UpDownN, "UpDownN", qs(text::GroupNumber) + " up/down");
  UpDownN->upButton()->setAccessibleName("Next entry");
  UpDownN->downButton()->setAccessibleName("Previous entry");
  ButtonZOBRAZ = new QPushButton(qs(text::ButtonShow), GroupBoxN);
  nameControl(ButtonZOBRAZ, "ButtonZOBRAZ", qs(text::ButtonShow));
  auto* row = new QHBoxLayout(GroupBoxN);
  row->addWidget(EditN);
  row->addWidget(UpDownN);
  row->addWidget(ButtonZOBRAZ);

  connect(EditN, &QLineEdit::textEdited, this, [this](const QString& typed) {
    if (busy_) return;
    // A typed "x" is stored as "X"; any key makes delete-one wait for "show".
    if (typed.contains('x')) {
      Busy busy(busy_);
      EditN->setText(typed.toUpper());
    }
    updateCommands();
  });
  connect(EditN, &QLineEdit::returnPressed, this, &TextEditor::ButtonZOBRAZClick);
  connect(ButtonZOBRAZ, &QPushButton::clicked, this, &TextEditor::ButtonZOBRAZClick);
  connect(UpDownN, &UpDown::clicked, this, &TextEditor::UpDownNClick);

  PopupMenu1 = new QMenu(GroupBoxN);
  PopMenuVymaz = PopupMenu1->addAction(qs(traits_.deleteOneCaption));
  PopMenuVymaz->setObjectName(traits_.popupDeleteOneName);
  PopMenuVymazVse = PopupMenu1->addAction(qs(traits_.deleteAllCaption));
  PopMenuVymazVse->setObjectName(traits_.popupDeleteAllName);
  connect(PopMenuVymaz, &QAction::triggered, this, &TextEditor::MenuVymazatJedenClick);
  connect(PopMenuVymazVse, &QAction::triggered, this, &TextEditor::MenuVymazatVsechnyClick);
  GroupBoxN->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GroupBoxN, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(GroupBoxN->mapToGlobal(at)); });
}

QToolButton* TextEditor::rowButton(int row, const char* name, std::string_view caption, std::string_view accessible) {
  auto* button = new QToolButton(TabSheet1);
  button->setText(qs(caption));
  nameControl(button, (std::string(name) + std::to_string(row + 1)).c_str(), rowCaption(accessible, row));
  button->setToolTip(button->accessibleName());
  Row[static_cast<std::size_t>(row)].all.push_back(button);
  return button;
}

void TextEditor::createTextPage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  PageControl1->addTab(TabSheet1, qs(text::PageText));
  auto* grid = new QGridLayout(TabSheet1);

  RadioButton1 = new QRadioButton(qs(text::OneRow), TabSheet1);
  nameControl(RadioButton1, "RadioButton1", "One row");
  RadioButton2 = new QRadioButton(qs(text::TwoRows), TabSheet1);
  nameControl(RadioButton2, "RadioButton2", "Two rows");
  RadioButton1->setChecked(true);
  RadioButton1->setVisible(traits_.rules.twoRowMode);
  RadioButton2->setVisible(traits_.rules.twoRowMode);
  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (!busy_ && on) RadioButtonClick(false);
  });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (!busy_ && on) RadioButtonClick(true);
  });
  CheckBoxAF = new QCheckBox(qs(text::Autoformat), TabSheet1);
  nameControl(CheckBoxAF, "CheckBoxAF", qs(text::Autoformat));
  connect(CheckBoxAF, &QCheckBox::toggled, this, [this](bool on) {
    if (!busy_) apply(draft_.setAutoformat(on));
  });
  SpeedButtonZAMEN = new QToolButton(TabSheet1);
  SpeedButtonZAMEN->setText(qs(text::CaptionSwap));
  nameControl(SpeedButtonZAMEN, "SpeedButtonZAMEN", qs(text::SwapRows));
  SpeedButtonBLOK = new QToolButton(TabSheet1);
  nameControl(SpeedButtonBLOK, "SpeedButtonBLOK", qs(traits_.blockCaption));
  SpeedButtonBLOK->setIconSize(QSize(24, 16));
  SpeedButtonW = new QToolButton(TabSheet1);
  SpeedButtonW->setText(qs(text::Wide));
  nameControl(SpeedButtonW, "SpeedButtonW", qs(text::Wide));
  for (QToolButton* b : {SpeedButtonZAMEN, SpeedButtonBLOK, SpeedButtonW}) {
    b->setCheckable(true);
    b->setToolTip(b->accessibleName());
  }
  connect(SpeedButtonZAMEN, &QToolButton::toggled, this, [this](bool on) {
    if (!busy_) apply(draft_.setSwapped(on));
  });
  connect(SpeedButtonBLOK, &QToolButton::toggled, this, [this](bool on) {
    if (!busy_) apply(draft_.setBlock(on));
  });
  connect(SpeedButtonW, &QToolButton::toggled, this, [this](bool on) {
    if (!busy_) apply(draft_.setWide(on));
  });

  auto* heads = new QHBoxLayout;
  heads->addWidget(RadioButton1);
  heads->addWidget(RadioButton2);
  heads->addStretch();
  heads->addWidget(CheckBoxAF);
  heads->addWidget(SpeedButtonZAMEN);
  heads->addWidget(SpeedButtonBLOK);
  heads->addWidget(SpeedButtonW);
  grid->addLayout(heads, 0, 0, 1, 12);
  const std::pair<int, std::string_view> labels[] = {{1, text::FontLabel}, {2, text::SpacingLabel}, {4, text::ShiftLabel}};
  for (const auto& [column, caption] : labels) {
    auto* label = new QLabel(qs(caption), TabSheet1);
    grid->addWidget(label, 1, column, 1, column == 1 ? 1 : 2, Qt::AlignCenter);
  }

  for (int r = 0; r < 2; ++r) {
    RowControls& c = Row[static_cast<std::size_t>(r)];
    QLineEdit*& edit = Edit[static_cast<std::size_t>(r)];
    edit = new QLineEdit(TabSheet1);
    nameControl(edit, r == 0 ? "Edit1" : "Edit2", rowCaption(text::RowText, r));
    edit->setMinimumWidth(220);
    c.all.push_back(edit);
    c.SpinEditF = new QSpinBox(TabSheet1);
    nameControl(c.SpinEditF, r == 0 ? "SpinEditF1" : "SpinEditF2", rowCaption(text::RowFont, r));
    c.SpinEditF->setRange(0, 15);
    c.all.push_back(c.SpinEditF);
    c.SpeedButtonMM = rowButton(r, "SpeedButtonMM", text::CaptionMinus, text::SpacingMinus);
    c.SpeedButtonMP = rowButton(r, "SpeedButtonMP", text::CaptionPlus, text::SpacingPlus);
    c.SpeedButtonPM = rowButton(r, "SpeedButtonPM", text::CaptionUp, text::ShiftMinus);
    c.SpeedButtonPP = rowButton(r, "SpeedButtonPP", text::CaptionDown, text::ShiftPlus);
    c.SpeedButtonLD = rowButton(r, "SpeedButtonLD", text::CaptionToLeftEdge, text::ToLeftEdge);
    c.SpeedButtonL = rowButton(r, "SpeedButtonL", text::CaptionOneLeft, text::OneLeft);
    c.SpeedButtonC = rowButton(r, "SpeedButtonC", text::CaptionCentre, text::Centre);
    c.SpeedButtonP = rowButton(r, "SpeedButtonP", text::CaptionOneRight, text::OneRight);
    c.SpeedButtonPD = rowButton(r, "SpeedButtonPD", text::CaptionToRightEdge, text::ToRightEdge);
    c.SpeedButtonINV = rowButton(r, "SpeedButtonINV", text::CaptionInvert, text::Invert);
    c.SpeedButtonINV->setCheckable(true);
    int column = 0;
    for (QWidget* w : c.all) grid->addWidget(w, 2 + r, column++);
    grid->setColumnStretch(0, 1);

    connect(edit, &QLineEdit::textEdited, this, [this, r] { EditChange(r); });
    edit->installEventFilter(this);
    connect(c.SpinEditF, &QSpinBox::valueChanged, this, [this, r](int font) {
      if (!busy_) apply(draft_.setFont(r, font));
    });
    auto on = [this](QToolButton* button, std::function<bool()> command) {
      connect(button, &QToolButton::clicked, this, [this, command] {
        if (!busy_) apply(command());
      });
    };
    on(c.SpeedButtonMM, [this, r] { return draft_.changeSpacing(r, -1); });
    on(c.SpeedButtonMP, [this, r] { return draft_.changeSpacing(r, 1); });
    on(c.SpeedButtonPM, [this, r] { return draft_.changeShift(r, -1); });
    on(c.SpeedButtonPP, [this, r] { return draft_.changeShift(r, 1); });
    on(c.SpeedButtonLD, [this, r] { return draft_.toEdge(r, false); });
    on(c.SpeedButtonL, [this, r] { return draft_.stepColumn(r, -1); });
    on(c.SpeedButtonC, [this, r] { return draft_.centre(r); });
    on(c.SpeedButtonP, [this, r] { return draft_.stepColumn(r, 1); });
    on(c.SpeedButtonPD, [this, r] { return draft_.toEdge(r, true); });
    // Toggled, not clicked: a screen reader's toggle action works too. An
    // empty row refuses it and the button comes up again.
    connect(c.SpeedButtonINV, &QToolButton::toggled, this, [this, r](bool down) {
      if (!busy_) apply(draft_.setInverted(r, down));
    });
  }
  if (!traits_.rules.twoRowMode) {
    Edit[1]->setReadOnly(true);
    Edit[1]->setToolTip(qs(text::FurtherRowsOnMnemo));
  }
  grid->setRowStretch(4, 1);
}

void TextEditor::createMnemoPage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  PageControl1->addTab(TabSheet2, qs(text::PageMnemo));
  StringGrid1 = new QTableWidget(1, 2, TabSheet2);
  nameControl(StringGrid1, "StringGrid1", qs(text::Notation));
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
  StringGrid1->setColumnWidth(0, kMarkerWidth);
  StringGrid1->setIconSize(QSize(kMarkerWidth, kGridRowHeight));
  StringGrid1->setShowGrid(false);
  StringGrid1->setColumnWidth(1, kNotationWidth);
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed);
  StringGrid1->setItemDelegateForColumn(1, new NotationDelegate(StringGrid1, [this] { GridReturn(); }));
  StringGrid1->installEventFilter(this);
  StringGrid1->setMinimumHeight(5 * kGridRowHeight + 8);
  auto* layout = new QVBoxLayout(TabSheet2);
  layout->addWidget(StringGrid1);
  connect(StringGrid1, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (!busy_ && column == 1) GridCellChanged(row);
  });
  connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (!busy_ && row >= 0) GridCurrentChanged(row);
  });
}

void TextEditor::createButtons(QWidget* parent) {
  ButtonULOZ = new QPushButton(qs(text::ButtonSave), parent);
  nameControl(ButtonULOZ, "ButtonULOZ", qs(text::ButtonSave));
  ButtonNOVY = new QPushButton(qs(traits_.newCaption), parent);
  nameControl(ButtonNOVY, "ButtonNOVY", qs(traits_.newCaption));
  ButtonUKAZKA = new QPushButton(qs(text::ButtonTest), parent);
  nameControl(ButtonUKAZKA, "ButtonUKAZKA", qs(text::ButtonTest));
  // The retained room keeps the buttons in place when TEST comes and goes.
  QSizePolicy policy = ButtonUKAZKA->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  ButtonUKAZKA->setSizePolicy(policy);
  connect(ButtonULOZ, &QPushButton::clicked, this, &TextEditor::ButtonULOZClick);
  connect(ButtonNOVY, &QPushButton::clicked, this, &TextEditor::ButtonNOVYClick);
  connect(ButtonUKAZKA, &QPushButton::clicked, this, &TextEditor::ButtonUKAZKAClick);

  LabelEKVI = new QLabel(qs(text::Ekvivalent), parent);
  EditEKVI = new QLineEdit(parent);
  nameControl(EditEKVI, "EditEKVI", qs(text::Ekvivalent));
  LabelEKVI->setBuddy(EditEKVI);
  EditEKVI->setValidator(new EkvivalentValidator(session_, EditEKVI));
  SpeedButtonEKVI = new QToolButton(parent);
  SpeedButtonEKVI->setText(qs(text::CaptionDerived));
  nameControl(SpeedButtonEKVI, "SpeedButtonEKVI", qs(text::EkvivalentDerived));
  SpeedButtonEKVI->setToolTip(qs(text::EkvivalentDerived));
  SpeedButtonEKVI->setCheckable(true);
  SpeedButtonEKVI->setChecked(true);
  connect(EditEKVI, &QLineEdit::textEdited, this, &TextEditor::EditEKVIChange);
  connect(SpeedButtonEKVI, &QToolButton::toggled, this, [this] {
    if (!busy_) SpeedButtonEKVIClick();
  });
}

void TextEditor::createMenus() {
  MenuList = menuBar()->addMenu(qs(traits_.menuCaption));
  MenuList->setObjectName(traits_.menuName);
  auto action = [this](std::string_view caption, const char* name) {
    QAction* a = MenuList->addAction(qs(caption));
    a->setObjectName(name);
    return a;
  };
  MenuNacti = action(text::MenuRead, "MenuNacti");
  MenuPridej = action(text::MenuAdd, "MenuPridej");
  MenuUlozJako = action(text::MenuSaveAs, "MenuUlozJako");
  MenuList->addSeparator();
  MenuVymazatJeden = action(traits_.deleteOneCaption, traits_.deleteOneName);
  MenuVymazatVsechny = action(traits_.deleteAllCaption, "MenuVymazatVsechny");
  MenuList->addSeparator();
  MenuZavrit = action(text::MenuCloseEditor, "MenuZavrit");
  connect(MenuNacti, &QAction::triggered, this, [this] { MenuNactiClick(false); });
  connect(MenuPridej, &QAction::triggered, this, [this] { MenuNactiClick(true); });
  connect(MenuUlozJako, &QAction::triggered, this, &TextEditor::MenuUlozJakoClick);
  connect(MenuVymazatJeden, &QAction::triggered, this, &TextEditor::MenuVymazatJedenClick);
  connect(MenuVymazatVsechny, &QAction::triggered, this, &TextEditor::MenuVymazatVsechnyClick);
  connect(MenuZavrit, &QAction::triggered, this, &QWidget::close);

  MenuEdit = menuBar()->addMenu(qs(text::MenuEdit));
  MenuEdit->setObjectName("MenuEdit");
  MenuEdit->addAction(&session_.undoAction());
  MenuEdit->addAction(&session_.redoAction());
}

void TextEditor::addMenu(QMenu* menu) { menuBar()->insertMenu(MenuEdit->menuAction(), menu); }

// ---- showing the draft ----

void TextEditor::showDraft() {
  Busy busy(busy_);
  for (int r = 0; r < 2; ++r) {
    const DraftRow& row = draft_.row(r);
    const RowControls& c = Row[static_cast<std::size_t>(r)];
    QLineEdit* edit = Edit[static_cast<std::size_t>(r)];
    const QString text = fromCp1250(row.text);
    if (edit->text() != text) edit->setText(text);
    c.SpinEditF->setValue(row.font);
    c.SpeedButtonMM->setEnabled(row.spacing > 0);
    c.SpeedButtonMP->setEnabled(row.spacing < 15);
    c.SpeedButtonPM->setEnabled(row.shift > 0);
    c.SpeedButtonPP->setEnabled(row.shift < 31);
    c.SpeedButtonINV->setChecked(row.inverted);
  }
  RadioButton1->setChecked(!draft_.twoRows());
  RadioButton2->setChecked(draft_.twoRows());
  CheckBoxAF->setChecked(draft_.autoformat());
  SpeedButtonZAMEN->setChecked(draft_.swapped());
  SpeedButtonBLOK->setChecked(draft_.block());
  SpeedButtonBLOK->setIcon(
      QIcon(draft_.blockSide() == BlockSide::Left ? traits_.blockGlyphLeft : traits_.blockGlyphRight));
  SpeedButtonW->setChecked(draft_.wide());
  SpeedButtonW->setEnabled(!draft_.block());
  SpeedButtonW->setVisible(traits_.rules.wideCommand &&
                           session_.database().config.firmware == FirmwareVersion::V2_15);
  ButtonUKAZKA->setVisible(draft_.testOffered() || testRunning_);
  layoutRows();
  showGrid();
}

void TextEditor::layoutRows() {
  // One row hides row 2's controls and the swap. Without the two-row mode
  // (stops) the further rows of a text are shown and kept, not edited here:
  // the MNEMO page edits them.
  const bool two = draft_.twoRows();
  const bool rowTwoCommands = two && traits_.rules.twoRowMode;
  for (QWidget* w : Row[1].all) w->setVisible(rowTwoCommands);
  Edit[1]->setVisible(two);
  SpeedButtonZAMEN->setVisible(rowTwoCommands);
}

void TextEditor::showGrid() {
  Busy busy(busy_);
  const std::vector<std::string>& rows = draft_.mnemoRows();
  const int count = static_cast<int>(rows.size());
  if (StringGrid1->rowCount() != count) StringGrid1->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    if (!StringGrid1->item(i, 0)) {
      auto* marker = new QTableWidgetItem;
      marker->setFlags(Qt::ItemIsEnabled);
      marker->setBackground(palette().button());
      StringGrid1->setItem(i, 0, marker);
    }
    const QString text = fromCp1250(rows[static_cast<std::size_t>(i)]);
    QTableWidgetItem* cell = StringGrid1->item(i, 1);
    if (!cell)
      StringGrid1->setItem(i, 1, new QTableWidgetItem(text));
    else if (cell->text() != text)
      cell->setText(text);
  }
  // The row being edited is the grid's current one, in its text column.
  const int current = std::clamp(draft_.currentRow(), 0, count - 1);
  if (StringGrid1->currentRow() != current || StringGrid1->currentColumn() != 1) StringGrid1->setCurrentCell(current, 1);
  showMarkers();
}

void TextEditor::showMarkers() {
  static const QIcon current(":/icons/SIPKA1.svg");
  static const QIcon other(":/icons/SIPKA0.svg");
  for (int i = 0; i < StringGrid1->rowCount(); ++i)
    if (QTableWidgetItem* marker = StringGrid1->item(i, 0)) marker->setIcon(i == draft_.currentRow() ? current : other);
}

bool TextEditor::ekvivalentShown() const {
  const std::uint8_t mode = session_.options().ekvivalentMode;
  return (mode == EkvivalentMode::Kt500 && traits_.ekvivalentKt500) ||
         (mode == EkvivalentMode::Kt700 && traits_.ekvivalentKt700);
}

void TextEditor::layoutEkvivalent() {
  const std::uint8_t mode = session_.options().ekvivalentMode;
  const bool shown = ekvivalentShown();
  LabelEKVI->setVisible(shown);
  EditEKVI->setVisible(shown);
  SpeedButtonEKVI->setVisible(shown);
  EditEKVI->setFixedWidth(mode == EkvivalentMode::Kt700 ? 180 : 90);
  EditEKVI->setMaxLength(mode == EkvivalentMode::Kt700 ? static_cast<int>(kMaxEkvivalentLength) : 12);
  // The mode decides the derived ekvivalent's length.
  if (!ekvivalentModified_) refreshEkvivalent();
}

void TextEditor::updateCommands() {
  const TextList& list = session_.database().list(kind());
  const bool entries = session_.document().isOpen() && !list.empty();
  // Delete one acts on the entry shown, until another number is typed.
  const bool shown = number_ && showsEntry(*number_) && EditN->text() == shownNumber(*number_);
  for (QAction* a : {MenuPridej, MenuUlozJako, MenuVymazatVsechny, PopMenuVymazVse}) a->setEnabled(entries);
  MenuVymazatJeden->setEnabled(shown);
  PopMenuVymaz->setEnabled(shown && !testRunning_);
}

void TextEditor::apply(bool changed) {
  if (changed) {
    modified_ = true;
    session_.choice().showMessage(fieldId(), QString());
    if (SpeedButtonEKVI->isChecked()) refreshEkvivalent();
  }
  showDraft();
  if (changed) preview(draft_.currentRow());
}

int TextEditor::previewRow() const { return PageControl1->currentWidget() == TabSheet2 ? draft_.currentRow() : -1; }

void TextEditor::preview(int row) {
  if (!active_) return;
  // A text of one or two rows is shown whole; of a longer one the first row
  // and the further row being edited, which all take the same place.
  const int target = row < 0 || !draft_.testOffered() ? -1 : std::max(row, 1);
  PanelRenderer& renderer = session_.renderer();
  renderer.setStaticPreview(fieldId(), !testRunning_);
  renderer.view(fieldId()).number = number_.value_or(-1);
  renderer.startField(fieldId(), draft_.storedText(), target);
  // BLOK lets the text use the panel up to its edge.
  renderer.setFieldColumns(fieldId(), draft_.fieldLeft(), draft_.fieldRight());
  session_.panel().tick();
}

void TextEditor::refreshEkvivalent() {
  Busy busy(busy_);
  const PanelDatabase& db = session_.database();
  std::string text = draft_.savedText();
  if (number_ && showsEntry(*number_)) text = entryTextOf(*number_).value_or(text);
  // The starting destination has no ekvivalent.
  const bool starting = kind() == TextKind::Destination && number_ == startingDestinationNumber(db);
  const ShownEkvivalent shown =
      starting ? ShownEkvivalent{} : shownEkvivalent(kind(), text, db.keyTable, session_.options());
  EditEKVI->setText(fromCp1250(shown.text));
  SpeedButtonEKVI->setChecked(shown.derived);
}

// ---- numbers ----

QString TextEditor::shownNumber(int number) const { return qs(chooserText(session_.database(), fieldId(), number)); }

void TextEditor::setNumberText(const QString& text) {
  Busy busy(busy_);
  EditN->setText(text);
}

std::optional<int> TextEditor::typedNumber() const {
  return typedEntryNumber(EditN->text().toStdString(), kind(), session_.database().config.fourDigitDestinations());
}

std::optional<std::string> TextEditor::keyOfTyped() const {
  const std::optional<int> number = typedNumber();
  if (!number) return std::nullopt;
  return session_.database().makeKey(kind(), *number);
}

std::optional<std::string> TextEditor::entryTextOf(int number) const {
  const PanelDatabase& db = session_.database();
  if (!session_.document().isOpen() || number < 0) return std::nullopt;
  std::string key;
  try {
    key = db.makeKey(kind(), number);
  } catch (const std::out_of_range&) {
    return std::nullopt;
  }
  const TextList& list = db.list(kind());
  const std::optional<std::size_t> index = list.findEntry(key);
  if (!index) return std::nullopt;
  return std::string(entryText(list[*index]));
}

bool TextEditor::showsEntry(int number) const {
  if (number_ != number) return false;
  const std::optional<std::string> text = entryTextOf(number);
  return text && normalizeText(*text) == draft_.savedText();
}

void TextEditor::loadEntry(int number, bool askMain) {
  const std::optional<std::string> text = entryTextOf(number);
  if (!text) return;
  number_ = number;
  UpDownN->setPosition(number);
  setNumberText(shownNumber(number));
  const bool mnemo = draft_.load(*text);
  modified_ = ekvivalentModified_ = false;
  showDraft();
  {
    Busy busy(busy_);
    PageControl1->setCurrentWidget(mnemo ? TabSheet2 : TabSheet1);
  }
  refreshEkvivalent();
  if (askMain) {
    ownCommand_ = true;
    session_.choice().request(fieldId(), number);
    ownCommand_ = false;
  }
  session_.choice().showMessage(fieldId(), QString());
  preview(-1);
  updateCommands();
}

void TextEditor::clearEditor() {
  session_.choice().showMessage(fieldId(), QString());
  draft_.clear();
  number_.reset();
  modified_ = ekvivalentModified_ = false;
  setNumberText(QString());
  {
    Busy busy(busy_);
    EditEKVI->clear();
    SpeedButtonEKVI->setChecked(true);
    PageControl1->setCurrentWidget(TabSheet1);
  }
  showDraft();
  if (isVisible()) EditN->setFocus();
  preview(-1);
  updateCommands();
}

void TextEditor::followChoice() {
  if (modified()) return;
  const WorkingState& state = session_.state();
  const int number = state.currentNumber(fieldId());
  if (state.chosen(fieldId()) && entryTextOf(number)) {
    if (showsEntry(number))
      refreshEkvivalent();
    else
      loadEntry(number, false);
  } else {
    clearEditor();
  }
}

// ---- handlers ----

void TextEditor::ButtonZOBRAZClick() {
  if (busy_) return;
  const std::optional<int> number = typedNumber();
  if (!number) return;
  UpDownN->setPosition(*number);
  if (entryTextOf(*number)) {
    loadEntry(*number, true);
    return;
  }
  // The editor is cleared and keeps the number typed.
  const QString typed = EditN->text();
  clearEditor();
  setNumberText(typed);
  if (!traits_.notExisting.empty())
    session_.choice().showMessage(fieldId(), qs(formatMessage(traits_.notExisting, shownNumber(*number).toStdString())));
  updateCommands();
}

void TextEditor::UpDownNClick(bool up) {
  if (busy_) return;
  const PanelDatabase& db = session_.database();
  const TextList& list = db.list(kind());
  if (list.empty()) return;
  std::size_t index = 0;
  if (number_ && entryTextOf(*number_)) {
    const std::size_t at = *list.findEntry(db.makeKey(kind(), *number_));
    index = up ? std::min(at + 1, list.count() - 1) : (at == 0 ? 0 : at - 1);
  } else if (std::optional<std::string> key = keyOfTyped()) {
    // From a number typed: the entry at or after it, or the one before.
    const std::size_t at = list.lowerBound(*key);
    index = up ? std::min(at, list.count() - 1) : (at == 0 ? 0 : at - 1);
  }
  loadEntry(numberOfKey(db, entryKey(list[index])), true);
}

void TextEditor::ButtonULOZClick() {
  if (busy_) return;
  const PanelDatabase& db = session_.database();
  const std::optional<int> number = typedNumber();
  if (!number) return;
  const std::string key = db.makeKey(kind(), *number);
  setNumberText(shownNumber(*number));
  std::string text = draft_.savedText();
  const ProgramOptions& options = session_.options();
  const TextList& list = db.list(kind());
  if (key != kStartingDestinationKey && ekvivalentShown()) {
    std::string typed = toCp1250(EditEKVI->text()).value_or(std::string());
    if (kind() == TextKind::Destination && options.ekvivalentMode == EkvivalentMode::Kt700) {
      typed = fitKt700Ekvivalent(typed, options.kt700Table, options.kt700Widths);
      Busy busy(busy_);
      EditEKVI->setText(fromCp1250(typed));
    }
    text = withEkvivalent(kind(), text, typed, db.keyTable, options);
  } else if (const std::optional<std::size_t> old = list.findEntry(key);
             old && key != kStartingDestinationKey && traits_.hasEkvivalents()) {
    // Without the field the user cannot see the entry's ekvivalent: saving
    // keeps it rather than drop it unseen.
    const std::string_view kept = explicitEkvivalent(entryText(list[*old]));
    if (kept != derivedEkvivalent(kind(), text, db.keyTable, options)) text += kept;
  }
  if (const std::optional<std::size_t> index = list.findEntry(key)) {
    // Undo takes a change back, so the question can be switched off.
    if (!options.changesSaveAutomatically && entryText(list[*index]) != text &&
        !session_.prompter().yesNo(formatMessage(traits_.existsQuestion, EditN->text().toStdString())))
      return;
  }
  // Only the destinations' ekvivalents are written into the unit's file, so
  // only they wait to be written before the data base is left.
  if (ekvivalentModified_ && kind() == TextKind::Destination) session_.state().ekvivalentsChanged = true;
  number_ = *number;
  UpDownN->setPosition(*number);
  modified_ = ekvivalentModified_ = false;
  const std::optional<std::size_t> index = list.findEntry(key);
  if (!index || entryText(list[*index]) != text) {
    Document& document = session_.document();
    ownCommand_ = true;
    document.push(new PutEntryCommand(document, kind(), key, text, entryCommandText(traits_.undoSave, db, kind(), key)));
    ownCommand_ = false;
  }
  ownCommand_ = true;
  session_.choice().request(fieldId(), *number);
  ownCommand_ = false;
  refreshEkvivalent();
  preview(previewRow());
  updateCommands();
}

void TextEditor::ButtonNOVYClick() {
  if (!busy_) clearEditor();
}

void TextEditor::ButtonUKAZKAClick() {
  if (busy_) return;
  if (testRunning_) {
    stopTest();
    return;
  }
  // The panel runs the text as it would show it; the editor waits.
  testRunning_ = true;
  for (QWidget* w : std::initializer_list<QWidget*>{ButtonULOZ, ButtonNOVY, ButtonZOBRAZ, PageControl1, EditEKVI,
                                                    SpeedButtonEKVI, EditN, UpDownN})
    w->setEnabled(false);
  MenuList->setEnabled(false);
  PopMenuVymaz->setEnabled(false);
  ButtonUKAZKA->setText(qs(text::ButtonStop));
  preview(-1);
}

void TextEditor::stopTest() {
  if (!testRunning_) return;
  testRunning_ = false;
  for (QWidget* w : std::initializer_list<QWidget*>{ButtonULOZ, ButtonNOVY, ButtonZOBRAZ, PageControl1, EditEKVI,
                                                    SpeedButtonEKVI, EditN, UpDownN})
    w->setEnabled(true);
  MenuList->setEnabled(true);
  ButtonUKAZKA->setText(qs(text::ButtonTest));
  ButtonUKAZKA->setVisible(draft_.testOffered());
  updateCommands();
  // The text from its start, still.
  preview(previewRow());
}

void TextEditor::MenuNactiClick(bool add) {
  const std::optional<ReadSource> source = files_.read(add);
  if (!source) return;
  // Packed texts keep their format; rows of text files are formatted anew.
  if (*source == ReadSource::Packed) draft_.setAutoformat(false);
  if (*source == ReadSource::Text || *source == ReadSource::UnitFile) draft_.setAutoformat(true);
  modified_ = ekvivalentModified_ = false;
  followChoice();
  showDraft();
  updateCommands();
}

void TextEditor::MenuUlozJakoClick() { files_.saveAs(); }

void TextEditor::MenuVymazatJedenClick() {
  if (busy_) return;
  const std::optional<std::string> key = keyOfTyped();
  if (!key) return;
  ownCommand_ = true;
  const bool deleted = deleteEntryAsked(session_, kind(), *key, EditN->text().toStdString());
  ownCommand_ = false;
  if (!deleted) return;
  // The entry now at the same place, as the main window shows it.
  modified_ = ekvivalentModified_ = false;
  number_.reset();
  followChoice();
  updateCommands();
}

void TextEditor::MenuVymazatVsechnyClick() {
  if (busy_) return;
  ownCommand_ = true;
  const bool deleted = deleteAllAsked(session_, kind());
  ownCommand_ = false;
  if (!deleted) return;
  clearEditor();
}

void TextEditor::EditChange(int row) {
  if (busy_) return;
  QLineEdit* edit = Edit[static_cast<std::size_t>(row)];
  const std::optional<std::string> text = toCp1250(edit->text());
  if (!text) {
    // A character the panel's keys cannot hold: the row stays as it was.
    Busy busy(busy_);
    edit->setText(fromCp1250(draft_.row(row).text));
    return;
  }
  apply(draft_.setRowText(row, *text));
}

void TextEditor::RadioButtonClick(bool twoRows) {
  if (twoRows) {
    QLineEdit* first = Edit[0];
    if (first->hasSelectedText()) row1Selection_ = {first->selectionStart(), static_cast<int>(first->selectedText().size())};
    draft_.setTwoRows(static_cast<std::size_t>(row1Selection_.first), static_cast<std::size_t>(row1Selection_.second));
    row1Selection_ = {0, 0};
    apply(true);
    return;
  }
  const std::optional<std::size_t> appended = draft_.setOneRow();
  apply(true);
  // Selected, so that "2" moves it back.
  if (appended) Edit[0]->setSelection(static_cast<int>(*appended), Edit[0]->text().size() - static_cast<int>(*appended));
}

void TextEditor::GridCellChanged(int row) {
  QTableWidgetItem* cell = StringGrid1->item(row, 1);
  const std::optional<std::string> notation = cell ? toCp1250(cell->text()) : std::nullopt;
  if (!notation) {
    showGrid();
    return;
  }
  draft_.selectMnemoRow(static_cast<std::size_t>(row));
  draft_.setMnemoRow(static_cast<std::size_t>(row), *notation);
  apply(true);
}

void TextEditor::GridCurrentChanged(int row) {
  draft_.selectMnemoRow(static_cast<std::size_t>(row));
  showMarkers();
  preview(row);
}

void TextEditor::GridReturn() {
  const int row = StringGrid1->currentRow() + 1;
  draft_.insertMnemoRow(static_cast<std::size_t>(row));
  apply(true);
  Busy busy(busy_);
  StringGrid1->setCurrentCell(row, 1);
}

void TextEditor::EditEKVIChange() {
  if (busy_) return;
  // A typed ekvivalent no longer follows the text.
  ekvivalentModified_ = true;
  Busy busy(busy_);
  SpeedButtonEKVI->setChecked(false);
}

void TextEditor::SpeedButtonEKVIClick() {
  if (SpeedButtonEKVI->isChecked()) {
    const PanelDatabase& db = session_.database();
    const QString derived = fromCp1250(derivedEkvivalent(kind(), draft_.savedText(), db.keyTable, session_.options()));
    if (EditEKVI->text() != derived) ekvivalentModified_ = true;
    Busy busy(busy_);
    EditEKVI->setText(derived);
    return;
  }
  EditEKVI->selectAll();
  EditEKVI->setFocus();
}

// ---- following the document and the main window ----

void TextEditor::listChanged(TextKind changedKind, const std::string&, ListChange) {
  if (changedKind != kind() || ownCommand_) return;
  if (isVisible()) followChoice();
  updateCommands();
}

void TextEditor::chooserShows(FieldId fieldId, int, bool) {
  if (fieldId != traits_.field || ownCommand_ || !isVisible()) return;
  followChoice();
}

void TextEditor::configChanged() {
  const PanelDatabase& db = session_.database();
  draft_.setBlockSide(traits_.blockSide(db.config));
  const int digits = db.config.keyDigits(kind());
  QString pattern = QString("[0-9]{0,%1}").arg(digits);
  if (kind() == TextKind::Destination) pattern += QString("|[xX]{0,%1}").arg(digits);
  EditN->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), EditN));
  EditN->setMaxLength(digits);
  UpDownN->setRange(0, kind() == TextKind::Destination ? startingDestinationNumber(db) : digits == 4 ? 9999 : 999);
  showDraft();
}

void TextEditor::databaseReplaced() {
  // New, Open and Close: the editor closes and forgets its work.
  hide();
  stopTest();
  configChanged();
  clearEditor();
  layoutEkvivalent();
}

// ---- the window ----

void TextEditor::open() {
  if (!isVisible()) {
    adjustSize();
    // Centred under the main window, so that its panel picture stays in
    // sight; over the main window's bottom when the screen has no room below.
    if (QWidget* main = parentWidget()) {
      const QRect m = main->frameGeometry();
      const QRect screen = main->screen() ? main->screen()->availableGeometry() : QRect();
      const int height = frameGeometry().height();
      const int below = m.bottom() + 1;
      const int top = screen.isNull() || below + height <= screen.bottom() ? below : m.top() + m.height() - height - 22;
      move(m.left() + (m.width() - frameGeometry().width()) / 2, top);
    }
    show();
  }
  raise();
  activateWindow();
}

void TextEditor::FormActivate() {
  if (active_) return;
  active_ = true;
  session_.renderer().setStaticPreview(fieldId(), true);
  session_.choice().showMessage(fieldId(), QString());
  layoutEkvivalent();
  showDraft();
  // The entry the main window shows, unless the editor holds unsaved work.
  followChoice();
  if (PageControl1->currentWidget() == TabSheet2)
    StringGrid1->setFocus();
  else if (number_)
    Edit[0]->setFocus();
  preview(previewRow());
}

void TextEditor::FormDeactivate() {
  if (!active_) return;
  stopTest();
  active_ = false;
  // The field runs its text as the panel would.
  PanelRenderer& renderer = session_.renderer();
  renderer.setStaticPreview(fieldId(), false);
  renderer.startField(fieldId(), renderer.view(fieldId()).text, -1);
  session_.panel().tick();
}

bool TextEditor::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate: FormActivate(); break;
    case QEvent::WindowDeactivate:
    case QEvent::Hide: FormDeactivate(); break;
    default: break;
  }
  return QMainWindow::event(event);
}

void TextEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

bool TextEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit[0] && event->type() == QEvent::FocusOut) {
    // Seen before the field drops its selection.
    row1Selection_ = Edit[0]->hasSelectedText()
                         ? std::pair<int, int>{Edit[0]->selectionStart(), static_cast<int>(Edit[0]->selectedText().size())}
                         : std::pair<int, int>{0, 0};
  }
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress && !busy_) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int row = std::max(StringGrid1->currentRow(), 0);
    const bool control = key->modifiers() & Qt::ControlModifier;
    if (control && key->key() == Qt::Key_Delete) {
      draft_.removeMnemoRow(static_cast<std::size_t>(row));
      apply(true);
      Busy busy(busy_);
      StringGrid1->setCurrentCell(draft_.currentRow(), 1);
      return true;
    }
    if (control && key->key() == Qt::Key_Insert) {
      draft_.insertMnemoRow(static_cast<std::size_t>(row));
      apply(true);
      Busy busy(busy_);
      StringGrid1->setCurrentCell(row, 1);
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      GridReturn();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace dorvak
