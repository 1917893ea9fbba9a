#pragma once
// The progress of a long read, which the main window shows beside its
// progress bar: whoever reads a file starts it with the operation's name
// ("Database input"), steps it (0..64) and finishes it; the main window
// follows the signals. While it runs the wait cursor is shown and the
// windows are painted after each step, but the user's input waits.

#include <QObject>
#include <QString>
#include <functional>

namespace dorvak {

class ReadProgress : public QObject {
  Q_OBJECT
 public:
  static constexpr int kSteps = 64;

  void start(const QString& caption);
  void step(int value);
  void finish();
  bool running() const { return running_; }
  // The library's progress callback.
  std::function<void(int)> callback() {
    return [this](int value) { step(value); };
  }

 signals:
  void started(const QString& caption);
  void stepped(int value);
  void finished();

 private:
  bool running_ = false;
};

// Shows the progress for the lifetime of the scope, also when the read fails.
class ProgressScope {
 public:
  ProgressScope(ReadProgress& progress, const QString& caption) : progress_(progress) { progress_.start(caption); }
  ~ProgressScope() { progress_.finish(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

 private:
  ReadProgress& progress_;
};

}  // namespace dorvak
