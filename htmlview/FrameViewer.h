#pragma once
// TFrameViewer: the program's own HTML view, a child control that shows a local HTML file
// (a page, or a frame set whose frames scroll on their own) with its pictures, follows its
// local links, reports its title and hands form submissions to its host without acting
// on them. No border, no focus rectangle, no history.
//
//   TFrameViewer FrameViewer{this, {.name = L"FrameViewer", .align = alClient}};
//   FrameViewer.OnDocumentLoaded = [this](TControl&) { SetCaption(FrameViewer.DocumentTitle()); };
//   FrameViewer.OnFormSubmit = [](const HtmlFormSubmission&) {};
//   FrameViewer.LoadFromFile(L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.htm");
//
// The user scrolls with the vertical scroll bar, the wheel and PgUp/PgDn/Home/End/arrows,
// selects text with the mouse and copies it with Ctrl+C. Links to pages on disk open in
// the viewer (or in the frame their target names), "#name" scrolls to its anchor; links
// of other schemes (http:, mailto:, ...) are not followed.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/html_form.h"
#include "toolkit/Control.h"

using corvan::HtmlFormSubmission;

class THtmlFrame;
class THtmlPictures;
class TGdiMeasurer;

class TFrameViewer : public TWinControl {
 public:
  TFrameViewer(TWinControl* parent, const TControlDesc& desc);
  ~TFrameViewer() override;

  // Reads and shows the file; false when it cannot be read (the view is then empty). A
  // page that is not valid HTML is shown as well as it can be.
  bool LoadFromFile(const std::wstring& path);
  // Shows no page.
  void Clear();
  // The file shown in the viewer (the frame set's own file for a frame set); empty: none.
  std::wstring CurrentFile() const;
  // The <title> of the page shown (of the frame set for a frame set), blanks collapsed;
  // empty when the page has none.
  std::wstring DocumentTitle() const;

  // The face for text whose page names none ("Times New Roman") and for preformatted text
  // ("Courier New"). A change applies to the next page loaded.
  const std::wstring& DefaultFontName() const { return defaultFontName_; }
  void SetDefaultFontName(const std::wstring& name) { defaultFontName_ = name; }
  const std::wstring& DefaultPreFontName() const { return defaultPreFontName_; }
  void SetDefaultPreFontName(const std::wstring& name) { defaultPreFontName_ = name; }

  // The vertical scroll position of the page shown, in pixels from its top (a frame set
  // has none of its own: 0).
  int ScrollPos() const;
  void SetScrollPos(int pos);
  // Scrolls the page shown to the anchor <a name> or id; false when it has none.
  bool ScrollToAnchor(const std::wstring& name);
  // The text selected with the mouse (lines end in CR LF); empty when nothing is.
  std::wstring SelectedText() const;
  // Puts the selected text on the clipboard (what Ctrl+C does); false when nothing is selected.
  bool CopyToClipboard();

  // A form of the page (or of a frame) was submitted. The viewer does not navigate.
  std::function<void(const HtmlFormSubmission&)> OnFormSubmit;
  // A page was loaded into the viewer (by LoadFromFile or by following a link that
  // replaced the whole view); DocumentTitle() is already the new one.
  TNotifyEvent OnDocumentLoaded;
  // The document's title changed (after a load, when it differs from the previous one).
  TNotifyEvent OnTitleChange;

  // The view that fills the viewer: the page, or the frame set holding the frames
  // (htmlview/HtmlFrame.h; tests drive the frames through it).
  THtmlFrame& RootFrame() const { return *root_; }

 protected:
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  friend class THtmlFrame;
  struct Navigation {
    THtmlFrame* frame;
    std::wstring path, fragment;
  };
  // Loads the file into the frame once the message being handled is done (a link may
  // replace the very frame that was clicked).
  void Navigate(THtmlFrame* frame, const std::wstring& path, const std::wstring& fragment);
  void RunNavigations();
  void TopDocumentLoaded();
  void Submitted(const HtmlFormSubmission& submission);

  std::wstring defaultFontName_ = L"Times New Roman";
  std::wstring defaultPreFontName_ = L"Courier New";
  std::unique_ptr<THtmlPictures> pictures_;
  std::unique_ptr<TGdiMeasurer> measurer_;
  std::unique_ptr<THtmlFrame> root_;
  std::vector<Navigation> navigations_;
  std::wstring lastTitle_;
};
