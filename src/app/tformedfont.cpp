#include "app/tformedfont.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/accessible.h"
#include "app/busy.h"
#include "app/centre_window.h"
#include "app/font_file_dialogs.h"
#include "app/font_import_dialog.h"
#include "app/glyph_views.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/tformfm.h"
#include "app/updown.h"
#include "config/cp1250.h"
#include "core/error.h"
#include "render/panel_paint.h"

namespace dorvak {

namespace {

QLineEdit* numberEdit(QWidget* parent, const char* pattern, int maxLength, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  edit->setMaxLength(maxLength);
  edit->setFixedWidth(width);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

QPushButton* button(QWidget* parent, std::string_view caption, const char* name) {
  auto* b = new QPushButton(qs(caption), parent);
  nameControl(b, name, qs(caption));
  b->setAutoDefault(false);  // Enter in an edit field is the field's, not a button's
  return b;
}

QString hexText(int code) { return QString("%1").arg(code, 2, 16, QChar('0')).toUpper(); }

}  // namespace

TFormEdFONT::TFormEdFONT(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("TFormEdFONT");
  setWindowTitle(qs(text::FontEditorTitle));
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  createControls();
  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(true);
  layout->addWidget(status);
  createStatusBar(status);
  createMenus(bar);
  importDialog_ = new FontImportDialog(session_, this);

  Document& document = session_.document();
  connect(&document, &Document::fontsChanged, this, &TFormEdFONT::fontsChanged);
  connect(&document, &Document::databaseReplaced, this, &TFormEdFONT::databaseReplaced);
  refreshCodeFields();
  loadGlyph();
}

// A field that has the focus reports editingFinished while it is destroyed,
// after this window's part of it is gone: it must find no handler here.
TFormEdFONT::~TFormEdFONT() {
  for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->disconnect(this);
}

void TFormEdFONT::createControls() {
  auto* top = new QHBoxLayout;
  auto label = [this, top](std::string_view caption, QWidget* buddy) {
    auto* l = new QLabel(qs(caption), this);
    l->setBuddy(buddy);
    top->addWidget(l);
  };

  EditCF = numberEdit(this, "[0-9]{0,2}", 2, 32);
  nameControl(EditCF, "EditCF", qs(text::FontNumber).remove(':'));
  UpDownCF = new UpDown(this);
  UpDownCF->setObjectName("UpDownCF");
  UpDownCF->setRange(0, kFontCount - 1);
  UpDownCF->upButton()->setAccessibleName(qs(text::NextFont));
  UpDownCF->downButton()->setAccessibleName(qs(text::PreviousFont));
  label(text::FontNumber, EditCF);
  top->addWidget(EditCF);
  top->addWidget(UpDownCF);
  top->addSpacing(16);

  EditD = numberEdit(this, "[0-9]{0,3}", 3, 40);
  nameControl(EditD, "EditD", qs(text::Code).remove(':'));
  EditH = numberEdit(this, "[0-9A-Fa-f]{0,2}", 2, 32);
  nameControl(EditH, "EditH", qs(text::CodeHex));
  UpDownZN = new UpDown(this);
  UpDownZN->setObjectName("UpDownZN");
  UpDownZN->setRange(32, kCodeCount - 1);
  UpDownZN->upButton()->setAccessibleName(qs(text::NextCode));
  UpDownZN->downButton()->setAccessibleName(qs(text::PreviousCode));
  label(text::Code, EditD);
  top->addWidget(EditD);
  top->addWidget(EditH);
  top->addWidget(UpDownZN);
  top->addSpacing(16);

  EditC = new QLineEdit(this);
  EditC->setMaxLength(1);
  EditC->setFixedWidth(32);
  EditC->setAlignment(Qt::AlignCenter);
  nameControl(EditC, "EditC", qs(text::Key).remove(':'));
  label(text::Key, EditC);
  top->addWidget(EditC);
  top->addSpacing(16);

  ButtonZobraz = button(this, text::Show, "ButtonZobraz");
  ButtonUloz = button(this, text::SaveGlyph, "ButtonUloz");
  top->addWidget(ButtonZobraz);
  top->addWidget(ButtonUloz);
  top->addStretch();

  LabelPozor = new QLabel(qs(text::ControlCodeWarning), this);
  LabelPozor->setObjectName("LabelPozor");
  LabelPozor->setStyleSheet("color: red; font-weight: bold;");
  QSizePolicy keepRoom = LabelPozor->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  LabelPozor->setSizePolicy(keepRoom);
  LabelPozor->hide();

  DrawGrid1 = new GlyphGridView(grid_, this);
  DrawGrid1->setObjectName("DrawGrid1");
  DrawGrid1->setAccessibleName(qs(text::GlyphGrid));
  DrawGrid1->setAccessibleDescription("DrawGrid1");
  DrawGrid1->setToolTip(qs(text::GlyphGridHint));
  GridArea = new QScrollArea(this);
  GridArea->setObjectName("GridArea");
  GridArea->setWidget(DrawGrid1);
  GridArea->setAlignment(Qt::AlignCenter);
  GridArea->setMinimumSize(DrawGrid1->width() + 4, DrawGrid1->height() + 4);
  GridArea->setBackgroundRole(QPalette::Dark);

  ButtonNahoru = button(this, text::ShiftUp, "ButtonNahoru");
  ButtonDolu = button(this, text::ShiftDown, "ButtonDolu");
  ButtonDoleva = button(this, text::ShiftLeft, "ButtonDoleva");
  ButtonDoprava = button(this, text::ShiftRight, "ButtonDoprava");
  ButtonKresli = button(this, "\u25A6", "ButtonKresli");
  ButtonKresli->setAccessibleName(qs(text::Normalize));
  ButtonKresli->setToolTip(qs(text::Normalize));
  ButtonKresli->setFixedSize(24, 24);
  auto* pad = new QGridLayout;
  pad->addWidget(ButtonNahoru, 0, 1);
  pad->addWidget(ButtonDoleva, 1, 0);
  pad->addWidget(ButtonKresli, 1, 1, Qt::AlignCenter);
  pad->addWidget(ButtonDoprava, 1, 2);
  pad->addWidget(ButtonDolu, 2, 1);
  const std::pair<QPushButton*, GridShift> shifts[] = {{ButtonNahoru, GridShift::Up},
                                                        {ButtonDolu, GridShift::Down},
                                                        {ButtonDoleva, GridShift::Left},
                                                        {ButtonDoprava, GridShift::Right}};
  for (const auto& [b, direction] : shifts) {
    b->setToolTip(qs(text::ShiftHint));
    b->installEventFilter(this);
    connect(b, &QPushButton::clicked, this,
            [this, d = direction] { ButtonShiftClick(d, clickModifiers_ & Qt::ShiftModifier); });
  }

  auto* panelLabel = new QLabel(qs(text::PanelScale), this);
  PanelGlyph = new PanelDotsView(this);
  PanelGlyph->setObjectName("PanelGlyph");
  PanelGlyph->setAccessibleName(qs(text::PanelScale).remove(':'));
  auto* side = new QVBoxLayout;
  side->addLayout(pad);
  side->addSpacing(16);
  side->addWidget(panelLabel);
  side->addWidget(PanelGlyph, 0, Qt::AlignLeft);
  side->addStretch();

  auto* middle = new QHBoxLayout;
  middle->addWidget(GridArea, 1);
  middle->addLayout(side);

  auto* layout = static_cast<QVBoxLayout*>(QDialog::layout());
  layout->addLayout(top);
  layout->addWidget(LabelPozor);
  layout->addLayout(middle, 1);

  for (QLineEdit* edit : {EditCF, EditD, EditH, EditC}) edit->installEventFilter(this);
  connect(UpDownCF, &UpDown::clicked, this, &TFormEdFONT::UpDownCFClick);
  connect(UpDownZN, &UpDown::clicked, this, &TFormEdFONT::UpDownZNClick);
  connect(EditCF, &QLineEdit::editingFinished, this, &TFormEdFONT::EditCFExit);
  connect(EditD, &QLineEdit::textEdited, this, &TFormEdFONT::EditDChange);
  connect(EditD, &QLineEdit::editingFinished, this, &TFormEdFONT::EditDExit);
  connect(EditH, &QLineEdit::textEdited, this, &TFormEdFONT::EditHChange);
  connect(EditH, &QLineEdit::editingFinished, this, &TFormEdFONT::refreshWarning);
  connect(EditD, &QLineEdit::returnPressed, this, &TFormEdFONT::ButtonZobrazClick);
  connect(EditH, &QLineEdit::returnPressed, this, &TFormEdFONT::ButtonZobrazClick);
  connect(EditC, &QLineEdit::textEdited, this, &TFormEdFONT::EditCChange);
  connect(ButtonZobraz, &QPushButton::clicked, this, &TFormEdFONT::ButtonZobrazClick);
  connect(ButtonUloz, &QPushButton::clicked, this, &TFormEdFONT::ButtonUlozClick);
  connect(ButtonKresli, &QPushButton::clicked, this, &TFormEdFONT::ButtonKresliClick);
  connect(DrawGrid1, &GlyphGridView::drawn, this, &TFormEdFONT::gridChanged);
  connect(DrawGrid1, &GlyphGridView::hovered, this, [this](int row, int column) {
    StatusBar1[1]->setText(qs(text::StatusRow) + " " + QString::number(row));
    StatusBar1[2]->setText(qs(text::StatusColumn) + (column <= 8 ? "  " : " ") + QString::number(column));
  });
}

void TFormEdFONT::createMenus(QMenuBar* bar) {
  QMenu* fonts = bar->addMenu(qs(text::MenuFonts));
  auto action = [this, fonts](std::string_view caption, const char* name, void (TFormEdFONT::*slot)()) {
    QAction* a = fonts->addAction(qs(caption));
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  MenuCti = action(text::MenuReadFonts, "MenuCti", &TFormEdFONT::MenuCtiClick);
  MenuUlozJako = action(text::MenuSaveFonts, "MenuUlozJako", &TFormEdFONT::MenuUlozJakoClick);
  fonts->addSeparator();
  MenuSmazJeden = action(text::MenuDeleteGlyph, "MenuSmazJeden", &TFormEdFONT::MenuSmazJedenClick);
  MenuSmazKod = action(text::MenuDeleteCode, "MenuSmazKod", &TFormEdFONT::MenuSmazKodClick);
  MenuSmazFont = action(text::MenuDeleteFont, "MenuSmazFont", &TFormEdFONT::MenuSmazFontClick);
  MenuSmazVse = action(text::MenuDeleteAllFonts, "MenuSmazVse", &TFormEdFONT::MenuSmazVseClick);
  // The font manager is the only way to copy a glyph or a font: offered here.
  fonts->addSeparator();
  MenuFM = action(text::MenuFontManager, "MenuFM", &TFormEdFONT::MenuFMClick);
  MenuImport = action(text::MenuImportFont, "MenuImport", &TFormEdFONT::MenuImportClick);
  fonts->addSeparator();
  MenuZavri = fonts->addAction(qs(text::MenuCloseEditor));
  MenuZavri->setObjectName("MenuZavri");
  connect(MenuZavri, &QAction::triggered, this, &QDialog::close);

  QMenu* edit = bar->addMenu(qs(text::MenuEdit));
  edit->addAction(&session_.undoAction());
  edit->addAction(&session_.redoAction());
}

void TFormEdFONT::createStatusBar(QStatusBar* bar) {
  StatusLayout = new QToolButton(this);
  StatusLayout->setText("N");
  StatusLayout->setAutoRaise(true);
  StatusLayout->setFixedSize(15, 19);
  StatusLayout->setToolTip(qs(text::LayoutHint));
  nameControl(StatusLayout, "StatusBar1_0", qs(text::LayoutHint));
  connect(StatusLayout, &QToolButton::clicked, this, &TFormEdFONT::StatusBarLayoutClick);
  bar->addWidget(StatusLayout);
  const int widths[8] = {15, 60, 80, 110, 70, 16, 16, 0};
  for (int i = 1; i < 8; ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QString("StatusBar1_%1").arg(i));
    if (widths[i] > 0) panel->setFixedWidth(widths[i]);
    bar->addWidget(panel, widths[i] > 0 ? 0 : 1);
    StatusBar1[static_cast<std::size_t>(i)] = panel;
  }
  StatusBar1[3]->setAlignment(Qt::AlignCenter);
  StatusBar1[1]->setText(qs(text::StatusRow) + " 0");
  StatusBar1[2]->setText(qs(text::StatusColumn) + "  0");
  showTooLarge(false);
}

// --- Showing ----------------------------------------------------------------

void TFormEdFONT::showEditor() {
  if (!isVisible()) show();
  raise();
  activateWindow();
}

void TFormEdFONT::openModal(int font, int code) {
  font_ = std::clamp(font, 0, kFontCount - 1);
  setCode(std::clamp(code, 0, kCodeCount - 1));
  session_.prompter().runModal(*this);
}

void TFormEdFONT::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QWidget* main = parentWidget()) centreOver(*this, *main);
  refreshCodeFields();
  refreshKey();
  refreshWarning();
  loadGlyph();
  refreshCount();
  refreshMenu();
}

