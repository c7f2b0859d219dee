#include "core/group_macros.h"

namespace corvan {

namespace {
std::wstring AddItem(const std::wstring& programDir, const wchar_t* file, const wchar_t* item) {
  return L"[AddItem(\"" + programDir + L"\\" + file + L"\", \"" + item + L"\")]";
}
}  // namespace

std::vector<std::wstring> ProgramGroupMacros(const std::wstring& programDir, InstalledPrograms installed) {
  std::vector<std::wstring> lines{L"[CreateGroup(\"Corvan\")]", AddItem(programDir, L"CORVAN.EXE", L"Corvan")};
  if (installed.outpost) {
    lines.push_back(AddItem(programDir, L"TENDRIX.EXE", L"Tendrix"));
    lines.push_back(AddItem(programDir, L"OUTPOST.EXE", L"Outpost"));
  }
  if (installed.paydesk) lines.push_back(AddItem(programDir, L"PAYDESK.EXE", L"Paydesk"));
  lines.push_back(L"[ShowGroup(\"Corvan\",8)]");
  return lines;
}

std::wstring JoinedMacros(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const auto& line : lines) text += line;
  return text;
}

}  // namespace corvan
