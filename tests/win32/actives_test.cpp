// The active controls under Wine: real windows and messages; each test checks the state,
// the events and the pixels that show it.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "core/colors.h"
#include "toolkit/Actives.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "typed_keys.h"
#include "win32_test_support.h"
#include "toolkit_globals.h"

using corvan::cbChecked;
using corvan::cbGrayed;
using corvan::cbUnchecked;
using corvan::Hex;

namespace {
const TFont PageFont{L"MS Sans Serif", -11, fsBold, corvan::clBlack};

// A folders-page-like window: two labelled flat boxes on the page colour.
class BoxesPage : public TTitleForm {
 public:
  BoxesPage() : TTitleForm({.name = L"Boxes", .left = 40, .top = 40, .color = corvan::PageColor, .font = PageFont}) {
    SetBorderStyle(bsNone);
    SetClientSize(420, 200);
    for (TActiveEdit* box : {&DProg, &DDate}) {
      box->SetFlatStyle(true);
      box->SetBorderColor(corvan::cl3);
      box->SetBorderColorF(corvan::cl2);
    }
    DProg.SetAssocLabel(&LProg);
    DDate.SetAssocLabel(&LDate);
  }
  TActiveLabel LProg{this, {.name = L"LProg", .left = 10, .top = 14, .width = 70, .height = 16, .caption = L"&Program:"}};
  TActiveEdit DProg{this, {.name = L"DProg", .left = 90, .top = 10, .width = 300, .height = 21, .color = corvan::clGrid,
                           .caption = L"C:\\CORVAN"}};
  TActiveLabel LDate{this, {.name = L"LDate", .left = 10, .top = 44, .width = 70, .height = 16, .caption = L"&Date:"}};
  TActiveEdit DDate{this, {.name = L"DDate", .left = 90, .top = 40, .width = 300, .height = 21, .color = corvan::clGrid,
                           .caption = L"C:\\CORVAN\\DATA"}};
};

void ClickAt(HWND window, int x, int y) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Drain();
}

// The pixels of a rectangle of a window (client coordinates, or the whole window with `frame`).
class Shot {
 public:
  Shot(HWND window, RECT r, bool frame = false) : width_(r.right - r.left), height_(r.bottom - r.top) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Drain();
    HDC source = frame ? GetWindowDC(window) : GetDC(window);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width_, height_, source, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    pixels_.assign(p, p + width_ * height_);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(window, source);
  }
  // As a COLORREF (0x00BBGGRR).
  COLORREF At(int x, int y) const {
    const DWORD v = pixels_[static_cast<size_t>(y * width_ + x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += At(x, y) == color;
    return n;
  }
  // The leftmost and rightmost columns holding a pixel other than the background (-1: none).
  std::pair<int, int> InkColumns(COLORREF background) const {
    int left = -1, right = -1;
    for (int x = 0; x < width_; ++x)
      for (int y = 0; y < height_; ++y)
        if (At(x, y) != background) {
          if (left < 0) left = x;
          right = x;
          break;
        }
    return {left, right};
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  std::vector<DWORD> pixels_;
};

RECT BoundsOf(const TControl& c) { return c.BoundsRect(); }
RECT ClientOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r;
}

const COLORREF Red = RGB(255, 0, 0);
}  // namespace

TEST(ActiveLabel, AltLetterAndClickOnTheLabelFocusTheTiedBox) {
  BoxesPage page;
  int labelClicks = 0;
  page.LDate.OnClick = [&](TControl&) { ++labelClicks; };
  page.Show();
  page.DProg.SetFocus();
  ASSERT_TRUE(page.DProg.Focused());
  EXPECT_EQ(page.LDate.FocusControl(), &page.DDate);  // tying made the box the label's focus control

  AltLetter(GetFocus(), L'd');
  EXPECT_TRUE(page.DDate.Focused());

  page.DProg.SetFocus();
  ClickAt(page.Handle(), page.LDate.Left() + 5, page.LDate.Top() + 5);
  EXPECT_TRUE(page.DDate.Focused());
  EXPECT_EQ(labelClicks, 2);  // the accelerator does what a click does, click event included

  // A disabled label does not answer its accelerator.
  page.DProg.SetFocus();
  page.LDate.SetEnabled(false);
  AltLetter(GetFocus(), L'd');
  EXPECT_TRUE(page.DProg.Focused());
}

