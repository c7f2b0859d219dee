#pragma once
// The step trace of the configuration steps: on only when "debug.pas" lies beside
// the program; lines go to "INSTCORV.LOG" beside it, in the ANSI code page.
#include <string>

inline constexpr wchar_t TraceMarkerName[] = L"debug.pas";
inline constexpr wchar_t TraceFileName[] = L"INSTCORV.LOG";

// Switches the trace on when the marker exists in folder, writing to folder + TraceFileName.
void InitStepTrace(const std::wstring& folder);

void LogBegin(const std::wstring& name);
void LogEnd(const std::wstring& name);
void LogNote(const std::wstring& text);
void LogWrite(const std::wstring& line);
bool LogEnabled();
int LogLevel();
