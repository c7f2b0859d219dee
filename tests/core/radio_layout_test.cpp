// Placement and state rules of radio groups, radio buttons and check boxes.
#include "core/radio_layout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvan;

TEST(RadioGroupPlacement, InstallTypeGroupRowsAtZeroTwentyForty) {
  // 396 x 52, three items, one column, an 11-pixel font: rows of 17 + (17 - 11) div 2.
  const std::vector<Box> expected = {{0, 0, 396, 20}, {0, 20, 396, 20}, {0, 40, 396, 20}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(PlaceGroupButton(i, 3, 1, 396, 52, -11), expected[i]);
  }
}

TEST(RadioGroupPlacement, ColumnsFillTopToBottomThenLeftToRight) {
  struct Case {
    int count, columns, width, height, font;
    std::vector<Box> boxes;
  };
  const Case cases[] = {
      // 5 items in 2 columns: 0-2 in the first column, 3-4 in the second.
      {5, 2, 200, 60, 10,
       {{0, 0, 100, 25}, {0, 25, 100, 25}, {0, 50, 100, 25}, {100, 0, 100, 25}, {100, 25, 100, 25}}},
      // One row: no share is added.
      {3, 3, 90, 17, 11, {{0, 0, 30, 17}, {30, 0, 30, 17}, {60, 0, 30, 17}}},
      // A font taller than a row takes height back.
      {3, 1, 50, 30, 16, {{0, 0, 50, 7}, {0, 7, 50, 7}, {0, 14, 50, 7}}},
      // More columns than items.
      {2, 4, 100, 20, 8, {{0, 0, 25, 20}, {25, 0, 25, 20}}},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < c.count; ++i) {
      SCOPED_TRACE(testing::Message() << c.count << " items, " << c.columns << " columns, item " << i);
      EXPECT_EQ(PlaceGroupButton(i, c.count, c.columns, c.width, c.height, c.font), c.boxes[i]);
    }
  }
}

TEST(RadioGroupPlacement, ColumnsAndItemIndexAreBroughtIntoRange) {
  EXPECT_EQ(ClampColumns(0), 1);
  EXPECT_EQ(ClampColumns(-5), 1);
  EXPECT_EQ(ClampColumns(16), 16);
  EXPECT_EQ(ClampColumns(17), 16);
  EXPECT_EQ(ClampItemIndex(5, 3), 2);
  EXPECT_EQ(ClampItemIndex(-7, 3), -1);
  EXPECT_EQ(ClampItemIndex(1, 3), 1);
  EXPECT_EQ(ClampItemIndex(0, 0), -1);
}

TEST(RadioGroupKeys, HomeEndPageUpPageDown) {
  struct Case {
    GroupKey key;
    int index, count, expected;
  };
  const Case cases[] = {
      {GroupKey::Home, 2, 3, 0},     {GroupKey::Home, -1, 3, 0},    {GroupKey::End, 0, 3, 2},
      {GroupKey::End, -1, 3, 2},     {GroupKey::PageUp, 2, 3, 1},   {GroupKey::PageUp, 0, 3, 0},
      {GroupKey::PageUp, -1, 3, -1}, {GroupKey::PageDown, 0, 3, 1}, {GroupKey::PageDown, 2, 3, 2},
      {GroupKey::PageDown, -1, 3, 0}, {GroupKey::Home, -1, 0, -1},  {GroupKey::End, -1, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(c.key) << " from " << c.index);
    EXPECT_EQ(GroupKeyTarget(c.key, c.index, c.count), c.expected);
  }
}

TEST(CheckBoxStates, CycleWithAndWithoutGrayed) {
  // Without AllowGrayed a box that shows grayed becomes checked, then unchecked.
  EXPECT_EQ(NextCheckState(cbGrayed, false), cbChecked);
  EXPECT_EQ(NextCheckState(cbChecked, false), cbUnchecked);
  EXPECT_EQ(NextCheckState(cbUnchecked, false), cbChecked);
  // With it the three states take turns.
  EXPECT_EQ(NextCheckState(cbUnchecked, true), cbGrayed);
  EXPECT_EQ(NextCheckState(cbGrayed, true), cbChecked);
  EXPECT_EQ(NextCheckState(cbChecked, true), cbUnchecked);
  EXPECT_EQ(CheckCellIndex(cbChecked), 0);
  EXPECT_EQ(CheckCellIndex(cbUnchecked), 1);
  EXPECT_EQ(CheckCellIndex(cbGrayed), 2);
}

TEST(ButtonFaces, PictureAndCaptionPlacement) {
  struct Case {
    const char* what;
    bool radio;
    int width, height, cellWidth, pictureHeight, textHeight;
    bool captionRight;
    Box cell, caption;
  };
  const Case cases[] = {
      // Check picture 22 x 15 with a 13-pixel text: the caption moves down by 1.
      {"check, box left", false, 97, 17, 22, 15, 13, true, {0, 0, 22, 15}, {22, 1, 75, 17}},
      {"check, box right", false, 97, 17, 22, 15, 13, false, {75, 0, 22, 15}, {0, 1, 75, 17}},
      // Picture not taller than the text by a pixel: the box moves down instead.
      {"check, tall text", false, 97, 25, 22, 15, 21, true, {0, 3, 22, 15}, {22, 0, 75, 25}},
      {"check, equal heights", false, 97, 17, 22, 15, 15, true, {0, 0, 22, 15}, {22, 0, 75, 17}},
      // Radio picture 11 x 11 under a 13-pixel text: the caption moves up by 1.
      {"radio, circle left", true, 113, 17, 11, 11, 13, true, {0, 0, 11, 11}, {11, -1, 102, 17}},
      {"radio, circle right", true, 113, 17, 11, 11, 13, false, {102, 0, 11, 11}, {0, -1, 102, 17}},
      {"radio, small text", true, 113, 17, 11, 11, 7, true, {0, 0, 11, 11}, {11, 2, 102, 17}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FaceLayout face = c.radio ? PlaceRadioFace(c.width, c.height, c.cellWidth, c.pictureHeight, c.textHeight, c.captionRight)
                              : PlaceCheckFace(c.width, c.height, c.cellWidth, c.pictureHeight, c.textHeight, c.captionRight);
    EXPECT_EQ(face.cell, c.cell);
    EXPECT_EQ(face.caption, c.caption);
  }
}
