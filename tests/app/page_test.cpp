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

TEST_F(ShellTest, ArticleStaysAndOnlyLinksTheUserClicksOpenInTheUsersBrowser) {
    js(QStringLiteral("window.marker = 'kept'"));
    // Script alone never reaches the user's browser, nor leaves the page.
    for (const char* script :
         {"location.href = 'other.html'", "window.open('other.html')",
          "location.href = 'https://example.org/script'", "document.getElementById('web').click()",
          "window.open('https://example.org/script')", "document.getElementById('blank').click()"})
        js(QString::fromUtf8(script));
    QTest::qWait(500);
    EXPECT_TRUE(platform.opened.empty()) << platform.opened.front().toString().toStdString();

    // The user's own clicks, on a link and on one into a new window, do.
    for (const char* link : {"web", "blank"}) {
        const QVariantList box =
            js(QStringLiteral("(r => [r.x + r.width / 2, r.y + r.height / 2])"
                              "(document.getElementById('%1').getBoundingClientRect())")
                   .arg(QString::fromUtf8(link)))
                .toList();
        ASSERT_EQ(box.size(), 2);
        const std::size_t before = platform.opened.size();
        QTest::mouseClick(view()->focusProxy(), Qt::LeftButton, {},
                          QPoint(box[0].toInt(), box[1].toInt()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return platform.opened.size() > before; }, 5000))
            << link;
    }
    EXPECT_EQ(platform.opened, (std::vector<QUrl>{QUrl(QStringLiteral("https://example.org/page")),
                                                  QUrl(QStringLiteral("https://example.org/new"))}));
    EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
    EXPECT_EQ(js(QStringLiteral("window.marker")).toString(), QStringLiteral("kept"));
}

}  // namespace
