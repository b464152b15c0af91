#pragma once
// Tests that work on files: a fresh folder per test and raw byte access to files in it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

// A test with a fresh folder of its own, removed afterwards, and a file name in it.
struct FileTest : ::testing::Test {
    ~FileTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "corvel-options-XXXXXX").string();
        return fs::path(::mkdtemp(pattern.data()));
    }();
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
