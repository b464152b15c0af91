#pragma once
// Why an article operation was refused. File-system failures pass on as the options library's
// Utf8FileError (or std::filesystem's error) with the system's reason.

#include <stdexcept>
#include <string>

namespace corvel::articles {

enum class Refusal {
    BadId,          // not an id the store makes
    BadName,        // an image or snapshot name the store did not give out
    NotFound,       // no such article, image or snapshot
    OutsideFolder,  // the path leads out of the article's folder (a link, for instance)
    NotPasted,      // a local file outside the folders pasted or opened pictures come from
    TooLarge,       // over the size cap
    NotImage,       // the bytes are not an image the browser can show
    NotAFile,       // not a regular file
    Unsupported,    // a kind of file the program cannot open
    BadData,        // what the page sent cannot be decoded
    BrokenDocx,          // a .docx that is not a whole zip archive the page can read
    DocxTooLarge,        // a .docx that unpacks to more than the page may hold
    DocxTooManyEntries,  // a .docx of too many parts
    DocxBomb,            // a .docx part packed past any real document's ratio
    EmbeddedPicture,     // a snapshot that holds a picture as a data: address
};

class ArticleError : public std::runtime_error {
public:
    ArticleError(Refusal refusal, const std::string& what)
        : std::runtime_error(what), refusal_(refusal) {}
    Refusal refusal() const noexcept { return refusal_; }

private:
    Refusal refusal_;
};

}  // namespace corvel::articles
