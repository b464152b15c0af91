#include "local_file_guard.h"

#include <filesystem>
#include <system_error>

#include "store_path.h"
#include "utf8_file.h"
#include "utf8_path.h"

bool PageMayReadLocalFile(const QString& path) {
    const std::filesystem::path file = corvel::options::PathFromUtf8(ToStorePath(path));
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (ec || !std::filesystem::exists(status)) return true;
    if (!std::filesystem::is_regular_file(status)) return false;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    return ec || size <= kMaxTextFileSize;
}

void LocalFileGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() && !PageMayReadLocalFile(url.toLocalFile())) info.block(true);
}
