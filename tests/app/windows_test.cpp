// The About window, and how the program's windows end.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <tuple>

#include "shell_fixture.h"
#include "unopened_address.h"

namespace {

TEST_F(ShellTest, AboutIsOneOwnerlessWindowThatEnterCloses) {
    showAbout();
    QPushButton* ok = showAbout();
    Form_About* shown = Form_About::instance();
    ASSERT_TRUE(ok && shown);
    QPointer<Form_About> about = shown;
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                            [](QWidget* window) { return qobject_cast<Form_About*>(window); }),
              1);
    EXPECT_EQ(shown->parentWidget(), nullptr);
    // Nothing is cut off: every part lies inside the window.
    for (const QWidget* part : shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(shown->rect().contains(part->geometry())) << part->objectName().toStdString();

    // The version first, and the text's CR LF breaks shown as four lines.
    auto* text = shown->findChild<QTextEdit*>(QStringLiteral("Text_Show"));
    ASSERT_NE(text, nullptr);
    const QStringList lines = Form_About::aboutText().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("版本号：2.3"), {}, {}, lines.value(3)}));
    EXPECT_TRUE(lines.value(3).contains(QStringLiteral("©")));
    EXPECT_EQ(text->document()->blockCount(), 4);

    // The portable folder keeps its settings beside the program, and says so, copyably.
    auto* settings = shown->findChild<QLineEdit*>(QStringLiteral("Text_SettingsFolder"));
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible() && settings->isReadOnly());
    EXPECT_EQ(settings->text(), QStringLiteral("设置文件夹：") + folder.path());
    EXPECT_LE(settings->geometry().bottom(), ok->geometry().top());

    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    EXPECT_EQ(shown->focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }, 5000));
}

TEST_F(ShellTest, ClosingTheMainWindowTakesTheDialogsAndEndsTheRunAfterTheAboutWindow) {
    for (const char* name : {"Option_Ueditor", "Option_format", "Option_auto_format"})
        trigger(name);
    EXPECT_FALSE(editor()->isEnabled());
    QPushButton* ok = showAbout();
    ASSERT_NE(ok, nullptr);
    QPointer<Form_About> about = Form_About::instance();
    EXPECT_EQ(visibleTopLevels(), 5);

    // Runs the real event loop: it returns when Qt would end the program.
    QPointer<Form_Editor_Main> window = main();
    QPointer<Form_Editor> editorWindow = editor();
    bool onlyAboutLeft = false;
    QTimer::singleShot(0, window, [&] { EXPECT_TRUE(window->close()); });
    QTimer::singleShot(500, ok, [&] {
        onlyAboutLeft =
            window.isNull() && editorWindow.isNull() && !about.isNull() && visibleTopLevels() == 1;
        ok->click();
    });
    QTimer watchdog;
    watchdog.callOnTimeout([] { QApplication::exit(99); });
    watchdog.start(20000);
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(onlyAboutLeft);
    EXPECT_EQ(lastClosed.count(), 1);
    EXPECT_EQ(visibleTopLevels(), 0);
    EXPECT_TRUE(platform.errors.isEmpty()) << platform.errors.join(u'|').toStdString();
}

}  // namespace

TEST(UnopenedAddress, ShowsTheAddressSelectedInAReadOnlyField) {
    const QUrl address(QStringLiteral("https://example.org/帮助?a=1"));
    QPointer<QDialog> dialog = makeUnopenedAddressDialog(address, nullptr);
    dialog->show();
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("Text_Address"));
    ASSERT_NE(field, nullptr);
    const auto* label = dialog->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(std::tuple(field->text(), field->selectedText(), field->isReadOnly(),
                         label->text().startsWith(QStringLiteral("无法打开网址"))),
              std::tuple(address.toString(), address.toString(), true, true));
    dialog->close();  // deletes itself
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }, 5000));
}
