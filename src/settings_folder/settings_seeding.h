#pragma once
// The per-user settings folder: created on first use and filled from the program folder.

#include <filesystem>
#include <string>
#include <vector>

namespace corvel::settings {

// The files the program folder ships as the user's defaults, by name: web.ini and the rule
// files (every .txt file at its top), sorted.
std::vector<std::string> ShippedSettingsFiles(const std::filesystem::path& programFolder);

// Makes `settingsFolder` ready for use: creates it, checks that it can be written, copies each
// shipped file it lacks byte for byte, and adds to its web.ini the keys of the shipped web.ini
// that it lacks. Files the user already has are otherwise left alone. Throws Utf8FileError,
// naming what failed; whatever was done before the failure stays done.
void PrepareSettingsFolder(const std::filesystem::path& programFolder,
                           const std::filesystem::path& settingsFolder);

}  // namespace corvel::settings
