#include "app/tformmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/accessible.h"
#include "app/busy.h"
#include "app/controls.h"
#include "app/chooser_box.h"
#include "app/entry_choice.h"
#include "app/config_commands.h"
#include "app/file_actions.h"
#include "app/panel_picture.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/tformedfont.h"
#include "app/text_editor.h"
#include "app/tformkonf.h"
#include "app/tformpanel.h"
#include "app/tformvolby.h"
#include "config/cp1250.h"
#include "core/hex_writer.h"
#include "core/messages.h"
#include "core/error.h"
#include "core/safe_file.h"
#include "render/panel_gif.h"
#include "render/render_messages.h"

namespace dorvak {

namespace {

constexpr int kMessageWidth = 210;
// An exported animation is one loop of the panel, at most ten minutes; a
// panel that never comes back plays one minute.
constexpr int kMaxAnimationTicks = 6000;
constexpr int kAnimationTicksWithoutLoop = 600;

QLabel* coloured(QWidget* parent, const char* name, const char* style) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setStyleSheet(style);
  label->setAlignment(Qt::AlignCenter);
  label->setMargin(4);
  // A message appearing or going never moves the picture or resizes the window.
  QSizePolicy policy = label->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  label->setSizePolicy(policy);
  label->hide();
  return label;
}

}  // namespace

