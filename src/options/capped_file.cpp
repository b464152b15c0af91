#include "capped_file.h"

#include "file_io.h"
#include "utf8_file.h"

namespace corvel::options {

std::error_code CappedFileRefusal(const std::filesystem::path& path, std::uintmax_t cap) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return {};
    if (std::filesystem::is_directory(status)) return make_error_code(std::errc::is_a_directory);
    if (!std::filesystem::is_regular_file(status)) {
        return make_error_code(std::errc::not_supported);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > cap) return make_error_code(std::errc::value_too_large);
    return {};
}

std::string ReadCappedFile(const std::filesystem::path& path, std::uintmax_t cap,
                           std::string_view dropPrefix) {
    // Refused by name first: opening a FIFO blocks until a writer comes.
    if (const std::error_code refusal = CappedFileRefusal(path, cap)) {
        const std::string why = refusal == std::errc::is_a_directory ? "a folder, not a file"
                                : refusal == std::errc::not_supported
                                    ? "not a regular file (a pipe, device or socket)"
                                    : "larger than the limit of " + CapText(cap);
        throw Utf8FileError("cannot read \"" + Utf8FromPath(path) + "\": " + why, refusal);
    }
    return ReadWholeFile(path, dropPrefix, cap);
}

std::string CapText(std::uintmax_t cap) {
    constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
    return cap % kMiB == 0 ? std::to_string(cap / kMiB) + " MiB" : std::to_string(cap) + " bytes";
}

}  // namespace corvel::options
