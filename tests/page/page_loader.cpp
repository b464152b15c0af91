#include "page_loader.h"

#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <QWebEngineSettings>
#include <functional>

void RemoteRequestRecorder::interceptRequest(QWebEngineUrlRequestInfo& info) {
    static const QStringList local{"file", "data", "blob", "qrc", "about"};
    const QUrl url = info.requestUrl();
    if (!local.contains(url.scheme())) remote << url.toString();
}

void RecordingPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                             const QString& message, int line,
                                             const QString& source) {
    if (level == ErrorMessageLevel)
        errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
}

PageLoader::PageLoader(const QString& storageFolder)
    : profile_(std::make_unique<QWebEngineProfile>(QStringLiteral("corvel-page-test"))) {
    profile_->setPersistentStoragePath(storageFolder);
    profile_->setCachePath(storageFolder + QStringLiteral("/cache"));
    profile_->setUrlRequestInterceptor(&recorder);
    page_ = std::make_unique<RecordingPage>(profile_.get());
    auto* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    view_ = std::make_unique<QWebEngineView>();
    view_->setPage(page_.get());
    view_->resize(1000, 700);
    view_->show();
}

PageLoader::~PageLoader() {
    view_.reset();
    page_.reset();  // the page must go before its profile
}

static bool waitLoaded(QWebEnginePage* page, const std::function<void()>& start) {
    QEventLoop loop;
    bool ok = false;
    auto connection = QObject::connect(page, &QWebEnginePage::loadFinished, &loop, [&](bool r) {
        ok = r;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    start();
    loop.exec();
    QObject::disconnect(connection);
    return ok;
}

bool PageLoader::load(const QString& indexHtml) {
    return waitLoaded(page_.get(), [&] { page_->load(QUrl::fromLocalFile(indexHtml)); });
}

bool PageLoader::reload() {
    return waitLoaded(page_.get(), [&] { page_->triggerAction(QWebEnginePage::Reload); });
}

QVariant PageLoader::eval(const QString& script) {
    QEventLoop loop;
    QVariant result;
    page_->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

bool PageLoader::waitReady(int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (eval(QStringLiteral("!!(window.corvelEditor && corvelEditor.ready)")).toBool())
            return true;
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return false;
}
