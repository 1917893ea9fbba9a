#include "app/tformmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/panel_picture.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/tformpanel.h"
#include "app/updown.h"
#include "config/cp1250.h"
#include "core/error.h"
#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/messages.h"
#include "render/field_choice.h"
#include "render/render_messages.h"

namespace dorvak {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct Busy {
  explicit Busy(int& count) : count_(count) { ++count_; }
  ~Busy() { --count_; }
  int& count_;
};

constexpr int kMaxRecentFiles = 6;

// The number a chooser item or a typed text stands for; -1 for none.
int parseChooserText(const PanelDatabase& db, std::uint8_t fieldId, const QString& text) {
  if (text.isEmpty()) return -1;
  if (fieldId == FieldId::Destination && text.count('X') == text.size()) return startingDestinationNumber(db);
  bool ok = false;
  const int number = text.toInt(&ok);
  return ok ? number : -1;
}

int numberOfEntry(const PanelDatabase& db, std::string_view entry) {
  const std::string_view key = entryKey(entry);
  if (key == kStartingDestinationKey) return startingDestinationNumber(db);
  return std::stoi(std::string(key));
}

QLabel* coloured(QWidget* parent, const char* name, const char* style) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setStyleSheet(style);
  label->setAlignment(Qt::AlignCenter);
  label->setMargin(4);
  label->hide();
  return label;
}

}  // namespace

TFormMAIN::TFormMAIN(Session& session) : session_(session) {
  setObjectName("TFormMAIN");
  setWindowTitle(qs(text::AppTitle));
  session_.renderer().setObserver(this);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout;
  createChoosers(central);
  for (Chooser& c : choosers_) top->addWidget(c.group);
  top->addStretch();
  LabelVerze = new QLabel(qs(text::DataVersion), central);
  EditVERZE = new QLineEdit(central);
  EditVERZE->setObjectName("EditVERZE");
  EditVERZE->setMaxLength(static_cast<int>(kMaxDataVersionLength));
  EditVERZE->setFixedWidth(130);
  EditVERZE->setEnabled(false);
  connect(EditVERZE, &QLineEdit::textEdited, this, &TFormMAIN::EditVERZEChange);
  top->addWidget(LabelVerze);
  top->addWidget(EditVERZE);
  layout->addLayout(top);

  createPicture(central);
  auto* pictureRow = new QHBoxLayout;
  pictureRow->addStretch();
  pictureRow->addWidget(PanelHlasC, 0, Qt::AlignVCenter);
  pictureRow->addWidget(PanelP, 0, Qt::AlignVCenter);
  pictureRow->addWidget(PanelHlasZ, 0, Qt::AlignVCenter);
  pictureRow->addStretch();
  layout->addStretch();
  layout->addWidget(PanelFNT, 0, Qt::AlignHCenter);
  layout->addLayout(pictureRow);
  auto* warnings = new QHBoxLayout;
  warnings->addStretch();
  for (QLabel* w : PanelVAROVANI) warnings->addWidget(w);
  warnings->addStretch();
  layout->addLayout(warnings);
  layout->addStretch();
  setCentralWidget(central);

  // Status bar: the counts, then the progress of a read with its name.
  const int widths[4] = {140, 125, 125, 50};
  for (int i = 0; i < 4; ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QString("StatusBar1_%1").arg(i));
    panel->setFixedWidth(widths[i]);
    if (i < 3) panel->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(panel);
    StatusBar1[static_cast<std::size_t>(i)] = panel;
  }
  PanelTXT = new QLabel(this);
  PanelTXT->setObjectName("PanelTXT");
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 64);
  ProgressBar1->setMaximumWidth(200);
  statusBar()->addWidget(PanelTXT);
  statusBar()->addWidget(ProgressBar1);
  PanelTXT->hide();
  ProgressBar1->hide();

  const QString filter = qs(text::PanelDatabaseFilter) + qs(text::HexFilterSuffix);
  OpenDialog1 = new QFileDialog(this, qs(text::OpenTitle), QString(), filter);
  OpenDialog1->setObjectName("OpenDialog1");
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  SaveDialog1 = new QFileDialog(this, qs(text::SaveAsTitle), QString(), filter);
  SaveDialog1->setObjectName("SaveDialog1");
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);

  createMenus();
  enableFileCommands(false, false, false);
  resetSession();
  showDatabase(false);

  QSettings settings;
  if (!restoreGeometry(settings.value("mainWindow/geometry").toByteArray())) resize(900, 420);
}

