#include "chinese_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
}
