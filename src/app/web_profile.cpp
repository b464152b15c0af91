#include "web_profile.h"

#include <QStandardPaths>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {
const QString kStorageName = QStringLiteral("corvel-editor");

QString folderIn(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location) + QLatin1Char('/') + kStorageName +
           QStringLiteral("/QtWebEngine");
}
}  // namespace

QWebEngineProfile* makeEditorProfile(QObject* parent) {
    auto* profile = new QWebEngineProfile(kStorageName, parent);
    // Fixed folders, so that the program finds its storage whatever its executable is called.
    profile->setPersistentStoragePath(folderIn(QStandardPaths::GenericDataLocation));
    profile->setCachePath(folderIn(QStandardPaths::GenericCacheLocation));
    auto* settings = profile->settings();
    // The page reads web.ini and the rule files beside it, and fetches nothing from the net.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    return profile;
}
