#include "app/tformkonf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/accessible.h"
#include "app/centre_window.h"
#include "app/controls.h"
#include "app/config_commands.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "config/code_table_files.h"
#include "config/cp1250.h"
#include "core/config_check.h"
#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {

constexpr TextKind kFields[3] = {TextKind::Line, TextKind::Destination, TextKind::Stop};
constexpr std::size_t at(TextKind kind) { return static_cast<std::size_t>(kind); }

QString plain(std::string_view caption) { return qs(caption).remove('&').trimmed(); }

// A name panel: the table's name after one space.
QLabel* namePanel(QWidget* parent, const char* name, std::string_view group) {
  QLabel* panel = sunkenPanel(parent, name, qs(group) + " name");
  panel->setMinimumWidth(230);
  return panel;
}

const char* const kBoundNames[3][4] = {{"EditDOLNIL", "EditHORNIL", "EditLEVYL", "EditPRAVYL"},
                                       {"EditDOLNIC", "EditHORNIC", "EditLEVYC", "EditPRAVYC"},
                                       {"EditDOLNIZ", "EditHORNIZ", "EditLEVYZ", "EditPRAVYZ"}};
const char* const kStyleNames[3][4] = {
    {"EditFL", "EditML", "EditPL", "EditZL"}, {"EditFC", "EditMC", "EditPC", "EditZC"}, {"EditFZ", "EditMZ", "EditPZ", "EditZZ"}};
const char* const kCommandNames[kCommandCount] = {
    "CheckBox_l",  "CheckBox_lA", "CheckBox_z",   "CheckBox_zC",  "CheckBox_zA",  "CheckBox_zI",
    "CheckBox_zD", "CheckBox_zN", "CheckBox_a",   "CheckBox_aV",  "CheckBox_aA",  "CheckBox_aL",
    "CheckBox_aSC", "CheckBox_aSL", "CheckBox_aSZ", "CheckBox_aSD"};
// The option boxes and their bits in the options byte.
constexpr std::uint8_t kOptionBits[5] = {0x08, 0x10, 0x20, 0x40, 0x80};

QString cp1250Text(const std::string& name) { return qs(cp1250ToUtf8(name)); }

}  // namespace

TFormKONF::TFormKONF(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("TFormKONF");
  setWindowTitle(qs(text::ConfigurationTitle));

  PageControl1 = new QTabWidget(this);
  nameControl(PageControl1, "PageControl1", qs(text::ConfigurationTitle));
  PageControl1->addTab(createPanelTab(), qs(text::TabPanel));
  PageControl1->addTab(createDimensionsTab(), qs(text::TabDimensions));
  PageControl1->addTab(createSettingsTab(), qs(text::TabSettings));
  PageControl1->addTab(createIbisTab(), qs(text::TabIbis));
  PageControl1->addTab(createOptionsTab(), qs(text::TabOptions));

  ButtonNASTAV = namedButton(this, "ButtonNASTAV", text::Set);
  ButtonSTORNO = namedButton(this, "ButtonSTORNO", text::Cancel);
  // A click on CANCEL does not take the focus: the field being typed in is
  // not left, so no value is checked on the way out.
  ButtonSTORNO->setFocusPolicy(Qt::TabFocus);
  connect(ButtonNASTAV, &QPushButton::clicked, this, &TFormKONF::ButtonNASTAVClick);
  connect(ButtonSTORNO, &QPushButton::clicked, this, &TFormKONF::ButtonSTORNOClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonNASTAV);
  buttons->addWidget(ButtonSTORNO);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1);
  layout->addLayout(buttons);

  Document& document = session_.document();
  // Undo and Redo of a SET, and New and Open, show in the controls.
  connect(&document, &Document::configChanged, this, &TFormKONF::load);
  connect(&document, &Document::databaseReplaced, this, &TFormKONF::load);
  load();
}

QLineEdit* TFormKONF::valueEdit(QWidget* parent, const char* name, const QString& caption,
                                std::function<std::optional<std::string>(std::string_view, Trigger)> accept) {
  auto* edit = new QLineEdit(parent);
  nameControl(edit, name, caption);
  // Digits only; Enter confirms, leaving the field too.
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), edit));
  edit->setMaxLength(3);
  edit->setFixedWidth(52);
  edit->installEventFilter(this);
  valueEdits_.push_back({edit, std::move(accept)});
  return edit;
}

