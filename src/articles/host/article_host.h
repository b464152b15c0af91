#pragma once
// corvelHost: the one object the editor page reaches through its web channel. It offers article
// operations only; the page never names a path, and every answer is a map with "ok" and, on
// failure, "error": a Chinese sentence for the user.

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <memory>

#include "acknowledged_text.h"
#include "article_store.h"

#include "opened_file.h"
#include "page_printer.h"
#include "picture_folders.h"

class QWidget;

class ArticleHost final : public QObject {
    Q_OBJECT
public:
    // `store` is the one store on its folder, shared with the image scheme's handler.
    ArticleHost(std::shared_ptr<corvel::articles::ArticleStore> store,
                std::unique_ptr<FileChooser> chooser, QWidget* dialogParent,
                QObject* parent = nullptr);
    ~ArticleHost() override;

    Q_INVOKABLE QVariantMap state();
    Q_INVOKABLE QVariantMap markMigrated();
    Q_INVOKABLE QVariantMap listArticles();
    Q_INVOKABLE QVariantMap searchArticles(const QString& text);
    // `chars` is the page's 字数 of the text, stored as given.
    Q_INVOKABLE QVariantMap createArticle(const QString& html, const QString& autoTitle,
                                          double chars);
    Q_INVOKABLE QVariantMap openArticle(const QString& id);
    // state() and, once the old page's article has moved over, openArticle() of the current
    // draft, in one answer {state, opened (absent when none)}: the page's start needs both,
    // and each answer waits its turn on the page's busy thread.
    Q_INVOKABLE QVariantMap openCurrent();
    Q_INVOKABLE QVariantMap saveArticle(const QString& id, const QString& html,
                                        const QString& autoTitle, double chars);
    // A save of only what changed since the text with `revision` (a save's answer): `removed`
    // UTF-16 units after the first `at` become `inserted`, giving `length` units. Refused with
    // "resend" when this host does not hold that text; the page then sends the whole text.
    Q_INVOKABLE QVariantMap saveArticleChange(const QString& id, double revision, double at,
                                              double removed, const QString& inserted,
                                              double length, const QString& autoTitle,
                                              double chars);
    Q_INVOKABLE QVariantMap renameArticle(const QString& id, const QString& title);
    Q_INVOKABLE QVariantMap deleteArticle(const QString& id);
    Q_INVOKABLE QVariantMap listDeleted();
    Q_INVOKABLE QVariantMap restoreArticle(const QString& id);
    Q_INVOKABLE QVariantMap emptyRecycle();
    Q_INVOKABLE QVariantMap addSnapshot(const QString& id, const QString& html,
                                        const QString& reason, double chars);
    Q_INVOKABLE QVariantMap listSnapshots(const QString& id);
    Q_INVOKABLE QVariantMap readSnapshot(const QString& id, const QString& sid);
    Q_INVOKABLE QVariantMap storeImage(const QString& id, const QString& base64,
                                       const QString& mime);
    Q_INVOKABLE QVariantMap importLocalImage(const QString& id, const QString& fileUrl);
    Q_INVOKABLE QVariantMap readImage(const QString& url);
    Q_INVOKABLE QVariantMap chooseOpenFile();
    // The next file the program was asked to open from outside (OpenedFileQueue), answered as
    // chooseOpenFile answers; {"none": true} when none is waiting.
    Q_INVOKABLE QVariantMap takeOpenedFile();
    Q_INVOKABLE QVariantMap chooseSaveFile(const QString& suggestedName, const QString& kind,
                                           const QString& data, bool isBase64);
    // A stored picture of an article converted for a platform (the stored one stays), and what
    // a platform asks about it, QR codes included; url is its corvel-article address.
    Q_INVOKABLE QVariantMap fitPicture(const QString& url, int maxWidth, double maxBytes);
    Q_INVOKABLE QVariantMap inspectPicture(const QString& url);
    Q_INVOKABLE QVariantMap printPage();
    Q_INVOKABLE QVariantMap exportPdf(const QString& suggestedName);

    void setPrinter(std::unique_ptr<PagePrinter> printer) { printer_ = std::move(printer); }

    corvel::articles::ArticleStore& store() { return *store_; }

Q_SIGNALS:
    // Files wait in the queue: the page takes them with takeOpenedFile.
    void openedFiles();

private:
    QVariantMap openPath(const QString& path);
    QVariantMap storeText(const std::string& id, std::u16string text, const QString& autoTitle,
                          double chars);

    std::shared_ptr<corvel::articles::ArticleStore> store_;
    std::unique_ptr<FileChooser> chooser_;
    QWidget* dialogParent_;
    PictureFolders pictureFolders_;
    std::unique_ptr<PagePrinter> printer_;
    corvel::articles::AcknowledgedText acknowledged_;
};

// Where articles live: <user data folder>/corvel-editor/articles.
QString articlesRoot();
