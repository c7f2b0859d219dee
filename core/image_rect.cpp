#include "core/image_rect.h"

namespace corvan {

ImageRect TransImageRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center) {
  ImageRect r{0, 0, w, h};
  if (stretch && proportional && w > 0 && h > 0) {
    const double ratio = static_cast<double>(w) / h;
    if (w > h) {
      r.width = cw;
      r.height = static_cast<int>(cw / ratio);
      if (r.height > ch) {
        r.height = ch;
        r.width = static_cast<int>(ratio * ch);
      }
    } else {
      r.height = ch;
      r.width = static_cast<int>(ratio * ch);
      if (r.width > cw) {
        r.width = cw;
        r.height = static_cast<int>(cw / ratio);
      }
    }
  } else if (stretch) {
    r.width = cw;
    r.height = ch;
  }
  if (center) {
    r.left = (cw - r.width) / 2;
    r.top = (ch - r.height) / 2;
  }
  return r;
}

}  // namespace corvan
