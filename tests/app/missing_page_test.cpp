// The editor page with files missing: the editor window shows the program's own page naming
// them, in Chinese, and the rest of the program runs as usual.
#include <algorithm>

#include "shell_fixture.h"

namespace {

const QStringList kPageFiles{"index.html", "editor/css/page.css", "editor/js/app.js",
                             "editor/vendor/x.js"};

// Each case: what is removed of kPageFiles, by spaces; "editor" takes the whole folder.
class MissingPage : public ShellTest, public ::testing::WithParamInterface<const char*> {
protected:
    bool removed(const QString& name) const {
        const QStringList gone = QString::fromUtf8(GetParam()).split(u' ', Qt::SkipEmptyParts);
        return std::any_of(gone.begin(), gone.end(), [&](const QString& part) {
            return name == part || name.startsWith(part + QLatin1Char('/'));
        });
    }
    void SetUp() override {
        for (const QString& name : kPageFiles) {
            if (removed(name)) continue;
            ASSERT_TRUE(WriteFileBytes(
                folder.filePath(name),
                name != "index.html"
                    ? ""
                    : "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                      "<link rel=\"stylesheet\" href=\"editor/css/page.css\"></head><body>the page"
                      "<script src=\"editor/js/app.js\"></script>"
                      "<script src='editor/vendor/x.js'></script></body></html>"));
        }
        start();
    }
    QString text() const { return js(QStringLiteral("document.body.innerText")).toString(); }
};

TEST_P(MissingPage, EditorWindowNamesWhatIsMissing) {
    const QString shown = text();
    if (!*GetParam()) {
        EXPECT_EQ(view()->url(), QUrl::fromLocalFile(file("index.html")));
        EXPECT_TRUE(shown.startsWith(QStringLiteral("the page"))) << shown.toStdString();
    } else {
        EXPECT_TRUE(shown.contains(QStringLiteral("请重新安装本程序"))) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(folder.path())));
    }
    for (const QString& name : kPageFiles)
        EXPECT_EQ(shown.contains(name), removed(name)) << name.toStdString();
    // The page or the notice reloads as it was, and the menus work as ever.
    QSignalSpy reloaded(view(), &QWebEngineView::loadFinished);
    main()->refreshEditor();
    ASSERT_TRUE(reloaded.wait(20000));
    EXPECT_EQ(text(), shown);
    EXPECT_TRUE(platform.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MissingPage,
                         ::testing::Values("", "index.html", "editor", "editor/js/app.js",
                                           "editor/css/page.css editor/vendor/x.js"));

}  // namespace
