// Saves that fail or are killed half-way: the target keeps exactly its old bytes or holds exactly
// the new ones, and temporary files left behind are cleaned up by the next save.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <random>

#include "temp_folder.h"
#include "utf8_file.h"

namespace {

// Runs `body` in a forked child and returns its exit status; the child never returns into the
// test framework.
template <typename Body>
int RunInChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int status = 99;
        try {
            status = body();
        } catch (...) {
        }
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string TempName(pid_t pid, int n) {
    return ".web.ini.tmp-" + std::to_string(pid) + "-" + std::to_string(n);
}

TEST(Utf8FileFaults, WriteFailingHalfWayReportsAndLeavesTargetUntouched) {
    TempFolder folder;
    const auto file = folder / "web.ini";
    WriteUtf8File(file, "old");
    const int status = RunInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);  // let write() fail with EFBIG instead of killing us
        const rlimit limit{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteUtf8File(file, std::string(1000000, 'x'));
            return 1;  // reported success for a file it could not write
        } catch (const Utf8FileError& error) {
            const bool named = std::strstr(error.what(), file.c_str()) != nullptr &&
                               std::strstr(error.what(), std::strerror(EFBIG)) != nullptr;
            return named ? 0 : 2;
        }
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadUtf8File(file), "old");
    EXPECT_EQ(CountOtherFiles(folder.path(), "web.ini"), 0);
}

TEST(Utf8FileFaults, TextSourceFailingHalfWayPassesItsErrorAndLeavesTargetUntouched) {
    TempFolder folder;
    const auto file = folder / "web.ini";
    WriteUtf8File(file, "old");
    const auto failingSource = [](const corvel::options::ByteSink& sink) {
        sink(std::string(200000, 'x'));
        throw std::bad_alloc();
    };
    EXPECT_THROW(corvel::options::WriteUtf8File(file, failingSource), std::bad_alloc);
    EXPECT_EQ(ReadUtf8File(file), "old");
    EXPECT_EQ(CountOtherFiles(folder.path(), "web.ini"), 0);
}

TEST(Utf8FileFaults, SaveKilledAtRandomMomentsLeavesOldOrNewBytes) {
    TempFolder folder;
    const auto file = folder / "web.ini";
    const std::string oldText = "[ueditor]\r\n" + std::string(300000, 'o') + "旧";
    const std::string newText = "[ueditor]\r\n" + std::string(200000, 'n') + "新";
    const std::string oldBytes = "\xEF\xBB\xBF" + oldText, newBytes = "\xEF\xBB\xBF" + newText;
    WriteUtf8File(file, oldText);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
    int leftBehind = 0;
    constexpr int kKills = 200;
    for (int i = 0; i < kKills; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            try {
                for (;;) {
                    WriteUtf8File(file, newText);
                    WriteUtf8File(file, oldText);
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped on its own";

        const std::string now = ReadBytes(file);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "kill " << i << ": torn file";
        leftBehind += CountOtherFiles(folder.path(), "web.ini");

        WriteUtf8File(file, oldText);
        ASSERT_EQ(CountOtherFiles(folder.path(), "web.ini"), 0) << "kill " << i;
    }
    // Not asserted (timing-dependent), but shows that kills did land inside saves.
    RecordProperty("TempFilesLeftBehind", leftBehind);
    std::printf("%d of %d kills left a temporary file behind\n", leftBehind, kKills);
}

TEST(Utf8FileFaults, CleanUpRemovesOnlyTempFilesOfEndedProcesses) {
    TempFolder folder;
    const auto file = folder / "web.ini";
    WriteUtf8File(file, "old");

    const pid_t live = ::fork();
    if (live == 0) {
        ::pause();
        ::_exit(0);
    }
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);

    const std::vector<std::string> kept = {TempName(live, 0),
                                           TempName(::getpid(), 7),
                                           ".web.ini.tmp-abc-1",
                                           ".web.ini.tmp-" + std::to_string(ended) + "-x",
                                           ".other.ini.tmp-" + std::to_string(ended) + "-0",
                                           "web.ini.bak"};
    for (const std::string& name : kept) WriteBytes(folder / name, "keep");
    WriteBytes(folder / TempName(ended, 0), "stale");
    WriteBytes(folder / TempName(ended, 12), "stale");

    WriteUtf8File(file, "new");
    ::kill(live, SIGKILL);
    ::waitpid(live, nullptr, 0);

    EXPECT_EQ(ReadUtf8File(file), "new");
    EXPECT_FALSE(std::filesystem::exists(folder / TempName(ended, 0)));
    EXPECT_FALSE(std::filesystem::exists(folder / TempName(ended, 12)));
    for (const std::string& name : kept) {
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    }
}

}  // namespace
