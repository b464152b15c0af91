#pragma once
// Articles as folders under one root, each with its HTML, its metadata, its images (stored once,
// named by content hash) and its snapshots. Every write replaces its file through a temporary
// file with fsync. Ids and names are checked before they become paths, and nothing outside an
// article's folder is ever read or written. Text is UTF-8, byte-exact.
//
// Failures throw: ArticleError for a refusal, the options library's Utf8FileError (or
// std::filesystem::filesystem_error) for a failing disk.
//
// ArticleStore is defined over five files: article_store.cpp (state, text and metadata,
// recycling), article_index.cpp (the list), article_history.cpp (snapshots),
// article_images.cpp (images) and article_files.cpp (the paths inside an article's folder,
// and the free functions below).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::articles {

inline constexpr std::uintmax_t kImageCap = 20u << 20;  // bytes
inline constexpr std::uintmax_t kOpenedFileCap = 64u << 20;
inline constexpr std::int64_t kRecycleKeepMs = 30LL * 24 * 60 * 60 * 1000;
inline constexpr std::int64_t kAutoSnapshotGapMs = 10LL * 60 * 1000;
inline constexpr std::size_t kSnapshotsKept = 50;
// While the user types, the text is saved every time, its metadata at most this often (or
// when the title changes): a crash can leave the modified time and count this far behind.
inline constexpr std::int64_t kMetadataLagMs = 5000;

struct ArticleMeta {
    std::string id;
    std::string autoTitle;    // the page's first line or heading
    std::string customTitle;  // given by the user; empty when never renamed
    std::int64_t created = 0;
    std::int64_t modified = 0;
    std::int64_t chars = 0;
    std::int64_t deleted = 0;  // when it went to the recycle list; 0 while in the list

    const std::string& title() const { return customTitle.empty() ? autoTitle : customTitle; }
    bool operator==(const ArticleMeta&) const = default;
};

struct ArticleIndex {
    std::map<std::string, ArticleMeta, std::less<>> listed;
    std::set<std::string, std::less<>> unlisted;  // folders that hold no article
};

struct Snapshot {
    std::string sid;
    std::int64_t time = 0;
    std::string reason;
    std::int64_t chars = 0;
};

struct StoreState {
    std::string currentId;
    bool migrated = false;
};

class ArticleStore {
public:
    using Clock = std::function<std::int64_t()>;  // milliseconds since the Unix epoch

    explicit ArticleStore(std::filesystem::path root, Clock clock = {});

    const std::filesystem::path& root() const { return root_; }

    StoreState state() const;
    void markMigrated();

    // Articles in the list (or in the recycle list), newest modified (or deleted) first.
    std::vector<ArticleMeta> list() const;
    std::vector<ArticleMeta> listDeleted() const;
    // The ids of listed articles whose text (the article without its tags) holds needle,
    // ASCII letters in either case, in the list's order.
    std::vector<std::string> search(std::string_view needle) const;

    // Creating and opening make the article the current one. `chars` is the page's 字数: the
    // store keeps the count it is given and never counts by itself.
    ArticleMeta create(std::string_view html, std::string_view autoTitle, std::int64_t chars = 0);
    ArticleMeta open(std::string_view id, std::string& html);
    ArticleMeta meta(std::string_view id) const;
    std::int64_t save(std::string_view id, std::string_view html, std::string_view autoTitle,
                      std::int64_t chars);
    // Writes metadata that saves have held back.
    void flush();
    // An empty title goes back to the automatic one.
    void rename(std::string_view id, std::string_view title);

    void remove(std::string_view id);
    void restore(std::string_view id);
    int emptyRecycle();
    // Removes recycled articles older than the keeping time; returns how many went.
    int purgeRecycle();

    // article_history.cpp
    // False when skipped: an "auto" snapshot less than the gap after the last "auto" one.
    bool addSnapshot(std::string_view id, std::string_view html, std::string_view reason,
                     std::int64_t chars = 0);
    std::vector<Snapshot> listSnapshots(std::string_view id) const;
    std::string readSnapshot(std::string_view id, std::string_view sid) const;

    // article_images.cpp
    // Stores the bytes once, by content; returns the image's name in the article.
    std::string storeImage(std::string_view id, std::string_view bytes);
    // A stored image's bytes, and its name's extension.
    std::string readImage(std::string_view id, std::string_view name) const;

private:
    // article_files.cpp
    std::filesystem::path articleFolder(std::string_view id) const;
    // A file inside the article's folder: never through a link, never outside it.
    std::filesystem::path fileIn(std::string_view id, const std::filesystem::path& relative) const;
    // article_store.cpp
    ArticleMeta readMeta(const std::filesystem::path& folder, const std::string& id) const;
    // `indexLater`: while typing, the index (marked stale meanwhile) is written at the next
    // flush or listing rather than with every metadata write.
    void writeMeta(const ArticleMeta& meta, bool indexLater = false) const;
    void writeState(const StoreState& state) const;
    void setCurrent(const std::string& id) const;
    // article_index.cpp: every draft's metadata in one file beside the folders, so that the
    // list reads one file. It copies the meta.json files and is rebuilt from them when it is
    // missing, damaged or names other folders than there are; a metadata write first marks it
    // stale, so a crash in between leaves no index that disagrees with the folders.
    std::vector<ArticleMeta> all() const;
    void indexChanging() const;
    void indexChanged(const ArticleMeta& meta, bool later) const;
    // Writes the index as this store holds it; a failure leaves it marked stale on disk.
    void writeIndex() const;
    // Removes a recycled article's folder for good.
    void discard(const std::string& id);

    std::filesystem::path root_;
    Clock clock_;
    // Per article: metadata newer than its file, and when its file was last written.
    mutable std::map<std::string, ArticleMeta, std::less<>> heldBack_;
    mutable std::map<std::string, std::int64_t, std::less<>> metaWritten_;
    mutable std::optional<ArticleIndex> index_;
    mutable bool indexMayBeOnDisk_ = true;
    mutable bool indexBehind_ = false;  // the index on disk lacks changes this store holds
};

// article_files.cpp
// The options library's ReadCappedFile, its refusals (and a missing file) as ArticleError.
std::string ReadCappedFile(const std::filesystem::path& path, std::uintmax_t cap);

// Writes the bytes through the same atomic replacement as every store write.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace corvel::articles
