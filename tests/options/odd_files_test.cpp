// Files that are not plain settings files: a FIFO, a device, a folder and a file over the size
// limit are refused with an error that names the reason, each at once rather than after
// blocking or filling the memory.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <system_error>

#include "file_io.h"
#include "option_file_test.h"
#include "option_store.h"
#include "utf8_file.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "forked_child.h"
#endif

namespace {

using OddFiles = FileTest;

// Whether `read` throws Utf8FileError with `code` and a message holding `words`.
bool Refused(const std::function<void()>& read, std::errc code, const std::string& words) {
    using namespace ::testing;
    return Value(read, Throws<Utf8FileError>(AllOf(
                           Property(&Utf8FileError::code, Eq(std::make_error_condition(code))),
                           Property(&Utf8FileError::what, HasSubstr(words)))));
}

// On POSIX in a child process that is killed after a second and may use 1 GiB at most, so that
// a read that blocks or never ends fails the test instead of hanging it.
void ExpectRefusedAtOnce(const std::function<void()>& read, std::errc code,
                         const std::string& words) {
#ifdef _WIN32
    EXPECT_TRUE(Refused(read, code, words));
#else
    const int status = Wait(Spawn([&] {
        ::alarm(1);
        const rlimit memory{1 << 30, 1 << 30};
        ::setrlimit(RLIMIT_AS, &memory);
        return Refused(read, code, words) ? 0 : 1;
    }));
    ASSERT_TRUE(WIFEXITED(status))
        << "killed by signal " << WTERMSIG(status) << " (14: still reading after a second)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "read, or refused for another reason";
#endif
}

// A file of `size` bytes that starts like a settings file; the rest reads as zero bytes.
void MakeFileOfSize(const fs::path& path, std::uintmax_t size) {
    WriteBytes(path, "[ueditor]\r\nk=v\r\n");
    fs::resize_file(path, size);
}

TEST_F(OddFiles, NonRegularAndOversizedFilesAreRefusedAtOnceTheLimitItselfIsRead) {
    struct Case {
        const char* name;
        void (*make)(const fs::path& webIni);
        std::errc code;
        std::string words;
        fs::path read = {};  // when not web.ini
    };
    const auto notRegular = std::errc::not_supported;
    const Case cases[] = {
#ifdef _WIN32
        {"NUL device", [](const fs::path&) {}, notRegular, "not a regular file", LR"(\\.\NUL)"},
#else
        {"FIFO", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, notRegular,
         "not a regular file"},
        {"link to /dev/zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         notRegular, "not a regular file"},
#endif
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, std::errc::is_a_directory,
         "folder"},
        {"one byte over 64 MiB", [](const fs::path& p) { MakeFileOfSize(p, kMaxTextFileSize + 1); },
         std::errc::value_too_large, "64 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(file);
        c.make(file);
        const fs::path path = c.read.empty() ? file : c.read;
        // The store at start-up, the rule-file editor's read, and the platform's read alone,
        // which must hold even when the file is swapped after the check by name.
        ExpectRefusedAtOnce([&] { Class_Option store(path); }, c.code, c.words);
        ExpectRefusedAtOnce([&] { ReadUtf8File(path); }, c.code, c.words);
        ExpectRefusedAtOnce([&] { corvel::options::ReadWholeFile(path, ""); }, c.code, c.words);
    }
    // The limit itself is still read, mark included: the check counts the file's bytes.
    fs::remove_all(file);
    MakeFileOfSize(file, kMaxTextFileSize);
    Class_Option store(file);
    EXPECT_EQ(store.GetOption("ueditor", "k"), "v");
    EXPECT_EQ(store.readOptionFile().size(), kMaxTextFileSize);
}

}  // namespace
