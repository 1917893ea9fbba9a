#include "app/font_import_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/accessible.h"
#include "app/busy.h"
#include "app/font_commands.h"
#include "app/glyph_views.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "config/cp1250.h"
#include "config/translations.h"
#include "core/error.h"
#include "fonts/font_face.h"
#include "render/glyph_rows.h"
#include "render/panel_paint.h"

namespace dorvak {

namespace {

QSpinBox* spin(QWidget* parent, const char* name, std::string_view caption, int minimum, int maximum, int value) {
  auto* box = new QSpinBox(parent);
  box->setRange(minimum, maximum);
  box->setValue(value);
  nameControl(box, name, qs(caption).remove(':'));
  return box;
}

// The panel codes of a sample typed in Unicode: each character's
// Windows-1250 key, then the code the key table gives it.
std::string sampleCodes(const QString& sample, const KeyTable& keys) {
  std::string text;
  for (const char32_t c : sample.toUcs4())
    if (std::optional<std::uint8_t> key = unicodeToCp1250(c)) text += static_cast<char>(*key);
  KeysToPanelCodes(text, keys);
  return text;
}

}  // namespace

FontImportDialog::FontImportDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName("FontImportDialog");
  setWindowTitle(qs(text::ImportTitle));

  EditFile = new QLineEdit(this);
  nameControl(EditFile, "EditFile", qs(text::ImportFile).remove(':'));
  EditFile->setMinimumWidth(360);
  ButtonBrowse = new QPushButton(qs(text::ImportBrowse), this);
  nameControl(ButtonBrowse, "ButtonBrowse", qs(text::ImportBrowse));
  ButtonBrowse->setAutoDefault(false);
  SpinFont = spin(this, "SpinFont", text::ImportFont, 0, kFontCount - 1, 0);
  SpinHeight = spin(this, "SpinHeight", text::ImportHeight, 1, kMaxGlyphDots, 12);
  SpinFirst = spin(this, "SpinFirst", text::ImportCodes, 32, kCodeCount - 1, 32);
  SpinLast = spin(this, "SpinLast", text::ImportCodesTo, 32, kCodeCount - 1, kCodeCount - 1);
  CheckFullHeight = new QCheckBox(qs(text::ImportFullHeight), this);
  nameControl(CheckFullHeight, "CheckFullHeight", qs(text::ImportFullHeight));
  EditSample = new QLineEdit(qs(text::ImportSampleText), this);
  nameControl(EditSample, "EditSample", qs(text::ImportSample).remove(':'));
  LabelInfo = new QLabel(this);
  LabelInfo->setObjectName("LabelInfo");
  LabelInfo->setWordWrap(true);
  LabelInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);

  PreviewSample = new PanelDotsView(this);
  PreviewSample->setObjectName("PreviewSample");
  PreviewSample->setAccessibleName(qs(text::ImportPreview).remove(':'));
  PreviewAll = new PanelDotsView(this);
  PreviewAll->setObjectName("PreviewAll");
  PreviewAll->setAccessibleName(qs(text::ImportAllGlyphs).remove(':'));
  auto* previews = new QWidget(this);
  auto* previewLayout = new QVBoxLayout(previews);
  previewLayout->addWidget(PreviewSample);
  previewLayout->addSpacing(8);
  previewLayout->addWidget(new QLabel(qs(text::ImportAllGlyphs), previews));
  previewLayout->addWidget(PreviewAll);
  previewLayout->addStretch();
  auto* previewArea = new QScrollArea(this);
  previewArea->setObjectName("PreviewArea");
  previewArea->setWidget(previews);
  previewArea->setWidgetResizable(true);
  previewArea->setMinimumSize(560, 300);

  ListMissing = new QListWidget(this);
  nameControl(ListMissing, "ListMissing", qs(text::ImportMissing).remove(':'));
  ListMissing->setMaximumHeight(90);

  // No default button: Enter in a field applies the field, it never imports.
  ButtonImport = new QPushButton(qs(text::ImportButton), this);
  nameControl(ButtonImport, "ButtonImport", qs(text::ImportButton));
  ButtonCancel = new QPushButton(qs(text::ImportCancel), this);
  nameControl(ButtonCancel, "ButtonCancel", qs(text::ImportCancel));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ButtonImport, ButtonCancel}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }

  auto* grid = new QGridLayout;
  auto label = [this](std::string_view caption, QWidget* buddy) {
    auto* l = new QLabel(qs(caption), this);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label(text::ImportFile, EditFile), 0, 0);
  grid->addWidget(EditFile, 0, 1, 1, 6);
  grid->addWidget(ButtonBrowse, 0, 7);
  grid->addWidget(label(text::ImportFont, SpinFont), 1, 0);
  grid->addWidget(SpinFont, 1, 1);
  grid->addWidget(label(text::ImportHeight, SpinHeight), 1, 2, Qt::AlignRight);
  grid->addWidget(SpinHeight, 1, 3);
  grid->addWidget(label(text::ImportCodes, SpinFirst), 1, 4, Qt::AlignRight);
  auto* codes = new QHBoxLayout;
  codes->addWidget(SpinFirst);
  codes->addWidget(label(text::ImportCodesTo, SpinLast));
  codes->addWidget(SpinLast);
  grid->addLayout(codes, 1, 5);
  grid->addWidget(CheckFullHeight, 2, 1, 1, 5);
  grid->addWidget(label(text::ImportSample, EditSample), 3, 0);
  grid->addWidget(EditSample, 3, 1, 1, 7);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(LabelInfo);
  layout->addWidget(new QLabel(qs(text::ImportPreview), this));
  layout->addWidget(previewArea, 1);
  layout->addWidget(label(text::ImportMissing, ListMissing));
  layout->addWidget(ListMissing);
  layout->addLayout(buttons);

  resize(680, 760);

  connect(ButtonBrowse, &QPushButton::clicked, this, &FontImportDialog::ButtonBrowseClick);
  connect(EditFile, &QLineEdit::editingFinished, this, [this] {
    if (EditFile->text() != path_) setFile(EditFile->text());
  });
  for (QSpinBox* box : {SpinHeight, SpinFirst, SpinLast})
    connect(box, &QSpinBox::valueChanged, this, [this] {
      if (!busy_) importAgain();
    });
  connect(CheckFullHeight, &QCheckBox::toggled, this, &FontImportDialog::importAgain);
  connect(SpinFont, &QSpinBox::valueChanged, this, &FontImportDialog::showPreview);
  connect(EditSample, &QLineEdit::textChanged, this, &FontImportDialog::showPreview);
  connect(ButtonImport, &QPushButton::clicked, this, &FontImportDialog::ButtonImportClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  importAgain();
}

