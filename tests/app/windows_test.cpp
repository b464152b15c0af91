// The About window, and how the program's windows end.

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include "about_window.h"
#include "shell_fixture.h"

namespace {

int visibleTopLevels() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) count += widget->isVisible() ? 1 : 0;
    return count;
}

void showAbout(Form_Editor_Main* window) {
    window->findChild<QAction*>(QStringLiteral("mnuHelp_about"))->trigger();
}

TEST_F(ShellTest, AboutIsOneOwnerlessWindowThatEnterCloses) {
    showAbout(main());
    showAbout(main());
    Form_About* shown = Form_About::instance();
    ASSERT_NE(shown, nullptr);
    QPointer<Form_About> about = shown;
    int abouts = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        abouts += qobject_cast<Form_About*>(widget) ? 1 : 0;
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(shown->parentWidget(), nullptr);
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("关于Corvel编辑器"));
    EXPECT_EQ(shown->size(), QSize(402, 213));

    auto* text = shown->findChild<QTextEdit*>(QStringLiteral("Text_Show"));
    ASSERT_NE(text, nullptr);
    const QStringList lines = Form_About::aboutText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("版本号：2.3"));
    EXPECT_TRUE(lines[1].isEmpty() && lines[2].isEmpty());
    EXPECT_TRUE(lines[3].contains(QStringLiteral("©")));
    EXPECT_EQ(text->document()->blockCount(), 4);  // shown as four lines

    auto* ok = shown->findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    EXPECT_EQ(shown->focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }, 5000));
}

TEST_F(ShellTest, ClosingTheMainWindowEndsTheRunOnlyAfterTheAboutWindow) {
    // Runs the real event loop: it returns when Qt would end the program.
    showAbout(main());
    Form_About* shown = Form_About::instance();
    ASSERT_NE(shown, nullptr);
    QPointer<Form_About> about = shown;
    auto* ok = shown->findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(ok, nullptr);
    Form_Editor_Main* mainWindow = main();
    QPointer<Form_Editor_Main> window = mainWindow;
    QPointer<Form_Editor> editorWindow = editor();

    bool stillRunning = false;
    int visibleAfterMainClosed = -1;
    QTimer::singleShot(0, mainWindow, [mainWindow] { mainWindow->close(); });
    QTimer::singleShot(500, ok, [&] {
        stillRunning = window.isNull() && editorWindow.isNull() && !about.isNull();
        visibleAfterMainClosed = visibleTopLevels();
        ok->click();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(99); });
    watchdog.start(20000);
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(visibleAfterMainClosed, 1);  // the About window alone
    EXPECT_EQ(lastClosed.count(), 1);
    EXPECT_EQ(visibleTopLevels(), 0);
}

TEST_F(ShellTest, SettingsDialogsCloseWithTheMainWindow) {
    for (const char* name : {"Option_Ueditor", "Option_format", "Option_auto_format"})
        main()->findChild<QAction*>(QString::fromUtf8(name))->trigger();
    EXPECT_FALSE(editor()->isEnabled());
    EXPECT_EQ(visibleTopLevels(), 4);

    QPointer<Form_Editor_Main> window = main();
    ASSERT_TRUE(main()->close());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
    EXPECT_EQ(visibleTopLevels(), 0);
    EXPECT_TRUE(platform.errors.isEmpty()) << platform.errors.join(u'|').toStdString();
}

}  // namespace
