#include "article_store.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "article_error.h"
#include "article_names.h"
#include "file_io.h"
#include "flat_json.h"
#include "meta_fields.h"

namespace corvel::articles {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHtmlFile = "article.html";
constexpr const char* kMetaFile = "meta.json";
constexpr const char* kStateFile = "state.json";

std::int64_t SystemNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t ModifiedMs(const fs::path& path) {
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return 0;
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::file_clock::to_sys(time).time_since_epoch())
        .count();
}

std::string ReadTextIfThere(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return {};
    return options::ReadWholeFile(path, {});
}

// A folder goes in one rename to a name the listing ignores, then is removed at leisure:
// a crash half-way through the removal can never bring back half an article.
void RemoveFolder(const fs::path& folder) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path trash = folder.parent_path() /
                           (".trash-" + folder.filename().string() + "-" + std::to_string(stamp));
    fs::rename(folder, trash);
    std::error_code ignored;
    fs::remove_all(trash, ignored);
}

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// What an HTML fragment shows, roughly: everything outside its tags.
std::string TextOutsideTags(std::string_view html) {
    std::string text;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<' || c == '>') inTag = c == '<';
        else if (!inTag) text += c;
    }
    return text;
}

}  // namespace

ArticleStore::ArticleStore(fs::path root, Clock clock)
    : root_(std::move(root)), clock_(clock ? std::move(clock) : Clock(SystemNow)) {}

StoreState ArticleStore::state() const {
    StoreState state;
    const std::optional<FlatObject> object = ReadFlatJson(ReadTextIfThere(root_ / kStateFile));
    if (!object) return state;
    state.currentId = FlatString(*object, "currentId");
    if (!IsArticleId(state.currentId)) state.currentId.clear();
    state.migrated = FlatBool(*object, "migrated");
    return state;
}

void ArticleStore::writeState(const StoreState& state) const {
    fs::create_directories(root_);
    WriteFileAtomically(root_ / kStateFile, WriteFlatJson({{"currentId", state.currentId},
                                                           {"migrated", state.migrated}}));
}

void ArticleStore::markMigrated() {
    StoreState now = state();
    if (now.migrated) return;
    now.migrated = true;
    writeState(now);
}

void ArticleStore::setCurrent(const std::string& id) const {
    StoreState now = state();
    if (now.currentId == id) return;
    now.currentId = id;
    writeState(now);
}

ArticleMeta ArticleStore::readMeta(const fs::path& folder, const std::string& id) const {
    if (const auto held = heldBack_.find(id); held != heldBack_.end()) return held->second;
    ArticleMeta meta;
    meta.id = id;
    std::optional<FlatObject> object;
    std::error_code ec;
    if (fs::exists(folder / kMetaFile, ec)) {
        object = ReadFlatJson(options::ReadWholeFile(folder / kMetaFile, {}));
    }
    if (object) {
        ReadMetaFields(*object, meta);
        return meta;
    }
    // No metadata, or damaged metadata: the article itself is what counts, so it stays listed
    // with what the file system knows, and the next save writes its metadata afresh.
    if (!fs::exists(folder / kHtmlFile, ec)) throw ArticleError(Refusal::NotFound, "no article");
    meta.modified = ModifiedMs(folder / kHtmlFile);
    meta.created = meta.modified;
    return meta;
}

FlatObject MetaFields(const ArticleMeta& meta) {
    return {{"id", meta.id},
            {"autoTitle", meta.autoTitle},
            {"customTitle", meta.customTitle},
            {"created", meta.created},
            {"modified", meta.modified},
            {"chars", meta.chars},
            {"deleted", meta.deleted}};
}

void ReadMetaFields(const FlatObject& object, ArticleMeta& meta) {
    meta.autoTitle = FlatString(object, "autoTitle");
    meta.customTitle = FlatString(object, "customTitle");
    meta.created = FlatNumber(object, "created");
    meta.modified = FlatNumber(object, "modified");
    meta.chars = FlatNumber(object, "chars");
    meta.deleted = FlatNumber(object, "deleted");
}

void ArticleStore::writeMeta(const ArticleMeta& meta, bool indexLater) const {
    heldBack_.erase(meta.id);
    metaWritten_.insert_or_assign(meta.id, clock_());
    indexChanging();
    WriteFileAtomically(fileIn(meta.id, kMetaFile), WriteFlatJson(MetaFields(meta)));
    indexChanged(meta, indexLater);
}

ArticleMeta ArticleStore::meta(std::string_view id) const {
    return readMeta(articleFolder(id), std::string(id));
}

std::vector<ArticleMeta> ArticleStore::list() const {
    std::vector<ArticleMeta> result = all();
    std::erase_if(result, [](const ArticleMeta& m) { return m.deleted != 0; });
    std::sort(result.begin(), result.end(), [](const ArticleMeta& a, const ArticleMeta& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.id > b.id;
    });
    return result;
}

