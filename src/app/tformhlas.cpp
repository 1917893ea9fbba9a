#include "app/tformhlas.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/strings.h"

namespace dorvak {

TFormHlas::TFormHlas(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormHlas");
  setWindowTitle(QString());
  setModal(true);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");

  const std::array<std::string_view, 5> captions = {text::Overwrite, text::Skip, text::Storno, text::OverwriteAll,
                                                    text::SkipAll};
  auto* buttons = new QGridLayout;
  for (int i = 0; i < 5; ++i) {
    auto* button = new QPushButton(qs(captions[static_cast<std::size_t>(i)]), this);
    button->setObjectName(QString("Button%1").arg(i + 1));
    button->setAutoDefault(false);
    // First row: tags 1..3; second row: tags 4 and 5.
    buttons->addWidget(button, i / 3, i % 3);
    const int tag = i + 1;
    connect(button, &QPushButton::clicked, this, [this, tag] { ButtonClick(tag); });
    Buttons[static_cast<std::size_t>(i)] = button;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

PromptAnswer TFormHlas::ask(std::string_view text) {
  auto [first, second] = promptLines(text);
  Label1->setText(qs(first));
  Label2->setText(qs(second));
  answer_ = PromptAnswer::Storno;
  if (parentWidget()) {
    // Centred over the main window.
    adjustSize();
    move(parentWidget()->geometry().center() - rect().center());
  }
  exec();
  return answer_;
}

void TFormHlas::ButtonClick(int tag) {
  answer_ = static_cast<PromptAnswer>(tag);
  accept();
}

}  // namespace dorvak
