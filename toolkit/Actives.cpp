#include "toolkit/Actives.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Bevel.h"
#include "toolkit/GGlobals.h"

using corvan::TColor;

namespace {

constexpr TColor kAccentRed = corvan::Hex(0xFF0000);
constexpr TColor kDisabledText = corvan::Hex(0x808080);

// "Color: the parent's" for controls whose description leaves the default.
TColor ParentColorOr(TWinControl* parent, const TControlDesc& desc) {
  if (parent && (desc.parentColor || desc.color == clBtnFace)) return parent->Color();
  return desc.color;
}

TControlDesc WithDefaultSize(TControlDesc desc, int width, int height) {
  if (desc.width == 0) desc.width = width;
  if (desc.height == 0) desc.height = height;
  return desc;
}

SIZE TextExtent(HDC dc, const std::wstring& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

UINT AlignmentFlags(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

// A cell of a picture strip copied with the colour of the picture's top-left pixel transparent.
void DrawCell(HDC dc, HBITMAP picture, int cell, int cellWidth, int x, int y) {
  BITMAP bm{};
  if (!picture || !GetObjectW(picture, sizeof(bm), &bm) || cellWidth <= 0 || bm.bmHeight <= 0) return;
  MemoryDC source(dc);
  SelectGuard select(source.Get(), picture);
  const COLORREF transparent = GetPixel(source.Get(), 0, 0);
  TransparentBlt(dc, x, y, cellWidth, bm.bmHeight, source.Get(), cell * cellWidth, 0, cellWidth, bm.bmHeight,
                 transparent);
}

SIZE PictureSize(HBITMAP picture) {
  BITMAP bm{};
  if (!picture || !GetObjectW(picture, sizeof(bm), &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight};
}

RECT ToRect(const corvan::Box& box) { return {box.left, box.top, box.left + box.width, box.top + box.height}; }

}  // namespace

// ---------------------------------------------------------------- TActiveLabel

TActiveLabel::TActiveLabel(TWinControl* parent, const TControlDesc& desc) : TControl(parent, desc) {
  if (desc.color == clBtnFace && parent) SetColor(parent->Color());
}

TActiveLabel::~TActiveLabel() {
  if (ILabelTie* tie = std::exchange(tie_, nullptr)) tie->LabelDestroyed(*this);
}

void TActiveLabel::SetFocusControl(TWinControl* control) {
  if (control == focusControl_) return;
  focusControl_ = control;
  Invalidate();
}

void TActiveLabel::SetShowAccelChar(bool on) {
  if (on == showAccelChar_) return;
  showAccelChar_ = on;
  AdjustSize();
  Invalidate();
}

void TActiveLabel::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  Invalidate();
}

void TActiveLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TActiveLabel::SetAutosize(bool on) {
  autosize_ = on;
  AdjustSize();
}

void TActiveLabel::SetCaption(const std::wstring& caption) {
  TControl::SetCaption(caption);
  AdjustSize();
}

void TActiveLabel::AdjustSize() {
  if (!autosize_) return;
  WindowDC screen;
  SelectGuard font(screen.Get(), Font().Handle());
  std::wstring text = Caption().empty() ? L" " : Caption();
  RECT r{0, 0, 0, 0};
  DrawTextW(screen.Get(), text.c_str(), -1, &r,
            DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | (showAccelChar_ ? 0 : DT_NOPREFIX));
  SetBounds(Left(), Top(), r.right, r.bottom);
}

void TActiveLabel::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) FillSolid(dc, r, ResolveColor(Color()));
  SelectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  const UINT flags = AlignmentFlags(alignment_) | DT_SINGLELINE | DT_EXPANDTABS;
  std::wstring text = Caption();
  if (!Enabled()) {
    DrawEmbossedText(dc, r, text, flags);
    return;
  }
  if (text.empty() || (showAccelChar_ && text == L"&")) text = L" ";
  SetTextColor(dc, Font().TextColor());
  if (showAccelChar_) {
    const bool underline = focusControl_ && focusControl_->Focused();
    DrawAccentText(dc, text, r, underline, kAccentRed, flags);
  } else {
    DrawTextW(dc, text.c_str(), -1, &r, flags | DT_NOPREFIX);
  }
}