QWidget* TFormKONF::createPanelTab() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetPANEL");

  ComboBoxTyp = new QComboBox(page);
  nameControl(ComboBoxTyp, "ComboBoxTyp", plain(text::DisplayType));
  connect(ComboBoxTyp, &QComboBox::activated, this, [this](int index) {
    if (busy_ || index < 0) return;
    form_.chooseType(static_cast<std::uint8_t>(index));
    refresh();
  });

  auto digits = [page](std::string_view caption, const char* group, const char* three, const char* four,
                             QRadioButton*& threeButton, QRadioButton*& fourButton) {
    auto* box = new QGroupBox(groupCaption(qs(caption)), page);
    nameControl(box, group, qs(caption));
    threeButton = new QRadioButton(qs(text::ThreeDigit), box);
    nameControl(threeButton, three, qs(caption) + " " + qs(text::ThreeDigit));
    fourButton = new QRadioButton(qs(text::FourDigit), box);
    nameControl(fourButton, four, qs(caption) + " " + qs(text::FourDigit));
    auto* l = new QVBoxLayout(box);
    l->addWidget(threeButton);
    l->addWidget(fourButton);
    return box;
  };
  GroupBoxCislaC = digits(text::DigitsDestinations, "GroupBoxCislaC", "RadioButtonC3", "RadioButtonC4", RadioButtonC3,
                          RadioButtonC4);
  GroupBoxCislaL = digits(text::DigitsLines, "GroupBoxCislaL", "RadioButtonL3", "RadioButtonL4", RadioButtonL3,
                          RadioButtonL4);
  for (QRadioButton* radio : {RadioButtonC3, RadioButtonC4}) {
    connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
      if (busy_ || !on) return;
      showRefusal(form_.chooseDestinationDigits(radio == RadioButtonC4));
      refresh();
    });
  }
  for (QRadioButton* radio : {RadioButtonL3, RadioButtonL4}) {
    connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
      if (busy_ || !on) return;
      form_.chooseLineDigits(radio == RadioButtonL4);
      refresh();
    });
  }

  auto* panel = new QGroupBox(groupCaption(qs(text::GroupPanel)), page);
  nameControl(panel, "GroupBoxPANEL", qs(text::GroupPanel));
  EditVYSKA = valueEdit(panel, "EditVYSKA", plain(text::Height),
                        [this](std::string_view t, Trigger trigger) { return form_.typeHeight(t, trigger); });
  EditDELKA = valueEdit(panel, "EditDELKA", plain(text::Width),
                        [this](std::string_view t, Trigger trigger) { return form_.typeLength(t, trigger); });
  ComboBoxPanel = new QComboBox(panel);
  nameControl(ComboBoxPanel, "ComboBoxPanel", plain(text::Position));
  for (std::string_view item : text::Positions) ComboBoxPanel->addItem(qs(item));
  connect(ComboBoxPanel, &QComboBox::activated, this, [this](int index) {
    if (busy_ || index < 0) return;
    form_.choosePosition(static_cast<std::uint8_t>(index));
    refresh();
  });
  ComboBoxFW = new QComboBox(panel);
  nameControl(ComboBoxFW, "ComboBoxFW", plain(text::Firmware));
  for (std::string_view item : text::Firmwares) ComboBoxFW->addItem(qs(item));
  connect(ComboBoxFW, &QComboBox::activated, this, [this](int index) {
    if (busy_ || index < 0) return;
    form_.chooseFirmware(static_cast<std::uint8_t>(index + 1));
    refresh();
  });
  auto* grid = new QGridLayout(panel);
  grid->addWidget(labelFor(panel, text::Height, EditVYSKA), 0, 0);
  grid->addWidget(EditVYSKA, 0, 1);
  grid->addWidget(labelFor(panel, text::Width, EditDELKA), 1, 0);
  grid->addWidget(EditDELKA, 1, 1);
  grid->addWidget(labelFor(panel, text::Position, ComboBoxPanel), 2, 0);
  grid->addWidget(ComboBoxPanel, 2, 1);
  grid->addWidget(labelFor(panel, text::Firmware, ComboBoxFW), 3, 0);
  grid->addWidget(ComboBoxFW, 3, 1);
  grid->setColumnStretch(2, 1);

  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(labelFor(page, text::DisplayType, ComboBoxTyp));
  typeRow->addWidget(ComboBoxTyp, 1);
  auto* digitsColumn = new QVBoxLayout;
  digitsColumn->addWidget(GroupBoxCislaC);
  digitsColumn->addWidget(GroupBoxCislaL);
  digitsColumn->addStretch();
  auto* row = new QHBoxLayout;
  row->addLayout(digitsColumn);
  row->addWidget(panel, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(typeRow);
  layout->addLayout(row);
  layout->addStretch();
  return page;
}