// A field that has the focus reports editingFinished while it is destroyed.
FontImportDialog::~FontImportDialog() {
  for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->disconnect(this);
}

void FontImportDialog::prepare(int font) {
  {
    Busy busy(busy_);
    SpinFont->setValue(font);
    // A font that has glyphs is refilled in its own rows.
    int rows = 0;
    for (int code = 32; code < kCodeCount; ++code) rows = std::max(rows, int{session_.database().fonts.glyph(font, code).height});
    if (rows > 0) SpinHeight->setValue(std::min(rows, kMaxGlyphDots));
  }
  importAgain();  // the keys may have changed since it was last open
}

void FontImportDialog::ButtonBrowseClick() {
  WorkingState& state = session_.state();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Open;
  request.objectName = "OpenDialogFont";
  request.title = qs(text::ImportTitle);
  request.filters = {qs(text::StandardFontFilter), qs(text::AllFilesFilter)};
  request.directory = path_.isEmpty() ? QString::fromStdString(state.lastDir) : QFileInfo(path_).absolutePath();
  const std::optional<QString> chosen = chosenPath(session_.prompter().chooseFile(request));
  if (!chosen) return;
  state.lastDir = QFileInfo(*chosen).absolutePath().toStdString();
  setFile(*chosen);
}

void FontImportDialog::setFile(const QString& path) {
  path_ = path;
  {
    Busy busy(busy_);
    EditFile->setText(path);
  }
  face_.reset();
  try {
    face_ = std::make_unique<FontFace>(path.toStdString());
  } catch (const DorvakError& e) {
    result_.reset();
    showProblem(qs(e.what()));
    return;
  }
  // A bitmap font offers its strikes only: the nearest one is chosen.
  if (!face_->isOutline()) {
    std::vector<int> strikes = face_->strikeHeights();
    std::erase_if(strikes, [](int h) { return h < 1 || h > kMaxGlyphDots; });
    if (!strikes.empty() && std::find(strikes.begin(), strikes.end(), SpinHeight->value()) == strikes.end()) {
      const int wanted = SpinHeight->value();
      const int nearest = *std::min_element(strikes.begin(), strikes.end(),
                                            [wanted](int a, int b) { return std::abs(a - wanted) < std::abs(b - wanted); });
      Busy busy(busy_);
      SpinHeight->setValue(nearest);
    }
  }
  importAgain();
}

