#pragma once
// A fresh folder per test, removed afterwards, and raw byte access to files in it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "corvel-options-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(std::string_view name) const { return path_ / name; }

private:
    fs::path path_;
};

// A test with its own folder and a file name in it.
struct FileTest : ::testing::Test {
    TempFolder folder;
    const fs::path file = folder / "web.ini";
};

inline void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

inline std::string ReadBytes(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Names in the folder other than `keep`: what a save left behind.
inline long CountOtherFiles(const fs::path& folder, std::string_view keep = "web.ini") {
    return std::count_if(fs::directory_iterator(folder), {},
                         [&](const fs::directory_entry& e) { return e.path().filename() != keep; });
}
