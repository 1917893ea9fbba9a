#include "app/tformfm.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/accessible.h"
#include "app/centre_window.h"
#include "app/font_file_dialogs.h"
#include "app/glyph_position.h"
#include "app/glyph_views.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "core/error.h"
#include "fonts/font_file.h"

namespace dorvak {

namespace {

QRadioButton* radio(QWidget* parent, std::string_view caption, const char* name) {
  auto* r = new QRadioButton(qs(caption), parent);
  nameControl(r, name, qs(caption));
  return r;
}

QPushButton* button(QWidget* parent, std::string_view caption, const char* name) {
  auto* b = new QPushButton(qs(caption), parent);
  nameControl(b, name, qs(caption));
  b->setAutoDefault(false);
  return b;
}

// A preview keeps its room when its glyph is hidden or large.
QScrollArea* previewArea(QWidget* parent, GlyphPreview* preview) {
  auto* area = new QScrollArea(parent);
  area->setWidget(preview);
  area->setAlignment(Qt::AlignCenter);
  area->setFixedSize(28 * GlyphPreview::kCell + 24, 28 * GlyphPreview::kCell + 24);
  area->setBackgroundRole(QPalette::Dark);
  return area;
}

QGroupBox* modeBox(QWidget* parent, QRadioButton* all, QRadioButton* whole, QRadioButton* one) {
  auto* box = new QGroupBox(parent);
  auto* layout = new QHBoxLayout(box);
  for (QRadioButton* r : {all, whole, one}) {
    r->setParent(box);
    layout->addWidget(r);
  }
  layout->addStretch();
  return box;
}

FontManagerMode modeOf(const QRadioButton* all, const QRadioButton* whole) {
  return all->isChecked() ? FontManagerMode::AllFonts : whole->isChecked() ? FontManagerMode::WholeFont
                                                                          : FontManagerMode::OneGlyph;
}

}  // namespace

TFormFM::TFormFM(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("TFormFM");
  setWindowTitle(qs(text::FontManagerTitle));
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  QMenu* edit = bar->addMenu(qs(text::MenuEdit));
  edit->addAction(&session_.undoAction());
  edit->addAction(&session_.redoAction());
  layout->setMenuBar(bar);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->addTab(createCopyPage(), qs(text::TabCopy));
  PageControl1->addTab(createDeletePage(), qs(text::TabDelete));
  layout->addWidget(PageControl1);

  connect(&session_.document(), &Document::fontsChanged, this, &TFormFM::refreshPreviews);
  RadioJedenK->setChecked(true);
  RadioJedenM->setChecked(true);
  RadioPracovni->setChecked(true);
  RadioPracovniClick();
}

QWidget* TFormFM::createCopyPage() {
  auto* page = new QWidget(this);
  auto* sourceBox = new QGroupBox(page);
  RadioPracovni = radio(sourceBox, text::SourceWorking, "RadioPracovni");
  RadioSoubor = radio(sourceBox, text::SourceFile, "RadioSoubor");
  LabelSoubor = new QLabel(sourceBox);
  LabelSoubor->setObjectName("LabelSoubor");
  LabelSoubor->setMinimumWidth(200);
  auto* sourceLayout = new QHBoxLayout(sourceBox);
  sourceLayout->addWidget(RadioPracovni);
  sourceLayout->addSpacing(16);
  sourceLayout->addWidget(RadioSoubor);
  sourceLayout->addWidget(LabelSoubor, 1);

  RadioVsechnyK = radio(page, text::ModeAllFonts, "RadioVsechnyK");
  RadioCelyK = radio(page, text::ModeWholeFont, "RadioCelyK");
  RadioJedenK = radio(page, text::ModeOneGlyph, "RadioJedenK");
  QGroupBox* modes = modeBox(page, RadioVsechnyK, RadioCelyK, RadioJedenK);

  PoziceZ = new GlyphPosition(qs(text::SourceGroup), "Z", page);
  PoziceC = new GlyphPosition(qs(text::DestinationGroup), "C", page);
  PoziceC->setApplyWhileTyping(true);
  DrawGridZ = new GlyphPreview(page);
  DrawGridZ->setObjectName("DrawGridZ");
  DrawGridZ->setAccessibleName(qs(text::SourceGroup));
  DrawGridC = new GlyphPreview(page);
  DrawGridC->setObjectName("DrawGridC");
  DrawGridC->setAccessibleName(qs(text::DestinationGroup));
  auto* positions = new QGridLayout;
  positions->addWidget(PoziceZ, 0, 0);
  positions->addWidget(previewArea(page, DrawGridZ), 0, 1);
  positions->addWidget(PoziceC, 0, 2);
  positions->addWidget(previewArea(page, DrawGridC), 0, 3);

  ButtonAnoK = button(page, text::Yes, "ButtonAnoK");
  ButtonNeK = button(page, text::No, "ButtonNeK");
  ButtonVsechnyK = button(page, text::All, "ButtonVsechnyK");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ButtonAnoK, ButtonNeK, ButtonVsechnyK}) buttons->addWidget(b);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(sourceBox);
  layout->addWidget(modes);
  layout->addLayout(positions);
  layout->addLayout(buttons);

  connect(RadioPracovni, &QRadioButton::clicked, this, &TFormFM::RadioPracovniClick);
  connect(RadioSoubor, &QRadioButton::clicked, this, &TFormFM::RadioSouborClick);
  for (QRadioButton* r : {RadioVsechnyK, RadioCelyK, RadioJedenK})
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) copyModeChosen();
    });
  connect(PoziceZ, &GlyphPosition::changed, this, &TFormFM::refreshPreviews);
  connect(PoziceC, &GlyphPosition::changed, this, &TFormFM::refreshPreviews);
  connect(ButtonAnoK, &QPushButton::clicked, this, &TFormFM::ButtonAnoKClick);
  connect(ButtonNeK, &QPushButton::clicked, this, &TFormFM::ButtonNeKClick);
  connect(ButtonVsechnyK, &QPushButton::clicked, this, &TFormFM::ButtonVsechnyKClick);
  return page;
}

