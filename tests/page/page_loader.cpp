#include "page_loader.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineSettings>
#include <functional>
#include <optional>

// Runs the event loop until done() holds, checking every few milliseconds; never sleeps,
// as the browser does its work on this thread.
static bool waitFor(const std::function<bool()>& done, int timeoutMs, int everyMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QEventLoop loop;
        QTimer::singleShot(everyMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void RemoteRequestRecorder::interceptRequest(QWebEngineUrlRequestInfo& info) {
    static const QStringList local{"file", "data", "blob", "qrc", "about"};
    if (!local.contains(info.requestUrl().scheme())) remote << info.requestUrl().toString();
}

void RecordingPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                             const QString& message, int line,
                                             const QString& source) {
    if (level == ErrorMessageLevel)
        errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
}

PageLoader::PageLoader(const QString& storageFolder) {
    profile.setPersistentStoragePath(storageFolder);
    profile.setCachePath(storageFolder + QStringLiteral("/cache"));
    profile.setUrlRequestInterceptor(&recorder);
    page = std::make_unique<RecordingPage>(&profile);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    view.setPage(page.get());
    view.resize(1000, 700);
    view.show();
}

bool PageLoader::open(const QString& indexHtml) {
    QSignalSpy loaded(page.get(), &QWebEnginePage::loadFinished);
    if (indexHtml.isEmpty())
        page->triggerAction(QWebEnginePage::Reload);
    else
        page->load(QUrl::fromLocalFile(indexHtml));
    return loaded.wait(30000) && loaded.first().first().toBool() &&
           waitFor(
               [this] { return eval("!!(window.corvelEditor && corvelEditor.ready)").toBool(); },
               20000, 100);
}

QVariant PageLoader::eval(const QString& script) {
    // Shared with the callback, which may come after a timeout.
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant& v) { *result = v; });
    waitFor([&] { return result->has_value(); }, 10000, 5);
    return result->value_or(QVariant());
}

QString PageLoader::jsString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1).chopped(1));
}
