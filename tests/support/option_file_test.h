#pragma once
// Tests of the option store's files: a fresh folder per test, and the check that a failure
// names the file and the system's reason.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "temp_files.h"
#include "test_files.h"
#include "utf8_file.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

// A test with a fresh folder of its own, removed afterwards, and a file name in it.
struct FileTest : ::testing::Test {
    const FreshFolder fresh{"corvel-options"};
    const fs::path folder = fresh.path();
    const fs::path file = folder / "web.ini";
};

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
    const std::string name = '"' + corvel::options::Utf8FromPath(path) + '"';
    return Throws<Utf8FileError>(
        AllOf(Property("code", &Utf8FileError::code, Eq(std::make_error_condition(reason))),
              Truly([name](const Utf8FileError& e) {
                  const std::string message = e.what();
                  return message.find(name) != std::string::npos &&
                         message.find(e.code().message()) != std::string::npos;
              })));
}

// Saves "new" over the file `path` that holds "old": refused for `reason`, naming the file, unless
// there is none. Either way the file then holds one text whole and nothing is left beside it.
inline void ExpectSaveOverOld(const fs::path& path, std::optional<std::errc> reason) {
    if (reason) {
        EXPECT_THAT([&] { WriteUtf8File(path, "new"); }, FailsNaming(path, *reason));
    } else {
        EXPECT_NO_THROW(WriteUtf8File(path, "new"));
    }
    EXPECT_EQ(ReadUtf8File(path), reason ? "old" : "new");
    EXPECT_EQ(CountOtherFiles(path.parent_path(), path.filename()), 0);
}
