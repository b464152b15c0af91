#include "picture_fit.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include "article_error.h"
#include "qr_codes.h"

namespace {

using corvel::articles::ArticleError;
using corvel::articles::Refusal;

// JPEG qualities tried in turn, best first; below the last one the picture is made smaller.
constexpr int kQualities[] = {90, 82, 74, 66, 58, 50, 42};
constexpr double kShrinkStep = 0.8;

QByteArray encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (format == QByteArrayLiteral("jpeg")) writer.setOptimizedWrite(true);
    if (!writer.write(image)) throw ArticleError(Refusal::NotImage, "cannot encode picture");
    return bytes;
}

bool fits(const QByteArray& bytes, qint64 maxBytes) { return maxBytes <= 0 || bytes.size() <= maxBytes; }

// JPEG has no transparency: what was see-through becomes white, as on a page.
QImage onWhite(const QImage& image) {
    if (!image.hasAlphaChannel()) return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    flat.setDevicePixelRatio(image.devicePixelRatio());
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < flat.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb p = from[x];
            const int a = 255 - qAlpha(p);
            to[x] = qRgb(qRed(p) + a, qGreen(p) + a, qBlue(p) + a);
        }
    }
    return flat;
}

struct Decoded {
    QImage image;
    QByteArray format;
    QSize original;
    bool scaled = false;
};

// The picture decoded no wider than maxWidth (0: as it is). An upright JPEG decodes straight to
// the smaller size, several times faster for a camera photo than decoding it whole and scaling.
Decoded decode(const QByteArray& data, int maxWidth) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    Decoded out{{}, reader.format(), reader.size(), false};
    const QSize size = out.original;
    const bool upright = reader.transformation() == QImageIOHandler::TransformationNone;
    if (maxWidth > 0 && upright && size.isValid() && size.width() > maxWidth) {
        reader.setScaledSize(
            QSize(maxWidth, std::max(1, int(qint64(size.height()) * maxWidth / size.width()))));
        out.scaled = true;
    }
    out.image = reader.read();
    if (out.image.isNull()) throw ArticleError(Refusal::NotImage, "not a picture");
    if (maxWidth > 0 && out.image.width() > maxWidth) {
        out.image = out.image.scaledToWidth(maxWidth, Qt::SmoothTransformation);
        out.scaled = true;
    }
    return out;
}

}  // namespace

FittedPicture fitPicture(const QByteArray& data, int maxWidth, qint64 maxBytes) {
    Decoded decoded = decode(data, maxWidth);
    QImage image = std::move(decoded.image);
    const QByteArray& format = decoded.format;
    if ((format == "jpeg" || format == "png") && !decoded.scaled && fits(data, maxBytes))
        return {data, "image/" + format, image.width(), image.height()};
    if (image.hasAlphaChannel() || format == "png" || format == "gif" || format == "bmp") {
        QByteArray png = encoded(image, "png", -1);
        if (fits(png, maxBytes)) return {png, "image/png", image.width(), image.height()};
    }
    image = onWhite(image);
    for (;;) {
        for (int quality : kQualities) {
            QByteArray jpeg = encoded(image, "jpeg", quality);
            if (fits(jpeg, maxBytes)) return {jpeg, "image/jpeg", image.width(), image.height()};
        }
        if (image.width() < 16) throw ArticleError(Refusal::TooLarge, "cannot fit picture");
        image = image.scaledToWidth(int(image.width() * kShrinkStep), Qt::SmoothTransformation);
    }
}

PictureFacts inspectPicture(const QByteArray& data) {
    // A code stays readable at this width, and a camera photo is searched several times faster.
    constexpr int kSearchWidth = 1600;
    Decoded decoded = decode(data, kSearchWidth);
    const QSize size = decoded.original.isValid() ? decoded.original : decoded.image.size();
    return {decoded.format, size.width(), size.height(), findQrCodes(decoded.image)};
}
