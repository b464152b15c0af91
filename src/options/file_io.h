#pragma once
// Whole-file reading and atomic replacement, one implementation per platform. Errors are thrown
// as Utf8FileError naming the path and the system's reason.

#include <filesystem>
#include <string>
#include <string_view>

#include "byte_sink.h"
#include "capped_file.h"

namespace corvel::options {

// The whole file, leaving out `dropPrefix` when the file starts with it.
// Each platform must refuse what ReadCappedFile refuses (see capped_file.h), with the same error
// codes, on the file it has opened: anything but a regular file, without blocking on a FIFO
// (POSIX opens with O_NONBLOCK), and more than `cap` bytes, counted while reading so that a file
// growing meanwhile is refused too. ReadCappedFile checks both by name beforehand on every
// platform; this is the check that no swap of the file in between can get past.
std::string ReadWholeFile(const std::filesystem::path& path, std::string_view dropPrefix,
                          std::uintmax_t cap = kMaxTextFileSize);

// Replaces the file with what `source` produces through a temporary file in the same folder,
// so that readers and a crash see either the old or the new content, never a mix. Anything the
// source throws leaves the old file as it was.
void ReplaceWholeFile(const std::filesystem::path& path, const ByteSource& source);

}  // namespace corvel::options
