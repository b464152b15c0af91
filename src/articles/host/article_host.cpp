#include "article_host.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QVariantList>

#include "article_error.h"
#include "article_error_text.h"
#include "article_url.h"
#include "opened_file.h"
#include "opened_file_queue.h"
#include "picture_fit.h"
#include "store_path.h"
#include "utf8_path.h"

namespace {

using corvel::articles::ArticleError;
using corvel::articles::ArticleMeta;
using corvel::articles::Refusal;

std::string utf8(const QString& text) { return text.toStdString(); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

QVariantMap metaMap(const ArticleMeta& meta) {
    QVariantMap map{{QStringLiteral("id"), qt(meta.id)},
                    {QStringLiteral("title"), qt(meta.title())},
                    {QStringLiteral("customTitle"), qt(meta.customTitle)},
                    {QStringLiteral("created"), qint64(meta.created)},
                    {QStringLiteral("modified"), qint64(meta.modified)},
                    {QStringLiteral("chars"), qint64(meta.chars)}};
    if (meta.deleted != 0) map.insert(QStringLiteral("deleted"), qint64(meta.deleted));
    return map;
}

QVariantMap metaList(const std::vector<ArticleMeta>& metas) {
    QVariantList list;
    list.reserve(static_cast<qsizetype>(metas.size()));
    for (const ArticleMeta& meta : metas) list.append(metaMap(meta));
    return {{QStringLiteral("articles"), list}};
}

QVariantMap failure(const QString& text) {
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), text}};
}

// Runs one operation: its fields with ok:true, or ok:false and the reason.
template <typename Operation>
QVariantMap answer(const QString& action, Operation operation) {
    try {
        QVariantMap result = operation();
        result.insert(QStringLiteral("ok"), true);
        return result;
    } catch (const std::exception& error) {
        return failure(articleFailureText(action, error));
    }
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QByteArray decodeBase64(const QString& text) {
    QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) throw ArticleError(Refusal::BadData, "bad base64");
    return std::move(*decoded);
}

QVariantMap imageUrl(const std::string& id, const std::string& name) {
    return {{QStringLiteral("url"), articleImageUrl(id, name).toString()}};
}

}  // namespace

ArticleHost::ArticleHost(std::shared_ptr<corvel::articles::ArticleStore> store,
                         std::unique_ptr<FileChooser> chooser, QWidget* dialogParent,
                         QObject* parent)
    : QObject(parent),
      store_(std::move(store)),
      chooser_(std::move(chooser)),
      dialogParent_(dialogParent) {
    connect(&OpenedFileQueue::instance(), &OpenedFileQueue::arrived, this,
            &ArticleHost::openedFiles);
}

ArticleHost::~ArticleHost() { store_->flush(); }

QVariantMap ArticleHost::state() {
    return answer(QStringLiteral("读取文章状态"), [&] {
        const corvel::articles::StoreState state = store_->state();
        return QVariantMap{{QStringLiteral("currentId"), qt(state.currentId)},
                           {QStringLiteral("migrated"), state.migrated},
                           {QStringLiteral("articlesFolder"),
                            FromStorePath(corvel::options::Utf8FromPath(store_->root()))}};
    });
}

QVariantMap ArticleHost::openCurrent() {
    const QVariantMap now = state();
    QVariantMap result{{QStringLiteral("ok"), true}, {QStringLiteral("state"), now}};
    const QString id = now.value(QStringLiteral("currentId")).toString();
    if (now.value(QStringLiteral("ok")).toBool() && now.value(QStringLiteral("migrated")).toBool() &&
        !id.isEmpty())
        result.insert(QStringLiteral("opened"), openArticle(id));
    return result;
}

QVariantMap ArticleHost::markMigrated() {
    return answer(QStringLiteral("记录文章迁移"), [&] {
        store_->markMigrated();
        return QVariantMap();
    });
}

QVariantMap ArticleHost::listArticles() {
    return answer(QStringLiteral("读取文章列表"), [&] { return metaList(store_->list()); });
}

