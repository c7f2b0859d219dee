// The HTML view under Wine: pages loaded from files, their titles, scrolling by keys,
// wheel and scroll bar, links, anchors, frames, forms and the copied selection.
#include <gtest/gtest.h>
#include <wincodec.h>
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

namespace {

// The first run of the laid-out page that holds that text.
const corvan::html::TextRun* RunOf(const THtmlFrame& frame, const std::wstring& text) {
  const corvan::html::Page* page = frame.Page();
  if (!page) return nullptr;
  for (const corvan::html::TextRun& r : frame.Layout().runs)
    if (std::wstring_view(page->text).substr(r.text, r.length).find(text) != std::wstring_view::npos) return &r;
  return nullptr;
}

// Clicks the frame at a point of its page (page coordinates, the scroll taken off).
void ClickPage(THtmlFrame& frame, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y - frame.ScrollPos());
  SendMessageW(frame.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(frame.Handle(), WM_LBUTTONUP, 0, at);
}

bool ClickText(THtmlFrame& frame, const std::wstring& text) {
  const corvan::html::TextRun* r = RunOf(frame, text);
  if (!r) return false;
  ClickPage(frame, r->x + 2, r->y + r->height / 2);
  return true;
}

}  // namespace

TEST(HtmlView, LinksOpenLocalPagesAndAnchorsButNoOtherSchemes) {
  TempFolder dir;
  ASSERT_TRUE(WriteBytes(dir.Path() + L"a.htm",
                         "<title>Prima</title><p><a href=\"sub/b.htm#parte\">mai departe</a> "
                         "<a href=\"http://exemplu.ro/\">web</a> <a href=\"mailto:a@b.ro\">scrisoare</a> "
                         "<a href=\"#p150\">jos</a> <a href=\"missing.htm\">lipsa</a>" +
                             LongPage(200).substr(LongPage(200).find("<body>") + 6)));
  CreateDirectoryW((dir.Path() + L"sub").c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(dir.Path() + L"sub\\b.htm", "<title>A doua</title>" + std::string(3000, '\n') +
                                                      LongPage(100, "<a href=\"../a.htm\">inapoi</a><h2 id=parte>Parte</h2>")
                                                          .substr(6)));
  Viewer v;
  std::vector<std::wstring> titles;
  v.view.OnTitleChange = [&](TControl&) { titles.push_back(v.view.DocumentTitle()); };
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"a.htm"));
  THtmlFrame& root = v.Root();

  // Other schemes and missing files: nothing happens.
  for (const wchar_t* text : {L"web", L"scrisoare"}) {
    SCOPED_TRACE(testing::Message() << text);
    ASSERT_TRUE(ClickText(root, text));
    v.Settle();
    EXPECT_EQ(v.view.CurrentFile(), dir.Path() + L"a.htm");
  }
  // "#name" scrolls the page to its anchor.
  ASSERT_TRUE(ClickText(root, L"jos"));
  const corvan::html::TextRun* target = RunOf(root, L"Paragraful 150");
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(root.ScrollPos(), std::min(target->y, root.ScrollMax()));
  EXPECT_GT(root.ScrollPos(), 0);
  EXPECT_TRUE(v.view.ScrollToAnchor(L"p20"));
  EXPECT_EQ(root.ScrollPos(), RunOf(root, L"Paragraful 20")->y);
  EXPECT_FALSE(v.view.ScrollToAnchor(L"nowhere"));
  EXPECT_EQ(root.ScrollPos(), RunOf(root, L"Paragraful 20")->y);
  v.view.SetScrollPos(0);

  // A local page opens in the viewer, at its anchor.
  ASSERT_TRUE(ClickText(root, L"mai departe"));
  ASSERT_TRUE(PumpUntil([&] { return v.view.CurrentFile() == dir.Path() + L"sub\\b.htm"; }));
  EXPECT_EQ(v.view.DocumentTitle(), L"A doua");
  ASSERT_NE(RunOf(root, L"Parte"), nullptr);
  EXPECT_EQ(root.ScrollPos(), RunOf(root, L"Parte")->y);
  // A relative link back.
  v.view.SetScrollPos(0);
  ASSERT_TRUE(ClickText(root, L"inapoi"));
  ASSERT_TRUE(PumpUntil([&] { return v.view.CurrentFile() == dir.Path() + L"a.htm"; }));
  EXPECT_EQ(root.ScrollPos(), 0);
  EXPECT_EQ(titles, (std::vector<std::wstring>{L"Prima", L"A doua", L"Prima"}));
  // A link to a file that is not there leaves an empty view, as a browser shows its error page.
  ASSERT_TRUE(ClickText(root, L"lipsa"));
  ASSERT_TRUE(PumpUntil([&] { return v.view.CurrentFile().empty(); }));
  EXPECT_EQ(v.view.DocumentTitle(), L"");
}

