#include "htmlview/HtmlFrame.h"

#include <windowsx.h>

#include <algorithm>

#include "core/html_charset.h"
#include "core/html_links.h"
#include "core/html_parser.h"
#include "core/text.h"
#include "htmlview/FrameViewer.h"
#include "htmlview/GdiMeasurer.h"
#include "htmlview/HtmlControls.h"
#include "platform/Files.h"
#include "htmlview/HtmlPaint.h"
#include "htmlview/HtmlPictures.h"

using namespace corvan::html;

namespace {

// Pages larger than this are shown as far as this goes.
constexpr size_t kMaxPageBytes = 32u << 20;

}  // namespace

THtmlFrame::THtmlFrame(TWinControl* parent, TFrameViewer& viewer, THtmlFrame* parentFrame, std::wstring name,
                       Scrolling scrolling, int depth)
    : TWinControl(parent, {.name = parentFrame ? L"HtmlFrame" : L"RootFrame", .align = parentFrame ? alNone : alClient,
                           .color = clWindow, .tabStop = true}),
      viewer_(viewer), parentFrame_(parentFrame), name_(std::move(name)), scrolling_(scrolling), depth_(depth) {}

THtmlFrame::~THtmlFrame() {
  frames_.clear();
  controls_.clear();
  DestroyHandle();
}

void THtmlFrame::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ownClass = L"TCorvanHtmlFrame";
}

void THtmlFrame::HandleCreated() { Relayout(); }

std::wstring THtmlFrame::Title() const { return page_ ? page_->title : std::wstring(); }

std::vector<THtmlFrame*> THtmlFrame::Frames() const {
  std::vector<THtmlFrame*> out;
  for (const auto& f : frames_) out.push_back(f.get());
  return out;
}

THtmlFrame* THtmlFrame::FindFrame(std::wstring_view name) {
  if (!name.empty() && name_ == name) return this;
  for (const auto& f : frames_)
    if (THtmlFrame* found = f->FindFrame(name)) return found;
  return nullptr;
}

bool THtmlFrame::Contains(const THtmlFrame* frame) const {
  if (frame == this) return true;
  for (const auto& f : frames_)
    if (f->Contains(frame)) return true;
  return false;
}

THtmlFrame* THtmlFrame::Root() {
  THtmlFrame* f = this;
  while (f->parentFrame_) f = f->parentFrame_;
  return f;
}

THtmlControl* THtmlFrame::Control(int index) const {
  return index >= 0 && static_cast<size_t>(index) < controls_.size() ? controls_[static_cast<size_t>(index)].get() : nullptr;
}

bool THtmlFrame::InAncestors(const std::wstring& path) const {
  for (const THtmlFrame* f = this; f; f = f->parentFrame_)
    if (!f->file_.empty() && corvan::SameNameNoCase(f->file_, path)) return true;
  return false;
}

void THtmlFrame::Clear() {
  frames_.clear();
  controls_.clear();
  frameSet_ = nullptr;
  page_.reset();
  layout_ = {};
  picturePaths_.clear();
  anchor_ = focus_ = {};
  selecting_ = dragged_ = false;
  pressedLink_ = -1;
  scrollY_ = 0;
  file_.clear();
  Relayout();
}

bool THtmlFrame::LoadFile(const std::wstring& path, const std::wstring& fragment) {
  Clear();
  const std::optional<std::string> bytes = ReadWholeFile(path, kMaxPageBytes);
  if (!bytes) return false;
  file_ = path;
  const Document document = ParseHtml(DecodeHtmlFile(*bytes));
  TGdiMeasurer& measurer = *viewer_.measurer_;
  measurer.SetDocument(path);
  PageOptions options;
  options.defaultFace = viewer_.DefaultFontName();
  options.preFace = viewer_.DefaultPreFontName();
  page_ = std::make_unique<corvan::html::Page>(BuildPage(document, measurer, options));
  for (const Picture& pic : page_->pictures) {
    const LinkTarget target = ResolveLink(path, pic.src);
    picturePaths_.push_back(target.kind == LinkKind::LocalFile ? target.path : std::wstring());
  }
  if (page_->frameset) ShowFrameSet(*page_->frameset);
  else CreateControls();
  if (HandleAllocated()) {
    // The frames' and controls' windows now, not when a posted message gets to it.
    for (const auto& f : frames_) f->Handle();
    for (const auto& c : controls_)
      if (c) c->Handle();
  }
  Relayout();
  if (!fragment.empty()) ScrollToAnchor(fragment);
  return true;
}

