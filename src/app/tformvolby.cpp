#include "app/tformvolby.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/accessible.h"
#include "app/centre_window.h"
#include "app/controls.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "config/program_options.h"
#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {

QLabel* pathPanel(QWidget* parent, const char* name, std::string_view group) {
  QLabel* panel = sunkenPanel(parent, name, qs(group) + " file");
  // Room for the 32 characters of a shown path.
  panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QString(32, 'M')) * 3 / 4);
  return panel;
}

bool isFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

TFormVolby::TFormVolby(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("TFormVolby");
  setWindowTitle(qs(text::OptionsTitle));

  auto tableGroup = [this](std::string_view caption, const char* group, const char* panelName, const char* browseName,
                           const char* noneName, QLabel*& panel, QPushButton*& browse, QPushButton*& none) {
    auto* box = new QGroupBox(groupCaption(qs(caption)), this);
    nameControl(box, group, qs(caption));
    panel = pathPanel(box, panelName, caption);
    browse = namedButton(box, browseName, text::Browse, qs(caption) + " " + qs(text::Browse).remove("...").trimmed());
    none = namedButton(box, noneName, text::None, qs(caption) + " " + qs(text::None));
    auto* grid = new QGridLayout(box);
    grid->addWidget(panel, 0, 0, 1, 3);
    grid->addWidget(browse, 1, 1);
    grid->addWidget(none, 1, 2);
    grid->setColumnStretch(0, 1);
    return box;
  };
  GroupBoxTBK = tableGroup(text::Kt500Table, "GroupBoxTBK", "PanelTBK", "ButtonTBK", "ButtonTBKcl", PanelTBK, ButtonTBK,
                           ButtonTBKcl);
  GroupBox700 = tableGroup(text::Kt700Table, "GroupBox700", "Panel700", "Button700", "Button700cl", Panel700, Button700,
                           Button700cl);
  connect(ButtonTBK, &QPushButton::clicked, this, &TFormVolby::ButtonTBKClick);
  connect(ButtonTBKcl, &QPushButton::clicked, this, &TFormVolby::ButtonTBKclClick);
  connect(Button700, &QPushButton::clicked, this, &TFormVolby::Button700Click);
  connect(Button700cl, &QPushButton::clicked, this, &TFormVolby::Button700clClick);

  RadioGroupEKV = new QGroupBox(groupCaption(qs(text::Ekvivalents)), this);
  nameControl(RadioGroupEKV, "RadioGroupEKV", qs(text::Ekvivalents));
  auto* modes = new QVBoxLayout(RadioGroupEKV);
  const std::string_view captions[3] = {text::None, text::Kt500, text::Kt700};
  for (std::size_t i = 0; i < RadioEKV.size(); ++i) {
    auto* radio = new QRadioButton(qs(captions[i]), RadioGroupEKV);
    nameControl(radio, qPrintable(QString("RadioEKV%1").arg(i)), qs(text::Ekvivalents) + " " + qs(captions[i]));
    modes->addWidget(radio);
    RadioEKV[i] = radio;
  }

  ButtonVYBER = namedButton(this, "ButtonVYBER", text::Set, qs(text::Set));
  ButtonZRUS = namedButton(this, "ButtonZRUS", text::Cancel, qs(text::Cancel));
  SpeedButtonFIREMNI = namedButton(this, "SpeedButtonFIREMNI", text::ServiceSwitches, "Service switches");
  SpeedButtonFIREMNI->setFixedWidth(SpeedButtonFIREMNI->fontMetrics().horizontalAdvance(">>") + 16);
  connect(ButtonVYBER, &QPushButton::clicked, this, &TFormVolby::ButtonVYBERClick);
  connect(ButtonZRUS, &QPushButton::clicked, this, &TFormVolby::ButtonZRUSClick);
  connect(SpeedButtonFIREMNI, &QPushButton::clicked, this, &TFormVolby::SpeedButtonFIREMNIClick);

  PanelFIREMNI = new QWidget(this);
  PanelFIREMNI->setObjectName("PanelFIREMNI");
  CheckBoxM = new QCheckBox(qs(text::ServiceM), PanelFIREMNI);
  nameControl(CheckBoxM, "CheckBoxM", "Service switch M");
  CheckBoxF = new QCheckBox(qs(text::ServiceF), PanelFIREMNI);
  nameControl(CheckBoxF, "CheckBoxF", "Service switch F");
  auto* strip = new QVBoxLayout(PanelFIREMNI);
  strip->addWidget(CheckBoxM);
  strip->addWidget(CheckBoxF);
  strip->addStretch();

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ButtonVYBER);
  buttons->addWidget(ButtonZRUS);
  buttons->addStretch();
  buttons->addWidget(SpeedButtonFIREMNI, 0, Qt::AlignRight);
  CheckBoxZMENY = new QCheckBox(qs(text::ChangesSaveAutomatically), this);
  nameControl(CheckBoxZMENY, "CheckBoxZMENY", qs(text::ChangesSaveAutomatically));
  auto* choices = new QVBoxLayout;
  choices->addWidget(RadioGroupEKV);
  choices->addWidget(CheckBoxZMENY);
  auto* lower = new QHBoxLayout;
  lower->addLayout(choices, 1);
  lower->addLayout(buttons);
  auto* main = new QVBoxLayout;
  main->addWidget(GroupBoxTBK);
  main->addWidget(GroupBox700);
  main->addLayout(lower);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(main);
  layout->addWidget(PanelFIREMNI);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormVolby::showModal() {
  const ProgramOptions& options = session_.options();
  kt500Path_ = options.kt500Path;
  kt700Path_ = options.kt700Path;
  showPaths();
  RadioEKV[std::min<std::size_t>(options.ekvivalentMode, 2)]->setChecked(true);
  CheckBoxM->setChecked(options.optionM);
  CheckBoxF->setChecked(options.optionF);
  CheckBoxZMENY->setChecked(options.changesSaveAutomatically);
  // The service switches stay out of sight until ">>".
  PanelFIREMNI->hide();
  SpeedButtonFIREMNI->setEnabled(true);
  showApplicationModal(*this);
}

