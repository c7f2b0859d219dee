// An upgrade library that knows one alias's folder, for the tests of the pages that ask
// for it: GetAliasPath answers what the process's environment variable
// CORVAN_ALIAS_FOLDER holds (empty when it is not set) and leaves the alias it was asked
// for in CORVAN_ALIAS_ASKED.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI GetAliasPath(wchar_t* buffer) {
  if (!buffer) return;
  buffer[256] = L'\0';
  SetEnvironmentVariableW(L"CORVAN_ALIAS_ASKED", buffer);
  wchar_t folder[257] = {};
  if (GetEnvironmentVariableW(L"CORVAN_ALIAS_FOLDER", folder, 257) >= 257) folder[0] = L'\0';
  lstrcpynW(buffer, folder, 257);
}
