#include "navigation_policy.h"

bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

namespace {
// The same document, whatever query or fragment it is given.
bool isSameDocument(const QUrl& a, const QUrl& b) {
    const auto strip = QUrl::RemoveQuery | QUrl::RemoveFragment;
    return a.adjusted(strip) == b.adjusted(strip);
}
}  // namespace

NavigationVerdict judgeNavigation(const QUrl& target, QWebEnginePage::NavigationType type,
                                  bool isMainFrame, const QUrl& editorPage) {
    const bool clickedWebLink =
        type == QWebEnginePage::NavigationTypeLinkClicked && isWebAddress(target);
    if (!isMainFrame) {
        // The editing frame starts blank and is written by the page; anything else (a pasted
        // form's submission, a refresh, a script) would take the article's frame away.
        if (clickedWebLink) return NavigationVerdict::OpenOutside;
        return target.scheme() == QLatin1String("about") ? NavigationVerdict::Allow
                                                         : NavigationVerdict::Refuse;
    }
    if (type == QWebEnginePage::NavigationTypeReload || isSameDocument(target, editorPage))
        return NavigationVerdict::Allow;
    return clickedWebLink ? NavigationVerdict::OpenOutside : NavigationVerdict::Refuse;
}
