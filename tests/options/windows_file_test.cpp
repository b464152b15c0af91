// What only Windows has: the read-only and other attributes, and a target that another program
// holds open while a save replaces it. Devices and the size limit: odd_files_test.cpp.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "option_file_test.h"
#include "utf8_file.h"

namespace {

using WindowsFile = FileTest;

// Wine gives every file the archive attribute, so it cannot be told apart here.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DWORD AttributesOf(const fs::path& path) {
    return GetFileAttributesW(path.c_str()) & kKeptAttributes;
}

// A read-only target is refused and left exactly as it was; other attributes survive a save.
TEST_F(WindowsFile, ReadOnlyAttributeRefusesTheSaveOthersStay) {
    const DWORD cases[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN,
                           FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
    for (const DWORD attributes : cases) {
        SCOPED_TRACE(attributes);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteBytes(file, "old");
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), attributes));
        const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
        if (readOnly) {
            EXPECT_THAT([&] { WriteUtf8File(file, "new"); },
                        FailsNaming(file, std::errc::permission_denied));
        } else {
            WriteUtf8File(file, "new");
        }
        EXPECT_EQ(ReadBytes(file), readOnly ? "old" : "\xEF\xBB\xBFnew");
        EXPECT_EQ(AttributesOf(file), attributes);
        EXPECT_EQ(CountOtherFiles(folder), 0);
    }
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another program reads web.ini without letting it be deleted or renamed meanwhile, as virus
// scanners and editors do. Held briefly, the save waits for it; held too long, the save fails
// with the system's reason and the old bytes stay.
TEST_F(WindowsFile, TargetHeldOpenByAnotherHandleDelaysOrFailsTheSave) {
    struct Case {
        int heldMs;
        bool saved;
    };
    for (const Case c : {Case{300, true}, Case{1000, true}, Case{4000, false}}) {
        SCOPED_TRACE(c.heldMs);
        WriteUtf8File(file, "old");
        const HANDLE holder =
            CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.heldMs));
            CloseHandle(holder);
        });
        if (c.saved) {
            EXPECT_NO_THROW(WriteUtf8File(file, "new"));
        } else {
            EXPECT_THAT([&] { WriteUtf8File(file, "new"); },
                        FailsNaming(file, std::errc::device_or_resource_busy));
        }
        release.join();
        EXPECT_EQ(ReadUtf8File(file), c.saved ? "new" : "old");
        EXPECT_EQ(CountOtherFiles(folder), 0);
    }
}

}  // namespace

#endif  // _WIN32
