#pragma once
// The editor page's own files, checked before it is shown: a page with files missing would
// show the browser's English error page or a bare text box, and nothing saying what is wrong.

#include <QString>
#include <QStringList>
#include <QUrl>

// The page's files that do not exist as files, relative to the folder of `indexHtmlPath`:
// index.html itself, or else each file under editor/ that it loads.
QStringList missingPageFiles(const QString& indexHtmlPath);

// The program's own page naming the missing files and saying to reinstall.
QString missingPageHtml(const QString& folder, const QStringList& missing);

// What the editor window shows: the page itself, or the notice when any of its files is missing.
QUrl editorPageUrl(const QString& indexHtmlPath);
