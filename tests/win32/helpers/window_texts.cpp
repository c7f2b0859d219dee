// Prints what a user reads on the shown windows of the desktop: each top-level window's
// caption with the program it belongs to ("== caption [explorer.exe]"), then the texts of its child windows (labels, buttons, the message of a dialog,
// a memo's lines), one per line and indented. The end-to-end runs and the demo read the
// wizard's messages with it.
//   window_texts [CAPTION]   only the windows with exactly that caption
// Exit code: 0 when a window was listed, 1 when none was shown.
// A window's text is asked of it (WM_GETTEXT: an edit box keeps its own), for half a
// second at most; a window too busy to answer gives the window manager's copy
// (InternalGetWindowText), so a busy or hung program cannot stop the listing.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Listing {
  std::wstring wanted;  // empty: every window
  std::wstring out;
  bool found = false;
};

std::wstring TextOf(HWND window) {
  std::vector<wchar_t> text(8192);
  DWORD_PTR n = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG | SMTO_BLOCK, 500, &n) &&
      n < text.size())
    return std::wstring(text.data(), n);
  const int copied = InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), copied > 0 ? copied : 0);
}

// A text of several lines continues on indented lines of its own.
void AppendIndented(std::wstring& out, const std::wstring& text) {
  out += L"  ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      out += L"\n  ";
    } else {
      out += c;
    }
  }
  out += L"\n";
}

// The file name of the program that made the window ("?" when it cannot be told).
std::wstring ProgramOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return L"?";
  wchar_t path[MAX_PATH];
  DWORD size = MAX_PATH;
  const bool named = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  if (!named) return L"?";
  const std::wstring full(path, size);
  return full.substr(full.find_last_of(L"\\/") + 1);
}

BOOL CALLBACK AddChild(HWND child, LPARAM data) {
  auto& listing = *reinterpret_cast<Listing*>(data);
  if (!IsWindowVisible(child)) return TRUE;
  const std::wstring text = TextOf(child);
  if (!text.empty()) AppendIndented(listing.out, text);
  return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM data) {
  auto& listing = *reinterpret_cast<Listing*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  const std::wstring caption = TextOf(window);
  if (!listing.wanted.empty() && caption != listing.wanted) return TRUE;
  listing.found = true;
  listing.out += L"== " + caption + L" [" + ProgramOf(window) + L"]\n";
  EnumChildWindows(window, AddChild, data);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Listing listing;
  if (argc > 1) listing.wanted = argv[1];
  EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&listing));
  const std::wstring& text = listing.out;
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF, as a shell reads them
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return listing.found ? 0 : 1;
}
