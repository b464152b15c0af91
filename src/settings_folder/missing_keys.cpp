#include "missing_keys.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "option_format.h"

namespace corvel::settings {
namespace {

using corvel::options::ForEachLine;
using corvel::options::LineBreakOf;
using corvel::options::LineInfo;
using corvel::options::LineKind;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view WithoutBom(std::string_view text) {
    if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
    return text;
}

std::string_view WithoutLeadingSpaces(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

}  // namespace

std::string AddMissingKeys(std::string_view user, std::string_view shipped) {
    const std::string_view userBody = WithoutBom(user);
    const std::size_t bodyStart = user.size() - userBody.size();
    // Added lines end as the user's own lines do.
    const std::string_view lineBreak = LineBreakOf(userBody);

    // What the user's file has: its keys, and per section where a new key line would go.
    std::set<std::pair<std::string_view, std::string_view>> userKeys;
    std::map<std::string_view, std::size_t> insertAt;  // offset in `user`, before a line break
    insertAt.emplace(std::string_view(), bodyStart);   // the empty section heads the file
    bool emptySectionHasKeys = false;
    ForEachLine(userBody, [&](const LineInfo& info) {
        const std::size_t lineEnd = bodyStart +
                                    static_cast<std::size_t>(info.line.data() - userBody.data()) +
                                    info.line.size();
        if (info.kind == LineKind::Header) {
            insertAt[info.section] = lineEnd;
        } else if (info.kind == LineKind::Key) {
            userKeys.emplace(info.section, info.key);
            insertAt[info.section] = lineEnd;
            if (info.section.empty()) emptySectionHasKeys = true;
        }
    });

    // The shipped lines to add, grouped by section in shipped order.
    std::vector<std::pair<std::string_view, std::vector<std::string_view>>> additions;
    std::set<std::pair<std::string_view, std::string_view>> added;
    ForEachLine(WithoutBom(shipped), [&](const LineInfo& info) {
        if (info.kind != LineKind::Key || userKeys.contains({info.section, info.key}) ||
            !added.emplace(info.section, info.key).second) {
            return;
        }
        auto group = std::find_if(additions.begin(), additions.end(),
                                  [&](const auto& g) { return g.first == info.section; });
        if (group == additions.end()) group = additions.insert(additions.end(), {info.section, {}});
        group->second.push_back(WithoutLeadingSpaces(info.line));
    });
    if (additions.empty()) return std::string(user);

    // Insertions into existing sections, in file order; new sections go at the end.
    std::vector<std::pair<std::size_t, std::string>> inserts;
    std::string newSections;
    for (const auto& [section, lines] : additions) {
        const auto place = insertAt.find(section);
        if (place != insertAt.end() && (!section.empty() || emptySectionHasKeys)) {
            std::string text;
            for (std::string_view line : lines) (text += lineBreak) += line;
            inserts.emplace_back(place->second, std::move(text));
        } else if (section.empty()) {
            // Keys before any header have to stay before the first header.
            std::string text;
            for (std::string_view line : lines) (text += line) += lineBreak;
            inserts.emplace_back(bodyStart, std::move(text));
        } else {
            (((newSections += lineBreak) += "[") += section) += "]";
            for (std::string_view line : lines) (newSections += lineBreak) += line;
        }
    }
    std::stable_sort(inserts.begin(), inserts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string merged;
    std::size_t copied = 0;
    for (const auto& [offset, text] : inserts) {
        merged.append(user.substr(copied, offset - copied));
        merged += text;
        copied = offset;
    }
    merged.append(user.substr(copied));
    if (!newSections.empty()) {
        // The file's last line keeps its line break; the new section starts on a line of its own
        // after one blank line.
        const bool endsWithBreak = merged.size() > bodyStart && merged.ends_with(lineBreak);
        if (merged.size() > bodyStart && !endsWithBreak) merged += lineBreak;
        if (merged.size() == bodyStart) newSections.erase(0, lineBreak.size());
        (merged += newSections) += lineBreak;
    }
    return merged;
}

}  // namespace corvel::settings