void TActiveLabel::Click() {
  TControl::Click();
  if (focusControl_ && focusControl_->CanFocus()) focusControl_->SetFocus();
}

bool TActiveLabel::DialogChar(wchar_t ch) {
  if (!showAccelChar_ || !Enabled() || !focusControl_ || !focusControl_->CanFocus()) return false;
  if (!IsAccel(ch, Caption())) return false;
  Click();
  return true;
}

// ---------------------------------------------------------------- TLabelTie

TLabelTie::~TLabelTie() { SetLabel(nullptr); }

void TLabelTie::SetLabel(TActiveLabel* label) {
  if (label == label_) return;
  if (label_) {
    Exit();
    label_->SetTie(nullptr);
    if (label_->FocusControl() == &box_) label_->SetFocusControl(nullptr);
  }
  label_ = label;
  if (label_) {
    label_->SetTie(this);
    label_->SetFocusControl(&box_);
  }
}

void TLabelTie::Enter() {
  if (!label_ || lit_) return;
  oldColor_ = label_->Font().Color();
  oldStyle_ = label_->Font().Style();
  label_->Font().SetColor(LabelColor);
  lit_ = true;
  label_->Invalidate();  // the accelerator letter is underlined now
}

void TLabelTie::Exit() {
  if (!label_ || !lit_) return;
  label_->Font().SetColor(oldColor_);
  label_->Font().SetStyle(oldStyle_);
  lit_ = false;
  label_->Invalidate();
}

void TLabelTie::LabelDestroyed(TActiveLabel& label) {
  if (&label != label_) return;
  label_ = nullptr;
  lit_ = false;
}

// ---------------------------------------------------------------- flat frame

void PaintFrameRings(HDC dc, RECT& rect, const TFlatFrame& frame, bool focused, TColor boxColor) {
  if (frame.bevelOuter != bvNone) {
    // A box's frame draws a space bevel as a lowered one.
    RECT ring = rect;
    PaintBevel(dc, ring, frame.bevelOuter == bvSpace ? bvLowered : frame.bevelOuter, 0, 1);
  } else {
    FrameSolid(dc, rect, ResolveColor(focused ? frame.borderColorF : frame.borderColor));
  }
  InflateRect(&rect, -1, -1);
  FrameSolid(dc, rect, ResolveColor(boxColor));
}

void PaintFlatFrame(HWND window, const TFlatFrame& frame, bool focused, TColor boxColor) {
  if (!window) return;
  WindowDC dc(window, true);
  if (!dc.Get()) return;
  RECT r;
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  PaintFrameRings(dc.Get(), r, frame, focused, boxColor);
}

// ---------------------------------------------------------------- TActiveBox

TActiveBox::TActiveBox(TWinControl* parent, const TControlDesc& desc, int defaultWidth, int defaultHeight)
    : TWinControl(parent, WithDefaultSize(desc, defaultWidth, defaultHeight)) {
  if (desc.color == clBtnFace) SetColor(clWindow);
  SetTabStop(true);
}

std::wstring TActiveBox::Text() {
  HWND window = HandleIfCreated();
  if (!window) return Caption();
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TActiveBox::SetText(const std::wstring& text) {
  SetCaption(text);
  if (HWND window = HandleIfCreated()) SetWindowTextW(window, text.c_str());
}

HBRUSH TActiveBox::ReflectCtlColor(UINT, HDC dc) {
  SetTextColor(dc, Enabled() ? Font().TextColor() : ResolveColor(kDisabledText));
  SetBkColor(dc, ResolveColor(Color()));
  // Remade only when the colour changed.
  if (!brush_ || brushColor_ != Color()) {
    brush_.Reset(CreateSolidBrush(ResolveColor(Color())));
    brushColor_ = Color();
  }
  return brush_.Get();
}

// ---------------------------------------------------------------- TActiveEdit

TActiveEdit::TActiveEdit(TWinControl* parent, const TControlDesc& desc) : TActiveBox(parent, desc, 121, 21) {}

void TActiveEdit::CreateParams(TCreateParams& params) {
  TActiveBox::CreateParams(params);
  params.systemClass = L"EDIT";
  params.style &= ~WS_CLIPCHILDREN;
  // The box itself always edits left-aligned; other alignments it draws itself while unfocused.
  params.style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) params.style |= ES_READONLY;
  if (borderStyle_ == bsSingle && ctl3D_) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TActiveEdit::HandleCreated() {
  HWND window = HandleIfCreated();
  SendMessageW(window, EM_SETPASSWORDCHAR, passwordChar_, 0);
  SendMessageW(window, EM_SETLIMITTEXT, maxLength_, 0);
  ComputeTextMargin();
}

void TActiveEdit::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  if (!focused_) current_ = alignment_;
  Invalidate();
}