void TFormEdFONT::setCode(int code) {
  code_ = code;
  refreshCodeFields();
  refreshKey();
}

void TFormEdFONT::refreshCodeFields(QLineEdit* except) {
  Busy busy(busy_);
  if (except != EditCF) EditCF->setText(QString::number(font_));
  UpDownCF->setPosition(font_);
  if (except != EditD) EditD->setText(QString::number(code_));
  if (except != EditH) EditH->setText(hexText(code_));
  UpDownZN->setPosition(code_);
}

void TFormEdFONT::refreshKey() {
  Busy busy(busy_);
  const std::uint8_t key = session_.database().keyTable[static_cast<std::size_t>(code_)];
  EditC->setText(key == 0 ? QString() : qs(cp1250ToUtf8(std::string(1, static_cast<char>(key)))));
}

void TFormEdFONT::refreshWarning() {
  const bool control = isControlCode(static_cast<std::uint8_t>(code_));
  LabelPozor->setVisible(control);
  ButtonUloz->setEnabled(!control);
}

void TFormEdFONT::refreshMenu() {
  const bool any = session_.database().hasFonts();
  for (QAction* a : {MenuUlozJako, MenuSmazJeden, MenuSmazKod, MenuSmazFont, MenuSmazVse, MenuFM}) a->setEnabled(any);
}