TFormMAIN::~TFormMAIN() { session_.renderer().setObserver(nullptr); }

void TFormMAIN::attachPanel(TFormPANEL& panel) {
  panel_ = &panel;
  layoutPicture();
}

void TFormMAIN::createMenus() {
  auto action = [this](QMenu* menu, std::string_view caption, const char* name, void (TFormMAIN::*slot)()) {
    QAction* a = menu->addAction(qs(caption));
    a->setObjectName(name);
    if (slot) connect(a, &QAction::triggered, this, slot);
    else a->setEnabled(false);  // its window is not part of the program yet
    return a;
  };
  QMenu* file = menuBar()->addMenu(qs(text::MenuFile));
  MenuNovy = action(file, text::MenuNew, "MenuNovy", &TFormMAIN::MenuNovyClick);
  MenuOtevri = action(file, text::MenuOpen, "MenuOtevri", &TFormMAIN::MenuOtevriClick);
  MenuUloz = action(file, text::MenuSave, "MenuUloz", &TFormMAIN::MenuUlozClick);
  MenuUlozJako = action(file, text::MenuSaveAs, "MenuUlozJako", &TFormMAIN::MenuUlozJakoClick);
  MenuZavri = action(file, text::MenuClose, "MenuZavri", &TFormMAIN::MenuZavriClick);
  file->addSeparator();
  MenuPosledni = file->addMenu(qs(text::MenuRecent));
  MenuPosledni->setObjectName("MenuPosledni");
  file->addSeparator();
  MenuKonec = action(file, text::MenuExit, "MenuKonec", nullptr);
  MenuKonec->setEnabled(true);
  connect(MenuKonec, &QAction::triggered, this, &QWidget::close);
  MenuNovy->setShortcut(QKeySequence::New);
  MenuOtevri->setShortcut(QKeySequence::Open);
  MenuUloz->setShortcut(QKeySequence::Save);

  QMenu* tools = menuBar()->addMenu(qs(text::MenuTools));
  MenuEdFONT = action(tools, text::MenuFontEditor, "MenuEdFONT", nullptr);
  MenuEdLINKA = action(tools, text::MenuLineEditor, "MenuEdLINKA", nullptr);
  MenuEdCIL = action(tools, text::MenuDestinationEditor, "MenuEdCIL", nullptr);
  MenuEdZAST = action(tools, text::MenuStopEditor, "MenuEdZAST", nullptr);
  tools->addSeparator();
  MenuKONF = action(tools, text::MenuConfiguration, "MenuKONF", nullptr);
  tools->addSeparator();
  MenuVolby = action(tools, text::MenuOptions, "MenuVolby", nullptr);

  QMenu* info = menuBar()->addMenu(qs(text::MenuInfo));
  MenuOProgramu = action(info, text::MenuAbout, "MenuOProgramu", &TFormMAIN::MenuOProgramuClick);
  fillRecentMenu();
}

