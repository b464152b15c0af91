// Snapshots: whole copies of the HTML in the history folder, the newest 50 kept.
#include <algorithm>

#include "article_error.h"
#include "article_names.h"
#include "article_store.h"
#include "embedded_picture.h"
#include "file_io.h"

namespace corvel::articles {

namespace fs = std::filesystem;

std::vector<Snapshot> ArticleStore::listSnapshots(std::string_view id) const {
    std::vector<Snapshot> result;
    const fs::path folder = fileIn(id, "history");
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        SnapshotName name;
        if (path.extension() != ".html" || !ParseSnapshotId(path.stem().string(), name)) continue;
        result.push_back({path.stem().string(), name.time, std::move(name.reason), name.chars});
    }
    std::sort(result.begin(), result.end(),
              [](const Snapshot& a, const Snapshot& b) { return a.time > b.time; });
    return result;
}

bool ArticleStore::addSnapshot(std::string_view id, std::string_view html,
                               std::string_view reason, std::int64_t chars) {
    if (!IsSnapshotReason(reason)) throw ArticleError(Refusal::BadName, "unknown snapshot reason");
    if (HoldsEmbeddedPicture(html))
        throw ArticleError(Refusal::EmbeddedPicture, "snapshot holds a data: picture");
    const std::vector<Snapshot> existing = listSnapshots(id);
    std::int64_t time = clock_();
    if (reason == "auto") {
        const auto lastAuto = std::find_if(existing.begin(), existing.end(),
                                           [](const Snapshot& s) { return s.reason == "auto"; });
        if (lastAuto != existing.end() && time - lastAuto->time < kAutoSnapshotGapMs) return false;
    }
    // Strictly after the newest, so that order and names stay unique within a millisecond.
    if (!existing.empty()) time = std::max(time, existing.front().time + 1);

    fs::create_directories(fileIn(id, "history"));
    const std::string sid = MakeSnapshotId(time, reason, chars);
    WriteFileAtomically(fileIn(id, fs::path("history") / (sid + ".html")), html);

    // The new one counts: everything from the kept number on (oldest last) goes.
    for (std::size_t i = kSnapshotsKept - 1; i < existing.size(); ++i) {
        fs::remove(fileIn(id, fs::path("history") / (existing[i].sid + ".html")));
    }
    return true;
}

std::string ArticleStore::readSnapshot(std::string_view id, std::string_view sid) const {
    SnapshotName name;
    if (!ParseSnapshotId(sid, name)) throw ArticleError(Refusal::BadName, "not a snapshot id");
    const fs::path path = fileIn(id, fs::path("history") / (std::string(sid) + ".html"));
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) throw ArticleError(Refusal::NotFound, "no such snapshot");
    return options::ReadWholeFile(path, {});
}

}  // namespace corvel::articles
