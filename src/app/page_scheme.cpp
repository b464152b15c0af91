#include "page_scheme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "app_context.h"
#include "store_path.h"

namespace {
const QString kHost = QStringLiteral("editor");

// The page's own files never come from the settings folder.
bool isPageFile(const QString& path) {
    return path.startsWith(QLatin1String("editor/")) || path.endsWith(QLatin1String(".html"));
}

QByteArray mimeTypeOf(const QString& path) {
    struct Type {
        const char* suffix;
        const char* mime;
    };
    static constexpr Type kTypes[] = {
        {".html", "text/html"},    {".js", "text/javascript"},    {".css", "text/css"},
        {".svg", "image/svg+xml"}, {".png", "image/png"},         {".jpg", "image/jpeg"},
        {".woff2", "font/woff2"},  {".json", "application/json"},
    };
    for (const Type& type : kTypes) {
        if (path.endsWith(QLatin1String(type.suffix), Qt::CaseInsensitive)) return type.mime;
    }
    // web.ini, the rule files and anything else: text the page decodes itself.
    return "text/plain";
}
}  // namespace

void registerPageScheme() {
    QWebEngineUrlScheme scheme(kPageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local and secure like file://, and readable by the page's own requests.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

std::optional<QString> pageSchemeFile(const QUrl& url, const QString& programFolder,
                                      const QString& settingsFolder) {
    if (url.scheme() != QLatin1String(kPageScheme) || url.host() != kHost) return std::nullopt;
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.startsWith(QLatin1Char('/'))) return std::nullopt;
    path.remove(0, 1);
    // Plain relative paths only: no way up and out of the folders, no empty or "." steps.
    const QStringList steps = path.split(QLatin1Char('/'));
    for (const QString& step : steps) {
        if (step.isEmpty() || step == QLatin1String(".") || step == QLatin1String("..") ||
            step.contains(QLatin1Char('\\')) || step.contains(QChar(0))) {
            return std::nullopt;
        }
    }
    QStringList folders{programFolder};
    if (!isPageFile(path)) folders.prepend(settingsFolder);
    for (const QString& folder : folders) {
        const QString file = QDir(folder).filePath(path);
        if (QFileInfo(file).isFile()) return file;
    }
    return std::nullopt;
}

QUrl editorPageUrl(const AppContext& context) {
    if (context.SettingsFolder == context.AppFolder) {
        return QUrl::fromLocalFile(
            QDir(FromStorePath(context.AppFolder)).filePath(QStringLiteral("index.html")));
    }
    QUrl url;
    url.setScheme(QLatin1String(kPageScheme));
    url.setHost(kHost);
    url.setPath(QStringLiteral("/index.html"));
    return url;
}

PageSchemeHandler::PageSchemeHandler(QString programFolder, QString settingsFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      programFolder_(std::move(programFolder)),
      settingsFolder_(std::move(settingsFolder)) {}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const std::optional<QString> path =
        pageSchemeFile(job->requestUrl(), programFolder_, settingsFolder_);
    if (!path) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* file = new QFile(*path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
        return;
    }
    job->reply(mimeTypeOf(*path), file);
}

void installPageScheme(QWebEngineProfile& profile, const AppContext& context) {
    auto* handler = new PageSchemeHandler(FromStorePath(context.AppFolder),
                                          FromStorePath(context.SettingsFolder), &profile);
    profile.installUrlSchemeHandler(kPageScheme, handler);
}
