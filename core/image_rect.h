#pragma once
// Where TTransImage draws its picture inside its area.
namespace corvan {

struct ImageRect {
  int left, top, width, height;
  bool operator==(const ImageRect&) const = default;
};

// A picture w x h in an area cw x ch. Without stretch: its own size; with stretch and
// proportional: the largest rectangle of the picture's aspect ratio that fits (sizes
// truncated); with stretch alone: the whole area. Centred when asked, else at (0, 0).
ImageRect TransImageRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center);

}  // namespace corvan
