#pragma once
// Settings files as git or a Unix editor leaves them. Standard library only.

#include <string>

// The text with each CR LF turned into LF.
inline std::string WithLf(std::string text) {
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.erase(at, 1);
    return text;
}