void THtmlFrame::ShowFrameSet(const FrameSet& set) {
  frameSet_ = &set;
  // The page the frames' names are relative to: the nearest frame with a file.
  std::wstring document;
  for (const THtmlFrame* f = this; f && document.empty(); f = f->parentFrame_) document = f->file_;
  for (const FrameCell& cell : set.cells) {
    auto frame = std::make_unique<THtmlFrame>(this, viewer_, this, cell.set ? L"" : cell.name,
                                              cell.set ? Scrolling::No : cell.scrolling, depth_ + 1);
    THtmlFrame& f = *frame;
    frames_.push_back(std::move(frame));
    if (depth_ + 1 >= kMaxFrameSetDepth) continue;  // frame sets nested this deep stay empty
    if (cell.set) {
      f.ShowFrameSet(*cell.set);
      continue;
    }
    if (cell.src.empty()) continue;
    const LinkTarget target = ResolveLink(document, cell.src);
    // A frame set that would show itself again inside itself shows an empty frame there.
    if (target.kind != LinkKind::LocalFile || f.InAncestors(target.path)) continue;
    f.LoadFile(target.path, target.fragment);
  }
  PlaceFrames();
}

void THtmlFrame::PlaceFrames() {
  if (!frameSet_) return;
  const std::vector<FrameArea> rects = FrameCellRects(*frameSet_, ClientWidth(), ClientHeight());
  for (size_t i = 0; i < frames_.size(); ++i) {
    if (i < rects.size()) {
      frames_[i]->SetBounds(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
      frames_[i]->SetVisible(true);
    } else {
      frames_[i]->SetVisible(false);
    }
  }
}

void THtmlFrame::Relayout() {
  if (inLayout_) return;
  inLayout_ = true;
  if (frameSet_) {
    barShown_ = false;
    if (HWND w = HandleIfCreated()) ShowScrollBar(w, SB_VERT, FALSE);
    PlaceFrames();
    Invalidate();
    inLayout_ = false;
    return;
  }
  anchor_ = focus_ = {};
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const int fullWidth = ClientWidth() + (barShown_ ? bar : 0);
  bool needBar = false;
  if (page_) {
    layout_ = LayoutPage(*page_, fullWidth);
    needBar = scrolling_ == Scrolling::Yes || (scrolling_ == Scrolling::Auto && layout_.height > ClientHeight());
    if (needBar) layout_ = LayoutPage(*page_, std::max(0, fullWidth - bar));
  } else {
    layout_ = {};
  }
  if (HWND w = HandleIfCreated()) {
    if (needBar != barShown_) {
      barShown_ = needBar;
      ShowScrollBar(w, SB_VERT, needBar);
    }
  } else {
    barShown_ = false;
  }
  UpdateScrollBar();
  scrollY_ = std::clamp(scrollY_, 0, ScrollMax());
  PlaceControls();
  Invalidate();
  inLayout_ = false;
}

void THtmlFrame::Resize() {
  TWinControl::Resize();
  Relayout();
}

int THtmlFrame::ScrollMax() const { return std::max(0, layout_.height - ClientHeight()); }

int THtmlFrame::LineStep() const { return page_ ? std::max(16, page_->defaultLineHeight) : 19; }

void THtmlFrame::UpdateScrollBar() {
  HWND w = HandleIfCreated();
  if (!w || !barShown_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (scrolling_ == Scrolling::Yes ? SIF_DISABLENOSCROLL : 0);
  si.nMin = 0;
  si.nMax = std::max(0, layout_.height - 1);
  si.nPage = static_cast<UINT>(std::max(0, ClientHeight()));
  si.nPos = scrollY_;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
}

void THtmlFrame::ScrollTo(int y) {
  y = std::clamp(y, 0, ScrollMax());
  if (y == scrollY_) return;
  scrollY_ = y;
  UpdateScrollBar();
  PlaceControls();
  Invalidate();
}

void THtmlFrame::SetScrollPos(int pos) { ScrollTo(pos); }

bool THtmlFrame::ScrollToAnchor(std::wstring_view name) {
  if (!page_ || name.empty()) return false;
  const int y = AnchorTop(*page_, layout_, name);
  if (y < 0) return false;
  ScrollTo(y);
  return true;
}

void THtmlFrame::CreateControls() {
  controls_.clear();
  if (!page_) return;
  const std::vector<FormControl>& controls = page_->controls;
  controls_.resize(controls.size());
  size_t windows = 0;
  for (size_t i = 0; i < controls.size() && windows < kMaxControlWindows; ++i) {
    const FormControl& c = controls[i];
    if (c.kind == ControlKind::Hidden) continue;
    const FontSpec& spec = page_->fonts[c.font];
    auto control = std::make_unique<THtmlControl>(this, static_cast<int>(i), c, TFont(spec.face, -spec.size));
    control->SetVisible(false);
    control->OnPress = [this](THtmlControl& pressed) {
      const FormControl& info = page_->controls[static_cast<size_t>(pressed.Index())];
      if (info.kind == ControlKind::Submit || info.kind == ControlKind::Image) Submit(info.form, pressed.Index());
      else if (info.kind == ControlKind::Reset) ResetForm(info.form);
    };
    control->OnCheck = [this](THtmlControl& checked) {
      if (checked.Kind() == ControlKind::Radio) RadioChecked(checked);
    };
    control->OnEnter = [this](THtmlControl& field) {
      // Enter in a field submits its form as its first submit button would.
      const int form = page_->controls[static_cast<size_t>(field.Index())].form;
      int submitter = -1;
      for (size_t k = 0; k < page_->controls.size() && submitter < 0; ++k) {
        const FormControl& c = page_->controls[k];
        if (c.form == form && (c.kind == ControlKind::Submit || c.kind == ControlKind::Image) && !c.disabled)
          submitter = static_cast<int>(k);
      }
      Submit(form, submitter);
    };
    controls_[i] = std::move(control);
    ++windows;
  }
}

void THtmlFrame::PlaceControls() {
  if (controls_.empty()) return;
  std::vector<bool> placed(controls_.size(), false);
  for (const PlacedControl& p : layout_.controls) {
    THtmlControl* control = Control(static_cast<int>(p.control));
    if (!control) continue;
    placed[p.control] = true;
    control->SetBounds(p.x, p.y - scrollY_, p.width, p.height);
    control->SetVisible(true);
  }
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] && !placed[i]) controls_[i]->SetVisible(false);
}