void TActiveEdit::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  UpdateFrameStyle();
}

void TActiveEdit::SetCtl3D(bool on) {
  if (on == ctl3D_) return;
  ctl3D_ = on;
  UpdateFrameStyle();
}

void TActiveEdit::UpdateFrameStyle() {
  if (HWND window = HandleIfCreated()) {
    LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
    ex = (borderStyle_ == bsSingle && ctl3D_) ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
    SetWindowLongW(window, GWL_EXSTYLE, ex);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  Invalidate();
}

void TActiveEdit::SetFlatStyle(bool on) {
  if (on == flatStyle_) return;
  flatStyle_ = on;
  if (HWND window = HandleIfCreated())
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TActiveEdit::SetBorderColor(TColor color) {
  frame_.borderColor = color;
  DrawFrame();
}

void TActiveEdit::SetBorderColorF(TColor color) {
  frame_.borderColorF = color;
  DrawFrame();
  Invalidate();
}

void TActiveEdit::SetBevelOuter(TBevelCut bevel) {
  frame_.bevelOuter = bevel;
  DrawFrame();
}

void TActiveEdit::SetPasswordChar(wchar_t ch) {
  if (ch == passwordChar_) return;
  passwordChar_ = ch;
  if (HWND window = HandleIfCreated()) SendMessageW(window, EM_SETPASSWORDCHAR, ch, 0);
  Invalidate();
}

void TActiveEdit::SetReadOnly(bool on) {
  readOnly_ = on;
  if (HWND window = HandleIfCreated()) SendMessageW(window, EM_SETREADONLY, on, 0);
}

void TActiveEdit::SetMaxLength(int length) {
  maxLength_ = std::max(length, 0);
  if (HWND window = HandleIfCreated()) SendMessageW(window, EM_SETLIMITTEXT, maxLength_, 0);
}

void TActiveEdit::ComputeTextMargin() {
  WindowDC screen;
  TEXTMETRICW own{}, system{};
  {
    SelectGuard font(screen.Get(), Font().Handle());
    GetTextMetricsW(screen.Get(), &own);
  }
  {
    SelectGuard font(screen.Get(), GetStockObject(SYSTEM_FONT));
    GetTextMetricsW(screen.Get(), &system);
  }
  textMargin_ = std::min(own.tmHeight, system.tmHeight) / 4;
}

void TActiveEdit::FontChanged() {
  if (HWND window = HandleIfCreated()) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  ComputeTextMargin();
  TActiveBox::FontChanged();
}

bool TActiveEdit::DrawsFlatFrame() const { return ctl3D_ && flatStyle_ && borderStyle_ == bsSingle; }

void TActiveEdit::DrawFrame() {
  if (DrawsFlatFrame()) PaintFlatFrame(HandleIfCreated(), frame_, focused_, Color());
}

void TActiveEdit::PaintOwnText() {
  HWND window = HandleIfCreated();
  PAINTSTRUCT ps;
  HDC target = BeginPaint(window, &ps);
  if (target) {
    RECT client;
    GetClientRect(window, &client);
    // Where the box itself puts its first character, so the text does not jump on focus.
    const LRESULT pos = SendMessageW(window, EM_POSFROMCHAR, 0, 0);
    const int top = pos == -1 ? 0 : static_cast<short>(HIWORD(pos));
    DoubleBuffer buffer(target, client.right, client.bottom);
    HDC dc = buffer.Get();
    FillSolid(dc, client, ResolveColor(Color()));
    SelectGuard font(dc, Font().Handle());
    std::wstring text = Text();
    if (passwordChar_) text.assign(text.size(), passwordChar_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? Font().TextColor() : ResolveColor(kDisabledText));
    const int width = TextExtent(dc, text).cx;
    const int margin = borderStyle_ == bsSingle ? textMargin_ - 2 : 0;
    const int x = current_ == taRightJustify ? client.right - width - margin : (client.left + client.right - width) / 2;
    TextOutW(dc, x, top, text.c_str(), static_cast<int>(text.size()));
    if (borderStyle_ == bsSingle && !ctl3D_) FrameSolid(dc, client, ResolveColor(frame_.borderColor));
  }
  EndPaint(window, &ps);
}

bool TActiveEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      if (current_ != taLeftJustify) {
        PaintOwnText();
        result = 0;
        return true;
      }
      if (borderStyle_ == bsSingle && !ctl3D_) {
        // A single frame without the 3-D look: one line in the border colour over the client area.
        result = DefaultProc(message, wParam, lParam);
        HWND window = HandleIfCreated();
        RECT client;
        GetClientRect(window, &client);
        WindowDC dc(window);
        FrameSolid(dc.Get(), client, ResolveColor(frame_.borderColor));
        return true;
      }
      return false;
    case WM_NCPAINT:
      if (!DrawsFlatFrame()) return false;
      result = DefaultProc(message, wParam, lParam);
      DrawFrame();
      return true;
    default:
      return TActiveBox::WndProc(message, wParam, lParam, result);
  }
}

