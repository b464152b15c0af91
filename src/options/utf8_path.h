#pragma once
// File names at the store's API. A name given as a string is UTF-8 on every platform: on Windows
// a std::string would otherwise become a path through the ANSI code page, and a folder such as
// C:\Users\张三 could not be named at all.

#include <filesystem>
#include <string>
#include <string_view>

namespace corvel::options {

// The path that UTF-8 bytes name. On POSIX the bytes are the name as they are.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// The path as UTF-8, for messages and for names made from it.
std::string Utf8FromPath(const std::filesystem::path& path);

// A file name handed to the store: a std::filesystem::path as it is, or a UTF-8 string.
class Utf8Path {
public:
    Utf8Path(const std::filesystem::path& path) : path_(path) {}
    Utf8Path(std::string_view utf8) : path_(PathFromUtf8(utf8)) {}
    Utf8Path(const std::string& utf8) : path_(PathFromUtf8(utf8)) {}
    Utf8Path(const char* utf8) : path_(PathFromUtf8(utf8)) {}

    const std::filesystem::path& path() const { return path_; }
    operator const std::filesystem::path&() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace corvel::options
