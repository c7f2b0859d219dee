#include "toolkit/FmtLabel.h"

#include <map>

#include "toolkit/GGlobals.h"

using corvan::TColor;

namespace {

// The blink objects by timer, for the timer procedure.
std::map<UINT_PTR, TBlinkObj*>& BlinkTimers() {
  static std::map<UINT_PTR, TBlinkObj*> timers;
  return timers;
}

corvan::FmtAlignment ToFmtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return corvan::FmtAlignment::Right;
    case taCenter:
      return corvan::FmtAlignment::Center;
    default:
      return corvan::FmtAlignment::Left;
  }
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontFamilyInstalled(const wchar_t* family) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, family, LF_FACESIZE);
  bool found = false;
  WindowDC screen;
  EnumFontFamiliesExW(screen.Get(), &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

void DrawRunText(HDC dc, int x, int y, const std::wstring& text, COLORREF color) {
  SetTextColor(dc, color);
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

bool EnsureSymbolFont() {
  static const bool available = [] {
    if (FontFamilyInstalled(L"Wingdings")) return true;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, L"SYMBOLFONT", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    DWORD count = 0;
    // Private to the process; the platform frees it when the process ends.
    return AddFontMemResourceEx(data, SizeofResource(module, resource), nullptr, &count) != nullptr && count > 0;
  }();
  return available;
}

// ---------------------------------------------------------------- TBlinkObj

TBlinkObj::TBlinkObj(TFmtLabel& label, std::wstring text, int x, int y, const TFont& font, bool umbra, HDC paintDc)
    : label_(label),
      text_(std::move(text)),
      x_(x),
      y_(y),
      font_(font),
      parentColor_(label.Color()),
      shadowColor_(label.ShadowColor()),
      umbra_(umbra) {
  {
    SelectGuard select(paintDc, font_.Handle());
    SIZE extent{0, 0};
    GetTextExtentPoint32W(paintDc, text_.c_str(), static_cast<int>(text_.size()), &extent);
    TEXTMETRICW tm{};
    GetTextMetricsW(paintDc, &tm);
    // Room for the shadow, an italic overhang and the smoothed edge of the last letter.
    size_ = {extent.cx + tm.tmOverhang + (umbra_ ? 1 : 0) + 2, tm.tmHeight + (umbra_ ? 1 : 0)};
  }
  background_.Reset(CreateCompatibleBitmap(paintDc, size_.cx, size_.cy));
  if (background_) {
    MemoryDC memory(paintDc);
    SelectGuard select(memory.Get(), background_.Get());
    BitBlt(memory.Get(), 0, 0, size_.cx, size_.cy, paintDc, x_, y_, SRCCOPY);
  }
  timer_ = SetTimer(nullptr, 0, 300, &TBlinkObj::TimerTick);
  if (timer_) BlinkTimers()[timer_] = this;
}

TBlinkObj::~TBlinkObj() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    BlinkTimers().erase(timer_);
  }
}

void CALLBACK TBlinkObj::TimerTick(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = BlinkTimers().find(id);
  if (it != BlinkTimers().end()) it->second->OnBlink();
}

void TBlinkObj::OnBlink() {
  TWinControl* parent = label_.Parent();
  HWND window = parent ? parent->HandleIfCreated() : nullptr;
  if (!label_.Showing() || !window || !IsWindowVisible(window)) return;
  WindowDC windowDc(window);
  const HDC dc = windowDc.Get();
  if (!dc) return;
  {
    SavedDC saved(dc);
    IntersectClipRect(dc, label_.Left(), label_.Top(), label_.Left() + label_.Width(), label_.Top() + label_.Height());
    OffsetViewportOrgEx(dc, label_.Left(), label_.Top(), nullptr);
    SelectGuard font(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    const COLORREF out = ResolveColor(parentColor_);
    if (!blinkOn_ && background_) {
      MemoryDC memory(dc);
      SelectGuard select(memory.Get(), background_.Get());
      BitBlt(dc, x_, y_, size_.cx, size_.cy, memory.Get(), 0, 0, SRCCOPY);
    } else {
      if (umbra_) DrawRunText(dc, x_ + 1, y_ + 1, text_, blinkOn_ ? ResolveColor(shadowColor_) : out);
      DrawRunText(dc, x_, y_, text_, blinkOn_ ? font_.TextColor() : out);
    }
  }
  blinkOn_ = !blinkOn_;
}

// ---------------------------------------------------------------- TFmtLabel

TFmtLabel::TFmtLabel(TWinControl* parent, const TControlDesc& desc) : TControl(parent, desc) {
  EnsureSymbolFont();
  if (desc.color == clBtnFace && parent) SetColor(parent->Color());
}

TFmtLabel::~TFmtLabel() { Elibereaza_BlinkList(); }

void TFmtLabel::SetMAlign(TMAlign align) {
  align_ = align;
  Invalidate();
}

void TFmtLabel::SetShadowColor(TColor color) {
  shadowColor_ = color;
  Invalidate();
}

void TFmtLabel::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TFmtLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TFmtLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  AdjustSize();
}

