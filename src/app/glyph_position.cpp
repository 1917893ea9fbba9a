#include "app/glyph_position.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>

#include "app/accessible.h"
#include "app/busy.h"
#include "app/qt_text.h"
#include "app/strings.h"
#include "app/updown.h"
#include "core/glyph.h"
#include "fonts/edit_grid.h"

namespace dorvak {

namespace {

QLineEdit* edit(QWidget* parent, const QString& name, const QString& caption, const char* pattern, int length) {
  auto* e = new QLineEdit(parent);
  e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
  e->setMaxLength(length);
  e->setFixedWidth(length * 10 + 14);
  e->setAlignment(Qt::AlignRight);
  const QByteArray objectName = name.toLatin1();
  nameControl(e, objectName.constData(), caption);
  return e;
}

UpDown* upDown(QWidget* parent, const QString& name, int minimum, int maximum, const QString& title,
              std::string_view next, std::string_view previous) {
  auto* u = new UpDown(parent);
  u->setObjectName(name);
  u->setRange(minimum, maximum);
  u->upButton()->setAccessibleName(title + " " + qs(next));
  u->downButton()->setAccessibleName(title + " " + qs(previous));
  return u;
}

}  // namespace

GlyphPosition::GlyphPosition(const QString& title, const QString& suffix, QWidget* parent) : QGroupBox(title, parent) {
  setObjectName("GroupBox" + suffix);
  EditF = edit(this, "EditF" + suffix, title + " " + qs(text::FmFont).remove(':'), "[0-9]{0,2}", 2);
  UpDownF = upDown(this, "UpDownF" + suffix, 0, kFontCount - 1, title, text::NextFont, text::PreviousFont);
  EditD = edit(this, "EditD" + suffix, title + " " + qs(text::FmCode).remove(':'), "[0-9]{0,3}", 3);
  EditH = edit(this, "EditH" + suffix, title + " " + qs(text::FmHex).remove(':'), "[0-9A-Fa-f]{0,2}", 2);
  UpDownK = upDown(this, "UpDownK" + suffix, 32, kCodeCount - 1, title, text::NextCode, text::PreviousCode);

  auto* layout = new QGridLayout(this);
  auto label = [this](std::string_view caption, QWidget* buddy) {
    auto* l = new QLabel(qs(caption), this);
    l->setBuddy(buddy);
    return l;
  };
  layout->addWidget(label(text::FmFont, EditF), 0, 0);
  layout->addWidget(EditF, 0, 1);
  layout->addWidget(UpDownF, 0, 2);
  layout->addWidget(label(text::FmCode, EditD), 1, 0);
  layout->addWidget(EditD, 1, 1);
  layout->addWidget(UpDownK, 1, 2, 2, 1, Qt::AlignVCenter);
  layout->addWidget(label(text::FmHex, EditH), 2, 0);
  layout->addWidget(EditH, 2, 1);
  layout->setColumnStretch(3, 1);

  connect(EditF, &QLineEdit::editingFinished, this, &GlyphPosition::applyFont);
  connect(EditD, &QLineEdit::editingFinished, this, &GlyphPosition::applyDecimal);
  connect(EditD, &QLineEdit::textEdited, this, [this] {
    if (applyWhileTyping_ && !EditD->text().isEmpty()) applyDecimal();
  });
  connect(EditH, &QLineEdit::textEdited, this, [this] {
    const QString upper = EditH->text().toUpper();
    if (upper == EditH->text()) return;
    const int cursor = EditH->cursorPosition();
    EditH->setText(upper);
    EditH->setCursorPosition(cursor);
  });
  connect(EditH, &QLineEdit::editingFinished, this, &GlyphPosition::applyHex);
  connect(UpDownF, &UpDown::clicked, this, [this](bool up) { apply(std::clamp(font_ + (up ? 1 : -1), 0, kFontCount - 1), code_); });
  connect(UpDownK, &UpDown::clicked, this, [this](bool up) { apply(font_, stepGlyphCode(code_, up ? +1 : -1)); });
  showPosition();
}

// A field that has the focus reports editingFinished while it is destroyed.
GlyphPosition::~GlyphPosition() {
  for (QLineEdit* edit : {EditF, EditD, EditH}) edit->disconnect(this);
}

void GlyphPosition::setPosition(int font, int code) {
  font_ = std::clamp(font, 0, kFontCount - 1);
  code_ = std::clamp(code, 0, kCodeCount - 1);
  showPosition();
}

void GlyphPosition::setFontEnabled(bool enabled) {
  EditF->setEnabled(enabled);
  UpDownF->setEnabled(enabled);
}

void GlyphPosition::setCodeEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{EditD, EditH, UpDownK}) w->setEnabled(enabled);
}

void GlyphPosition::showPosition() {
  Busy busy(busy_);
  EditF->setText(QString::number(font_));
  UpDownF->setPosition(font_);
  EditD->setText(QString::number(code_));
  EditH->setText(QString("%1").arg(code_, 2, 16, QChar('0')).toUpper());
  UpDownK->setPosition(code_);
}

void GlyphPosition::apply(int font, int code) {
  const bool moved = font != font_ || code != code_;
  setPosition(font, code);
  if (moved) emit changed();
}

void GlyphPosition::applyFont() {
  if (busy_) return;
  if (EditF->text().isEmpty()) return showPosition();
  apply(std::min(EditF->text().toInt(), kFontCount - 1), code_);
}

void GlyphPosition::applyDecimal() {
  if (busy_) return;
  if (EditD->text().isEmpty()) return showPosition();
  apply(font_, std::min(EditD->text().toInt(), kCodeCount - 1));
}

void GlyphPosition::applyHex() {
  if (busy_) return;
  if (EditH->text().isEmpty()) return showPosition();
  apply(font_, EditH->text().toInt(nullptr, 16));
}

}  // namespace dorvak
