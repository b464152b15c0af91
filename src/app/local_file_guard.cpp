#include "local_file_guard.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>

#include "capped_file.h"
#include "capped_file_qt.h"
#include "option_store.h"

namespace {
bool isPageFile(const QString& relative) {
    return relative == QLatin1String("index.html") || relative.startsWith(QLatin1String("editor/"));
}

// A name from web.ini as the page resolves it beside itself: Windows separators allowed.
QString cleanName(const QString& name) {
    return QDir::cleanPath(QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

bool readable(const QString& file) {
    return QFileInfo(file).isFile() && !CappedFileRefusal(file, kMaxTextFileSize);
}

// `path` below `folder`, relative, or empty when it is not below it.
QString below(const QString& folder, const QString& path) {
    const QString prefix = QDir::cleanPath(folder) + QLatin1Char('/');
    return path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
}
}  // namespace

PageFiles::PageFiles(QString programFolder, QString settingsFolder,
                     std::function<QStringList()> settingsNames)
    : programFolder_(std::move(programFolder)),
      settingsFolder_(std::move(settingsFolder)),
      settingsNames_(std::move(settingsNames)) {}

QStringList PageFiles::foldersOf(const QString& relative) const {
    if (isPageFile(relative)) return {programFolder_};
    const QStringList names = settingsNames_();
    if (std::none_of(names.begin(), names.end(),
                     [&](const QString& name) { return cleanName(name) == relative; }))
        return {};
    return {settingsFolder_, programFolder_};
}

std::optional<QString> PageFiles::find(const QString& relative) const {
    for (const QString& folder : foldersOf(relative)) {
        const QString file = QDir(folder).filePath(relative);
        if (readable(file)) return file;
    }
    return std::nullopt;
}

bool PageFiles::allows(const QString& path) const {
    const QString clean = QDir::cleanPath(path);
    for (const QString& folder : {settingsFolder_, programFolder_}) {
        const QString relative = below(folder, clean);
        if (!relative.isEmpty() && foldersOf(relative).contains(folder)) return readable(clean);
    }
    return false;
}

QStringList SettingsFileNames(const Class_Option& options) {
    static constexpr struct {
        const char* key;
        const char* shipped;
    } kRuleFiles[] = {{"conversionFile", "conversion.txt"},
                      {"redundantFile", "redundant.txt"},
                      {"lawTermsFile", "law-terms.txt"}};
    // Files of fixed names: the web-page junk rules and the publishing profiles.
    QStringList names{QStringLiteral("web.ini"), QStringLiteral("web-page-junk.txt"),
                      QStringLiteral("publish-wechat.json"), QStringLiteral("publish-news.json"),
                      QStringLiteral("publish-text.json")};
    for (const auto& rule : kRuleFiles) {
        const std::string name = options.GetOption("format", rule.key);
        names.append(QString::fromStdString(name.empty() ? rule.shipped : name));
    }
    return names;
}

LocalFileGuard::LocalFileGuard(std::shared_ptr<const PageFiles> files, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), files_(std::move(files)) {}

void LocalFileGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() && !files_->allows(url.toLocalFile())) info.block(true);
}
