#pragma once
// End-to-end tests run the program on a copy of the folder the build made.

#include <QDir>
#include <filesystem>
#include <system_error>

// Copies what the program needs beside it from the program folder the build made.
inline bool copyProgramFolder(const QDir& to) {
    namespace fs = std::filesystem;
    for (const char* name :
         {"index.html", "editor", "web.ini", "conversion.txt", "redundant.txt"}) {
        std::error_code error;
        fs::copy(fs::path(CORVEL_BUILT_APP_DIR) / name, fs::path(to.path().toStdString()) / name,
                 fs::copy_options::recursive, error);
        if (error) return false;
    }
    return true;
}
