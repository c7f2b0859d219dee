// The instructions viewer under Wine: which page it takes from the program folder, where it
// stands over the backdrop, what showing, hiding and a close request do to it and to the
// page's file, and that it stays usable beside a modal page.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/backdrop.h"
#include "core/install_settings.h"
#include "htmlview/HtmlControls.h"
#include "htmlview/HtmlFrame.h"
#include "pixel_canvas.h"
#include "setup/CInfo.h"
#include "setup/Main.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "win32_test_support.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {

const std::wstring kProgramDir = L"C:\\Corvan";
const std::wstring kPageFolder = L"C:\\Corvan\\VerInfo\\3200876.02\\";
const std::wstring kUnread = kPageFolder + L"Instruct.htm";
const std::wstring kRead = kPageFolder + L"Instruct.html";

std::string Page(const std::string& title, const std::string& body = "<p>Instructiuni</p>") {
  return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

// The version folder under C:\Corvan, emptied before and removed after each test; the
// settings point at it.
struct ProgramFolder {
  ProgramFolder() {
    RemoveTree(L"C:\\Corvan");
    CreateDirectoryW(L"C:\\Corvan", nullptr);
    CreateDirectoryW(L"C:\\Corvan\\VerInfo", nullptr);
    CreateDirectoryW(kPageFolder.c_str(), nullptr);
    Settings() = {};
    Settings().ProgramDir = kProgramDir;
  }
  ~ProgramFolder() {
    RemoveTree(L"C:\\Corvan");
    Settings() = {};
  }
};

// The backdrop as the start-up shows it, with its viewer.
struct ShownBackdrop {
  TInstaller backdrop;
  TEditInfo& viewer = backdrop.EditInfo();
  ShownBackdrop() {
    backdrop.Show();
    PumpUntil([] { return false; }, 100);
  }
  HWND Viewer() { return viewer.Handle(); }
  bool ViewerShown() { return IsWindowVisible(Viewer()) != FALSE; }
  RECT ViewerRect() {
    RECT r{};
    GetWindowRect(Viewer(), &r);
    return r;
  }
};

void Settle() { PumpUntil([] { return false; }, 100); }

}  // namespace