void TFormMAIN::createChoosers(QWidget* parent) {
  struct Names {
    const char *group, *combo, *upDown, *check;
    std::string_view caption, edit, deleteOne, deleteAll;
  };
  const Names names[3] = {
      {"GroupBoxLINKA", "ComboBoxLINKA", "UpDownLINKA", "CheckBoxL", text::GroupLine, text::PopupEditLine,
       text::PopupDeleteOneLine, text::PopupDeleteAllLines},
      {"GroupBoxCIL", "ComboBoxCIL", "UpDownCIL", "CheckBoxC", text::GroupDestination, text::PopupEditDestination,
       text::PopupDeleteOneDestination, text::PopupDeleteAllDestinations},
      {"GroupBoxZAST", "ComboBoxZAST", "UpDownZAST", "CheckBoxZ", text::GroupStop, text::PopupEditStop,
       text::PopupDeleteOneStop, text::PopupDeleteAllStops},
  };
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id) {
    const Names& n = names[id - 1];
    Chooser& c = chooser(id);
    c.fieldId = id;
    c.group = new QGroupBox(" " + qs(n.caption) + " ", parent);
    c.group->setObjectName(n.group);
    c.combo = new QComboBox(c.group);
    c.combo->setObjectName(n.combo);
    c.combo->setInsertPolicy(QComboBox::NoInsert);
    c.combo->setMinimumContentsLength(4);
    c.upDown = new UpDown(c.group);
    c.upDown->setObjectName(n.upDown);
    c.upDown->setRange(0, id == FieldId::Stop ? 9999 : 999);
    c.check = new QCheckBox(qs(text::OnlyExisting), c.group);
    c.check->setObjectName(n.check);
    c.check->setChecked(true);
    auto* row = new QHBoxLayout;
    row->addWidget(c.combo);
    row->addWidget(c.upDown);
    auto* box = new QVBoxLayout(c.group);
    box->addLayout(row);
    box->addWidget(c.check);

    c.popup = new QMenu(this);
    c.edit = c.popup->addAction(qs(n.edit));
    c.edit->setEnabled(false);  // the editors are not part of the program yet
    c.popup->addSeparator();
    c.deleteOne = c.popup->addAction(qs(n.deleteOne));
    c.deleteAll = c.popup->addAction(qs(n.deleteAll));
    c.deleteAll->setEnabled(false);  // the editors' own command
    c.group->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(c.group, &QWidget::customContextMenuRequested, this,
            [this, id](const QPoint& at) { chooser(id).popup->popup(chooser(id).group->mapToGlobal(at)); });
    connect(c.deleteOne, &QAction::triggered, this, [this, id] { MenuDeleteOneClick(id); });
    connect(c.combo, &QComboBox::activated, this, [this, id](int index) { ComboBoxSelect(id, index); });
    connect(c.upDown, &UpDown::clicked, this, [this, id](bool up) { UpDownClick(id, up); });
    connect(c.check, &QCheckBox::clicked, this, [this, id] { CheckBoxClick(id); });
    setPickList(c, true);
  }
}

void TFormMAIN::createPicture(QWidget* parent) {
  PanelP = new QWidget(parent);
  PanelP->setObjectName("PanelP");
  PanelP->setStyleSheet("#PanelP { background: rgb(64, 64, 64); }");
  PanelP->setAttribute(Qt::WA_StyledBackground);
  LabelP = new QLabel(PanelP);
  LabelP->setObjectName("LabelP");
  LabelP->setStyleSheet("color: white;");
  DrawGridP = new PanelPicture(PanelP);
  auto* inner = new QVBoxLayout(PanelP);
  inner->setContentsMargins(9, 2, 9, 4);
  inner->setSpacing(2);
  inner->addWidget(LabelP, 0, Qt::AlignHCenter);
  inner->addWidget(DrawGridP, 0, Qt::AlignHCenter);
  const char* red = "background: red; color: white; font-weight: bold;";
  PanelHlasC = coloured(parent, "PanelHlasC", red);
  PanelHlasZ = coloured(parent, "PanelHlasZ", red);
  PanelFNT = coloured(parent, "PanelFNT", red);
  PanelFNT->setText(qs(text::FontsNotDefined));
  const char* names[3] = {"PanelVAROVANI_L", "PanelVAROVANI_C", "PanelVAROVANI_Z"};
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id) {
    QLabel* w = coloured(parent, names[id - 1], "background: yellow; color: black;");
    w->setText(qs(msg::tooLongWarning(id)));
    PanelVAROVANI[id - 1u] = w;
  }
}

// --- Choosers -------------------------------------------------------------

int TFormMAIN::maxNumber(std::uint8_t fieldId) const {
  if (fieldId == FieldId::Line) return 999;
  if (fieldId == FieldId::Stop) return 9999;
  return startingDestinationNumber(session_.database());
}

int& TFormMAIN::currentNumber(std::uint8_t fieldId) {
  WorkingState& s = session_.state();
  return fieldId == FieldId::Line ? s.currentLine : fieldId == FieldId::Destination ? s.currentDestination : s.currentStop;
}

