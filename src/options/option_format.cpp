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

// Appends a value to an LF file, leaving out each run of CRs that would stand before an LF: one
// CR LF pair would make the whole file read as CR LF lines, that is as one line.
// `lineBreakFollows` tells whether the file's LF comes after the value.
void AppendWithoutCrLf(ChunkedOutput& out, std::string_view value, bool lineBreakFollows) {
    if (value.find('\r') == std::string_view::npos) return out.append(value);
    std::string kept;
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t run = value[i] == '\r' ? value.find_first_not_of('\r', i) : i;
        if (run == i) {
            kept += value[i++];
            continue;
        }
        const bool beforeLf = run == std::string_view::npos ? lineBreakFollows : value[run] == '\n';
        const std::size_t end = run == std::string_view::npos ? value.size() : run;
        if (!beforeLf) kept.append(value.substr(i, end - i));
        i = end;
    }
    out.append(kept);
}

}  // namespace

std::size_t LastCharacterSize(std::string_view s) {
    for (std::size_t n = 2; n <= 4 && n <= s.size(); ++n) {
        if (WellFormedUtf8Length(s.substr(s.size() - n)) == n) return n;
    }
    return s.empty() ? 0 : 1;
}

std::string_view LineBreakOf(std::string_view text) {
    if (text.find("\r\n") != std::string_view::npos) return "\r\n";
    return text.find('\n') != std::string_view::npos ? "\n" : "\r\n";
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

namespace {

// Writes the text from `copyFrom` on as it is, except that key lines lose their leading spaces
// and carry their group's value.
void RenderLinesFrom(std::string_view text, const ParsedOptions& parsed, std::size_t copyFrom,
                     bool lf, const ByteSink& sink) {
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
            const std::string_view value = ValueOf(parsed, text, entry.group);
            if (lf) {
                AppendWithoutCrLf(out, value, entry.lineEnd < text.size());
            } else {
                out.append(value);
            }
            copyFrom = entry.lineEnd;
        }
    }
    out.append(text.substr(copyFrom));
    out.flush();
}

}  // namespace

void RenderOptionText(std::string_view text, const ParsedOptions& parsed, const ByteSink& sink) {
    // Lines at the head of the file replace each other while the output holds at most one
    // character. That drops leading blank lines of at most one space; a longer blank line, or
    // any line with content (a lone ";" or "["), stays, and every later line is appended.
    const std::string_view lineBreak = LineBreakOf(text);
    std::size_t copyFrom = 0;  // where the first line that stays begins
    std::size_t lastDropped = 0;
    for (;;) {
        const std::size_t end = text.find(lineBreak, copyFrom);
        if (end == std::string_view::npos || end - copyFrom > 1 ||
            (end > copyFrom && text[copyFrom] != ' ')) {
            break;
        }
        lastDropped = copyFrom;
        copyFrom = end + lineBreak.size();
    }
    const bool lf = lineBreak == "\n";
    if (lf || copyFrom == 0 || text.find("\r\n", copyFrom) != std::string_view::npos) {
        RenderLinesFrom(text, parsed, copyFrom, lf, sink);
        return;
    }
    // Every CR LF pair stood at the head, so one line is left. If it is written with an LF in
    // it, the last blank line stays, or the file would read as LF lines.
    std::string last;
    RenderLinesFrom(text, parsed, copyFrom, false,
                    [&last](std::string_view piece) { last += piece; });
    if (last.find('\n') != std::string::npos && last.find("\r\n") == std::string::npos) {
        sink(text.substr(lastDropped, copyFrom - lastDropped));
    }
    if (!last.empty()) sink(last);
}

std::string RenderOptionText(std::string_view text, const ParsedOptions& parsed) {
    std::string out;
    RenderOptionText(text, parsed, [&out](std::string_view piece) { out += piece; });
    return out;
}

}  // namespace corvel::options
