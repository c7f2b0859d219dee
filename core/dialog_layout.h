#pragma once
// The message dialog's geometry at 96 pixels per inch, from the measured text box, the
// picture's size and the number of buttons. All positions are in client coordinates of
// their container (the window, the message panel, the button panel).
namespace corvan {

struct DialogRect {
  int left, top, width, height;
  bool operator==(const DialogRect&) const = default;
};

struct DialogLayout {
  int clientWidth, clientHeight;  // the window's client area
  DialogRect messagePanel;        // in the window
  DialogRect picture;             // in the message panel
  DialogRect text;                // in the message panel
  DialogRect separator;           // in the window
  DialogRect buttonPanel;         // in the window
  int buttonWidth, buttonHeight, buttonTop, firstButtonLeft;  // in the button panel, side by side
};

constexpr int kDialogButtonWidth = 100;
constexpr int kDialogButtonHeight = 28;

// textWidth x textHeight: the text measured word-wrapped in a box half the screen wide.
DialogLayout LayoutMessageDialog(int textWidth, int textHeight, int pictureWidth, int pictureHeight, int buttonCount,
                                 int titleBarHeight);

// The window's top-left corner when centred on a screen.
int CentredOrigin(int screenExtent, int windowExtent);

}  // namespace corvan
