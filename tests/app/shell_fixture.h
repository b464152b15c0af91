#pragma once
// Starts the program in-process on a temporary program folder that holds the shipped web.ini
// and a small editor page with a web link, a local link and a marker that a reload clears.

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <memory>

#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "recording_platform.h"

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(CORVEL_SHIPPED_WEB_INI), file("web.ini")));
        writeFile("index.html",
                  "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>page</title></head>"
                  "<body><a id=\"web\" href=\"https://example.org/page\">web</a> "
                  "<a id=\"local\" href=\"other.html\">local</a></body></html>");
        writeFile("other.html", "<html><body>other</body></html>");
        program = Program::start(folder.path().toStdString(), platform);
        ASSERT_TRUE(program);
        QSignalSpy loaded(view(), &QWebEngineView::loadFinished);
        ASSERT_TRUE(loaded.wait(30000));
        ASSERT_TRUE(loaded.takeFirst().at(0).toBool());
    }

    QString file(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    void writeFile(const char* name, const char* text) const {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }

    Form_Editor_Main* main() const { return program->mainWindow(); }
    Form_Editor* editor() const { return main()->editor(); }
    QWebEngineView* view() const { return editor()->browser(); }

    QVariant js(const QString& script) const {
        QVariant result;
        bool done = false;
        view()->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000)) << script.toStdString();
        return result;
    }

    QTemporaryDir folder;
    RecordingPlatform platform;
    std::unique_ptr<Program> program;
};
