#pragma once
// The numbers behind the toolkit's check boxes, radio buttons and radio groups: where a
// group places its item buttons, how its keys move the selection, how a check box
// cycles through its states, and where a picture cell and its caption go on a face.
#include <cstdint>

namespace corvan {

struct Box {
  int left, top, width, height;
  bool operator==(const Box&) const = default;
};

// Columns are kept within 1..16; an item index within -1..count-1.
int ClampColumns(int columns);
int ClampItemIndex(int index, int count);

// The place of item button `index` of `count` in a group of the given size. Rows are
// spread over the group's height; with more than one row each row also gets a share of
// what one row leaves beyond the font's height (fontHeight is taken as its absolute value).
Box PlaceGroupButton(int index, int count, int columns, int groupWidth, int groupHeight, int fontHeight);

enum class GroupKey : std::uint8_t { Home, End, PageUp, PageDown };
// The item index a navigation key selects (the current one when the key moves nothing).
int GroupKeyTarget(GroupKey key, int itemIndex, int count);

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
// A click, Space or the accelerator: unchecked -> grayed (AllowGrayed) or checked,
// checked -> unchecked, grayed -> checked.
TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed);
// The picture cell a check box state shows: checked 0, unchecked 1, grayed 2.
int CheckCellIndex(TCheckBoxState state);

// A check box or radio button face: the picture cell and the caption area.
struct FaceLayout {
  Box cell;
  Box caption;
};
// Check box: the cell at the left edge (captionRight) or at the right edge; when the
// picture is not at least one pixel taller than the text the cell moves down to centre
// on the text, otherwise the caption moves down to centre on the picture.
FaceLayout PlaceCheckFace(int width, int height, int cellWidth, int pictureHeight, int textHeight, bool captionRight);
// Radio button: the circle at the left edge (captionRight) or at the right edge; the
// caption area moves down by (picture height - text height) div 2, upwards when the
// text is taller.
FaceLayout PlaceRadioFace(int width, int height, int cellWidth, int pictureHeight, int textHeight, bool captionRight);

}  // namespace corvan
