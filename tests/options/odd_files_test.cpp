// Files that are not plain settings files: a FIFO, a device, a folder and a file over the size
// limit are refused with an error that names the reason, each at once rather than after
// blocking or filling the memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <system_error>

#include "file_io.h"
#include "option_store.h"
#include "temp_folder.h"
#include "utf8_file.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using ::testing::HasSubstr;

struct OddFiles : FileTest {
    // Runs `read` in a child process that is killed after a second and may use 1 GiB at most,
    // so that a read that blocks or never ends fails the test instead of hanging it. The child
    // exits with 0 when `read` throws Utf8FileError with `code` and a message holding `words`.
    void ExpectRefusedAtOnce(const std::function<void()>& read, std::errc code,
                             const std::string& words) {
#ifdef _WIN32
        (void)read, (void)code, (void)words;
        GTEST_SKIP() << "FIFOs, /dev/zero and fork are POSIX only";
#else
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(1);
            const rlimit memory{1 << 30, 1 << 30};
            ::setrlimit(RLIMIT_AS, &memory);
            int status = 1;  // read without an error: the worst outcome
            try {
                read();
            } catch (const Utf8FileError& error) {
                status = error.code() == code &&
                                 std::string(error.what()).find(words) != std::string::npos
                             ? 0
                             : 2;
            } catch (...) {
                status = 3;
            }
            ::_exit(status);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status))
            << "killed by signal " << WTERMSIG(status) << " (14: still reading after a second)";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: read, 2: wrong code or message, 3: other error";
#endif
    }
};

#ifndef _WIN32
void MakeSparseFile(const fs::path& path, std::uintmax_t size) {
    WriteBytes(path, "[ueditor]\r\nk=v\r\n");
    fs::resize_file(path, size);
}
#endif

TEST_F(OddFiles, NonRegularAndOversizedFilesAreRefusedAtOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs and /dev/zero are POSIX only; devices, folders and the size limit on "
                    "Windows: WindowsFile.DevicesFoldersAndOversizedFilesAreRefused";
#else
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        std::errc code;
        std::string words;
    };
    const Case cases[] = {
        {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         std::errc::not_supported, "not a regular file"},
        {"link to /dev/zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         std::errc::not_supported, "not a regular file"},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, std::errc::is_a_directory,
         "folder"},
        {"one byte over 64 MiB", [](const fs::path& p) { MakeSparseFile(p, kMaxTextFileSize + 1); },
         std::errc::value_too_large, "64 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder / "web.ini";
        fs::remove_all(path);
        c.make(path);
        // The store at start-up, the rule-file editor's read, and the platform's read alone,
        // which must hold even when the file is swapped after the check by name.
        ExpectRefusedAtOnce([&] { Class_Option store(path); }, c.code, c.words);
        ExpectRefusedAtOnce([&] { ReadUtf8File(path); }, c.code, c.words);
        ExpectRefusedAtOnce([&] { corvel::options::ReadWholeFile(path, ""); }, c.code, c.words);
    }
#endif
}

// The limit itself is still read, mark included: the check counts the file's bytes.
TEST_F(OddFiles, AFileOfExactlyTheLimitIsRead) {
#ifdef _WIN32
    GTEST_SKIP() << "sparse files are POSIX; on Windows the file of exactly the limit is read in "
                    "WindowsFile.DevicesFoldersAndOversizedFilesAreRefused";
#else
    MakeSparseFile(file, kMaxTextFileSize);
    Class_Option store(file);
    EXPECT_EQ(store.GetOption("ueditor", "k"), "v");
    EXPECT_EQ(store.readOptionFile().size(), kMaxTextFileSize);
#endif
}

}  // namespace
