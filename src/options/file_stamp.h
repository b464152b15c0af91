#pragma once
// What a file looked like on disk, to notice that another program wrote it in the meantime.

#include <cstdint>
#include <filesystem>

namespace corvel::options {

struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file a path names, links followed; a file that cannot be looked at has the
// stamp of a missing one.
FileStamp StampOf(const std::filesystem::path& path);

}  // namespace corvel::options