bool& TFormMAIN::chosenFlag(std::uint8_t fieldId) {
  WorkingState& s = session_.state();
  return fieldId == FieldId::Line ? s.lineChosen : fieldId == FieldId::Destination ? s.destinationChosen : s.stopChosen;
}

void TFormMAIN::setPickList(Chooser& c, bool pickList) {
  Busy busy(busy_);
  const QString shown = c.combo->currentText();
  c.combo->setEditable(!pickList);
  if (pickList) return;
  const bool fourDigits = c.fieldId == FieldId::Stop ||
                          (c.fieldId == FieldId::Destination && session_.database().config.fourDigitDestinations());
  const int digits = fourDigits ? 4 : 3;
  QString pattern = QString("[0-9]{0,%1}").arg(digits);
  if (c.fieldId == FieldId::Destination) pattern += QString("|[xX]{0,%1}").arg(digits);
  QLineEdit* edit = c.combo->lineEdit();
  edit->setMaxLength(digits);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  edit->setText(shown);
  edit->installEventFilter(this);
  const std::uint8_t id = c.fieldId;
  connect(edit, &QLineEdit::returnPressed, this, [this, id] { ComboBoxEnter(id); });
  connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& typed) {
    session_.state().typing = true;
    // A typed "x" is stored as "X".
    if (typed.contains('x')) edit->setText(typed.toUpper());
  });
}

void TFormMAIN::fillChooser(std::uint8_t fieldId) {
  Busy busy(busy_);
  Chooser& c = chooser(fieldId);
  const PanelDatabase& db = session_.database();
  c.combo->clear();
  for (const std::string& entry : db.list(textKindOf(fieldId)))
    c.combo->addItem(qs(chooserText(db, fieldId, numberOfEntry(db, entry))));
  c.combo->setCurrentIndex(-1);
  if (c.combo->isEditable()) c.combo->setEditText(QString());
  c.upDown->setRange(0, maxNumber(fieldId));
}

void TFormMAIN::showItem(std::uint8_t fieldId, int index) {
  Chooser& c = chooser(fieldId);
  PanelRenderer& renderer = session_.renderer();
  if (!renderer.showEntry(fieldId, static_cast<std::size_t>(index))) return;
  const int number = renderer.view(fieldId).number;
  {
    Busy busy(busy_);
    c.combo->setCurrentIndex(index);
    if (c.combo->isEditable()) c.combo->setEditText(c.combo->itemText(index));
  }
  c.upDown->setPosition(number);
  currentNumber(fieldId) = number;
  chosenFlag(fieldId) = true;
  showNotExisting(fieldId, {});
  c.deleteOne->setEnabled(true);
}

void TFormMAIN::showNumberInBox(std::uint8_t fieldId, int number) {
  Chooser& c = chooser(fieldId);
  {
    Busy busy(busy_);
    c.combo->setEditText(qs(chooserText(session_.database(), fieldId, number)));
  }
  c.upDown->setPosition(number);
  currentNumber(fieldId) = number;
  showChosenNumber(fieldId, number);
}

void TFormMAIN::showChosenNumber(std::uint8_t fieldId, int number) {
  Chooser& c = chooser(fieldId);
  const ChoiceResult choice = showNumber(session_.renderer(), fieldId, number);
  if (choice.exists) {
    // The list item of the number is selected too: delete-one acts on it.
    const QString key = qs(chooserText(session_.database(), fieldId, number));
    Busy busy(busy_);
    c.combo->setCurrentIndex(c.combo->findText(key));
    c.combo->setEditText(key);
    chosenFlag(fieldId) = true;
    showNotExisting(fieldId, {});
    c.deleteOne->setEnabled(true);
    return;
  }
  chosenFlag(fieldId) = false;
  c.deleteOne->setEnabled(false);
  if (fieldId == FieldId::Line) {
    // The panel shows the line's digits; the box stays free for typing.
    if (c.check->isChecked()) {
      const QString shown = qs(chooserText(session_.database(), fieldId, number));
      {
        Busy busy(busy_);
        c.check->setChecked(false);
      }
      setPickList(c, false);
      Busy busy(busy_);
      c.combo->setEditText(shown);
    }
    return;
  }
  showNotExisting(fieldId, choice.message);
}

