// Saves that fail or are killed half-way: the target keeps exactly its old bytes or holds exactly
// the new ones, and temporary files left behind are cleaned up by the next save.
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <random>

#ifndef _WIN32
#include "forked_child.h"
#endif
#include "option_file_test.h"
#include "utf8_file.h"

namespace {

using Utf8FileFaults = FileTest;

// Ids of this process, of another one alive until the test ends and of one that has ended.
#ifdef _WIN32
using ProcessId = DWORD;

struct Processes {
    // This test program again, doing nothing; the one started suspended lives until ended. The
    // handles stay open to the end, so that the ids are not reused meanwhile.
    static PROCESS_INFORMATION Start(bool suspended) {
        wchar_t program[MAX_PATH];
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring commandLine = L"x --gtest_list_tests --gtest_filter=-*";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        EXPECT_TRUE(CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE,
                                   suspended ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup,
                                   &info));
        CloseHandle(info.hThread);
        return info;
    }
    Processes() { WaitForSingleObject(done.hProcess, INFINITE); }
    ~Processes() {
        TerminateProcess(running.hProcess, 0);
        CloseHandle(running.hProcess);
        CloseHandle(done.hProcess);
    }
    PROCESS_INFORMATION running = Start(true), done = Start(false);
    const ProcessId own = GetCurrentProcessId(), live = running.dwProcessId,
                    ended = done.dwProcessId;
};
#else
using ProcessId = pid_t;

// The parent, the test runner, lives on; no system gives out the id 4194305.
struct Processes {
    const ProcessId own = ::getpid(), live = ::getppid(), ended = 4194305;
};
#endif

std::string TempName(ProcessId pid, std::string_view n, std::string_view target = "web.ini") {
    return "." + std::string(target) + ".tmp-" + std::to_string(pid) + "-" + std::string(n);
}

// The text source fails: its own error passes on, and nothing of the save stays behind.
TEST_F(Utf8FileFaults, SourceFailingHalfWayLeavesTargetAndNoTemporaryFile) {
    WriteUtf8File(file, "old");
    const auto failingSource = [](const corvel::options::ByteSink& sink) {
        sink(std::string(200000, 'x'));
        throw std::bad_alloc();
    };
    EXPECT_THROW(corvel::options::WriteUtf8File(file, failingSource), std::bad_alloc);
    EXPECT_EQ(ReadUtf8File(file), "old");
    EXPECT_EQ(CountOtherFiles(folder), 0);
}

TEST_F(Utf8FileFaults, CleanUpRemovesOnlyTempFilesOfEndedProcesses) {
    WriteUtf8File(file, "old");
    const Processes ids;
    const std::vector<std::string> kept = {
        TempName(ids.live, "0"),  TempName(ids.own, "7"),
        TempName(ids.ended, "x"), TempName(ids.ended, "0", "other.ini"),
        ".web.ini.tmp-abc-1",     "web.ini.bak"};
    for (const std::string& name : kept) WriteBytes(folder / name, "keep");
    WriteBytes(folder / TempName(ids.ended, "0"), "stale");
    WriteBytes(folder / TempName(ids.ended, "12"), "stale");

    WriteUtf8File(file, "new");

    EXPECT_EQ(ReadUtf8File(file), "new");
    EXPECT_FALSE(fs::exists(folder / TempName(ids.ended, "0")) ||
                 fs::exists(folder / TempName(ids.ended, "12")));
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
}

// A file-size limit in a forked child, and SIGKILL, are POSIX only; on Windows the failing text
// source and the clean-up after an ended process run above.
#ifndef _WIN32
TEST_F(Utf8FileFaults, SaveFailingHalfWayReportsAndLeavesTargetUntouched) {
    WriteUtf8File(file, "old");
    // The file system refuses more bytes: RLIMIT_FSIZE in a child.
    const pid_t child = Spawn([&] {
        ::signal(SIGXFSZ, SIG_IGN);  // let write() fail with EFBIG instead of killing us
        const rlimit limit{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto save = [&] { WriteUtf8File(file, std::string(1000000, 'x')); };
        return ::testing::Value(save, FailsNaming(file, std::errc::file_too_large)) ? 0 : 1;
    });
    EXPECT_EQ(Wait(child), 0);
    EXPECT_EQ(ReadUtf8File(file), "old");
    EXPECT_EQ(CountOtherFiles(folder), 0);
}

TEST_F(Utf8FileFaults, SaveKilledAtRandomMomentsLeavesOldOrNewBytes) {
    const std::string oldText = "[ueditor]\r\n" + std::string(300000, 'o') + "旧";
    const std::string newText = "[ueditor]\r\n" + std::string(200000, 'n') + "新";
    WriteUtf8File(file, oldText);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
    for (int i = 0; i < 200; ++i) {
        const pid_t pid = Spawn([&]() -> int {
            for (;;) {
                WriteUtf8File(file, newText);
                WriteUtf8File(file, oldText);
            }
        });
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        ASSERT_TRUE(WIFSIGNALED(Wait(pid))) << "the saving child stopped on its own";

        const std::string now = ReadBytes(file);
        ASSERT_TRUE(now == "\xEF\xBB\xBF" + oldText || now == "\xEF\xBB\xBF" + newText)
            << "kill " << i << ": torn file";
        WriteUtf8File(file, oldText);
        ASSERT_EQ(CountOtherFiles(folder), 0) << "kill " << i;
    }
}

#endif

}  // namespace
