#pragma once
// End-to-end tests run the program on a copy of the folder the build made.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

// Copies a file, or a folder with everything in it, from the program folder the build made.
inline bool copyFromBuild(const QString& name, const QDir& to) {
    const QDir built(QStringLiteral(CORVEL_BUILT_APP_DIR));
    const QFileInfo from(built.filePath(name));
    if (from.isFile()) return QFile::copy(from.filePath(), to.filePath(name));
    if (!from.isDir()) return false;
    QDirIterator files(from.filePath(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = to.filePath(built.relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target)) return false;
    }
    return true;
}

// The files the program needs beside it.
inline bool copyProgramFolder(const QDir& to) {
    for (const char* name :
         {"index.html", "editor", "web.ini", "conversion.txt", "redundant.txt"}) {
        if (!copyFromBuild(QString::fromLatin1(name), to)) return false;
    }
    return true;
}