TEST(InstructionsViewer, ChoosesThePageOfTheVersionFolder) {
  ProgramFolder folder;
  ShownBackdrop b;
  enum Files { none, unread, read, both };
  const struct {
    const wchar_t* programDir;
    Files present;
    const std::wstring& chosen;  // empty: none
    bool unreadLeft, readLeft;
  } cases[] = {
      {L"C:\\Corvan", unread, kUnread, true, false},
      {L"C:\\Corvan\\", unread, kUnread, true, false},
      {L"C:\\Corvan", read, kRead, false, true},
      {L"C:\\Corvan\\", read, kRead, false, true},
      // A fresh copy beside the page read before: the copy goes, the read page is shown.
      {L"C:\\Corvan", both, kRead, false, true},
      {L"C:\\Corvan\\", both, kRead, false, true},
      {L"C:\\Corvan", none, L"", false, false},
      {L"C:\\Corvan\\", none, L"", false, false},
  };
  static const std::wstring empty;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.programDir, c.programDir + wcslen(c.programDir)) << " files "
                                    << c.present);
    DeleteFileW(kUnread.c_str());
    DeleteFileW(kRead.c_str());
    if (c.present == unread || c.present == both) {
      ASSERT_TRUE(WriteBytes(kUnread, Page("Necitit")));
    }
    if (c.present == read || c.present == both) {
      ASSERT_TRUE(WriteBytes(kRead, Page("Citit")));
    }
    EXPECT_EQ(b.viewer.FilePrepared(c.programDir), !c.chosen.empty());
    EXPECT_EQ(b.viewer.FName(), c.chosen);
    EXPECT_EQ(PathExists(kUnread), c.unreadLeft);
    EXPECT_EQ(PathExists(kRead), c.readLeft);

    // ShowInstructions takes the same page from ProgramDir, or shows nothing.
    Settings().ProgramDir = c.programDir;
    ShowInstructions();
    Settle();
    EXPECT_EQ(b.ViewerShown(), !c.chosen.empty());
    if (!c.chosen.empty()) {
      EXPECT_EQ(b.viewer.FrameViewer.CurrentFile(), c.chosen);
      EXPECT_EQ(b.viewer.Caption(), c.present == unread ? L"Necitit" : L"Citit");
    }
    b.viewer.Hide();
  }
  // A fresh copy that cannot be deleted stays, silently, and is the page shown.
  ASSERT_TRUE(WriteBytes(kUnread, Page("Necitit")));
  ASSERT_TRUE(WriteBytes(kRead, Page("Citit")));
  ASSERT_TRUE(SetFileAttributesW(kUnread.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(b.viewer.FilePrepared(kProgramDir));
  EXPECT_EQ(b.viewer.FName(), kUnread);
  EXPECT_TRUE(PathExists(kUnread));
  EXPECT_TRUE(PathExists(kRead));
  SetFileAttributesW(kUnread.c_str(), FILE_ATTRIBUTE_NORMAL);

  // Another folder has its own page (a file directly under it does not count).
  TempFolder other;
  ASSERT_TRUE(WriteBytes(other.Path() + L"Instruct.htm", Page("Alt")));
  EXPECT_FALSE(b.viewer.FilePrepared(other.Path()));
  EXPECT_EQ(b.viewer.FName(), L"");
}

TEST(InstructionsViewer, PlacedOverTheBackdropNarrowerAndIn) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kUnread, Page("Instructiuni")));
  ShownBackdrop b;
  HWND backdrop = b.backdrop.Handle();
  // Maximised on the screen of the tests, then two other places and sizes.
  const RECT places[] = {{0, 0, 0, 0}, {37, 21, 37 + 900, 21 + 650}, {-5, 60, -5 + 1014, 60 + 700}};
  for (const RECT& place : places) {
    SCOPED_TRACE(testing::Message() << place.left << "," << place.top << " " << place.right - place.left);
    if (place.right != 0) {
      ShowWindow(backdrop, SW_RESTORE);
      SetWindowPos(backdrop, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT outer;
    GetWindowRect(backdrop, &outer);
    ShowInstructions();
    Settle();
    ASSERT_TRUE(b.ViewerShown());
    const RECT v = b.ViewerRect();
    EXPECT_EQ(v.right - v.left, (outer.right - outer.left) - 200) << "200 pixels narrower than the backdrop";
    EXPECT_EQ(v.left, outer.left + 100) << "100 pixels in from its left edge";
    EXPECT_EQ(v.top, outer.top + 30);
    EXPECT_EQ(v.bottom - v.top, b.backdrop.Panou.Top() + b.backdrop.Panou.Height() + 30);
    // No frame: the client area is the whole window.
    EXPECT_EQ(b.viewer.ClientWidth(), v.right - v.left);
    EXPECT_EQ(b.viewer.ClientHeight(), v.bottom - v.top);
    EXPECT_EQ(GetForegroundWindow(), b.Viewer()) << "brought to the front";
    b.viewer.Hide();
  }
}

TEST(InstructionsViewer, WindowTable) {
  ShownBackdrop b;
  TEditInfo& v = b.viewer;
  HWND window = b.Viewer();
  EXPECT_FALSE(IsWindowVisible(window)) << "hidden after creation";
  const LONG style = GetWindowLongW(window, GWL_STYLE), exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST) << "above the program's other windows";
  EXPECT_EQ(v.ClientWidth(), 823);
  EXPECT_EQ(v.ClientHeight(), 524);
  EXPECT_TRUE(v.KeyPreview());
  EXPECT_EQ(v.Font().Name(), L"MS Sans Serif");
  EXPECT_TRUE(v.Font().Bold());

  EXPECT_EQ(v.Panel1.Top(), 0);
  EXPECT_EQ(v.Panel1.Height(), 29);
  EXPECT_EQ(v.Panel1.Width(), 823);
  EXPECT_EQ(v.Panel1.Color(), Hex(0x084A8C));
  EXPECT_EQ(v.NiceButton3.Parent(), &v.Panel1);
  EXPECT_EQ(v.NiceButton3.Width(), 31);
  EXPECT_EQ(v.NiceButton3.Height(), 29);
  EXPECT_EQ(v.NiceButton3.Left() + 31, v.Panel1.ClientWidth()) << "at the right end of the bar";
  EXPECT_EQ(v.NiceButton3.Kind(), mkClose);
  EXPECT_EQ(v.NiceButton3.Caption(), L"&E");
  EXPECT_FALSE(v.NiceButton3.CaptionVisible());
  EXPECT_TRUE(v.NiceButton3.Cancel);
  EXPECT_FALSE(v.NiceButton3.TabStop());

  EXPECT_EQ(v.TitleBar(), &v.TitleBar1);
  EXPECT_EQ(v.TitleBar1.Top(), 29);
  EXPECT_EQ(v.TitleBar1.Height(), 25);
  EXPECT_EQ(v.TitleBar1.Width(), 823);
  EXPECT_EQ(v.TitleBar1.StartColor(), Hex(0x084A8C));
  EXPECT_EQ(v.TitleBar1.EndColor(), Hex(0x084A8C));
  EXPECT_EQ(v.TitleBar1.CaptionColor(), clWhite);
  EXPECT_TRUE(v.TitleBar1.Font().Bold());
  EXPECT_EQ(v.TitleBar1.Font().Height(), -13);

  EXPECT_EQ(v.FrameViewer.Top(), 54);
  EXPECT_EQ(v.FrameViewer.Left(), 0);
  EXPECT_EQ(v.FrameViewer.Width(), 823);
  EXPECT_EQ(v.FrameViewer.Height(), 524 - 54);
  EXPECT_EQ(v.FrameViewer.DefaultFontName(), L"Times New Roman");
  EXPECT_EQ(v.FrameViewer.DefaultPreFontName(), L"Courier New");
}

