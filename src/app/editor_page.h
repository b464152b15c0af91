#pragma once
// The editor's web page: applies the navigation policy and sends web links that the user really
// clicked to the user's browser through the platform.

#include <QUrl>
#include <QWebEnginePage>

class Platform;
class UserGesture;

class EditorPage final : public QWebEnginePage {
    Q_OBJECT
public:
    EditorPage(QWebEngineProfile* profile, Platform& platform, QUrl editorPage,
               UserGesture& gesture, QObject* parent = nullptr);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // Nothing opens inside the program: newWindowRequested decides what the user's browser gets.
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    Platform& platform_;
    QUrl editorPage_;
    UserGesture& gesture_;
};
