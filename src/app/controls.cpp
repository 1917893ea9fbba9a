#include "app/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/accessible.h"
#include "app/qt_text.h"

namespace dorvak {

QPushButton* namedButton(QWidget* parent, const char* name, std::string_view caption, const QString& accessibleName) {
  auto* button = new QPushButton(qs(caption), parent);
  nameControl(button, name, accessibleName.isEmpty() ? qs(caption) : accessibleName);
  button->setAutoDefault(false);
  return button;
}

QLabel* sunkenPanel(QWidget* parent, const char* name, const QString& accessibleName) {
  auto* panel = new QLabel(parent);
  nameControl(panel, name, accessibleName);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setMinimumHeight(QLineEdit().sizeHint().height());
  panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return panel;
}

QLabel* labelFor(QWidget* parent, std::string_view caption, QWidget* buddy) {
  auto* label = new QLabel(qs(caption), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace dorvak
