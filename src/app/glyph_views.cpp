#include "app/glyph_views.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "render/panel_paint.h"

namespace dorvak {

namespace {

const QColor kGridLine(128, 128, 128);
const QColor kOutside(212, 212, 212);
const QColor kRing(110, 110, 110);
const QColor kLit(kLitDotColour.red, kLitDotColour.green, kLitDotColour.blue);

// The cell sizes Ctrl+wheel steps through.
constexpr std::array<int, 9> kZoomSteps = {6, 8, 11, 14, 18, 22, 27, 33, 40};

}  // namespace

// --- GlyphGridView ----------------------------------------------------------

GlyphGridView::GlyphGridView(EditGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::PreventContextMenu);  // the right button draws
  setFixedSize(sizeHint());
}

QSize GlyphGridView::sizeHint() const { return {kGridDots * cell_ + 1, kGridDots * cell_ + 1}; }

void GlyphGridView::setCellSize(int pixels) {
  pixels = std::clamp(pixels, kMinCell, kMaxCell);
  if (pixels == cell_) return;
  cell_ = pixels;
  setFixedSize(sizeHint());
  update();
  emit zoomed(cell_);
}

QPoint GlyphGridView::cellCentre(int row, int column) const {
  return {(column - 1) * cell_ + 1 + cell_ / 2, (row - 1) * cell_ + 1 + cell_ / 2};
}

QPoint GlyphGridView::cellAt(QPoint position) const {
  auto index = [this](int pixel) {
    if (pixel < 1) return 0;
    const int i = (pixel - 1) / cell_ + 1;
    return i <= kGridDots ? i : 0;
  };
  return {index(position.x()), index(position.y())};
}

void GlyphGridView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kGridLine);
  const int size = cell_ - 1;
  const int inset = std::max(1, size / 5);
  for (int row = 1; row <= kGridDots; ++row)
    for (int column = 1; column <= kGridDots; ++column) {
      const QRect cell((column - 1) * cell_ + 1, (row - 1) * cell_ + 1, size, size);
      const std::uint8_t state = grid_.shown(row, column);
      if (state == GridCell::Outside) {
        painter.fillRect(cell, kOutside);
        continue;
      }
      painter.fillRect(cell, Qt::black);
      painter.setRenderHint(QPainter::Antialiasing, true);
      const QRectF dot = QRectF(cell).adjusted(inset - 0.5, inset - 0.5, 0.5 - inset, 0.5 - inset);
      if (state == GridCell::On) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kLit);
      } else {
        painter.setPen(QPen(kRing, 1));
        painter.setBrush(Qt::NoBrush);
      }
      painter.drawEllipse(dot);
      painter.setRenderHint(QPainter::Antialiasing, false);
    }
}

void GlyphGridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  const QPoint at = cellAt(event->position().toPoint());
  grid_.press(at.y(), at.x());
}

void GlyphGridView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = cellAt(event->position().toPoint());
  emit hovered(at.y(), at.x());
  const Qt::MouseButtons buttons = event->buttons() & (Qt::LeftButton | Qt::RightButton);
  if (buttons == Qt::NoButton) return;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  std::uint8_t mark = 0;  // both buttons together draw nothing
  if (buttons == Qt::LeftButton) mark = shift ? GridCell::PendingOutside : GridCell::PendingOn;
  if (buttons == Qt::RightButton) mark = shift ? GridCell::PendingOutside : GridCell::PendingOff;
  grid_.drag(at.y(), at.x(), mark);
  update();
  emit drawn();
}

void GlyphGridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  const QPoint at = cellAt(event->position().toPoint());
  grid_.release(at.y(), at.x(), event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right,
                event->modifiers() & Qt::ShiftModifier);
  update();
  emit drawn();
}

void GlyphGridView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  const bool in = event->angleDelta().y() > 0;
  int next = cell_;
  if (in) {
    auto larger = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), cell_);
    if (larger != kZoomSteps.end()) next = *larger;
  } else {
    auto smaller = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), cell_);
    if (smaller != kZoomSteps.begin()) next = *(smaller - 1);
  }
  setCellSize(next);
  event->accept();
}

// --- PanelDotsView ----------------------------------------------------------

PanelDotsView::PanelDotsView(QWidget* parent) : QWidget(parent) {}

void PanelDotsView::setDots(int columns, int rows, const std::vector<std::uint8_t>& dots, int dot) {
  dot = std::max(dot, 1);
  QImage image(std::max(columns, 0) * dot, std::max(rows, 0) * dot, QImage::Format_RGB32);
  lit_ = 0;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const bool lit = dots[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)] != 0;
      lit_ += lit ? 1 : 0;
      for (int y = 0; y < dot; ++y)
        for (int x = 0; x < dot; ++x) {
          const Rgb colour = dotPixel(dot, lit, x, y);
          image.setPixel(c * dot + x, r * dot + y, qRgb(colour.red, colour.green, colour.blue));
        }
    }
  image_ = std::move(image);
  setFixedSize(image_.size());
  update();
}

void PanelDotsView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

// --- GlyphPreview -----------------------------------------------------------

GlyphPreview::GlyphPreview(QWidget* parent) : QWidget(parent) { setGlyph(GlyphRecord{}); }

QSize GlyphPreview::sizeHint() const { return {glyphColumns(glyph_) * kCell + 1, glyph_.height * kCell + 1}; }

void GlyphPreview::setGlyph(const GlyphRecord& glyph) {
  glyph_ = glyph;
  setFixedSize(sizeHint());
  setVisible(glyph_.exists());
  update();
}

void GlyphPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kGridLine);
  const int columns = glyphColumns(glyph_);
  for (int row = 0; row < glyph_.height; ++row)
    for (int column = 0; column < columns; ++column)
      painter.fillRect(column * kCell + 1, row * kCell + 1, kCell - 1, kCell - 1,
                       glyphDot(glyph_, column, row) ? kLit : QColor(Qt::black));
}

}  // namespace dorvak
