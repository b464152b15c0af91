// Loads the built editor page the way the program does (file URL, local content may read
// file URLs but not remote ones), recording every request that leaves the machine and
// every script error.
#pragma once

#include <QtTest>
#include <QtWebEngineWidgets>
#include <functional>
#include <memory>
#include <optional>

#include "web_script.h"

// A copy of the built app folder in a fresh temporary folder, so that a test may change its
// web.ini or remove files; false when the copy failed.
inline bool CopyBuiltApp(std::optional<QTemporaryDir>& into, const QString& appDir) {
    into.emplace();
    return QProcess::execute("cp", {"-r", "--no-preserve=mode", appDir + "/.", into->path()}) == 0;
}

// Rows of text columns from <folder>/fixtures/<table>.json: {"rows": [[row name, column...], ...]};
// a JSON null is a null string.
inline void AddFixtureRows(const QString& folder, const char* table,
                           std::initializer_list<const char*> columns) {
    QFile file(QStringLiteral("%1/fixtures/%2.json").arg(folder, table));
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const char* column : columns) QTest::addColumn<QString>(column);  // kept, not copied
    for (const QJsonValue row : QJsonDocument::fromJson(file.readAll())["rows"].toArray()) {
        QTestData& data = QTest::newRow(row[0].toString().toUtf8());
        for (qsizetype i = 1; i <= qsizetype(columns.size()); ++i) data << row[i].toString();
    }
}

class RemoteRequestRecorder : public QWebEngineUrlRequestInterceptor {
public:
    QStringList remote;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        static const QStringList local{"file", "data", "blob", "qrc", "about"};
        if (!local.contains(info.requestUrl().scheme())) remote << info.requestUrl().toString();
    }
};

class RecordingPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList errors;
    QStringList chosenFiles;  // what the file dialog answers, as if the user had picked them

protected:
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override {
        return chosenFiles;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override {
        if (level == ErrorMessageLevel)
            errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
    }
};

// One profile with its own storage folder, so that localStorage starts empty and survives
// reloads within the test, as it does in the program's persistent profile.
class PageLoader {
public:
    explicit PageLoader(const QString& storageFolder) {
        profile.setPersistentStoragePath(storageFolder);
        profile.setCachePath(storageFolder + QStringLiteral("/cache"));
        profile.setUrlRequestInterceptor(&recorder);
        page = std::make_unique<RecordingPage>(&profile);
        page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        view.setPage(page.get());
        view.resize(1000, 700);
        view.show();
    }

    // What open() waits for: by default also the libraries the page loads after its first paint.
    QString readyWhen = QStringLiteral("corvelEditor.settled");

    // Loads the page (reloads it when indexHtml is empty) and waits until readyWhen holds.
    bool open(const QString& indexHtml = {}) {
        QSignalSpy loaded(page.get(), &QWebEnginePage::loadFinished);
        if (indexHtml.isEmpty())
            page->triggerAction(QWebEnginePage::Reload);
        else
            page->load(QUrl::fromLocalFile(indexHtml));
        return loaded.wait(30000) && loaded.first().first().toBool() &&
               WaitFor(
                   [this] {
                       return eval("!!(window.corvelEditor && " + readyWhen + ")").toBool();
                   },
                   20000, 100);
    }

    // Puts the in-memory article store (page/src/testing/fake-host.js) in place of the program's bridge, as
    // window.corvelFake; `setup` runs on it first.
    bool useFakeHost(const QString& fakeHostJs, const QString& setup = {}) {
        QFile file(fakeHostJs);
        if (!file.open(QIODevice::ReadOnly)) return false;
        // Put into the page before any of the page's own scripts, on every load.
        QWebEngineScript script;
        script.setSourceCode(QString::fromUtf8(file.readAll()) +
                             QStringLiteral("\nwindow.corvelFake = CorvelFakeHost.fakeHost({});\n") +
                             setup + QStringLiteral("\nwindow.CorvelHost = corvelFake.host;\n"));
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        page->scripts().insert(script);
        return true;
    }

    QVariant eval(const QString& script) {
        return RunScript(page.get(), script).value_or(QVariant());
    }

    // A JavaScript string literal holding text.
    static QString jsString(const QString& text) {
        return QString::fromUtf8(
            QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).mid(1).chopped(1));
    }

    RemoteRequestRecorder recorder;  // declared first: the profile refers to it to the end
    QWebEngineProfile profile{QStringLiteral("corvel-page-test")};
    std::unique_ptr<RecordingPage> page;  // made once the profile's storage is set
    QWebEngineView view;                  // a real view, so the page lays out at window size
};
