#include "app/updown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace dorvak {

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  up_->setObjectName("UpButton");
  down_->setObjectName("DownButton");
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    button->setFocusPolicy(Qt::NoFocus);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, [this] { emit clicked(true); });
  connect(down_, &QToolButton::clicked, this, [this] { emit clicked(false); });
}

void UpDown::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  setPosition(position_);
}

void UpDown::setPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

}  // namespace dorvak
