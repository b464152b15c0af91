#pragma once
// Wires article storage into the program: the image scheme on the browser profile, the
// recycle purge at start-up, and the corvelHost object on the editor page's web channel.

class QWebEnginePage;
class QWebEngineProfile;
class QWidget;

// Before the QApplication is made (the web engine reads custom schemes once).
void registerArticleScheme();

// Serves stored images on the profile and drops drafts deleted more than 30 days ago.
void setUpArticleStorage(QWebEngineProfile& profile);

// Puts corvelHost on the page's web channel; dialogs open over `dialogParent`.
void attachArticleHost(QWebEnginePage& page, QWidget* dialogParent);
