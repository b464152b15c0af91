// Images: one file per distinct content in the article's images folder, named by its hash.
#include "article_error.h"
#include "article_names.h"
#include "article_store.h"
#include "image_type.h"
#include "sha256.h"

namespace corvel::articles {

namespace fs = std::filesystem;

std::string ArticleStore::storeImage(std::string_view id, std::string_view bytes) {
    if (bytes.size() > kImageCap) throw ArticleError(Refusal::TooLarge, "image too large");
    const std::optional<ImageType> type = SniffImage(bytes);
    if (!type) throw ArticleError(Refusal::NotImage, "not an image");
    fs::create_directories(fileIn(id, "images"));
    const std::string name = Sha256Hex(bytes) + "." + std::string(type->extension);
    const fs::path path = fileIn(id, fs::path("images") / name);
    // Named by content: a file of that name and size holds these bytes already.
    std::error_code ec;
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) == bytes.size()) return name;
    WriteFileAtomically(path, bytes);
    return name;
}

std::string ArticleStore::readImage(std::string_view id, std::string_view name) const {
    if (!IsImageName(name)) throw ArticleError(Refusal::BadName, "not a stored image name");
    return ReadCappedFile(fileIn(id, fs::path("images") / std::string(name)), kImageCap);
}

}  // namespace corvel::articles
