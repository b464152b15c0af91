#pragma once
// The editor page's own URL scheme, used where the settings live apart from the program:
// corvel-page://editor/<path> serves the page's files from the program folder, and web.ini and
// the rule files from the settings folder, falling back to the program folder's shipped copy
// when the settings folder lacks one. Nothing outside the two folders is reachable, and nothing
// is ever fetched from the network.

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <optional>

struct AppContext;
class QWebEngineProfile;

inline constexpr char kPageScheme[] = "corvel-page";

// Must run before the QApplication is made.
void registerPageScheme();

// The file a corvel-page address stands for, or nothing for an address outside the two folders
// or a file that does not exist.
std::optional<QString> pageSchemeFile(const QUrl& url, const QString& programFolder,
                                      const QString& settingsFolder);

// The address the editor loads index.html from: a file:// address in the program folder when
// the settings live there too, else the page scheme.
QUrl editorPageUrl(const AppContext& context);

class PageSchemeHandler final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    PageSchemeHandler(QString programFolder, QString settingsFolder, QObject* parent);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QString programFolder_;
    QString settingsFolder_;
};

// Serves the page scheme in `profile` for this run's folders.
void installPageScheme(QWebEngineProfile& profile, const AppContext& context);
