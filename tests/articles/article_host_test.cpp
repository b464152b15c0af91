// corvelHost as the page sees it: every answer has ok, failures carry a Chinese reason and
// change nothing, images come only from files and addresses the rules allow, and opened and
// exported files are decoded and written as the user expects.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>

#include "article_error.h"
#include "article_error_text.h"
#include "article_host.h"
#include "article_store.h"
#include "opened_file.h"
#include "qt_test_files.h"
#include "store_path.h"
#include "utf8_file.h"

namespace {

// Answers the dialogs with whatever the test set.
class FakeChooser final : public FileChooser {
public:
    QString openPath, savePath, askedKind;
    QString chooseOpenPath(QWidget*) override { return openPath; }
    QString chooseSavePath(QWidget*, const QString&, const QString& kind) override {
        askedKind = kind;
        return savePath;
    }
};

void putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool isChinese(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")));
}

std::shared_ptr<corvel::articles::ArticleStore> storeIn(const QString& root) {
    return std::make_shared<corvel::articles::ArticleStore>(ToStorePath(root));
}

struct HostTest : ::testing::Test {
    QTemporaryDir folder;
    FakeChooser* chooser = new FakeChooser;
    ArticleHost host{storeIn(folder.filePath(QStringLiteral("articles"))),
                     std::unique_ptr<FileChooser>(chooser), nullptr};

    QString path(const QString& name) const { return folder.filePath(name); }
    QString newArticle() {
        return host.createArticle(QStringLiteral("<p>正文</p>"), QStringLiteral("正文"))
            .value(QStringLiteral("id"))
            .toString();
    }
    // A failure as the contract has it: ok false and a Chinese sentence naming the action.
    static void expectRefused(const QVariantMap& answer, const QString& action,
                              const QString& context) {
        EXPECT_FALSE(answer.value(QStringLiteral("ok"), true).toBool()) << context.toStdString();
        const QString error = answer.value(QStringLiteral("error")).toString();
        EXPECT_TRUE(error.startsWith(action + QStringLiteral("失败："))) << error.toStdString();
        EXPECT_TRUE(isChinese(error.mid(action.size() + 3))) << error.toStdString();
    }
};

TEST_F(HostTest, ArticleOperationsAnswerWithTheContractFields) {
    const QVariantMap made = host.createArticle(QStringLiteral("<p>一</p>"), QStringLiteral("一"));
    ASSERT_TRUE(made.value(QStringLiteral("ok")).toBool());
    const QString id = made.value(QStringLiteral("id")).toString();
    for (const char* field : {"title", "customTitle", "created", "modified", "chars"}) {
        EXPECT_TRUE(made.contains(QLatin1String(field))) << field;
    }
    EXPECT_EQ(host.state().value(QStringLiteral("currentId")).toString(), id);

    const QVariantMap saved =
        host.saveArticle(id, QStringLiteral("<p>二</p>"), QStringLiteral("二"), 1);
    ASSERT_TRUE(saved.value(QStringLiteral("ok")).toBool());
    const QVariantMap opened = host.openArticle(id);
    EXPECT_EQ(opened.value(QStringLiteral("html")).toString(), QStringLiteral("<p>二</p>"));
    EXPECT_EQ(opened.value(QStringLiteral("modified")), saved.value(QStringLiteral("modified")));
    EXPECT_EQ(opened.value(QStringLiteral("chars")).toLongLong(), 1);

    EXPECT_TRUE(
        host.renameArticle(id, QStringLiteral("  新标题 ")).value(QStringLiteral("ok")).toBool());
    const QVariantList list = host.listArticles().value(QStringLiteral("articles")).toList();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].toMap().value(QStringLiteral("title")).toString(), QStringLiteral("新标题"));

    EXPECT_TRUE(host.deleteArticle(id).value(QStringLiteral("ok")).toBool());
    const QVariantList deleted = host.listDeleted().value(QStringLiteral("articles")).toList();
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_GT(deleted[0].toMap().value(QStringLiteral("deleted")).toLongLong(), 0);
    EXPECT_TRUE(host.restoreArticle(id).value(QStringLiteral("ok")).toBool());
    host.deleteArticle(id);
    EXPECT_EQ(host.emptyRecycle().value(QStringLiteral("removed")).toInt(), 1);

    const QString other = newArticle();
    EXPECT_FALSE(host.addSnapshot(other, QStringLiteral("<p>a</p>"), QStringLiteral("auto"))
                     .value(QStringLiteral("skipped"))
                     .toBool());
    EXPECT_TRUE(host.addSnapshot(other, QStringLiteral("<p>b</p>"), QStringLiteral("auto"))
                    .value(QStringLiteral("skipped"))
                    .toBool());
    const QVariantList snapshots =
        host.listSnapshots(other).value(QStringLiteral("snapshots")).toList();
    ASSERT_EQ(snapshots.size(), 1);
    const QString sid = snapshots[0].toMap().value(QStringLiteral("sid")).toString();
    EXPECT_EQ(host.readSnapshot(other, sid).value(QStringLiteral("html")).toString(),
              QStringLiteral("<p>a</p>"));
}