bool TActiveEdit::ReflectCommand(WORD code, LRESULT& result) {
  if (code != EN_CHANGE) return false;
  if (OnChange) OnChange(*this);
  result = 0;
  return true;
}

void TActiveEdit::FocusEnter() {
  TActiveBox::FocusEnter();
  focused_ = true;
  if (alignment_ != taLeftJustify) oldAlignment_ = alignment_;
  current_ = taLeftJustify;
  tie_.Enter();
  Invalidate();
  DrawFrame();
}

void TActiveEdit::FocusExit() {
  TActiveBox::FocusExit();
  if (oldAlignment_ != taLeftJustify) current_ = oldAlignment_;
  focused_ = false;
  tie_.Exit();
  Invalidate();
  DrawFrame();
}

// ---------------------------------------------------------------- TActiveMemo

TActiveMemo::TActiveMemo(TWinControl* parent, const TControlDesc& desc) : TActiveBox(parent, desc, 185, 89) {}

void TActiveMemo::CreateParams(TCreateParams& params) {
  TActiveBox::CreateParams(params);
  params.systemClass = L"EDIT";
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (!wordWrap_) params.style |= ES_AUTOHSCROLL;
  if (verticalScrollBar_) params.style |= WS_VSCROLL;
  if (readOnly_) params.style |= ES_READONLY;
  if (alignment_ == taRightJustify) params.style |= ES_RIGHT;
  if (alignment_ == taCenter) params.style |= ES_CENTER;
  if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TActiveMemo::Recreate() {
  if (!HandleAllocated()) return;
  const std::wstring text = Text();
  DestroyHandle();
  SetCaption(text);
  CreateHandle();
}

void TActiveMemo::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  Recreate();
}

void TActiveMemo::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Recreate();
}

void TActiveMemo::SetReadOnly(bool on) {
  readOnly_ = on;
  if (HWND window = HandleIfCreated()) SendMessageW(window, EM_SETREADONLY, on, 0);
}

void TActiveMemo::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  Recreate();
}

void TActiveMemo::SetVerticalScrollBar(bool on) {
  if (on == verticalScrollBar_) return;
  verticalScrollBar_ = on;
  Recreate();
}

void TActiveMemo::FocusEnter() {
  TActiveBox::FocusEnter();
  tie_.Enter();
}

void TActiveMemo::FocusExit() {
  TActiveBox::FocusExit();
  tie_.Exit();
}

// ---------------------------------------------------------------- TActiveCombo

TActiveCombo::TActiveCombo(TWinControl* parent, const TControlDesc& desc) : TActiveBox(parent, desc, 145, 21) {}