QWidget* TFormKONF::createDimensionsTab() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetDIMENSIONS");
  PanelVYSKA = new QLabel(page);
  PanelDELKA = new QLabel(page);
  for (QLabel* size : {PanelVYSKA, PanelDELKA}) {
    size->setFrameShape(QFrame::Panel);
    size->setFrameShadow(QFrame::Sunken);
    size->setMinimumWidth(40);
    size->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  nameControl(PanelVYSKA, "PanelVYSKA", plain(text::Height));
  nameControl(PanelDELKA, "PanelDELKA", plain(text::Width));
  auto* size = new QHBoxLayout;
  size->addWidget(labelFor(page, text::Height, PanelVYSKA));
  size->addWidget(PanelVYSKA);
  size->addSpacing(16);
  size->addWidget(labelFor(page, text::Width, PanelDELKA));
  size->addWidget(PanelDELKA);
  size->addStretch();

  const std::string_view captions[3] = {text::LineField, text::DestinationField, text::StopField};
  const char* groups[3] = {"GroupBoxL", "GroupBoxC", "GroupBoxZ"};
  auto* fields = new QHBoxLayout;
  for (TextKind kind : kFields) {
    const std::size_t f = at(kind);
    auto* box = new QGroupBox(groupCaption(qs(captions[f])), page);
    nameControl(box, groups[f], qs(captions[f]));
    GroupBoxPole[f] = box;
    auto* grid = new QGridLayout(box);
    // Left and right, then top and bottom, as the panel is read.
    const std::pair<Bound, std::string_view> order[4] = {
        {Bound::Left, text::Left}, {Bound::Right, text::Right}, {Bound::Top, text::Top}, {Bound::Bottom, text::Bottom}};
    int gridRow = 0;
    for (const auto& [which, caption] : order) {
      const Bound bound = which;  // a variable of its own for the lambda
      const std::size_t b = static_cast<std::size_t>(bound);
      QLineEdit* edit = valueEdit(box, kBoundNames[f][b], qs(captions[f]) + " " + plain(caption),
                                  [this, kind, bound](std::string_view t, Trigger) { return form_.typeBound(kind, bound, t); });
      EditPole[f][b] = edit;
      grid->addWidget(labelFor(box, caption, edit), gridRow, 0);
      grid->addWidget(edit, gridRow, 1);
      ++gridRow;
    }
    fields->addWidget(box);
  }
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(size);
  layout->addLayout(fields);
  layout->addStretch();
  return page;
}

QWidget* TFormKONF::createSettingsTab() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetSETTINGS");
  const std::string_view captions[3] = {text::StyleLine, text::StyleDestination, text::StyleStop};
  const char* groups[3] = {"GroupBoxFL", "GroupBoxFC", "GroupBoxFZ"};
  const std::string_view values[4] = {text::Font, text::Space, text::Shift, text::Retardation};
  auto* row = new QHBoxLayout;
  for (TextKind kind : kFields) {
    const std::size_t f = at(kind);
    auto* box = new QGroupBox(groupCaption(qs(captions[f])), page);
    nameControl(box, groups[f], qs(captions[f]));
    GroupBoxStyl[f] = box;
    auto* grid = new QGridLayout(box);
    for (std::size_t v = 0; v < 4; ++v) {
      const auto value = static_cast<StyleValue>(v);
      QLineEdit* edit = valueEdit(box, kStyleNames[f][v], qs(captions[f]) + " " + plain(values[v]).toLower(),
                                  [this, kind, value](std::string_view t, Trigger) { return form_.typeStyle(kind, value, t); });
      EditStyl[f][v] = edit;
      grid->addWidget(labelFor(box, values[v], edit), static_cast<int>(v), 0);
      grid->addWidget(edit, static_cast<int>(v), 1);
    }
    row->addWidget(box);
  }
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(row);
  layout->addStretch();
  return page;
}