TEST_F(HostTest, BadIdsAndNamesAreRefusedInChinese) {
    const QString id = newArticle();
    const QString image = host.storeImage(id, QString::fromLatin1(PngBytes(Qt::red).toBase64()),
                                          QStringLiteral("image/png"))
                              .value(QStringLiteral("url"))
                              .toString();
    ASSERT_TRUE(image.startsWith(QStringLiteral("corvel-article://") + id + QLatin1Char('/')));
    for (const QString& bad :
         {QString(), QStringLiteral(".."), QStringLiteral("../x"), QStringLiteral("A"),
          QStringLiteral("x/y"), QStringLiteral("none")}) {
        expectRefused(host.openArticle(bad), QStringLiteral("打开文章"), bad);
        expectRefused(host.saveArticle(bad, QStringLiteral("x"), QStringLiteral("x"), 1),
                      QStringLiteral("保存文章"), bad);
        expectRefused(host.deleteArticle(bad), QStringLiteral("删除文章"), bad);
        expectRefused(host.listSnapshots(bad), QStringLiteral("读取历史版本"), bad);
        expectRefused(host.storeImage(bad, QStringLiteral("iVBORw0KGgo="), {}),
                      QStringLiteral("保存图片"), bad);
    }
    const QString hash = image.section(QLatin1Char('/'), -1);
    for (const QString& bad :
         {QStringLiteral("corvel-article://%1/../meta.json").arg(id),
          QStringLiteral("corvel-article://%1/images/%2").arg(id, hash),
          QStringLiteral("corvel-article://%1/%2?x=1").arg(id, hash),
          QStringLiteral("corvel-article://../%1").arg(hash), QStringLiteral("file:///etc/passwd"),
          QStringLiteral("https://example.com/%1").arg(hash), QStringLiteral("not a url")}) {
        expectRefused(host.readImage(bad), QStringLiteral("读取图片"), bad);
    }
    expectRefused(host.addSnapshot(id, QStringLiteral("x"), QStringLiteral("whim")),
                  QStringLiteral("保存历史版本"), QStringLiteral("reason"));
    expectRefused(host.readSnapshot(id, QStringLiteral("../../meta")),
                  QStringLiteral("读取历史版本"), QStringLiteral("sid"));
}

TEST(ArticleFailureText, EveryFailureIsWordedInChinese) {
    using corvel::articles::ArticleError;
    using corvel::articles::Refusal;
    const auto code = [](std::errc e) { return std::make_error_code(e); };
    const std::pair<std::exception_ptr, QString> cases[] = {
        {std::make_exception_ptr(ArticleError(Refusal::TooLarge, "x")), QStringLiteral("20 MB")},
        {std::make_exception_ptr(Utf8FileError("x", code(std::errc::no_space_on_device))),
         QStringLiteral("磁盘空间不足")},
        {std::make_exception_ptr(
             std::filesystem::filesystem_error("x", code(std::errc::not_a_directory))),
         QStringLiteral("不是文件夹")},
        // A system error without words of its own is still introduced in Chinese.
        {std::make_exception_ptr(Utf8FileError("x", code(std::errc::cross_device_link))),
         QStringLiteral("读写文件出错（")},
        {std::make_exception_ptr(std::runtime_error("odd")), QStringLiteral("程序内部出错（odd）")},
        {std::make_exception_ptr(std::bad_alloc()), QStringLiteral("内存不足")},
    };
    for (const auto& [thrown, words] : cases) {
        try {
            std::rethrow_exception(thrown);
        } catch (const std::exception& error) {
            const QString text = articleFailureText(QStringLiteral("保存文章"), error);
            EXPECT_TRUE(text.startsWith(QStringLiteral("保存文章失败：")) && text.contains(words) &&
                        text.endsWith(QStringLiteral("。")))
                << text.toStdString();
        }
    }
}

