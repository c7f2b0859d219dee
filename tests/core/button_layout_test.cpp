// Where the painted buttons put their picture, caption and face strip.
#include <gtest/gtest.h>

#include "core/button_layout.h"

using namespace corvan;

TEST(GlyphButtonLayout, Cases) {
  struct Case {
    const char* what;
    int W, H, gw, gh, tw, th;
    TButtonLayout layout;
    int margin, spacing;
    GlyphCaptionPlaces expected;
  } cases[] = {
      // The wizard's 67 x 51 navigation buttons: the 10 x 17 arrow centred above the caption.
      {"navigation", 67, 51, 10, 17, 45, 13, blGlyphTop, -1, 5, {28, 8, 11, 30}},
      {"navigation, odd caption", 67, 51, 10, 17, 46, 16, blGlyphTop, -1, 5, {28, 6, 10, 28}},
      {"left, both chosen", 90, 40, 23, 22, 40, 13, blGlyphLeft, -1, -1, {9, 9, 41, 14}},
      {"right, margin given", 90, 40, 23, 22, 40, 13, blGlyphRight, 4, -1, {63, 9, 12, 14}},
      {"bottom, spacing given", 67, 51, 10, 17, 45, 13, blGlyphBottom, -1, 2, {28, 25, 11, 10}},
      {"left, margin and spacing given", 90, 40, 23, 22, 40, 13, blGlyphLeft, 3, 4, {3, 9, 30, 14}},
      // No caption: the spacing drops to 0 and the picture alone is centred (browse buttons).
      {"picture alone", 29, 21, 18, 16, 0, 0, blGlyphTop, -1, 5, {5, 2, 14, 18}},
      // No picture: the caption alone is centred.
      {"caption alone", 90, 40, 0, 0, 40, 13, blGlyphLeft, -1, 5, {25, 20, 25, 14}},
      // Too big for the area: div truncates toward zero, not down.
      {"overflow", 10, 10, 9, 9, 8, 8, blGlyphLeft, -1, -1, {-2, 1, 5, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto p = LayoutGlyphAndCaption(c.W, c.H, c.gw, c.gh, c.tw, c.th, c.layout, c.margin, c.spacing);
    EXPECT_EQ(p.glyphX, c.expected.glyphX);
    EXPECT_EQ(p.glyphY, c.expected.glyphY);
    EXPECT_EQ(p.captionX, c.expected.captionX);
    EXPECT_EQ(p.captionY, c.expected.captionY);
  }
}

TEST(GlyphButtonLayout, StateCells) {
  EXPECT_EQ(GlyphStateIndex(true, false), 0);
  EXPECT_EQ(GlyphStateIndex(true, true), 2);
  EXPECT_EQ(GlyphStateIndex(false, true), 1);
  EXPECT_EQ(GlyphSourceCells(3, 0), (CellSpan{0, 1}));
  EXPECT_EQ(GlyphSourceCells(3, 1), (CellSpan{1, 1}));
  EXPECT_EQ(GlyphSourceCells(3, 2), (CellSpan{2, 1}));
  EXPECT_EQ(GlyphSourceCells(4, 2), (CellSpan{2, 2}));  // pressed takes the cells to the end
  EXPECT_EQ(GlyphSourceCells(2, 2), (CellSpan{0, 1}));  // no pressed cell: the normal one
  EXPECT_EQ(GlyphSourceCells(1, 1), (CellSpan{0, 1}));
}

TEST(NiceButtonLayout, AbandonButtonOfTheWizardPages) {
  NiceButtonLook look;
  look.width = 109;
  look.height = 28;
  look.pictureWidth = 70;  // Cancel: three 23 x 22 cells
  look.pictureHeight = 22;
  const auto l = LayoutNiceButton(look);
  EXPECT_EQ(l.cellWidth, 23);
  EXPECT_EQ(l.picture, (ButtonBox{11, 3, 23, 22}));
  EXPECT_EQ(l.stripCell, 20);
  EXPECT_EQ(l.stripTop, 0);
  EXPECT_EQ(l.leftEndX, 35);
  EXPECT_EQ(l.rightEndX, 89);
  ASSERT_EQ(l.middleX.size(), 2u);
  EXPECT_EQ(l.middleX[0], 55);
  EXPECT_EQ(l.middleX[1], 69);  // stepped back so the tiles end where the right end begins
  const ButtonBox caption = NiceCaptionBox(look, l, 16);
  EXPECT_EQ(caption.x, 45);
  EXPECT_EQ(caption.x + caption.width, 99);
  EXPECT_EQ(caption.y, 6);
}

TEST(NiceButtonLayout, VariantsOfPictureAndStrip) {
  struct Case {
    const char* what;
    NiceButtonLook look;
    ButtonBox picture;
    int stripLeft, stripTop;
    std::vector<int> middle;
  } cases[] = {
      {"dialog button 100 x 28 with OK", {100, 28, 84, 28, 3}, {6, 0, 28, 28}, 35, 0, {55, 60}},
      {"picker 120 x 26, strip taller than the button", {120, 26, 70, 22, 3}, {11, 2, 23, 22}, 35, -1, {55, 75, 80}},
      {"inside draw", {100, 28, 70, 22, 3, 180, 28, true, true}, {4, 3, 23, 22}, 0, 0, {20, 40, 60}},
      {"no caption: picture centred", {60, 30, 70, 22, 3, 180, 28, false}, {18, 4, 23, 22}, 35, 1, {}},
      {"no caption, stretched: picture fills", {60, 30, 70, 22, 3, 180, 28, false, false, true}, {0, 0, 60, 30}, 35, 1, {}},
      {"no picture", {100, 28, 0, 0, 3}, {0, 0, 0, 0}, 0, 0, {20, 40, 60}},
      {"exactly two cells", {75, 28, 70, 22, 3}, {11, 3, 23, 22}, 35, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto l = LayoutNiceButton(c.look);
    EXPECT_EQ(l.picture, c.picture);
    EXPECT_EQ(l.stripLeft, c.stripLeft);
    EXPECT_EQ(l.stripTop, c.stripTop);
    EXPECT_EQ(l.middleX, c.middle);
    EXPECT_EQ(l.rightEndX, c.look.width - 20);
  }
}

TEST(NiceButtonLayout, CaptionBandVariants) {
  NiceButtonLook inside{100, 28, 70, 22, 3, 180, 28, true, true};
  auto box = NiceCaptionBox(inside, LayoutNiceButton(inside), 16);
  EXPECT_EQ(box.x, 16 + 4 + 10);
  EXPECT_EQ(box.x + box.width, 90);
  NiceButtonLook stretched{100, 40, 70, 22, 3, 180, 28, true, false, true};
  box = NiceCaptionBox(stretched, LayoutNiceButton(stretched), 16);
  EXPECT_EQ(box.y, 12);  // centred on the button, not on the strip
  NiceButtonLook tall{100, 40, 70, 22, 3, 180, 28};
  box = NiceCaptionBox(tall, LayoutNiceButton(tall), 16);
  EXPECT_EQ(box.y, 6 + 6);
}

TEST(NiceButtonLayout, PictureCellByState) {
  EXPECT_EQ(NicePictureCell(3, true, false), 0);
  EXPECT_EQ(NicePictureCell(3, true, true), 2);
  EXPECT_EQ(NicePictureCell(3, false, true), 1);
  EXPECT_EQ(NicePictureCell(4, true, true), 3);
  EXPECT_EQ(NicePictureCell(2, true, true), 0);  // two cells: no hot cell
  EXPECT_EQ(NicePictureCell(2, false, false), 1);
  EXPECT_EQ(NicePictureCell(1, false, true), 0);
}

TEST(NiceButtonLayout, HitRegion) {
  NiceButtonLook abandon{109, 28, 70, 22, 3};
  NiceButtonLook tall{100, 40, 70, 22, 3};
  NiceButtonLook bare{100, 40, 0, 0, 3, 180, 28, false};
  NiceButtonLook captionOnly{100, 40, 0, 0, 3};
  NiceButtonLook stretched{100, 40, 70, 22, 3, 180, 28, true, false, true};
  struct Case {
    const char* what;
    const NiceButtonLook& look;
    int x, y;
    bool inside;
  } cases[] = {
      {"empty top-left corner", abandon, 2, 1, false},
      {"left of the picture", abandon, 10, 14, false},
      {"above the picture", abandon, 20, 2, false},
      {"picture", abandon, 11, 3, true},
      {"picture's last pixel", abandon, 33, 24, true},
      {"between picture and strip", abandon, 34, 14, false},
      {"strip's first column", abandon, 35, 0, true},
      {"right edge", abandon, 108, 27, true},
      {"outside the button", abandon, 109, 10, false},
      {"above the band", tall, 60, 5, false},
      {"band top", tall, 60, 6, true},
      {"band bottom", tall, 60, 33, true},
      {"below the band", tall, 60, 34, false},
      {"no picture: band from 0", captionOnly, 0, 20, true},
      {"no picture: above band", captionOnly, 0, 2, false},
      {"neither picture nor caption", bare, 1, 1, true},
      {"stretched", stretched, 1, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(NiceHitTest(c.look, c.x, c.y), c.inside);
  }
}

TEST(ButtonCaptions, MeasureRules) {
  EXPECT_EQ(CaptionForMeasure(L"Doua#randuri"), L"Doua\nranduri");
  EXPECT_EQ(CaptionForMeasure(L"#"), L"#");
  EXPECT_EQ(CaptionForMeasure(L"##"), L"\n\n");
}
