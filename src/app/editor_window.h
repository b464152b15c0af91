#pragma once
// Form_Editor: the one sub-window of the main window, holding the editor page's browser.

#include <QMdiSubWindow>
#include <QString>

#include "fit_browser.h"

class QUrl;
class QWebEngineProfile;
class QWebEngineView;
class Platform;
struct AppContext;

class Form_Editor final : public QMdiSubWindow {
    Q_OBJECT
public:
    // Loads the window: sizes the browser to the design size and navigates to index.html.
    Form_Editor(const AppContext& context, QWebEngineProfile& profile, Platform& platform,
                QWidget* parent = nullptr);

    QWebEngineView* browser() const { return WebBrowser_Editor; }
    const QString& editorPagePath() const { return EditorPagePath; }

    // Reloads the page, which reads web.ini and the rule files again.
    void Refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The user cannot close the editor on its own; it goes with the main window.
    void closeEvent(QCloseEvent* event) override;

private:
    TwipSize outerSize() const;
    void fitBrowser();
    void Navigate(const QUrl& page);

    const AppContext& context_;
    QWebEngineView* WebBrowser_Editor = nullptr;
    QString EditorPagePath;
};
