#pragma once
// The program options while the program runs: the options window sets them
// whole, and the windows that depend on them (the editors' ekvivalent
// controls) follow the change signal.

#include <QObject>

#include "config/program_options.h"

namespace dorvak {

class OptionsModel : public QObject {
  Q_OBJECT
 public:
  const ProgramOptions& options() const { return options_; }
  // Replaces the options and tells the windows.
  void set(ProgramOptions options) {
    options_ = std::move(options);
    emit changed();
  }

 signals:
  void changed();

 private:
  ProgramOptions options_;
};

}  // namespace dorvak
