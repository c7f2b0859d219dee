#include "toolkit/PlatformBox.h"

#include <windows.h>

namespace {
PlatformBoxObserver& Observer() {
  static PlatformBoxObserver observer;
  return observer;
}
}  // namespace

void SetPlatformBoxObserver(PlatformBoxObserver observer) { Observer() = std::move(observer); }

void PlatformMessageBox(const std::wstring& text, TPlatformBox kind) {
  if (Observer()) {
    Observer()(text, kind);
    return;
  }
  const bool error = kind == TPlatformBox::Error;
  MessageBoxW(nullptr, text.c_str(), error ? L"Corvan" : L"",
              MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | (error ? MB_ICONERROR : 0u));
}
