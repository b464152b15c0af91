#include "local_file_guard.h"

#include "capped_file.h"
#include "capped_file_qt.h"

bool PageMayReadLocalFile(const QString& path) { return !CappedFileRefusal(path, kMaxTextFileSize); }

void LocalFileGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() && !PageMayReadLocalFile(url.toLocalFile())) info.block(true);
}
