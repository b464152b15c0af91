// libFuzzer target for what the article store reads back from files and names: any bytes as
// metadata must parse or be refused without harm, and what parses must write and parse again
// to the same object and the same bytes. Names pass their checks only in the forms made.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "article_names.h"
#include "flat_json.h"
#include "fuzz_check.h"

using namespace corvel::articles;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<FlatObject> object = ReadFlatJson(bytes)) {
        const std::string written = WriteFlatJson(*object);
        const std::optional<FlatObject> again = ReadFlatJson(written);
        Check(again && *again == *object && WriteFlatJson(*again) == written);
    }
    if (IsArticleId(bytes)) {
        Check(bytes.find('/') == std::string_view::npos &&
              bytes.find('.') == std::string_view::npos);
    }
    SnapshotName name;
    if (ParseSnapshotId(bytes, name)) Check(IsArticleId(bytes));
    if (IsImageName(bytes)) Check(bytes.find('/') == std::string_view::npos && bytes.size() > 65);
    return 0;
}
