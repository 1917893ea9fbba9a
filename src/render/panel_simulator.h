#pragma once
// The panel simulator: plays the chosen texts on the panel picture as a
// running panel shows them. Each field advances page by page at its own
// delay, counted in ticks of 100 ms. The simulator knows no timer and no
// widget: the desktop program calls tick() every 100 ms while it is active
// and paints the cells a tick reports.

#include "render/panel_renderer.h"
#include "render/picture.h"

namespace dorvak {

struct TickResult {
  bool repaint = false;  // the picture must be painted
  PictureRegion region;  // the cells to paint (picture coordinates)
};

class PanelSimulator {
 public:
  // Both pictures cleared, every countdown 0, a whole repaint due; the
  // simulator is stopped until start().
  explicit PanelSimulator(PanelRenderer& renderer);

  const PanelRenderer& renderer() const { return renderer_; }

  // The application became active or inactive: ticks advance only while
  // started.
  void start() { running_ = true; }
  void stop() { running_ = false; }
  bool running() const { return running_; }

  // The picture needs painting as a whole (shown, exposed, resized); ignored
  // while a tick is being processed.
  void requestRepaint();
  bool repaintDue() const { return repaintDue_; }

  // Copies the view's rectangle to the shown picture once the view has
  // completed a page; a repaint becomes due when that changed a dot.
  void publishField(FieldView& view);

  // One timer tick: countdowns run down, fields whose countdown reached 0
  // step in the panel type's order (a static preview again on the next tick,
  // else after its delay), and what changed is reported for painting.
  TickResult tick();

 private:
  PanelRenderer& renderer_;
  bool running_ = false;
  bool busy_ = false;
  bool repaintDue_ = false;
  bool wholeRepaint_ = false;
};

}  // namespace dorvak
