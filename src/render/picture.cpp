#include "render/picture.h"

#include <algorithm>
#include <cstring>

namespace dorvak {

PictureRegion PictureRegion::ofField(int left, int right, int bottom, int top) {
  PictureRegion region;
  region.top = std::max(pictureRowOf(top), 0);
  region.bottom = std::min(pictureRowOf(bottom), kPictureRows - 1);
  region.left = std::max(left, 0);
  region.right = std::min(right, kPictureColumns - 1);
  return region;
}

void clearRegion(Picture& picture, const PictureRegion& region) {
  if (region.empty()) return;
  for (int r = region.top; r <= region.bottom; ++r)
    std::memset(&picture[r][region.left], 0, static_cast<std::size_t>(region.right - region.left + 1));
}

void invertRegion(Picture& picture, const PictureRegion& region) {
  if (region.empty()) return;
  for (int r = region.top; r <= region.bottom; ++r)
    for (int c = region.left; c <= region.right; ++c) picture[r][c] ^= 1;
}

void rollRowsUp(Picture& picture, const PictureRegion& region) {
  if (region.empty()) return;
  auto width = static_cast<std::size_t>(region.right - region.left + 1);
  std::uint8_t topRow[kPictureColumns];
  std::memcpy(topRow, &picture[region.top][region.left], width);
  for (int r = region.top; r < region.bottom; ++r)
    std::memcpy(&picture[r][region.left], &picture[r + 1][region.left], width);
  std::memcpy(&picture[region.bottom][region.left], topRow, width);
}

void rollColumnsLeft(Picture& picture, const PictureRegion& region) {
  if (region.empty()) return;
  for (int r = region.top; r <= region.bottom; ++r) {
    auto first = picture[r].begin() + region.left;
    std::rotate(first, first + 1, picture[r].begin() + region.right + 1);
  }
}

void PanelPictures::clear() {
  shown_ = {};
  compose_ = {};
  markChanged(PictureRegion::whole());
}

void PanelPictures::clearShown(const PictureRegion& region) {
  clearRegion(shown_, region);
  markChanged(region);
}

void PanelPictures::publish(const PictureRegion& region) {
  if (region.empty()) return;
  auto width = static_cast<std::size_t>(region.right - region.left + 1);
  for (int r = region.top; r <= region.bottom; ++r) {
    std::uint8_t* to = &shown_[r][region.left];
    const std::uint8_t* from = &compose_[r][region.left];
    if (std::memcmp(to, from, width) == 0) continue;
    std::memcpy(to, from, width);
    markChanged({r, r, region.left, region.right});
  }
}

PictureRegion PanelPictures::takeShownChanges() {
  PictureRegion changes = changed_;
  changed_ = {};
  return changes;
}

}  // namespace dorvak
