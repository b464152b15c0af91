// Reading and writing single files for the store, and the path checks that keep every access
// inside an article's folder.
#include <system_error>

#include "article_error.h"
#include "article_names.h"
#include "article_store.h"
#include "file_io.h"
#include "utf8_file.h"

namespace corvel::articles {

namespace fs = std::filesystem;

std::string ReadCappedFile(const fs::path& path, std::uintmax_t cap) {
    try {
        return options::ReadCappedFile(path, cap);
    } catch (const Utf8FileError& error) {
        const std::error_code code = error.code();
        if (code == std::errc::no_such_file_or_directory) {
            throw ArticleError(Refusal::NotFound, "no such file: " + path.string());
        }
        if (code == std::errc::not_supported || code == std::errc::is_a_directory) {
            throw ArticleError(Refusal::NotAFile, "not a file: " + path.string());
        }
        if (code == std::errc::value_too_large) {
            throw ArticleError(Refusal::TooLarge, "too large: " + path.string());
        }
        throw;
    }
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    options::ReplaceWholeFile(path, [bytes](const options::ByteSink& sink) { sink(bytes); });
}

fs::path ArticleStore::articleFolder(std::string_view id) const {
    if (!IsArticleId(id)) throw ArticleError(Refusal::BadId, "not an article id");
    const fs::path folder = root_ / std::string(id);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(folder, ec);
    if (fs::is_symlink(status)) throw ArticleError(Refusal::OutsideFolder, "linked article folder");
    if (!fs::is_directory(status)) throw ArticleError(Refusal::NotFound, "no such article");
    return folder;
}

fs::path ArticleStore::fileIn(std::string_view id, const fs::path& relative) const {
    const fs::path folder = articleFolder(id);
    fs::path path = folder;
    for (const fs::path& part : relative) {
        if (part == ".." || part == "." || part.is_absolute() || part.has_root_name()) {
            throw ArticleError(Refusal::OutsideFolder, "path leaves the article folder");
        }
        path /= part;
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(path, ec))) {
            throw ArticleError(Refusal::OutsideFolder, "link inside the article folder");
        }
    }
    return path;
}

}  // namespace corvel::articles
