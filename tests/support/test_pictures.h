#pragma once
// Pictures made in memory for the picture tests and benchmarks: a camera-like photo (smooth
// light with fine grain, which JPEG cannot squeeze away) and a QR code drawn into one.

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

inline QImage PhotoImage(int width, int height, bool transparent = false) {
    QImage image(width, height, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QRandomGenerator grain(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(grain.bounded(16));
            line[x] = qRgba((x * 255 / width + n) % 256, (y * 255 / height + n) % 256, (x + y + n) % 256,
                            transparent ? (x * 255 / width) : 255);
        }
    }
    return image;
}

inline QByteArray Encoded(const QImage& image, const char* format, int quality = 92) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// A photo with a QR code of text in its lower right corner, as shop pictures carry them.
inline QImage WithQrCode(QImage photo, const std::string& text, int size = 240) {
    const ZXing::BitMatrix bits =
        ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode).setMargin(2).encode(text, size, size);
    QImage code(bits.width(), bits.height(), QImage::Format_RGB32);
    for (int y = 0; y < bits.height(); ++y)
        for (int x = 0; x < bits.width(); ++x) code.setPixel(x, y, bits.get(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    QPainter painter(&photo);
    painter.drawImage(photo.width() - code.width() - 20, photo.height() - code.height() - 20, code);
    return photo;
}
