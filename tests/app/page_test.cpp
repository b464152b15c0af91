// The editor page: the browser's size, and navigation that would lose the article. (Where the
// page comes from and its reloading: missing_page_test.cpp.)

#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, BrowserFollowsTheWindowSize) {
    // Maximised, the browser fills the client area exactly: no band below or beside it.
    ASSERT_TRUE(editor()->isMaximized());
    EXPECT_EQ(view()->size(), editor()->widget()->size());

    // Restored, it is the window less 16 twips across and 465 down (31 pixels), at least
    // 600 twips (40 pixels) each way.
    editor()->showNormal();
    editor()->resize(500, 400);
    EXPECT_EQ(view()->size(), QSize(499, 369));
    editor()->resize(30, 30);  // smaller than the minimums: the browser is clipped
    EXPECT_EQ(view()->size(), QSize(40, 40));
    EXPECT_EQ(view()->pos(), QPoint(0, 0));
}

TEST_F(ShellTest, ArticleStaysAndWebLinksOpenInTheUsersBrowser) {
    js(QStringLiteral("window.marker = 'kept'"));
    js(QStringLiteral("location.href = 'other.html'"));
    js(QStringLiteral("window.open('other.html')"));
    QTest::qWait(500);
    EXPECT_TRUE(platform.opened.empty());

    js(QStringLiteral("document.getElementById('web').click()"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.opened.empty(); }, 5000));
    EXPECT_EQ(platform.opened.front(), QUrl(QStringLiteral("https://example.org/page")));
    js(QStringLiteral("window.open('https://example.org/new')"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return platform.opened.size() == 2; }, 5000));
    EXPECT_EQ(platform.opened.back(), QUrl(QStringLiteral("https://example.org/new")));

    EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
    EXPECT_EQ(js(QStringLiteral("window.marker")).toString(), QStringLiteral("kept"));
}

}  // namespace
