#pragma once
// Stored images reach the page as corvel-article://<id>/<name>, served from the article's
// folder by a scheme handler on the editor's browser profile.

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <memory>
#include <string>

#include "article_store.h"

class QWebEngineProfile;

struct ArticleImageAddress {
    std::string id;
    std::string name;
};

QUrl articleImageUrl(const std::string& id, const std::string& name);
// Throws ArticleError for anything but an address the host gives out.
ArticleImageAddress parseArticleImageUrl(const QUrl& url);

// The type of a stored image, from its name's extension.
QByteArray storedImageMime(const std::string& name);

class ArticleSchemeHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    ArticleSchemeHandler(std::shared_ptr<corvel::articles::ArticleStore> store, QObject* parent);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    std::shared_ptr<corvel::articles::ArticleStore> store_;
};
