#pragma once
// The widgets that draw glyphs: the font editor's dot grid (DrawGrid1), dots
// as the panel paints them, and the font manager's small previews.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/glyph.h"
#include "fonts/edit_grid.h"

namespace dorvak {

// The font editor's grid of 28 x 28 cells over an EditGrid: a cell is drawn
// off (black, grey ring), on (a yellow dot) or outside the glyph (light
// grey); the mouse draws into the grid (left button on, right button off,
// Shift outside; a drag a line). Ctrl+wheel zooms.
class GlyphGridView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDefaultCell = 11;  // a 10 x 10 cell and the grey line
  static constexpr int kMinCell = 6;
  static constexpr int kMaxCell = 40;

  GlyphGridView(EditGrid& grid, QWidget* parent = nullptr);

  int cellSize() const { return cell_; }
  void setCellSize(int pixels);
  // The centre of a cell (row and column 1..28) in widget coordinates.
  QPoint cellCentre(int row, int column) const;
  // Row and column under a point; 0 where it lies outside the 28 x 28 cells.
  QPoint cellAt(QPoint position) const;  // x: column, y: row
  QSize sizeHint() const override;

 signals:
  // The mouse is over the cell (row, column), 0 outside.
  void hovered(int row, int column);
  // The grid changed under the mouse (a drag goes on, a click or drag ended).
  void drawn();
  void zoomed(int cellSize);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  EditGrid& grid_;
  int cell_ = kDefaultCell;
};

// Dots painted as the main window paints the panel: lit yellow, dark black,
// a grey line between dots of 3 and 4 pixels.
class PanelDotsView : public QWidget {
  Q_OBJECT
 public:
  explicit PanelDotsView(QWidget* parent = nullptr);

  // rows x columns dots, row by row, 1 = lit; dot: pixels a dot.
  void setDots(int columns, int rows, const std::vector<std::uint8_t>& dots, int dot);
  int litDots() const { return lit_; }
  QSize sizeHint() const override { return image_.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  int lit_ = 0;
};

// The font manager's preview of a glyph: every dot a 2 x 2 cell with a line
// between cells, the grid fitted to the glyph; hidden for a code without a
// glyph.
class GlyphPreview : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCell = 3;  // a 2 x 2 dot and its line

  explicit GlyphPreview(QWidget* parent = nullptr);
  void setGlyph(const GlyphRecord& glyph);
  const GlyphRecord& glyph() const { return glyph_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GlyphRecord glyph_;
};

}  // namespace dorvak
