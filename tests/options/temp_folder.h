#pragma once
// Tests that work on files: a fresh folder per test, raw byte access to files in it, and the
// check that a failure names the file and the system's reason.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "temp_files.h"
#include "utf8_file.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

// A new, empty folder in the system's temporary folder.
inline fs::path MakeFreshFolder() {
    std::random_device random;
    for (;;) {
        const fs::path folder =
            fs::temp_directory_path() / ("corvel-options-" + std::to_string(random()));
        if (fs::create_directory(folder)) return folder;
    }
}

// A test with a fresh folder of its own, removed afterwards, and a file name in it.
struct FileTest : ::testing::Test {
    ~FileTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    const fs::path folder = MakeFreshFolder();
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

// Names in the folder other than `keep`: what a save left behind. The store's own listing is used:
// on Windows std::filesystem cannot list folders past MAX_PATH.
inline long CountOtherFiles(const fs::path& folder, const fs::path& keep = "web.ini") {
    const std::vector<fs::path> names = corvel::options::NamesIn(folder);
    return std::count_if(names.begin(), names.end(), [&](const fs::path& n) { return n != keep; });
}

// The name in a form that test helpers can use past 260 characters: on Windows the extended
// form of an absolute path, elsewhere the path itself.
inline fs::path LongForm(const fs::path& absolute) {
#ifdef _WIN32
    return fs::path(LR"(\\?\)" + absolute.wstring());
#else
    return absolute;
#endif
}

// Throws Utf8FileError for `reason`, naming `path` in UTF-8 and the system's own words.
inline auto FailsNaming(const fs::path& path, std::errc reason) {
    using namespace ::testing;
    const std::string name = corvel::options::Utf8FromPath(path);
    return Throws<Utf8FileError>(
        AllOf(Property("code", &Utf8FileError::code, Eq(std::make_error_condition(reason))),
              ResultOf(
                  "message",
                  [name](const Utf8FileError& e) {
                      const std::string message = e.what();
                      return message.find('"' + name + '"') != std::string::npos &&
                             message.find(e.code().message()) != std::string::npos;
                  },
                  true)));
}
