#include "opened_file.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include "article_error.h"
#include "article_store.h"
#include "docx_limits.h"
#include "store_path.h"

namespace {

using corvel::articles::ArticleError;
using corvel::articles::Refusal;

struct Kind {
    const char* kind;
    const char* filter;  // for the dialogs
    QStringList extensions;
};

const QList<Kind>& kinds() {
    static const QList<Kind> all = {
        {"docx", "Word 文档 (*.docx)", {QStringLiteral("docx")}},
        {"html", "网页文件 (*.html *.htm)", {QStringLiteral("html"), QStringLiteral("htm")}},
        {"txt", "文本文件 (*.txt)", {QStringLiteral("txt")}},
        {"pdf", "PDF 文档 (*.pdf)", {QStringLiteral("pdf")}},  // export only
    };
    return all;
}

const Kind* kindOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const Kind& kind : kinds()) {
        if (kind.extensions.contains(suffix)) return &kind;
    }
    return nullptr;
}

const Kind* kindNamed(const QString& name) {
    for (const Kind& kind : kinds()) {
        if (name == QLatin1String(kind.kind)) return &kind;
    }
    return nullptr;
}

class DialogFileChooser final : public FileChooser {
public:
    QString chooseOpenPath(QWidget* parent) override {
        return remember(QFileDialog::getOpenFileName(
            parent, QStringLiteral("打开文件"), folder_,
            QStringLiteral("支持的文件 (*.docx *.html *.htm *.txt);;") +
                QString::fromUtf8(kinds()[0].filter) + QStringLiteral(";;") +
                QString::fromUtf8(kinds()[1].filter) + QStringLiteral(";;") +
                QString::fromUtf8(kinds()[2].filter)));
    }
    QString chooseSavePath(QWidget* parent, const QString& suggestedName,
                           const QString& kind) override {
        const Kind* chosen = kindNamed(kind);
        if (!chosen) throw ArticleError(Refusal::BadData, "unknown export kind");
        return remember(QFileDialog::getSaveFileName(parent, QStringLiteral("导出文件"),
                                                     QDir(folder_).filePath(suggestedName),
                                                     QString::fromUtf8(chosen->filter)));
    }

private:
    // The next dialog opens where the last one ended.
    QString remember(const QString& path) {
        if (!path.isEmpty()) folder_ = QFileInfo(path).path();
        return path;
    }

    QString folder_ = [] {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents).exists() ? documents : QDir::homePath();
    }();
};

}  // namespace

std::unique_ptr<FileChooser> makeDialogFileChooser() {
    return std::make_unique<DialogFileChooser>();
}

QString decodeText(const QByteArray& bytes) {
    if (const std::optional<QStringConverter::Encoding> bom =
            QStringConverter::encodingForData(bytes);
        bom && *bom != QStringConverter::Utf8) {
        QStringDecoder decoder(*bom);
        return decoder(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);  // drops a leading byte-order mark
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder gb18030("GB18030");
    if (!gb18030.isValid()) return text;
    return gb18030(bytes);
}

QVariantMap readOpenedFile(const QString& path) {
    const Kind* kind = kindOfPath(path);
    if (!kind || kind == &kinds()[3]) throw ArticleError(Refusal::Unsupported, "unsupported file kind");
    const std::string bytes =
        corvel::articles::ReadCappedFile(ToStorePath(path), corvel::articles::kOpenedFileCap);
    const QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QVariantMap result{{QStringLiteral("name"), QFileInfo(path).fileName()},
                       {QStringLiteral("kind"), QString::fromLatin1(kind->kind)}};
    if (kind == &kinds()[0]) {
        corvel::articles::CheckDocxLimits(bytes);
        result.insert(QStringLiteral("base64"), QString::fromLatin1(data.toBase64()));
    } else {
        result.insert(QStringLiteral("text"), decodeText(data));
    }
    return result;
}

QString withExtension(const QString& path, const QString& kind) {
    const Kind* chosen = kindNamed(kind);
    if (!chosen) throw ArticleError(Refusal::BadData, "unknown export kind");
    if (chosen->extensions.contains(QFileInfo(path).suffix().toLower())) return path;
    return path + QLatin1Char('.') + chosen->extensions.first();
}
