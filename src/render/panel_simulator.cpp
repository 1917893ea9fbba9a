#include "render/panel_simulator.h"

#include <array>

namespace dorvak {

namespace {

// Which fields step, in which order, on each panel type.
struct SteppingOrder {
  std::array<FieldId, kFieldCount> fields;
  std::size_t count;
};
constexpr std::array<SteppingOrder, 5> kSteppingOrder = {{
    {{FieldId::Line}, 1},                                             // line
    {{FieldId::Destination}, 1},                                      // destination
    {{FieldId::Destination, FieldId::Line}, 2},                       // line and destination
    {{FieldId::Destination, FieldId::Stop}, 2},                       // destination and stop
    {{FieldId::Destination, FieldId::Stop, FieldId::Line}, 3},        // line, destination and stop
}};

}  // namespace

PanelSimulator::PanelSimulator(PanelRenderer& renderer) : renderer_(renderer) {
  renderer_.clearPictures();
  for (FieldId id : kAllFields) renderer_.view(id).countdown = 0;
  repaintDue_ = true;
  wholeRepaint_ = true;
}

void PanelSimulator::requestRepaint() {
  if (busy_) return;
  repaintDue_ = true;
  wholeRepaint_ = true;
}

void PanelSimulator::publishField(FieldView& view) {
  if (view.disabled && !view.staticPreview) return;
  PanelPictures& pictures = renderer_.pictures();
  if (view.pageReady) pictures.publish(view.region());
  if (pictures.shownChanged()) repaintDue_ = true;
}

TickResult PanelSimulator::tick() {
  if (!running_) return {};
  bool anyDue = false;
  for (FieldId id : kAllFields) {
    FieldView& view = renderer_.view(id);
    if (view.countdown > 0) --view.countdown;
    if (view.countdown == 0) anyDue = true;
  }
  // A tick that arrives while the previous one still runs only counts down.
  if (busy_) return {};
  busy_ = true;
  struct BusyMark {
    bool& busy;
    ~BusyMark() { busy = false; }
  } mark{busy_};

  const int type = renderer_.database().config.panelType;
  if (anyDue && type >= 0 && type < static_cast<int>(kSteppingOrder.size())) {
    const SteppingOrder& order = kSteppingOrder[static_cast<std::size_t>(type)];
    for (std::size_t i = 0; i < order.count; ++i) {
      FieldView& view = renderer_.view(order.fields[i]);
      if (view.countdown != 0) continue;
      renderer_.renderStep(view);
      publishField(view);
      view.countdown = view.staticPreview ? 1 : view.delay;
    }
  }

  TickResult result;
  if (repaintDue_) {
    PictureRegion changes = renderer_.pictures().takeShownChanges();
    result.repaint = true;
    result.region = wholeRepaint_ ? PictureRegion::whole() : changes;
    repaintDue_ = false;
    wholeRepaint_ = false;
  }
  return result;
}

}  // namespace dorvak
