#pragma once
// The editor page's own URL scheme, used where the settings live apart from the program:
// corvel-page://editor/<path> serves the files the page may read (PageFiles): its own from the
// program folder, web.ini and the rule files from the settings folder. Nothing else is
// reachable, and nothing is ever fetched from the network.

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <memory>
#include <optional>

#include "local_file_guard.h"

struct AppContext;
class QWebEngineProfile;

inline constexpr char kPageScheme[] = "corvel-page";

// Must run before the QApplication is made.
void registerPageScheme();

// The file a corvel-page address stands for, or nothing for an address of no file the page may
// read.
std::optional<QString> pageSchemeFile(const QUrl& url, const PageFiles& files);

// The address the editor loads index.html from: a file:// address in the program folder when
// the settings live there too, else the page scheme.
QUrl editorPageUrl(const AppContext& context);

class PageSchemeHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    PageSchemeHandler(std::shared_ptr<const PageFiles> files, QObject* parent);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    std::shared_ptr<const PageFiles> files_;
};

// Serves the page scheme in `profile` for this run's folders, and keeps the page's file://
// requests to the same files.
void installPageScheme(QWebEngineProfile& profile, const AppContext& context);
