#pragma once
// SHA-256, for naming stored images by their content.

#include <string>
#include <string_view>

namespace corvel::articles {

// The digest of `bytes` as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace corvel::articles
