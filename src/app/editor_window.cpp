#include "editor_window.h"

#include <QCloseEvent>
#include <QWebEngineView>

#include "app_context.h"
#include "article_setup.h"
#include "editor_page.h"
#include "user_gesture.h"
#include "fit_browser.h"
#include "folder_path.h"
#include "page_check.h"
#include "page_scheme.h"
#include "store_path.h"
#include "view_printer.h"
#include "window_metrics.h"

Form_Editor::Form_Editor(const AppContext& context, QWebEngineProfile& profile, Platform& platform,
                         QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context) {
    setObjectName(QStringLiteral("Form_Editor"));
    setWindowTitle(QStringLiteral("编辑器"));
    setSystemMenu(nullptr);  // its only entries would restore, move, resize or close it

    // The browser sits at the top left of the client area, outside any layout: its size is
    // set by FitBrowserToForm alone.
    auto* client = new QWidget;
    client->resize(twipsSize(4560, 3030));
    setWidget(client);
    const QMargins frame = contentsMargins();
    resize(client->width() + frame.left() + frame.right(),
           client->height() + frame.top() + frame.bottom());

    EditorPagePath = FromStorePath(PathInFolder(context_.AppFolder, "index.html"));
    // With any of its files missing, the program's own page says which, instead of the page.
    const QUrl page = pageOrMissingNotice(EditorPagePath, editorPageUrl(context_));
    WebBrowser_Editor = new QWebEngineView(client);
    WebBrowser_Editor->setObjectName(QStringLiteral("WebBrowser_Editor"));
    WebBrowser_Editor->setPage(new EditorPage(&profile, platform, page,
                                              *new UserGesture(WebBrowser_Editor),
                                              WebBrowser_Editor));
    attachArticleHost(*WebBrowser_Editor->page(), context_.Articles, this,
                      makeViewPrinter(WebBrowser_Editor));
    WebBrowser_Editor->move(0, 0);
    WebBrowser_Editor->resize(twipsSize(3255, 2175));
    client->setFocusProxy(WebBrowser_Editor);

    fitBrowser();
    Navigate(page);
}

void Form_Editor::Navigate(const QUrl& page) { WebBrowser_Editor->setUrl(page); }

void Form_Editor::Refresh() { WebBrowser_Editor->reload(); }

TwipSize Form_Editor::outerSize() const {
    // Maximised, Qt draws no frame at all, whereas a maximised child window keeps its caption
    // and border just outside the client area and counts them in its outer size. Count that
    // hidden frame too, so that the browser fills the client area instead of leaving a band.
    if (isMaximized() && widget()) {
        return {pixelsToTwips(widget()->width()) + kFormBorderWidth,
                pixelsToTwips(widget()->height()) + kFormCaptionAndBorderHeight};
    }
    return {pixelsToTwips(width()), pixelsToTwips(height())};
}

void Form_Editor::fitBrowser() {
    const TwipSize browser =
        FitBrowserToForm(outerSize(), context_.MinEditorWidth, context_.MinEditorHeight);
    WebBrowser_Editor->resize(twipsToPixels(browser.width), twipsToPixels(browser.height));
}

void Form_Editor::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (WebBrowser_Editor) fitBrowser();
}

void Form_Editor::closeEvent(QCloseEvent* event) { event->ignore(); }
