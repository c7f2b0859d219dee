#pragma once
// Single-byte text in the system's ANSI code page: what the relaunch marker, the trace,
// the registry template and the engine take.
#include <optional>
#include <string>
#include <string_view>

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// Nothing when the code page cannot spell the text: a folder name whose letters were
// replaced would name another folder.
std::optional<std::string> ToAnsiExact(std::wstring_view text);