QWidget* TFormFM::createDeletePage() {
  auto* page = new QWidget(this);
  RadioVsechnyM = radio(page, text::ModeAllFonts, "RadioVsechnyM");
  RadioCelyM = radio(page, text::ModeWholeFont, "RadioCelyM");
  RadioJedenM = radio(page, text::ModeOneGlyph, "RadioJedenM");
  QGroupBox* modes = modeBox(page, RadioVsechnyM, RadioCelyM, RadioJedenM);
  PoziceM = new GlyphPosition(qs(text::DeleteGroup), "M", page);
  DrawGridM = new GlyphPreview(page);
  DrawGridM->setObjectName("DrawGridM");
  DrawGridM->setAccessibleName(qs(text::DeleteGroup));
  auto* position = new QHBoxLayout;
  position->addWidget(PoziceM);
  position->addWidget(previewArea(page, DrawGridM));
  position->addStretch();

  ButtonAnoM = button(page, text::Yes, "ButtonAnoM");
  ButtonNeM = button(page, text::No, "ButtonNeM");
  ButtonVsechnyM = button(page, text::All, "ButtonVsechnyM");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ButtonAnoM, ButtonNeM, ButtonVsechnyM}) buttons->addWidget(b);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(modes);
  layout->addLayout(position);
  layout->addStretch();
  layout->addLayout(buttons);

  for (QRadioButton* r : {RadioVsechnyM, RadioCelyM, RadioJedenM})
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) deleteModeChosen();
    });
  connect(PoziceM, &GlyphPosition::changed, this, &TFormFM::refreshPreviews);
  connect(ButtonAnoM, &QPushButton::clicked, this, &TFormFM::ButtonAnoMClick);
  connect(ButtonNeM, &QPushButton::clicked, this, &TFormFM::ButtonNeMClick);
  connect(ButtonVsechnyM, &QPushButton::clicked, this, &TFormFM::ButtonVsechnyMClick);
  return page;
}

