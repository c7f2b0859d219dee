#pragma once
// Keys as a user types them, for the Wine tests of windows: the held Shift/Ctrl/Alt keys
// the handlers read, and the queue drained the way the program's loops drain it (keys
// through the window first).
#include <windows.h>

#include <initializer_list>

#include "toolkit/Cliunit.h"

inline void Drain() {
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (TMForm::PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

inline void SetKeys(std::initializer_list<int> held) {
  BYTE state[256] = {};
  for (int key : held) state[key] = 0x80;
  SetKeyboardState(state);
}

// Alt + a letter, as the platform delivers it after the key: the accelerators.
inline void AltLetter(HWND window, wchar_t letter) {
  SetKeys({VK_MENU});
  PostMessageW(window, WM_SYSCHAR, letter, 0x20000000);
  Drain();
  SetKeys({});
}

// Alt + a key as the window sees it before its controls (a page's Alt+M, Alt+H).
inline void AltKey(HWND window, WORD key) {
  SetKeys({VK_MENU});
  PostMessageW(window, WM_SYSKEYDOWN, key, 0x20000000);
  Drain();
  SetKeys({});
}
