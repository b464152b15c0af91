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

std::optional<QString> pageSchemeFile(const QUrl& url, const PageFiles& files) {
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
    return files.find(path);
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

PageSchemeHandler::PageSchemeHandler(std::shared_ptr<const PageFiles> files, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), files_(std::move(files)) {}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const std::optional<QString> path =
        pageSchemeFile(job->requestUrl(), *files_);
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
    const Class_Option* options = context.OptionStore.get();
    auto files = std::make_shared<const PageFiles>(
        FromStorePath(context.AppFolder), FromStorePath(context.SettingsFolder),
        [options] { return SettingsFileNames(*options); });
    profile.installUrlSchemeHandler(kPageScheme, new PageSchemeHandler(files, &profile));
    profile.setUrlRequestInterceptor(new LocalFileGuard(files, &profile));
}