TEST(HtmlView, FormSubmissionReportsItsPairsAndThePageStays) {
  TempFolder dir;
  ASSERT_TRUE(WriteBytes(dir.Path() + L"form.htm",
                         "<meta charset=utf-8><title>Formular</title>"
                         "<form action=\"confirmare\" method=POST target=\"rezultat\">"
                         "<input name=nume value=Popescu> <input type=password name=parola value=x>"
                         "<input type=hidden name=ascuns value=h>"
                         "<label><input type=checkbox name=citit value=da> Am citit instrucțiunile</label>"
                         "<input type=radio name=tip value=local checked><input type=radio name=tip value=server>"
                         "<select name=judet><option>Cluj<option value=B selected>București<option>Iași</select>"
                         "<select name=multe multiple size=3><option selected>a<option>b<option selected>c</select>"
                         "<textarea name=note>rândul 1\nrândul 2</textarea>"
                         "<input type=submit name=buton value=Continuă><input type=submit name=alt value=Altul>"
                         "<input type=reset value=Șterge><input name=dezactivat value=n disabled>"
                         "</form><p>afară <input name=orfan>"));
  Viewer v;
  std::vector<HtmlFormSubmission> sent;
  v.view.OnFormSubmit = [&](const HtmlFormSubmission& s) { sent.push_back(s); };
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"form.htm"));
  THtmlFrame& root = v.Root();
  const auto window = [&](int index) { return root.Control(index)->Handle(); };
  // Controls in page order: 0 nume, 1 parola, 2 ascuns (no window), 3 citit, 4-5 tip, 6 judet,
  // 7 multe, 8 note, 9 buton, 10 alt, 11 reset, 12 dezactivat, 13 orfan.
  ASSERT_EQ(root.Control(2), nullptr);
  for (int i : {0, 3, 4, 6, 8, 9}) ASSERT_TRUE(IsWindowVisible(window(i))) << i;

  SendMessageW(window(9), BM_CLICK, 0, 0);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].action, L"confirmare");
  EXPECT_EQ(sent[0].method, L"post");
  EXPECT_EQ(sent[0].target, L"rezultat");
  using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;
  EXPECT_EQ(sent[0].pairs, (Pairs{{L"nume", L"Popescu"}, {L"parola", L"x"}, {L"ascuns", L"h"}, {L"tip", L"local"},
                                  {L"judet", L"B"}, {L"multe", L"a"}, {L"multe", L"c"},
                                  {L"note", L"r\u00e2ndul 1\r\nr\u00e2ndul 2"}, {L"buton", L"Continu\u0103"}}));

  // What the user changed is sent; the page stays where it is.
  SetWindowTextW(window(0), L"Ionescu");
  SendMessageW(window(3), BM_CLICK, 0, 0);
  SendMessageW(window(5), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(window(4), BM_GETCHECK, 0, 0), BST_UNCHECKED);  // one of a group
  SendMessageW(window(6), CB_SETCURSEL, 2, 0);
  SendMessageW(window(10), BM_CLICK, 0, 0);
  v.Settle();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].pairs, (Pairs{{L"nume", L"Ionescu"}, {L"parola", L"x"}, {L"ascuns", L"h"}, {L"citit", L"da"},
                                  {L"tip", L"server"}, {L"judet", L"Ia\u0219i"}, {L"multe", L"a"}, {L"multe", L"c"},
                                  {L"note", L"r\u00e2ndul 1\r\nr\u00e2ndul 2"}, {L"alt", L"Altul"}}));
  EXPECT_EQ(v.view.CurrentFile(), dir.Path() + L"form.htm");
  EXPECT_EQ(v.view.DocumentTitle(), L"Formular");
  EXPECT_TRUE(IsWindow(window(0)));

  // Enter in a field submits as the first submit button would.
  SetFocus(window(0));
  PostMessageW(window(0), WM_KEYDOWN, VK_RETURN, 0);
  v.Settle();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[2].pairs.back(), (std::pair<std::wstring, std::wstring>{L"buton", L"Continu\u0103"}));

  // Reset puts back what the page wrote; a click on a label's text works its check box.
  SendMessageW(window(11), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(window(3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(window(4), BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(ClickText(root, L"Am citit"));
  EXPECT_EQ(SendMessageW(window(3), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(sent.size(), 3u);  // a click on text submits nothing

  // Scrolling moves the controls with the page.
  RECT before;
  GetWindowRect(window(0), &before);
  v.view.SetScrollPos(10);
  RECT after;
  GetWindowRect(window(0), &after);
  EXPECT_EQ(after.top, before.top - root.ScrollPos());
}

TEST(HtmlView, FramesOfAFrameSetScrollApartAndTakeTheirLinks) {
  TempFolder dir;
  ASSERT_TRUE(WriteBytes(dir.Path() + L"set.htm",
                         "<title>Cadre</title><frameset cols=\"40%,*\"><frame src=stanga.htm name=stanga>"
                         "<frameset rows=\"50%,50%\"><frame src=dreapta.htm name=dreapta><frame src=set.htm name=eu>"
                         "</frameset></frameset>"));
  ASSERT_TRUE(WriteBytes(dir.Path() + L"stanga.htm",
                         LongPage(150, "<a href=\"nou.htm\" target=\"dreapta\">in dreapta</a>"
                                       "<a href=\"nou.htm\" target=\"_top\">peste tot</a>")));
  ASSERT_TRUE(WriteBytes(dir.Path() + L"dreapta.htm", LongPage(150)));
  ASSERT_TRUE(WriteBytes(dir.Path() + L"nou.htm", "<title>Nou</title><p>pagina noua"));
  Viewer v;
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"set.htm"));
  EXPECT_EQ(v.view.DocumentTitle(), L"Cadre");
  THtmlFrame& root = v.Root();
  ASSERT_EQ(root.Frames().size(), 2u);
  THtmlFrame* left = root.FindFrame(L"stanga");
  THtmlFrame* right = root.FindFrame(L"dreapta");
  THtmlFrame* self = root.FindFrame(L"eu");
  ASSERT_TRUE(left && right && self);
  // The set that names itself as a frame shows an empty frame there.
  EXPECT_EQ(self->Page(), nullptr);
  EXPECT_TRUE(self->Frames().empty());
  // 40% of the width, and the halves of the rest.
  EXPECT_EQ(left->Width() + 2 + right->Width(), root.ClientWidth());
  EXPECT_NEAR(left->Width(), (root.ClientWidth() - 2) * 40 / 100, 1);
  EXPECT_NEAR(right->Height(), (root.ClientHeight() - 2) / 2, 1);
  ASSERT_GT(left->ScrollMax(), 0);
  ASSERT_GT(right->ScrollMax(), 0);

  // The wheel over the left frame scrolls it alone.
  RECT r;
  GetWindowRect(left->Handle(), &r);
  SendMessageW(left->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)),
               MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(left->ScrollPos(), 6 * left->LineStep());
  EXPECT_EQ(right->ScrollPos(), 0);
  // A wheel message sent to the right frame while the pointer is over the left one still
  // scrolls the frame under the pointer.
  SendMessageW(right->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)),
               MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(left->ScrollPos(), 3 * left->LineStep());
  EXPECT_EQ(right->ScrollPos(), 0);
  // Keys go to the frame with the focus.
  SetFocus(right->Handle());
  PressKey(right->Handle(), VK_NEXT);
  PressKey(right->Handle(), VK_NEXT);
  v.Settle();
  EXPECT_EQ(right->ScrollPos(), 2 * (right->ClientHeight() - right->LineStep()));
  EXPECT_EQ(left->ScrollPos(), 3 * left->LineStep());

  // A link whose target names a frame loads into that frame; the rest stays.
  left->SetScrollPos(0);
  ASSERT_TRUE(ClickText(*left, L"in dreapta"));
  ASSERT_TRUE(PumpUntil([&] { return right->File() == dir.Path() + L"nou.htm"; }));
  EXPECT_EQ(right->ScrollPos(), 0);
  EXPECT_EQ(left->File(), dir.Path() + L"stanga.htm");
  EXPECT_EQ(v.view.DocumentTitle(), L"Cadre");
  // _top replaces the whole frame set.
  ASSERT_TRUE(ClickText(*left, L"peste tot"));
  ASSERT_TRUE(PumpUntil([&] { return v.view.CurrentFile() == dir.Path() + L"nou.htm"; }));
  EXPECT_TRUE(root.Frames().empty());
  EXPECT_EQ(v.view.DocumentTitle(), L"Nou");
}

TEST(HtmlView, SelectionDraggedAndCopiedToTheClipboard) {
  TempFolder dir;
  ASSERT_TRUE(WriteBytes(dir.Path() + L"sel.htm",
                         "<meta charset=utf-8><p>Prima linie cu ș și ț</p><p>A doua&nbsp;linie</p>"
                         "<table><tr><td>stânga<td>dreapta</table>"));
  Viewer v;
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"sel.htm"));
  THtmlFrame& root = v.Root();
  const corvan::html::TextRun* first = RunOf(root, L"Prima");
  const corvan::html::TextRun* cell = RunOf(root, L"dreapta");
  ASSERT_TRUE(first && cell);
  // From the start of the first line to the end of the last cell.
  HWND w = root.Handle();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first->x, first->y + 3));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first->x + 40, first->y + 20));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cell->x + cell->width + 30, cell->y + 3));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(cell->x + cell->width + 30, cell->y + 3));
  const std::wstring expected = L"Prima linie cu \u0219 \u0219i \u021b\r\nA doua linie\r\nst\u00e2nga\tdreapta";
  EXPECT_EQ(v.view.SelectedText(), expected);

  // Ctrl+C, as the user presses it.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  SetFocus(w);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PressKey(w, 'C');
  v.Settle();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const std::wstring copied = static_cast<const wchar_t*>(GlobalLock(data));
  GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, expected);

  // A click without a drag clears the selection; nothing is copied then.
  ClickPage(root, first->x + 5, first->y + 3);
  EXPECT_EQ(v.view.SelectedText(), L"");
  EXPECT_FALSE(v.view.CopyToClipboard());
}

