#pragma once
// Whole-file UTF-8 text I/O. Text is UTF-8 bytes in std::string and stays byte-exact; a file name
// given as a string is UTF-8 too (see utf8_path.h).

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "byte_sink.h"
#include "capped_file.h"
#include "utf8_path.h"

// Raised when a file cannot be read or written. what() names the path and the system's reason;
// code() is the system's error, when there is one, so that callers can word it for the user.
class Utf8FileError : public std::runtime_error {
public:
    explicit Utf8FileError(const std::string& message, std::error_code code = {})
        : std::runtime_error(message), code_(code) {}
    std::error_code code() const noexcept { return code_; }

private:
    std::error_code code_;
};

// Returns the whole file, without one leading UTF-8 byte-order mark. Throws Utf8FileError, also
// for anything but a regular file and for a file larger than kMaxTextFileSize, with the codes of
// ReadCappedFile (capped_file.h).
std::string ReadUtf8File(const corvel::options::Utf8Path& path);

// Replaces the file atomically with a byte-order mark followed by `text`. Throws Utf8FileError
// and leaves the old file untouched on any failure.
void WriteUtf8File(const corvel::options::Utf8Path& path, std::string_view text);

// `text` with every LF and then every CR removed.
std::string StripLineBreaks(std::string_view text);

namespace corvel::options {

// As WriteUtf8File, for a text that `writeText` hands to its sink piece by piece.
void WriteUtf8File(const Utf8Path& path, const ByteSource& writeText);

}  // namespace corvel::options