void TFormMAIN::choose(std::uint8_t fieldId, int number) {
  Chooser& c = chooser(fieldId);
  if (!c.group->isEnabled() || number < 0 || number > maxNumber(fieldId)) return;
  const int index = c.combo->findText(qs(chooserText(session_.database(), fieldId, number)));
  if (c.check->isChecked() && index >= 0) {
    showItem(fieldId, index);
    return;
  }
  if (c.check->isChecked()) {
    {
      Busy busy(busy_);
      c.check->setChecked(false);
    }
    setPickList(c, false);
  }
  showNumberInBox(fieldId, number);
}

void TFormMAIN::ComboBoxSelect(std::uint8_t fieldId, int index) {
  if (busy_ || index < 0) return;
  if (chooser(fieldId).check->isChecked())
    showItem(fieldId, index);
  else
    showNumberInBox(fieldId, parseChooserText(session_.database(), fieldId, chooser(fieldId).combo->itemText(index)));
}

void TFormMAIN::ComboBoxEnter(std::uint8_t fieldId) {
  if (busy_) return;
  session_.state().typing = false;
  const int number = parseChooserText(session_.database(), fieldId, chooser(fieldId).combo->currentText());
  if (number < 0 || number > maxNumber(fieldId)) return;
  showNumberInBox(fieldId, number);
}

void TFormMAIN::ComboBoxExit(std::uint8_t fieldId) {
  if (busy_) return;
  Chooser& c = chooser(fieldId);
  if (!c.combo->isEditable()) return;
  session_.state().typing = false;
  Busy busy(busy_);
  c.combo->setEditText(qs(chooserText(session_.database(), fieldId, c.upDown->position())));
}

void TFormMAIN::UpDownClick(std::uint8_t fieldId, bool up) {
  if (busy_) return;
  Chooser& c = chooser(fieldId);
  if (!c.group->isEnabled()) return;
  if (c.check->isChecked()) {
    if (c.combo->count() == 0) return;
    const int index = c.combo->currentIndex();
    const int next = index < 0 ? 0 : std::clamp(index + (up ? 1 : -1), 0, c.combo->count() - 1);
    showItem(fieldId, next);
    return;
  }
  if (c.combo->currentText().isEmpty()) return;
  const int number = std::clamp(c.upDown->position() + (up ? 1 : -1), 0, maxNumber(fieldId));
  showNumberInBox(fieldId, number);
}

void TFormMAIN::CheckBoxClick(std::uint8_t fieldId) {
  if (busy_) return;
  Chooser& c = chooser(fieldId);
  if (c.check->isChecked()) {
    // The typed number's item, else the previous selection, else the first.
    const QString typed = c.combo->currentText();
    int index = c.combo->findText(typed);
    if (index < 0) index = c.combo->currentIndex();
    if (index < 0) index = 0;
    setPickList(c, true);
    if (c.combo->count() == 0) {
      session_.renderer().startField(fieldId, std::string(1, kCR), -1);
      c.deleteOne->setEnabled(false);
      return;
    }
    showItem(fieldId, index);
    return;
  }
  setPickList(c, false);
  if (c.combo->currentText().isEmpty()) showNumberInBox(fieldId, 0);
}

void TFormMAIN::MenuDeleteOneClick(std::uint8_t fieldId) {
  Chooser& c = chooser(fieldId);
  const int index = c.combo->currentIndex();
  if (index < 0 || c.combo->itemText(index) != c.combo->currentText()) return;
  const std::string_view question = fieldId == FieldId::Line          ? text::ReallyDeleteLine
                                    : fieldId == FieldId::Destination ? text::ReallyDeleteDestination
                                                                      : text::ReallyDeleteStop;
  const QString shown = c.combo->currentText();
  if (!askOkCancel(this, formatMessage(question, shown.toStdString()))) return;
  PanelDatabase& db = session_.database();
  const int number = parseChooserText(db, fieldId, shown);
  db.list(textKindOf(fieldId)).deleteEntry(db.makeKey(textKindOf(fieldId), number));
  {
    Busy busy(busy_);
    c.combo->removeItem(index);
  }
  session_.state().databaseChanged = true;
  updateCounts(fieldId);
  if (c.combo->count() > 0) {
    showItem(fieldId, std::min(index, c.combo->count() - 1));
    return;
  }
  Busy busy(busy_);
  c.combo->setCurrentIndex(-1);
  if (c.combo->isEditable()) c.combo->setEditText(QString());
  c.upDown->setPosition(0);
  currentNumber(fieldId) = 0;
  c.deleteOne->setEnabled(false);
  session_.renderer().startField(fieldId, std::string(1, kCR), -1);
}

