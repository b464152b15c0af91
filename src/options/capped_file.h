#pragma once
// The one reader of files that must be regular and not too large: settings and rule files,
// article images and the files the user opens all come through here, and so does the editor
// page's check before it reads a local file itself. Refusals are Utf8FileError (utf8_file.h)
// with a portable code that callers word for the user.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

// The largest settings or rule file that is read: such a file is a few kilobytes, and a link
// to a device that never ends must not fill the memory.
inline constexpr std::uintmax_t kMaxTextFileSize = std::uintmax_t{64} << 20;

namespace corvel::options {

// Why `path` must not be read: std::errc::is_a_directory for a folder, not_supported for
// anything else that is not a regular file (a FIFO would block, a device never ends),
// value_too_large for a file larger than `cap`. Empty when it may be read, and for a name that
// cannot be looked at or does not exist: the read itself reports those. Links are followed.
std::error_code CappedFileRefusal(const std::filesystem::path& path, std::uintmax_t cap);

// The whole file, without `dropPrefix` when it starts with it. Throws Utf8FileError: with the
// codes above, checked by name first and again on the opened file (so that no swap in between
// gets past, and a file growing past the cap while it is read is refused too), or with the
// system's error.
std::string ReadCappedFile(const std::filesystem::path& path, std::uintmax_t cap,
                           std::string_view dropPrefix = {});

// "64 MiB", or the cap in bytes when it is no whole number of MiB: for messages.
std::string CapText(std::uintmax_t cap);

}  // namespace corvel::options
