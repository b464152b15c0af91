#include "article_setup.h"

#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include "article_host.h"
#include "article_url.h"

void setUpArticleStorage(QWebEngineProfile& profile) {
    profile.installUrlSchemeHandler(QByteArrayLiteral("corvel-article"),
                                    new ArticleSchemeHandler(articlesRoot(), &profile));
    try {
        corvel::articles::ArticleStore(articlesRoot().toStdString()).purgeRecycle();
    } catch (const std::exception& error) {
        // Old drafts stay for the next start; nothing the user needs to act on.
        qWarning("recycle purge failed: %s", error.what());
    }
}

void attachArticleHost(QWebEnginePage& page, QWidget* dialogParent) {
    auto* channel = new QWebChannel(&page);
    channel->registerObject(
        QStringLiteral("corvelHost"),
        new ArticleHost(articlesRoot(), makeDialogFileChooser(), dialogParent, channel));
    page.setWebChannel(channel);
}
