// What only Windows has: the read-only and other attributes, and a target that another program
// holds open while a save replaces it.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "file_io.h"
#include "option_store.h"
#include "temp_folder.h"
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

// A file of `size` bytes that starts like a settings file; the rest reads as zero bytes.
void MakeFileOfSize(const fs::path& path, std::uint64_t size) {
    WriteBytes(path, "[ueditor]\r\nk=v\r\n");
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
}

// What is no settings file is refused with its reason by the store, by ReadUtf8File and by the
// platform's read alone (which a swap after the check by name would reach); a file of exactly
// the size limit is still read.
TEST_F(WindowsFile, DevicesFoldersAndOversizedFilesAreRefused) {
    const fs::path big = folder / "big.ini";
    const fs::path sub = folder / "sub";
    MakeFileOfSize(big, kMaxTextFileSize + 1);
    MakeFileOfSize(file, kMaxTextFileSize);
    fs::create_directory(sub);
    struct Case {
        fs::path path;
        std::errc code;
        const char* words;
    };
    const Case cases[] = {
        {LR"(\\.\NUL)", std::errc::not_supported, "not a regular file"},
        {sub, std::errc::is_a_directory, "a folder"},
        {big, std::errc::value_too_large, "64 MiB"},
    };
    using namespace ::testing;
    for (const Case& c : cases) {
        SCOPED_TRACE(corvel::options::Utf8FromPath(c.path));
        const auto refused = Throws<Utf8FileError>(
            AllOf(Property("code", &Utf8FileError::code, Eq(std::make_error_condition(c.code))),
                  Property("what", &Utf8FileError::what, HasSubstr(c.words))));
        EXPECT_THAT([&] { Class_Option store(c.path); }, refused);
        EXPECT_THAT([&] { ReadUtf8File(c.path); }, refused);
        EXPECT_THAT([&] { corvel::options::ReadWholeFile(c.path, ""); }, refused);
    }
    Class_Option store(file);
    EXPECT_EQ(store.GetOption("ueditor", "k"), "v");
    EXPECT_EQ(store.readOptionFile().size(), kMaxTextFileSize);
}

}  // namespace

#endif  // _WIN32
