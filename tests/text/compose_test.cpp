#include "text/compose.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace dorvak {
namespace {

using test::bytes;

// Font 0: 5 x 7 glyphs for 32..127; font 3: 6 x 12 glyphs for codes divisible by 3.
PanelDatabase database() { return test::makePresetDatabase(); }

TEST(ComposeDestination, OneRowTakesTheOneRowPresetsAndIsCentredVertically) {
  PanelDatabase db = database();
  ComposeGeometry room = ComposeGeometry::of(db.config, TextKind::Destination);
  EXPECT_EQ(room.width, 84);
  EXPECT_EQ(room.height, 19);
  EXPECT_EQ(room.upper, 10);
  // "BEH" in font 3: 6 + 2 + 6 + 2 + 6 = 22 dots, fits; height 12 -> shift 3.
  EXPECT_EQ(composeDestination(db, room, "BEH", ""), bytes({0xE3, 0xB2, 0xC3, 'B', 'E', 'H', 13}));
  // Too wide for font 3 in 20 dots: font 0 (5 + 1 + 5 + 1 + 5 = 17), height 7 -> shift 6.
  room.width = 20;
  EXPECT_EQ(composeDestination(db, room, "BEH", ""), bytes({0xE0, 0xB1, 0xC6, 'B', 'E', 'H', 13}));
}

TEST(ComposeDestination, StopPanelsUseTheTwoRowPresetsForOneRow) {
  PanelDatabase db = database();
  db.config.panelType = PanelType::DestinationStop;
  EXPECT_EQ(composeDestination(db, ComposeGeometry::of(db.config, TextKind::Destination), "AB", ""),
            bytes({0xE0, 0xB2, 0xC6, 'A', 'B', 13}));
}

TEST(ComposeDestination, TwoRowsShiftTheSecondBelowTheUpperPart) {
  PanelDatabase db = database();
  ComposeGeometry room = ComposeGeometry::of(db.config, TextKind::Destination);
  // Row 2 in 19 - 10 = 9 rows: height 7 -> s = 1, shift 10 + 1.
  EXPECT_EQ(composeDestination(db, room, "AB", "CD"),
            bytes({0xE0, 0xB2, 0xC0, 'A', 'B', 10, 0xE0, 0xB1, 0xCB, 'C', 'D', 13}));
  EXPECT_EQ(composeDestination(db, room, "AB", "C|D"),
            bytes({0xE0, 0xB2, 0xC0, 'A', 'B', 10, 0xE0, 0xB1, 0xCB, 'C', 10, 'D', 11, 13}))
      << "further rows keep their breaks and end with VT";
  EXPECT_EQ(composeDestination(db, room, "", ""), "\r");
}

TEST(ComposeDestination, KeysBecomePanelCodes) {
  PanelDatabase db = database();
  db.fonts.glyph(3, 128) = test::makeGlyph(6, 12, 0);
  EXPECT_EQ(composeDestination(db, ComposeGeometry::of(db.config, TextKind::Destination), "\xC8", ""),
            bytes({0xE3, 0xB2, 0xC3, 128, 13}));
}

TEST(ComposeLine, EachFurtherRowGetsItsOwnFontWithoutShift) {
  PanelDatabase db = database();
  ComposeGeometry room = ComposeGeometry::of(db.config, TextKind::Line);
  EXPECT_EQ(composeLine(db, room, "1", "A\nB"),
            bytes({0xE0, 0xB2, 0xC0, '1', 10, 0xE0, 0xB2, 'A', 10, 0xE0, 0xB2, 'B', 11, 13}));
  // One row: the one-row presets, line width rule; "9" is in font 3.
  EXPECT_EQ(composeLine(db, room, "9", ""), bytes({0xE3, 0xB2, 0xC3, '9', 13}));
}

TEST(ComposeStop, FontAndSpacingButNoShift) {
  PanelDatabase db = database();
  ComposeGeometry room = ComposeGeometry::of(db.config, TextKind::Stop);
  EXPECT_EQ(composeStop(db, room, "AB", ""), bytes({0xE0, 0xB1, 'A', 'B', 13}));
  EXPECT_EQ(composeStop(db, room, "AB", "C"), bytes({0xE0, 0xB1, 'A', 'B', 10, 0xE0, 0xB1, 'C', 11, 13}));
  EXPECT_EQ(composeStop(db, room, "", "C"), bytes({10, 0xE0, 0xB1, 'C', 11, 13}));
}

TEST(ComposeBounds, ControlBytesStayInTheirRanges) {
  PanelDatabase db = database();
  db.config.destinationField = {0, 255, 0, 223};  // a damaged configuration
  std::string text = composeDestination(db, ComposeGeometry::of(db.config, TextKind::Destination), "A", "B");
  EXPECT_EQ(static_cast<std::uint8_t>(text[text.find('\n') + 3]), 0xDF) << "shift 31 at most";
}

}  // namespace
}  // namespace dorvak