namespace {

// A picture of one colour in a container format, written with the platform's own encoders.
std::string EncodePicture(const GUID& container, int width, int height, COLORREF color) {
  std::string bytes;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  IStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IWICBitmap* source = nullptr;
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = GetBValue(color);
    pixels[i + 1] = GetGValue(color);
    pixels[i + 2] = GetRValue(color);
    pixels[i + 3] = 255;
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  const bool ok =
      SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
      SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
      SUCCEEDED(factory->CreateBitmapFromMemory(static_cast<UINT>(width), static_cast<UINT>(height),
                                                GUID_WICPixelFormat32bppBGRA, static_cast<UINT>(width) * 4,
                                                static_cast<UINT>(pixels.size()), pixels.data(), &source)) &&
      SUCCEEDED(frame->SetPixelFormat(&format)) && SUCCEEDED(frame->WriteSource(source, nullptr)) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  if (ok) {
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const char* data = static_cast<const char*>(GlobalLock(memory));
    bytes.assign(data, static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
  }
  for (IUnknown* p : std::initializer_list<IUnknown*>{source, frame, encoder, stream, factory})
    if (p) p->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return bytes;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

TEST(HtmlView, PicturesOfEveryFormatAndTheBoxesOfBrokenOnes) {
  TempFolder dir;
  const struct {
    const wchar_t* name;
    GUID container;
    COLORREF color;
    int tolerance;
  } formats[] = {
      {L"rosu.png", GUID_ContainerFormatPng, RGB(220, 20, 20), 0},
      {L"verde.gif", GUID_ContainerFormatGif, RGB(0, 255, 0), 8},  // the encoder picks its palette
      {L"albastru.jpg", GUID_ContainerFormatJpeg, RGB(20, 40, 200), 12},
      {L"galben.bmp", GUID_ContainerFormatBmp, RGB(250, 210, 0), 0},
  };
  std::string page = "<body bgcolor=white style='margin:0'>";
  for (const auto& f : formats) {
    const std::string bytes = EncodePicture(f.container, 40, 30, f.color);
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(WriteBytes(dir.Path() + f.name, bytes));
    std::string name;
    for (const wchar_t* c = f.name; *c; ++c) name += static_cast<char>(*c);
    page += "<img src=\"" + name + "\" width=80 height=60>";
  }
  // Damaged, missing, and a PNG whose header claims 100,000 x 100,000 pixels.
  ASSERT_TRUE(WriteBytes(dir.Path() + L"stricat.png", "\x89PNG\r\n\x1a\n this is not a picture"));
  std::string huge = EncodePicture(GUID_ContainerFormatPng, 1, 1, RGB(0, 0, 0));
  ASSERT_GT(huge.size(), 24u);
  for (int k = 0; k < 2; ++k) {
    const unsigned v = 100000;
    const size_t at = 16 + 4 * static_cast<size_t>(k);
    huge[at] = static_cast<char>(v >> 24), huge[at + 1] = static_cast<char>(v >> 16);
    huge[at + 2] = static_cast<char>(v >> 8), huge[at + 3] = static_cast<char>(v);
  }
  ASSERT_TRUE(WriteBytes(dir.Path() + L"urias.png", huge));
  page += "<br><img src=stricat.png width=100 height=50 alt=\"Imagine stricata\">"
          "<img src=lipsa.gif alt=Lipsa><img src=urias.png alt=Urias>";
  ASSERT_TRUE(WriteBytes(dir.Path() + L"poze.htm", page));
  Viewer v;
  ASSERT_TRUE(v.view.LoadFromFile(dir.Path() + L"poze.htm"));
  THtmlFrame& root = v.Root();
  UpdateWindow(root.Handle());
  const corvan::html::Page& p = *root.Page();
  const std::vector<corvan::html::PlacedPicture>& placed = root.Layout().pictures;
  ASSERT_EQ(placed.size(), 7u);
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(p.pictures[i].shown);
    EXPECT_EQ(placed[i].width, 80);
    const COLORREF got = ScreenPixel(root.Handle(), placed[i].x + 40, placed[i].y + 30);
    EXPECT_TRUE(Near(got, formats[i].color, formats[i].tolerance)) << std::hex << got;
  }
  for (size_t i = 4; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(p.pictures[i].shown);
    // The box's frame is drawn; inside it, the page's background and the alt text.
    EXPECT_EQ(ScreenPixel(root.Handle(), placed[i].x, placed[i].y + 5), RGB(128, 128, 128));
  }
  EXPECT_EQ(placed[4].width, 100);
  EXPECT_EQ(placed[4].height, 50);
  int ink = 0;
  for (int y = placed[4].y + 2; y < placed[4].y + 48; ++y)
    for (int x = placed[4].x + 2; x < placed[4].x + 98; ++x) ink += ScreenPixel(root.Handle(), x, y) != RGB(255, 255, 255);
  EXPECT_GT(ink, 20);  // the alt text
}