TEST_F(HostTest, DiskFailuresKeepTheArticleAndGiveTheReason) {
    const QString id = newArticle();
    const QString html = folder.filePath(QStringLiteral("articles/%1/article.html").arg(id));
    // No write bit: refused for every user, root included.
    ASSERT_TRUE(QFile::setPermissions(html, QFileDevice::ReadOwner));
    const QVariantMap saved =
        host.saveArticle(id, QStringLiteral("<p>新</p>"), QStringLiteral("新"), 1);
    expectRefused(saved, QStringLiteral("保存文章"), id);
    EXPECT_TRUE(saved.value(QStringLiteral("error")).toString().contains(QStringLiteral("只读")));
    EXPECT_EQ(host.openArticle(id).value(QStringLiteral("html")).toString(),
              QStringLiteral("<p>正文</p>"));

    // The data folder cannot be made: a file stands where it should be.
    QTemporaryDir other;
    putFile(other.filePath(QStringLiteral("articles")), "not a folder");
    ArticleHost blocked(storeIn(other.filePath(QStringLiteral("articles"))),
                        std::make_unique<FakeChooser>(), nullptr);
    expectRefused(blocked.createArticle(QStringLiteral("<p>x</p>"), QStringLiteral("x")),
                  QStringLiteral("新建文章"), QStringLiteral("blocked folder"));
    EXPECT_TRUE(blocked.listArticles().value(QStringLiteral("ok")).toBool());
}

TEST_F(HostTest, ImagesComeOnlyFromImageBytesWithinTheCap) {
    const QString id = newArticle();
    const QByteArray png = PngBytes(Qt::blue);
    const QVariantMap stored =
        host.storeImage(id, QString::fromLatin1(png.toBase64()), QStringLiteral("image/png"));
    ASSERT_TRUE(stored.value(QStringLiteral("ok")).toBool());
    const QString url = stored.value(QStringLiteral("url")).toString();
    // A whole data: address gives the same image; a wrong claimed type changes nothing.
    EXPECT_EQ(
        host.storeImage(
                id, QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64()),
                QStringLiteral("image/gif"))
            .value(QStringLiteral("url")),
        url);
    const QVariantMap read = host.readImage(url);
    EXPECT_EQ(QByteArray::fromBase64(read.value(QStringLiteral("base64")).toString().toLatin1()),
              png);
    EXPECT_EQ(read.value(QStringLiteral("mime")).toString(), QStringLiteral("image/png"));
    expectRefused(host.storeImage(id, QStringLiteral("!!not base64!!"), {}),
                  QStringLiteral("保存图片"), QStringLiteral("base64"));
    expectRefused(host.storeImage(id, QString::fromLatin1(QByteArray("<svg/>").toBase64()), {}),
                  QStringLiteral("保存图片"), QStringLiteral("svg"));

    // Word's pasted images: local files, by content, within the cap.
    QDir().mkpath(path(QStringLiteral("msohtmlclip1/01")));
    const QString clip = path(QStringLiteral("msohtmlclip1/01/clip_image002.png"));
    putFile(clip, png);
    const QVariantMap imported = host.importLocalImage(id, QUrl::fromLocalFile(clip).toString());
    EXPECT_EQ(imported.value(QStringLiteral("url")), url);
    putFile(path(QStringLiteral("notes.png")), "plain text, not an image");
    putFile(path(QStringLiteral("huge.png")), png);
    QFile(path(QStringLiteral("huge.png"))).resize(corvel::articles::kImageCap + 1);
    for (const QString& bad : {QUrl::fromLocalFile(path(QStringLiteral("notes.png"))).toString(),
                               QUrl::fromLocalFile(path(QStringLiteral("huge.png"))).toString(),
                               QUrl::fromLocalFile(path(QStringLiteral("gone.png"))).toString(),
                               QUrl::fromLocalFile(folder.path()).toString(),
                               QStringLiteral("https://example.com/a.png"),
                               clip /* a bare path is no file: address */}) {
        expectRefused(host.importLocalImage(id, bad), QStringLiteral("导入本地图片"), bad);
    }
}

