#pragma once
// Windows open centred over the main window, but never beyond the screen's
// edges (a tall window over a small main window would lose its title bar).

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace dorvak {

inline void centreOver(QWidget& window, const QWidget& over) {
  QRect frame = window.frameGeometry();
  frame.moveCenter(over.frameGeometry().center());
  if (const QScreen* screen = over.screen()) {
    const QRect room = screen->availableGeometry();
    frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height())));
  }
  window.move(frame.topLeft());
}

// A dialog that is modal to the whole program without blocking its caller:
// shown centred over the window it belongs to, in front, with the focus.
inline void showApplicationModal(QWidget& window) {
  window.setWindowModality(Qt::ApplicationModal);
  window.adjustSize();
  if (const QWidget* over = window.parentWidget()) centreOver(window, *over);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace dorvak
