// A failing or full disk: a write either reports its failure or is whole, and the article on
// disk is always one that was saved, never a torn one.
#include <signal.h>
#include <sys/resource.h>

#include "article_error.h"
#include "forked_child.h"
#include "store_fixture.h"
#include "utf8_file.h"

namespace {

using namespace corvel::articles;
using ArticleFaults = StoreTest;

TEST_F(ArticleFaults, FullOrFailingDiskIsReportedAndLeavesTheSavedArticle) {
    const std::string id = store.create("<p>saved</p>", "saved").id;
    const auto saved = FilesBelow(root / id);
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
        EXPECT_EQ(Wait(child), 0) << c.first;
        // Both files as they were, and nothing half-written left beside them.
        EXPECT_EQ(FilesBelow(root / id), saved) << c.first;
    }
    // The failed create left at most an empty folder, which is not listed.
    EXPECT_EQ(store.list().size(), 1u);
}

}  // namespace
