#include "article_setup.h"

#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include "article_host.h"
#include "article_url.h"
#include "store_path.h"

namespace {
constexpr int kPurgeDelayMs = 10000;
}

std::shared_ptr<corvel::articles::ArticleStore> setUpArticleStorage(QWebEngineProfile& profile) {
    auto store = std::make_shared<corvel::articles::ArticleStore>(ToStorePath(articlesRoot()));
    profile.installUrlSchemeHandler(QByteArrayLiteral("corvel-article"),
                                    new ArticleSchemeHandler(store, &profile));
    // Later, not before the first paint: with many drafts it reads the whole index.
    QTimer::singleShot(kPurgeDelayMs, &profile, [weak = std::weak_ptr(store)] {
        const auto kept = weak.lock();
        if (!kept) return;
        try {
            kept->purgeRecycle();
        } catch (const std::exception& error) {
            // Old drafts stay for the next start; nothing the user needs to act on.
            qWarning("recycle purge failed: %s", error.what());
        }
    });
    return store;
}

void attachArticleHost(QWebEnginePage& page, std::shared_ptr<corvel::articles::ArticleStore> store,
                       QWidget* dialogParent, std::unique_ptr<PagePrinter> printer) {
    auto* channel = new QWebChannel(&page);
    auto* host = new ArticleHost(std::move(store), makeDialogFileChooser(), dialogParent, channel);
    host->setPrinter(std::move(printer));
    channel->registerObject(QStringLiteral("corvelHost"), host);
    page.setWebChannel(channel);
}
