#pragma once
// The text last stored for one article, so that a save can bring only what changed since. The
// page counts in UTF-16 units, so the text is kept in them too.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::articles {

class AcknowledgedText {
public:
    // Keeps `text` as stored for `id`; the answer is its revision, new for every text kept.
    std::uint64_t keep(std::string id, std::u16string text);
    // Replaces `removed` units after the first `at` with `inserted`, when the change was made
    // against the kept text (same article, same revision) and gives a text of `length` units.
    // Either way the revision is gone: the new text is not stored yet, and is keep()'d once it
    // is; a refusal makes the page send the whole text.
    bool apply(std::string_view id, std::uint64_t revision, std::size_t at, std::size_t removed,
               std::u16string_view inserted, std::size_t length);
    void forget() { revision_ = 0; }
    std::u16string& text() { return text_; }
    const std::string& id() const { return id_; }

private:
    std::string id_;
    std::u16string text_;
    std::uint64_t revision_ = 0;  // 0: nothing kept
    std::uint64_t last_ = 0;
};

}  // namespace corvel::articles