QVariantMap ArticleHost::searchArticles(const QString& text) {
    return answer(QStringLiteral("搜索文章"), [&] {
        QStringList ids;
        for (const std::string& id : store_->search(utf8(text))) ids << QString::fromStdString(id);
        return QVariantMap{{QStringLiteral("ids"), ids}};
    });
}

QVariantMap ArticleHost::createArticle(const QString& html, const QString& autoTitle,
                                       double chars) {
    return answer(QStringLiteral("新建文章"), [&] {
        return metaMap(store_->create(utf8(html), utf8(autoTitle), static_cast<qint64>(chars)));
    });
}

QVariantMap ArticleHost::openArticle(const QString& id) {
    return answer(QStringLiteral("打开文章"), [&] {
        std::string html;
        const std::string article = utf8(id);
        QVariantMap result = metaMap(store_->open(article, html));
        const QString text = qt(html);
        result.insert(QStringLiteral("html"), text);
        // The text on disk is acknowledged: the first save after opening brings only its change.
        result.insert(QStringLiteral("revision"),
                      static_cast<qint64>(acknowledged_.keep(article, text.toStdU16String())));
        return result;
    });
}

QVariantMap ArticleHost::saveArticle(const QString& id, const QString& html,
                                     const QString& autoTitle, double chars) {
    acknowledged_.forget();
    return storeText(utf8(id), html.toStdU16String(), autoTitle, chars);
}

namespace {
// A count from the page; anything but a whole number in range is no count at all.
std::size_t units(double value) {
    return value >= 0 && value <= 1e15 && value == static_cast<double>(static_cast<std::uint64_t>(value))
               ? static_cast<std::size_t>(value)
               : SIZE_MAX;
}
}  // namespace

QVariantMap ArticleHost::saveArticleChange(const QString& id, double revision, double at,
                                           double removed, const QString& inserted,
                                           double length, const QString& autoTitle,
                                           double chars) {
    const std::string article = utf8(id);
    if (!acknowledged_.apply(article, units(revision), units(at), units(removed),
                             std::u16string_view(reinterpret_cast<const char16_t*>(inserted.utf16()),
                                                 static_cast<std::size_t>(inserted.size())),
                             units(length))) {
        QVariantMap refused = failure(QStringLiteral("保存文章失败：程序中的文章与页面上的不一致。"));
        refused.insert(QStringLiteral("resend"), true);
        return refused;
    }
    return storeText(article, std::move(acknowledged_.text()), autoTitle, chars);
}

