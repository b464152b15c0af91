#pragma once
// Wires article storage into the program: the image scheme on the browser profile, the
// recycle purge shortly after start-up, and the corvelHost object on the editor page's web channel.

#include <memory>

namespace corvel::articles {
class ArticleStore;
}
class QWebEnginePage;
class QWebEngineProfile;
class QWidget;
class PagePrinter;

// Before the QApplication is made (the web engine reads custom schemes once).
void registerArticleScheme();

// Makes the one store on articlesRoot(), serves its images on the profile and, ten seconds
// later, drops drafts deleted more than 30 days ago. The store goes on to every page's corvelHost.
std::shared_ptr<corvel::articles::ArticleStore> setUpArticleStorage(QWebEngineProfile& profile);

// Puts corvelHost, working on `store`, on the page's web channel, and the channel's client
// library (QWebChannel) into every document the page loads; dialogs open over
// `dialogParent`; `printer` prints the page (none: printing is refused).
void attachArticleHost(QWebEnginePage& page, std::shared_ptr<corvel::articles::ArticleStore> store,
                       QWidget* dialogParent, std::unique_ptr<PagePrinter> printer = nullptr);