void TFormFM::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QWidget* main = parentWidget()) centreOver(*this, *main);
  RadioPracovni->setChecked(true);
  RadioPracovniClick();
  PageControl1->setCurrentIndex(0);
}

// --- State ------------------------------------------------------------------

FontManagerMode TFormFM::copyMode() const { return modeOf(RadioVsechnyK, RadioCelyK); }
FontManagerMode TFormFM::deleteMode() const { return modeOf(RadioVsechnyM, RadioCelyM); }

CopyPositions TFormFM::copyPositions() const {
  return {PoziceZ->font(), PoziceZ->code(), PoziceC->font(), PoziceC->code()};
}

DeletePosition TFormFM::deletePosition() const { return {PoziceM->font(), PoziceM->code()}; }

void TFormFM::setCopyPositions(const CopyPositions& at) {
  PoziceZ->setPosition(at.sourceFont, at.sourceCode);
  PoziceC->setPosition(at.destinationFont, at.destinationCode);
  refreshPreviews();
}

void TFormFM::setDeletePosition(const DeletePosition& at) {
  PoziceM->setPosition(at.font, at.code);
  refreshPreviews();
}

const FontTable& TFormFM::source() const { return sourceIsFile_ ? fileFonts_ : session_.database().fonts; }

void TFormFM::refreshPreviews() {
  const FontTable& working = session_.database().fonts;
  DrawGridZ->setGlyph(source().glyph(PoziceZ->font(), PoziceZ->code()));
  DrawGridC->setGlyph(working.glyph(PoziceC->font(), PoziceC->code()));
  DrawGridM->setGlyph(working.glyph(PoziceM->font(), PoziceM->code()));
}

// --- Source and modes -------------------------------------------------------

void TFormFM::RadioPracovniClick() {
  sourceIsFile_ = false;
  fileFonts_.clear();
  LabelSoubor->clear();
  // All fonts come only from a file.
  if (RadioVsechnyK->isChecked()) RadioCelyK->setChecked(true);
  RadioVsechnyK->setEnabled(false);
  refreshPreviews();
}

void TFormFM::RadioSouborClick() {
  WorkingState& state = session_.state();
  const std::optional<QString> chosen = chosenPath(session_.prompter().chooseFile(readFontsRequest("OpenDialogFM", state.lastDir)));
  if (!chosen) {
    (sourceIsFile_ ? RadioSoubor : RadioPracovni)->setChecked(true);
    return;
  }
  state.lastDir = QFileInfo(*chosen).absolutePath().toStdString();
  LabelSoubor->setText(QFileInfo(*chosen).fileName());
  LabelSoubor->setToolTip(*chosen);
  sourceIsFile_ = true;
  fileFonts_.clear();
  RadioVsechnyK->setEnabled(true);
  try {
    readSourceFonts(chosen->toStdString(), fileFonts_);
  } catch (const DorvakError& e) {
    session_.prompter().notice(e.what());
  }
  refreshPreviews();
}

void TFormFM::copyModeChosen() {
  const FontManagerMode mode = copyMode();
  if (mode == FontManagerMode::AllFonts) setCopyPositions({0, 32, 0, 32});
  for (GlyphPosition* p : {PoziceZ, PoziceC}) {
    p->setFontEnabled(mode != FontManagerMode::AllFonts);
    p->setCodeEnabled(mode == FontManagerMode::OneGlyph);
  }
  ButtonNeK->setEnabled(mode != FontManagerMode::OneGlyph);
  ButtonVsechnyK->setEnabled(mode != FontManagerMode::OneGlyph);
}

