// TREGSVR.EXE, the control-registration tool: loads a control library and calls its
// DllRegisterServer (DllUnregisterServer with -U). With -Q it shows nothing.
//   TREGSVR.EXE [-Q] [-U] FILE
// The setup passes the control's path without quotes, so the words after the options
// are joined again with single blanks: a folder with blanks still names one file.
// Exit code: 0 done, 1 usage, 2 the library cannot be loaded, 3 no entry point,
// 4 the entry point reported a failure.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

using RegisterFunction = HRESULT(WINAPI*)();

int Finish(bool quiet, int code, const std::wstring& text) {
  if (!quiet) MessageBoxW(nullptr, text.c_str(), L"TRegSvr", MB_OK | (code ? MB_ICONERROR : MB_ICONINFORMATION));
  return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  bool quiet = false, unregister = false;
  std::wstring file;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (file.empty() && (a == L"-Q" || a == L"-q" || a == L"/Q" || a == L"/q")) quiet = true;
    else if (file.empty() && (a == L"-U" || a == L"-u" || a == L"/U" || a == L"/u")) unregister = true;
    else file += (file.empty() ? L"" : L" ") + a;
  }
  LocalFree(argv);
  if (file.empty()) return Finish(quiet, 1, L"Folosire: TREGSVR [-Q] [-U] fisier");

  HMODULE library = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library) return Finish(quiet, 2, L"Nu pot incarca " + file);
  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  auto function = reinterpret_cast<RegisterFunction>(reinterpret_cast<void*>(GetProcAddress(library, entry)));
  int code = 3;
  std::wstring text = file + L" nu are " + (unregister ? L"DllUnregisterServer" : L"DllRegisterServer");
  if (function) {
    const HRESULT result = function();
    code = SUCCEEDED(result) ? 0 : 4;
    text = file + (code == 0 ? L": inregistrare reusita" : L": inregistrarea a esuat");
  }
  FreeLibrary(library);
  return Finish(quiet, code, text);
}