QWidget* TFormKONF::createIbisTab() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetIBIS");
  for (int i = 0; i < kCommandCount; ++i) {
    const auto command = static_cast<Command>(i);
    auto* box = new QCheckBox(qs(text::Commands[i]), page);
    nameControl(box, kCommandNames[i], qs(text::Commands[i]));
    CheckBoxCommand[static_cast<std::size_t>(i)] = box;
    if (command == Command::a) {
      // Grey and checked; a click leaves it so.
      box->setTristate(true);
      connect(box, &QCheckBox::stateChanged, this, [this] {
        if (busy_) return;
        setCommand(Command::a, true);
      });
    } else {
      connect(box, &QCheckBox::toggled, this, [this, command](bool checked) {
        if (busy_) return;
        setCommand(command, checked);
      });
    }
  }
  CheckBox_spec = new QCheckBox(qs(text::CommandSpecial), page);
  nameControl(CheckBox_spec, "CheckBox_spec", qs(text::CommandSpecial));
  CheckBox_spec->setTristate(true);
  CheckBox_spec->setCheckState(Qt::PartiallyChecked);
  connect(CheckBox_spec, &QCheckBox::stateChanged, this, [this] {
    if (busy_) return;
    refresh();
  });

  // By field: line, destination, stop; then the demands and the rest.
  const Command first[] = {Command::l,  Command::lA, Command::aL, Command::z, Command::zC,
                           Command::zA, Command::zI, Command::aA, Command::zD};
  const Command second[] = {Command::zN, Command::aSL, Command::aSZ, Command::aSC, Command::aSD, Command::a, Command::aV};
  auto* grid = new QGridLayout;
  int gridRow = 0;
  for (Command command : first) grid->addWidget(CheckBoxCommand[static_cast<std::size_t>(command)], gridRow++, 0);
  gridRow = 0;
  for (Command command : second) grid->addWidget(CheckBoxCommand[static_cast<std::size_t>(command)], gridRow++, 1);
  grid->addWidget(CheckBox_spec, gridRow++, 1);
  // Three boxes without a caption, never enabled.
  auto* reserved = new QHBoxLayout;
  for (int i = 1; i <= 3; ++i) {
    auto* box = new QCheckBox(page);
    nameControl(box, qPrintable(QString("CheckBoxX%1").arg(i)), QString("Reserved command %1").arg(i));
    box->setEnabled(false);
    reserved->addWidget(box);
  }
  reserved->addStretch();
  grid->addLayout(reserved, gridRow, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addStretch();
  return page;
}

