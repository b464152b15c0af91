#include "embedded_picture.h"

#include <cctype>

namespace corvel::articles {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool equalsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != lower[i]) return false;
    }
    return true;
}

bool isDataAddress(std::string_view value) {
    std::size_t start = 0;
    while (start < value.size() && isSpace(value[start])) ++start;
    return equalsIgnoringCase(value.substr(start, 5), "data:");
}

}  // namespace

bool HoldsEmbeddedPicture(std::string_view html) {
    std::size_t i = 0;
    const std::size_t end = html.size();
    while (i < end) {
        if (html[i] != '<' || i + 1 >= end || !isLetter(html[i + 1])) {
            ++i;
            continue;
        }
        ++i;
        while (i < end && !isSpace(html[i]) && html[i] != '/' && html[i] != '>') ++i;
        // Attributes up to the tag's end.
        while (i < end && html[i] != '>') {
            if (isSpace(html[i]) || html[i] == '/') {
                ++i;
                continue;
            }
            const std::size_t nameStart = i;
            while (i < end && !isSpace(html[i]) && html[i] != '/' && html[i] != '>' &&
                   html[i] != '=')
                ++i;
            const std::string_view name = html.substr(nameStart, i - nameStart);
            while (i < end && isSpace(html[i])) ++i;
            if (i >= end || html[i] != '=') continue;
            ++i;
            while (i < end && isSpace(html[i])) ++i;
            std::size_t valueStart = i;
            if (i < end && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i++];
                valueStart = i;
                while (i < end && html[i] != quote) ++i;
            } else {
                while (i < end && !isSpace(html[i]) && html[i] != '>') ++i;
            }
            const std::string_view value = html.substr(valueStart, i - valueStart);
            if (i < end && (html[i] == '"' || html[i] == '\'')) ++i;
            if ((equalsIgnoringCase(name, "src") || equalsIgnoringCase(name, "srcset")) &&
                isDataAddress(value))
                return true;
        }
    }
    return false;
}

}  // namespace corvel::articles
