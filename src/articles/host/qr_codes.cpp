#include "qr_codes.h"

// The library's text() gives UTF-8 with this set (its next releases do so always).
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

QStringList findQrCodes(const QImage& image) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, int(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    QStringList codes;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints))
        if (result.isValid()) codes.append(QString::fromStdString(result.text()));
    return codes;
}
