#pragma once
// The option file's syntax as pure functions. ForEachLine classifies every line; ParseOptionText
// builds the lookup index from it and notes where each key line stands, and RenderOptionText
// writes the text back with every key line as key "=" its current value. Both rest on the one
// classifier, so a written file reads back the same.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "byte_sink.h"

namespace corvel::options {

enum class LineKind : std::uint8_t { Blank, Comment, Header, Key };

// One line of the file as loading sees it. All views point into the parsed text.
struct LineInfo {
    std::string_view line;     // the whole line, leading spaces kept
    LineKind kind;             //
    std::string_view section;  // the current section after this line
    std::string_view key;      // key lines: before the first "=", or the whole line without one
    std::string_view value;    // key lines: after the first "=", empty without one
};

// Classifies one line (no line break inside) and moves `section` on at a header.
LineInfo ClassifyLine(std::string_view line, std::string_view& section);

// The line break of a file: CR LF as soon as one CR LF pair occurs, so that such a file keeps
// lone CRs and LFs inside its lines; LF for a file written by a Unix editor, which holds LFs
// but no pair. A file with neither is one line either way.
std::string_view LineBreakOf(std::string_view text);

// Calls visit(const LineInfo&) for every line of `text`, in order. Lines end at the text's
// LineBreakOf.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
    const std::string_view lineBreak = LineBreakOf(text);
    std::string_view section;  // before the first header: the empty section
    std::size_t begin = 0;
    for (;;) {
        std::size_t end = text.find(lineBreak, begin);
        if (end == std::string_view::npos) end = text.size();
        visit(ClassifyLine(text.substr(begin, end - begin), section));
        if (end == text.size()) return;
        begin = end + lineBreak.size();
    }
}

// A piece of the parsed text by position, so that parsed data stays valid when it is copied.
// Option texts are limited to 4 GiB.
struct Span {
    std::uint32_t begin = 0;
    std::uint32_t size = 0;
    std::string_view in(std::string_view text) const { return text.substr(begin, size); }
};

// One key line: where its key stands and where the line ends, so that a save can copy the text
// in between as it is. The value, if the line has an "=", is the rest of the line after it.
struct Entry {
    Span key;
    std::uint32_t lineEnd = 0;  // before its line break
    std::uint32_t group = 0;

    std::uint32_t keyEnd() const { return key.begin + key.size; }
    // Empty for a key line without "=", whose key runs to the end of the line.
    Span value() const {
        return keyEnd() < lineEnd ? Span{keyEnd() + 1, lineEnd - keyEnd() - 1} : Span{};
    }
};

// All entries with one composite key "A_" + section + "_K_" + key. Only the last of them is ever
// read or changed, so the group keeps that entry and the section it stands in; the entry gives
// the key to compare and the value as read from the file.
struct Group {
    Span section;
    std::uint32_t lastEntry = 0;
    std::uint32_t setIndex = 0;  // 1-based into ParsedOptions::setValues once a value was set
};

struct ParsedOptions {
    std::vector<Entry> entries;          // in file order
    std::vector<Group> groups;           // in order of first appearance
    std::vector<std::string> setValues;  // values given by SetValue
    // Open addressing: (hash tag << 32) | (group + 1), 0 for a free bucket; a power of two in size.
    std::vector<std::uint64_t> buckets;
};

// Throws std::length_error for a text of 4 GiB or more.
ParsedOptions ParseOptionText(std::string_view text);

// The group that a lookup of (section, key) finds, compared exactly and with case. Different
// pairs can meet: ("a_K_b", "c") and ("a", "b_K_c") are one composite key.
std::optional<std::uint32_t> FindGroup(const ParsedOptions& parsed, std::string_view text,
                                       std::string_view section, std::string_view key);

std::string_view ValueOf(const ParsedOptions& parsed, std::string_view text, std::uint32_t group);
void SetValue(ParsedOptions& parsed, std::uint32_t group, std::string_view value);

// The file text for the lines of `text` as `parsed` found them, each key line written as
// key "=" its group's value. It goes to `sink` in pieces of up to about 64 KiB, or longer where
// a long stretch of `text` is copied as it is.
void RenderOptionText(std::string_view text, const ParsedOptions& parsed, const ByteSink& sink);

// The same text as one string.
std::string RenderOptionText(std::string_view text, const ParsedOptions& parsed);

// Number of bytes of the last character of a non-empty `s`: a well-formed UTF-8 sequence counts
// as one character, and so does every byte that is not part of one.
std::size_t LastCharacterSize(std::string_view s);

}  // namespace corvel::options
