#include "core/dialog_layout.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(DialogLayout, ButtonPanelAndWindowWidths) {
  struct Case {
    int buttons, tw;
    int buttonPanelWidth, messagePanelWidth, clientWidth;
  } cases[] = {
      {1, 20, 132, 150, 182},   // a short text: the panel keeps its 150
      {2, 20, 232, 232, 264},
      {3, 20, 332, 332, 364},   // three buttons: the window is at least 364 wide
      {3, 300, 332, 428, 460},  // a wide text: 300 + 32 + 86 + 10
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.buttons << " buttons, text " << c.tw);
    const DialogLayout d = LayoutMessageDialog(c.tw, 13, 86, 53, c.buttons, 25);
    EXPECT_EQ(d.buttonPanel.width, c.buttonPanelWidth);
    EXPECT_EQ(d.buttonPanel.height, 43);
    EXPECT_EQ(d.messagePanel.width, c.messagePanelWidth);
    EXPECT_EQ(d.clientWidth, c.clientWidth);
    EXPECT_EQ(d.buttonPanel.left, (c.clientWidth - c.buttonPanelWidth) / 2);
    EXPECT_EQ(d.separator.width, c.clientWidth);
  }
}

TEST(DialogLayout, ShortTextBesideATallerPictureIsCentredOnIt) {
  // One line of text (13 high), the 86 x 53 warning picture, OK only.
  const DialogLayout d = LayoutMessageDialog(60, 13, 86, 53, 1, 25);
  EXPECT_EQ(d.picture, (DialogRect{10, 10, 86, 53}));
  EXPECT_EQ(d.text.top, 53 / 2 + 10 - 13 / 2);  // 30: centres aligned
  EXPECT_EQ(d.text.top + d.text.height / 2, d.picture.top + d.picture.height / 2);
  EXPECT_EQ(d.messagePanel, (DialogRect{16, 41, 188, 73}));  // 60+32+86+10; 53+20
  EXPECT_EQ(d.clientHeight, 25 + 73 + 90);
  EXPECT_EQ(d.separator.top, 25 + 73 + 32);
  EXPECT_EQ(d.buttonPanel.top, d.separator.top + 8);
  // The text is centred in the panel's part right of the picture.
  EXPECT_EQ(d.text.left, (188 - 10 - 86 - 60) / 2 + 10 + 86);
}

TEST(DialogLayout, TallTextPutsThePictureOnItsMiddle) {
  const DialogLayout d = LayoutMessageDialog(200, 100, 86, 53, 2, 25);
  EXPECT_EQ(d.text.top, 16);
  EXPECT_EQ(d.picture.top, 100 / 2 + 16 - 53 / 2);
  EXPECT_EQ(d.messagePanel.height, 132);  // 100 + 32
  // An empty picture (custom kind) still counts its 10-pixel gap.
  const DialogLayout custom = LayoutMessageDialog(40, 13, 0, 0, 1, 25);
  EXPECT_EQ(custom.messagePanel.width, 150);
  EXPECT_EQ(custom.messagePanel.height, 55);
  EXPECT_EQ(custom.picture.top, 13 / 2 + 16);
}

TEST(DialogLayout, CentredOnTheScreen) {
  EXPECT_EQ(CentredOrigin(1024, 364), 512 - 182);
  EXPECT_EQ(CentredOrigin(768, 201), 384 - 100);
}
