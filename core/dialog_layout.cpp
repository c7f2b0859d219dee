#include "core/dialog_layout.h"

#include <algorithm>

namespace corvan {

DialogLayout LayoutMessageDialog(int tw, int th, int pw, int ph, int buttonCount, int titleBarHeight) {
  DialogLayout d{};
  const int contentWidth = tw + 32 + pw + 10;
  const int contentHeight = std::max(ph + 20, th + 32);
  const int bw = buttonCount * kDialogButtonWidth + 32;

  const int panelWidth = std::max({150, contentWidth, bw});
  const int panelHeight = std::max(55, contentHeight);
  d.messagePanel = {16, titleBarHeight + 16, panelWidth, panelHeight};
  d.clientWidth = panelWidth + 32;
  d.clientHeight = titleBarHeight + panelHeight + 90;

  const int separatorTop = titleBarHeight + panelHeight + 32;
  d.separator = {0, separatorTop, d.clientWidth, 5};
  d.buttonPanel = {(d.clientWidth - bw) / 2, separatorTop + 8, bw, 43};

  const int pictureLeft = 10;
  int pictureTop, textTop;
  if (ph > th) {
    pictureTop = 10;
    textTop = ph / 2 + 10 - th / 2;
  } else {
    textTop = 16;
    pictureTop = th / 2 + 16 - ph / 2;
  }
  d.picture = {pictureLeft, pictureTop, pw, ph};
  d.text = {(panelWidth - pictureLeft - pw - tw) / 2 + pictureLeft + pw, textTop, tw, th};

  d.buttonWidth = kDialogButtonWidth;
  d.buttonHeight = kDialogButtonHeight;
  d.buttonTop = 8;
  d.firstButtonLeft = 16;
  return d;
}

int CentredOrigin(int screenExtent, int windowExtent) { return screenExtent / 2 - windowExtent / 2; }

}  // namespace corvan
