#include "utf8_file.h"

#include <algorithm>
#include <system_error>

#include "file_io.h"

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

std::string ReadUtf8File(const corvel::options::Utf8Path& path) {
    // Bytes stay as they are, malformed UTF-8 included; only one leading mark is dropped.
    return corvel::options::ReadCappedFile(path, kMaxTextFileSize, kByteOrderMark);
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
