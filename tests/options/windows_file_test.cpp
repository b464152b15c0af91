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
        ExpectSaveOverOld(file, attributes & FILE_ATTRIBUTE_READONLY
                                    ? std::optional(std::errc::permission_denied)
                                    : std::nullopt);
        EXPECT_EQ(GetFileAttributesW(file.c_str()) & kKeptAttributes, attributes);
    }
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another program reads web.ini without letting it be deleted or renamed meanwhile, as virus
// scanners and editors do. Held briefly, the save waits for it; held too long, the save fails
// with the system's reason and the old bytes stay.
TEST_F(WindowsFile, TargetHeldOpenByAnotherHandleDelaysOrFailsTheSave) {
    const std::pair<int, std::optional<std::errc>> cases[] = {
        {300, {}}, {1000, {}}, {4000, std::errc::device_or_resource_busy}};
    for (const auto& [heldMs, reason] : cases) {
        SCOPED_TRACE(heldMs);
        WriteUtf8File(file, "old");
        const HANDLE holder =
            CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(heldMs));
            CloseHandle(holder);
        });
        ExpectSaveOverOld(file, reason);
        release.join();
    }
}

}  // namespace

#endif  // _WIN32
