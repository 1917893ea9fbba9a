#pragma once
// Pictures of the whole panel: 29 rows x 224 columns of dots, 0 off and 1 on.
// Picture row r shows panel row 28 - r (panel rows count from the bottom,
// row 0 is the lowest); picture column c is panel column c.
//
// Field bounds come from files and texts and may hold any byte value, so
// every operation here clips its rectangle to the picture.

#include <array>
#include <cstdint>

#include "core/panel_config.h"

namespace dorvak {

inline constexpr int kPictureRows = kMaxPanelRows;
inline constexpr int kPictureColumns = kMaxPanelColumns;

using PictureRow = std::array<std::uint8_t, kPictureColumns>;
using Picture = std::array<PictureRow, kPictureRows>;

// The picture row that shows a panel row (negative or beyond 28 when the
// panel row lies outside the picture).
constexpr int pictureRowOf(int panelRow) { return kPictureRows - 1 - panelRow; }

// A rectangle of picture cells: rows top..bottom, columns left..right, in
// picture coordinates. Empty when top > bottom or left > right.
struct PictureRegion {
  int top = 0;
  int bottom = -1;
  int left = 0;
  int right = -1;

  bool empty() const { return top > bottom || left > right; }
  bool contains(int row, int column) const {
    return row >= top && row <= bottom && column >= left && column <= right;
  }
  // The smallest rectangle that holds both.
  void include(const PictureRegion& other) {
    if (other.empty()) return;
    if (empty()) {
      *this = other;
      return;
    }
    top = top < other.top ? top : other.top;
    bottom = bottom > other.bottom ? bottom : other.bottom;
    left = left < other.left ? left : other.left;
    right = right > other.right ? right : other.right;
  }
  bool operator==(const PictureRegion&) const = default;

  static PictureRegion whole() { return {0, kPictureRows - 1, 0, kPictureColumns - 1}; }
  // A field rectangle in panel coordinates (columns left..right, panel rows
  // bottom..top), clipped to the picture; empty when the bounds are crossed.
  static PictureRegion ofField(int left, int right, int bottom, int top);
};

void clearRegion(Picture& picture, const PictureRegion& region);
// Every dot of the region switched: on becomes off and off becomes on.
void invertRegion(Picture& picture, const PictureRegion& region);
// Each row of the region takes the row below it; the top row goes to the bottom.
void rollRowsUp(Picture& picture, const PictureRegion& region);
// Each column of the region takes the column right of it; the leftmost column
// goes to the right edge.
void rollColumnsLeft(Picture& picture, const PictureRegion& region);

// The ShownPicture (what the main window paints) and the ComposePicture
// (where rows are assembled). Changes to the shown picture are collected as
// one rectangle, so that painting touches only what changed.
class PanelPictures {
 public:
  const Picture& shown() const { return shown_; }
  const Picture& compose() const { return compose_; }
  Picture& compose() { return compose_; }

  // All dots of both pictures off.
  void clear();
  void clearShown(const PictureRegion& region);
  // Copies the region from the compose picture to the shown picture; only
  // rows that differ count as changed.
  void publish(const PictureRegion& region);

  bool shownChanged() const { return !changed_.empty(); }
  // The rectangle of the shown picture changed since the last call.
  PictureRegion takeShownChanges();

 private:
  void markChanged(const PictureRegion& region) { changed_.include(region); }

  Picture shown_{};
  Picture compose_{};
  PictureRegion changed_;
};

}  // namespace dorvak