TActiveCombo::~TActiveCombo() { DestroyHandle(); }

void TActiveCombo::CreateParams(TCreateParams& params) {
  TActiveBox::CreateParams(params);
  params.systemClass = L"COMBOBOX";
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
  // The window's height includes the list; the closed box keeps the edit's height.
  params.height = Height() + 8 * std::max(Height() - 6, 8);
}

void TActiveCombo::HandleCreated() {
  HWND window = HandleIfCreated();
  for (const std::wstring& item : items_) SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (!Caption().empty()) SetWindowTextW(window, Caption().c_str());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(window, &info) && info.hwndItem && info.hwndItem != window) {
    edit_ = info.hwndItem;
    SetWindowSubclass(edit_, &TActiveCombo::EditSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
  }
}

void TActiveCombo::HandleDestroying() {
  if (edit_) RemoveWindowSubclass(edit_, &TActiveCombo::EditSubclass, 1);
  edit_ = nullptr;
}

LRESULT CALLBACK TActiveCombo::EditSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
  if (message == WM_KEYDOWN) reinterpret_cast<TActiveCombo*>(data)->EditKey(static_cast<WORD>(wParam));
  return DefSubclassProc(window, message, wParam, lParam);
}

void TActiveCombo::EditKey(WORD key) {
  lastKey_ = key;
  if (key == VK_ESCAPE && DroppedDown()) WasDroppedDown = true;
}

void TActiveCombo::KeyDown(WORD& key, TShiftState shift) {
  EditKey(key);
  TActiveBox::KeyDown(key, shift);
}

void TActiveCombo::SetItems(const std::vector<std::wstring>& items) {
  items_ = items;
  if (HWND window = HandleIfCreated()) {
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items_)
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

int TActiveCombo::ItemIndex() { return static_cast<int>(Perform(CB_GETCURSEL)); }
void TActiveCombo::SetItemIndex(int index) { Perform(CB_SETCURSEL, static_cast<WPARAM>(index)); }
bool TActiveCombo::DroppedDown() { return HandleAllocated() && Perform(CB_GETDROPPEDSTATE) != 0; }
void TActiveCombo::SetDroppedDown(bool down) { Perform(CB_SHOWDROPDOWN, down); }

void TActiveCombo::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  Invalidate();
}

void TActiveCombo::SetFlatStyle(bool on) {
  flatStyle_ = on;
  Invalidate();
}

void TActiveCombo::Complete() {
  HWND window = HandleIfCreated();
  const std::wstring typed = Text();
  if (typed.empty()) return;
  const LRESULT found = SendMessageW(window, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed.c_str()));
  if (found == CB_ERR) return;
  const LRESULT length = SendMessageW(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(found), 0);
  if (length == CB_ERR || static_cast<size_t>(length) <= typed.size()) return;
  std::wstring item(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(found), reinterpret_cast<LPARAM>(item.data()));
  item.resize(static_cast<size_t>(length));
  completing_ = true;
  SetWindowTextW(window, item.c_str());
  SendMessageW(window, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
  completing_ = false;
}

bool TActiveCombo::HasFocusInside() const {
  HWND focus = GetFocus();
  HWND window = HandleIfCreated();
  return focus && window && (focus == window || IsChild(window, focus));
}

void TActiveCombo::DrawFlat() {
  HWND window = HandleIfCreated();
  if (!flatStyle_ || !window) return;
  WindowDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  RECT rings = r;
  if (borderStyle_ == bsNone) {
    // Without a border both rings are in the box colour.
    FrameSolid(dc.Get(), rings, ResolveColor(Color()));
    InflateRect(&rings, -1, -1);
    FrameSolid(dc.Get(), rings, ResolveColor(Color()));
  } else {
    PaintFrameRings(dc.Get(), rings, frame_, focused_, Color());
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(window, &info)) {
    RECT button = info.rcButton;
    FillSolid(dc.Get(), button, ResolveColor(ButtonColor));
    // A small downward triangle in the middle of the button.
    const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2 - 1;
    const COLORREF arrow = ResolveColor(ArrowColor);
    for (int row = 0; row < 4; ++row) FillSolid(dc.Get(), {cx - 3 + row, cy + row, cx + 4 - row, cy + row + 1}, arrow);
  }
}

