// Loads the built editor page the way the program does (file URL, local content may read
// file URLs but not remote ones) and records every request that leaves the machine.
#pragma once

#include <QStringList>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <memory>

class RemoteRequestRecorder : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
    QStringList remote;
};

class RecordingPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList errors;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;
};

// One profile with its own storage folder, so that localStorage starts empty and survives
// reloads within the test, as it does in the program's persistent profile.
class PageLoader {
public:
    explicit PageLoader(const QString& storageFolder);

    // Loads the page (reloads it when indexHtml is empty) and waits until
    // window.corvelEditor reports ready.
    bool open(const QString& indexHtml = {});
    QVariant eval(const QString& script);
    // A JavaScript string literal holding text.
    static QString jsString(const QString& text);

    RemoteRequestRecorder recorder;  // declared first: the profile refers to it to the end
    QWebEngineProfile profile{QStringLiteral("corvel-page-test")};
    std::unique_ptr<RecordingPage> page;  // made once the profile's storage is set
    QWebEngineView view;                  // a real view, so the page lays out at window size
};