void TFormVolby::showPaths() {
  PanelTBK->setText(qs(displayPath(kt500Path_)));
  Panel700->setText(qs(displayPath(kt700Path_)));
  PanelTBK->setToolTip(qs(kt500Path_));
  Panel700->setToolTip(qs(kt700Path_));
}

void TFormVolby::chooseTable(std::string& path, std::string_view title, std::string_view suffix) {
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Open;
  request.objectName = "OpenDialogTable";
  request.title = qs(title);
  request.filters = {qs(title) + qs(suffix)};
  // The current table is proposed.
  const QFileInfo current(qs(path));
  request.directory = path.empty() ? qs(state.lastDir) : current.absolutePath();
  request.selectedFile = path.empty() ? QString() : current.fileName();
  const std::optional<QString> chosen = chosenPath(session_.prompter().chooseFile(request));
  if (!chosen) return;
  path = utf8(*chosen);
  state.lastDir = utf8(QFileInfo(*chosen).absolutePath());
  showPaths();
}

void TFormVolby::ButtonTBKClick() { chooseTable(kt500Path_, text::Kt500Table, text::TbkFilterSuffix); }
void TFormVolby::Button700Click() { chooseTable(kt700Path_, text::Kt700Table, text::Kt700FilterSuffix); }

void TFormVolby::ButtonTBKclClick() {
  kt500Path_.clear();
  showPaths();
}

void TFormVolby::Button700clClick() {
  kt700Path_.clear();
  showPaths();
}

void TFormVolby::SpeedButtonFIREMNIClick() {
  PanelFIREMNI->show();
  SpeedButtonFIREMNI->setEnabled(false);
}

void TFormVolby::ButtonVYBERClick() {
  // Both tables are read before anything changes: a table that cannot be
  // read leaves every option as it was and the window open.
  ProgramOptions next = session_.options();
  try {
    if (kt500Path_.empty()) {
      next.kt500Table = builtinKt500Table();
    } else {
      if (!isFile(kt500Path_)) {
        session_.prompter().notice(formatMessage(text::FileDoesNotExist, kt500Path_));
        return;
      }
      next.kt500Table = readKt500TableFile(kt500Path_);
    }
    if (kt700Path_.empty()) {
      next.kt700Table = defaultKt700Table();
      next.kt700Widths = builtinKt700Widths();
    } else {
      if (!isFile(kt700Path_)) {
        session_.prompter().notice(formatMessage(text::FileDoesNotExist, kt700Path_));
        return;
      }
      readKt700TableFile(kt700Path_, next.kt700Table, next.kt700Widths);
    }
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
    return;
  }
  next.kt500Path = kt500Path_;
  next.kt700Path = kt700Path_;
  for (std::size_t i = 0; i < RadioEKV.size(); ++i)
    if (RadioEKV[i]->isChecked()) next.ekvivalentMode = static_cast<std::uint8_t>(i);
  next.optionM = CheckBoxM->isChecked();
  next.optionF = CheckBoxF->isChecked();
  next.changesSaveAutomatically = CheckBoxZMENY->isChecked();
  session_.optionsModel().set(next);

  // The file is written now, not only at the end: options chosen survive
  // a program that does not end normally.
  if (!session_.optionsPath().empty()) {
    try {
      saveProgramOptions(session_.options(), session_.optionsPath());
    } catch (const DorvakError& e) {
      session_.prompter().notice(e.what());
    }
  }
  accept();
}

void TFormVolby::ButtonZRUSClick() { reject(); }

}  // namespace dorvak