bool TActiveCombo::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_PAINT && flatStyle_) {
    result = DefaultProc(message, wParam, lParam);
    DrawFlat();
    return true;
  }
  return TActiveBox::WndProc(message, wParam, lParam, result);
}

bool TActiveCombo::ReflectCommand(WORD code, LRESULT& result) {
  result = 0;
  switch (code) {
    case CBN_EDITCHANGE:
      if (AutoComplete && !completing_ && lastKey_ != VK_BACK && lastKey_ != VK_DELETE) Complete();
      if (OnChange) OnChange(*this);
      return true;
    case CBN_SELCHANGE:
      if (OnChange) OnChange(*this);
      return true;
    case CBN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(*this);
      return true;
    case CBN_SETFOCUS:
      focused_ = true;
      tie_.Enter();
      DrawFlat();
      return true;
    case CBN_KILLFOCUS:
      if (HasFocusInside()) return true;
      focused_ = false;
      tie_.Exit();
      DrawFlat();
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- TMCustomCheckBox

TMCustomCheckBox::TMCustomCheckBox(TWinControl* parent, const TControlDesc& desc)
    : TWinControl(parent, WithDefaultSize(desc, 97, 17)) {
  SetColor(ParentColorOr(parent, desc));
  SetTabStop(true);
}

void TMCustomCheckBox::SetState(corvan::TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
  TControl::Click();  // the click event, once per change
}

void TMCustomCheckBox::Toggle() { SetState(corvan::NextCheckState(state_, allowGrayed_)); }

void TMCustomCheckBox::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TMCustomCheckBox::SetGlyph(HBITMAP glyph) {
  glyph_.Reset(glyph);
  Invalidate();
}

void TMCustomCheckBox::SetCustomGlyph(bool on) {
  customGlyph_ = on;
  Invalidate();
}

HBITMAP TMCustomCheckBox::Picture() const { return customGlyph_ ? glyph_.Get() : SharedPicture(L"Check"); }

void TMCustomCheckBox::PaintWindow(HDC dc) {
  const RECT client = ClientRect();
  FillSolid(dc, client, ResolveColor(Color()));
  HBITMAP picture = Picture();
  const SIZE pictureSize = PictureSize(picture);
  SelectGuard font(dc, Font().Handle());
  const int textHeight = TextExtent(dc, L"Wg").cy;
  const int cellWidth = pictureSize.cx / 3;
  const corvan::FaceLayout face = corvan::PlaceCheckFace(client.right, client.bottom, cellWidth, pictureSize.cy,
                                                         textHeight, alignment_ != taLeftJustify);
  DrawCell(dc, picture, corvan::CheckCellIndex(state_), cellWidth, face.cell.left, face.cell.top);
  SetBkMode(dc, TRANSPARENT);
  TColor textColor = Font().Color(), accent = kAccentRed;
  if (!Enabled())
    textColor = accent = clGrayText;
  else if (Focused())
    textColor = kAccentRed;
  SetTextColor(dc, ResolveColor(textColor));
  DrawAccentText(dc, Caption(), ToRect(face.caption), Focused(), accent, 0);
}

void TMCustomCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
  TWinControl::MouseDown(button, shift, x, y);
}

void TMCustomCheckBox::Click() { Toggle(); }

void TMCustomCheckBox::KeyPress(wchar_t& key) {
  TWinControl::KeyPress(key);
  if (key == L' ') {
    Toggle();
    key = 0;
  }
}

bool TMCustomCheckBox::DialogChar(wchar_t ch) {
  if (!IsAccel(ch, Caption()) || !CanFocus()) return false;
  SetFocus();
  if (Focused()) Toggle();
  return true;
}

void TMCustomCheckBox::FocusEnter() {
  TWinControl::FocusEnter();
  Invalidate();
}

void TMCustomCheckBox::FocusExit() {
  TWinControl::FocusExit();
  Invalidate();
}

// ---------------------------------------------------------------- TMRadioButton

TMRadioButton::TMRadioButton(TWinControl* parent, const TControlDesc& desc)
    : TWinControl(parent, WithDefaultSize(desc, 113, 17)) {
  SetColor(ParentColorOr(parent, desc));
  SetTabStop(false);
}

void TMRadioButton::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  SetTabStop(on);
  Invalidate();
  if (!on) return;
  if (TWinControl* parent = Parent()) {
    for (TControl* sibling : parent->Controls())
      if (auto* other = dynamic_cast<TMRadioButton*>(sibling); other && other != this) other->SetChecked(false);
  }
  CheckedClick();
}