QWidget* TFormKONF::createOptionsTab() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetOPTIONS");

  GroupBoxKOD = new QGroupBox(groupCaption(qs(text::CodeTableGroup)), page);
  nameControl(GroupBoxKOD, "GroupBoxKOD", qs(text::CodeTableGroup));
  PanelKOD = namePanel(GroupBoxKOD, "PanelKOD", text::CodeTableGroup);
  ButtonKOD = namedButton(GroupBoxKOD, "ButtonKOD", text::Browse);
  ButtonKODcl = namedButton(GroupBoxKOD, "ButtonKODcl", text::None);
  ButtonKODvlastni = namedButton(GroupBoxKOD, "ButtonKODvlastni", text::Self);
  ButtonKOD500 = namedButton(GroupBoxKOD, "ButtonKOD500", text::Kt500);
  ButtonKODuloz = namedButton(GroupBoxKOD, "ButtonKODuloz", text::MenuTableSaveAs);
  ButtonKOD->setAccessibleName(qs(text::CodeTableGroup) + " " + plain(text::Browse));
  ButtonKODcl->setAccessibleName(qs(text::CodeTableGroup) + " " + plain(text::None));
  ButtonKODuloz->setAccessibleName(qs(text::CodeTableGroup) + " " + plain(text::MenuTableSaveAs));
  connect(ButtonKOD, &QPushButton::clicked, this, &TFormKONF::ButtonKODClick);
  connect(ButtonKODcl, &QPushButton::clicked, this, &TFormKONF::ButtonKODclClick);
  connect(ButtonKODvlastni, &QPushButton::clicked, this, &TFormKONF::ButtonKODvlastniClick);
  connect(ButtonKOD500, &QPushButton::clicked, this, &TFormKONF::ButtonKOD500Click);
  connect(ButtonKODuloz, &QPushButton::clicked, this, &TFormKONF::MenuKODulozClick);
  PopupKOD = new QMenu(GroupBoxKOD);
  PopupKOD->setObjectName("PopupKOD");
  MenuKODcti = PopupKOD->addAction(qs(text::MenuRead));
  MenuKODcti->setObjectName("MenuKODcti");
  MenuKODuloz = PopupKOD->addAction(qs(text::MenuTableSaveAs));
  MenuKODuloz->setObjectName("MenuKODuloz");
  MenuKODzrus = PopupKOD->addAction(qs(text::MenuDelete));
  MenuKODzrus->setObjectName("MenuKODzrus");
  connect(MenuKODcti, &QAction::triggered, this, &TFormKONF::ButtonKODClick);
  connect(MenuKODuloz, &QAction::triggered, this, &TFormKONF::MenuKODulozClick);
  connect(MenuKODzrus, &QAction::triggered, this, &TFormKONF::ButtonKODclClick);
  GroupBoxKOD->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GroupBoxKOD, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& where) { PopupKOD->popup(GroupBoxKOD->mapToGlobal(where)); });
  auto* kod = new QGridLayout(GroupBoxKOD);
  kod->addWidget(PanelKOD, 0, 0, 1, 3);
  kod->addWidget(ButtonKOD, 1, 0);
  kod->addWidget(ButtonKODuloz, 1, 1);
  kod->addWidget(ButtonKODcl, 1, 2);
  kod->addWidget(ButtonKODvlastni, 2, 0);
  kod->addWidget(ButtonKOD500, 2, 1);

  GroupBoxSTRINGY = new QGroupBox(groupCaption(qs(text::FormatStringsGroup)), page);
  nameControl(GroupBoxSTRINGY, "GroupBoxSTRINGY", qs(text::FormatStringsGroup));
  PanelSTRINGY = namePanel(GroupBoxSTRINGY, "PanelSTRINGY", text::FormatStringsGroup);
  ButtonSTR = namedButton(GroupBoxSTRINGY, "ButtonSTR", text::Browse);
  ButtonSTRcl = namedButton(GroupBoxSTRINGY, "ButtonSTRcl", text::None);
  ButtonSTRuloz = namedButton(GroupBoxSTRINGY, "ButtonSTRuloz", text::MenuTableSaveAs);
  ButtonSTR->setAccessibleName(qs(text::FormatStringsGroup) + " " + plain(text::Browse));
  ButtonSTRcl->setAccessibleName(qs(text::FormatStringsGroup) + " " + plain(text::None));
  ButtonSTRuloz->setAccessibleName(qs(text::FormatStringsGroup) + " " + plain(text::MenuTableSaveAs));
  connect(ButtonSTR, &QPushButton::clicked, this, &TFormKONF::ButtonSTRClick);
  connect(ButtonSTRcl, &QPushButton::clicked, this, &TFormKONF::ButtonSTRclClick);
  connect(ButtonSTRuloz, &QPushButton::clicked, this, &TFormKONF::MenuSTRulozClick);
  PopupSTR = new QMenu(GroupBoxSTRINGY);
  PopupSTR->setObjectName("PopupSTR");
  MenuSTRuloz = PopupSTR->addAction(qs(text::MenuTableSaveAs));
  MenuSTRuloz->setObjectName("MenuSTRuloz");
  connect(MenuSTRuloz, &QAction::triggered, this, &TFormKONF::MenuSTRulozClick);
  GroupBoxSTRINGY->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GroupBoxSTRINGY, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& where) { PopupSTR->popup(GroupBoxSTRINGY->mapToGlobal(where)); });
  auto* str = new QGridLayout(GroupBoxSTRINGY);
  str->addWidget(PanelSTRINGY, 0, 0, 1, 3);
  str->addWidget(ButtonSTR, 1, 0);
  str->addWidget(ButtonSTRuloz, 1, 1);
  str->addWidget(ButtonSTRcl, 1, 2);

  SpinEditCislo = new QSpinBox(page);
  nameControl(SpinEditCislo, "SpinEditCislo", plain(text::PanelNumber));
  SpinEditCislo->setRange(0, 15);
  LabelCislo = labelFor(page, text::PanelNumber, SpinEditCislo);
  connect(SpinEditCislo, &QSpinBox::valueChanged, this, [this](int value) {
    if (busy_) return;
    form_.setPanelNumber(static_cast<std::uint8_t>(value));
  });

  GroupBoxVolby = new QGroupBox(page);
  nameControl(GroupBoxVolby, "GroupBoxVolby", qs(text::TabOptions).toLower());
  auto* options = new QVBoxLayout(GroupBoxVolby);
  for (std::size_t i = 0; i < CheckBoxP.size(); ++i) {
    auto* box = new QCheckBox(qs(text::Options[i]), GroupBoxVolby);
    nameControl(box, qPrintable(QString("CheckBoxP%1").arg(i + 1)), qs(text::Options[i]));
    const std::uint8_t bit = kOptionBits[i];
    connect(box, &QCheckBox::toggled, this, [this, bit](bool on) {
      if (busy_) return;
      form_.setOption(bit, on);
    });
    options->addWidget(box);
    CheckBoxP[i] = box;
  }

  auto* number = new QVBoxLayout;
  number->addWidget(LabelCislo);
  number->addWidget(SpinEditCislo);
  number->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(GroupBoxVolby, 1);
  bottom->addLayout(number);
  auto* tables = new QHBoxLayout;
  tables->addWidget(GroupBoxKOD);
  tables->addWidget(GroupBoxSTRINGY);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(tables);
  layout->addLayout(bottom);
  layout->addStretch();
  return page;
}