TEST(InstructionsViewer, TitleOfTheDocumentInTheBarAndTheCaption) {
  ProgramFolder folder;
  // The page's own code page: the Romanian letters with the comma below.
  ASSERT_TRUE(WriteBytes(kUnread, "<meta charset=\"utf-8\">" +
                                      Page("Corvan \xe2\x80\x93 instruc\xc8\x9biuni",
                                           "<div style=\"background-color:#FFFFFF;height:2000px\">text</div>")));
  ShownBackdrop b;
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
  const std::wstring title = L"Corvan \u2013 instruc\u021biuni";
  EXPECT_EQ(b.viewer.Caption(), title);
  EXPECT_EQ(b.viewer.TitleBar1.Caption(), title);
  wchar_t text[128] = L"";
  GetWindowTextW(b.Viewer(), text, 128);
  EXPECT_EQ(std::wstring(text), title) << "the window's caption, as other programs read it";

  // The bars are painted: blue, with the caption written white on the title bar. Read from
  // the screen, where the viewer is on top.
  RedrawWindow(b.Viewer(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Settle();
  const RECT at = b.ViewerRect();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, at.left + 300, at.top + 3), RGB(8, 74, 140)) << "the drag bar";
  EXPECT_EQ(GetPixel(screen, at.right - 60, at.top + 29 + 2), RGB(8, 74, 140)) << "the title bar";
  int white = 0;
  const POINT origin = b.viewer.TitleBar1.CaptionOrigin();
  for (int y = at.top + 29; y < at.top + 29 + 25; ++y)
    for (int x = at.left + origin.x; x < at.left + origin.x + 200; ++x)
      white += GetPixel(screen, x, y) == RGB(255, 255, 255);
  EXPECT_GT(white, 40) << "the caption is written";
  EXPECT_EQ(GetPixel(screen, at.left + 400, at.top + 200), RGB(255, 255, 255)) << "the page below the bars";
  ReleaseDC(nullptr, screen);
}

TEST(InstructionsViewer, LoadsOnlyWhenItBecomesVisible) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kUnread, Page("Prima")));
  ShownBackdrop b;
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
  ASSERT_EQ(b.viewer.Caption(), L"Prima");
  THtmlFrame& root = b.viewer.FrameViewer.RootFrame();

  // Shown again while visible: the file is chosen again and the window placed again, the
  // page is not read again.
  ASSERT_TRUE(WriteBytes(kUnread, Page("A doua")));
  HWND backdrop = b.backdrop.Handle();
  ShowWindow(backdrop, SW_RESTORE);
  SetWindowPos(backdrop, nullptr, 50, 40, 900, 640, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowInstructions();
  Settle();
  EXPECT_TRUE(b.ViewerShown());
  EXPECT_EQ(b.ViewerRect().left, 150);
  EXPECT_EQ(b.ViewerRect().top, 70);
  EXPECT_EQ(b.viewer.Caption(), L"Prima");
  EXPECT_EQ(b.viewer.FrameViewer.DocumentTitle(), L"Prima");
  EXPECT_EQ(&b.viewer.FrameViewer.RootFrame(), &root);

  // Hidden and shown: now it reads the page.
  b.viewer.NiceButton3.Press();
  ASSERT_FALSE(b.ViewerShown());
  ShowInstructions();
  Settle();
  EXPECT_TRUE(b.ViewerShown());
  EXPECT_EQ(b.viewer.Caption(), L"A doua");
  EXPECT_EQ(b.viewer.TitleBar1.Caption(), L"A doua");
}

