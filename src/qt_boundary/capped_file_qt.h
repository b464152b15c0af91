#pragma once
// The options library's capped-file check (capped_file.h) for a file that Qt names.

#include <QString>
#include <cstdint>
#include <system_error>

// Why the file must not be read, or empty when it may be (or does not exist); see
// corvel::options::CappedFileRefusal.
std::error_code CappedFileRefusal(const QString& path, std::uintmax_t cap);

