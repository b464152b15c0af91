#include "chinese_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

struct MissingText {
    const char* context;
    const char* source;
    const char* chinese;
};

// Texts that Qt shows in the file dialogs but that Debian's Chinese catalogs lack: the web
// engine's file chooser names its filter "Accepted types", and the dialog's type column says
// "Folder".
constexpr MissingText kMissingTexts[] = {
    {"FilePickerController", "Accepted types (%1)", "可接受的类型 (%1)"},
    {"QAbstractFileIconProvider", "Folder", "文件夹"},
    {"QAbstractFileIconProvider", "Drive", "驱动器"},
    {"QAbstractFileIconProvider", "Unknown", "未知"},
    {"QAbstractFileIconProvider", "%1 File", "%1 文件"},
    {"QAbstractFileIconProvider", "File", "文件"},
};

class MissingTextsTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (!context || !sourceText) return {};
        for (const MissingText& text : kMissingTexts) {
            if (qstrcmp(context, text.context) == 0 && qstrcmp(sourceText, text.source) == 0)
                return QString::fromUtf8(text.chinese);
        }
        return {};  // the catalogs below answer
    }
};

}  // namespace

void installChineseTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalog : {"qtbase", "qtwebengine"}) {
        auto* translator = new QTranslator(&app);
        // A missing catalog leaves Qt's English texts; the program works the same.
        if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QString::fromLatin1(catalog),
                             QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    }
    // Installed last, so it is asked first.
    QCoreApplication::installTranslator(new MissingTextsTranslator(&app));
}
