#pragma once
// A glyph's place in the fonts as the font manager chooses it: a font edit
// with its up-down (0..15), the code in decimal and in hexadecimal with the
// code's up-down (32..255, passing over the control codes 176..239). Enter
// or leaving an edit applies it; typed values above the range become its
// maximum.

#include <QGroupBox>

class QLineEdit;

namespace dorvak {

class UpDown;

class GlyphPosition : public QGroupBox {
  Q_OBJECT
 public:
  // suffix names the controls: "Z" gives EditFZ, UpDownFZ, EditDZ, EditHZ
  // and UpDownKZ.
  GlyphPosition(const QString& title, const QString& suffix, QWidget* parent);
  ~GlyphPosition() override;

  int font() const { return font_; }
  int code() const { return code_; }
  // Shows the place; tells nobody.
  void setPosition(int font, int code);
  void setFontEnabled(bool enabled);
  void setCodeEnabled(bool enabled);
  // The decimal code applies on every change, not only on Enter or leaving.
  void setApplyWhileTyping(bool on) { applyWhileTyping_ = on; }

  QLineEdit* EditF = nullptr;
  UpDown* UpDownF = nullptr;
  QLineEdit* EditD = nullptr;
  QLineEdit* EditH = nullptr;
  UpDown* UpDownK = nullptr;

 signals:
  // The user chose another font or code.
  void changed();

 private:
  void applyFont();
  void applyDecimal();
  void applyHex();
  void apply(int font, int code);
  void showPosition();

  int font_ = 0;
  int code_ = 65;
  bool applyWhileTyping_ = false;
  int busy_ = 0;
};

}  // namespace dorvak
