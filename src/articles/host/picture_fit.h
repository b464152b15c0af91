#pragma once
// Pictures sized for a publishing platform, made from a copy of a stored picture: JPEG or PNG,
// at most a given width and a given number of bytes. The stored original never changes.

#include <QByteArray>
#include <QStringList>

struct FittedPicture {
    QByteArray bytes;
    QByteArray mime;  // image/jpeg or image/png
    int width = 0;
    int height = 0;
};

// maxWidth and maxBytes of 0 mean no limit. A JPEG or PNG already within both comes back as it
// is; otherwise the picture is scaled to maxWidth and written as PNG when it has transparency
// or was drawn (PNG, GIF, BMP) and fits, else as JPEG at falling quality, and made smaller still
// when even the lowest quality is too long. Throws ArticleError(NotImage) for data that is no
// picture.
FittedPicture fitPicture(const QByteArray& data, int maxWidth, qint64 maxBytes);

struct PictureFacts {
    QByteArray format;  // jpeg, png, gif, webp, bmp
    int width = 0;
    int height = 0;
    QStringList codes;  // the text of every QR code found in the picture
};

// What a platform asks about a picture, and the QR codes in it. Throws like fitPicture.
PictureFacts inspectPicture(const QByteArray& data);