void TFormEdFONT::refreshCount() {
  StatusBar1[7]->setText(QString::number(countGlyphs(session_.database().fonts, font_)) + " " + qs(text::StatusGlyphs));
}

void TFormEdFONT::showTooLarge(bool tooLarge) {
  StatusBar1[3]->setText(tooLarge ? qs(text::TooLargeFont) : QString());
  StatusBar1[3]->setStyleSheet(tooLarge ? "background: yellow; color: black;" : "background: rgb(192, 192, 192);");
}

void TFormEdFONT::loadGlyph() {
  showTooLarge(grid_.load(session_.database().fonts.glyph(font_, code_)));
  drawingUnsaved_ = false;
  DrawGrid1->update();
  showGrid();
}

void TFormEdFONT::gridChanged() {
  drawingUnsaved_ = true;
  showGrid();
}

void TFormEdFONT::showGrid() {
  StatusBar1[4]->setText(qs(text::StatusHeight) + " " + QString::number(grid_.encode().height));
  std::vector<std::uint8_t> dots;
  dots.reserve(kGridDots * kGridDots);
  for (int row = 1; row <= kGridDots; ++row)
    for (int column = 1; column <= kGridDots; ++column)
      dots.push_back(grid_.shown(row, column) == GridCell::On ? 1 : 0);
  PanelGlyph->setDots(kGridDots, kGridDots, dots, dotSize(paintedSize(session_.database().config).length));
}