void TFormMAIN::EditVERZEChange() {
  if (busy_) return;
  std::optional<std::string> version = utf8ToCp1250(EditVERZE->text().toStdString());
  if (!version) {
    // A character the panel cannot store: the field keeps the stored version.
    Busy busy(busy_);
    EditVERZE->setText(qs(cp1250ToUtf8(session_.database().dataVersion)));
    return;
  }
  session_.database().dataVersion = *version;
  session_.state().databaseChanged = true;
}

void TFormMAIN::refreshChoosers() {
  for (Chooser& c : choosers_) {
    const bool on = c.group->isEnabled();
    QPalette palette = c.combo->palette();
    palette.setColor(QPalette::Base, on ? Qt::white : QColor(192, 192, 192));
    palette.setColor(QPalette::Button, on ? Qt::white : QColor(192, 192, 192));
    c.combo->setPalette(palette);
    c.check->setEnabled(on);
  }
}

void TFormMAIN::updateCounts(std::uint8_t fieldId) {
  const std::size_t n = session_.database().list(textKindOf(fieldId)).count();
  const std::string_view format = fieldId == FieldId::Line          ? text::LinesCount
                                  : fieldId == FieldId::Destination ? text::DestinationsCount
                                                                    : text::StopsCount;
  StatusBar1[fieldId - 1u]->setText(n == 0 ? QString() : qs(formatMessage(format, std::to_string(n))));
}

void TFormMAIN::showNotExisting(std::uint8_t fieldId, const std::string& message) {
  QLabel* label = fieldId == FieldId::Destination ? PanelHlasC : fieldId == FieldId::Stop ? PanelHlasZ : nullptr;
  if (!label) return;
  label->setText(qs(message));
  label->setVisible(!message.empty());
}

void TFormMAIN::tooLongWarningChanged(std::uint8_t fieldId, bool shown) {
  PanelVAROVANI.at(fieldId - 1u)->setVisible(shown);
}

void TFormMAIN::chooserEnabledChanged(std::uint8_t fieldId, bool enabled) {
  chooser(fieldId).group->setEnabled(enabled);
  refreshChoosers();
}

void TFormMAIN::choosersRefreshed() {
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id)
    chooser(id).group->setEnabled(session_.renderer().chooserEnabled(id));
  refreshChoosers();
}

// --- The picture ----------------------------------------------------------

void TFormMAIN::layoutPicture() {
  if (!panel_) return;
  panel_->layoutPicture();
  const PanelConfig& config = session_.database().config;
  const PanelSize size = paintedSize(config);
  const int dot = dotSize(size.length);
  PanelP->setFixedSize(size.length * dot + 18, size.height * dot + 25);
  const std::string_view position = config.position == PanelPosition::Front  ? text::FrontPanel
                                    : config.position == PanelPosition::Rear ? text::RearPanel
                                                                             : text::SidePanel;
  const char* firmware = config.firmware == FirmwareVersion::V1_6    ? "1.6"
                         : config.firmware == FirmwareVersion::V2_13 ? "2.13"
                         : config.firmware == FirmwareVersion::V2_15 ? "2.15"
                                                                     : "";
  LabelP->setText(qs(position) + "  [" + firmware + "]");
}

// --- Sessions of work -----------------------------------------------------

void TFormMAIN::setCaption() {
  const std::string& name = session_.state().fileName;
  setWindowTitle(name.empty() ? qs(text::AppTitle) : qs(text::CaptionPrefix) + QString::fromStdString(name));
}

