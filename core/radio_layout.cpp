#include "core/radio_layout.h"

#include <algorithm>
#include <cstdlib>

namespace corvan {

int ClampColumns(int columns) { return std::clamp(columns, 1, 16); }

int ClampItemIndex(int index, int count) { return std::clamp(index, -1, std::max(count - 1, -1)); }

Box PlaceGroupButton(int index, int count, int columns, int groupWidth, int groupHeight, int fontHeight) {
  columns = ClampColumns(columns);
  const int rows = std::max((count + columns - 1) / columns, 1);
  const int columnWidth = groupWidth / columns;
  int rowHeight = groupHeight / rows;
  if (rows > 1) rowHeight += (rowHeight - std::abs(fontHeight)) / (rows - 1);
  const int column = index / rows;
  const int row = index % rows;
  return Box{column * columnWidth, row * rowHeight, columnWidth, rowHeight};
}

int GroupKeyTarget(GroupKey key, int itemIndex, int count) {
  if (count <= 0) return itemIndex;
  switch (key) {
    case GroupKey::Home:
      return 0;
    case GroupKey::End:
      return count - 1;
    case GroupKey::PageUp:
      return itemIndex > 0 ? itemIndex - 1 : itemIndex;
    case GroupKey::PageDown:
      return itemIndex < count - 1 ? itemIndex + 1 : itemIndex;
  }
  return itemIndex;
}

TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed) {
  switch (state) {
    case cbUnchecked:
      return allowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
      return cbUnchecked;
    case cbGrayed:
      return cbChecked;
  }
  return state;
}

int CheckCellIndex(TCheckBoxState state) {
  switch (state) {
    case cbChecked:
      return 0;
    case cbUnchecked:
      return 1;
    case cbGrayed:
      return 2;
  }
  return 1;
}

FaceLayout PlaceCheckFace(int width, int height, int cellWidth, int pictureHeight, int textHeight, bool captionRight) {
  FaceLayout face;
  face.cell = Box{captionRight ? 0 : width - cellWidth, 0, cellWidth, pictureHeight};
  face.caption = captionRight ? Box{cellWidth, 0, width - cellWidth, height} : Box{0, 0, width - cellWidth, height};
  if (pictureHeight < textHeight + 1)
    face.cell.top += (textHeight - pictureHeight) / 2;
  else
    face.caption.top += (pictureHeight - textHeight) / 2;
  return face;
}

FaceLayout PlaceRadioFace(int width, int height, int cellWidth, int pictureHeight, int textHeight, bool captionRight) {
  FaceLayout face;
  face.cell = Box{captionRight ? 0 : width - cellWidth, 0, cellWidth, pictureHeight};
  face.caption = captionRight ? Box{cellWidth, 0, width - cellWidth, height} : Box{0, 0, width - cellWidth, height};
  face.caption.top += (pictureHeight - textHeight) / 2;
  return face;
}

}  // namespace corvan