// --- Showing the working copy ---------------------------------------------

void TFormKONF::load() {
  const PanelDatabase& db = session_.database();
  form_.load(db.config, hasDestinationAbove999(db.destinations));
  codeTable_ = db.codeTable;
  formatStrings_ = db.formatStrings;
  refresh();
}

void TFormKONF::refresh() {
  Busy busy(busy_);
  const PanelConfig& c = form_.working();
  if (ComboBoxTyp->count() != form_.offeredTypes()) {
    ComboBoxTyp->clear();
    for (int i = 0; i < form_.offeredTypes(); ++i) ComboBoxTyp->addItem(qs(text::DisplayTypes[i]));
  }
  ComboBoxTyp->setCurrentIndex(c.panelType < ComboBoxTyp->count() ? c.panelType : -1);
  ComboBoxPanel->setCurrentIndex(std::min<int>(c.position, 2));
  ComboBoxFW->setCurrentIndex(std::clamp<int>(c.firmware, 1, 4) - 1);

  RadioButtonC3->setChecked(!form_.fourDigitDestinations());
  RadioButtonC4->setChecked(form_.fourDigitDestinations());
  RadioButtonL3->setChecked(!form_.fourDigitLines());
  RadioButtonL4->setChecked(form_.fourDigitLines());
  GroupBoxCislaC->setEnabled(form_.destinationDigitsEnabled());
  GroupBoxCislaL->setEnabled(form_.lineDigitsEnabled());

  EditVYSKA->setText(QString::number(c.height));
  EditDELKA->setText(QString::number(c.length));
  PanelVYSKA->setText(QString::number(c.height));
  PanelDELKA->setText(QString::number(c.length));
  for (TextKind kind : kFields) {
    const std::size_t f = at(kind);
    for (std::size_t b = 0; b < 4; ++b)
      EditPole[f][b]->setText(QString::number(form_.typedBound(kind, static_cast<Bound>(b))));
    for (std::size_t v = 0; v < 4; ++v)
      EditStyl[f][v]->setText(QString::number(form_.style(kind, static_cast<StyleValue>(v))));
    GroupBoxPole[f]->setEnabled(form_.fieldEnabled(kind));
    GroupBoxStyl[f]->setEnabled(form_.fieldEnabled(kind));
  }

  for (int i = 0; i < kCommandCount; ++i) {
    const auto command = static_cast<Command>(i);
    QCheckBox* box = CheckBoxCommand[static_cast<std::size_t>(i)];
    if (command == Command::a)
      box->setCheckState(form_.aGrey() ? Qt::PartiallyChecked : c.commands.a ? Qt::Checked : Qt::Unchecked);
    else
      box->setChecked(commandFlag(c.commands, command) != 0);
    box->setEnabled(form_.commandEnabled(command));
  }
  CheckBox_spec->setCheckState(Qt::PartiallyChecked);

  for (std::size_t i = 0; i < CheckBoxP.size(); ++i) CheckBoxP[i]->setChecked((c.options & kOptionBits[i]) != 0);
  SpinEditCislo->setValue(c.panelNumber);

  const bool open = session_.document().isOpen();
  PanelKOD->setText(" " + cp1250Text(codeTable_.name));
  GroupBoxKOD->setEnabled(open);
  ButtonKODuloz->setEnabled(codeTable_.present());
  MenuKODuloz->setEnabled(codeTable_.present());
  MenuKODzrus->setEnabled(codeTable_.present());
  PanelSTRINGY->setText(" " + cp1250Text(formatStrings_.name));
  GroupBoxSTRINGY->setEnabled(open && form_.formatStringsEnabled());
  ButtonSTRuloz->setEnabled(formatStrings_.present());
  MenuSTRuloz->setEnabled(formatStrings_.present());
}

