// The article store on a real folder: what is written is what comes back, byte for byte;
// lists, titles, recycling and snapshots follow their rules; and nothing the page names can
// reach outside an article's folder.
#include <gmock/gmock.h>
#include <signal.h>
#include <sys/resource.h>

#include "article_cases.h"
#include "article_error.h"
#include "article_names.h"
#include "forked_child.h"
#include "sha256.h"
#include "store_fixture.h"
#include "utf8_file.h"

namespace {

using namespace corvel::articles;
using ::testing::ElementsAre;

std::vector<std::string> Ids(const std::vector<ArticleMeta>& metas) {
    std::vector<std::string> ids;
    for (const ArticleMeta& m : metas) ids.push_back(m.id);
    return ids;
}

template <typename Operation>
Refusal RefusalOf(Operation operation) {
    try {
        operation();
    } catch (const ArticleError& error) {
        return error.refusal();
    }
    ADD_FAILURE() << "not refused";
    return Refusal::BadData;
}

using ArticleStoreTest = StoreTest;

TEST_F(ArticleStoreTest, ArticlesComeBackByteExactNewestFirstWithTheirTitles) {
    const std::string html = "<h1>标题\r\n</h1><p>第一段\t😀</p>" + std::string("\0\xFF", 2);
    const ArticleMeta first = store.create(html, "标题");
    now += 1000;
    const ArticleMeta second = store.create("<p>二</p>", "二");
    EXPECT_THAT(Ids(store.list()), ElementsAre(second.id, first.id));
    EXPECT_EQ(store.state().currentId, second.id);

    std::string back;
    const std::string title = store.open(first.id, back).title();
    EXPECT_EQ(std::tuple(title, back, store.state().currentId), std::tuple("标题", html, first.id));

    // A save moves the article to the top and takes the page's title and count.
    now += 1000;
    EXPECT_EQ(store.save(first.id, "<p>改过</p>", "改过", 2), now);
    const ArticleMeta saved = store.list().front();
    EXPECT_EQ(std::tie(saved.id, saved.title(), saved.chars, saved.created),
              std::tuple(first.id, "改过", 2, first.created));

    // A user's title stays through saves; an empty one goes back to the automatic title.
    store.rename(first.id, "我的标题");
    store.save(first.id, "<p>再改</p>", "再改", 2);
    EXPECT_EQ(store.meta(first.id).title(), "我的标题");
    store.rename(first.id, "");
    EXPECT_EQ(store.meta(first.id).title(), "再改");
}

TEST_F(ArticleStoreTest, TypingHoldsBackMetadataOnlyBrieflyAndNeverTheText) {
    const ArticleMeta made = store.create("<p>a</p>", "a");
    const std::string& id = made.id;
    const ArticleStore other(root);  // sees only what is on disk
    const auto fields = [](const ArticleMeta& m) {
        return std::tuple(m.title(), m.chars, m.created, m.modified);
    };
    for (const Json& step : ArticleCases("typingSaves")) {
        const std::string before = ReadBytes(articleFile(id, "meta.json"));
        const std::string html = step[1], title = step[2];
        const std::int64_t chars = step[3];
        now += step[0].get<std::int64_t>();
        store.save(id, html, title, chars);
        if (step[4] == "create") store.create("", "");
        if (step[4] == "flush") store.flush();
        // The text is on disk at once, and this store knows the new title and count.
        EXPECT_EQ(ReadBytes(articleFile(id, "article.html")), html) << step;
        EXPECT_EQ(fields(store.meta(id)), std::tuple(title, chars, made.created, now));
        if (step[5])
            EXPECT_EQ(fields(other.meta(id)), fields(store.meta(id))) << step;
        else
            EXPECT_EQ(ReadBytes(articleFile(id, "meta.json")), before) << step;
    }
}

TEST_F(ArticleStoreTest, DamagedOrMissingMetadataNeverHidesAnArticle) {
    const ArticleMeta made = store.create("<p>正文</p>", "正文");
    const fs::path meta = articleFile(made.id, "meta.json");
    // Damaged, then missing.
    for (const char* damage :
         {"", "{\"id\":\"x\",\"modi", "\xFF\xFE garbage", static_cast<const char*>(nullptr)}) {
        damage ? WriteBytes(meta, damage) : static_cast<void>(fs::remove(meta));
        ASSERT_THAT(Ids(store.list()), ElementsAre(made.id)) << (damage ? damage : "missing");
        std::string html;
        store.open(made.id, html);
        EXPECT_EQ(html, "<p>正文</p>");
    }
    // The next save writes it afresh.
    store.save(made.id, "<p>正文</p>", "正文", 2);
    EXPECT_EQ(store.meta(made.id).title(), "正文");
    // A folder a crash left empty while creating is no article.
    fs::create_directories(root / "empty-one");
    fs::create_directories(root / ".trash-x-1");
    EXPECT_THAT(Ids(store.list()), ElementsAre(made.id));
}

// The list comes from one index file beside the folders. Whatever happened to that file, a
// store started afresh lists what the folders hold, and writes the index anew.
TEST_F(ArticleStoreTest, TheIndexIsRebuiltWheneverItMightDisagreeWithTheFolders) {
    const fs::path index = root / "index.jsonl";
    const auto lists = [&] {
        const ArticleStore started(root);
        return std::pair(started.list(), started.listDeleted());
    };
    const std::pair<const char*, std::function<void(const std::string&)>> damages[] = {
        {"missing", [&](const std::string&) { fs::remove(index); }},
        {"damaged", [&](const std::string&) { WriteBytes(index, "\xFF garbage\n"); }},
        {"torn", [&](const std::string&) { fs::resize_file(index, fs::file_size(index) - 9); }},
        // A rename whose metadata reached the disk and whose index did not, as in a crash.
        {"left behind", [&](const std::string& id) {
             for (int i = 0; i < 30; ++i) ArticleStore(root).create("<p>又一篇</p>", "又一篇", 3);
             Wait(Spawn([&] {
                 ::signal(SIGXFSZ, SIG_IGN);
                 const rlimit limit{2000, 2000};  // room for one metadata file, not the index
                 ::setrlimit(RLIMIT_FSIZE, &limit);
                 ArticleStore(root).rename(id, "新标题");
                 return 0;
             }));
             EXPECT_EQ(ArticleStore(root).meta(id).title(), "新标题");
         }},
        // Typing writes the metadata and leaves the index for later; then a crash.
        {"typing", [&](const std::string& id) { ArticleStore(root).save(id, "<p>新</p>", "新标题", 1); }},
        {"a folder more", [&](const std::string& id) { fs::copy(root / id, root / "x1", fs::copy_options::recursive); }},
        {"a folder less", [&](const std::string& id) { fs::remove_all(root / id); }},
        {"an empty folder more", [&](const std::string&) { fs::create_directory(root / "x2"); }},
    };
    for (const auto& [what, damage] : damages) {
        fs::remove_all(root);
        ArticleStore made(root);
        const std::string id = made.create("<p>一</p>", "一", 1).id;
        made.remove(made.create("<p>二</p>", "二", 1).id);
        made.create("<p>三</p>", "三", 1);
        ASSERT_EQ(lists().first.size(), 2u) << what;
        damage(id);
        const auto withIndex = lists();
        EXPECT_TRUE(ReadBytes(index).starts_with("corvel-drafts 1\n")) << what;
        fs::remove(index);
        EXPECT_EQ(withIndex, lists()) << what;
    }
    // Kept up to date, the index alone gives the list: not one metadata file is read.
    const auto before = lists();
    for (const ArticleMeta& m : before.first) WriteBytes(articleFile(m.id, "meta.json"), "{}");
    EXPECT_EQ(lists(), before);
}

TEST_F(ArticleStoreTest, RecycleKeepsDraftsThirtyDaysAndCanBeEmptied) {
    const ArticleMeta c = store.create("c", "c");
    const ArticleMeta b = store.create("b", "b");
    const ArticleMeta a = store.create("a", "a");
    EXPECT_FALSE(store.state().migrated);
    store.markMigrated();
    store.remove(a.id);
    // Deleting the current article leaves none current, as another store sees it too.
    EXPECT_EQ(ArticleStore(root).state().currentId, "");
    EXPECT_TRUE(ArticleStore(root).state().migrated);
    now += 1000;
    store.remove(b.id);
    EXPECT_THAT(Ids(store.list()), ElementsAre(c.id));
    EXPECT_THAT(Ids(store.listDeleted()), ElementsAre(b.id, a.id));
    EXPECT_EQ(store.listDeleted().front().deleted, now);

    store.restore(b.id);
    EXPECT_THAT(Ids(store.listDeleted()), ElementsAre(a.id));
    store.remove(b.id);

    // a was deleted one second before b: at exactly 30 days after a, only a goes.
    now += kRecycleKeepMs - 1000;
    EXPECT_EQ(store.purgeRecycle(), 1);
    EXPECT_THAT(Ids(store.listDeleted()), ElementsAre(b.id));
    EXPECT_EQ(store.emptyRecycle(), 1);
    // Only the live article's folder, the state file and the index remain.
    EXPECT_EQ(std::distance(fs::directory_iterator(root), {}), 3);
}

TEST_F(ArticleStoreTest, SnapshotsKeepOneAutoPerTenMinutesAndTheLastFifty) {
    const std::string id = store.create("<p>v0</p>", "v0").id;
    const auto listed = [&] {  // newest first: reason, count and text
        std::vector<std::string> all;
        for (const Snapshot& s : store.listSnapshots(id))
            all.push_back(s.reason + std::to_string(s.chars) + store.readSnapshot(id, s.sid));
        return all;
    };
    EXPECT_TRUE(store.addSnapshot(id, "<p>auto 1</p>", "auto", 5));
    now += kAutoSnapshotGapMs - 1;
    EXPECT_FALSE(store.addSnapshot(id, "<p>auto 2</p>", "auto", 5));
    // The count is the page's, as given. Other reasons are never skipped, and do not restart the auto gap; two in the same
    // millisecond are both kept, in order.
    EXPECT_TRUE(store.addSnapshot(id, "<p>format 1</p>", "format", 7));
    EXPECT_TRUE(store.addSnapshot(id, "<p>format 2</p>", "format", 7));
    now += 1;
    EXPECT_TRUE(store.addSnapshot(id, "<p>auto 3</p>", "auto", 5));
    EXPECT_EQ(listed(), (std::vector<std::string>{"auto5<p>auto 3</p>", "format7<p>format 2</p>",
                                                  "format7<p>format 1</p>", "auto5<p>auto 1</p>"}));

    for (int i = 0; i < 60; ++i)
        store.addSnapshot(id, "<p>" + std::to_string(i) + "</p>", "convert", 2);
    const std::vector<std::string> kept = listed();
    EXPECT_EQ(std::tuple(kept.size(), kept.front(), kept.back()),
              std::tuple(kSnapshotsKept, "convert2<p>59</p>", "convert2<p>10</p>"));
    EXPECT_EQ(RefusalOf([&] { store.addSnapshot(id, "x", "whim"); }), Refusal::BadName);
    EXPECT_EQ(RefusalOf([&] { store.readSnapshot(id, MakeSnapshotId(1, "auto", 1)); }),
              Refusal::NotFound);
}

// History keeps pictures only as the store's files: a data: picture is refused, however written.
TEST_F(ArticleStoreTest, HistoryRefusesPicturesHeldAsDataAddresses) {
    const std::string id = store.create("", "").id;
    for (const Json& c : ArticleCases("embeddedPictures")) {
        const std::string html = c[0];
        if (c[1])
            EXPECT_EQ(RefusalOf([&] { store.addSnapshot(id, html, "format"); }),
                      Refusal::EmbeddedPicture) << html;
        else
            EXPECT_NO_THROW(store.addSnapshot(id, html, "format")) << html;
    }
}

TEST_F(ArticleStoreTest, ImagesAreStoredOnceAndNeverRewrittenBySaves) {
    const std::string id = store.create("<p></p>", "").id;
    const std::string photo = PngBytes("photo", 5000);
    const std::string name = store.storeImage(id, photo);
    EXPECT_TRUE(IsImageName(name));
    const fs::path file = articleFile(id, fs::path("images") / name);
    const ino_t inode = Inode(file);
    EXPECT_EQ(store.storeImage(id, photo), name);
    for (int i = 0; i < 3; ++i) store.save(id, "<p><img src=\"x\">" + std::to_string(i), "", i);
    EXPECT_EQ(Inode(file), inode);
    EXPECT_EQ(store.readImage(id, name), photo);
    EXPECT_NE(store.storeImage(id, PngBytes("other")), name);
    // A file of that name cut short (a copy gone wrong) is written again.
    WriteBytes(file, photo.substr(0, 100));
    EXPECT_EQ(store.storeImage(id, photo), name);
    EXPECT_EQ(store.readImage(id, name), photo);
    EXPECT_NO_THROW(store.storeImage(id, PngBytes("max", kImageCap)));
    EXPECT_EQ(RefusalOf([&] { store.storeImage(id, PngBytes("big", kImageCap + 1)); }),
              Refusal::TooLarge);
    EXPECT_EQ(RefusalOf([&] { store.storeImage(id, "<svg onload=alert(1)>"); }), Refusal::NotImage);
}

TEST_F(ArticleStoreTest, NothingOutsideAnArticleFolderCanBeReachedOrChanged) {
    const std::string id = store.create("<p>mine</p>", "").id;
    store.storeImage(id, PngBytes("in"));
    // A secret beside the root, and a second article that is not the one named.
    WriteBytes(folder / "secret.png", PngBytes("secret"));
    const std::string secretName = Sha256Hex(PngBytes("secret")) + ".png";
    const std::string other = store.create("<p>other</p>", "").id;

    // Which ids every operation refuses is the host's test; which names are ids and image
    // names, article_names_test's. Here: that reading an image checks its name first.
    EXPECT_EQ(RefusalOf([&] { store.readImage(id, "../../secret.png"); }), Refusal::BadName);
    // Links planted in the folder lead nowhere: the image itself, the images folder, the
    // history folder and the article folder.
    fs::create_symlink(folder / "secret.png", articleFile(id, fs::path("images") / secretName));
    EXPECT_EQ(RefusalOf([&] { store.readImage(id, secretName); }), Refusal::OutsideFolder);
    fs::create_directories(folder / "elsewhere");
    fs::create_symlink(folder / "elsewhere", articleFile(other, "images"));
    EXPECT_EQ(RefusalOf([&] { store.storeImage(other, PngBytes("y")); }), Refusal::OutsideFolder);
    fs::create_symlink(folder / "elsewhere", articleFile(other, "history"));
    EXPECT_EQ(RefusalOf([&] { store.addSnapshot(other, "x", "format"); }), Refusal::OutsideFolder);
    fs::create_symlink(folder / "elsewhere", root / "linked-article");
    std::string html;
    EXPECT_EQ(RefusalOf([&] { store.open("linked-article", html); }), Refusal::OutsideFolder);
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    EXPECT_EQ(ReadBytes(folder / "secret.png"), PngBytes("secret"));
    // The linked folder is not listed either.
    EXPECT_EQ(store.list().size(), 2u);
}

// A full or failing disk: a write either reports its failure or is whole, and the article on
// disk is always one that was saved, never a torn one.
TEST_F(ArticleStoreTest, FullOrFailingDiskIsReportedAndLeavesTheSavedArticle) {
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