TEST(ActiveLabel, TiedLabelTakesTheHighlightColourWhileItsBoxHasTheFocus) {
  BoxesPage page;
  page.Show();
  page.DProg.SetFocus();
  const COLORREF highlight = ResolveColor(clHighlightText);
  const COLORREF black = RGB(0, 0, 0);
  ASSERT_NE(highlight, black);

  Shot before(page.Handle(), BoundsOf(page.LDate));
  EXPECT_EQ(before.Count(highlight), 0);
  EXPECT_GT(before.Count(black), 0);
  const int redBefore = before.Count(Red);
  EXPECT_GT(redBefore, 0);  // the accelerator letter is red

  page.DDate.SetFocus();
  EXPECT_EQ(page.LDate.Font().Color(), clHighlightText);
  Shot lit(page.Handle(), BoundsOf(page.LDate));
  EXPECT_GT(lit.Count(highlight), 0);
  EXPECT_EQ(lit.Count(black), 0);
  EXPECT_GT(lit.Count(Red), redBefore);  // and underlined now

  page.DProg.SetFocus();
  EXPECT_EQ(page.LDate.Font().Color(), corvan::clBlack);
  EXPECT_EQ(page.LDate.Font().Style(), fsBold);
  Shot after(page.Handle(), BoundsOf(page.LDate));
  EXPECT_EQ(after.Count(highlight), 0);
  EXPECT_EQ(after.Count(Red), redBefore);
}

TEST(ActiveLabel, DisabledLabelIsEmbossed) {
  BoxesPage page;
  page.LProg.SetEnabled(false);
  page.Show();
  Shot shot(page.Handle(), BoundsOf(page.LProg));
  EXPECT_GT(shot.Count(RGB(255, 255, 255)), 0);
  EXPECT_GT(shot.Count(RGB(128, 128, 128)), 0);
  EXPECT_EQ(shot.Count(RGB(0, 0, 0)), 0);
  EXPECT_EQ(shot.Count(Red), 0);
}

TEST(ActiveLabel, BoxForgetsALabelDestroyedFirst) {
  BoxesPage page;
  auto label = std::make_unique<TActiveLabel>(&page, TControlDesc{.left = 10, .top = 80, .width = 60, .height = 16,
                                                                  .caption = L"&Nou:"});
  page.DProg.SetAssocLabel(label.get());
  page.Show();
  page.DProg.SetFocus();
  label.reset();
  EXPECT_EQ(page.DProg.AssocLabel(), nullptr);
  page.DDate.SetFocus();  // leaving would restore the gone label's colour
  page.DProg.SetFocus();
  EXPECT_TRUE(page.DProg.Focused());
}

TEST(ActiveEdit, FlatFrameIsBorderColourRoundTheBoxColourAndFocusColourWhileFocused) {
  BoxesPage page;
  page.Show();
  page.DProg.SetFocus();
  HWND box = page.DDate.Handle();
  RECT whole;
  GetWindowRect(box, &whole);
  OffsetRect(&whole, -whole.left, -whole.top);
  struct Probe {
    bool focused;
    COLORREF outer;
  };
  for (Probe probe : {Probe{false, RGB(0xCF, 0xCF, 0xCF)}, Probe{true, RGB(0xA9, 0xA9, 0xA9)},
                      Probe{false, RGB(0xCF, 0xCF, 0xCF)}}) {
    SCOPED_TRACE(probe.focused ? "focused" : "not focused");
    (probe.focused ? page.DDate : page.DProg).SetFocus();
    Shot shot(box, whole, true);
    const int midY = shot.Height() / 2, midX = shot.Width() / 2;
    for (POINT p : {POINT{0, midY}, POINT{shot.Width() - 1, midY}, POINT{midX, 0}, POINT{midX, shot.Height() - 1}})
      EXPECT_EQ(shot.At(p.x, p.y), probe.outer) << p.x << "," << p.y;
    for (POINT p : {POINT{1, midY}, POINT{shot.Width() - 2, midY}, POINT{midX, 1}, POINT{midX, shot.Height() - 2}})
      EXPECT_EQ(shot.At(p.x, p.y), RGB(0xDF, 0xDF, 0xDF)) << p.x << "," << p.y;
    EXPECT_EQ(shot.At(shot.Width() - 4, midY), RGB(0xDF, 0xDF, 0xDF));  // the text area
  }
}

