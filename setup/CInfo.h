#pragma once
// TEditInfo, the instructions viewer: the version's instructions page, Instruct.htm in the
// folder VerInfo\<version> of the program folder, in a floating window over the backdrop
// and the wizard pages.
// One instance lives with the backdrop, hidden until ShowInstructions; its button (or Esc)
// hides it again. A close request of the window system marks the page as read by renaming
// its file to Instruct.html. It stays usable while a wizard page runs modally.
#include <string>

#include "htmlview/FrameViewer.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Mbuttons.h"
#include "toolkit/Paintpan.h"
#include "toolkit/Title.h"

class TInstaller;

// The message the viewer posts itself when it is disabled; its handling enables the
// viewer again (a modal page disables every other window of the program).
inline constexpr UINT WM_ENABLEAGAIN = WM_USER + 256;

class TEditInfo : public TTitleForm {
 public:
  // The viewer over this backdrop (placed and sized from it on each showing).
  explicit TEditInfo(TInstaller& backdrop);
  ~TEditInfo() override;

  TMovePanel Panel1{this, {.name = L"Panel1", .height = 29, .align = alTop, .color = corvan::Hex(0x084A8C)}};
  TNiceButton NiceButton3{&Panel1, {.name = L"NiceButton3", .width = 31, .height = 29, .align = alRight,
                                    .caption = L"&E"}};
  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .height = 25, .align = alTop,
                             .font = TFont(L"MS Sans Serif", -13, fsBold, corvan::clWhite)}};
  TFrameViewer FrameViewer{this, {.name = L"FrameViewer", .align = alClient, .color = clWindow}};

  // Chooses the page of ProgramDir; when there is one, places the viewer over the backdrop
  // and shows it in front (not modally). Without a page it does nothing.
  void ShowInstructions();
  // Chooses the page under `folder` into FName: the unread ".htm", else the read ".html";
  // with both, the ".htm" is deleted first (the page was read before). False with none.
  bool FilePrepared(const std::wstring& folder);
  // The file the viewer shows; empty when there is none.
  const std::wstring& FName() const { return fName_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FormShow();
  void FormClose();
  void NiceButton3Click();
  void FrameViewerFormSubmit(const HtmlFormSubmission& submission);
  // Puts the window above every other one again, on the screen too.
  void RaiseAboveAll();

  TInstaller& backdrop_;
  std::wstring fName_;
};
