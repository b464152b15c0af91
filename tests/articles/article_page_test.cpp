// The bridge inside a real web page: the page reaches corvelHost through the QWebChannel the
// program puts into it (the page loads no script of its own for that), and stored images load
// through the corvel-article: scheme, while addresses the host never gave out do not.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "article_host.h"
#include "article_setup.h"
#include "article_store.h"
#include "qt_test_files.h"
#include "view_printer.h"
#include "web_script.h"

namespace {

TEST(ArticlePage, PageReachesTheHostAndShowsOnlyStoredImages) {
    QWebEngineProfile profile;  // off the record
    const auto store = setUpArticleStorage(profile);
    QWebEnginePage page(&profile);
    attachArticleHost(page, store, nullptr);

    // In the user's data folder, here a temporary one.
    const std::string id = store->create("<p>x</p>", "x").id;
    const QByteArray png = PngBytes(Qt::green, 7, 5);
    const std::string name = store->storeImage(id, std::string(png.constData(), png.size()));
    const QString good = QStringLiteral("corvel-article://%1/%2")
                             .arg(QString::fromStdString(id), QString::fromStdString(name));
    const QString missing = QStringLiteral("corvel-article://%1/%2.png")
                                .arg(QString::fromStdString(id), QString(64, QLatin1Char('0')));
    const QString outside =
        QStringLiteral("corvel-article://%1/..%2meta.json").arg(QString::fromStdString(id), "%2F");

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("index.html"));
    ASSERT_TRUE(WriteFileBytes(
        file,
        QStringLiteral("<!doctype html><img id=good src='%1'><img id=missing src='%2'><img id=outside src='%3'>"
                       "<script>new QWebChannel(qt.webChannelTransport, c =>"
                       " c.objects.corvelHost.listArticles(r => { window.listed = r; }));</script>")
            .arg(good, missing, outside)
            .toUtf8()));
    page.load(QUrl::fromLocalFile(file));

    const auto js = [&](const char* script) {
        return RunScript(&page, QString::fromLatin1(script)).value_or(QVariant());
    };
    ASSERT_TRUE(WaitFor([&] { return js("!!window.listed").toBool(); }, 30000));
    EXPECT_EQ(js("window.listed.ok && window.listed.articles[0].id").toString().toStdString(), id);
    ASSERT_TRUE(
        WaitFor([&] { return js("[...document.images].every(i => i.complete)").toBool(); }, 10000));
    // good, missing, outside
    EXPECT_EQ(js("[...document.images].map(i => i.naturalWidth).join()").toString(), "7,0,0");
}

// The web engine's PDF of a Chinese article: A4 pages, with the system's CJK font embedded.
TEST(ArticlePage, PdfIsA4WithTheChineseFontInside) {
    QWebEngineView view;
    view.resize(800, 600);
    view.setHtml(QStringLiteral("<!doctype html><body style=\"font-family:'Noto Serif CJK SC'\">"
                                "<h1>新品发布会在京举行</h1><p>　　本报讯 今日，某某公司发布新品。</p></body>"));
    ASSERT_TRUE(WaitFor([&] { return RunScript(view.page(), QStringLiteral("document.readyState === 'complete'"))
                                  .value_or(false).toBool(); }, 30000));
    const QByteArray pdf = makeViewPrinter(&view)->pdf();
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    // 210 x 297 mm is 595 x 842 points; the engine rounds to whole device pixels.
    EXPECT_TRUE(QString::fromLatin1(pdf).contains(
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 59[45](\\.\\d+)? 84[012](\\.\\d+)?\\]"))));
    EXPECT_TRUE(pdf.contains("NotoSerifCJK")) << "no CJK font embedded";
}

}  // namespace
