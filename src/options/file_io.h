#pragma once
// Whole-file reading and atomic replacement, one implementation per platform. Errors are thrown
// as Utf8FileError naming the path and the system's reason.

#include <filesystem>
#include <string>
#include <string_view>

#include "byte_sink.h"

namespace corvel::options {

// The whole file, leaving out `dropPrefix` when the file starts with it.
std::string ReadWholeFile(const std::filesystem::path& path, std::string_view dropPrefix);

// Replaces the file with what `source` produces through a temporary file in the same folder,
// so that readers and a crash see either the old or the new content, never a mix. Anything the
// source throws leaves the old file as it was.
void ReplaceWholeFile(const std::filesystem::path& path, const ByteSource& source);

}  // namespace corvel::options
