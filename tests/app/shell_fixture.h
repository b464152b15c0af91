#pragma once
// Starts the program in-process on a temporary program folder that holds the shipped web.ini
// and, unless a test writes its own, a small editor page with a web link.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <memory>
#include <optional>

#include "about_window.h"
#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "qt_test_files.h"
#include "recording_platform.h"
#include "store_path.h"
#include "web_script.h"

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteFileBytes(
            file("index.html"),
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>page</title></head>"
            "<body><a id=\"web\" href=\"https://example.org/page\">web</a>"
            "<p><a id=\"blank\" target=\"_blank\" href=\"https://example.org/new\">new</a></p>"
            "</body></html>"));
        start();
    }
    // Starts the program on the shipped web.ini and the page files already in the folder, and
    // waits until its editor page has loaded.
    void start() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(CORVEL_SHIPPED_WEB_INI), file("web.ini")));
        program = Program::start(ToStorePath(folder.path()), platform);
        ASSERT_TRUE(program);
        QSignalSpy loaded(view(), &QWebEngineView::loadFinished);
        ASSERT_TRUE(loaded.wait(30000) && loaded.first().at(0).toBool());
    }

    QString file(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    // Runs a menu command as the user would, by its action's object name.
    void trigger(const char* name) const {
        auto* action = main()->findChild<QAction*>(QString::fromUtf8(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    // Opens the About window from the Help menu; its OK button, or null if it did not open.
    QPushButton* showAbout() const {
        trigger("mnuHelp_about");
        Form_About* about = Form_About::instance();
        return about ? about->findChild<QPushButton*>(QStringLiteral("OKButton")) : nullptr;
    }
    static int visibleTopLevels() {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) count += widget->isVisible();
        return count;
    }

    Form_Editor_Main* main() const { return program->mainWindow(); }
    Form_Editor* editor() const { return main()->editor(); }
    QWebEngineView* view() const { return editor()->browser(); }

    // Runs a script in the page and waits for its result.
    QVariant js(const QString& script) const {
        const std::optional<QVariant> result = RunScript(view()->page(), script);
        EXPECT_TRUE(result.has_value()) << script.toStdString();
        return result.value_or(QVariant());
    }

    // A Chinese folder name, as under C:\Users\张三: the program must start from there.
    QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/软文程序-XXXXXX")};
    RecordingPlatform platform;
    std::unique_ptr<Program> program;
};