// --- Font and code ----------------------------------------------------------

void TFormEdFONT::UpDownCFClick(bool up) {
  font_ = std::clamp(font_ + (up ? 1 : -1), 0, kFontCount - 1);
  refreshCodeFields();
  loadGlyph();
  refreshCount();
}

void TFormEdFONT::EditCFExit() {
  if (busy_) return;
  if (!EditCF->text().isEmpty()) font_ = std::min(EditCF->text().toInt(), kFontCount - 1);
  refreshCodeFields();
  refreshCount();
}

void TFormEdFONT::UpDownZNClick(bool up) {
  setCode(stepGlyphCode(code_, up ? +1 : -1));
  loadGlyph();
  refreshWarning();
}

void TFormEdFONT::EditDChange() {
  if (busy_) return;
  if (EditD->text().isEmpty()) {
    Busy busy(busy_);
    EditH->clear();
    EditC->clear();
    code_ = 32;
    UpDownZN->setPosition(code_);
    return;
  }
  code_ = std::min(EditD->text().toInt(), kCodeCount - 1);
  if (EditD->text().toInt() > code_) {
    Busy busy(busy_);
    EditD->setText(QString::number(code_));
  }
  refreshCodeFields(EditD);
  refreshKey();
}

void TFormEdFONT::EditDExit() {
  if (busy_) return;
  refreshCodeFields();
  refreshKey();
  refreshWarning();
}

