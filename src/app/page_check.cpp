#include "page_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "window_metrics.h"

QStringList missingPageFiles(const QString& indexHtmlPath) {
    const QFileInfo index(indexHtmlPath);
    if (!index.isFile()) return {index.fileName()};
    QFile file(indexHtmlPath);
    if (!file.open(QIODevice::ReadOnly)) return {index.fileName()};
    const QString html = QString::fromUtf8(file.readAll());
    // Every script and style sheet of the page comes from its editor/ folder.
    static const QRegularExpression reference(
        QStringLiteral(R"((?:src|href)\s*=\s*["'](editor/[^"'?#]+)["'])"));
    QStringList missing;
    const QDir folder = index.dir();
    for (auto it = reference.globalMatch(html); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!QFileInfo(folder.filePath(name)).isFile() && !missing.contains(name)) missing << name;
    }
    return missing;
}

QString missingPageHtml(const QString& folder, const QStringList& missing) {
    QString items;
    for (const QString& name : missing) {
        items += QStringLiteral("<li><code>%1</code></li>").arg(name.toHtmlEscaped());
    }
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
               "<title>%1</title><style>"
               "body{font-family:\"Noto Sans CJK SC\",\"Microsoft YaHei\",sans-serif;"
               "margin:40px;color:#333;line-height:1.7}"
               "h1{font-size:20px;color:#b00}code{background:#f3f3f3;padding:1px 4px}"
               "</style></head><body>"
               "<h1>编辑器页面的文件不全，编辑器无法打开</h1>"
               "<p>程序文件夹 <code>%2</code> 中缺少以下文件：</p><ul>%3</ul>"
               "<p>请重新安装本程序。您已保存的设置（web.ini）和规则文件不受影响，"
               "菜单中的其他功能仍可使用。</p>"
               "</body></html>")
        .arg(programCaption().toHtmlEscaped(), QDir::toNativeSeparators(folder).toHtmlEscaped(),
             items);
}

QUrl editorPageUrl(const QString& indexHtmlPath) {
    const QStringList missing = missingPageFiles(indexHtmlPath);
    if (missing.isEmpty()) return QUrl::fromLocalFile(indexHtmlPath);
    const QByteArray html =
        missingPageHtml(QFileInfo(indexHtmlPath).absolutePath(), missing).toUtf8();
    return QUrl(QStringLiteral("data:text/html;charset=utf-8;base64,") +
                QString::fromLatin1(html.toBase64()));
}