void TMRadioButton::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TMRadioButton::PaintWindow(HDC dc) {
  // The base paints through an off-screen buffer of the button's size, copied in one piece.
  const RECT client = ClientRect();
  FillSolid(dc, client, ResolveColor(Color()));
  HBITMAP picture = SharedPicture(L"Radio");
  const SIZE pictureSize = PictureSize(picture);
  SelectGuard font(dc, Font().Handle());
  const int textHeight = TextExtent(dc, L"Wg").cy;
  const int cellWidth = pictureSize.cx / 2;
  const bool captionRight = alignment_ != taLeftJustify;
  const corvan::FaceLayout face =
      corvan::PlaceRadioFace(client.right, client.bottom, cellWidth, pictureSize.cy, textHeight, captionRight);
  DrawCell(dc, picture, checked_ ? 1 : 0, cellWidth, face.cell.left, face.cell.top);
  SetBkMode(dc, TRANSPARENT);
  TColor textColor = Font().Color(), accent = kAccentRed;
  if (!Enabled())
    textColor = accent = clGrayText;
  else if (Focused())
    textColor = kAccentRed;
  SetTextColor(dc, ResolveColor(textColor));
  DrawAccentText(dc, Caption(), ToRect(face.caption), Focused(), accent, captionRight ? 0u : DT_RIGHT);
}

void TMRadioButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
  TWinControl::MouseDown(button, shift, x, y);
}

void TMRadioButton::Click() { UserClick(); }

void TMRadioButton::UserClick() { SetChecked(true); }

void TMRadioButton::CheckedClick() { TControl::Click(); }

void TMRadioButton::KeyPress(wchar_t& key) {
  TWinControl::KeyPress(key);
  if (key == L' ') {
    UserClick();
    key = 0;
  }
}

bool TMRadioButton::DialogChar(wchar_t ch) {
  if (!IsAccel(ch, Caption()) || !CanFocus()) return false;
  SetFocus();
  return true;
}

void TMRadioButton::FocusEnter() {
  TWinControl::FocusEnter();
  Invalidate();
}

void TMRadioButton::FocusExit() {
  TWinControl::FocusExit();
  Invalidate();
}

// ---------------------------------------------------------------- TMGroupButton

TMGroupButton::TMGroupButton(TMCustomRadioGroup& group, int index)
    : TMRadioButton(&group, TControlDesc{.color = group.Color(),
                                         .caption = group.Items()[static_cast<size_t>(index)],
                                         .visible = false,
                                         .enabled = group.Enabled()}),
      group_(group) {}

void TMGroupButton::UserClick() {
  if (group_.CanModify()) TMRadioButton::UserClick();
}

void TMGroupButton::DblClick() {
  if (group_.CanModify()) TMRadioButton::DblClick();
}

void TMGroupButton::CheckedClick() { group_.ItemClicked(*this); }

bool TMGroupButton::DialogChar(wchar_t ch) {
  if (!TMRadioButton::DialogChar(ch)) return false;
  // Choosing an item by its accelerator selects it, as a click would.
  if (Focused()) UserClick();
  return true;
}

void TMGroupButton::KeyDown(WORD& key, TShiftState shift) {
  TMRadioButton::KeyDown(key, shift);
  if (key) group_.GroupKeyDown(key, shift);
}

void TMGroupButton::KeyPress(wchar_t& key) {
  if ((key == L' ' || key == L'\b') && !group_.CanModify()) {
    key = 0;
    return;
  }
  TMRadioButton::KeyPress(key);
}

// ---------------------------------------------------------------- TMCustomRadioGroup

