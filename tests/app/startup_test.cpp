// Start-up: the application context and the windows it opens.

#include <QDragEnterEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>

#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, StartUpFixesTheContextAndShowsTheMaximisedEditor) {
    const AppContext& context = program->context();
    EXPECT_EQ(context.AppFolder, ToStorePath(folder.path()));
    EXPECT_EQ(context.OptionFilePath, ToStorePath(folder.path()) + "/web.ini");
    EXPECT_EQ(context.OptionStore->GetOption("ueditor", "toolbars"), "Standard");

    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(main()->parentWidget(), nullptr);
    EXPECT_TRUE(main()->windowTitle().startsWith(QStringLiteral("Corvel软文编辑器")));
    EXPECT_FALSE(main()->windowIcon().pixmap(32, 32).isNull());

    // One editor window, maximised in the client area, that can be neither minimised nor
    // closed on its own.
    auto* area = qobject_cast<QMdiArea*>(main()->centralWidget());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->subWindowList(), QList<QMdiSubWindow*>{editor()});
    EXPECT_TRUE(editor()->isMaximized());
    EXPECT_EQ(editor()->geometry(), area->viewport()->rect());
    EXPECT_FALSE(editor()->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
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

}  // namespace
