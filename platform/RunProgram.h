#pragma once
#include <cstdint>
#include <string>

// Starts CommandLine as a new process with the given show state. Returns -1 when it
// cannot be started; 0 at once when Wait is false; else its exit code once it ends.
std::int32_t RunProgram(const std::wstring& commandLine, std::uint16_t showCmd, bool wait);

// A program path made safe to put on a command line: quoted, so a folder with blanks
// cannot start another program.
std::wstring QuotedPath(const std::wstring& path);
