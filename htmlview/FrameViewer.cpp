#include "htmlview/FrameViewer.h"

#include "htmlview/GdiMeasurer.h"
#include "htmlview/HtmlFrame.h"
#include "htmlview/HtmlPictures.h"

namespace {

// Posted to the viewer to follow the links clicked once the click is handled.
constexpr UINT kNavigateMessage = WM_APP + 0x4C;

}  // namespace

TFrameViewer::TFrameViewer(TWinControl* parent, const TControlDesc& desc)
    : TWinControl(parent, desc),
      pictures_(std::make_unique<THtmlPictures>()),
      measurer_(std::make_unique<TGdiMeasurer>(*pictures_)),
      root_(std::make_unique<THtmlFrame>(this, *this, nullptr, L"", corvan::html::Scrolling::Auto, 0)) {}

TFrameViewer::~TFrameViewer() {
  root_.reset();
  DestroyHandle();
}

bool TFrameViewer::LoadFromFile(const std::wstring& path) {
  navigations_.clear();
  const bool loaded = root_->LoadFile(path);
  TopDocumentLoaded();
  return loaded;
}

void TFrameViewer::Clear() {
  navigations_.clear();
  root_->Clear();
  TopDocumentLoaded();
}

std::wstring TFrameViewer::CurrentFile() const { return root_->File(); }

std::wstring TFrameViewer::DocumentTitle() const { return root_->Title(); }

int TFrameViewer::ScrollPos() const { return root_->ScrollPos(); }

void TFrameViewer::SetScrollPos(int pos) { root_->SetScrollPos(pos); }

bool TFrameViewer::ScrollToAnchor(const std::wstring& name) { return root_->ScrollToAnchor(name); }

namespace {

// The frame whose selection counts: the one with the keyboard focus, else any that has one.
THtmlFrame* SelectionFrame(THtmlFrame& root) {
  HWND focus = GetFocus();
  THtmlFrame* any = nullptr;
  std::vector<THtmlFrame*> pending{&root};
  while (!pending.empty()) {
    THtmlFrame* f = pending.back();
    pending.pop_back();
    if (f->HasSelection()) {
      if (f->HandleIfCreated() && f->HandleIfCreated() == focus) return f;
      if (!any) any = f;
    }
    for (THtmlFrame* child : f->Frames()) pending.push_back(child);
  }
  return any;
}

}  // namespace

std::wstring TFrameViewer::SelectedText() const {
  THtmlFrame* f = SelectionFrame(*root_);
  return f ? f->SelectedText() : std::wstring();
}

bool TFrameViewer::CopyToClipboard() {
  THtmlFrame* f = SelectionFrame(*root_);
  return f && f->CopySelection();
}

void TFrameViewer::Navigate(THtmlFrame* frame, const std::wstring& path, const std::wstring& fragment) {
  navigations_.push_back({frame, path, fragment});
  if (HWND window = HandleIfCreated()) PostMessageW(window, kNavigateMessage, 0, 0);
  else RunNavigations();
}

void TFrameViewer::RunNavigations() {
  std::vector<Navigation> pending = std::move(navigations_);
  navigations_.clear();
  for (const Navigation& n : pending) {
    if (!root_->Contains(n.frame)) continue;  // gone with the page that held it
    n.frame->LoadFile(n.path, n.fragment);
    if (n.frame == root_.get()) TopDocumentLoaded();
  }
}

bool TFrameViewer::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == kNavigateMessage) {
    RunNavigations();
    result = 0;
    return true;
  }
  return TWinControl::WndProc(message, wParam, lParam, result);
}

void TFrameViewer::TopDocumentLoaded() {
  const std::wstring title = DocumentTitle();
  if (OnDocumentLoaded) OnDocumentLoaded(*this);
  if (title != lastTitle_) {
    lastTitle_ = title;
    if (OnTitleChange) OnTitleChange(*this);
  }
}

void TFrameViewer::Submitted(const HtmlFormSubmission& submission) {
  if (OnFormSubmit) OnFormSubmit(submission);
}
