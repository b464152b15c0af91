// libFuzzer target for the option file syntax: parse any bytes, write them back, parse again.
// The written text must give the same lookups and the same lines with content, and writing it
// again must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "option_format.h"

using namespace corvel::options;

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::vector<std::string> ValuesOf(std::string_view text, const ParsedOptions& parsed) {
    std::vector<std::string> values;
    for (const Entry& entry : parsed.entries) values.emplace_back(entry.value.in(text));
    return values;
}

std::vector<LineKind> ContentKinds(const ParsedOptions& parsed) {
    std::vector<LineKind> kinds;
    for (const Line& line : parsed.lines) {
        if (line.kind != LineKind::Blank) kinds.push_back(line.kind);
    }
    return kinds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedOptions parsed = ParseOptionText(text);
    std::vector<std::string> values = ValuesOf(text, parsed);
    // Sometimes give every entry the value of the next one, as a dialog's Save would change them.
    // Values read from a file never hold CR LF, so the written file must read back the same.
    if (size > 0 && (data[0] & 1) && !values.empty()) {
        std::vector<std::string> shifted(values.begin() + 1, values.end());
        shifted.push_back(values.front());
        values.swap(shifted);
    }

    const std::string written = RenderOptionText(text, parsed, values);
    const ParsedOptions reparsed = ParseOptionText(written);
    Check(ContentKinds(reparsed) == ContentKinds(parsed));
    Check(reparsed.groupLast.size() == parsed.groupLast.size());
    const std::vector<std::string> reread = ValuesOf(written, reparsed);
    for (const Entry& entry : parsed.entries) {
        std::size_t found = 0;
        Check(FindOption(reparsed, written, entry.section.in(text), entry.key.in(text), found));
        Check(reread[found] == values[parsed.groupLast[entry.group]]);
    }
    Check(RenderOptionText(written, reparsed, reread) == written);
    return 0;
}
