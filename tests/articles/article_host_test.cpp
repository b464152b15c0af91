// corvelHost as the page sees it: every answer has ok, failures carry a Chinese reason and
// change nothing, images come only from files and addresses the rules allow, and opened and
// exported files are decoded and written as the user expects. Which ids and names the store
// refuses is the store's tests' business; here each operation shows it answers a refusal.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "article_cases.h"
#include "article_error.h"
#include "article_error_text.h"
#include "article_host.h"
#include "article_store.h"
#include "opened_file_queue.h"
#include "qt_test_files.h"
#include "store_path.h"
#include "utf8_file.h"

namespace {

using namespace Qt::StringLiterals;

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

bool ok(const QVariantMap& answer) { return answer.value(u"ok"_s).toBool(); }

// The one entry of an answer's list; empty unless the list holds exactly one.
QVariantMap only(const QVariantMap& answer, const QString& list) {
    const QVariantList entries = answer.value(list).toList();
    return entries.size() == 1 ? entries[0].toMap() : QVariantMap();
}

std::unique_ptr<ArticleHost> hostOn(const QString& root, FakeChooser* chooser) {
    return std::make_unique<ArticleHost>(
        std::make_shared<corvel::articles::ArticleStore>(ToStorePath(root)),
        std::unique_ptr<FileChooser>(chooser), nullptr);
}

struct HostTest : ::testing::Test {
    QTemporaryDir folder;
    FakeChooser* chooser = new FakeChooser;
    std::unique_ptr<ArticleHost> owned = hostOn(folder.filePath(u"articles"_s), chooser);
    ArticleHost& host = *owned;

    const QString redPng = QString::fromLatin1(PngBytes(Qt::red).toBase64());