// Stores `text` as `id`'s article; it is acknowledged only once it is on disk.
QVariantMap ArticleHost::storeText(const std::string& id, std::u16string text,
                                   const QString& autoTitle, double chars) {
    return answer(QStringLiteral("保存文章"), [&] {
        const QByteArray bytes =
            QStringView(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
        const qint64 modified = store_->save(id, std::string(bytes.constData(), bytes.size()),
                                             utf8(autoTitle), static_cast<qint64>(chars));
        const auto revision = static_cast<qint64>(acknowledged_.keep(id, std::move(text)));
        return QVariantMap{{QStringLiteral("modified"), modified},
                           {QStringLiteral("revision"), revision}};
    });
}

QVariantMap ArticleHost::renameArticle(const QString& id, const QString& title) {
    return answer(QStringLiteral("重命名文章"), [&] {
        store_->rename(utf8(id), utf8(title.trimmed()));
        return QVariantMap();
    });
}

QVariantMap ArticleHost::deleteArticle(const QString& id) {
    return answer(QStringLiteral("删除文章"), [&] {
        store_->remove(utf8(id));
        return QVariantMap();
    });
}

QVariantMap ArticleHost::listDeleted() {
    return answer(QStringLiteral("读取回收站"), [&] { return metaList(store_->listDeleted()); });
}

QVariantMap ArticleHost::restoreArticle(const QString& id) {
    return answer(QStringLiteral("恢复文章"), [&] {
        store_->restore(utf8(id));
        return QVariantMap();
    });
}

QVariantMap ArticleHost::emptyRecycle() {
    return answer(QStringLiteral("清空回收站"), [&] {
        return QVariantMap{{QStringLiteral("removed"), store_->emptyRecycle()}};
    });
}

QVariantMap ArticleHost::addSnapshot(const QString& id, const QString& html,
                                     const QString& reason, double chars) {
    return answer(QStringLiteral("保存历史版本"), [&] {
        const bool stored =
            store_->addSnapshot(utf8(id), utf8(html), utf8(reason), static_cast<qint64>(chars));
        return QVariantMap{{QStringLiteral("skipped"), !stored}};
    });
}

QVariantMap ArticleHost::listSnapshots(const QString& id) {
    return answer(QStringLiteral("读取历史版本"), [&] {
        QVariantList list;
        for (const corvel::articles::Snapshot& s : store_->listSnapshots(utf8(id))) {
            list.append(QVariantMap{{QStringLiteral("sid"), qt(s.sid)},
                                    {QStringLiteral("time"), qint64(s.time)},
                                    {QStringLiteral("reason"), qt(s.reason)},
                                    {QStringLiteral("chars"), qint64(s.chars)}});
        }
        return QVariantMap{{QStringLiteral("snapshots"), list}};
    });
}

QVariantMap ArticleHost::readSnapshot(const QString& id, const QString& sid) {
    return answer(QStringLiteral("读取历史版本"), [&] {
        return QVariantMap{{QStringLiteral("html"), qt(store_->readSnapshot(utf8(id), utf8(sid)))}};
    });
}

QVariantMap ArticleHost::storeImage(const QString& id, const QString& base64, const QString&) {
    return answer(QStringLiteral("保存图片"), [&] {
        // A whole data: address is taken as well as its base64 part. The type comes from the
        // bytes, never from what the page claims.
        QString encoded = base64;
        if (encoded.startsWith(QLatin1String("data:"))) {
            encoded = encoded.mid(encoded.indexOf(QLatin1Char(',')) + 1);
        }
        const QByteArray bytes = decodeBase64(encoded);
        const std::string idText = utf8(id);
        return imageUrl(idText, store_->storeImage(idText, view(bytes)));
    });
}

QVariantMap ArticleHost::importLocalImage(const QString& id, const QString& fileUrl) {
    return answer(QStringLiteral("导入本地图片"), [&] {
        const QUrl url(fileUrl);
        if (!url.isLocalFile()) throw ArticleError(Refusal::NotAFile, "not a local file");
        const QString path = pictureFolders_.allowedPath(url.toLocalFile());
        if (path.isEmpty()) throw ArticleError(Refusal::NotPasted, "not a pasted picture");
        const std::string bytes =
            corvel::articles::ReadCappedFile(ToStorePath(path), corvel::articles::kImageCap);
        const std::string idText = utf8(id);
        return imageUrl(idText, store_->storeImage(idText, bytes));
    });
}

QVariantMap ArticleHost::readImage(const QString& url) {
    return answer(QStringLiteral("读取图片"), [&] {
        const ArticleImageAddress address = parseArticleImageUrl(QUrl(url));
        const std::string bytes = store_->readImage(address.id, address.name);
        return QVariantMap{
            {QStringLiteral("base64"),
             QString::fromLatin1(
                 QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())).toBase64())},
            {QStringLiteral("mime"), QString::fromLatin1(storedImageMime(address.name))}};
    });
}

QVariantMap ArticleHost::chooseOpenFile() {
    const QString path = chooser_->chooseOpenPath(dialogParent_);
    if (path.isEmpty()) return {{QStringLiteral("ok"), true}, {QStringLiteral("cancelled"), true}};
    return openPath(path);
}

QVariantMap ArticleHost::takeOpenedFile() {
    const QString path = OpenedFileQueue::instance().take();
    if (path.isEmpty()) return {{QStringLiteral("ok"), true}, {QStringLiteral("none"), true}};
    return openPath(path);
}

