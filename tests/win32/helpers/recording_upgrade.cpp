// An upgrade library for the page tests, loaded by the setup's binding as UPGRADE.DLL: it
// notes every call the setup makes, reports its texts through the setup's report
// procedure (checking afterwards that each block came back unlocked and was not freed),
// lets the test look at the page while a step runs, and answers GetSemaforOK as the test
// asks.
#include <windows.h>

#include <string>
#include <vector>

using ReportProc = void(WINAPI*)(HGLOBAL text);
// step 0..2; reported: the text just reported, or null before the step's first report.
using StepHook = void(WINAPI*)(int step, const char* reported);

namespace {
ReportProc reportProc = nullptr;
StepHook stepHook = nullptr;
unsigned failingSteps = 0;  // bit i: step i fails
std::string calls;          // one line per call
std::vector<HGLOBAL> blocks;

// Texts of very different lengths, so that a label left unpainted shows.
const char* const StepTexts[3][2] = {
    {"Structuri: verific tabelele FIRME.DB, OPERATOR.DB si indexurile lor", "Structuri gata"},
    {"Liste: 2 inregistrari & 3 coduri", "Liste actualizate, toate listele sunt la zi"},
    {"Constante", "Constante: valori noi scrise in UPGRADE.VER"},
};

void Note(const std::string& line) { calls += line + "\n"; }

void Report(int step, const char* text) {
  const SIZE_T size = lstrlenA(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (char* bytes = static_cast<char*>(GlobalLock(block))) {
    CopyMemory(bytes, text, size);
    GlobalUnlock(block);
  }
  blocks.push_back(block);
  if (!reportProc) return;
  reportProc(block);
  const UINT flags = GlobalFlags(block);
  if (flags == GMEM_INVALID_HANDLE || GlobalSize(block) != size) Note("report freed");
  else if (flags & GMEM_LOCKCOUNT) Note("report left locked");
  else Note(std::string("report ") + text);
  if (stepHook) stepHook(step, text);
}

int Step(int step, const char* name) {
  Note(name);
  if (stepHook) stepHook(step, nullptr);
  for (const char* text : StepTexts[step]) Report(step, text);
  return 100 + step;
}

void FreeBlocks() {
  for (HGLOBAL block : blocks) GlobalFree(block);
  blocks.clear();
}
}  // namespace

extern "C" {
__declspec(dllexport) void WINAPI GetAliasPath(wchar_t* buffer) {
  Note("GetAliasPath");
  lstrcpyW(buffer, L"C:\\Corvan\\DATA");
}
__declspec(dllexport) void WINAPI SetReportProc(ReportProc proc) {
  Note("SetReportProc");
  reportProc = proc;
}
__declspec(dllexport) void WINAPI SetQuickVerif(bool quick) { Note(quick ? "SetQuickVerif(1)" : "SetQuickVerif(0)"); }
__declspec(dllexport) int WINAPI DoStructureUpgrade() { return Step(0, "DoStructureUpgrade"); }
__declspec(dllexport) int WINAPI DoListUpgrade() { return Step(1, "DoListUpgrade"); }
__declspec(dllexport) int WINAPI DoConstUpgrade() { return Step(2, "DoConstUpgrade"); }
__declspec(dllexport) bool WINAPI GetSemaforOK(int result) {
  Note("GetSemaforOK(" + std::to_string(result) + ")");
  const int step = result - 100;
  return step >= 0 && step < 3 && !((failingSteps >> step) & 1);
}

// The test's side.
__declspec(dllexport) void WINAPI StartRecording(unsigned failing, StepHook hook) {
  failingSteps = failing;
  stepHook = hook;
  calls.clear();
  FreeBlocks();
}
// The calls noted so far, one per line, copied into buffer (size bytes with the zero).
__declspec(dllexport) void WINAPI RecordedCalls(char* buffer, int size) {
  lstrcpynA(buffer, calls.c_str(), size);
}
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_DETACH) FreeBlocks();
  return TRUE;
}
