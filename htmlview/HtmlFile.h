#pragma once
// Whole files read for the viewer (pages and pictures), at most a given number of bytes.
#include <string>

// False when the file cannot be opened or read; a longer file gives its first maxBytes.
bool ReadHtmlFile(const std::wstring& path, std::string& bytes, size_t maxBytes);
