// Start-up: the application context, the windows it opens, and an unreadable web.ini.

#include <QDragEnterEvent>
#include <QMdiArea>
#include <QMimeData>

#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, StartUpFixesTheContextAndShowsTheMaximisedEditor) {
    const AppContext& context = program->context();
    EXPECT_EQ(context.AppFolder, ToStorePath(folder.path()));
    EXPECT_EQ(context.OptionFilePath, ToStorePath(folder.path()) + "/web.ini");
    EXPECT_EQ(context.MinEditorHeight, 600);
    EXPECT_EQ(context.MinEditorWidth, 600);
    EXPECT_EQ(context.OptionStore->GetOption("ueditor", "toolbars"), "Standard");

    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(main()->parentWidget(), nullptr);
    EXPECT_EQ(main()->objectName(), QStringLiteral("Form_Editor_Main"));
    EXPECT_TRUE(main()->windowTitle().startsWith(QStringLiteral("Corvel软文编辑器")));
    EXPECT_EQ(main()->centralWidget()->size(), QSize(634, 457));
    EXPECT_FALSE(main()->windowIcon().pixmap(32, 32).isNull());

    auto* area = qobject_cast<QMdiArea*>(main()->centralWidget());
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(area->subWindowList().first(), editor());
    EXPECT_TRUE(editor()->isMaximized());
    EXPECT_EQ(editor()->windowTitle(), QStringLiteral("编辑器"));
    EXPECT_FALSE(editor()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(editor()->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(view()->objectName(), QStringLiteral("WebBrowser_Editor"));
    // The user cannot close the editor on its own.
    EXPECT_FALSE(editor()->close());
    EXPECT_TRUE(editor()->isVisible());
}

TEST_F(ShellTest, DropsOnTheMainWindowAreIgnored) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file("other.html"))});
    data.setText(QStringLiteral("文字"));
    for (QWidget* target : {static_cast<QWidget*>(main()), main()->centralWidget()}) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::LinkAction, &data,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_FALSE(enter.isAccepted());
    }
}

TEST(StartUpFailure, UnreadableWebIniIsReportedAndEndsWithFailure) {
    QTemporaryDir emptyFolder;  // no web.ini in it
    RecordingPlatform platform;
    EXPECT_NE(runProgram(ToStorePath(emptyFolder.path()), platform), 0);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors.first().contains(emptyFolder.filePath(QStringLiteral("web.ini"))));
    EXPECT_TRUE(platform.errors.first().contains(QStringLiteral("原因：文件或文件夹不存在")));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

}  // namespace
