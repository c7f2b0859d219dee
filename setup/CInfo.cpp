#include "setup/CInfo.h"

#include "core/backdrop.h"
#include "core/install_settings.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "setup/Main.h"

using namespace corvan;

TEditInfo::TEditInfo(TInstaller& backdrop)
    : TTitleForm({.name = L"EditInfo", .color = BackdropColor, .font = TFont(L"MS Sans Serif", -11, fsBold)}),
      backdrop_(backdrop) {
  SetBorderStyle(bsNone);
  SetBorderIcons(0);
  SetClientSize(823, 524);
  SetKeyPreview(true);
  Panel1.SetBevelOuter(bvNone);  // the close button fills the bar's whole height
  NiceButton3.SetKind(mkClose);
  NiceButton3.SetCaption(L"&E");
  NiceButton3.SetCaptionVisible(false);
  NiceButton3.Cancel = true;
  NiceButton3.SetTabStop(false);
  NiceButton3.OnClick = [this](TControl&) { NiceButton3Click(); };
  TitleBar1.SetStartColor(BackdropColor);
  TitleBar1.SetEndColor(BackdropColor);
  FrameViewer.SetDefaultFontName(L"Times New Roman");
  FrameViewer.SetDefaultPreFontName(L"Courier New");
  FrameViewer.OnFormSubmit = [this](const HtmlFormSubmission& s) { FrameViewerFormSubmit(s); };
  // A link the reader follows to another page of the version brings that page's title.
  FrameViewer.OnDocumentLoaded = [this](TControl&) { SetCaption(FrameViewer.DocumentTitle()); };
  OnShow = [this](TControl&) { FormShow(); };
  OnClose = [this](TControl&) { FormClose(); };
  Handle();  // made hidden, shown by ShowInstructions
}

TEditInfo::~TEditInfo() { DestroyHandle(); }

void TEditInfo::CreateParams(TCreateParams& params) {
  TTitleForm::CreateParams(params);
  params.ownClass = L"TEditInfo";
  // Above the backdrop and the wizard pages, which run modally under it.
  params.exStyle |= WS_EX_TOPMOST;
}

bool TEditInfo::FilePrepared(const std::wstring& folder) {
  QuietDriveErrors quiet;
  const std::wstring unread = InstructionsFile(folder, ProductVersion);
  const std::wstring read = ReadMarkerName(unread);
  // A fresh copy of a page read before goes back to being read. A file that cannot be
  // deleted stays and is shown.
  if (FileExists(unread) && FileExists(read)) DeleteFileW(unread.c_str());
  if (FileExists(unread)) fName_ = unread;
  else if (FileExists(read)) fName_ = read;
  else fName_.clear();
  return !fName_.empty();
}

void TEditInfo::ShowInstructions() {
  if (!FilePrepared(Settings().ProgramDir)) return;
  RECT outer{};
  GetWindowRect(backdrop_.Handle(), &outer);
  const Placement bounds = InstructionsViewerBounds(
      {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top}, backdrop_.Panou.Top(),
      backdrop_.Panou.Height());
  SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  HWND window = Handle();
  if (!IsWindowVisible(window)) {
    Show();  // FormShow loads the page
    return;
  }
  // Already shown: in front again, the page as the reader left it.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
}

void TEditInfo::FormShow() {
  // The viewer takes the file's name as single-byte text of the system's code page.
  if (!fName_.empty()) FrameViewer.LoadFromFile(FromAnsi(ToAnsi(fName_)));
  SetCaption(FrameViewer.DocumentTitle());
}

void TEditInfo::NiceButton3Click() { Hide(); }

void TEditInfo::FormClose() {
  if (fName_.empty() || IsReadMarkerName(fName_)) return;
  // Marks the page as read; a file that cannot be renamed stays as it is.
  MoveFileW(fName_.c_str(), ReadMarkerName(fName_).c_str());
}

void TEditInfo::RaiseAboveAll() {
  HWND window = HandleIfCreated();
  constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  // Leaving the first place and taking it again: a window that is already first in the
  // order is not moved at all, and Wine restacks its windows on the screen only when one
  // moves to the top (the backdrop a closing page activates can cover the viewer there).
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, keep);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, keep);
}

void TEditInfo::FrameViewerFormSubmit(const HtmlFormSubmission&) {
  // The instructions have no form the setup answers; the page stays where it is.
}

bool TEditInfo::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ENABLE:
      TTitleForm::WndProc(message, wParam, lParam, result);
      // A modal page disables every other window; the viewer comes back at once.
      if (!wParam) PostMessageW(HandleIfCreated(), WM_ENABLEAGAIN, 0, 0);
      return true;
    case WM_ENABLEAGAIN:
      EnableWindow(HandleIfCreated(), TRUE);
      if (IsWindowVisible(HandleIfCreated())) RaiseAboveAll();
      result = 0;
      return true;
    default: return TTitleForm::WndProc(message, wParam, lParam, result);
  }
}
