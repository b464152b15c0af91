#include "picture_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif

// Folders whose clipboard HTML names pictures as file: addresses, each directly in a temporary
// folder (QDir::tempPath(): %TEMP% on Windows, $TMPDIR or /tmp elsewhere; also /tmp and
// $XDG_RUNTIME_DIR, which desktop programs use on Linux whatever $TMPDIR says):
// - Word:        %TEMP%\msohtmlclip1\01\clip_image001.png (C:\Users\…\AppData\Local\Temp\…)
// - WPS Office:  %TEMP%\ksohtml<number>\wps1.png on Windows; /tmp/ksohtml<number>/ and
//                /tmp/wps-<user>/ksohtml/ on Linux
// - LibreOffice: its per-run temporary folder lu<random>.tmp on every platform
//                (/tmp/lu2a7b9c.tmp/lu2a7b9d.tmp/…)
const QRegularExpression& clipboardFolderName() {
    static const QRegularExpression name(
        QStringLiteral("^(msohtmlclip[^/]*|ksohtml[^/]*|wps-[^/]*|lu[^/]*\\.tmp)$"),
        kCase == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                     : QRegularExpression::NoPatternOption);
    return name;
}

QStringList temporaryFolders() {
    QStringList roots{QDir::tempPath()};
#ifdef Q_OS_UNIX
    roots << QStringLiteral("/tmp") << qEnvironmentVariable("XDG_RUNTIME_DIR");
#endif
    QStringList real;
    for (const QString& root : roots) {
        const QString canonical = root.isEmpty() ? QString() : QFileInfo(root).canonicalFilePath();
        if (!canonical.isEmpty() && !real.contains(canonical)) real << canonical;
    }
    return real;
}

// `path` lies strictly below `folder`.
bool isBelow(const QString& path, const QString& folder) {
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix, kCase) && path.size() > prefix.size();
}

// A clipboard folder directly in a temporary folder, and the user's own: another user's folder
// of that name could swap a picture for a link to the user's files between check and read.
bool isInClipboardFolder(const QString& path) {
    for (const QString& root : temporaryFolders()) {
        if (!isBelow(path, root)) continue;
        const QString rest = path.mid(root.size() + (root.endsWith(QLatin1Char('/')) ? 0 : 1));
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        if (slash <= 0 || !clipboardFolderName().match(rest.left(slash)).hasMatch()) continue;
#ifdef Q_OS_UNIX
        const QFileInfo folder(root + QLatin1Char('/') + rest.left(slash));
        if (folder.ownerId() != ::getuid()) continue;
#endif
        return true;
    }
    return false;
}

}  // namespace

void PictureFolders::addOpenedPage(const QString& path) {
    const QString folder = QFileInfo(path).canonicalPath();
    if (!folder.isEmpty() && !openedFolders_.contains(folder)) openedFolders_ << folder;
}

QString PictureFolders::allowedPath(const QString& path) const {
    const QFileInfo info(path);
    QString real = info.canonicalFilePath();
    if (real.isEmpty()) {
        // A missing file is judged by its folder, so that a clipboard picture deleted since the
        // paste is reported as gone rather than as a private file.
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (folder.isEmpty()) return {};
        real = folder + QLatin1Char('/') + info.fileName();
    }
    if (isInClipboardFolder(real)) return real;
    for (const QString& folder : openedFolders_) {
        if (isBelow(real, folder)) return real;
    }
    return {};
}
