#include "option_format.h"

#include <algorithm>
#include <array>

namespace corvel::options {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kKeySeparator = "_K_";

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when there is none.
std::size_t WellFormedLength(std::string_view s) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    auto inRange = [&](std::size_t i, unsigned lo, unsigned hi) {
        return i < s.size() && byte(i) >= lo && byte(i) <= hi;
    };
    if (s.empty()) return 0;
    const unsigned lead = byte(0);
    if (lead < 0x80) return 1;
    // Bounds of the second byte, which rule out overlong forms, surrogates and values past
    // U+10FFFF.
    unsigned lo = 0x80, hi = 0xBF;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (!inRange(1, lo, hi)) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!inRange(i, 0x80, 0xBF)) return 0;
    }
    return length;
}

std::size_t LeadingSpaces(std::string_view line) {
    const std::size_t n = line.find_first_not_of(' ');
    return n == std::string_view::npos ? line.size() : n;
}

// FNV-1a over the composite key without building it; the fixed "A_" adds nothing to tell keys
// apart and is left out.
std::uint64_t CompositeHash(std::string_view section, std::string_view key) {
    std::uint64_t h = 14695981039346656037ull;
    for (std::string_view piece : {section, kKeySeparator, key}) {
        for (char c : piece) {
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        }
    }
    return h;
}

// Whether section1 + "_K_" + key1 equals section2 + "_K_" + key2, byte for byte.
bool SameComposite(std::string_view section1, std::string_view key1, std::string_view section2,
                   std::string_view key2) {
    if (section1.size() + key1.size() != section2.size() + key2.size()) return false;
    if (section1.size() == section2.size()) return section1 == section2 && key1 == key2;
    // The split points differ ("a_K_b" + "c" against "a" + "b_K_c"): walk both as byte streams.
    const std::array<std::string_view, 3> a{section1, kKeySeparator, key1};
    const std::array<std::string_view, 3> b{section2, kKeySeparator, key2};
    std::size_t ia = 0, oa = 0, ib = 0, ob = 0;
    while (ia < a.size() && ib < b.size()) {
        if (oa == a[ia].size()) {
            ++ia, oa = 0;
        } else if (ob == b[ib].size()) {
            ++ib, ob = 0;
        } else {
            const std::size_t n = std::min(a[ia].size() - oa, b[ib].size() - ob);
            if (a[ia].substr(oa, n) != b[ib].substr(ob, n)) return false;
            oa += n, ob += n;
        }
    }
    return true;
}

std::size_t TableSize(std::size_t entries) {
    std::size_t size = 16;
    while (size < 2 * entries) size *= 2;
    return size;
}

// Finds the group of (section, key) in the table; returns the slot where the probe ended, which
// is free when the group is missing.
std::size_t Probe(const ParsedOptions& parsed, std::string_view text, std::uint64_t hash,
                  std::string_view section, std::string_view key) {
    const std::size_t mask = parsed.slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::size_t stored = parsed.slots[slot];
        if (stored == 0) return slot;
        const std::size_t group = stored - 1;
        if (parsed.groupHash[group] != hash) continue;
        const Entry& known = parsed.entries[parsed.groupLast[group]];
        if (SameComposite(known.section.in(text), known.key.in(text), section, key)) return slot;
    }
}

}  // namespace

std::size_t LastCharacterSize(std::string_view s) {
    for (std::size_t n = 2; n <= 4 && n <= s.size(); ++n) {
        if (WellFormedLength(s.substr(s.size() - n)) == n) return n;
    }
    return s.empty() ? 0 : 1;
}

ParsedOptions ParseOptionText(std::string_view text) {
    ParsedOptions parsed;
    std::size_t lineCount = 1;
    for (std::size_t at = text.find(kLineBreak); at != std::string_view::npos;
         at = text.find(kLineBreak, at + kLineBreak.size())) {
        ++lineCount;
    }
    parsed.lines.reserve(lineCount);
    parsed.entries.reserve(lineCount);
    parsed.slots.assign(TableSize(lineCount), 0);

    Span section;  // before the first header: the empty section
    std::size_t begin = 0;
    for (;;) {
        std::size_t end = text.find(kLineBreak, begin);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(begin, end - begin);
        const std::size_t start = begin + LeadingSpaces(line);  // where the classified copy begins
        const std::string_view body = text.substr(start, end - start);

        Line parsedLine{Span{begin, line.size()}, LineKind::Key, 0};
        if (body.empty()) {
            parsedLine.kind = LineKind::Blank;
        } else if (body.front() == ';') {
            parsedLine.kind = LineKind::Comment;
        } else if (body.front() == '[') {
            parsedLine.kind = LineKind::Header;
            // Without the first and the last character, whatever it is. "[" alone has no last
            // character apart from the first one; it opens the empty section.
            const std::size_t cut = body.size() == 1 ? 1 : 1 + LastCharacterSize(body);
            section = Span{start + 1, body.size() - cut};
        } else {
            // Split at the first "=". A line without one is a key with the empty value, so that a
            // setting written without its "=" can still be given a value; it is written back with
            // the "=".
            const std::size_t equals = body.find('=');
            Entry entry;
            entry.section = section;
            if (equals == std::string_view::npos) {
                entry.key = Span{start, body.size()};
                entry.value = Span{end, 0};
            } else {
                entry.key = Span{start, equals};
                entry.value = Span{start + equals + 1, body.size() - equals - 1};
            }
            const std::string_view sectionName = section.in(text);
            const std::string_view keyName = entry.key.in(text);
            const std::uint64_t hash = CompositeHash(sectionName, keyName);
            const std::size_t slot = Probe(parsed, text, hash, sectionName, keyName);
            const std::size_t index = parsed.entries.size();
            if (parsed.slots[slot] == 0) {
                parsed.slots[slot] = parsed.groupLast.size() + 1;
                parsed.groupLast.push_back(index);
                parsed.groupHash.push_back(hash);
            }
            entry.group = parsed.slots[slot] - 1;
            parsed.groupLast[entry.group] = index;  // the last duplicate wins
            parsedLine.entry = index;
            parsed.entries.push_back(entry);
        }
        parsed.lines.push_back(parsedLine);
        if (end == text.size()) break;
        begin = end + kLineBreak.size();
    }
    return parsed;
}

bool FindOption(const ParsedOptions& parsed, std::string_view text, std::string_view section,
                std::string_view key, std::size_t& entry) {
    const std::size_t slot = Probe(parsed, text, CompositeHash(section, key), section, key);
    if (parsed.slots[slot] == 0) return false;
    entry = parsed.groupLast[parsed.slots[slot] - 1];
    return true;
}

std::string RenderOptionText(std::string_view text, const ParsedOptions& parsed,
                             const std::vector<std::string>& values) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 16);
    // Lines at the head of the file replace each other while the output holds at most one
    // character. That drops leading blank lines, but it must never drop a line with content
    // (a lone ";" or "["), so once such a line is in, every later line is appended.
    bool holdsContent = false;
    for (const Line& line : parsed.lines) {
        // Until a line with content arrives the output holds only spaces, so its byte count is
        // its character count.
        if (out.size() > 1 || holdsContent) {
            out += kLineBreak;
        } else {
            out.clear();
        }
        if (line.kind == LineKind::Key) {
            const Entry& entry = parsed.entries[line.entry];
            out += entry.key.in(text);
            out += '=';
            out += values[parsed.groupLast[entry.group]];
        } else {
            out += line.text.in(text);
        }
        holdsContent = holdsContent || line.kind != LineKind::Blank;
    }
    return out;
}

}  // namespace corvel::options
