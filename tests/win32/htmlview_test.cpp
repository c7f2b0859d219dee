// The HTML view under Wine: pages loaded from files, their titles, scrolling by keys,
// wheel and scroll bar, links, anchors, frames, forms and the copied selection.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "htmlview/FrameViewer.h"
#include "htmlview/HtmlControls.h"
#include "htmlview/HtmlFrame.h"
#include "toolkit/Cliunit.h"
#include "toolkit_globals.h"
#include "win32_test_support.h"

namespace {

// A viewer filling a 600 x 400 window.
struct Viewer {
  TTitleForm form{{.name = L"Host", .left = 40, .top = 40, .width = 600, .height = 400}};
  TFrameViewer view{&form, {.name = L"FrameViewer", .align = alClient, .color = clWindow}};
  Viewer() {
    form.SetBorderStyle(bsNone);
    form.SetClientSize(600, 400);
    form.Show();
    PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; });
  }
  THtmlFrame& Root() { return view.RootFrame(); }
  HWND RootWindow() { return Root().Handle(); }
  // Lets posted messages (keys, navigations) run.
  void Settle() { PumpUntil([] { return false; }, 150); }
};


// A page of n paragraphs, each naming its number.
std::string LongPage(int paragraphs, const std::string& extra = "") {
  std::string page = "<html><head><title>Lung</title></head><body>" + extra;
  for (int i = 0; i < paragraphs; ++i) page += "<p id=\"p" + std::to_string(i) + "\">Paragraful " + std::to_string(i) + "</p>\n";
  return page + "</body></html>";
}

void PressKey(HWND window, WORD key) {
  PostMessageW(window, WM_KEYDOWN, key, 0);
  PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

}  // namespace

TEST(HtmlView, TitleReportedAfterLoading) {
  TempFolder dir;
  // No charset named: the Romanian Windows code page (ş ţ with a cedilla, ă â î).
  ASSERT_TRUE(WriteBytes(dir.Path() + L"a.htm", "<title> Instruc\xfeiuni  &amp;\n no\xba  \xe3\xe2\xee </title><p>text"));
  // UTF-8 named by the page: the comma-below letters.
  ASSERT_TRUE(WriteBytes(dir.Path() + L"b.htm",
                         "<meta charset=\"utf-8\"><title>\xc8\x99i \xc8\x9b</title><p>text"));
  Viewer v;
  int loaded = 0, changed = 0;
  v.view.OnDocumentLoaded = [&](TControl&) { ++loaded; };
  v.view.OnTitleChange = [&](TControl&) { ++changed; };
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"a.htm"));
  EXPECT_EQ(v.view.DocumentTitle(), L"Instruc\u0163iuni & no\u015f \u0103\u00e2\u00ee");
  EXPECT_EQ(v.view.CurrentFile(), dir.Path() + L"a.htm");
  EXPECT_EQ(loaded, 1);
  EXPECT_EQ(changed, 1);
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"b.htm"));
  EXPECT_EQ(v.view.DocumentTitle(), L"\u0219i \u021b");
  EXPECT_EQ(changed, 2);
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"b.htm"));
  EXPECT_EQ(loaded, 3);
  EXPECT_EQ(changed, 2);  // the same title again is no change

  EXPECT_FALSE(v.view.LoadFromFile(dir.Path() + L"missing.htm"));
  EXPECT_EQ(v.view.DocumentTitle(), L"");
  EXPECT_EQ(v.view.CurrentFile(), L"");
}

TEST(HtmlView, KeysAndWheelScroll) {
  TempFolder dir;
  ASSERT_TRUE(WriteBytes(dir.Path() + L"long.htm", LongPage(200)));
  Viewer v;
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"long.htm"));
  THtmlFrame& root = v.Root();
  ASSERT_GT(root.ScrollMax(), 2000);
  const int client = root.ClientHeight();
  const int line = root.LineStep();
  HWND w = v.RootWindow();
  SetFocus(w);
  const struct {
    WORD key;
    int expected;
  } keys[] = {
      {VK_DOWN, line}, {VK_DOWN, 2 * line}, {VK_UP, line}, {VK_NEXT, line + client - line},
      {VK_PRIOR, line}, {VK_END, root.ScrollMax()}, {VK_DOWN, root.ScrollMax()}, {VK_HOME, 0}, {VK_UP, 0},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.key);
    PressKey(w, k.key);
    v.Settle();
    EXPECT_EQ(root.ScrollPos(), k.expected);
  }
  // The wheel: three lines a notch, down for a negative turn.
  RECT r;
  GetWindowRect(w, &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
  EXPECT_EQ(root.ScrollPos(), 3 * line);
  SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
  EXPECT_EQ(root.ScrollPos(), 0);
  // The scroll bar.
  SendMessageW(w, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(root.ScrollPos(), client - line);
  SendMessageW(w, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(root.ScrollPos(), root.ScrollMax());
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &si));
  EXPECT_EQ(si.nPos, root.ScrollMax());
  EXPECT_EQ(static_cast<int>(si.nPage), client);
}
