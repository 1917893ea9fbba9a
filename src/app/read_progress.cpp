#include "app/read_progress.h"

#include <QApplication>

namespace dorvak {

void ReadProgress::start(const QString& caption) {
  if (!running_) QApplication::setOverrideCursor(Qt::WaitCursor);
  running_ = true;
  emit started(caption);
}

void ReadProgress::step(int value) {
  emit stepped(value);
  // Paint the progress; the user's input waits until the read is over.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ReadProgress::finish() {
  if (!running_) return;
  running_ = false;
  QApplication::restoreOverrideCursor();
  emit finished();
}

}  // namespace dorvak