    QString path(const QString& name) const { return folder.filePath(name); }
    QString articleHtml(const QString& id) const {
        return path(u"articles/%1/article.html"_s.arg(id));
    }
    QString newArticle() {
        return host.createArticle(u"<p>正文</p>"_s, u"正文"_s, 1).value(u"id"_s).toString();
    }
    // A failure as the contract has it: ok false and a Chinese sentence naming the action and,
    // when given, the reason.
    static void expectRefused(const QVariantMap& answer, const QString& action,
                              const QString& reason = {}) {
        const QString error = answer.value(u"error"_s).toString();
        EXPECT_TRUE(!answer.value(u"ok"_s, true).toBool() &&
                    error.startsWith(action + u"失败："_s) &&
                    error.contains(QRegularExpression(u"：.*[\\x{4e00}-\\x{9fff}]"_s)) &&
                    error.contains(reason))
            << error.toStdString() << " (wanted: " << reason.toStdString() << ")";
    }
};

TEST_F(HostTest, ArticleOperationsAnswerWithTheContractFields) {
    const QVariantMap made = host.createArticle(u"<p>一</p>"_s, u"一"_s, 1);
    const QString id = made.value(u"id"_s).toString();
    EXPECT_EQ(made.keys(), (QStringList{u"chars"_s, u"created"_s, u"customTitle"_s, u"id"_s,
                                        u"modified"_s, u"ok"_s, u"title"_s}));
    EXPECT_EQ(host.state().value(u"currentId"_s).toString(), id);
    // The page's start: the state, and the current draft only once the old page's one has moved.
    EXPECT_FALSE(host.openCurrent().contains(u"opened"_s));
    host.markMigrated();
    const QVariantMap both = host.openCurrent();
    EXPECT_EQ((QVariantList{both[u"state"_s].toMap()[u"currentId"_s], both[u"opened"_s].toMap()[u"html"_s]}),
              (QVariantList{id, u"<p>一</p>"_s}));

    const QVariant modified = host.saveArticle(id, u"<p>二</p>"_s, u"二"_s, 1).value(u"modified"_s);
    const QVariantMap opened = host.openArticle(id);
    EXPECT_EQ((QVariantList{opened[u"html"_s], opened[u"modified"_s], opened[u"chars"_s]}),
              (QVariantList{u"<p>二</p>"_s, modified, 1LL}));

    // Text search sees the text, not the markup.
    host.saveArticle(id, u"<p>Press <b>二</b>稿</p>"_s, u"二"_s, 3);
    for (const auto& [needle, ids] : {std::pair{u"press 二稿"_s, QStringList{id}}, {u"b>"_s, {}}, {u"三"_s, {}}})
        EXPECT_EQ(host.searchArticles(needle).value(u"ids"_s).toStringList(), ids) << needle.toStdString();
    EXPECT_TRUE(ok(host.renameArticle(id, u"  新标题 "_s)));
    EXPECT_EQ(only(host.listArticles(), u"articles"_s).value(u"title"_s), u"新标题"_s);
    EXPECT_TRUE(ok(host.deleteArticle(id)));
    EXPECT_GT(only(host.listDeleted(), u"articles"_s).value(u"deleted"_s).toLongLong(), 0);
    EXPECT_TRUE(ok(host.restoreArticle(id)));
    host.deleteArticle(id);
    EXPECT_EQ(host.emptyRecycle().value(u"removed"_s).toInt(), 1);

    const QString other = newArticle();
    EXPECT_FALSE(host.addSnapshot(other, u"<p>a</p>"_s, u"auto"_s, 1).value(u"skipped"_s).toBool());
    EXPECT_TRUE(host.addSnapshot(other, u"<p>b</p>"_s, u"auto"_s, 1).value(u"skipped"_s).toBool());
    const QString sid = only(host.listSnapshots(other), u"snapshots"_s).value(u"sid"_s).toString();
    EXPECT_EQ(host.readSnapshot(other, sid).value(u"html"_s).toString(), u"<p>a</p>"_s);
}

TEST_F(HostTest, EveryOperationAnswersARefusalInChinese) {
    const QString id = newArticle();
    const QString image = host.storeImage(id, redPng, u"image/png"_s).value(u"url"_s).toString();
    ASSERT_TRUE(image.startsWith(u"corvel-article://"_s + id + u'/'));
    // Ids the store never makes, and one it has not made: every operation checks its id.
    const std::pair<QString, QString> badIds[] = {{u"../articles"_s, u"编号无效"_s},
                                                  {id + u"/images"_s, u"编号无效"_s},
                                                  {u"none"_s, u"找不到"_s}};
    for (const auto& [bad, reason] : badIds) {
        expectRefused(host.openArticle(bad), u"打开文章"_s, reason);
        expectRefused(host.saveArticle(bad, u"x"_s, u"x"_s, 1), u"保存文章"_s, reason);
        expectRefused(host.renameArticle(bad, u"x"_s), u"重命名文章"_s, reason);
        expectRefused(host.deleteArticle(bad), u"删除文章"_s, reason);
        expectRefused(host.restoreArticle(bad), u"恢复文章"_s, reason);
        expectRefused(host.addSnapshot(bad, u"x"_s, u"auto"_s, 1), u"保存历史版本"_s, reason);
        expectRefused(host.listSnapshots(bad), u"读取历史版本"_s, reason);
        expectRefused(host.storeImage(bad, redPng, {}), u"保存图片"_s, reason);
    }
    expectRefused(host.readImage(u"corvel-article://none/"_s + image.section(u'/', -1)),
                  u"读取图片"_s, u"找不到"_s);
    for (const Json& bad : ArticleCases("refusedImageUrls")) {
        expectRefused(host.readImage(QString::fromStdString(bad)
                                         .replace(u"{id}"_s, id)
                                         .replace(u"{hash}"_s, image.section(u'/', -1))),
                      u"读取图片"_s);
    }
    expectRefused(host.addSnapshot(id, u"x"_s, u"whim"_s, 1), u"保存历史版本"_s, u"名称无效"_s);
    expectRefused(host.readSnapshot(id, u"../../meta"_s), u"读取历史版本"_s, u"名称无效"_s);
}

TEST(ArticleFailureText, EveryFailureIsWordedInChinese) {
    using corvel::articles::ArticleError;
    const auto worded = [](const std::exception& error) {
        return articleFailureText(u"保存文章"_s, error);
    };
    const auto code = [](std::errc e) { return std::make_error_code(e); };
    const std::pair<QString, QString> cases[] = {
        {worded(ArticleError(corvel::articles::Refusal::TooLarge, "x")), u"20 MB"_s},
        {worded(Utf8FileError("x", code(std::errc::no_space_on_device))), u"磁盘空间不足"_s},
        {worded(std::filesystem::filesystem_error("x", code(std::errc::not_a_directory))),
         u"不是文件夹"_s},
        // A system error without words of its own is still introduced in Chinese.
        {worded(Utf8FileError("x", code(std::errc::cross_device_link))), u"读写文件出错（"_s},
        {worded(std::runtime_error("odd")), u"程序内部出错（odd）"_s},
        {worded(std::bad_alloc()), u"内存不足"_s},
    };
    for (const auto& [text, words] : cases) {
        EXPECT_TRUE(text.startsWith(u"保存文章失败："_s) && text.contains(words) &&
                    text.endsWith(u"。"_s))
            << text.toStdString();
    }
}

// A change lands only on the text the host acknowledged last; anything else is refused with
// "resend" and writes nothing. Either way, and after a failed write, that text is gone.
TEST_F(HostTest, ChangesApplyOnlyToTheAcknowledgedText) {
    const QString ids[] = {newArticle(), newArticle()}, text = u"<p>一二</p>"_s;
    const auto save = [&] { return host.saveArticle(ids[0], text, {}, 2).value(u"revision"_s).toDouble(); };
    for (const Json& c : ArticleCases("changes")) {
        const auto change = [&, base = save()] {
            return host.saveArticleChange(ids[c[1].get<int>()], base + c[2].get<double>(), c[3], c[4],
                                          QString::fromStdString(c[5]), c[6], {}, 2);
        };
        const QVariantMap answer = change();
        const QByteArray stored = QByteArray::fromStdString(c[7]);
        EXPECT_EQ(FileBytes(articleHtml(ids[0])), stored) << c[0];
        EXPECT_EQ(ok(answer), stored != text.toUtf8()) << c[0];
        EXPECT_TRUE(change().value(u"resend"_s).toBool()) << c[0] << ": again";
    }
    // An opened article's text is acknowledged as it is on disk.
    save();
    const double opened = host.openArticle(ids[0]).value(u"revision"_s).toDouble();
    EXPECT_TRUE(ok(host.saveArticleChange(ids[0], opened, 5, 0, u"三"_s, 10, {}, 3)));
    EXPECT_EQ(FileBytes(articleHtml(ids[0])), QByteArray("<p>一二三</p>"));
    const double base = save();
    ASSERT_TRUE(QFile::setPermissions(articleHtml(ids[0]), QFileDevice::ReadOwner));
    EXPECT_FALSE(ok(host.saveArticleChange(ids[0], base, 4, 1, u"三"_s, 9, {}, 2)));
    EXPECT_TRUE(host.saveArticleChange(ids[0], base, 4, 1, u"三"_s, 9, {}, 2).value(u"resend"_s).toBool());
}

TEST_F(HostTest, DiskFailuresKeepTheArticleAndGiveTheReason) {
    const QString id = newArticle();
    // No write bit: refused for every user, root included.
    ASSERT_TRUE(QFile::setPermissions(articleHtml(id), QFileDevice::ReadOwner));
    expectRefused(host.saveArticle(id, u"<p>新</p>"_s, u"新"_s, 1), u"保存文章"_s, u"只读"_s);
    // The text kept, and the metadata not written first.
    const QVariantMap kept = host.openArticle(id);
    EXPECT_EQ((QVariantList{kept[u"html"_s], kept[u"title"_s]}),
              (QVariantList{u"<p>正文</p>"_s, u"正文"_s}));

    // The data folder cannot be made: a file stands where it should be.
    WriteFileBytes(path(u"blocked"_s), "not a folder");
    const auto blocked = hostOn(path(u"blocked"_s), new FakeChooser);
    expectRefused(blocked->createArticle(u"<p>x</p>"_s, u"x"_s, 1), u"新建文章"_s);
    EXPECT_TRUE(ok(blocked->listArticles()));
}

// Root writes into a read-only folder regardless: this one runs as an ordinary user as well.
TEST_F(HostTest, ReadOnlyArticleFolderRefusesWrites) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
    const QString id = newArticle();
    ASSERT_TRUE(QFile::setPermissions(path(u"articles/"_s + id),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    expectRefused(host.saveArticle(id, u"<p>新</p>"_s, u"新"_s, 1), u"保存文章"_s, u"权限"_s);
    expectRefused(host.storeImage(id, redPng, {}), u"保存图片"_s, u"权限"_s);
    EXPECT_EQ(FileBytes(articleHtml(id)), QByteArray("<p>正文</p>"));
}

TEST_F(HostTest, ImagesComeOnlyFromImageBytesWithinTheCap) {
    const QString id = newArticle();
    const QByteArray png = PngBytes(Qt::blue);
    const QString base64 = QString::fromLatin1(png.toBase64());
    const QString url = host.storeImage(id, base64, u"image/png"_s).value(u"url"_s).toString();
    // A whole data: address gives the same image; a wrong claimed type changes nothing.
    EXPECT_EQ(
        host.storeImage(id, u"data:image/png;base64,"_s + base64, u"image/gif"_s).value(u"url"_s),
        url);
    EXPECT_EQ(host.readImage(url),
              (QVariantMap{{u"ok"_s, true}, {u"base64"_s, base64}, {u"mime"_s, u"image/png"_s}}));
    expectRefused(host.storeImage(id, u"!!not base64!!"_s, {}), u"保存图片"_s, u"无法解码"_s);
    expectRefused(host.storeImage(id, QString::fromLatin1(QByteArray("<svg/>").toBase64()), {}),
                  u"保存图片"_s, u"不是可以显示的图片"_s);

    // Word's pasted images: files in its clipboard folder, by content, within the cap.
    QTemporaryDir word(QDir::tempPath() + u"/msohtmlclipXXXXXX"_s);
    QDir(word.path()).mkpath(u"01"_s);
    const QString clip = word.filePath(u"01/clip_image002.png"_s);
    WriteFileBytes(clip, png);
    EXPECT_EQ(host.importLocalImage(id, QUrl::fromLocalFile(clip).toString()).value(u"url"_s), url);
    WriteFileBytes(word.filePath(u"huge.png"_s), png);
    QFile(word.filePath(u"huge.png"_s)).resize(corvel::articles::kImageCap);  // sparse: cheap
    EXPECT_TRUE(ok(host.importLocalImage(id, QUrl::fromLocalFile(word.filePath(u"huge.png"_s)).toString())));
    QFile(word.filePath(u"huge.png"_s)).resize(corvel::articles::kImageCap + 1);
    WriteFileBytes(word.filePath(u"notes.png"_s), "plain text, not an image");
    ASSERT_EQ(::mkfifo(QFile::encodeName(word.filePath(u"fifo.png"_s)).constData(), 0600), 0);
    for (const Json& c : ArticleCases("refusedImports")) {
        const QString bad = QString::fromStdString(c[0])
                                .replace(u"{url}"_s, QUrl::fromLocalFile(word.path()).toString())
                                .replace(u"{dir}"_s, word.path());
        expectRefused(host.importLocalImage(id, bad), u"导入本地图片"_s,
                      QString::fromStdString(c[1]));
    }
}

// A pasted or opened page names local files; only word processors' clipboard pictures and the
// pictures of a page the user opened are read, never the user's other files.
TEST_F(HostTest, LocalPicturesComeOnlyFromClipboardFoldersAndOpenedPages) {
    const QString id = newArticle();
    const QByteArray png = PngBytes(Qt::red);
    QTemporaryDir office(QDir::tempPath() + u"/luXXXXXX.tmp"_s);
    QDir(folder.path()).mkpath(u"site/page_files"_s);
    chooser->openPath = path(u"site/page.html"_s);
    WriteFileBytes(chooser->openPath, "<p><img src=\"page_files/a.png\"></p>");
    const struct {
        QString file;
        QByteArray bytes;
        QString refusal;  // empty: read
    } cases[] = {
        {office.filePath(u"lu1.png"_s), png, {}},
        {office.filePath(u"id_rsa.bmp"_s), "BM" + QByteArray(40, 'k'), u"不是可以显示的图片"_s},
        {path(u"site/page_files/a.png"_s), png, {}},
        {path(u"private.png"_s), png, u"只导入"_s},  // beside no opened page
        {office.filePath(u"link.png"_s), {}, u"只导入"_s},  // a link out of the clipboard folder
    };
    ASSERT_TRUE(QFile::link(path(u"private.png"_s), office.filePath(u"link.png"_s)));
    ASSERT_TRUE(ok(host.chooseOpenFile()));
    for (const auto& c : cases) {
        if (!c.bytes.isEmpty()) WriteFileBytes(c.file, c.bytes);
    }
    for (const auto& c : cases) {
        const QVariantMap answer = host.importLocalImage(id, QUrl::fromLocalFile(c.file).toString());
        if (c.refusal.isEmpty()) EXPECT_TRUE(ok(answer)) << c.file.toStdString();
        else expectRefused(answer, u"导入本地图片"_s, c.refusal);
    }
}

TEST_F(HostTest, OpenedFilesAreDecodedByKindAndCapped) {
    for (const Json& c : ArticleCases("openedFiles")) {
        const QString name = QString::fromStdString(c[0]), kind = QString::fromStdString(c[2]);
        const QString given = QString::fromStdString(c[1]);
        const QByteArray bytes =
            given.startsWith(u'@') ? FileBytes(CORVEL_TEST_DATA_DIR "/docx-limits/"_L1 + given.mid(1))
                                   : given.toLatin1();
        chooser->openPath = path(name);
        WriteFileBytes(chooser->openPath, bytes);
        if (c.size() > 4) QFile(chooser->openPath).resize(c[4]);  // sparse: cheap
        const QVariantMap opened = host.chooseOpenFile();
        const bool binary = c[3].is_null();
        if (kind == u"refused"_s)
            expectRefused(opened, u"打开“%1”"_s.arg(name), QString::fromStdString(c[3]));
        else
            EXPECT_EQ(opened, (QVariantMap{{u"ok"_s, true},
                                           {u"cancelled"_s, false},
                                           {u"name"_s, name},
                                           {u"kind"_s, kind},
                                           {binary ? u"base64"_s : u"text"_s,
                                            binary ? QString::fromLatin1(bytes.toBase64())
                                                   : QString::fromStdString(c[3])}}))
                << name.toStdString();
    }
    chooser->openPath.clear();
    EXPECT_TRUE(host.chooseOpenFile().value(u"cancelled"_s).toBool());
}

// Files from the command line or a second start: announced, then taken in turn like chosen ones,
// a refusal naming its file.
TEST_F(HostTest, FilesHandedToTheProgramAreTakenInTurn) {
    int announced = 0;
    QObject::connect(&host, &ArticleHost::openedFiles, [&] { ++announced; });
    ASSERT_TRUE(WriteFileBytes(path(u"来稿.txt"_s), "第一篇"));
    OpenedFileQueue::instance().add({path(u"来稿.txt"_s), path(u"缺失.docx"_s)});
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(host.takeOpenedFile().value(u"text"_s), u"第一篇"_s);
    expectRefused(host.takeOpenedFile(), u"打开“缺失.docx”"_s, u"找不到这个文件"_s);
    EXPECT_TRUE(host.takeOpenedFile().value(u"none"_s).toBool());
}

TEST_F(HostTest, ExportsAreWrittenWholeOrReportedWithoutHarm) {
    chooser->savePath = path(u"文章"_s);
    EXPECT_EQ(host.chooseSaveFile(u"文章"_s, u"txt"_s, u"第一行\n[图片]"_s, false).value(u"path"_s),
              path(u"文章.txt"_s));
    EXPECT_EQ(FileBytes(path(u"文章.txt"_s)), QByteArray("第一行\n[图片]"));

    chooser->savePath = path(u"report.docx"_s);
    host.chooseSaveFile({}, u"docx"_s, u"UEsDBA=="_s, true);
    expectRefused(host.chooseSaveFile({}, u"docx"_s, u"@@@"_s, true), u"导出文件"_s, u"无法解码"_s);
    // The refused export left the earlier one whole.
    EXPECT_EQ(std::pair(chooser->askedKind, FileBytes(path(u"report.docx"_s))),
              std::pair(u"docx"_s, QByteArray("PK\x03\x04", 4)));
    expectRefused(host.chooseSaveFile({}, u"exe"_s, u"x"_s, false), u"导出文件"_s, u"无法解码"_s);
    chooser->savePath = path(u"no/such/folder/a.html"_s);
    expectRefused(host.chooseSaveFile({}, u"html"_s, u"x"_s, false), u"导出文件"_s);
    chooser->savePath.clear();
    EXPECT_TRUE(host.chooseSaveFile({}, u"html"_s, u"x"_s, false).value(u"cancelled"_s).toBool());
}

}  // namespace
