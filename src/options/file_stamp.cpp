#include "file_stamp.h"

#include <system_error>

namespace corvel::options {

// Windows has its own, in file_io_win32.cpp.
#ifndef _WIN32
FileStamp StampOf(const std::filesystem::path& path) {
    std::error_code ec;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(path, ec);
    if (ec) return {};
    stamp.modified = std::filesystem::last_write_time(path, ec);
    if (ec) return {};
    stamp.exists = true;
    return stamp;
}
#endif

}  // namespace corvel::options
