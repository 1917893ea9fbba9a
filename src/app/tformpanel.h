#pragma once
// The panel simulator of the desktop program (TFormPANEL, never shown): a
// 100 ms timer drives the simulator's ticks and the cells that changed are
// painted on the main window's panel picture. The timer runs only while the
// application is active; on return the fields continue where they stopped.

#include <QObject>
#include <QTimer>

#include "render/panel_simulator.h"

namespace dorvak {

class PanelPicture;

class TFormPANEL : public QObject {
  Q_OBJECT
 public:
  static constexpr int kTickMilliseconds = 100;

  TFormPANEL(PanelRenderer& renderer, PanelPicture& picture, QObject* parent = nullptr);

  PanelSimulator& simulator() { return simulator_; }
  const QTimer& timer() const { return timer_; }

  // The timer and the simulator together.
  void start();
  void stop();
  // One tick now, as the timer makes it.
  void tick();
  // The picture takes the panel's size and is painted whole.
  void layoutPicture();
  // Ticks that ran (while started).
  long long tickCount() const { return ticks_; }

 private:
  void applicationStateChanged(Qt::ApplicationState state);

  PanelRenderer& renderer_;
  PanelPicture& picture_;
  PanelSimulator simulator_;
  QTimer timer_;
  long long ticks_ = 0;
};

}  // namespace dorvak
