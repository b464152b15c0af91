#pragma once
// What a .docx may unpack to before the page's zip reader sees it. A .docx is a zip archive, and
// the page inflates every part in memory: a small archive that unpacks to gigabytes would take
// all of it. Checked from the archive's own directories, and each part inflated without keeping
// what comes out, so that a size the archive misstates cannot slip through.

#include <cstdint>
#include <string_view>

namespace corvel::articles {

struct DocxLimits {
    std::uint64_t maxUnpacked = 256ull << 20;  // all parts together
    std::uint32_t maxEntries = 10'000;
    // Deflate cannot pack better than about 1032:1 (a run of one byte), and Word's XML packs at
    // 5 to 30:1, so a part near the limit is nothing but a run. Small parts may be runs.
    std::uint64_t ratioCheckedFrom = 1ull << 20;
    std::uint32_t maxRatio = 1000;
};

// Throws ArticleError (BrokenDocx, DocxTooLarge, DocxTooManyEntries, DocxBomb) when the bytes
// are not a whole zip archive the page can read or break one of the limits.
void CheckDocxLimits(std::string_view zip, const DocxLimits& limits = {});

}  // namespace corvel::articles