void TFormKONF::showModal() {
  // The destinations may have changed since the last load.
  load();
  closing_ = false;
  const ProgramOptions& options = session_.options();
  form_.setServiceM(options.optionM);
  // The panel number is a service setting: shown with the F switch only.
  LabelCislo->setVisible(options.optionF);
  SpinEditCislo->setVisible(options.optionF);
  PageControl1->setCurrentIndex(0);
  showApplicationModal(*this);
}

// --- Typed values ---------------------------------------------------------

bool TFormKONF::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  const bool ours = edit && std::any_of(valueEdits_.begin(), valueEdits_.end(),
                                        [edit](const ValueEdit& v) { return v.edit == edit; });
  if (!ours) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn: focusText_ = edit->text().left(32); break;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter confirms the value and goes no further (not to SET).
        confirm(edit, Trigger::Enter);
        return true;
      }
      break;
    }
    case QEvent::FocusOut: {
      // Another window coming up (a message box, a menu) is not leaving the field.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (closing_ || checking_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      // The field takes its leave first, so that a refused value can be
      // selected again afterwards.
      edit->event(event);
      confirm(edit, Trigger::Leave);
      return true;
    }
    default: break;
  }
  return QDialog::eventFilter(watched, event);
}

bool TFormKONF::confirm(QLineEdit* edit, Trigger trigger) {
  auto it = std::find_if(valueEdits_.begin(), valueEdits_.end(), [edit](const ValueEdit& v) { return v.edit == edit; });
  if (it == valueEdits_.end()) return true;
  const std::optional<std::string> message = it->accept(utf8(edit->text()), trigger);
  if (!message) {
    focusText_ = edit->text();
    refresh();
    return true;
  }
  checking_ = true;
  session_.prompter().notice(*message);
  checking_ = false;
  {
    Busy busy(busy_);
    edit->setText(focusText_);
  }
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  return false;
}

void TFormKONF::showRefusal(const std::optional<std::string>& message) {
  if (message) session_.prompter().notice(*message);
}

void TFormKONF::setCommand(Command command, bool checked) {
  showRefusal(form_.setCommand(command, checked));
  refresh();
}

// --- SET and CANCEL -------------------------------------------------------

void TFormKONF::ButtonNASTAVClick() {
  // A value typed into the field that has the focus counts as confirmed.
  auto* focused = qobject_cast<QLineEdit*>(focusWidget());
  if (focused && !confirm(focused, Trigger::Leave)) return;

  Document& document = session_.document();
  const PanelDatabase& db = document.database();
  Configuration next = Configuration::of(document);
  next.config = form_.result();
  next.codeTable = codeTable_;
  next.codeTable.name = next.codeTable.name.substr(0, kMaxNameLength);
  next.formatStrings = formatStrings_;
  next.formatStrings.name = next.formatStrings.name.substr(0, kMaxNameLength);
  next.choosers = choosersFor(next.config.panelType, next.config.commands);

  // What the configuration would do to the data base is settled first.
  PanelDatabase proposed = db;
  proposed.config = next.config;
  proposed.codeTable = next.codeTable;
  proposed.formatStrings = next.formatStrings;
  HexWriteOptions save;
  save.ekvivalentMode = session_.options().ekvivalentMode;
  save.kt500Table = &session_.options().kt500Table;
  const ConfigurationCheck check = checkConfiguration(db, proposed, save);
  if (!check.accepted()) {
    std::string message;
    for (const std::string& refusal : check.refusals) message += (message.empty() ? "" : "\n\n") + refusal;
    session_.prompter().notice(message);
    return;
  }
  for (const std::string& warning : check.warnings)
    if (!session_.prompter().yesNo(warning)) return;

  closing_ = true;
  if (!(next == Configuration::of(document)))
    document.push(new SetConfigurationCommand(document, std::move(next), qs(text::UndoConfiguration)));
  accept();
}