void TFormFM::deleteModeChosen() {
  const FontManagerMode mode = deleteMode();
  PoziceM->setFontEnabled(mode != FontManagerMode::AllFonts);
  PoziceM->setCodeEnabled(mode == FontManagerMode::OneGlyph);
  ButtonNeM->setEnabled(mode != FontManagerMode::OneGlyph);
  ButtonVsechnyM->setEnabled(mode != FontManagerMode::OneGlyph);
}

// --- Copying and deleting ---------------------------------------------------

void TFormFM::push(const QString& label, GlyphScope scope, FontsCommand::Operation operation) {
  Document& document = session_.document();
  document.push(new FontsCommand(document, label, scope, std::move(operation)));
}

void TFormFM::ButtonAnoKClick() {
  CopyPositions at = copyPositions();
  const FontManagerMode mode = copyMode();
  push(qs(text::UndoCopyGlyph).arg(at.sourceCode).arg(at.sourceFont).arg(at.destinationCode).arg(at.destinationFont),
       GlyphScope::glyph(at.destinationFont, at.destinationCode),
       [&](PanelDatabase& db) { copyAndStep(source(), db.fonts, at, mode); });
  setCopyPositions(at);
}

void TFormFM::ButtonNeKClick() {
  CopyPositions at = copyPositions();
  stepCopy(at, copyMode());
  setCopyPositions(at);
}

void TFormFM::ButtonVsechnyKClick() {
  const CopyPositions at = copyPositions();
  const FontManagerMode mode = copyMode();
  if (mode == FontManagerMode::OneGlyph) return;
  const bool all = mode == FontManagerMode::AllFonts;
  const GlyphScope scope{all ? std::min(at.destinationFont, at.sourceFont + 1) : at.destinationFont,
                         all ? kFontCount - 1 : at.destinationFont, all ? std::min(at.destinationCode, 32) : at.destinationCode,
                         kCodeCount - 1};
  const QString label = all ? qs(text::UndoCopyAllFonts).arg(at.sourceFont).arg(at.sourceCode)
                            : qs(text::UndoCopyFontRest).arg(at.sourceCode).arg(at.sourceFont).arg(at.destinationCode).arg(at.destinationFont);
  const bool fromFile = sourceIsFile_;
  push(label, scope, [this, fromFile, at, mode](PanelDatabase& db) {
    // Copying within the working fonts reads them as they were before.
    const FontTable before = fromFile ? FontTable() : db.fonts;
    copyRest(fromFile ? fileFonts_ : before, db.fonts, at, mode);
  });
  refreshPreviews();
}

void TFormFM::ButtonAnoMClick() {
  DeletePosition at = deletePosition();
  const FontManagerMode mode = deleteMode();
  push(qs(text::UndoDeleteGlyph).arg(at.code).arg(at.font), GlyphScope::glyph(at.font, at.code),
       [&](PanelDatabase& db) { deleteAndStep(db.fonts, at, mode); });
  setDeletePosition(at);
}

void TFormFM::ButtonNeMClick() {
  DeletePosition at = deletePosition();
  stepDelete(at, deleteMode());
  setDeletePosition(at);
}

void TFormFM::ButtonVsechnyMClick() {
  const DeletePosition at = deletePosition();
  const FontManagerMode mode = deleteMode();
  if (mode == FontManagerMode::OneGlyph) return;
  const bool all = mode == FontManagerMode::AllFonts;
  const GlyphScope scope{at.font, all ? kFontCount - 1 : at.font, all ? std::min(at.code, 32) : at.code, kCodeCount - 1};
  const QString label = all ? qs(text::UndoDeleteAllFontsFrom).arg(at.font).arg(at.code)
                            : qs(text::UndoDeleteFontRest).arg(at.code).arg(at.font);
  push(label, scope, [at, mode](PanelDatabase& db) { deleteRest(db.fonts, at, mode); });
  refreshPreviews();
}

}  // namespace dorvak
