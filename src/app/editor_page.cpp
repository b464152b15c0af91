#include "editor_page.h"

#include "navigation_policy.h"
#include "platform.h"

EditorPage::EditorPage(QWebEngineProfile* profile, Platform& platform, QUrl editorPage,
                       QObject* parent)
    : QWebEnginePage(profile, parent), platform_(platform), editorPage_(std::move(editorPage)) {}

bool EditorPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    switch (judgeNavigation(url, type, isMainFrame, editorPage_)) {
        case NavigationVerdict::Allow:
            return true;
        case NavigationVerdict::OpenOutside:
            platform_.openUrl(url);
            return false;
        case NavigationVerdict::Refuse:
            return false;
    }
    return false;
}

QWebEnginePage* EditorPage::createWindow(WebWindowType) {
    return new NewWindowCatcher(profile(), platform_, this);
}

NewWindowCatcher::NewWindowCatcher(QWebEngineProfile* profile, Platform& platform, QObject* parent)
    : QWebEnginePage(profile, parent), platform_(platform) {}

bool NewWindowCatcher::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    if (isWebAddress(url)) platform_.openUrl(url);
    deleteLater();
    return false;
}
