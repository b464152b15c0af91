// Article storage against its yardsticks, measured side by side in one run:
//  - saving a 200-paragraph article with 20 photos after one keystroke, against writing the
//    bare HTML with the same fsync (in place, and through the same atomic replacement), with
//    the bytes each save writes, to show that no image bytes are written again;
//  - listing 1,000 and 10,000 drafts from a fresh store (as at start-up), against reading the
//    one index file and against reading every metadata file raw; and a metadata write with
//    the index it keeps up to date, against the metadata file alone;
//  - switching between two such drafts through corvelHost (save one, open the other), against
//    the 200 ms goal. The page's own part (setting the editor's HTML) is not included.
// Run: article_bench [rounds]   (default 50)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "article_host.h"
#include "article_store.h"
#include "file_io.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using corvel::articles::ArticleStore;

double Ms(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (const double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Bytes this process has handed to write() so far.
long long WrittenBytes() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "wchar:") return value;
    }
    return -1;
}

// A JPEG-looking photo of ordinary size, different for each seed.
std::string Photo(int seed) {
    // Start of image and a start-of-frame header, as the store's sniffer asks of a JPEG.
    std::string bytes("\xFF\xD8\xFF\xC0\x00\x11", 6);
    bytes.resize(2300000);
    unsigned state = 2166136261u ^ static_cast<unsigned>(seed);
    for (std::size_t i = 6; i < bytes.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(state >> 24);
    }
    return bytes;
}

// 200 paragraphs of Chinese press-release text with the photos spread among them.
std::string Article(const std::string& id, const std::vector<std::string>& images) {
    std::string html = "<h1>新品发布会在上海举行</h1>";
    for (int p = 0; p < 200; ++p) {
        html +=
            "<p style=\"text-indent:2em\">本公司今日宣布，新一代产品正式上市。该产品在性能、"
            "续航和设计上全面升级，为用户带来更好的体验。第" +
            std::to_string(p) + "段。</p>";
        if (p % 10 == 5) {
            html += "<p style=\"text-align:center\"><img src=\"corvel-article://" + id + "/" +
                    images[static_cast<std::size_t>(p / 10)] + "\"></p>";
        }
    }
    return html;
}

void BareWrite(const fs::path& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
    ::fsync(fd);
    ::close(fd);
}

// What changes when a file is written again, by any route.
struct FileStamp {
    fs::path path;
    ino_t inode;
    struct timespec modified;
};

std::vector<FileStamp> Stamps(const fs::path& folder) {
    std::vector<FileStamp> stamps;
    for (const auto& entry : fs::directory_iterator(folder)) {
        struct stat st {};
        ::stat(entry.path().c_str(), &st);
        stamps.push_back({entry.path(), st.st_ino, st.st_mtim});
    }
    return stamps;
}

int ChangedFiles(const std::vector<FileStamp>& before) {
    int changed = 0;
    for (const FileStamp& stamp : before) {
        struct stat st {};
        ::stat(stamp.path.c_str(), &st);
        changed += st.st_ino != stamp.inode || st.st_mtim.tv_sec != stamp.modified.tv_sec ||
                   st.st_mtim.tv_nsec != stamp.modified.tv_nsec;
    }
    return changed;
}

struct Draft {
    std::string id;
    std::string html;
};

Draft MakeDraft(ArticleStore& store, int seed) {
    Draft draft{store.create("", "").id, {}};
    std::vector<std::string> images;
    for (int i = 0; i < 20; ++i)
        images.push_back(store.storeImage(draft.id, Photo(seed * 100 + i)));
    draft.html = Article(draft.id, images);
    store.save(draft.id, draft.html, "新品发布会在上海举行", 9000);
    return draft;
}

void SaveAfterKeystroke(const fs::path& folder, int rounds) {
    // One keystroke a second, as the page's debounce sends them while the user types.
    std::int64_t typingClock = 1733540000000;
    ArticleStore store(folder / "save", [&typingClock] { return typingClock; });
    Draft draft = MakeDraft(store, 1);
    const fs::path bare = folder / "bare.html";
    const std::vector<FileStamp> imagesBefore = Stamps(folder / "save" / draft.id / "images");
    std::vector<double> save, inPlace, atomic;
    long long savedBytes = 0;
    for (int i = 0; i < rounds; ++i) {
        draft.html.insert(draft.html.size() / 2, "字");  // one keystroke
        typingClock += 1000;
        auto start = Clock::now();
        BareWrite(bare, draft.html);
        inPlace.push_back(Ms(start));
        start = Clock::now();
        corvel::articles::WriteFileAtomically(folder / "bare-atomic.html", draft.html);
        atomic.push_back(Ms(start));
        const long long before = WrittenBytes();
        start = Clock::now();
        store.save(draft.id, draft.html, "新品发布会在上海举行", 9000 + i);
        save.push_back(Ms(start));
        savedBytes += WrittenBytes() - before;
    }
    const double s = Median(save);
    std::printf("save after one keystroke (%zu kB of HTML, 20 photos of 2.3 MB)\n",
                draft.html.size() / 1000);
    std::printf("  store.save %.3f ms | bare write+fsync %.3f ms | bare atomic replace %.3f ms\n",
                s, Median(inPlace), Median(atomic));
    std::printf("  store.save mean %.3f ms, slowest %.3f ms (the metadata, written every 5 s, "
                "included) vs bare atomic replace mean %.3f ms\n",
                Mean(save), *std::max_element(save.begin(), save.end()), Mean(atomic));
    std::printf(
        "  ratio to bare write+fsync: %.2fx   ratio to bare atomic replace: %.2fx"
        "   (goal: within 1.5x)\n",
        s / Median(inPlace), s / Median(atomic));
    std::printf(
        "  bytes written per save: %lld (HTML %zu + metadata %ju; the photos hold %d)\n",
        savedBytes / rounds, draft.html.size(),
        static_cast<std::uintmax_t>(fs::file_size(folder / "save" / draft.id / "meta.json")),
        20 * 2300000);
    std::printf("  photo files written again: %d of 20\n", ChangedFiles(imagesBefore));
}