void TFormEdFONT::EditHChange() {
  if (busy_) return;
  const QString upper = EditH->text().toUpper();
  if (upper != EditH->text()) {
    Busy busy(busy_);
    const int cursor = EditH->cursorPosition();
    EditH->setText(upper);
    EditH->setCursorPosition(cursor);
  }
  if (upper.isEmpty()) {
    Busy busy(busy_);
    EditD->clear();
    EditC->clear();
    code_ = 32;
    UpDownZN->setPosition(code_);
    return;
  }
  code_ = upper.toInt(nullptr, 16);
  refreshCodeFields(EditH);
  refreshKey();
}

void TFormEdFONT::EditCChange() {
  if (busy_) return;
  // Only a character the panel's key table can hold (Windows-1250).
  if (!EditC->text().isEmpty() && !utf8ToCp1250(EditC->text().toStdString())) {
    Busy busy(busy_);
    EditC->clear();
  }
}

void TFormEdFONT::ButtonZobrazClick() {
  refreshCodeFields();
  refreshKey();
  loadGlyph();
  refreshWarning();
}

// --- The grid ---------------------------------------------------------------

void TFormEdFONT::ButtonShiftClick(GridShift direction, bool shiftHeld) {
  grid_.shift(direction, shiftHeld);
  DrawGrid1->update();
  gridChanged();
}

void TFormEdFONT::ButtonKresliClick() {
  grid_.normalize();
  DrawGrid1->update();
  gridChanged();
}

void TFormEdFONT::StatusBarLayoutClick() {
  layout_ = layout_ == FontFileLayout::N ? FontFileLayout::S : FontFileLayout::N;
  StatusLayout->setText(layout_ == FontFileLayout::N ? "N" : "S");
}

// --- Changing the fonts -----------------------------------------------------

void TFormEdFONT::pushFonts(const QString& label, GlyphScope scope, FontsCommand::Operation operation) {
  Document& document = session_.document();
  document.push(new FontsCommand(document, label, scope, std::move(operation)));
}

void TFormEdFONT::ButtonUlozClick() {
  if (isControlCode(static_cast<std::uint8_t>(code_))) return;
  const std::string key = utf8ToCp1250(EditC->text().toStdString()).value_or(std::string());
  const int font = font_, code = code_;
  const EditGrid drawn = grid_;
  GlyphStoreResult result;
  pushFonts(qs(text::UndoStoreGlyph).arg(code).arg(font), GlyphScope::glyph(font, code), [&](PanelDatabase& db) {
    EditGrid grid = drawn;
    result = storeGlyph(db, grid, font, code, key);
  });
  // A store that changed nothing leaves no command and no signal: the grid
  // shows the glyph as stored all the same.
  loadGlyph();
  refreshKey();
  if (result.message) session_.prompter().notice(*result.message);
}

void TFormEdFONT::MenuSmazJedenClick() {
  const int font = font_, code = code_;
  if (!session_.prompter().okCancel(deleteGlyphQuestion(font, code))) return;
  pushFonts(qs(text::UndoDeleteGlyph).arg(code).arg(font), GlyphScope::glyph(font, code),
            [font, code](PanelDatabase& db) { deleteGlyph(db, font, code); });
  loadGlyph();
}

void TFormEdFONT::MenuSmazKodClick() {
  const int code = code_;
  if (!session_.prompter().okCancel(deleteCodeQuestion(code))) return;
  pushFonts(qs(text::UndoDeleteCode).arg(code), GlyphScope::code(code),
            [code](PanelDatabase& db) { deleteCodeInAllFonts(db, code); });
  loadGlyph();
}

void TFormEdFONT::MenuSmazFontClick() {
  const int font = font_;
  if (!session_.prompter().okCancel(deleteFontQuestion(font))) return;
  pushFonts(qs(text::UndoDeleteFont).arg(font), GlyphScope::font(font), [font](PanelDatabase& db) { deleteFont(db, font); });
  loadGlyph();
}

