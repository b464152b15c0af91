#pragma once
// Where a local picture named by the page (`<img src="file:///…">` in a paste or an opened page)
// may be read from: the folders word processors put clipboard pictures in, and the folder of an
// .html file the user opened, with everything below. Anything else stays private, pictures too.

#include <QString>
#include <QStringList>

class PictureFolders {
public:
    // The user opened this .html file: pictures beside it and below may be read.
    void addOpenedPage(const QString& path);

    // The real path (links resolved) of `path` when it lies in one of the folders; else empty.
    QString allowedPath(const QString& path) const;

private:
    QStringList openedFolders_;
};
