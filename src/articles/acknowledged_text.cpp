#include "acknowledged_text.h"

namespace corvel::articles {

std::uint64_t AcknowledgedText::keep(std::string id, std::u16string text) {
    id_ = std::move(id);
    text_ = std::move(text);
    return revision_ = ++last_;
}

bool AcknowledgedText::apply(std::string_view id, std::uint64_t revision, std::size_t at,
                             std::size_t removed, std::u16string_view inserted,
                             std::size_t length) {
    const bool fits = revision_ != 0 && revision == revision_ && id == id_ &&
                      at <= text_.size() && removed <= text_.size() - at &&
                      text_.size() - removed + inserted.size() == length;
    // Whatever happens next, the kept text no longer matches that revision.
    revision_ = 0;
    if (!fits) return false;
    text_.replace(at, removed, inserted);
    return true;
}

}  // namespace corvel::articles