TEST(InstructionsViewer, CloseRequestMarksThePageReadTheButtonAndEscDoNot) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kUnread, Page("Instructiuni")));
  ShownBackdrop b;

  // The button, by a click of the mouse and by Esc: hidden, the page still unread.
  const struct {
    const char* how;
    void (*hide)(ShownBackdrop&);
  } hides[] = {
      {"click", [](ShownBackdrop& s) { SendMessageW(s.viewer.NiceButton3.Handle(), BM_CLICK, 0, 0); }},
      {"Esc", [](ShownBackdrop& s) {
         HWND focus = GetFocus();
         PostMessageW(focus ? focus : s.Viewer(), WM_KEYDOWN, VK_ESCAPE, 0);
         Drain();
       }},
      {"Alt+E", [](ShownBackdrop& s) { AltLetter(s.Viewer(), L'e'); }},
  };
  for (const auto& h : hides) {
    SCOPED_TRACE(h.how);
    ShowInstructions();
    ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
    h.hide(b);
    Settle();
    EXPECT_FALSE(b.ViewerShown());
    EXPECT_TRUE(IsWindow(b.Viewer())) << "it stays, with its page";
    EXPECT_EQ(b.viewer.FrameViewer.CurrentFile(), kUnread);
    EXPECT_TRUE(PathExists(kUnread));
    EXPECT_FALSE(PathExists(kRead));
  }

  // A close request of the window system: hidden, the page renamed as read.
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
  SendMessageW(b.Viewer(), WM_CLOSE, 0, 0);
  Settle();
  EXPECT_FALSE(b.ViewerShown());
  EXPECT_FALSE(PathExists(kUnread));
  EXPECT_TRUE(PathExists(kRead));

  // The read page is shown next time; closing it again renames nothing.
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
  EXPECT_EQ(b.viewer.FName(), kRead);
  EXPECT_EQ(b.viewer.FrameViewer.CurrentFile(), kRead);
  SendMessageW(b.Viewer(), WM_CLOSE, 0, 0);
  Settle();
  EXPECT_FALSE(b.ViewerShown());
  EXPECT_TRUE(PathExists(kRead));
  EXPECT_FALSE(PathExists(kRead + L"l"));

  // A page whose name the viewer cannot take: no message, the file stays.
  ASSERT_TRUE(WriteBytes(kUnread, Page("Necitit")));
  DeleteFileW(kRead.c_str());
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
  CreateDirectoryW(kRead.c_str(), nullptr);  // a folder already holds the read name
  SendMessageW(b.Viewer(), WM_CLOSE, 0, 0);
  Settle();
  EXPECT_FALSE(b.ViewerShown());
  EXPECT_TRUE(PathExists(kUnread));
  RemoveDirectoryW(kRead.c_str());
}

// Whether `upper` comes before `lower` in the windows' order on the screen.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

// A modal window over the backdrop that runs `during` once it is shown, then closes.
class ModalPage : public TTitleForm {
 public:
  explicit ModalPage(std::function<void()> during)
      : TTitleForm({.name = L"Modal", .left = 200, .top = 500, .width = 400, .height = 120,
                    .caption = L"Pagina"}),
        during_(std::move(during)) {
    SetBorderStyle(bsNone);
    OnShow = [this](TControl&) {
      during_();
      SetModalResult(TModalResult::Cancel);
    };
  }

 private:
  std::function<void()> during_;
};