void THtmlFrame::Submit(int form, int submitter) {
  if (!page_ || form < 0) return;
  std::vector<ControlState> states = InitialStates(page_->controls);
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]) states[i] = controls_[i]->State();
  viewer_.Submitted(BuildSubmission(page_->forms, page_->controls, states, form, submitter, page_->baseTarget));
}

void THtmlFrame::ResetForm(int form) {
  if (!page_ || form < 0) return;
  const std::vector<ControlState> initial = InitialStates(page_->controls);
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] && page_->controls[i].form == form) controls_[i]->SetState(initial[i]);
}

void THtmlFrame::RadioChecked(THtmlControl& checked) {
  for (int k : RadioGroup(page_->controls, checked.Index())) {
    THtmlControl* control = Control(k);
    if (!control) continue;
    ControlState s = control->State();
    s.checked = k == checked.Index();
    control->SetState(s);
  }
}

THtmlFrame* THtmlFrame::TargetFrame(std::wstring_view target) {
  const auto is = [&](std::wstring_view name) { return corvan::SameNameNoCase(target, name); };
  if (target.empty() || is(L"_self")) return this;
  if (is(L"_top") || is(L"_blank")) return Root();
  if (is(L"_parent")) {
    THtmlFrame* p = parentFrame_;
    while (p && !p->page_ && p->parentFrame_) p = p->parentFrame_;
    return p ? p : this;
  }
  THtmlFrame* named = Root()->FindFrame(target);
  return named ? named : Root();
}

