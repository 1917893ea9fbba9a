#pragma once
// The panel picture (DrawGridP): every panel dot a square cell of 4, 3 or 2
// pixels, painted from the renderer's shown picture. A timer tick repaints
// only the cells that changed; the widget paints only what is exposed.

#include <QImage>
#include <QWidget>

#include "render/panel_paint.h"

namespace dorvak {

class PanelPicture : public QWidget {
  Q_OBJECT
 public:
  // Pixels a dot when zoomed.
  static constexpr int kMinDot = 1;
  static constexpr int kMaxDot = 16;

  explicit PanelPicture(QWidget* parent = nullptr);

  // 0: the panel's own dot size (4, 3 or 2 by its length); takes effect at
  // the next layout.
  void setDot(int dot) { zoomDot_ = dot; }

  // A new panel size: the whole picture is painted again from shown.
  void layout(const Picture& shown, PanelSize size);
  // Paints the cells of the region (picture coordinates) and asks for an
  // update of their pixels only.
  void paintRegion(const Picture& shown, const PictureRegion& region);

  PanelSize panelSize() const { return size_; }
  int dot() const { return dot_; }
  // The colour of a pixel as painted (tests and screenshots).
  QRgb pixel(int x, int y) const { return image_.pixel(x, y); }
  // Paint events received so far.
  int paintCount() const { return paintCount_; }

 signals:
  void painted();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PanelSize size_;
  int dot_ = 4;
  int zoomDot_ = 0;
  RgbImage pixels_;
  QImage image_;  // wraps pixels_
  int paintCount_ = 0;
};

}  // namespace dorvak
