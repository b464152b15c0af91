#include "utf8_path.h"

namespace corvel::options {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    // char8_t strings are always decoded as UTF-8; plain char ones are not on Windows.
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace corvel::options
