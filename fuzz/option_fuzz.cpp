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

struct Key {
    std::string_view section, key;
};

std::vector<Key> KeysOf(std::string_view text, std::vector<LineKind>& contentKinds) {
    std::vector<Key> keys;
    ForEachLine(text, [&](const LineInfo& line) {
        if (line.kind != LineKind::Blank) contentKinds.push_back(line.kind);
        if (line.kind == LineKind::Key) keys.push_back({line.section, line.key});
    });
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ParsedOptions parsed = ParseOptionText(text);
    // Sometimes give every group the value of the next one, as a dialog's Save would change them.
    // Values read from a file never hold its line break, so the written file must read back the
    // same. In an LF file only the last line's value can end in a CR, which is left out anywhere
    // an LF follows, so such files are not shuffled.
    const std::uint32_t groups = static_cast<std::uint32_t>(parsed.groups.size());
    const bool crInLfFile = LineBreakOf(text) == "\n" && text.back() == '\r';
    if (size > 0 && (data[0] & 1) && groups > 1 && !crInLfFile) {
        const std::string first(ValueOf(parsed, text, 0));
        for (std::uint32_t g = 0; g + 1 < groups; ++g) {
            SetValue(parsed, g, std::string(ValueOf(parsed, text, g + 1)));
        }
        SetValue(parsed, groups - 1, first);
    }

    const std::string written = RenderOptionText(text, parsed);
    const ParsedOptions reparsed = ParseOptionText(written);
    std::vector<LineKind> kindsBefore, kindsAfter;
    const std::vector<Key> keys = KeysOf(text, kindsBefore);
    KeysOf(written, kindsAfter);
    Check(kindsBefore == kindsAfter);
    Check(reparsed.groups.size() == parsed.groups.size());
    for (const Key& key : keys) {
        const auto before = FindGroup(parsed, text, key.section, key.key);
        const auto after = FindGroup(reparsed, written, key.section, key.key);
        Check(before && after);
        Check(ValueOf(parsed, text, *before) == ValueOf(reparsed, written, *after));
    }
    Check(RenderOptionText(written, reparsed) == written);
    return 0;
}
