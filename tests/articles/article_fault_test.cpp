// A failing or full disk and saves killed half-way: a save either reports its failure or is
// whole, and the article on disk is always one that was saved, never a torn one.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <random>

#include "article_error.h"
#include "forked_child.h"
#include "store_fixture.h"
#include "utf8_file.h"

namespace {

using namespace corvel::articles;

int ExitCode(pid_t pid) {
    const int status = Wait(pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Files in the article's folder other than the store's own: what a failed write left behind.
std::vector<std::string> Leftovers(const fs::path& articleFolder) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(articleFolder)) {
        const std::string name = e.path().filename().string();
        if (name.starts_with(".")) names.push_back(name);
    }
    return names;
}

using ArticleFaults = StoreTest;

TEST_F(ArticleFaults, FullOrFailingDiskIsReportedAndLeavesTheSavedArticle) {
    const std::string id = store.create("<p>saved</p>", "saved").id;
    const std::string meta = ReadBytes(articleFile(id, "meta.json"));
    const std::string big(400000, 'x');

    const std::pair<const char*, std::function<void()>> cases[] = {
        {"save", [&] { store.save(id, "<p>" + big + "</p>", "new", 1); }},
        {"image", [&] { store.storeImage(id, PngBytes("big", big.size())); }},
        {"snapshot", [&] { store.addSnapshot(id, big, "format"); }},
        {"create", [&] { store.create(big, "new"); }},
    };
    for (const auto& c : cases) {
        // The disk takes no more than 100 kB: RLIMIT_FSIZE in a child, as a full disk would.
        const pid_t child = Spawn([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100000, 100000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            try {
                c.second();
                return 1;  // reported success for what it could not write
            } catch (const Utf8FileError& error) {
                return error.code() == std::errc::file_too_large ? 0 : 2;
            }
        });
        EXPECT_EQ(ExitCode(child), 0) << c.first;
        std::string html;
        EXPECT_EQ(store.open(id, html).title(), "saved") << c.first;
        EXPECT_EQ(html, "<p>saved</p>") << c.first;
        EXPECT_EQ(ReadBytes(articleFile(id, "meta.json")), meta) << c.first;
        EXPECT_TRUE(Leftovers(root / id).empty()) << c.first;
    }
    // The failed create left at most an empty folder, which is not listed.
    EXPECT_EQ(store.list().size(), 1u);
}

TEST_F(ArticleFaults, SavesKilledAtRandomMomentsLeaveOneWholeSavedVersion) {
    const std::string id = store.create("<p>0</p>", "0").id;
    // Each version is recognisable whole: its number at both ends of a long body.
    const auto version = [](int n) {
        const std::string tag = std::to_string(n);
        return "<p>" + tag + "</p>" + std::string(150000, 'v') + "<p>" + tag + "</p>";
    };
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMicroseconds(500, 20000);
    for (int kill = 0; kill < 60; ++kill) {
        const pid_t pid = Spawn([&]() -> int {
            for (int n = 1;; ++n) store.save(id, version(n), std::to_string(n), n);
        });
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        Wait(pid);

        std::string html;
        const ArticleMeta meta = store.open(id, html);
        if (html == "<p>0</p>") continue;  // killed before its first save finished
        const std::string tag = html.substr(3, html.find('<', 3) - 3);
        ASSERT_EQ(html, version(std::stoi(tag))) << "kill " << kill << ": torn article";
        // The metadata is whole, and at most one save behind the text.
        const int titled = std::stoi(meta.title().empty() ? "0" : meta.title());
        ASSERT_TRUE(titled == std::stoi(tag) || titled == std::stoi(tag) - 1 || titled == 0)
            << "kill " << kill << ": text " << tag << ", metadata " << titled;
        // The next save that writes both files cleans up what the kill left.
        now += kMetadataLagMs;
        store.save(id, "<p>0</p>", "0", 0);
        ASSERT_TRUE(Leftovers(root / id).empty()) << "kill " << kill;
    }
}

}  // namespace
