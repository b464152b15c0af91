// The editor page with files missing: the editor window shows the program's own page naming
// them, in Chinese, and the rest of the program runs as usual.
#include "shell_fixture.h"

namespace {

const QStringList kPageFiles{"editor/css/page.css", "editor/js/app.js", "editor/vendor/x.js"};

struct MissingPageCase {
    const char* name;
    QStringList removed;  // of index.html and kPageFiles; "editor" takes the whole folder
    QStringList named;    // what the notice names; empty for the page itself
};

class MissingPage : public ::testing::TestWithParam<MissingPageCase> {};

TEST_P(MissingPage, EditorWindowNamesWhatIsMissing) {
    const MissingPageCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVEL_SHIPPED_WEB_INI), folder.filePath("web.ini")));
    ASSERT_TRUE(WriteFileBytes(
        folder.filePath("index.html"),
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
        "<link rel=\"stylesheet\" href=\"editor/css/page.css\"></head><body>the page"
        "<script src=\"editor/js/app.js\"></script><script src='editor/vendor/x.js'></script>"
        "<a href=\"https://example.org/\">web</a></body></html>"));
    for (const QString& name : kPageFiles) ASSERT_TRUE(WriteFileBytes(folder.filePath(name)));
    for (const QString& name : c.removed) {
        ASSERT_TRUE(name == "editor" ? QDir(folder.filePath(name)).removeRecursively()
                                     : QFile::remove(folder.filePath(name)));
    }

    RecordingPlatform platform;
    const std::unique_ptr<Program> program = StartAndLoad(folder.path(), platform);
    ASSERT_TRUE(program);
    QWebEngineView* view = program->mainWindow()->editor()->browser();
    const QString text =
        RunScript(view->page(), QStringLiteral("document.body.innerText")).value().toString();
    if (c.named.isEmpty()) {
        EXPECT_EQ(view->url(), QUrl::fromLocalFile(folder.filePath("index.html")));
        EXPECT_TRUE(text.startsWith(QStringLiteral("the page"))) << text.toStdString();
        return;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("请重新安装本程序"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(folder.path())));
    for (const QString& name : kPageFiles + QStringList{"index.html"}) {
        EXPECT_EQ(text.contains(name), c.named.contains(name)) << name.toStdString();
    }
    // The notice reloads like the page, and the menus work as ever.
    QSignalSpy reloaded(view, &QWebEngineView::loadFinished);
    program->mainWindow()->refreshEditor();
    ASSERT_TRUE(reloaded.wait(20000));
    EXPECT_TRUE(RunScript(view->page(), QStringLiteral("document.body.innerText"))
                    .value()
                    .toString()
                    .contains(QStringLiteral("请重新安装本程序")));
    EXPECT_TRUE(platform.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingPage,
    ::testing::Values(MissingPageCase{"all_present", {}, {}},
                      MissingPageCase{"index_html", {"index.html"}, {"index.html"}},
                      MissingPageCase{"editor_folder", {"editor"}, kPageFiles},
                      MissingPageCase{"one_script", {"editor/js/app.js"}, {"editor/js/app.js"}},
                      MissingPageCase{"style_and_script",
                                      {"editor/css/page.css", "editor/vendor/x.js"},
                                      {"editor/css/page.css", "editor/vendor/x.js"}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