void TFormKONF::ButtonSTORNOClick() { reject(); }

void TFormKONF::reject() {
  closing_ = true;
  load();
  QDialog::reject();
}

// --- Code table and format strings ----------------------------------------

std::optional<QString> TFormKONF::chooseTableFile(bool save, std::string_view title, const QStringList& filters) {
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = save ? FileDialogRequest::Mode::Save : FileDialogRequest::Mode::Open;
  request.objectName = save ? "SaveDialogTable" : "OpenDialogTable";
  request.title = qs(title);
  request.filters = filters;
  request.directory = QString::fromStdString(state.lastDir);
  // Save as asks its own question before it replaces a file.
  request.confirmOverwrite = false;
  std::optional<QString> path = chosenPath(session_.prompter().chooseFile(request));
  if (path) state.lastDir = QFileInfo(*path).absolutePath().toStdString();
  return path;
}

namespace {

// The path with the extension added when it has none; nothing when the file
// exists and the user does not want it replaced.
std::optional<std::string> savePath(Prompter& prompter, QString path, const char* extension) {
  if (QFileInfo(path).suffix().isEmpty()) path += extension;
  if (QFileInfo::exists(path) && !prompter.yesNo(formatMessage(text::FileExists, utf8(path))))
    return std::nullopt;
  return utf8(path);
}

QString hexFilter() { return qs(text::PanelDatabaseFilter) + qs(text::HexFilterSuffix); }

}  // namespace

void TFormKONF::ButtonKODClick() {
  const auto path = chooseTableFile(false, text::CodeTableGroup,
                                    {qs(text::CodeTableFilter) + qs(text::KodFilterSuffix), hexFilter()});
  if (!path) return;
  // Read into a scratch table: a file that cannot be read keeps the window's.
  CodeTable loaded;
  try {
    loadCodeTable(utf8(*path), loaded);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return;
  }
  codeTable_ = std::move(loaded);
  refresh();
}

void TFormKONF::ButtonKODclClick() {
  // The bytes stay; without a name the data base gets no code table.
  codeTable_.name.clear();
  refresh();
}

void TFormKONF::ButtonKODvlastniClick() {
  codeTable_ = selfCodeTable(session_.database().keyTable);
  refresh();
}

void TFormKONF::ButtonKOD500Click() {
  codeTable_ = kt500CodeTable(session_.database().keyTable, session_.options().kt500Table);
  refresh();
}

void TFormKONF::MenuKODulozClick() {
  if (!codeTable_.present()) return;
  const auto chosen = chooseTableFile(true, text::CodeTableGroup, {qs(text::CodeTableFilter) + qs(text::KodFilterSuffix)});
  if (!chosen) return;
  const auto path = savePath(session_.prompter(), *chosen, ".kod");
  if (!path) return;
  try {
    writeKodFile(*path, codeTable_);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
  }
}

void TFormKONF::ButtonSTRClick() {
  const auto path = chooseTableFile(false, text::FormatStringsGroup,
                                    {qs(text::FormatStringsFilter) + qs(text::AlFilterSuffix), hexFilter()});
  if (!path) return;
  FormatStrings loaded = formatStrings_;
  try {
    loadFormatStrings(utf8(*path), loaded);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return;
  }
  formatStrings_ = std::move(loaded);
  refresh();
}

void TFormKONF::ButtonSTRclClick() {
  formatStrings_.name.clear();
  refresh();
}

void TFormKONF::MenuSTRulozClick() {
  if (!formatStrings_.present()) return;
  const auto chosen =
      chooseTableFile(true, text::FormatStringsGroup, {qs(text::FormatStringsFilter) + qs(text::AlFilterSuffix)});
  if (!chosen) return;
  const auto path = savePath(session_.prompter(), *chosen, ".aL");
  if (!path) return;
  try {
    writeAlFile(*path, formatStrings_);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
  }
}

}  // namespace dorvak