TEST(ActiveEdit, BevelOuterDrawsAOnePixelThreeDFrameInsteadOfTheColourFrame) {
  BoxesPage page;
  page.Show();
  const COLORREF light = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
  ASSERT_NE(light, shadow);
  struct Case {
    TBevelCut bevel;
    COLORREF topLeft, bottomRight;
  };
  for (Case c : {Case{bvRaised, light, shadow}, Case{bvLowered, shadow, light}, Case{bvSpace, shadow, light}}) {
    SCOPED_TRACE(static_cast<int>(c.bevel));
    page.DDate.SetBevelOuter(c.bevel);
    for (bool focused : {false, true}) {  // the focus colour plays no part then
      (focused ? page.DDate : page.DProg).SetFocus();
      HWND box = page.DDate.Handle();
      RECT whole;
      GetWindowRect(box, &whole);
      OffsetRect(&whole, -whole.left, -whole.top);
      Shot shot(box, whole, true);
      const int midX = shot.Width() / 2, midY = shot.Height() / 2;
      EXPECT_EQ(shot.At(midX, 0), c.topLeft);
      EXPECT_EQ(shot.At(0, midY), c.topLeft);
      EXPECT_EQ(shot.At(midX, shot.Height() - 1), c.bottomRight);
      EXPECT_EQ(shot.At(shot.Width() - 1, midY), c.bottomRight);
      EXPECT_EQ(shot.At(1, midY), RGB(0xDF, 0xDF, 0xDF));
    }
  }
}

TEST(ActiveEdit, RightAlignedBoxEditsLeftAlignedWhileFocused) {
  BoxesPage page;
  page.DDate.SetAlignment(taRightJustify);
  page.DDate.SetText(L"ABC");
  page.Show();
  page.DProg.SetFocus();
  HWND box = page.DDate.Handle();
  const COLORREF background = RGB(0xDF, 0xDF, 0xDF);

  struct Step {
    const char* what;
    TActiveEdit* focus;
    bool textAtRight;
  };
  for (Step step : {Step{"before", &page.DProg, true}, Step{"editing", &page.DDate, false},
                    Step{"after", &page.DProg, true}}) {
    SCOPED_TRACE(step.what);
    step.focus->SetFocus();
    HideCaret(box);
    Shot shot(box, ClientOf(box));
    auto [left, right] = shot.InkColumns(background);
    ASSERT_GE(left, 0);
    if (step.textAtRight) {
      EXPECT_GT(left, shot.Width() / 2);
      EXPECT_GE(right, shot.Width() - 6);  // flush with the right edge, within the margin
    } else {
      EXPECT_LT(right, shot.Width() / 2);
      EXPECT_LE(left, 4);
    }
    EXPECT_EQ(page.DDate.CurrentAlignment(), step.textAtRight ? taRightJustify : taLeftJustify);
    ShowCaret(box);
  }
  EXPECT_EQ(page.DDate.Text(), L"ABC");
}

