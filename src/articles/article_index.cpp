#include <algorithm>

#include "article_names.h"
#include "article_store.h"
#include "file_io.h"
#include "flat_json.h"
#include "meta_fields.h"

namespace corvel::articles {

namespace fs = std::filesystem;

namespace {

constexpr const char* kIndexFile = "index.jsonl";
constexpr std::string_view kHeader = "corvel-drafts 1\n";
// What the index holds while a metadata file is being replaced: no index at all.
constexpr std::string_view kStale = "stale\n";

// The names of the folders that may hold an article: one read of the root folder, no look-up
// per folder (the kind of each entry comes with its name).
std::vector<std::string> Folders(const fs::path& root) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (IsArticleId(name) && it->is_directory(ec) && !it->is_symlink(ec))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool NamesTheFolders(const ArticleIndex& index, const std::vector<std::string>& folders) {
    if (index.listed.size() + index.unlisted.size() != folders.size()) return false;
    return std::all_of(folders.begin(), folders.end(), [&](const std::string& name) {
        return index.listed.contains(name) || index.unlisted.contains(name);
    });
}

// Nothing when the file is missing, marked stale, torn or damaged.
std::optional<ArticleIndex> ReadIndex(const fs::path& file) {
    std::string text;
    try {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) return std::nullopt;
        text = options::ReadWholeFile(file, {});
    } catch (const std::exception&) {
        return std::nullopt;
    }
    std::string_view rest = text;
    if (!rest.starts_with(kHeader)) return std::nullopt;
    rest.remove_prefix(kHeader.size());
    ArticleIndex index;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        const std::optional<FlatObject> object = ReadFlatJson(rest.substr(0, end + 1));
        rest.remove_prefix(end + 1);
        if (!object) return std::nullopt;
        ArticleMeta meta;
        meta.id = FlatString(*object, "id");
        if (!IsArticleId(meta.id)) return std::nullopt;
        if (FlatBool(*object, "unlisted")) {
            index.unlisted.insert(meta.id);
        } else {
            ReadMetaFields(*object, meta);
            index.listed.insert_or_assign(meta.id, std::move(meta));
        }
    }
    return index;
}

}  // namespace

std::vector<ArticleMeta> ArticleStore::all() const {
    const std::vector<std::string> folders = Folders(root_);
    if (!index_) index_ = ReadIndex(root_ / kIndexFile);
    if (!index_ || !NamesTheFolders(*index_, folders)) {
        ArticleIndex fresh;
        for (const std::string& name : folders) {
            try {
                fresh.listed.insert_or_assign(name, readMeta(root_ / name, name));
            } catch (const std::exception&) {
                // An empty folder left by a crash while creating, or one that cannot be read:
                // not an article to list.
                fresh.unlisted.insert(name);
            }
        }
        index_ = std::move(fresh);
        writeIndex();
    } else if (indexBehind_) {
        writeIndex();
    }
    std::vector<ArticleMeta> result;
    result.reserve(index_->listed.size());
    for (const auto& [id, meta] : index_->listed) {
        const auto held = heldBack_.find(id);
        result.push_back(held != heldBack_.end() ? held->second : meta);
    }
    return result;
}

void ArticleStore::indexChanging() const {
    if (!index_) index_ = ReadIndex(root_ / kIndexFile);
    if (!indexMayBeOnDisk_) return;
    fs::create_directories(root_);
    WriteFileAtomically(root_ / kIndexFile, kStale);
    indexMayBeOnDisk_ = false;
}

void ArticleStore::indexChanged(const ArticleMeta& meta, bool later) const {
    if (!index_) return;  // none to keep up to date: the next listing builds it
    index_->unlisted.erase(meta.id);
    index_->listed.insert_or_assign(meta.id, meta);
    if (later)
        indexBehind_ = true;
    else
        writeIndex();
}

void ArticleStore::writeIndex() const {
    if (!index_) return;
    std::string text(kHeader);
    for (const auto& [id, meta] : index_->listed) text += WriteFlatJson(MetaFields(meta));
    for (const std::string& id : index_->unlisted)
        text += WriteFlatJson({{"id", id}, {"unlisted", true}});
    try {
        WriteFileAtomically(root_ / kIndexFile, text);
        indexMayBeOnDisk_ = true;
        indexBehind_ = false;
    } catch (const std::exception&) {
        // The stale mark stays: the next start rebuilds the index from the folders.
    }
}

}  // namespace corvel::articles