void TFormMAIN::enableFileCommands(bool save, bool saveAs, bool close) {
  MenuUloz->setEnabled(save);
  MenuUlozJako->setEnabled(saveAs);
  MenuZavri->setEnabled(close);
}

void TFormMAIN::showDatabase(bool shown) {
  PanelP->setVisible(shown);
  EditVERZE->setEnabled(shown);
  PanelFNT->setVisible(shown && !session_.database().hasFonts());
  if (!shown) {
    PanelHlasC->hide();
    PanelHlasZ->hide();
    for (QLabel* w : PanelVAROVANI) w->hide();
  }
}

void TFormMAIN::resetSession() {
  PanelDatabase& db = session_.database();
  db.clearTexts();
  PanelRenderer& renderer = session_.renderer();
  renderer.setChoosers({});
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id) {
    Chooser& c = chooser(id);
    fillChooser(id);
    c.group->setEnabled(false);
    c.deleteOne->setEnabled(false);
    c.upDown->setPosition(0);
    currentNumber(id) = 0;
    chosenFlag(id) = true;
    renderer.startField(id, std::string(1, kCR), -1);
    updateCounts(id);
    showNotExisting(id, {});
  }
  refreshChoosers();
  WorkingState& s = session_.state();
  s.databaseChanged = false;
  s.ekvivalentsChanged = false;
  s.readCancelled = false;
  MenuUloz->setEnabled(false);
  Busy busy(busy_);
  EditVERZE->clear();
}

bool TFormMAIN::askSave() {
  WorkingState& s = session_.state();
  const PanelDatabase& db = session_.database();
  const bool anyTexts = !db.lines.empty() || !db.destinations.empty() || !db.stops.empty();
  if (!s.databaseChanged || !(anyTexts || db.hasFonts())) return true;
  switch (askYesNoCancel(this, text::SaveChanges)) {
    case QMessageBox::Yes:
      // A Save as that was cancelled or failed keeps everything as it is.
      MenuUlozJakoClick();
      return !s.databaseChanged;
    case QMessageBox::No: return true;
    default: return false;
  }
}

void TFormMAIN::MenuNovyClick() {
  if (!askSave()) return;
  WorkingState& s = session_.state();
  PanelDatabase& db = session_.database();
  resetSession();
  db.resetConfig();
  s.fileName.clear();
  setCaption();
  session_.renderer().clearPictures();
  layoutPicture();
  showDatabase(true);
  enableFileCommands(false, false, false);
  // The font editor and the configuration come next once they exist; a data
  // base without fonts cannot be saved.
  if (!db.hasFonts()) return;
  enableFileCommands(false, true, true);
}

void TFormMAIN::MenuOtevriClick() {
  if (!askSave()) return;
  WorkingState& s = session_.state();
  OpenDialog1->setDirectory(QString::fromStdString(s.lastDir));
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  openFile(OpenDialog1->selectedFiles().first().toStdString());
}

bool TFormMAIN::openFile(const std::string& path) {
  WorkingState& s = session_.state();
  PanelDatabase& db = session_.database();
  PanelRenderer& renderer = session_.renderer();
  s.fileName = path;
  s.lastDir = QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
  renderer.clearPictures();
  resetSession();
  s.fileKind = 255;
  PanelTXT->setText(qs(text::DatabaseInput));
  PanelTXT->show();
  ProgressBar1->setValue(0);
  ProgressBar1->show();
  db.clearFonts(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);

  HexReadOptions options;
  options.kt500Table = &session_.options().kt500Table;
  options.progress = [this](int step) {
    ProgressBar1->setValue(step);
    // Paint the progress; the user's input waits until the read is over.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  options.notice = [this](const std::string& message) { showNotice(this, message); };
  bool opened = false;
  std::string failure;
  try {
    OpenResult result = openHexFile(db, path, options);
    s.fileKind = result.fileKind.value_or(255);
    renderer.setChoosers(result.decoding.choosers);
    opened = true;
  } catch (const DorvakError& e) {
    failure = e.what();
  }
  QApplication::restoreOverrideCursor();
  PanelTXT->hide();
  ProgressBar1->hide();

  if (!opened) {
    s.fileName.clear();
    setCaption();
    enableFileCommands(false, false, false);
    s.databaseChanged = false;
    showDatabase(false);
    showNotice(this, failure);
    return false;
  }
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id) {
    Chooser& c = chooser(id);
    fillChooser(id);
    c.group->setEnabled(renderer.chooserEnabled(id));
    if (c.check->isChecked()) setPickList(c, true);
    if (renderer.chooserEnabled(id) && c.combo->count() > 0) showItem(id, 0);
    updateCounts(id);
  }
  refreshChoosers();
  {
    Busy busy(busy_);
    EditVERZE->setText(qs(cp1250ToUtf8(db.dataVersion)));
  }
  layoutPicture();
  showDatabase(true);
  setCaption();
  enableFileCommands(true, true, true);
  s.databaseChanged = false;
  addRecentFile(path);
  // The first pages go on the panel at once rather than a tick later.
  if (panel_) panel_->tick();
  return true;
}

