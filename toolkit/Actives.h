#pragma once
// The toolkit's "active" controls: labels whose accelerator focuses a box, edit boxes,
// memo and combo box that light their tied label while they have the focus and draw a
// flat frame, and the painted check box, radio button and radio group.
//
//   TActiveLabel Label1{this, {.name = L"Label1", .left = 8, .top = 8, .width = 60, .height = 13,
//                              .caption = L"&Date:"}};
//   TActiveEdit DDir{this, {.name = L"DDir", .left = 70, .top = 5, .width = 300, .height = 21}};
//   DDir.SetAssocLabel(&Label1);   // Alt+D or a click on the label focuses DDir
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/radio_layout.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Control.h"
#include "toolkit/Types.h"

// A box's outer bevel takes the same kinds as a panel's.
using TBevelCut = TPanelBevel;

class TActiveLabel;

// What a box tied to a label must hear from it.
class ILabelTie {
 public:
  virtual ~ILabelTie() = default;
  // The tied label is going away: the box forgets it.
  virtual void LabelDestroyed(TActiveLabel& label) = 0;
};

// A windowless label. With ShowAccelChar its "&" letter is red (and underlined while the
// focus control has the focus); a click or Alt + the letter focuses FocusControl.
class TActiveLabel : public TControl {
 public:
  TActiveLabel(TWinControl* parent, const TControlDesc& desc);
  ~TActiveLabel() override;

  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Sizes the label to its text when switched on and at each caption change.
  bool Autosize() const { return autosize_; }
  void SetAutosize(bool on);
  void SetCaption(const std::wstring& caption) override;

  void Paint(HDC dc) override;
  void Click() override;
  bool DialogChar(wchar_t ch) override;

  // Called by the box that ties itself to this label (null: untied).
  void SetTie(ILabelTie* box) { tie_ = box; }

 private:
  void AdjustSize();

  TWinControl* focusControl_ = nullptr;
  ILabelTie* tie_ = nullptr;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool autosize_ = false;
};

// The part of tying a label that the edit box, the memo and the combo box share: while
// the box has the focus the label's font colour is LabelColor; leaving puts back the
// label's colour and style.
class TLabelTie : public ILabelTie {
 public:
  explicit TLabelTie(TWinControl& box) : box_(box) {}
  ~TLabelTie() override;
  TLabelTie(const TLabelTie&) = delete;
  TLabelTie& operator=(const TLabelTie&) = delete;

  TActiveLabel* Label() const { return label_; }
  // Stores the label and makes the box its FocusControl.
  void SetLabel(TActiveLabel* label);
  corvan::TColor LabelColor = clHighlightText;

  void Enter();
  void Exit();
  void LabelDestroyed(TActiveLabel& label) override;

 private:
  TWinControl& box_;
  TActiveLabel* label_ = nullptr;
  bool lit_ = false;
  corvan::TColor oldColor_ = 0;
  std::uint8_t oldStyle_ = 0;
};

struct TFlatFrame {
  corvan::TColor borderColor = corvan::Hex(0x808080);
  corvan::TColor borderColorF = corvan::Hex(0xFFFFFF);
  TBevelCut bevelOuter = bvNone;
};

// Paints the two outer pixel rings of a box window: a 1-pixel 3-D frame (bevel) or a frame
// in the border colour of the focus state, then a ring in the box colour.
void PaintFlatFrame(HWND window, const TFlatFrame& frame, bool focused, corvan::TColor boxColor);

// What the edit box, the memo and the combo box share: a platform box whose text is the
// caption until its window exists, a tied label lit while the box has the focus, the
// box colour (the window colour unless the description gives one) and the brush the
// platform paints its background with.
class TActiveBox : public TWinControl {
 public:
  std::wstring Text();
  void SetText(const std::wstring& text);

  TActiveLabel* AssocLabel() const { return tie_.Label(); }
  void SetAssocLabel(TActiveLabel* label) { tie_.SetLabel(label); }
  corvan::TColor LabelColor() const { return tie_.LabelColor; }
  void SetLabelColor(corvan::TColor color) { tie_.LabelColor = color; }

 protected:
  TActiveBox(TWinControl* parent, const TControlDesc& desc, int defaultWidth, int defaultHeight);
  // The text in the font colour (grey while disabled) on the box colour.
  HBRUSH ReflectCtlColor(UINT message, HDC dc) override;

