#pragma once
// The editor's web page: applies the navigation policy and sends web links to the user's
// browser through the platform.

#include <QUrl>
#include <QWebEnginePage>

class Platform;

class EditorPage final : public QWebEnginePage {
    Q_OBJECT
public:
    EditorPage(QWebEngineProfile* profile, Platform& platform, QUrl editorPage,
               QObject* parent = nullptr);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // window.open and links into a new window: nothing opens inside the program.
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    Platform& platform_;
    QUrl editorPage_;
};

// Stands in for a new window just long enough to learn where it would go.
class NewWindowCatcher final : public QWebEnginePage {
    Q_OBJECT
public:
    NewWindowCatcher(QWebEngineProfile* profile, Platform& platform, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    Platform& platform_;
};
