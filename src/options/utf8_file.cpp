#include "utf8_file.h"

#include <algorithm>
#include <system_error>

#include "file_io.h"

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void Refuse(const std::filesystem::path& path, std::string_view why, std::errc code) {
    throw Utf8FileError(
        "cannot read \"" + corvel::options::Utf8FromPath(path) + "\": " + std::string(why),
        std::make_error_code(code));
}

// Refuses by name what must never be opened: opening a FIFO blocks until a writer comes.
void CheckReadable(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    // A missing file, or one that cannot be looked at, is reported by the read itself.
    if (ec || !std::filesystem::exists(status)) return;
    if (std::filesystem::is_directory(status)) {
        Refuse(path, "a folder, not a file", std::errc::is_a_directory);
    }
    if (!std::filesystem::is_regular_file(status)) {
        Refuse(path, "not a regular file (a pipe, device or socket)", std::errc::not_supported);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxTextFileSize) {
        Refuse(path, "larger than the limit of 64 MiB", std::errc::value_too_large);
    }
}
}  // namespace

std::string ReadUtf8File(const corvel::options::Utf8Path& path) {
    CheckReadable(path);
    // Bytes stay as they are, malformed UTF-8 included; only one leading mark is dropped.
    return corvel::options::ReadWholeFile(path, kByteOrderMark);
}

void WriteUtf8File(const corvel::options::Utf8Path& path, std::string_view text) {
    corvel::options::WriteUtf8File(path,
                                   [text](const corvel::options::ByteSink& sink) { sink(text); });
}

void corvel::options::WriteUtf8File(const Utf8Path& path, const ByteSource& writeText) {
    // Outside readers (the editor page) expect the mark that this file format has always had.
    ReplaceWholeFile(path, [&writeText](const ByteSink& sink) {
        sink(kByteOrderMark);
        writeText(sink);
    });
}

std::string StripLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(result),
                 [](char c) { return c != '\n' && c != '\r'; });
    return result;
}
