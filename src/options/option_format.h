#pragma once
// The option file's syntax as pure functions: ParseOptionText cuts a text into lines and entries,
// RenderOptionText writes the lines back with the current values. Class_Option puts file I/O on
// top. Both sides classify lines with the same code, so a written file parses to the same store.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::options {

// A piece of the parsed text, by position, so that a parsed file stays valid when it is copied.
struct Span {
    std::size_t begin = 0;
    std::size_t size = 0;
    std::string_view in(std::string_view text) const { return text.substr(begin, size); }
};

enum class LineKind : std::uint8_t { Blank, Comment, Header, Key };

struct Line {
    Span text;              // the whole line as read, leading spaces kept
    LineKind kind;          //
    std::size_t entry = 0;  // for key lines: the entry this line gave
};

struct Entry {
    Span section;           // the current section when the line was read
    Span key;               // before the first "=", or the whole line when it has none
    Span value;             // after the first "=", empty when the line has none
    std::size_t group = 0;  // entries with one composite key share a group
};

struct ParsedOptions {
    std::vector<Line> lines;
    std::vector<Entry> entries;
    // For each group, its last entry: the one that lookups read and change.
    std::vector<std::size_t> groupLast;
    // Open-addressing table of group numbers + 1 (0 marks a free slot), sized a power of two.
    std::vector<std::size_t> slots;
    std::vector<std::uint64_t> groupHash;
};

ParsedOptions ParseOptionText(std::string_view text);

// The entry that a lookup of (section, key) finds: the last one with the same composite key
// "A_" + section + "_K_" + key. Returns false when there is none.
bool FindOption(const ParsedOptions& parsed, std::string_view text, std::string_view section,
                std::string_view key, std::size_t& entry);

// The file text for the parsed lines, each key line written as key "=" the value of its
// group's last entry. `values` holds one value per entry.
std::string RenderOptionText(std::string_view text, const ParsedOptions& parsed,
                             const std::vector<std::string>& values);

// Number of bytes of the last character of a non-empty `s`: a well-formed UTF-8 sequence counts
// as one character, and so does every byte that is not part of one.
std::size_t LastCharacterSize(std::string_view s);

}  // namespace corvel::options
