#include "store_path.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace {
std::string ToStd(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
QByteArray ToBytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

#ifdef Q_OS_WIN

// Windows: the store decodes its strings as UTF-8 and opens files with the wide (W) functions,
// so the UTF-16 that QString holds goes over as UTF-8 and comes back to the same UTF-16.
// Not toLocal8Bit(): that is the ANSI code page, which has no 张 on a Western system and no é on
// a Chinese one. Not QFile::encodeName(): on Windows it is toLocal8Bit() as well.
// A name may hold a lone surrogate, which NTFS allows but UTF-8 cannot carry; toUtf8() puts a
// replacement character in its place, so the store then names a file that does not exist and
// reports it, naming it, rather than opening some other file.
std::string ToStorePath(const QString& path) {
    return ToStd(QDir::toNativeSeparators(path).toUtf8());
}

QString FromStorePath(std::string_view storePath) { return QString::fromUtf8(ToBytes(storePath)); }

#else

// POSIX: the store hands its bytes to open() as they are, so they must be the bytes Qt itself
// would hand the kernel for the same QString: QFile's file-name encoding (UTF-8 under Qt 6).
std::string ToStorePath(const QString& path) {
    return ToStd(QFile::encodeName(QDir::toNativeSeparators(path)));
}

QString FromStorePath(std::string_view storePath) { return QFile::decodeName(ToBytes(storePath)); }

#endif