void TFmtLabel::SetCaption(const std::wstring& caption) {
  TControl::SetCaption(caption);
  AdjustSize();
}

void TFmtLabel::AdjustSize() {
  if (!autoSize_) return;
  WindowDC screen;
  SelectGuard font(screen.Get(), Font().Handle());
  RECT r{0, 0, 0, 0};
  const std::wstring text = Caption().empty() ? L" " : Caption();
  DrawTextW(screen.Get(), text.c_str(), -1, &r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  acces_ = false;
  SetBounds(Left(), Top(), r.right, r.bottom);
  acces_ = true;
}

void TFmtLabel::Elibereaza_BlinkList() { blinkList_.clear(); }

corvan::FmtLook TFmtLabel::StartLook() const {
  corvan::FmtLook look;
  look.color = Font().Color();
  look.size = Font().Size();
  look.style = Font().Style();
  return look;
}

TFont TFmtLabel::RunFont(const corvan::FmtLook& look) const {
  TFont font(Font());
  // The label's own height is kept unless a size code changed it (points round-trip loosely).
  if (look.size != Font().Size()) font.SetSize(look.size);
  font.SetStyle(look.style);
  font.SetColor(look.color);
  return font;
}

void TFmtLabel::Paint(HDC dc) {
  if (!acces_) return;
  if (!transparent_) {
    acces_ = false;
    FillSolid(dc, {0, 0, Width(), Height()}, ResolveColor(Color()));
    acces_ = true;
  }
  // A caption that became empty must not leave the old runs blinking.
  if (Caption().empty()) {
    Elibereaza_BlinkList();
    return;
  }

  const std::vector<corvan::FmtLine> lines = corvan::ReadFmtMarkup(Caption(), StartLook());
  std::map<const corvan::FmtRun*, TFont> fonts;
  for (const corvan::FmtLine& line : lines)
    for (const corvan::FmtRun& run : line) fonts.emplace(&run, RunFont(run.look));

  const corvan::FmtMeasure measure = [&](const corvan::FmtRun& run) {
    SelectGuard font(dc, fonts.at(&run).Handle());
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, run.text.c_str(), static_cast<int>(run.text.size()), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return corvan::FmtMetrics{size.cx, tm.tmHeight, tm.tmAscent};
  };
  const corvan::FmtLayout layout = corvan::LayoutFmtLines(lines, measure, ToFmtAlignment(alignment_), Width(), Height());

  acces_ = false;
  if (layout.width != Width() || layout.height != Height()) SetBounds(Left(), Top(), layout.width, layout.height);
  if (align_ != alMNone && Parent()) {
    const corvan::FmtBounds placed =
        corvan::PlaceFmtLabel(align_, {Left(), Top(), Width(), Height()}, Parent()->ClientWidth(),
                              Parent()->ClientHeight(), Parent()->Width());
    SetBounds(placed.left, placed.top, placed.width, placed.height);
  }
  acces_ = true;

  Elibereaza_BlinkList();
  // A blink object keeps what lies under its run, so it is made only by a paint that
  // covers the whole label; a partial paint asks for a whole one.
  RECT clip{};
  const bool whole = GetClipBox(dc, &clip) != ERROR && clip.left <= 0 && clip.top <= 0 && clip.right >= Width() &&
                     clip.bottom >= Height();
  bool blinks = false;
  SetBkMode(dc, TRANSPARENT);
  for (const corvan::FmtPlacedRun& placed : layout.runs) {
    const corvan::FmtRun& run = *placed.run;
    const TFont& font = fonts.at(&run);
    SelectGuard select(dc, font.Handle());
    if (run.look.blink) {
      blinks = true;
      if (whole)
        blinkList_.push_back(std::make_unique<TBlinkObj>(*this, run.text, placed.x, placed.y, font, run.look.shadow, dc));
    }
    if (run.look.shadow) DrawRunText(dc, placed.x + 1, placed.y + 1, run.text, ResolveColor(shadowColor_));
    DrawRunText(dc, placed.x, placed.y, run.text, font.TextColor());
  }
  if (blinks && !whole) Invalidate();
}