  TLabelTie tie_{*this};

 private:
  OwnedBrush brush_;
  corvan::TColor brushColor_ = 0;
};

// A one-line edit box (the platform's EDIT).
class TActiveEdit : public TActiveBox {
 public:
  TActiveEdit(TWinControl* parent, const TControlDesc& desc);

  // The alignment of the text while the box does not have the focus.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // The alignment in force now (left while the box has the focus).
  TAlignment CurrentAlignment() const { return current_; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  bool FlatStyle() const { return flatStyle_; }
  void SetFlatStyle(bool on);
  const TFlatFrame& Frame() const { return frame_; }
  void SetBorderColor(corvan::TColor color);
  void SetBorderColorF(corvan::TColor color);
  void SetBevelOuter(TBevelCut bevel);
  wchar_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t ch);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  // The inner margin of the self-drawn text: the smaller text height of the box's font
  // and the platform's default font, div 4.
  int TextMargin() const { return textMargin_; }

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ReflectCommand(WORD code, LRESULT& result) override;
  void FocusEnter() override;
  void FocusExit() override;
  void FontChanged() override;

 private:
  bool DrawsFlatFrame() const;
  // The platform's sunken frame exactly with a single border and the 3-D look.
  void UpdateFrameStyle();
  void DrawFrame();
  void PaintOwnText();
  void ComputeTextMargin();

  TAlignment alignment_ = taLeftJustify;
  TAlignment current_ = taLeftJustify;
  TAlignment oldAlignment_ = taLeftJustify;
  TFormBorderStyle borderStyle_ = bsSingle;
  bool ctl3D_ = true;
  bool flatStyle_ = false;
  TFlatFrame frame_;
  bool focused_ = false;
  wchar_t passwordChar_ = 0;
  bool readOnly_ = false;
  int maxLength_ = 0;
  int textMargin_ = 0;
};

// A multi-line edit box that ties a label like the edit box.
class TActiveMemo : public TActiveBox {
 public:
  TActiveMemo(TWinControl* parent, const TControlDesc& desc);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  void SetReadOnly(bool on);
  void SetWordWrap(bool on);
  bool VerticalScrollBar() const { return verticalScrollBar_; }
  void SetVerticalScrollBar(bool on);

 protected:
  void CreateParams(TCreateParams& params) override;
  void FocusEnter() override;
  void FocusExit() override;

 private:
  void Recreate();
  TFormBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taLeftJustify;
  bool readOnly_ = false;
  bool wordWrap_ = true;
  bool verticalScrollBar_ = false;
};

// A drop-down combo box with a flat frame and a flat button, optional auto-completion.
class TActiveCombo : public TActiveBox {
 public:
  TActiveCombo(TWinControl* parent, const TControlDesc& desc);
  ~TActiveCombo() override;

  void SetItems(const std::vector<std::wstring>& items);
  int ItemIndex();
  void SetItemIndex(int index);
  bool DroppedDown();
  void SetDroppedDown(bool down);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  bool FlatStyle() const { return flatStyle_; }
  void SetFlatStyle(bool on);
  TFlatFrame& Frame() { return frame_; }
  corvan::TColor ArrowColor = corvan::Hex(0x000000);
  corvan::TColor ButtonColor = clBtnFace;
  bool AutoComplete = false;
  // Set when Escape closed the open list.
  bool WasDroppedDown = false;

  TNotifyEvent OnChange;
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ReflectCommand(WORD code, LRESULT& result) override;
  void KeyDown(WORD& key, TShiftState shift) override;

 private:
  static LRESULT CALLBACK EditSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  void EditKey(WORD key);
  void Complete();
  void DrawFlat();
  bool HasFocusInside() const;

  std::vector<std::wstring> items_;
  TFormBorderStyle borderStyle_ = bsNone;
  bool flatStyle_ = false;
  TFlatFrame frame_;
  bool focused_ = false;
  WORD lastKey_ = 0;
  bool completing_ = false;
  HWND edit_ = nullptr;
};

// The painted check box: the shared Check picture (checked, unchecked, grayed cells) and
// a caption with a red accelerator letter.
class TMCustomCheckBox : public TWinControl {
 public:
  TMCustomCheckBox(TWinControl* parent, const TControlDesc& desc);

