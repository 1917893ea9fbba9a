#pragma once
// Shared by the render tests: glyphs drawn as text art, a small panel data
// base, an observer that records what the main window would be told, and
// pictures read back as rows of "#" (lit) and "." (dark).

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/panel_database.h"
#include "render/panel_observer.h"
#include "render/panel_renderer.h"

namespace dorvak::test {

// A glyph from rows of "#" and ".", top row first; all rows equally long.
GlyphRecord glyphFromArt(std::initializer_list<const char*> rows);

// Panel rows top..bottom (top first) and columns left..right of a picture.
std::vector<std::string> dots(const Picture& picture, int left, int right, int top, int bottom);

// Events as "tooLong 2 on", "chooser 3 off", "refresh".
class RecordingObserver : public PanelObserver {
 public:
  void tooLongWarningChanged(FieldId fieldId, bool shown) override;
  void chooserEnabledChanged(FieldId fieldId, bool enabled) override;
  void choosersRefreshed() override { events.push_back("refresh"); }
  std::vector<std::string> events;
};

// A 40 x 10 destination panel (type 1) whose three fields all cover the
// whole panel unless a test narrows them; every style is font 0, spacing 1,
// shift 0, delay 10.
//
// Font 0 holds "A" (3 x 3 solid), "B" (2 x 3, left column lit), "C" (1 x 3,
// middle dot), "W" (10 x 1 solid); font 1 holds "A" as a 1 x 5 bar.
PanelDatabase makeRenderDatabase();

class RenderTest : public ::testing::Test {
 protected:
  FieldView& destination() { return renderer.view(FieldId::Destination); }
  FieldView& line() { return renderer.view(FieldId::Line); }
  FieldView& stop() { return renderer.view(FieldId::Stop); }

  // Starts the field with the text and runs one step.
  void step(FieldId fieldId, const std::string& text, int targetRow = -1) {
    renderer.startField(fieldId, text, targetRow);
    renderer.renderStep(renderer.view(fieldId));
  }
  // Rows top..bottom of the compose picture over columns left..right.
  std::vector<std::string> composed(int left, int right, int top, int bottom) const {
    return dots(renderer.pictures().compose(), left, right, top, bottom);
  }
  void setField(FieldId fieldId, FieldRect rect);

  PanelDatabase db = makeRenderDatabase();
  RecordingObserver observer;
  PanelRenderer renderer{db, &observer};
};

// Texts are written with these to stay readable.
inline std::string esc(char letter) { return std::string{'\x1B', letter}; }
inline std::string esc(char letter, int value) { return std::string{'\x1B', letter, static_cast<char>(value + 16)}; }
inline std::string byte(int value) { return std::string(1, static_cast<char>(value)); }
inline std::string shift(int rows) { return byte(192 + rows); }
inline std::string spacing(int dots) { return byte(176 + dots); }
inline std::string font(int number) { return byte(224 + number); }

}  // namespace dorvak::test
