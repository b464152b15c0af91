#include "writable_folder.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "utf8_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace corvel::settings {

void RequireWritableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        if (!error) error = std::make_error_code(std::errc::not_a_directory);
    } else {
#ifdef _WIN32
        if (::_waccess(folder.c_str(), 2) != 0)
            error = std::error_code(errno, std::generic_category());
#else
        if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            error = std::error_code(errno, std::system_category());
#endif
    }
    if (error) {
        throw Utf8FileError("cannot write in \"" + folder.string() + "\": " + error.message(),
                            error);
    }
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    try {
        RequireWritableFolder(folder);
        return true;
    } catch (const Utf8FileError&) {
        return false;
    }
}

}  // namespace corvel::settings
