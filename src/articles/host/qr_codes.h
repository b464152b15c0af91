#pragma once
// QR codes inside a picture, read with zxing-cpp: portals refuse articles whose pictures carry
// a WeChat or shop code, so 发稿体检 lists them.

#include <QImage>
#include <QStringList>

// The text of every QR code in image, in the order found.
QStringList findQrCodes(const QImage& image);
