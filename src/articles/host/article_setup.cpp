#include "article_setup.h"

#include <QFile>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

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

    // The channel's client library goes into each document as it is made. Asked for by the page
    // instead, it is served from Qt's resources on this thread, which is busy starting the
    // program, and the page's own scripts wait behind it.
    QFile client(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!client.open(QIODevice::ReadOnly)) {
        qWarning("qwebchannel.js is missing from Qt's resources: the page runs without the article store");
        return;
    }
    QWebEngineScript script;
    script.setName(QStringLiteral("qwebchannel"));
    script.setSourceCode(QString::fromUtf8(client.readAll()));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    page.scripts().insert(script);
}