// A failure names the file, since the page has only the answer to tell which one it was.
QVariantMap ArticleHost::openPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QVariantMap result = answer(QStringLiteral("打开“%1”").arg(name), [&] {
        QVariantMap opened = readOpenedFile(path);
        if (opened.value(QStringLiteral("kind")) == QLatin1String("html"))
            pictureFolders_.addOpenedPage(path);
        opened.insert(QStringLiteral("cancelled"), false);
        return opened;
    });
    result.insert(QStringLiteral("name"), name);
    return result;
}

QVariantMap ArticleHost::chooseSaveFile(const QString& suggestedName, const QString& kind,
                                        const QString& data, bool isBase64) {
    return answer(QStringLiteral("导出文件"), [&] {
        const QString chosen = chooser_->chooseSavePath(dialogParent_, suggestedName, kind);
        if (chosen.isEmpty()) return QVariantMap{{QStringLiteral("cancelled"), true}};
        const QString path = withExtension(chosen, kind);
        const QByteArray bytes = isBase64 ? decodeBase64(data) : data.toUtf8();
        corvel::articles::WriteFileAtomically(ToStorePath(path), view(bytes));
        return QVariantMap{{QStringLiteral("cancelled"), false}, {QStringLiteral("path"), path}};
    });
}

QString articlesRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/corvel-editor/articles");
}

namespace {

QByteArray storedPicture(corvel::articles::ArticleStore& store, const QString& url) {
    const ArticleImageAddress address = parseArticleImageUrl(QUrl(url));
    const std::string bytes = store.readImage(address.id, address.name);
    return {bytes.data(), qsizetype(bytes.size())};
}

}  // namespace

QVariantMap ArticleHost::fitPicture(const QString& url, int maxWidth, double maxBytes) {
    return answer(QStringLiteral("转换图片"), [&] {
        const FittedPicture fitted =
            ::fitPicture(storedPicture(*store_, url), maxWidth, static_cast<qint64>(maxBytes));
        return QVariantMap{{QStringLiteral("base64"), QString::fromLatin1(fitted.bytes.toBase64())},
                           {QStringLiteral("mime"), QString::fromLatin1(fitted.mime)},
                           {QStringLiteral("width"), fitted.width},
                           {QStringLiteral("height"), fitted.height},
                           {QStringLiteral("bytes"), qint64(fitted.bytes.size())}};
    });
}

QVariantMap ArticleHost::inspectPicture(const QString& url) {
    return answer(QStringLiteral("检查图片"), [&] {
        const QByteArray bytes = storedPicture(*store_, url);
        const PictureFacts facts = ::inspectPicture(bytes);
        return QVariantMap{{QStringLiteral("format"), QString::fromLatin1(facts.format)},
                           {QStringLiteral("width"), facts.width},
                           {QStringLiteral("height"), facts.height},
                           {QStringLiteral("bytes"), qint64(bytes.size())},
                           {QStringLiteral("codes"), facts.codes}};
    });
}

QVariantMap ArticleHost::printPage() {
    if (!printer_) return failure(QStringLiteral("打印失败：此窗口不能打印。"));
    return answer(QStringLiteral("打印"), [&] {
        return QVariantMap{{QStringLiteral("cancelled"), !printer_->print(dialogParent_)}};
    });
}

QVariantMap ArticleHost::exportPdf(const QString& suggestedName) {
    if (!printer_) return failure(QStringLiteral("导出 PDF 失败：此窗口不能打印。"));
    return answer(QStringLiteral("导出 PDF"), [&] {
        const QString chosen = chooser_->chooseSavePath(dialogParent_, suggestedName, QStringLiteral("pdf"));
        if (chosen.isEmpty()) return QVariantMap{{QStringLiteral("cancelled"), true}};
        const QByteArray pdf = printer_->pdf();
        if (pdf.isEmpty()) throw std::runtime_error("浏览器引擎未能生成 PDF");
        const QString path = withExtension(chosen, QStringLiteral("pdf"));
        corvel::articles::WriteFileAtomically(ToStorePath(path), view(pdf));
        return QVariantMap{{QStringLiteral("cancelled"), false}, {QStringLiteral("path"), path}};
    });
}