TEST_F(HostTest, OpenedFilesAreDecodedByKindAndCapped) {
    const QByteArray docx("PK\x03\x04 word/document.xml", 24);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* kind;
        QString text;  // empty for docx
    } cases[] = {
        {"utf8.txt", "\xEF\xBB\xBF第一行\r\n第二行", "txt", QStringLiteral("第一行\r\n第二行")},
        {"gbk.TXT", "\xD6\xD0\xCE\xC4\xA3\xAC\xB0\xE6", "txt", QStringLiteral("中文，版")},
        {"utf16.txt", QByteArray("\xFF\xFE\x2D\x4E\x87\x65", 6), "txt", QStringLiteral("中文")},
        {"page.htm", "<p>网页</p>", "html", QStringLiteral("<p>网页</p>")},
        {"page.html", "<p>\xCD\xF8\xD2\xB3</p>", "html", QStringLiteral("<p>网页</p>")},
        {"report.docx", docx, "docx", QString()},
    };
    for (const auto& c : cases) {
        chooser->openPath = path(QString::fromLatin1(c.name));
        putFile(chooser->openPath, c.bytes);
        const QVariantMap opened = host.chooseOpenFile();
        ASSERT_TRUE(opened.value(QStringLiteral("ok")).toBool()) << c.name;
        EXPECT_FALSE(opened.value(QStringLiteral("cancelled")).toBool());
        EXPECT_EQ(opened.value(QStringLiteral("name")).toString(), QString::fromLatin1(c.name));
        EXPECT_EQ(opened.value(QStringLiteral("kind")).toString(), QString::fromLatin1(c.kind));
        if (c.text.isEmpty()) {
            EXPECT_EQ(QByteArray::fromBase64(
                          opened.value(QStringLiteral("base64")).toString().toLatin1()),
                      c.bytes);
        } else {
            EXPECT_EQ(opened.value(QStringLiteral("text")).toString(), c.text) << c.name;
        }
    }
    chooser->openPath.clear();
    EXPECT_TRUE(host.chooseOpenFile().value(QStringLiteral("cancelled")).toBool());

    chooser->openPath = path(QStringLiteral("program.exe"));
    putFile(chooser->openPath, "MZ");
    expectRefused(host.chooseOpenFile(), QStringLiteral("打开文件"), chooser->openPath);
    chooser->openPath = path(QStringLiteral("huge.txt"));
    putFile(chooser->openPath, "x");
    QFile(chooser->openPath).resize(corvel::articles::kOpenedFileCap + 1);
    expectRefused(host.chooseOpenFile(), QStringLiteral("打开文件"), chooser->openPath);
}

TEST_F(HostTest, ExportsAreWrittenWholeOrReportedWithoutHarm) {
    chooser->savePath = path(QStringLiteral("文章"));
    QVariantMap saved = host.chooseSaveFile(QStringLiteral("文章"), QStringLiteral("txt"),
                                            QStringLiteral("第一行\n[图片]"), false);
    ASSERT_TRUE(saved.value(QStringLiteral("ok")).toBool());
    EXPECT_EQ(saved.value(QStringLiteral("path")).toString(), path(QStringLiteral("文章.txt")));
    EXPECT_EQ(FileBytes(path(QStringLiteral("文章.txt"))), QByteArray("第一行\n[图片]"));

    chooser->savePath = path(QStringLiteral("report.docx"));
    saved = host.chooseSaveFile({}, QStringLiteral("docx"), QStringLiteral("UEsDBA=="), true);
    EXPECT_EQ(chooser->askedKind, QStringLiteral("docx"));
    EXPECT_EQ(FileBytes(path(QStringLiteral("report.docx"))), QByteArray("PK\x03\x04", 4));

    expectRefused(host.chooseSaveFile({}, QStringLiteral("docx"), QStringLiteral("@@@"), true),
                  QStringLiteral("导出文件"), QStringLiteral("bad base64"));
    EXPECT_EQ(FileBytes(path(QStringLiteral("report.docx"))), QByteArray("PK\x03\x04", 4));
    expectRefused(host.chooseSaveFile({}, QStringLiteral("exe"), QStringLiteral("x"), false),
                  QStringLiteral("导出文件"), QStringLiteral("kind"));
    chooser->savePath = path(QStringLiteral("no/such/folder/a.html"));
    expectRefused(host.chooseSaveFile({}, QStringLiteral("html"), QStringLiteral("x"), false),
                  QStringLiteral("导出文件"), QStringLiteral("missing folder"));
    chooser->savePath.clear();
    EXPECT_TRUE(host.chooseSaveFile({}, QStringLiteral("html"), QStringLiteral("x"), false)
                    .value(QStringLiteral("cancelled"))
                    .toBool());
}

}  // namespace
