#include "app/tformpanel.h"

#include <QGuiApplication>

#include "app/panel_picture.h"

namespace dorvak {

TFormPANEL::TFormPANEL(PanelRenderer& renderer, PanelPicture& picture, QObject* parent)
    : QObject(parent), renderer_(renderer), picture_(picture), simulator_(renderer) {
  setObjectName("TFormPANEL");
  timer_.setInterval(kTickMilliseconds);
  timer_.setTimerType(Qt::CoarseTimer);
  connect(&timer_, &QTimer::timeout, this, &TFormPANEL::tick);
  connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TFormPANEL::applicationStateChanged);
  start();
}

void TFormPANEL::start() {
  simulator_.start();
  if (!timer_.isActive()) timer_.start();
}

void TFormPANEL::stop() {
  timer_.stop();
  simulator_.stop();
}

void TFormPANEL::tick() {
  if (!simulator_.running()) return;
  ++ticks_;
  TickResult result = simulator_.tick();
  if (result.repaint) picture_.paintRegion(renderer_.pictures().shown(), result.region);
}

void TFormPANEL::layoutPicture() {
  picture_.layout(renderer_.pictures().shown(), paintedSize(renderer_.database().config));
  simulator_.requestRepaint();
}

void TFormPANEL::applicationStateChanged(Qt::ApplicationState state) {
  if (state == Qt::ApplicationActive)
    start();
  else
    stop();
}

}  // namespace dorvak