TEST(InstructionsViewer, StaysEnabledBesideAModalPage) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kUnread, Page("Instructiuni")));
  ShownBackdrop b;
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));

  // Disabled by hand: it is enabled again once its message arrives, its button with it.
  EnableWindow(b.Viewer(), FALSE);
  EXPECT_FALSE(IsWindowEnabled(b.Viewer())) << "enabled again through the posted message, not at once";
  EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(b.Viewer()) != FALSE; }, 2000));
  EXPECT_TRUE(b.viewer.NiceButton3.Enabled());

  bool backdropDisabled = false, viewerEnabled = false, inFront = false, hiddenByEsc = false, shownAgain = false;
  ModalPage* shown = nullptr;
  ModalPage page([&] {
    backdropDisabled = !IsWindowEnabled(b.backdrop.Handle());
    // In front of the page although the page came after it.
    inFront = Above(b.Viewer(), shown->Handle());
    viewerEnabled = PumpUntil([&] { return IsWindowEnabled(b.Viewer()) != FALSE; }, 2000);
    // The reader works the viewer while the page waits: Esc hides it, the page's Alt+H
    // (ShowInstructions) brings it back, enabled and in front.
    PostMessageW(GetFocus() && GetAncestor(GetFocus(), GA_ROOT) == b.Viewer() ? GetFocus() : b.Viewer(), WM_KEYDOWN,
                 VK_ESCAPE, 0);
    Drain();
    hiddenByEsc = !b.ViewerShown();
    ShowInstructions();
    Settle();
    shownAgain = b.ViewerShown() && IsWindowEnabled(b.Viewer()) && Above(b.Viewer(), shown->Handle());
  });
  shown = &page;
  page.ShowModal();
  EXPECT_TRUE(backdropDisabled) << "the modal page disables the program's other windows";
  EXPECT_TRUE(viewerEnabled);
  EXPECT_TRUE(inFront);
  EXPECT_TRUE(hiddenByEsc);
  EXPECT_TRUE(shownAgain);
  EXPECT_TRUE(IsWindowEnabled(b.backdrop.Handle()));
  EXPECT_TRUE(IsWindowEnabled(b.Viewer()));
}

TEST(InstructionsViewer, OpenedOnAPageItStaysInFrontOfTheNextPage) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kUnread, Page("Instructiuni")));
  ShownBackdrop b;
  SetActiveWindow(b.backdrop.Handle());
  // The copy page opens the viewer while it works; the configuration page follows it.
  ModalPage copy([&] {
    ShowInstructions();
    Settle();
  });
  copy.ShowModal();
  Settle();  // what the closed page left to do (the backdrop it activates again)
  ASSERT_TRUE(b.ViewerShown());
  COLORREF seen = CLR_INVALID;
  bool inFront = false;
  ModalPage next([&] {
    Settle();
    RedrawWindow(b.Viewer(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    inFront = Above(b.Viewer(), next.Handle());
    // On the screen: the page of the viewer, not the backdrop behind it.
    const RECT at = b.ViewerRect();
    HDC screen = GetDC(nullptr);
    seen = GetPixel(screen, at.left + 400, at.top + 200);
    ReleaseDC(nullptr, screen);
  });
  next.ShowModal();
  EXPECT_TRUE(inFront);
  EXPECT_EQ(seen, RGB(255, 255, 255));
}

TEST(InstructionsViewer, FormSubmissionsAreIgnored) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kPageFolder + L"trimis.htm", Page("Trimis")));
  ASSERT_TRUE(WriteBytes(kUnread, Page("Formular", "<form action=\"trimis.htm\"><input name=nume value=x>"
                                                   "<input type=submit value=Trimite></form>")));
  ShownBackdrop b;
  ShowInstructions();
  ASSERT_TRUE(PumpUntil([&] { return b.ViewerShown(); }));
  THtmlFrame& root = b.viewer.FrameViewer.RootFrame();
  ASSERT_NE(root.Control(1), nullptr);
  SendMessageW(root.Control(1)->Handle(), BM_CLICK, 0, 0);
  Settle();
  EXPECT_TRUE(b.ViewerShown());
  EXPECT_EQ(b.viewer.FrameViewer.CurrentFile(), kUnread);
  EXPECT_EQ(b.viewer.Caption(), L"Formular");
}

TEST(InstructionsViewer, BackdropPictureShowsItAndTheViewerGoesWithTheBackdrop) {
  ProgramFolder folder;
  ASSERT_TRUE(WriteBytes(kUnread, Page("Instructiuni")));
  HWND viewer = nullptr;
  {
    ShownBackdrop b;
    viewer = b.Viewer();
    // A click on the small stroke over the product name.
    TTransImage& picture = b.backdrop.caciula_i;
    const LPARAM at = MAKELPARAM(picture.Left() + picture.Width() / 2, picture.Top() + picture.Height() / 2);
    HWND panel = b.backdrop.Panou.Handle();
    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(panel, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil([&] { return b.ViewerShown(); }, 2000));
    EXPECT_EQ(b.viewer.Caption(), L"Instructiuni");
  }
  EXPECT_FALSE(IsWindow(viewer));
  ShowInstructions();  // no backdrop, no viewer: nothing happens
  Settle();
}
