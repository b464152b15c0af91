#include "article_url.h"

#include <QBuffer>
#include <QDir>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "article_error.h"
#include "article_setup.h"
#include "image_type.h"
#include "store_path.h"

namespace {
const QByteArray kScheme = QByteArrayLiteral("corvel-article");
}

QUrl articleImageUrl(const std::string& id, const std::string& name) {
    return QUrl(QStringLiteral("%1://%2/%3")
                    .arg(QString::fromLatin1(kScheme), QString::fromStdString(id),
                         QString::fromStdString(name)));
}

ArticleImageAddress parseArticleImageUrl(const QUrl& url) {
    using corvel::articles::ArticleError;
    using corvel::articles::Refusal;
    if (!url.isValid() || url.scheme() != QLatin1String(kScheme) || url.hasQuery() ||
        url.hasFragment() || !url.userInfo().isEmpty() || url.port() != -1) {
        throw ArticleError(Refusal::BadName, "not a stored image address");
    }
    // The store checks both names before they become a path.
    ArticleImageAddress address{url.host().toStdString(), url.path().mid(1).toStdString()};
    if (!url.path().startsWith(QLatin1Char('/'))) {
        throw ArticleError(Refusal::BadName, "not a stored image address");
    }
    return address;
}

QByteArray storedImageMime(const std::string& name) {
    const auto type =
        corvel::articles::ImageTypeForExtension(std::string_view(name).substr(name.rfind('.') + 1));
    return type ? QByteArray(type->mime.data(), static_cast<qsizetype>(type->mime.size()))
                : QByteArrayLiteral("application/octet-stream");
}

void registerArticleScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local, like the page's own files; secure, so that no mixed-content rule blocks it.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

ArticleSchemeHandler::ArticleSchemeHandler(std::shared_ptr<corvel::articles::ArticleStore> store,
                                           QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), store_(std::move(store)) {}

void ArticleSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != QByteArrayLiteral("GET")) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    try {
        const ArticleImageAddress address = parseArticleImageUrl(job->requestUrl());
        const std::string bytes = store_->readImage(address.id, address.name);
        auto* buffer = new QBuffer(job);
        buffer->setData(bytes.data(), static_cast<qsizetype>(bytes.size()));
        job->reply(storedImageMime(address.name), buffer);
    } catch (const corvel::articles::ArticleError& error) {
        job->fail(error.refusal() == corvel::articles::Refusal::NotFound
                      ? QWebEngineUrlRequestJob::UrlNotFound
                      : QWebEngineUrlRequestJob::RequestDenied);
    } catch (const std::exception&) {
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
    }
}
