#include "option_format.h"

#include "utf8_text.h"

namespace corvel::options {
namespace {

// Gathers small pieces of output and hands them on a chunk at a time, so that a large file is
// written with few system calls and never held whole. A long piece is handed on as it is.
class ChunkedOutput {
public:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    explicit ChunkedOutput(const ByteSink& sink) : sink_(sink) { buffer_.reserve(kChunkSize); }

    void append(std::string_view piece) {
        if (buffer_.size() + piece.size() > kChunkSize) {
            flush();
            if (piece.size() >= kChunkSize) {
                sink_(piece);
                return;
            }
        }
        buffer_ += piece;
    }

    void flush() {
        if (!buffer_.empty()) sink_(buffer_);
        buffer_.clear();
    }

private:
    const ByteSink& sink_;
    std::string buffer_;
};

}  // namespace

std::size_t LastCharacterSize(std::string_view s) {
    for (std::size_t n = 2; n <= 4 && n <= s.size(); ++n) {
        if (WellFormedUtf8Length(s.substr(s.size() - n)) == n) return n;
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

void RenderOptionText(std::string_view text, const ParsedOptions& parsed, const ByteSink& sink) {
    // Lines at the head of the file replace each other while the output holds at most one
    // character. That drops leading blank lines of at most one space; a longer blank line, or
    // any line with content (a lone ";" or "["), stays, and every later line is appended.
    std::size_t copyFrom = 0;  // where the first line that stays begins
    for (;;) {
        const std::size_t end = text.find("\r\n", copyFrom);
        if (end == std::string_view::npos || end - copyFrom > 1 ||
            (end > copyFrom && text[copyFrom] != ' ')) {
            break;
        }
        copyFrom = end + 2;
    }
    // The rest of the text is written as it is, except that key lines lose their leading spaces
    // and carry their group's value.
    ChunkedOutput out(sink);
    for (std::uint32_t i = 0; i < parsed.entries.size(); ++i) {
        const Entry& entry = parsed.entries[i];
        std::size_t lineBegin = entry.key.begin;
        while (lineBegin > copyFrom && text[lineBegin - 1] == ' ') --lineBegin;
        // A line that reads key "=" its current value already (the group's value was read from
        // this very line) is copied with the text around it.
        const Group& group = parsed.groups[entry.group];
        const bool current =
            group.setIndex == 0 && group.lastEntry == i && entry.keyEnd() < entry.lineEnd;
        if (current && lineBegin == entry.key.begin) continue;
        out.append(text.substr(copyFrom, lineBegin - copyFrom));
        if (current) {
            copyFrom = entry.key.begin;
        } else {
            out.append(entry.key.in(text));
            out.append("=");
            out.append(ValueOf(parsed, text, entry.group));
            copyFrom = entry.lineEnd;
        }
    }
    out.append(text.substr(copyFrom));
    out.flush();
}

std::string RenderOptionText(std::string_view text, const ParsedOptions& parsed) {
    std::string out;
    RenderOptionText(text, parsed, [&out](std::string_view piece) { out += piece; });
    return out;
}

}  // namespace corvel::options
