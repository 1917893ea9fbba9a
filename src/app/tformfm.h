#pragma once
// The font manager (TFormFM): copies glyphs into the working fonts, from the
// working fonts themselves or from the fonts of a file, one at a time with a
// yes or no for each, a whole font from a code on, or all fonts; and deletes
// glyphs of the working fonts the same ways. Every copy and delete is an
// undoable command; the key table is never touched.

#include <QDialog>

#include "app/font_commands.h"
#include "fonts/font_manager.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace dorvak {

class GlyphPosition;
class GlyphPreview;
class Session;

class TFormFM : public QDialog {
  Q_OBJECT
 public:
  TFormFM(Session& session, QWidget* parent);

  bool sourceIsFile() const { return sourceIsFile_; }
  const FontTable& fileFonts() const { return fileFonts_; }
  FontManagerMode copyMode() const;
  FontManagerMode deleteMode() const;
  CopyPositions copyPositions() const;
  DeletePosition deletePosition() const;

  // Handlers, named after control and event.
  void RadioPracovniClick();
  void RadioSouborClick();
  void ButtonAnoKClick();
  void ButtonNeKClick();
  void ButtonVsechnyKClick();
  void ButtonAnoMClick();
  void ButtonNeMClick();
  void ButtonVsechnyMClick();

  QTabWidget* PageControl1 = nullptr;
  // Copying.
  QRadioButton* RadioPracovni = nullptr;
  QRadioButton* RadioSoubor = nullptr;
  QLabel* LabelSoubor = nullptr;
  QRadioButton* RadioVsechnyK = nullptr;
  QRadioButton* RadioCelyK = nullptr;
  QRadioButton* RadioJedenK = nullptr;
  GlyphPosition* PoziceZ = nullptr;  // source
  GlyphPosition* PoziceC = nullptr;  // destination
  GlyphPreview* DrawGridZ = nullptr;
  GlyphPreview* DrawGridC = nullptr;
  QPushButton* ButtonAnoK = nullptr;
  QPushButton* ButtonNeK = nullptr;
  QPushButton* ButtonVsechnyK = nullptr;
  // Deleting.
  QRadioButton* RadioVsechnyM = nullptr;
  QRadioButton* RadioCelyM = nullptr;
  QRadioButton* RadioJedenM = nullptr;
  GlyphPosition* PoziceM = nullptr;
  GlyphPreview* DrawGridM = nullptr;
  QPushButton* ButtonAnoM = nullptr;
  QPushButton* ButtonNeM = nullptr;
  QPushButton* ButtonVsechnyM = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* createCopyPage();
  QWidget* createDeletePage();
  void copyModeChosen();
  void deleteModeChosen();
  void setCopyPositions(const CopyPositions& at);
  void setDeletePosition(const DeletePosition& at);
  // The glyphs copied from: the file's, or the working fonts as they are now.
  const FontTable& source() const;
  void refreshPreviews();
  void push(const QString& label, GlyphScope scope, FontsCommand::Operation operation);

  Session& session_;
  bool sourceIsFile_ = false;
  FontTable fileFonts_;
};

}  // namespace dorvak
