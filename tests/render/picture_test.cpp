// Field rectangles clipped to the pictures, and publishing to the shown
// picture with its record of what changed.

#include "render/picture.h"

#include <gtest/gtest.h>

namespace dorvak {
namespace {

TEST(PictureRegion, FieldRectanglesAreClippedToThePicture) {
  EXPECT_EQ(PictureRegion::ofField(28, 111, 0, 18), (PictureRegion{10, 28, 28, 111}));
  EXPECT_EQ(PictureRegion::ofField(200, 255, 20, 255), (PictureRegion{0, 8, 200, 223}));
  EXPECT_TRUE(PictureRegion::ofField(10, 5, 0, 9).empty()) << "left beyond right";
  EXPECT_TRUE(PictureRegion::ofField(0, 5, 9, 3).empty()) << "bottom above top";
  EXPECT_TRUE(PictureRegion::ofField(0, 5, 40, 60).empty()) << "above the picture";
}

TEST(PanelPictures, PublishCopiesTheRegionAndRecordsOnlyChangedRows) {
  PanelPictures pictures;
  pictures.takeShownChanges();
  pictures.compose()[5][7] = 1;
  pictures.compose()[6][30] = 1;  // outside the region
  pictures.publish({0, 10, 0, 20});
  EXPECT_EQ(pictures.shown()[5][7], 1);
  EXPECT_EQ(pictures.shown()[6][30], 0);
  EXPECT_EQ(pictures.takeShownChanges(), (PictureRegion{5, 5, 0, 20}));
  pictures.publish({0, 10, 0, 20});
  EXPECT_FALSE(pictures.shownChanged());
  pictures.clearShown({5, 5, 7, 7});
  EXPECT_EQ(pictures.shown()[5][7], 0);
  EXPECT_EQ(pictures.takeShownChanges(), (PictureRegion{5, 5, 7, 7}));
}

TEST(PanelPictures, ClearSwitchesBothPicturesOffAndChangesEverything) {
  PanelPictures pictures;
  pictures.compose()[0][0] = 1;
  pictures.publish(PictureRegion::whole());
  pictures.takeShownChanges();
  pictures.clear();
  EXPECT_EQ(pictures.shown()[0][0], 0);
  EXPECT_EQ(pictures.compose()[0][0], 0);
  EXPECT_EQ(pictures.takeShownChanges(), PictureRegion::whole());
}

}  // namespace
}  // namespace dorvak