std::vector<std::string> ArticleStore::search(std::string_view needle) const {
    const std::string wanted = AsciiLower(std::string(needle));
    std::vector<std::string> ids;
    for (const ArticleMeta& meta : list()) {
        const std::string text = TextOutsideTags(ReadTextIfThere(fileIn(meta.id, kHtmlFile)));
        if (AsciiLower(text).find(wanted) != std::string::npos) ids.push_back(meta.id);
    }
    return ids;
}

std::vector<ArticleMeta> ArticleStore::listDeleted() const {
    std::vector<ArticleMeta> result = all();
    std::erase_if(result, [](const ArticleMeta& m) { return m.deleted == 0; });
    std::sort(result.begin(), result.end(), [](const ArticleMeta& a, const ArticleMeta& b) {
        return a.deleted != b.deleted ? a.deleted > b.deleted : a.id > b.id;
    });
    return result;
}

ArticleMeta ArticleStore::create(std::string_view html, std::string_view autoTitle,
                                 std::int64_t chars) {
    flush();
    fs::create_directories(root_);
    static std::mt19937 random{std::random_device{}()};
    ArticleMeta meta;
    meta.created = meta.modified = clock_();
    do {
        meta.id = MakeArticleId(meta.created, static_cast<std::uint32_t>(random()));
    } while (!fs::create_directory(root_ / meta.id));
    meta.autoTitle = autoTitle;
    meta.chars = chars;
    WriteFileAtomically(fileIn(meta.id, kHtmlFile), html);
    writeMeta(meta);
    setCurrent(meta.id);
    return meta;
}

ArticleMeta ArticleStore::open(std::string_view id, std::string& html) {
    flush();
    const fs::path folder = articleFolder(id);
    ArticleMeta found = readMeta(folder, std::string(id));
    html = ReadTextIfThere(fileIn(id, kHtmlFile));
    setCurrent(found.id);
    return found;
}

std::int64_t ArticleStore::save(std::string_view id, std::string_view html,
                                std::string_view autoTitle, std::int64_t chars) {
    ArticleMeta meta;
    try {
        meta = readMeta(articleFolder(id), std::string(id));
    } catch (const ArticleError& error) {
        if (error.refusal() != Refusal::NotFound) throw;
        meta.id = id;  // a folder whose files were both lost: the save brings it back
        meta.created = clock_();
    }
    WriteFileAtomically(fileIn(id, kHtmlFile), html);
    const bool retitled = meta.autoTitle != autoTitle;
    meta.autoTitle = autoTitle;
    meta.chars = chars;
    meta.modified = clock_();
    const auto written = metaWritten_.find(id);
    if (retitled || written == metaWritten_.end() ||
        meta.modified - written->second >= kMetadataLagMs) {
        writeMeta(meta, true);
    } else {
        heldBack_.insert_or_assign(meta.id, meta);
    }
    return meta.modified;
}

void ArticleStore::flush() {
    while (!heldBack_.empty()) {
        const ArticleMeta meta = heldBack_.begin()->second;
        heldBack_.erase(heldBack_.begin());
        try {
            writeMeta(meta, true);
        } catch (const std::exception&) {
            // The text is safe on disk; the metadata's file keeps its older times and count.
        }
    }
    if (indexBehind_) writeIndex();
}

void ArticleStore::rename(std::string_view id, std::string_view title) {
    ArticleMeta found = meta(id);
    found.customTitle = title;
    writeMeta(found);
}

void ArticleStore::remove(std::string_view id) {
    ArticleMeta found = meta(id);
    if (found.deleted == 0) {
        found.deleted = clock_();
        writeMeta(found);
    }
    if (state().currentId == id) setCurrent({});
}

void ArticleStore::restore(std::string_view id) {
    ArticleMeta found = meta(id);
    if (found.deleted == 0) return;
    found.deleted = 0;
    writeMeta(found);
}

void ArticleStore::discard(const std::string& id) {
    heldBack_.erase(id);
    metaWritten_.erase(id);
    RemoveFolder(articleFolder(id));
    if (index_) {
        index_->listed.erase(id);
        index_->unlisted.erase(id);
    }
}

int ArticleStore::emptyRecycle() {
    int removed = 0;
    for (const ArticleMeta& m : listDeleted()) {
        discard(m.id);
        ++removed;
    }
    if (removed) writeIndex();
    return removed;
}

int ArticleStore::purgeRecycle() {
    const std::int64_t now = clock_();
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
        // Left behind by a removal that a crash cut short.
        if (it->path().filename().string().starts_with(".trash-")) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
    for (const ArticleMeta& m : listDeleted()) {
        if (now - m.deleted < kRecycleKeepMs) continue;
        discard(m.id);
        ++removed;
    }
    if (removed) writeIndex();
    return removed;
}

}  // namespace corvel::articles
