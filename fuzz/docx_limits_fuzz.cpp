// libFuzzer target for the .docx limits: any bytes are judged without reading outside them or
// unpacking past the limits, and refused only through the article errors. An archive that passes
// tight limits passes the program's own.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "article_error.h"
#include "docx_limits.h"
#include "fuzz_check.h"

using namespace corvel::articles;

namespace {
bool passes(std::string_view bytes, const DocxLimits& limits) {
    try {
        CheckDocxLimits(bytes, limits);
        return true;
    } catch (const ArticleError&) {
        return false;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DocxLimits tight;
    tight.maxUnpacked = 1 << 16;
    tight.maxEntries = 16;
    tight.ratioCheckedFrom = 1 << 12;
    if (passes(bytes, tight)) Check(passes(bytes, DocxLimits{}));
    return 0;
}
