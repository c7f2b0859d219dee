// The demo programs of the product payload (CORVAN.EXE, OUTPOST.EXE, PAYDESK.EXE,
// TENDRIX.EXE): a window that names the program and, for CORVAN.EXE, the tables it
// carries. PROGRAM_TITLE is set by the build.
#include <windows.h>

#include <string>

namespace {

std::wstring Description() {
  std::wstring text = std::wstring(PROGRAM_TITLE) + L" 3200876.02 (demonstratie)";
#ifdef PROGRAM_CARRIES_TABLES
  HRSRC found = FindResourceW(nullptr, L"TABLES", MAKEINTRESOURCEW(10));  // RT_RCDATA
  const DWORD size = found ? SizeofResource(nullptr, found) : 0;
  text += L"\r\nTabele incorporate: " + std::to_wstring(size) + L" octeti";
#endif
  return text;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT r;
      GetClientRect(window, &r);
      const std::wstring text = Description();
      DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"CorvanDemoProgram";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(wc.lpszClassName, PROGRAM_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 420,
                              160, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