TFormMAIN::TFormMAIN(Session& session) : session_(session) {
  setObjectName("TFormMAIN");
  setWindowIcon(QIcon(":/icons/dorvak.svg"));
  setAcceptDrops(true);
  session_.renderer().setObserver(this);
  files_ = new FileActions(session_, this);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout;
  for (FieldId id : kAllFields) {
    auto* chooser = new ChooserBox(session_, id, central);
    choosers_[fieldIndex(id)] = chooser;
    top->addWidget(chooser);
    connect(chooser, &ChooserBox::notExisting, this,
            [this, id](const QString& message) { showNotExisting(id, message); });
  }
  top->addStretch();
  LabelVerze = new QLabel(qs(text::DataVersion), central);
  EditVERZE = new QLineEdit(central);
  nameControl(EditVERZE, "EditVERZE", qs(text::DataVersion).remove(':'));
  LabelVerze->setBuddy(EditVERZE);
  EditVERZE->setMaxLength(static_cast<int>(kMaxDataVersionLength));
  EditVERZE->setFixedWidth(130);
  connect(EditVERZE, &QLineEdit::textEdited, this, &TFormMAIN::EditVERZEChange);
  top->addWidget(LabelVerze);
  top->addWidget(EditVERZE);
  layout->addLayout(top);

  createPicture(central);
  // The picture stays centred: the messages beside it keep their room.
  auto* pictureRow = new QGridLayout;
  pictureRow->setColumnStretch(0, 1);
  pictureRow->setColumnStretch(2, 1);
  pictureRow->addWidget(PanelHlasC, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
  pictureRow->addWidget(PanelP, 0, 1, Qt::AlignCenter);
  pictureRow->addWidget(PanelHlasZ, 0, 2, Qt::AlignLeft | Qt::AlignVCenter);
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
  createStatusBar();
  createMenus();

  EntryChoice& choice = session_.choice();
  connect(&choice, &EntryChoice::requested, this, &TFormMAIN::choose);
  connect(&choice, &EntryChoice::messageShown, this, &TFormMAIN::showNotExisting);

  Document& document = session_.document();
  connect(&document, &Document::databaseReplaced, this, &TFormMAIN::databaseReplaced);
  connect(&document, &Document::listChanged, this,
          [this](TextKind kind, const std::string&, ListChange) { listChanged(kind); });
  connect(&document, &Document::fontsChanged, this, &TFormMAIN::restartFields);
  connect(&document, &Document::configChanged, this, &TFormMAIN::configChanged);
  connect(&document, &Document::dataVersionChanged, this, &TFormMAIN::dataVersionChanged);
  connect(&document, &Document::fileNameChanged, this, &TFormMAIN::setCaption);
  connect(&document, &Document::modifiedChanged, this, &QWidget::setWindowModified);
  databaseReplaced();

  QSettings settings;
  if (!restoreGeometry(settings.value("mainWindow/geometry").toByteArray())) resize(900, 420);
}

TFormMAIN::~TFormMAIN() { session_.renderer().setObserver(nullptr); }

void TFormMAIN::attachPanel(TFormPANEL& panel) {
  panel_ = &panel;
  layoutPicture();
}

bool TFormMAIN::openFile(const std::string& path) { return files_->openFile(path); }

void TFormMAIN::choose(FieldId fieldId, int number) { chooser(fieldId).choose(number); }

void TFormMAIN::createMenus() {
  auto action = [](QMenu* menu, std::string_view caption, const char* name) {
    QAction* a = menu->addAction(qs(caption));
    a->setObjectName(name);
    // Enabled by refreshChoosers for an editor whose field is on; the other
    // windows are not part of the program yet.
    a->setEnabled(false);
    return a;
  };
  QMenu* file = menuBar()->addMenu(qs(text::MenuFile));
  files_->addTo(file);
  MenuExportAnimace = new QAction(qs(text::MenuExportAnimation), this);
  MenuExportAnimace->setObjectName("MenuExportAnimace");
  connect(MenuExportAnimace, &QAction::triggered, this, &TFormMAIN::MenuExportAnimaceClick);
  file->insertAction(files_->MenuZavri, MenuExportAnimace);

  QMenu* edit = menuBar()->addMenu(qs(text::MenuEdit));
  edit->addAction(&session_.undoAction());
  edit->addAction(&session_.redoAction());
  edit->addSeparator();
  auto zoom = [this, edit](std::string_view caption, const char* name, QList<QKeySequence> keys, void (TFormMAIN::*slot)()) {
    QAction* a = edit->addAction(qs(caption));
    a->setObjectName(name);
    a->setShortcuts(keys);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  MenuZoomIn = zoom(text::MenuZoomIn, "MenuZoomIn", {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                    &TFormMAIN::zoomIn);
  MenuZoomOut = zoom(text::MenuZoomOut, "MenuZoomOut", {QKeySequence::ZoomOut}, &TFormMAIN::zoomOut);
  MenuZoomReset = zoom(text::MenuZoomReset, "MenuZoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &TFormMAIN::zoomReset);

  QMenu* tools = menuBar()->addMenu(qs(text::MenuTools));
  MenuEdFONT = action(tools, text::MenuFontEditor, "MenuEdFONT");
  connect(MenuEdFONT, &QAction::triggered, this, [this] { session_.fontEditor().showEditor(); });
  MenuEdLINKA = action(tools, text::MenuLineEditor, "MenuEdLINKA");
  MenuEdCIL = action(tools, text::MenuDestinationEditor, "MenuEdCIL");
  MenuEdZAST = action(tools, text::MenuStopEditor, "MenuEdZAST");
  for (FieldId id : kAllFields)
    connect(editorAction(id), &QAction::triggered, this, [this, id] {
      if (TextEditor* editor = session_.editor(id)) editor->open();
    });
  tools->addSeparator();
  MenuKONF = action(tools, text::MenuConfiguration, "MenuKONF");
  connect(MenuKONF, &QAction::triggered, this, [this] { session_.configurationWindow().showModal(); });
  tools->addSeparator();
  MenuVolby = action(tools, text::MenuOptions, "MenuVolby");
  MenuVolby->setEnabled(true);
  connect(MenuVolby, &QAction::triggered, this, [this] { session_.optionsWindow().showModal(); });

  QMenu* info = menuBar()->addMenu(qs(text::MenuInfo));
  MenuNapoveda = info->addAction(qs(text::MenuUsage));
  MenuNapoveda->setObjectName("MenuNapoveda");
  MenuNapoveda->setShortcut(QKeySequence::HelpContents);
  connect(MenuNapoveda, &QAction::triggered, this, &TFormMAIN::MenuNapovedaClick);
  MenuOProgramu = info->addAction(qs(text::MenuAbout));
  MenuOProgramu->setObjectName("MenuOProgramu");
  connect(MenuOProgramu, &QAction::triggered, this, &TFormMAIN::MenuOProgramuClick);
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
  DrawGridP->setAccessibleName("Panel picture");
  DrawGridP->setAccessibleDescription("DrawGridP");
  DrawGridP->installEventFilter(this);
  PanelP->installEventFilter(this);
  auto* inner = new QVBoxLayout(PanelP);
  inner->setContentsMargins(9, 2, 9, 4);
  inner->setSpacing(2);
  inner->addWidget(LabelP, 0, Qt::AlignHCenter);
  inner->addWidget(DrawGridP, 0, Qt::AlignHCenter);
  const char* red = "background: red; color: white; font-weight: bold;";
  PanelHlasC = coloured(parent, "PanelHlasC", red);
  PanelHlasZ = coloured(parent, "PanelHlasZ", red);
  for (QLabel* label : {PanelHlasC, PanelHlasZ}) {
    label->setFixedWidth(kMessageWidth);
    label->setWordWrap(true);
  }
  PanelFNT = coloured(parent, "PanelFNT", red);
  PanelFNT->setText(qs(text::FontsNotDefined));
  const char* names[3] = {"PanelVAROVANI_L", "PanelVAROVANI_C", "PanelVAROVANI_Z"};
  for (FieldId id : kAllFields) {
    QLabel* w = coloured(parent, names[fieldIndex(id)], "background: yellow; color: black;");
    w->setText(qs(msg::tooLongWarning(id)));
    PanelVAROVANI[fieldIndex(id)] = w;
  }
}

void TFormMAIN::createStatusBar() {
  // The counts, then the progress of a read with its name.
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
  ProgressBar1->setRange(0, ReadProgress::kSteps);
  ProgressBar1->setMaximumWidth(200);
  statusBar()->addWidget(PanelTXT);
  statusBar()->addWidget(ProgressBar1);
  PanelTXT->hide();
  ProgressBar1->hide();
  ReadProgress& progress = session_.progress();
  connect(&progress, &ReadProgress::started, this, [this](const QString& caption) {
    PanelTXT->setText(caption);
    PanelTXT->show();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
  });
  connect(&progress, &ReadProgress::stepped, ProgressBar1, &QProgressBar::setValue);
  connect(&progress, &ReadProgress::finished, this, [this] {
    PanelTXT->hide();
    ProgressBar1->hide();
  });
}

// --- Following the document ----------------------------------------------

void TFormMAIN::databaseReplaced() {
  const Document& document = session_.document();
  PanelRenderer& renderer = session_.renderer();
  renderer.clearPictures();
  renderer.setChoosers(document.isOpen() ? document.choosers() : ChooserState{});
  for (ChooserBox* c : choosers_) {
    c->setEnabled(renderer.chooserEnabled(c->fieldId()));
    c->reload();
    updateCounts(c->fieldId());
  }
  refreshChoosers();
  dataVersionChanged();
  layoutPicture();
  showDatabase();
  MenuEdFONT->setEnabled(document.isOpen());
  setCaption();
  MenuKONF->setEnabled(document.isOpen());
  setWindowModified(document.isModified());
  // The first pages go on the panel at once rather than a tick later.
  if (panel_ && document.isOpen()) panel_->tick();
}

void TFormMAIN::listChanged(TextKind kind) {
  for (ChooserBox* c : choosers_)
    if (c->kind() == kind) updateCounts(c->fieldId());
}

void TFormMAIN::restartFields() {
  PanelFNT->setVisible(session_.document().isOpen() && !session_.database().hasFonts());
  session_.renderer().clearPictures();
  for (ChooserBox* c : choosers_) c->restartField();
  if (panel_) {
    panel_->layoutPicture();
    panel_->tick();
  }
}

void TFormMAIN::configChanged() {
  const Document& document = session_.document();
  session_.renderer().setChoosers(document.choosers());
  for (ChooserBox* c : choosers_) {
    c->setEnabled(session_.renderer().chooserEnabled(c->fieldId()));
    c->followConfiguration();
  }
  refreshChoosers();
  layoutPicture();
  restartFields();
}

void TFormMAIN::dataVersionChanged() {
  const QString version = qs(cp1250ToUtf8(session_.database().dataVersion));
  if (EditVERZE->text() == version) return;
  Busy busy(busy_);
  EditVERZE->setText(version);
}

void TFormMAIN::EditVERZEChange() {
  if (busy_) return;
  const std::optional<std::string> version = utf8ToCp1250(EditVERZE->text().toStdString());
  if (!version) {
    // A character the panel cannot store: the field keeps the stored version.
    Busy busy(busy_);
    EditVERZE->setText(qs(cp1250ToUtf8(session_.database().dataVersion)));
    return;
  }
  if (*version == session_.database().dataVersion) return;
  Document& document = session_.document();
  document.push(new SetDataVersionCommand(document, *version));
}

void TFormMAIN::refreshChoosers() {
  const bool open = session_.document().isOpen();
  const std::uint8_t type = session_.database().config.panelType;
  for (ChooserBox* c : choosers_) {
    const bool on = c->isEnabled();
    QPalette palette = c->combo->palette();
    palette.setColor(QPalette::Base, on ? Qt::white : QColor(192, 192, 192));
    palette.setColor(QPalette::Button, on ? Qt::white : QColor(192, 192, 192));
    c->combo->setPalette(palette);
    // An editor serves a field that is on and that the panel type has.
    const FieldId id = c->fieldId();
    const bool typeHasField = id == FieldId::Line          ? type == PanelType::Line || type == PanelType::LineDestination ||
                                                                 type == PanelType::LineDestinationStop
                              : id == FieldId::Destination ? type != PanelType::Line
                                                           : type == PanelType::DestinationStop ||
                                                                 type == PanelType::LineDestinationStop;
    const bool editable = open && on && typeHasField && session_.editor(id);
    editorAction(id)->setEnabled(editable);
    c->edit->setEnabled(editable);
  }
}

QAction* TFormMAIN::editorAction(FieldId fieldId) const {
  return fieldId == FieldId::Line ? MenuEdLINKA : fieldId == FieldId::Destination ? MenuEdCIL : MenuEdZAST;
}

void TFormMAIN::updateCounts(FieldId fieldId) {
  const std::size_t n = session_.document().isOpen() ? session_.database().list(textKindOf(fieldId)).count() : 0;
  const std::string_view format = fieldId == FieldId::Line          ? text::LinesCount
                                  : fieldId == FieldId::Destination ? text::DestinationsCount
                                                                    : text::StopsCount;
  StatusBar1[fieldIndex(fieldId)]->setText(n == 0 ? QString() : qs(formatMessage(format, std::to_string(n))));
}

void TFormMAIN::showNotExisting(FieldId fieldId, const QString& message) {
  QLabel* label = fieldId == FieldId::Destination ? PanelHlasC : fieldId == FieldId::Stop ? PanelHlasZ : nullptr;
  if (!label) return;
  label->setText(message);
  label->setVisible(!message.isEmpty() && session_.document().isOpen());
}

void TFormMAIN::tooLongWarningChanged(FieldId fieldId, bool shown) {
  PanelVAROVANI.at(fieldIndex(fieldId))->setVisible(shown && session_.document().isOpen());
}

void TFormMAIN::chooserEnabledChanged(FieldId fieldId, bool enabled) {
  chooser(fieldId).setEnabled(enabled);
  refreshChoosers();
}

void TFormMAIN::choosersRefreshed() {
  for (ChooserBox* c : choosers_) c->setEnabled(session_.renderer().chooserEnabled(c->fieldId()));
  refreshChoosers();
}

// --- The picture ----------------------------------------------------------

void TFormMAIN::layoutPicture() {
  if (!panel_) return;
  DrawGridP->setDot(zoomDot_);
  panel_->layoutPicture();
  const PanelConfig& config = session_.database().config;
  PanelP->setFixedSize(DrawGridP->width() + 18, DrawGridP->height() + 25);
  const std::string_view position = config.position == PanelPosition::Front  ? text::FrontPanel
                                    : config.position == PanelPosition::Rear ? text::RearPanel
                                                                             : text::SidePanel;
  const char* firmware = config.firmware == FirmwareVersion::V1_6    ? "1.6"
                         : config.firmware == FirmwareVersion::V2_13 ? "2.13"
                         : config.firmware == FirmwareVersion::V2_15 ? "2.15"
                                                                     : "";
  LabelP->setText(qs(position) + "  [" + firmware + "]");
}

void TFormMAIN::zoomIn() {
  zoomDot_ = std::min(DrawGridP->dot() + 1, PanelPicture::kMaxDot);
  layoutPicture();
}

void TFormMAIN::zoomOut() {
  zoomDot_ = std::max(DrawGridP->dot() - 1, PanelPicture::kMinDot);
  layoutPicture();
}

void TFormMAIN::zoomReset() {
  zoomDot_ = 0;
  layoutPicture();
}

// --- Sessions of work -----------------------------------------------------

void TFormMAIN::setCaption() {
  const Document& document = session_.document();
  const std::string& name = document.fileName();
  if (!document.isOpen())
    setWindowTitle(qs(text::AppTitle));
  else if (name.empty())
    setWindowTitle(qs(text::AppTitle) + "[*]");
  else
    setWindowTitle(qs(text::CaptionPrefix) + QString::fromStdString(name) + "[*]");
}

void TFormMAIN::showDatabase() {
  const bool shown = session_.document().isOpen();
  MenuExportAnimace->setEnabled(shown);
  PanelP->setVisible(shown);
  EditVERZE->setEnabled(shown);
  PanelFNT->setVisible(shown && !session_.database().hasFonts());
  if (!shown) {
    PanelHlasC->hide();
    PanelHlasZ->hide();
    for (QLabel* w : PanelVAROVANI) w->hide();
  }
}

void TFormMAIN::MenuExportAnimaceClick() {
  const Document& document = session_.document();
  if (!document.isOpen()) return;
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.objectName = "SaveDialogGIF";
  request.title = qs(text::ExportAnimationTitle);
  request.filters = {qs(text::GifAnimationFilter)};
  request.directory = QString::fromStdString(state.lastDir);
  const QString base = QFileInfo(QString::fromStdString(document.fileName())).completeBaseName();
  request.selectedFile = (base.isEmpty() ? QString("panel") : base) + ".gif";
  const std::optional<ChosenFile> chosen = session_.prompter().chooseFile(request);
  if (!chosen) return;
  QString path = chosen->path;
  if (QFileInfo(path).suffix().isEmpty()) path += ".gif";
  state.lastDir = QFileInfo(path).absolutePath().toStdString();
  try {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<AnimationFrame> frames =
        playPanelLoop(session_.renderer(), document.choosers(), kMaxAnimationTicks, kAnimationTicksWithoutLoop);
    writeFileSafely(path.toStdString(), encodePanelGif(frames, paintedSize(session_.database().config)));
    QApplication::restoreOverrideCursor();
  } catch (const DorvakError& e) {
    QApplication::restoreOverrideCursor();
    session_.prompter().notice(e.what());
  }
}

void TFormMAIN::MenuOProgramuClick() {
  std::string about = std::string(text::AboutTitle) + std::string(text::AboutPurpose) + "\n";
  about += std::string(17, ' ') + std::string(text::AboutDescription) + "\n\n";
  about += std::string(17, ' ') + std::string(text::ProgramVersion) + " " + std::string(kVersionText) + "\n\n";
  for (std::string_view line : text::AboutContacts) about += std::string(9, ' ') + std::string(line) + "\n";
  session_.prompter().notice(about);
}

void TFormMAIN::MenuNapovedaClick() {
  auto* help = findChild<QDialog*>("HelpWindow");
  if (!help) {
    help = new QDialog(this);
    help->setObjectName("HelpWindow");
    help->setWindowTitle(qs(text::HelpTitle));
    auto* browser = new QTextBrowser(help);
    browser->setObjectName("HelpText");
    browser->setAccessibleName(qs(text::HelpTitle));
    browser->setOpenExternalLinks(true);
    QFile usage(":/docs/usage.md");
    if (usage.open(QIODevice::ReadOnly)) browser->setMarkdown(QString::fromUtf8(usage.readAll()));
    auto* layout = new QVBoxLayout(help);
    layout->addWidget(browser);
    help->resize(640, 560);
  }
  help->show();
  help->raise();
  help->activateWindow();
}

bool TFormMAIN::event(QEvent* event) {
  // Back in the main window: the fields play the chosen entries again,
  // whatever an editor previewed in them.
  if (event->type() == QEvent::WindowActivate && session_.document().isOpen()) {
    refreshChoosers();
    restartFields();
  }
  return QMainWindow::event(event);
}

void TFormMAIN::closeEvent(QCloseEvent* event) {
  if (!files_->askSave()) {
    event->ignore();
    return;
  }
  QSettings().setValue("mainWindow/geometry", saveGeometry());
  event->accept();
}

void TFormMAIN::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.first().isLocalFile() && urls.first().toLocalFile().endsWith(".hex", Qt::CaseInsensitive))
    event->acceptProposedAction();
}

void TFormMAIN::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  const std::string path = urls.first().toLocalFile().toStdString();
  // The drop ends before the questions are asked.
  QMetaObject::invokeMethod(this, [this, path] { files_->openWithQuestion(path); }, Qt::QueuedConnection);
}

bool TFormMAIN::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == DrawGridP || watched == PanelP) && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      if (wheel->angleDelta().y() > 0)
        zoomIn();
      else if (wheel->angleDelta().y() < 0)
        zoomOut();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace dorvak