void FontImportDialog::showProblem(const QString& problem) {
  LabelInfo->setText(problem);
  LabelInfo->setStyleSheet("color: rgb(176, 0, 0);");
  ListMissing->clear();
  ButtonImport->setEnabled(false);
  showPreview();
}

void FontImportDialog::importAgain() {
  result_.reset();
  if (!face_) {
    if (path_.isEmpty()) showProblem(qs(text::ImportChooseFile));
    return;  // the problem of opening it is shown
  }
  FontImportOptions options;
  options.height = SpinHeight->value();
  options.fullHeight = CheckFullHeight->isChecked();
  options.firstCode = static_cast<std::uint8_t>(SpinFirst->value());
  options.lastCode = static_cast<std::uint8_t>(SpinLast->value());
  const KeyTable& keys = session_.database().keyTable;
  if (keyedCharacters(keys, options.firstCode, options.lastCode).empty()) {
    showProblem(qs(text::ImportNoKeys));
    return;
  }
  try {
    result_ = importGlyphs(*face_, keys, options);
  } catch (const DorvakError& e) {
    showProblem(qs(e.what()));
    return;
  }
  const QString count = QString::number(result_->glyphs.size());
  LabelInfo->setText(result_->pixelsPerEm > 0
                         ? qs(text::ImportOutline).arg(count).arg(result_->pixelsPerEm).arg(options.height)
                         : qs(text::ImportStrike).arg(count).arg(options.height));
  LabelInfo->setStyleSheet(QString());
  ListMissing->clear();
  for (const PanelCharacter& m : result_->missing) ListMissing->addItem(qs(describePanelCharacter(m)));
  if (result_->missing.empty()) ListMissing->addItem(qs(text::ImportNothingMissing));
  ButtonImport->setEnabled(!result_->glyphs.empty());
  showPreview();
}

void FontImportDialog::showPreview() {
  const PanelDatabase& db = session_.database();
  const int font = SpinFont->value();
  // The font as it will be: its glyphs with the imported ones in their place.
  std::array<GlyphRecord, kCodeCount> glyphs;
  for (int code = 0; code < kCodeCount; ++code) glyphs[static_cast<std::size_t>(code)] = db.fonts.glyph(font, code);
  std::string imported;
  if (result_)
    for (const ImportedGlyph& g : result_->glyphs) {
      glyphs[g.code] = g.glyph;
      imported += static_cast<char>(g.code);
    }
  auto glyphOf = [&glyphs](std::uint8_t code) -> const GlyphRecord& { return glyphs[code]; };
  const PanelSize size = paintedSize(db.config);
  const int width = size.length > 0 ? size.length : kPictureColumns;
  const int dot = dotSize(width);
  const int spacing = db.config.destinationStyle.space;
  const DotRows sample = composeGlyphRows(glyphOf, sampleCodes(EditSample->text(), db.keyTable), spacing, width);
  PreviewSample->setDots(sample.columns, sample.rows, sample.dots, dot);
  const DotRows all = composeGlyphRows(glyphOf, imported, spacing, width);
  PreviewAll->setDots(all.columns, all.rows, all.dots, dot);
}

void FontImportDialog::ButtonImportClick() {
  if (!result_ || result_->glyphs.empty()) return;
  const int font = SpinFont->value();
  const GlyphScope scope{font, font, SpinFirst->value(), SpinLast->value()};
  Document& document = session_.document();
  document.push(new FontsCommand(document, qs(text::UndoImportFont).arg(QFileInfo(path_).fileName()).arg(font), scope,
                                 [imported = *result_, font](PanelDatabase& db) { storeImportedGlyphs(db, font, imported); }));
  accept();
}

}  // namespace dorvak