// `count` drafts written straight into folders as the store writes them (without its syncs):
// creating them one by one through the store would rewrite the index each time.
void FillDrafts(const fs::path& root, int count) {
    fs::remove_all(root);
    for (int i = 0; i < count; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "bench-%05d", i);
        fs::create_directories(root / id);
        std::ofstream(root / id / "article.html") << "<p>草稿" << i << "</p>";
        std::ofstream(root / id / "meta.json")
            << "{\"autoTitle\":\"草稿" << i << "：新品发布会报道\",\"chars\":20,\"created\":"
            << 1733540000000 + i * 60000LL << ",\"customTitle\":\"\",\"deleted\":0,\"id\":\""
            << id << "\",\"modified\":" << 1733540000000 + i * 60000LL << "}\n";
    }
}

void ListDrafts(const fs::path& folder, int rounds, int count) {
    const fs::path root = folder / "list";
    FillDrafts(root, count);
    auto start = Clock::now();
    if (ArticleStore(root).list().size() != static_cast<std::size_t>(count)) std::abort();
    const double firstList = Ms(start);  // no index yet: built from the folders
    ArticleStore store(root);
    ArticleHost host(std::make_shared<corvel::articles::ArticleStore>(root),
                     makeDialogFileChooser(), nullptr);
    std::vector<double> listed, bridged, raw, oneFile, renamed, bareMeta;
    for (int i = 0; i < rounds; ++i) {
        start = Clock::now();
        std::size_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(root)) {
            if (!entry.is_directory()) continue;
            bytes += corvel::options::ReadWholeFile(entry.path() / "meta.json", {}).size();
        }
        raw.push_back(Ms(start));
        start = Clock::now();
        bytes += corvel::options::ReadWholeFile(root / "index.jsonl", {}).size();
        oneFile.push_back(Ms(start));
        start = Clock::now();
        const std::size_t listedCount = ArticleStore(root).list().size();  // as at start-up
        listed.push_back(Ms(start));
        start = Clock::now();
        const QVariantMap answer = host.listArticles();
        bridged.push_back(Ms(start));
        // A metadata write (a rename) keeps the index up to date, against writing the
        // metadata file alone.
        start = Clock::now();
        store.rename("bench-00000", "改名" + std::to_string(i));
        renamed.push_back(Ms(start));
        start = Clock::now();
        corvel::articles::WriteFileAtomically(folder / "bare-meta.json",
                                              corvel::options::ReadWholeFile(root / "bench-00000" / "meta.json", {}));
        bareMeta.push_back(Ms(start));
        if (listedCount != static_cast<std::size_t>(count) ||
            answer.value(QStringLiteral("articles")).toList().size() != count || bytes == 0) {
            std::abort();
        }
    }
    std::printf("list of %d drafts\n", count);
    std::printf(
        "  corvelHost.listArticles %.2f ms | store.list on a fresh store %.2f ms | read the "
        "index file alone %.2f ms | raw read of every meta.json %.2f ms\n",
        Median(bridged), Median(listed), Median(oneFile), Median(raw));
    std::printf("  store.list ratio to reading the one file: %.2fx, to the raw reads: %.2fx; the "
                "first list, which builds the index: %.1f ms\n",
                Median(listed) / Median(oneFile), Median(listed) / Median(raw), firstList);
    std::printf("  a metadata write with its index %.2f ms vs the metadata file alone %.2f ms "
                "(%.2fx)\n",
                Median(renamed), Median(bareMeta), Median(renamed) / Median(bareMeta));
}

void SwitchDrafts(const fs::path& folder, int rounds) {
    const fs::path root = folder / "switch";
    ArticleHost host(std::make_shared<corvel::articles::ArticleStore>(root),
                     makeDialogFileChooser(), nullptr);
    Draft drafts[2] = {MakeDraft(host.store(), 2), MakeDraft(host.store(), 3)};
    std::vector<double> switched;
    for (int i = 0; i < rounds; ++i) {
        const Draft& from = drafts[i % 2];
        const Draft& to = drafts[(i + 1) % 2];
        const auto start = Clock::now();
        const QVariantMap saved =
            host.saveArticle(QString::fromStdString(from.id), QString::fromStdString(from.html),
                             QStringLiteral("标题"), 9000);
        const QVariantMap opened = host.openArticle(QString::fromStdString(to.id));
        switched.push_back(Ms(start));
        if (!saved.value(QStringLiteral("ok")).toBool() ||
            opened.value(QStringLiteral("html")).toString().size() < 1000) {
            std::abort();
        }
    }
    std::printf("switch between two drafts (host part: save the one, open the other)\n");
    std::printf("  %.2f ms   ratio to the 200 ms goal: %.3f\n", Median(switched),
                Median(switched) / 200.0);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const fs::path folder = fs::temp_directory_path() / "corvel-article-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    SaveAfterKeystroke(folder, rounds);
    ListDrafts(folder, rounds, 1000);
    ListDrafts(folder, std::max(1, rounds / 5), 10000);
    SwitchDrafts(folder, rounds);
    fs::remove_all(folder);
    return 0;
}
