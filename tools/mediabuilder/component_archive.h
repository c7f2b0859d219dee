#pragma once
// Component archives: a folder packed into a ZIP file with libzip, and a written
// archive read back and compared, entry by entry, with the files it came from.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace media {

// The files of a folder, recursively, as archive names ("NEW/FIRMA/logo.bmp"), sorted.
std::vector<std::string> FilesOf(const std::filesystem::path& folder);

// Packs every file of folder into archive (deflated, fixed time stamps so the same
// folder always gives the same bytes). Returns an error text, empty on success.
std::string PackFolder(const std::filesystem::path& folder, const std::filesystem::path& archive);

// Reads the archive back with libzip (CRC checked) and compares its entry names and
// every byte with the folder. Returns an error text, empty when they match.
std::string VerifyArchive(const std::filesystem::path& archive, const std::filesystem::path& folder);

}  // namespace media
