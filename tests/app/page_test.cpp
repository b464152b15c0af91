// The editor page: where it comes from, reloading, the browser's size, and navigation that
// would lose the article.

#include <QMdiArea>

#include "fit_browser.h"
#include "shell_fixture.h"
#include "window_metrics.h"

namespace {

TEST_F(ShellTest, PageComesFromTheProgramFolderAndRefreshReloadsIt) {
    EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
    js(QStringLiteral("window.marker = 'kept'"));
    QSignalSpy loaded(view(), &QWebEngineView::loadFinished);
    main()->refreshEditor();
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.takeFirst().at(0).toBool());
    EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
    EXPECT_FALSE(js(QStringLiteral("window.marker")).isValid());
}

TEST_F(ShellTest, BrowserFollowsTheWindowSize) {
    const auto expected = [this](QSize outer) {
        const TwipSize browser = FitBrowserToForm(
            {pixelsToTwips(outer.width()), pixelsToTwips(outer.height())}, 600, 600);
        return QSize(twipsToPixels(browser.width), twipsToPixels(browser.height));
    };
    // Maximised, the browser fills the client area exactly: no band below or beside it.
    ASSERT_TRUE(editor()->isMaximized());
    EXPECT_EQ(view()->size(), editor()->widget()->size());

    editor()->showNormal();
    EXPECT_EQ(view()->size(), expected(editor()->size()));
    editor()->resize(500, 400);
    EXPECT_EQ(view()->size(), QSize(499, 369));
    editor()->resize(30, 30);  // smaller than the minimums: the browser is clipped
    EXPECT_EQ(view()->size(), QSize(40, 40));
    EXPECT_EQ(view()->pos(), QPoint(0, 0));
}

TEST_F(ShellTest, EditorDisablesAndEnablesForTheDialogs) {
    main()->setEditorEnabled(false);
    EXPECT_FALSE(view()->isEnabled());
    main()->setEditorEnabled(true);
    EXPECT_TRUE(view()->isEnabled());
}

TEST_F(ShellTest, ArticleIsNotNavigatedAway) {
    js(QStringLiteral("window.marker = 'kept'"));
    js(QStringLiteral("location.href = 'other.html'"));
    js(QStringLiteral("window.open('other.html')"));
    QTest::qWait(500);
    EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
    EXPECT_EQ(js(QStringLiteral("window.marker")).toString(), QStringLiteral("kept"));
    EXPECT_TRUE(platform.opened.empty());
}

TEST_F(ShellTest, WebLinksOpenInTheUsersBrowser) {
    js(QStringLiteral("window.marker = 'kept'"));
    js(QStringLiteral("document.getElementById('web').click()"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.opened.empty(); }, 5000));
    EXPECT_EQ(platform.opened.front(), QUrl(QStringLiteral("https://example.org/page")));

    js(QStringLiteral("window.open('https://example.org/new')"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return platform.opened.size() == 2; }, 5000));
    EXPECT_EQ(platform.opened.back(), QUrl(QStringLiteral("https://example.org/new")));
    EXPECT_EQ(js(QStringLiteral("window.marker")).toString(), QStringLiteral("kept"));
    EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
}

}  // namespace
