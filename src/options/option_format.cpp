#include "option_format.h"

namespace corvel::options {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when there is none.
std::size_t WellFormedLength(std::string_view s) {
    auto inRange = [&](std::size_t i, unsigned lo, unsigned hi) {
        const unsigned byte = static_cast<unsigned char>(s[i]);
        return byte >= lo && byte <= hi;
    };
    if (s.empty()) return 0;
    const unsigned lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) return 1;
    // Bounds of the second byte rule out overlong forms, surrogates and values past U+10FFFF.
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
    if (s.size() < length || !inRange(1, lo, hi)) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!inRange(i, 0x80, 0xBF)) return 0;
    }
    return length;
}

}  // namespace

std::size_t LastCharacterSize(std::string_view s) {
    for (std::size_t n = 2; n <= 4 && n <= s.size(); ++n) {
        if (WellFormedLength(s.substr(s.size() - n)) == n) return n;
    }
    return s.empty() ? 0 : 1;
}

LineInfo ClassifyLine(std::string_view line, std::string_view& section) {
    LineInfo info{line, LineKind::Key, section, {}, {}};
    // Only spaces (character 32) lead a line; tabs and ideographic spaces are text.
    const std::size_t spaces = line.find_first_not_of(' ');
    const std::string_view body =
        spaces == std::string_view::npos ? std::string_view() : line.substr(spaces);
    if (body.empty()) {
        info.kind = LineKind::Blank;
    } else if (body.front() == ';') {
        info.kind = LineKind::Comment;
    } else if (body.front() == '[') {
        info.kind = LineKind::Header;
        // The name is the line without its first and its last character, whatever that is.
        // "[" alone has no last character apart from the first; it opens the empty section.
        const std::size_t cut = body.size() == 1 ? 1 : 1 + LastCharacterSize(body);
        section = info.section = body.substr(1, body.size() - cut);
    } else {
        // A line without "=" is a key with the empty value, so that a setting written without its
        // "=" can still be given a value; the writer adds the "=".
        const std::size_t equals = body.find('=');
        info.key = body.substr(0, equals);
        if (equals != std::string_view::npos) info.value = body.substr(equals + 1);
    }
    return info;
}

std::string RenderOptionText(std::string_view text, const ParsedOptions& parsed) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 16);
    auto appendEntry = [&](const Entry& entry) {
        out += entry.key.in(text);
        out += '=';
        out += ValueOf(parsed, text, entry.group);
    };
    // Lines at the head of the file replace each other while the output holds at most one
    // character. That drops leading blank lines, but it must never drop a line with content
    // (a lone ";" or "["), so once such a line is in, every later line is appended. Until then
    // the output holds only spaces, so its byte count is its character count.
    std::size_t entry = 0;
    std::size_t copyFrom = 0;
    std::string_view section;  // unused: headers are written as they are
    for (std::size_t begin = 0;;) {
        std::size_t end = text.find("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        const LineInfo line = ClassifyLine(text.substr(begin, end - begin), section);
        out.clear();
        if (line.kind == LineKind::Key) {
            appendEntry(parsed.entries[entry++]);
        } else {
            out += line.line;
        }
        if (end == text.size()) return out;
        if (out.size() > 1 || line.kind != LineKind::Blank) {
            copyFrom = end;
            break;
        }
        begin = end + 2;
    }
    // Every later line is appended after a CR LF: that is the rest of the text as it is, except
    // that key lines lose their leading spaces and carry their group's value.
    for (; entry < parsed.entries.size(); ++entry) {
        const Entry& e = parsed.entries[entry];
        std::size_t lineBegin = e.key.begin;
        while (lineBegin > copyFrom && text[lineBegin - 1] == ' ') --lineBegin;
        // A line that reads key "=" its current value already (the group's value is this very
        // line's) is copied with the text around it.
        const std::size_t valueBegin = e.key.begin + e.key.size + 1;
        const std::string_view value = ValueOf(parsed, text, e.group);
        const bool current = valueBegin <= e.lineEnd && value.data() == text.data() + valueBegin &&
                             value.size() == e.lineEnd - valueBegin;
        if (current && lineBegin == e.key.begin) continue;
        out += text.substr(copyFrom, lineBegin - copyFrom);
        if (current) {
            copyFrom = e.key.begin;
        } else {
            appendEntry(e);
            copyFrom = e.lineEnd;
        }
    }
    out += text.substr(copyFrom);
    return out;
}

}  // namespace corvel::options
