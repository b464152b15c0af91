#pragma once
// Files in the program's folder are named by plain concatenation: the folder, the platform's
// separator and the name, with no normalising and no check that anything exists.

#include <filesystem>
#include <string>
#include <string_view>

inline std::string PathInFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += name;
    return path;
}
