#include "editor_page.h"

#include <QWebEngineNewWindowRequest>

#include "navigation_policy.h"
#include "platform.h"
#include "user_gesture.h"

EditorPage::EditorPage(QWebEngineProfile* profile, Platform& platform, QUrl editorPage,
                       UserGesture& gesture, QObject* parent)
    : QWebEnginePage(profile, parent),
      platform_(platform),
      editorPage_(std::move(editorPage)),
      gesture_(gesture) {
    // window.open and links into a new window. The browser's own flag keeps out window.open
    // from a timer or a load; the program's record of a click keeps out script run any other
    // way. Qt 6.4 asks createWindow() first and tells the address only here.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                const QUrl url = request.requestedUrl();
                if (request.isUserInitiated() && isWebAddress(url) && gesture_.take())
                    platform_.openUrl(url);
            });
}

bool EditorPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    switch (judgeNavigation(url, type, isMainFrame, editorPage_)) {
        case NavigationVerdict::Allow:
            return true;
        case NavigationVerdict::OpenOutside:
            if (gesture_.take()) platform_.openUrl(url);
            return false;
        case NavigationVerdict::Refuse:
            return false;
    }
    return false;
}

QWebEnginePage* EditorPage::createWindow(WebWindowType) { return nullptr; }
