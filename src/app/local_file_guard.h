#pragma once
// What the editor page may read of the local file system: its own files in the program folder
// (index.html and what lies under editor/), web.ini, and the rule files web.ini names, from the
// settings folder or, where that lacks one, the program folder's shipped copy. Nothing else: not
// a key in the home folder, not /etc/passwd, not the program's other files, in either layout
// (file:// requests meet the guard below, the page scheme its handler). And only regular files
// of at most 64 MiB: a FIFO or a device in a rule file's place would block the page's read for
// ever, so such a read fails at once and the page reports the file as unreadable.

#include <QString>
#include <QStringList>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>
#include <memory>
#include <optional>

class Class_Option;

class PageFiles {
public:
    // `settingsNames` gives web.ini's and the rule files' names when asked: a Save can change them.
    PageFiles(QString programFolder, QString settingsFolder,
              std::function<QStringList()> settingsNames);

    // The file that a clean relative path (no "." or ".." steps) stands for, or nothing.
    std::optional<QString> find(const QString& relative) const;
    // Whether the page may read the local file `path`.
    bool allows(const QString& path) const;

private:
    // Where `relative` may come from, searched in this order: a page file from the program
    // folder alone, a named settings file from the settings folder and then the program's
    // shipped copy; nowhere for any other name.
    QStringList foldersOf(const QString& relative) const;

    QString programFolder_;
    QString settingsFolder_;
    std::function<QStringList()> settingsNames_;
};

// web.ini and the rule files that `options` names, or their shipped names where a key is empty.
QStringList SettingsFileNames(const Class_Option& options);

class LocalFileGuard final : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    LocalFileGuard(std::shared_ptr<const PageFiles> files, QObject* parent);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    std::shared_ptr<const PageFiles> files_;
};