TEST(ActiveEdit, PasswordCharacterHidesTheTextEvenWhenSelfDrawn) {
  BoxesPage page;
  page.DDate.SetPasswordChar(L'*');
  page.DDate.SetAlignment(taRightJustify);
  page.DDate.SetText(L"secret");
  page.Show();
  page.DProg.SetFocus();
  EXPECT_EQ(SendMessageW(page.DDate.Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  HWND box = page.DDate.Handle();
  Shot stars(box, ClientOf(box));
  page.DDate.SetText(L"******");
  page.DDate.SetPasswordChar(0);
  Shot plain(box, ClientOf(box));
  // The self-drawn stars look like the plain text "******".
  ASSERT_EQ(stars.Width(), plain.Width());
  int differing = 0;
  for (int y = 0; y < stars.Height(); ++y)
    for (int x = 0; x < stars.Width(); ++x) differing += stars.At(x, y) != plain.At(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(page.DDate.TextMargin(), 13 / 4);  // MS Sans Serif 8 pt: 13 pixels high
}

TEST(ActiveBoxes, MemoAndComboTieTheirLabelsLikeTheEditBox) {
  BoxesPage page;
  TActiveLabel lMemo{&page, {.left = 10, .top = 80, .width = 60, .height = 16, .caption = L"&Memo:"}};
  TActiveMemo memo{&page, {.left = 90, .top = 75, .width = 200, .height = 40}};
  TActiveLabel lCombo{&page, {.left = 10, .top = 130, .width = 60, .height = 16, .caption = L"&Lista:"}};
  TActiveCombo combo{&page, {.left = 90, .top = 125, .width = 200, .height = 21}};
  memo.SetAssocLabel(&lMemo);
  combo.SetAssocLabel(&lCombo);
  page.Show();
  Drain();
  struct Case {
    const char* what;
    TActiveLabel* label;
    wchar_t letter;
    std::function<bool()> focused;
  };
  const Case cases[] = {
      {"memo", &lMemo, L'm', [&] { return memo.Focused(); }},
      {"combo", &lCombo, L'l', [&] { return IsChild(combo.Handle(), GetFocus()) || combo.Focused(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    page.DProg.SetFocus();
    AltLetter(GetFocus(), c.letter);
    EXPECT_TRUE(c.focused());
    EXPECT_EQ(c.label->Font().Color(), clHighlightText);
    page.DProg.SetFocus();
    Drain();
    EXPECT_EQ(c.label->Font().Color(), corvan::clBlack);
  }
}

TEST(ActiveMemo, AlignmentAndBorderChangesRemakeTheWindowAndKeepTheText) {
  BoxesPage page;
  TActiveMemo memo{&page, {.left = 90, .top = 75, .width = 200, .height = 40}};
  page.Show();
  Drain();
  EXPECT_EQ(GetWindowLongW(memo.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);  // no border by default
  memo.SetText(L"Utilizator: ADMIN\r\nParola: corvan");
  memo.SetAlignment(taCenter);
  EXPECT_NE(GetWindowLongW(memo.Handle(), GWL_STYLE) & ES_CENTER, 0);
  memo.SetBorderStyle(bsSingle);
  EXPECT_NE(GetWindowLongW(memo.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(memo.Text(), L"Utilizator: ADMIN\r\nParola: corvan");
  EXPECT_EQ(SendMessageW(memo.Handle(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST(ActiveCombo, AutoCompleteFillsTheTailExceptAfterBackspaceEscapeMarksTheOpenList) {
  BoxesPage page;
  TActiveCombo combo{&page, {.left = 90, .top = 125, .width = 200, .height = 21}};
  combo.SetItems({L"Brasov", L"Bucuresti", L"Buzau"});
  combo.AutoComplete = true;
  page.Show();
  Drain();
  combo.SetFocus();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  HWND edit = info.hwndItem;
  // Keys as the keyboard sends them; the loop translates them into characters.
  auto type = [&](WORD key) {
    PostMessageW(edit, WM_KEYDOWN, key, 0);
    PostMessageW(edit, WM_KEYUP, key, 0xC0000000);
    Drain();
  };
  type('B');
  EXPECT_EQ(combo.Text(), L"Brasov");
  type('U');
  EXPECT_EQ(combo.Text(), L"Bucuresti");
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 9u);
  type(VK_BACK);  // removes the completed tail and completes nothing
  EXPECT_EQ(combo.Text(), L"Bu");
  type('Z');
  EXPECT_EQ(combo.Text(), L"Buzau");

  EXPECT_FALSE(combo.WasDroppedDown);
  combo.SetDroppedDown(true);
  ASSERT_TRUE(combo.DroppedDown());
  type(VK_ESCAPE);
  EXPECT_TRUE(combo.WasDroppedDown);
}

namespace {
class ChecksPage : public TTitleForm {
 public:
  ChecksPage() : TTitleForm({.name = L"Checks", .left = 60, .top = 60, .color = corvan::PageColor, .font = PageFont}) {
    SetBorderStyle(bsNone);
    SetClientSize(400, 200);
  }
  TActiveCheckBox Box{this, {.name = L"Box", .left = 10, .top = 10, .caption = L"&Verificat"}};
  TActiveCheckBox Other{this, {.name = L"Other", .left = 10, .top = 40, .caption = L"Altul"}};
};

// A pixel of the Check picture whose colour tells the three cells apart, and those colours.
struct CellProbe {
  POINT at{-1, -1};
  COLORREF colors[3]{};
};
CellProbe FindCellProbe() {
  HBITMAP picture = SharedPicture(L"Check");
  const SIZE size = BitmapSize(picture);
  const int cell = size.cx / 3;
  CellProbe probe;
  MemoryDC dc;
  SelectGuard select(dc.Get(), picture);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < cell; ++x) {
      COLORREF c0 = GetPixel(dc.Get(), x, y), c1 = GetPixel(dc.Get(), x + cell, y), c2 = GetPixel(dc.Get(), x + 2 * cell, y);
      if (c0 != c1 && c1 != c2 && c0 != c2) {
        probe.at = {x, y};
        probe.colors[0] = c0;
        probe.colors[1] = c1;
        probe.colors[2] = c2;
        return probe;
      }
    }
  return probe;
}
}  // namespace

TEST(CheckBox, ClicksCycleWithAndWithoutGrayedOneEventPerChange) {
  ChecksPage page;
  int events = 0;
  page.Box.OnClick = [&](TControl&) { ++events; };
  page.Show();
  EXPECT_EQ(page.Box.Width(), 97);
  EXPECT_EQ(page.Box.Height(), 17);
  EXPECT_TRUE(page.Box.TabStop());
  const CellProbe probe = FindCellProbe();
  ASSERT_GE(probe.at.x, 0) << "the Check picture's cells look alike";
  HWND box = page.Box.Handle();
  auto shows = [&](corvan::TCheckBoxState state) {
    Shot shot(box, ClientOf(box));
    // The caption is 13 pixels high over a 15-pixel picture: the picture stays at the top.
    return shot.At(probe.at.x, probe.at.y) == probe.colors[corvan::CheckCellIndex(state)];
  };
  EXPECT_TRUE(shows(cbUnchecked));

  // Setting the current state fires nothing; a change fires once.
  page.Box.SetState(cbUnchecked);
  EXPECT_EQ(events, 0);
  page.Box.SetState(cbGrayed);
  EXPECT_EQ(events, 1);
  EXPECT_TRUE(shows(cbGrayed));

  struct Step {
    bool allowGrayed;
    corvan::TCheckBoxState expected;
  };
  // Without AllowGrayed: grayed -> checked -> unchecked -> checked; with it: -> unchecked -> grayed -> checked.
  const Step steps[] = {{false, cbChecked}, {false, cbUnchecked}, {false, cbChecked},
                        {true, cbUnchecked}, {true, cbGrayed},    {true, cbChecked}};
  int expectedEvents = 1;
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << "to " << int(step.expected) << (step.allowGrayed ? " with grayed" : ""));
    page.Box.SetAllowGrayed(step.allowGrayed);
    ClickAt(box, 5, 5);
    EXPECT_EQ(page.Box.State(), step.expected);
    EXPECT_EQ(page.Box.Checked(), step.expected == cbChecked);
    EXPECT_EQ(events, ++expectedEvents);
    EXPECT_TRUE(shows(step.expected));
  }
  EXPECT_TRUE(page.Box.Focused());  // the click took the focus

  // Space toggles; the accelerator focuses the box and toggles.
  PostMessageW(box, WM_CHAR, L' ', 0);
  Drain();
  EXPECT_EQ(page.Box.State(), cbUnchecked);
  page.Other.SetFocus();
  AltLetter(GetFocus(), L'v');
  EXPECT_TRUE(page.Box.Focused());
  EXPECT_EQ(page.Box.State(), cbGrayed);
  EXPECT_EQ(events, expectedEvents + 2);
}

TEST(CheckBox, FocusedCaptionIsRed) {
  ChecksPage page;
  page.Show();
  page.Other.SetFocus();
  HWND box = page.Box.Handle();
  Shot idle(box, ClientOf(box));
  page.Box.SetFocus();
  Shot focused(box, ClientOf(box));
  EXPECT_GT(idle.Count(RGB(0, 0, 0)), 0);
  EXPECT_EQ(focused.Count(RGB(0, 0, 0)), 0);
  EXPECT_GT(focused.Count(Red), idle.Count(Red));
}

TEST(RadioButton, CheckingOneUnchecksItsSiblingsAndOnlyTheCheckedOneIsATabStop) {
  ChecksPage page;
  TMRadioButton r1{&page, {.left = 150, .top = 10, .caption = L"Unu"}};
  TMRadioButton r2{&page, {.left = 150, .top = 30, .caption = L"Doi"}};
  TMRadioButton r3{&page, {.left = 150, .top = 50, .caption = L"Trei"}};
  int clicks[3] = {};
  TMRadioButton* radios[3] = {&r1, &r2, &r3};
  for (int i = 0; i < 3; ++i) radios[i]->OnClick = [&clicks, i](TControl&) { ++clicks[i]; };
  page.Show();
  EXPECT_EQ(r1.Width(), 113);
  auto checkedOnly = [&](int which) {
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(radios[i]->Checked(), i == which);
      EXPECT_EQ(radios[i]->TabStop(), i == which);
      EXPECT_EQ((GetWindowLongW(radios[i]->Handle(), GWL_STYLE) & WS_TABSTOP) != 0, i == which);
    }
  };
  r1.SetChecked(true);
  checkedOnly(0);
  ClickAt(r3.Handle(), 4, 4);
  checkedOnly(2);
  r3.SetChecked(true);  // unchanged: no event
  EXPECT_EQ(clicks[0], 1);
  EXPECT_EQ(clicks[1], 0);
  EXPECT_EQ(clicks[2], 1);
  PostMessageW(r2.Handle(), WM_CHAR, L' ', 0);
  Drain();
  checkedOnly(1);
  EXPECT_EQ(clicks[1], 1);
  // The shared Radio picture: the checked cell shows on r2, the unchecked on r1.
  HBITMAP picture = SharedPicture(L"Radio");
  const SIZE size = BitmapSize(picture);
  const int cell = size.cx / 2;
  const POINT centre{cell / 2, size.cy / 2};
  COLORREF unchecked, checked;
  {
    // Read, then let go of the picture: a bitmap can be selected into one DC at a time.
    MemoryDC dc;
    SelectGuard select(dc.Get(), picture);
    unchecked = GetPixel(dc.Get(), centre.x, centre.y);
    checked = GetPixel(dc.Get(), centre.x + cell, centre.y);
  }
  ASSERT_NE(unchecked, checked);
  EXPECT_EQ(Shot(r2.Handle(), ClientOf(r2.Handle())).At(centre.x, centre.y), checked);
  EXPECT_EQ(Shot(r1.Handle(), ClientOf(r1.Handle())).At(centre.x, centre.y), unchecked);
}

namespace {
class GroupPage : public TTitleForm {
 public:
  GroupPage() : TTitleForm({.name = L"Group", .left = 80, .top = 80, .color = corvan::PageColor, .font = PageFont}) {
    SetBorderStyle(bsNone);
    SetClientSize(637, 114);
  }
  TMRadioGroup IType{this,
                     {.name = L"IType", .left = 202, .top = 47, .width = 396, .height = 52},
                     {L" &LOCAL     - programul va fi folosit numai pe acest calculator",
                      L" &SERVER  - acest calculator va contine baza de date",
                      L" CLIEN&T    - programul va folosi o baza de date aflata la distanta"}};
};
}  // namespace

TEST(RadioGroup, InstallTypeGeometryRowsAtZeroTwentyForty) {
  GroupPage page;
  page.Show();
  ASSERT_EQ(page.IType.ButtonCount(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    TMGroupButton& b = *page.IType.Button(i);
    EXPECT_EQ(b.Left(), 0);
    EXPECT_EQ(b.Top(), 20 * i);
    EXPECT_EQ(b.Width(), 396);
    EXPECT_EQ(b.Height(), 20);
    EXPECT_TRUE(b.Visible());
    EXPECT_TRUE(IsWindowVisible(b.Handle()));
  }
  // The third row is clipped to the group's 52 pixels: 12 of its 20 show.
  RECT group, third, shown;
  GetWindowRect(page.IType.Handle(), &group);
  GetWindowRect(page.IType.Button(2)->Handle(), &third);
  IntersectRect(&shown, &group, &third);
  EXPECT_EQ(shown.bottom - shown.top, 12);
  EXPECT_EQ(page.IType.ItemIndex(), -1);
  // The group draws no frame and no caption: its free area is the page colour.
  page.IType.SetColumns(2);  // two columns of two rows leave the fourth cell empty
  Shot shot(page.IType.Handle(), ClientOf(page.IType.Handle()));
  EXPECT_EQ(shot.At(300, 40), RGB(152, 165, 177));
  EXPECT_EQ(shot.At(0, 51), RGB(152, 165, 177));
}

TEST(RadioGroup, FiveItemsInTwoColumnsColumnsAndIndexKeptInRange) {
  GroupPage page;
  page.IType.SetBounds(10, 10, 200, 60);
  page.IType.SetItems({L"a", L"b", L"c", L"d", L"e"});
  page.IType.SetColumns(2);
  page.Show();
  // Rows of 60 div 3 = 20, plus (20 - 11) div 2 with the 11-pixel font.
  const POINT expected[5] = {{0, 0}, {0, 24}, {0, 48}, {100, 0}, {100, 24}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(page.IType.Button(i)->Left(), expected[i].x);
    EXPECT_EQ(page.IType.Button(i)->Top(), expected[i].y);
    EXPECT_EQ(page.IType.Button(i)->Width(), 100);
  }
  page.IType.SetColumns(40);
  EXPECT_EQ(page.IType.Columns(), 16);
  page.IType.SetColumns(0);
  EXPECT_EQ(page.IType.Columns(), 1);
  page.IType.SetItemIndex(9);
  EXPECT_EQ(page.IType.ItemIndex(), 4);
  page.IType.SetItemIndex(-5);
  EXPECT_EQ(page.IType.ItemIndex(), -1);
  // A shorter list lowers the selection to its last item.
  page.IType.SetItemIndex(4);
  page.IType.SetItems({L"x", L"y"});
  EXPECT_EQ(page.IType.ButtonCount(), 2);
  EXPECT_EQ(page.IType.ItemIndex(), 1);
  EXPECT_TRUE(page.IType.Button(1)->Checked());
}

TEST(RadioGroup, RefusingOnModifyKeepsTheSelectionButNavigationKeysStillMove) {
  GroupPage page;
  int asked = 0, groupClicks = 0;
  bool allow = false;
  page.IType.OnModify = [&](TControl&, bool& canModify) {
    ++asked;
    canModify = allow;
  };
  page.IType.OnClick = [&](TControl&) { ++groupClicks; };
  page.Show();
  page.IType.SetItemIndex(0);  // by the program: OnModify is not asked
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(groupClicks, 1);

  HWND second = page.IType.Button(1)->Handle();
  ClickAt(second, 5, 5);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(page.IType.ItemIndex(), 0);
  EXPECT_FALSE(page.IType.Button(1)->Checked());
  ASSERT_TRUE(page.IType.Button(1)->Focused());
  PostMessageW(second, WM_CHAR, L' ', 0);
  Drain();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(page.IType.ItemIndex(), 0);
  AltLetter(GetFocus(), L't');  // the accelerator asks as well
  EXPECT_EQ(page.IType.ItemIndex(), 0);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(groupClicks, 1);

  struct Key {
    WORD key;
    int expected;
  };
  for (Key k : {Key{VK_END, 2}, Key{VK_PRIOR, 1}, Key{VK_PRIOR, 0}, Key{VK_PRIOR, 0}, Key{VK_NEXT, 1}, Key{VK_HOME, 0}}) {
    SCOPED_TRACE(k.key);
    PostMessageW(GetFocus(), WM_KEYDOWN, k.key, 0);
    Drain();
    EXPECT_EQ(page.IType.ItemIndex(), k.expected);
    EXPECT_TRUE(page.IType.Button(k.expected)->Checked());
    EXPECT_TRUE(page.IType.Button(k.expected)->Focused());  // the selected item takes the focus
  }
  EXPECT_EQ(asked, 3);

  // Allowed: a click selects and the group's click event fires.
  allow = true;
  const int before = groupClicks;
  ClickAt(page.IType.Button(2)->Handle(), 5, 5);
  EXPECT_EQ(page.IType.ItemIndex(), 2);
  EXPECT_EQ(groupClicks, before + 1);
  AltLetter(GetFocus(), L's');
  EXPECT_EQ(page.IType.ItemIndex(), 1);
}

TEST(RadioGroup, DisablingTheGroupDisablesItsButtons) {
  GroupPage page;
  page.Show();
  page.IType.SetEnabled(false);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsWindowEnabled(page.IType.Button(i)->Handle()));
  page.IType.SetEnabled(true);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(IsWindowEnabled(page.IType.Button(i)->Handle()));
}
