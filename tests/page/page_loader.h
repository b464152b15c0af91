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
    ~PageLoader();
    PageLoader(const PageLoader&) = delete;
    PageLoader& operator=(const PageLoader&) = delete;

    bool load(const QString& indexHtml);
    bool reload();
    QVariant eval(const QString& script);
    // Waits until window.corvelEditor reports ready (or a startup notice with no editor).
    bool waitReady(int timeoutMs = 20000);

    RemoteRequestRecorder recorder;
    RecordingPage* page() { return page_.get(); }

private:
    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<RecordingPage> page_;
    std::unique_ptr<QWebEngineView> view_;  // a real view, so the page lays out at window size
};
