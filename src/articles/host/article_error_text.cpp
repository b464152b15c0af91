#include "article_error_text.h"

#include <new>
#include <system_error>

#include "article_error.h"
#include "file_error_text.h"
#include "utf8_file.h"

namespace {

using corvel::articles::Refusal;

QString refusalText(Refusal refusal) {
    switch (refusal) {
        case Refusal::BadId:
            return QStringLiteral("文章编号无效");
        case Refusal::BadName:
            return QStringLiteral("图片或历史版本的名称无效");
        case Refusal::NotFound:
            return QStringLiteral("找不到这个文件、文章、图片或历史版本，它可能已被删除或移走");
        case Refusal::OutsideFolder:
            return QStringLiteral("该位置在文章文件夹之外，已拒绝访问");
        case Refusal::NotPasted:
            return QStringLiteral(
                "只导入 Word、WPS、LibreOffice 粘贴的图片和所打开网页所在文件夹里的图片，"
                "其他本地文件不会读取");
        case Refusal::TooLarge:
            return QStringLiteral("文件太大（图片不能超过 20 MB，打开的文件不能超过 64 MB）");
        case Refusal::NotImage:
            return QStringLiteral("这不是可以显示的图片（支持 PNG、JPEG、GIF、WebP、BMP）");
        case Refusal::NotAFile:
            return QStringLiteral("这不是一个普通文件");
        case Refusal::Unsupported:
            return QStringLiteral("只能打开 .docx、.html、.htm 和 .txt 文件");
        case Refusal::BadData:
            return QStringLiteral("页面送来的数据无法解码");
        case Refusal::BrokenDocx:
            return QStringLiteral("文件已损坏或不完整，不是可以读取的 Word 文档");
        case Refusal::DocxTooLarge:
            return QStringLiteral("Word 文档解压后超过 256 MB，无法打开");
        case Refusal::DocxTooManyEntries:
            return QStringLiteral("Word 文档里的部件超过 10000 个，无法打开");
        case Refusal::DocxBomb:
            return QStringLiteral("Word 文档里有压缩比异常的部件（超过 1000:1），可能是恶意文件，已拒绝打开");
        case Refusal::EmbeddedPicture:
            return QStringLiteral("文章里还有未存好的图片，历史版本要等图片存好后再保存");
    }
    return {};
}

// Errors of the file system get the same wording as web.ini's; those it has no words for are
// still introduced in Chinese, with the system's text in brackets.
QString systemReason(const Utf8FileError& error) {
    const QString worded = FileErrorReason(error);
    if (worded != QString::fromUtf8(error.what())) return worded;
    return QStringLiteral("读写文件出错（") + QString::fromStdString(error.code().message()) +
           QStringLiteral("）");
}

QString reasonText(const std::exception& error) {
    if (const auto* refused = dynamic_cast<const corvel::articles::ArticleError*>(&error)) {
        return refusalText(refused->refusal());
    }
    if (const auto* file = dynamic_cast<const Utf8FileError*>(&error)) return systemReason(*file);
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
        return systemReason(Utf8FileError(system->what(), system->code()));
    }
    if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("内存不足");
    return QStringLiteral("程序内部出错（") + QString::fromUtf8(error.what()) +
           QStringLiteral("）");
}

}  // namespace

QString articleFailureText(const QString& action, const std::exception& error) {
    return action + QStringLiteral("失败：") + reasonText(error) + QStringLiteral("。");
}
