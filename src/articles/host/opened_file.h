#pragma once
// Files the user opens as new drafts or exports to, and the native dialogs that pick them.

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <memory>

class QWidget;

// The native file dialogs behind 打开 and 导出; tests put their own in.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Empty when the user cancelled.
    virtual QString chooseOpenPath(QWidget* parent) = 0;
    virtual QString chooseSavePath(QWidget* parent, const QString& suggestedName,
                                   const QString& kind) = 0;
};

// The dialogs themselves, in Chinese.
std::unique_ptr<FileChooser> makeDialogFileChooser();

// name, kind ("docx", "html", "txt") and text (decoded) or base64 (docx). Throws ArticleError
// for an unsupported kind or a file over the cap, and the store's errors for a failing disk.
QVariantMap readOpenedFile(const QString& path);

// UTF-8 (with or without a byte-order mark), UTF-16 with a byte-order mark, and otherwise
// GB18030, which most Chinese text files that are not UTF-8 are in.
QString decodeText(const QByteArray& bytes);

// The path with the kind's extension added unless it has it already.
QString withExtension(const QString& path, const QString& kind);
