#pragma once
// Import from a standard font file (BDF, PCF, OTB, TTF, OTF) into one panel
// font: the file, the font, its rows and the codes are chosen while the
// preview shows the glyphs as the panel will draw them, in a sample text and
// all together, and the characters the font lacks are listed. Import is one
// undoable command.

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "core/glyph.h"
#include "fonts/font_import.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace dorvak {

class FontFace;
class PanelDotsView;
class Session;

class FontImportDialog : public QDialog {
  Q_OBJECT
 public:
  FontImportDialog(Session& session, QWidget* parent);
  ~FontImportDialog() override;

  // Before it opens: the font the editor shows is the one to fill.
  void prepare(int font);
  // Opens the font file (the Browse button's choice, or typed).
  void setFile(const QString& path);
  // The glyphs Import would store; nothing while the file cannot be
  // imported as chosen.
  const std::optional<FontImport>& result() const { return result_; }
  // What the preview shows, as the panel would: the sample text and all
  // imported glyphs.
  const PanelDotsView& samplePreview() const { return *PreviewSample; }
  const PanelDotsView& glyphsPreview() const { return *PreviewAll; }

  void ButtonBrowseClick();
  void ButtonImportClick();

  QLineEdit* EditFile = nullptr;
  QPushButton* ButtonBrowse = nullptr;
  QSpinBox* SpinFont = nullptr;
  QSpinBox* SpinHeight = nullptr;
  QSpinBox* SpinFirst = nullptr;
  QSpinBox* SpinLast = nullptr;
  QCheckBox* CheckFullHeight = nullptr;
  QLineEdit* EditSample = nullptr;
  PanelDotsView* PreviewSample = nullptr;
  PanelDotsView* PreviewAll = nullptr;
  QLabel* LabelInfo = nullptr;
  QListWidget* ListMissing = nullptr;
  QPushButton* ButtonImport = nullptr;
  QPushButton* ButtonCancel = nullptr;

 private:
  // Draws the glyphs anew (file, rows, codes or full height changed).
  void importAgain();
  // Paints the preview anew (also when only the font or the sample changed).
  void showPreview();
  void showProblem(const QString& problem);

  Session& session_;
  QString path_;
  std::unique_ptr<FontFace> face_;
  std::optional<FontImport> result_;
  int busy_ = 0;
};

}  // namespace dorvak