void THtmlFrame::FollowLink(int index) {
  if (!page_ || index < 0 || static_cast<size_t>(index) >= page_->links.size()) return;
  const Link& link = page_->links[static_cast<size_t>(index)];
  if (link.href.empty() && link.control >= 0) {
    // A label works its control.
    if (THtmlControl* control = Control(link.control)) {
      const ControlKind kind = control->Kind();
      if (kind == ControlKind::Checkbox || kind == ControlKind::Radio) SendMessageW(control->Handle(), BM_CLICK, 0, 0);
      else control->SetFocus();
    }
    return;
  }
  if (link.href.empty()) return;
  const LinkTarget target = ResolveLink(file_, link.href);
  if (target.kind == LinkKind::Refused) return;
  THtmlFrame* frame = TargetFrame(link.target.empty() ? std::wstring_view(page_->baseTarget) : std::wstring_view(link.target));
  if (target.kind == LinkKind::SameDocument) {
    if (target.fragment.empty()) frame->ScrollTo(0);
    else frame->ScrollToAnchor(target.fragment);
    return;
  }
  if (!target.fragment.empty() && !frame->file_.empty() && corvan::SameNameNoCase(frame->file_, target.path)) {
    frame->ScrollToAnchor(target.fragment);
    return;
  }
  viewer_.Navigate(frame, target.path, target.fragment);
}

bool THtmlFrame::PointAt(int x, int y, TextPoint& point) const {
  return page_ && TextPointAt(*page_, layout_, *viewer_.measurer_, x, y + scrollY_, point);
}

std::wstring THtmlFrame::SelectedText() const {
  if (!page_ || !HasSelection()) return {};
  return TextBetween(*page_, layout_, anchor_, focus_);
}

bool THtmlFrame::CopySelection() {
  const std::wstring text = SelectedText();
  if (text.empty()) return false;
  if (!OpenClipboard(Handle())) return false;
  bool done = false;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    if (void* p = GlobalLock(memory)) {
      memcpy(p, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
      GlobalUnlock(memory);
      done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}

void THtmlFrame::SelectAll() {
  if (layout_.runs.empty()) return;
  anchor_ = {0, 0};
  focus_ = {static_cast<uint32_t>(layout_.runs.size() - 1), layout_.runs.back().length};
  Invalidate();
}

bool THtmlFrame::WheelScroll(int delta) {
  if (frameSet_ || ScrollMax() == 0) return false;
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = lines == WHEEL_PAGESCROLL ? std::max(ClientHeight() - LineStep(), LineStep())
                                             : static_cast<int>(std::min<UINT>(lines, 100)) * LineStep();
  const int before = scrollY_;
  ScrollTo(scrollY_ - delta * step / WHEEL_DELTA);
  return scrollY_ != before;
}

bool THtmlFrame::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_VSCROLL: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(HandleIfCreated(), SB_VERT, &si);
      const int page = std::max(ClientHeight() - LineStep(), LineStep());
      switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(scrollY_ - LineStep()); break;
        case SB_LINEDOWN: ScrollTo(scrollY_ + LineStep()); break;
        case SB_PAGEUP: ScrollTo(scrollY_ - page); break;
        case SB_PAGEDOWN: ScrollTo(scrollY_ + page); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(ScrollMax()); break;
        default: break;
      }
      result = 0;
      return true;
    }
    case WM_MOUSEWHEEL: {
      // The frame under the pointer scrolls (or the nearest one around it that can).
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      THtmlFrame* target = this;
      for (TWinControl* c = FromHandle(WindowFromPoint(at)); c; c = c->Parent())
        if (auto* frame = dynamic_cast<THtmlFrame*>(c); frame && Root()->Contains(frame)) {
          target = frame;
          break;
        }
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      for (THtmlFrame* f = target; f; f = f->parentFrame_)
        if (f->WheelScroll(delta)) break;
      result = 0;
      return true;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && page_) {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(HandleIfCreated(), &at);
        const bool link = LinkAt(*page_, layout_, at.x, at.y + scrollY_) >= 0;
        SetCursor(LoadCursorW(nullptr, link ? IDC_HAND : IDC_ARROW));
        result = TRUE;
        return true;
      }
      return false;
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return true;
    case WM_CAPTURECHANGED:
      selecting_ = false;
      return false;
    default: return TWinControl::WndProc(message, wParam, lParam, result);
  }
}