void TFormEdFONT::MenuSmazVseClick() {
  if (!session_.prompter().yesNo(kDeleteAllFontsQuestion)) return;
  pushFonts(qs(text::UndoDeleteAllFonts), GlyphScope::all(), deleteAllFonts);
  fontFileName_.clear();
  loadGlyph();
}

void TFormEdFONT::MenuCtiClick() {
  WorkingState& state = session_.state();
  const std::optional<QString> chosen = chosenPath(session_.prompter().chooseFile(readFontsRequest("OpenDialogFNT", state.lastDir)));
  if (!chosen) return;
  const std::string path = chosen->toStdString();
  state.lastDir = QFileInfo(*chosen).absolutePath().toStdString();

  // Read into a copy of the fonts: a file that cannot be read leaves the
  // copy as it is, and the command below then changes nothing.
  const PanelDatabase& db = session_.database();
  PanelDatabase scratch;
  scratch.fonts = db.fonts;
  scratch.keyTable = db.keyTable;
  scratch.specialGlyph = db.specialGlyph;
  std::optional<std::string> error;
  {
    ProgressScope progress(session_.progress(), qs(text::FontsInput));
    FontFileOptions options;
    options.progress = session_.progress().callback();
    options.notice = [this](const std::string& message) { session_.prompter().notice(message); };
    try {
      readFontsInto(scratch, path, options);
    } catch (const DorvakError& e) {
      error = e.what();
    }
  }
  pushFonts(qs(text::UndoReadFonts).arg(QFileInfo(*chosen).fileName()), GlyphScope::all(),
            [read = std::move(scratch)](PanelDatabase& target) {
              target.fonts = read.fonts;
              target.keyTable = read.keyTable;
              target.specialGlyph = read.specialGlyph;
            });
  // A panel data base proposes no font file name to Save as.
  const bool panelDatabase = QFileInfo(*chosen).suffix().compare("hex", Qt::CaseInsensitive) == 0;
  if (!error) fontFileName_ = panelDatabase ? std::string() : path;
  loadGlyph();
  refreshKey();
  if (error) session_.prompter().notice(*error);
}

void TFormEdFONT::MenuUlozJakoClick() {
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.objectName = "SaveDialogFNT";
  request.title = qs(text::SaveAsTitle);
  request.filters = {qs(text::FontFileFilter) + qs(text::FntFilterSuffix)};
  request.directory = QString::fromStdString(state.lastDir);
  request.selectedFile = QFileInfo(QString::fromStdString(fontFileName_)).fileName();
  const std::optional<QString> chosen = chosenPath(session_.prompter().chooseFile(request));
  if (!chosen) return;
  QString path = *chosen;
  if (QFileInfo(path).suffix().isEmpty()) path += ".fnt";
  state.lastDir = QFileInfo(path).absolutePath().toStdString();
  FontFileOptions options;
  options.confirm = [this](std::string_view question) { return session_.prompter().yesNo(question); };
  try {
    if (writeFontFile(session_.database(), path.toStdString(), layout_, options) == FontSaveResult::Written)
      fontFileName_ = path.toStdString();
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
  }
}

void TFormEdFONT::MenuFMClick() { session_.prompter().runModal(session_.fontManager()); }

void TFormEdFONT::MenuImportClick() {
  importDialog_->prepare(font_);
  session_.prompter().runModal(*importDialog_);
}

// --- Following the document -------------------------------------------------

void TFormEdFONT::fontsChanged() {
  // A drawing not yet stored stays: an Undo, the font manager or an import
  // must not wipe out what the user is drawing.
  if (!drawingUnsaved_) loadGlyph();
  refreshKey();
  refreshCount();
  refreshMenu();
}

void TFormEdFONT::databaseReplaced() {
  // New, Open and Close close the editor and start it afresh.
  if (isVisible()) close();
  font_ = 0;
  fontFileName_.clear();
  setCode(65);
  refreshWarning();
  loadGlyph();
  refreshCount();
  refreshMenu();
}

bool TFormEdFONT::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::KeyPress) {
    if (qobject_cast<QPushButton*>(watched)) clickModifiers_ = static_cast<QInputEvent*>(event)->modifiers();
    // A click into a field selects its whole text.
    if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && type == QEvent::MouseButtonRelease)
      QTimer::singleShot(0, edit, &QLineEdit::selectAll);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace dorvak