bool TFormMAIN::writeFile(const std::string& path) {
  HexWriteOptions options;
  options.ekvivalentMode = session_.options().ekvivalentMode;
  options.kt500Table = &session_.options().kt500Table;
  options.confirm = [this](std::string_view question) { return askYesNo(this, question); };
  try {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SaveResult result = writeHexFile(session_.database(), path, options);
    QApplication::restoreOverrideCursor();
    if (result != SaveResult::Written) return false;
  } catch (const DorvakError& e) {
    QApplication::restoreOverrideCursor();
    showNotice(this, e.what());
    return false;
  }
  session_.state().databaseChanged = false;
  addRecentFile(path);
  return true;
}

void TFormMAIN::MenuUlozClick() {
  const std::string& name = session_.state().fileName;
  if (name.empty()) {
    MenuUlozJakoClick();
    return;
  }
  writeFile(name);
}

void TFormMAIN::MenuUlozJakoClick() {
  WorkingState& s = session_.state();
  SaveDialog1->setDirectory(QString::fromStdString(s.lastDir));
  SaveDialog1->selectFile(QFileInfo(QString::fromStdString(s.fileName)).fileName());
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
  QString path = SaveDialog1->selectedFiles().first();
  if (QFileInfo(path).suffix().isEmpty()) path += ".hex";
  s.lastDir = QFileInfo(path).absolutePath().toStdString();
  if (!writeFile(path.toStdString())) return;
  s.fileName = path.toStdString();
  setCaption();
  MenuUloz->setEnabled(true);
}

void TFormMAIN::MenuZavriClick() {
  if (!askSave()) return;
  showDatabase(false);
  enableFileCommands(false, false, false);
}

void TFormMAIN::MenuOProgramuClick() {
  std::string about = std::string(text::AboutTitle) + std::string(text::AboutPurpose) + "\n";
  about += std::string(17, ' ') + std::string(text::AboutDescription) + "\n\n";
  about += std::string(17, ' ') + std::string(text::ProgramVersion) + " " + std::string(kVersionText) + "\n\n";
  for (std::string_view line : text::AboutContacts) about += std::string(9, ' ') + std::string(line) + "\n";
  showNotice(this, about);
}

void TFormMAIN::addRecentFile(const std::string& path) {
  QSettings settings;
  QStringList files = settings.value("recentFiles").toStringList();
  const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kMaxRecentFiles) files.removeLast();
  settings.setValue("recentFiles", files);
  fillRecentMenu();
}

void TFormMAIN::fillRecentMenu() {
  MenuPosledni->clear();
  const QStringList files = QSettings().value("recentFiles").toStringList();
  for (const QString& file : files) {
    QAction* a = MenuPosledni->addAction(file);
    connect(a, &QAction::triggered, this, [this, file] {
      if (askSave()) openFile(file.toStdString());
    });
  }
  MenuPosledni->setEnabled(!files.isEmpty());
}

void TFormMAIN::closeEvent(QCloseEvent* event) {
  if (!askSave()) {
    event->ignore();
    return;
  }
  QSettings().setValue("mainWindow/geometry", saveGeometry());
  event->accept();
}

bool TFormMAIN::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (Chooser& c : choosers_)
      if (c.combo->isEditable() && watched == c.combo->lineEdit()) ComboBoxExit(c.fieldId);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace dorvak