void THtmlFrame::PaintWindow(HDC dc) {
  const RECT client{0, 0, ClientWidth(), ClientHeight()};
  if (frameSet_) {
    FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
    return;
  }
  if (!page_) {
    FillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    return;
  }
  HtmlPaintSelection selection;
  if (HasSelection()) {
    selection.any = true;
    selection.from = std::min(anchor_, focus_);
    selection.to = std::max(anchor_, focus_);
  }
  PaintHtml(dc, client, {*page_, layout_, *viewer_.measurer_, *viewer_.pictures_, picturePaths_, scrollY_, selection});
}

void THtmlFrame::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == 0 || frameSet_) return;
  const int page = std::max(ClientHeight() - LineStep(), LineStep());
  const bool ctrl = shift & ssCtrl;
  switch (key) {
    case VK_UP: ScrollTo(scrollY_ - LineStep()); break;
    case VK_DOWN: ScrollTo(scrollY_ + LineStep()); break;
    case VK_PRIOR: ScrollTo(scrollY_ - page); break;
    case VK_NEXT: ScrollTo(scrollY_ + page); break;
    case VK_SPACE: ScrollTo(scrollY_ + ((shift & ssShift) ? -page : page)); break;
    case VK_HOME: ScrollTo(0); break;
    case VK_END: ScrollTo(ScrollMax()); break;
    case 'C':
    case VK_INSERT:
      if (!ctrl) return;
      CopySelection();
      break;
    case 'A':
      if (!ctrl) return;
      SelectAll();
      break;
    default: return;
  }
  key = 0;
}

void THtmlFrame::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (CanFocus()) SetFocus();
  if (button != mbLeft || !page_) return;
  downAt_ = {x, y};
  dragged_ = false;
  pressedLink_ = LinkAt(*page_, layout_, x, y + scrollY_);
  const bool had = HasSelection();
  TextPoint point;
  if (PointAt(x, y, point)) {
    if (shift & ssShift) focus_ = point;
    else anchor_ = focus_ = point;
    selecting_ = true;
  }
  if (had || HasSelection()) Invalidate();
}

void THtmlFrame::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (!selecting_ || !(shift & ssLeft)) return;
  if (std::abs(x - downAt_.x) > 3 || std::abs(y - downAt_.y) > 3) dragged_ = true;
  if (!dragged_) return;
  // Dragging past the top or bottom scrolls the page along.
  if (y < 0) ScrollTo(scrollY_ + y);
  else if (y > ClientHeight()) ScrollTo(scrollY_ + y - ClientHeight());
  TextPoint point;
  if (PointAt(x, std::clamp(y, 0, std::max(0, ClientHeight() - 1)), point) && point != focus_) {
    focus_ = point;
    Invalidate();
  }
}

void THtmlFrame::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  selecting_ = false;
  const int link = std::exchange(pressedLink_, -1);
  if (dragged_ || !page_) return;
  if (link >= 0 && LinkAt(*page_, layout_, x, y + scrollY_) == link) FollowLink(link);
}
