#include "render/panel_simulator.h"

#include <array>

namespace dorvak {

namespace {

// Which fields step, in which order, on each panel type; 0 ends a list.
constexpr std::array<std::array<std::uint8_t, kFieldCount>, 5> kSteppingOrder = {{
    {FieldId::Line, 0, 0},                                    // line
    {FieldId::Destination, 0, 0},                             // destination
    {FieldId::Destination, FieldId::Line, 0},                 // line and destination
    {FieldId::Destination, FieldId::Stop, 0},                 // destination and stop
    {FieldId::Destination, FieldId::Stop, FieldId::Line},     // line, destination and stop
}};

}  // namespace

PanelSimulator::PanelSimulator(PanelRenderer& renderer) : renderer_(renderer) {
  renderer_.clearPictures();
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id) renderer_.view(id).countdown = 0;
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
  for (std::uint8_t id = FieldId::Line; id <= FieldId::Stop; ++id) {
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
    for (std::uint8_t id : kSteppingOrder[static_cast<std::size_t>(type)]) {
      if (id == 0) break;
      FieldView& view = renderer_.view(id);
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
