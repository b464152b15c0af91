// Pictures sized for a platform: the width and byte limits are met, the kind of picture decides
// JPEG or PNG, what already fits is handed over untouched, and QR codes inside are read. Then
// corvelHost's picture, print and PDF operations as the page calls them.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QTemporaryDir>

#include "article_error.h"
#include "article_host.h"
#include "article_store.h"
#include "picture_fit.h"
#include "store_path.h"
#include "test_pictures.h"

namespace {

using namespace Qt::StringLiterals;

// Qt reads GIF but does not write it.
const QByteArray kOnePixelGif = QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAAAAACH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==");

struct FitCase {
    const char* why;
    QByteArray source;
    int maxWidth;
    qint64 maxBytes;
    QByteArray mime;
    int width;
    bool untouched;
};

TEST(PictureFit, MeetsTheLimitsInTheRightFormat) {
    const FitCase cases[] = {
        {"a JPEG within both limits is handed over as it is", Encoded(PhotoImage(800, 600), "JPEG"),
         1080, 1 << 20, "image/jpeg", 800, true},
        {"a camera photo is scaled to the width and written as JPEG",
         Encoded(PhotoImage(4000, 3000), "JPEG", 95), 1080, 1 << 20, "image/jpeg", 1080, false},
        {"transparency stays in a PNG", Encoded(PhotoImage(1600, 200, true), "PNG"), 1080, 1 << 20,
         "image/png", 1080, false},
        {"a GIF becomes a PNG", kOnePixelGif, 1080, 1 << 20, "image/png", 1, false},
        {"a drawn PNG too long for the limit becomes a JPEG of lower quality",
         Encoded(PhotoImage(1000, 1000), "PNG"), 1080, 400 * 1024, "image/jpeg", 1000, false},
        {"below the lowest quality the picture is made smaller",
         Encoded(PhotoImage(1000, 1000), "PNG"), 0, 20 * 1024, "image/jpeg", -1, false},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.why);
        const FittedPicture fitted = fitPicture(c.source, c.maxWidth, c.maxBytes);
        EXPECT_EQ(fitted.mime, c.mime);
        EXPECT_LE(fitted.bytes.size(), c.maxBytes);
        EXPECT_EQ(fitted.bytes == c.source, c.untouched);
        const QImage read = QImage::fromData(fitted.bytes);
        EXPECT_EQ(read.width(), fitted.width);
        if (c.width > 0) EXPECT_EQ(fitted.width, c.width);
        else EXPECT_LT(fitted.width, 1000);
    }
}

TEST(PictureFit, RefusesWhatIsNoPicture) {
    EXPECT_THROW(fitPicture("<svg/>", 1080, 1 << 20), corvel::articles::ArticleError);
    EXPECT_THROW(inspectPicture(QByteArray(100, 'x')), corvel::articles::ArticleError);
}

TEST(PictureFit, FindsTheQrCodesInAPhoto) {
    const PictureFacts withCode = inspectPicture(Encoded(WithQrCode(PhotoImage(3000, 2000), "weixin://dl/corvel"), "JPEG", 90));
    EXPECT_EQ(withCode.format, "jpeg");
    EXPECT_EQ((QList<int>{withCode.width, withCode.height}), (QList<int>{3000, 2000}));
    EXPECT_EQ(withCode.codes, QStringList{u"weixin://dl/corvel"_s});
    EXPECT_TRUE(inspectPicture(Encoded(PhotoImage(600, 400), "PNG")).codes.isEmpty());
}

class FakePrinter final : public PagePrinter {
public:
    bool cancel = false;
    int printed = 0;
    bool print(QWidget*) override {
        printed += cancel ? 0 : 1;
        return !cancel;
    }
    QByteArray pdf() override { return "%PDF-1.4 fake"; }
};

class SaveTo final : public FileChooser {
public:
    QString path;
    QString chooseOpenPath(QWidget*) override { return {}; }
    QString chooseSavePath(QWidget*, const QString&, const QString&) override { return path; }
};

TEST(PictureHost, ConvertsAndInspectsStoredPicturesAndPrints) {
    QTemporaryDir folder;
    auto* chooser = new SaveTo;
    ArticleHost host(std::make_shared<corvel::articles::ArticleStore>(ToStorePath(folder.filePath(u"a"_s))),
                     std::unique_ptr<FileChooser>(chooser), nullptr);
    EXPECT_FALSE(host.printPage().value(u"ok"_s).toBool());  // no printer: a refusal, not a crash

    const QString id = host.createArticle(u"<p>x</p>"_s, u"x"_s, 1).value(u"id"_s).toString();
    const QByteArray original = Encoded(WithQrCode(PhotoImage(2400, 1600), "https://example.com/q"), "PNG");
    const QString url = host.storeImage(id, QString::fromLatin1(original.toBase64()), u"image/png"_s).value(u"url"_s).toString();
    const QVariantMap fitted = host.fitPicture(url, 1080, 1 << 20);
    EXPECT_EQ((QVariantList{fitted[u"ok"_s], fitted[u"width"_s], fitted[u"mime"_s]}),
              (QVariantList{true, 1080, u"image/png"_s}));
    EXPECT_LE(fitted[u"bytes"_s].toLongLong(), 1 << 20);
    EXPECT_EQ(QByteArray::fromBase64(host.readImage(url)[u"base64"_s].toString().toLatin1()), original);
    const QVariantMap facts = host.inspectPicture(url);
    EXPECT_EQ(facts[u"codes"_s].toStringList(), QStringList{u"https://example.com/q"_s});
    EXPECT_EQ(facts[u"bytes"_s].toLongLong(), original.size());
    EXPECT_FALSE(host.fitPicture(u"file:///etc/passwd"_s, 1080, 0)[u"ok"_s].toBool());

    auto* printer = new FakePrinter;
    host.setPrinter(std::unique_ptr<PagePrinter>(printer));
    EXPECT_FALSE(host.printPage()[u"cancelled"_s].toBool());
    printer->cancel = true;
    EXPECT_TRUE(host.printPage()[u"cancelled"_s].toBool());
    EXPECT_EQ(printer->printed, 1);
    chooser->path = folder.filePath(u"文章"_s);
    EXPECT_EQ(host.exportPdf(u"文章.pdf"_s)[u"path"_s].toString(), folder.filePath(u"文章.pdf"_s));
    QFile pdf(folder.filePath(u"文章.pdf"_s));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll(), "%PDF-1.4 fake");
}

}  // namespace
