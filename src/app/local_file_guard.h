#pragma once
// Keeps the editor page from reading local files that would hang it: the page reads web.ini and
// the rule files itself, and a FIFO or a device in a rule file's place would block its read for
// ever, leaving a bare text box. Such requests fail at once instead, and the page reports the
// file as unreadable, as it does a missing one.

#include <QWebEngineUrlRequestInterceptor>

class LocalFileGuard final : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// Whether a local file may be read by the page: a regular file of at most 64 MiB, or a name
// that does not exist (which fails on its own). Links are followed.
bool PageMayReadLocalFile(const QString& path);
