#include "app/panel_picture.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace dorvak {

PanelPicture::PanelPicture(QWidget* parent) : QWidget(parent) {
  setObjectName("DrawGridP");
  // Every pixel is ours: no background to erase before each paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelPicture::layout(const Picture& shown, PanelSize size) {
  size_ = size;
  dot_ = zoomDot_ > 0 ? zoomDot_ : dotSize(size.length);
  pixels_ = paintPanel(shown, size, dot_);
  image_ = QImage(pixels_.pixels.data(), pixels_.width, pixels_.height, pixels_.width * 3, QImage::Format_RGB888);
  setFixedSize(pixels_.width, pixels_.height);
  update();
}

void PanelPicture::paintRegion(const Picture& shown, const PictureRegion& region) {
  if (region.empty() || pixels_.width == 0) return;
  paintCells(pixels_, shown, size_, region, dot_);
  // Picture row r is painted at grid row r - (28 - (height - 1)).
  const int firstRow = kPictureRows - size_.height;
  const int top = std::max(region.top - firstRow, 0);
  const int bottom = std::min(region.bottom - firstRow, size_.height - 1);
  const int left = std::max(region.left, 0);
  const int right = std::min(region.right, size_.length - 1);
  if (top > bottom || left > right) return;
  update(left * dot_, top * dot_, (right - left + 1) * dot_, (bottom - top + 1) * dot_);
}

void PanelPicture::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect rect = event->rect();
  if (image_.isNull())
    painter.fillRect(rect, Qt::black);
  else
    painter.drawImage(rect.topLeft(), image_, rect);
  ++paintCount_;
  emit painted();
}

}  // namespace dorvak
