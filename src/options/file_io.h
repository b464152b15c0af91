#pragma once
// Whole-file reading and atomic replacement, one implementation per platform. Errors are thrown
// as Utf8FileError naming the path and the system's reason.

#include <filesystem>
#include <string>
#include <string_view>

namespace corvel::options {

// The whole file, leaving out `dropPrefix` when the file starts with it.
std::string ReadWholeFile(const std::filesystem::path& path, std::string_view dropPrefix);

// Replaces the file with `head` followed by `body` through a temporary file in the same folder,
// so that readers and a crash see either the old or the new content, never a mix.
void ReplaceWholeFile(const std::filesystem::path& path, std::string_view head,
                      std::string_view body);

}  // namespace corvel::options