  corvan::TCheckBoxState State() const { return state_; }
  // Unchanged: nothing. Changed: repaints and fires the click event once.
  void SetState(corvan::TCheckBoxState state);
  bool Checked() const { return state_ == corvan::cbChecked; }
  void SetChecked(bool on) { SetState(on ? corvan::cbChecked : corvan::cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool on) { allowGrayed_ = on; }
  // Right: box at the left, caption to its right; left: caption first, box at the right edge.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // A private picture of three cells used instead of the shared one. Owned.
  void SetGlyph(HBITMAP glyph);
  bool CustomGlyph() const { return customGlyph_; }
  void SetCustomGlyph(bool on);
  // What a click, Space or the accelerator does.
  void Toggle();

  bool DialogChar(wchar_t ch) override;

 protected:
  void PaintWindow(HDC dc) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // The user's click toggles; the click event itself fires from SetState.
  void Click() override;
  void KeyPress(wchar_t& key) override;
  void FocusEnter() override;
  void FocusExit() override;

 private:
  HBITMAP Picture() const;
  corvan::TCheckBoxState state_ = corvan::cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
  bool customGlyph_ = false;
  OwnedBitmap glyph_;
};

class TActiveCheckBox : public TMCustomCheckBox {
 public:
  using TMCustomCheckBox::TMCustomCheckBox;
};

// The painted radio button: the shared Radio picture (unchecked, checked cells).
class TMRadioButton : public TWinControl {
 public:
  TMRadioButton(TWinControl* parent, const TControlDesc& desc);

  bool Checked() const { return checked_; }
  // Unchanged: nothing. Otherwise the button is a tab stop exactly when checked; checking
  // unchecks every other radio button of the parent and fires the click event.
  void SetChecked(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  bool DialogChar(wchar_t ch) override;

 protected:
  void PaintWindow(HDC dc) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // The user's click (mouse); Space does the same through UserClick.
  void Click() override;
  void KeyPress(wchar_t& key) override;
  void FocusEnter() override;
  void FocusExit() override;
  // A user's click: checks the button.
  virtual void UserClick();
  // The click event of a button that became checked.
  virtual void CheckedClick();

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TMCustomRadioGroup;

// The radio button of one item of a group: its clicks and keys go through the group.
class TMGroupButton : public TMRadioButton {
 public:
  TMGroupButton(TMCustomRadioGroup& group, int index);
  TMCustomRadioGroup& Group() const { return group_; }
  bool DialogChar(wchar_t ch) override;

 protected:
  void UserClick() override;
  void CheckedClick() override;
  void DblClick() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(wchar_t& key) override;

 private:
  TMCustomRadioGroup& group_;
};

// Asked before a user action changes a radio group's selection; set canModify to refuse.
using TModifyEvent = std::function<void(TControl& sender, bool& canModify)>;

// A frameless group of radio buttons built from a list of strings.
class TMCustomRadioGroup : public TWinControl {
 public:
  TMCustomRadioGroup(TWinControl* parent, const TControlDesc& desc, std::vector<std::wstring> items = {},
                     int columns = 1);
  ~TMCustomRadioGroup() override;

  const std::vector<std::wstring>& Items() const { return items_; }
  // Lowers ItemIndex to the last item when beyond it and rebuilds the buttons.
  void SetItems(std::vector<std::wstring> items);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ItemIndex() const { return itemIndex_; }
  // Clamped to -1..count-1; a change checks the new button (firing OnClick), OnModify is not asked.
  void SetItemIndex(int index);
  TMGroupButton* Button(int index) const;
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }

  TModifyEvent OnModify;

  // The group's answer to OnModify (true without a handler).
  bool CanModify();
  // An item button was checked.
  void ItemClicked(TMGroupButton& button);
  // Keys typed on an item button reach the group as well.
  void GroupKeyDown(WORD& key, TShiftState shift);

  void SetEnabled(bool enabled) override;

 protected:
  void Resize() override;
  void BoundsChanged() override;
  void FontChanged() override;

 private:
  void Rebuild();
  void PlaceButtons();

  std::vector<std::wstring> items_;
  std::vector<std::unique_ptr<TMGroupButton>> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TMRadioGroup : public TMCustomRadioGroup {
 public:
  using TMCustomRadioGroup::TMCustomRadioGroup;
};
