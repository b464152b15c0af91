#pragma once
// Keeps the article safe: the editor's main frame never leaves its page. Web links go to the
// user's browser instead; everything else that would replace the page is refused.

#include <QUrl>
#include <QWebEnginePage>

enum class NavigationVerdict { Allow, Refuse, OpenOutside };

bool isWebAddress(const QUrl& url);

// `editorPage` is the page the editor window loaded.
NavigationVerdict judgeNavigation(const QUrl& target, QWebEnginePage::NavigationType type,
                                  bool isMainFrame, const QUrl& editorPage);