TMCustomRadioGroup::TMCustomRadioGroup(TWinControl* parent, const TControlDesc& desc, std::vector<std::wstring> items,
                                       int columns)
    : TWinControl(parent, desc), items_(std::move(items)), columns_(corvan::ClampColumns(columns)) {
  SetColor(ParentColorOr(parent, desc));
  Rebuild();
}

TMCustomRadioGroup::~TMCustomRadioGroup() {
  while (!buttons_.empty()) buttons_.pop_back();
}

TMGroupButton* TMCustomRadioGroup::Button(int index) const {
  return index >= 0 && index < ButtonCount() ? buttons_[static_cast<size_t>(index)].get() : nullptr;
}

void TMCustomRadioGroup::SetItems(std::vector<std::wstring> items) {
  items_ = std::move(items);
  if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = static_cast<int>(items_.size()) - 1;
  Rebuild();
}

void TMCustomRadioGroup::SetColumns(int columns) {
  columns = corvan::ClampColumns(columns);
  if (columns == columns_) return;
  columns_ = columns;
  PlaceButtons();
}

void TMCustomRadioGroup::SetItemIndex(int index) {
  index = corvan::ClampItemIndex(index, ButtonCount());
  if (index == itemIndex_) return;
  if (TMGroupButton* old = Button(itemIndex_)) old->SetChecked(false);
  itemIndex_ = index;
  if (TMGroupButton* now = Button(itemIndex_)) now->SetChecked(true);
}

bool TMCustomRadioGroup::CanModify() {
  bool canModify = true;
  if (OnModify) OnModify(*this, canModify);
  return canModify;
}

void TMCustomRadioGroup::ItemClicked(TMGroupButton& button) {
  if (updating_) return;
  for (int i = 0; i < ButtonCount(); ++i)
    if (buttons_[static_cast<size_t>(i)].get() == &button) itemIndex_ = i;
  TControl::Click();
}

void TMCustomRadioGroup::GroupKeyDown(WORD& key, TShiftState) {
  if (!CanFocus() || items_.empty()) return;
  corvan::GroupKey which;
  switch (key) {
    case VK_HOME: which = corvan::GroupKey::Home; break;
    case VK_END: which = corvan::GroupKey::End; break;
    case VK_PRIOR: which = corvan::GroupKey::PageUp; break;
    case VK_NEXT: which = corvan::GroupKey::PageDown; break;
    default: return;
  }
  SetItemIndex(corvan::GroupKeyTarget(which, itemIndex_, ButtonCount()));
  if (TMGroupButton* selected = Button(itemIndex_); selected && !selected->Focused()) selected->SetFocus();
}

void TMCustomRadioGroup::SetEnabled(bool enabled) {
  TWinControl::SetEnabled(enabled);
  for (auto& button : buttons_) button->SetEnabled(enabled);
}

void TMCustomRadioGroup::Rebuild() {
  while (buttons_.size() < items_.size())
    buttons_.push_back(std::make_unique<TMGroupButton>(*this, static_cast<int>(buttons_.size())));
  while (buttons_.size() > items_.size()) buttons_.pop_back();
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetCaption(items_[i]);
  if (TMGroupButton* selected = Button(itemIndex_)) {
    updating_ = true;
    selected->SetChecked(true);
    updating_ = false;
  }
  PlaceButtons();
}

void TMCustomRadioGroup::PlaceButtons() {
  const int count = ButtonCount();
  if (count == 0) return;
  for (int i = 0; i < count; ++i) {
    const corvan::Box box = corvan::PlaceGroupButton(i, count, columns_, Width(), Height(), Font().Height());
    TMGroupButton& button = *buttons_[static_cast<size_t>(i)];
    button.SetBounds(box.left, box.top, box.width, box.height);
    button.SetVisible(true);
  }
}

void TMCustomRadioGroup::Resize() {
  TWinControl::Resize();
  PlaceButtons();
}

void TMCustomRadioGroup::BoundsChanged() {
  TWinControl::BoundsChanged();
  PlaceButtons();
}

void TMCustomRadioGroup::FontChanged() {
  for (auto& button : buttons_) button->Font() = Font();
  PlaceButtons();
  TWinControl::FontChanged();
}
