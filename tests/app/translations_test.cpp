// Qt's own texts in the file dialogs come in Chinese, including the few that Debian's catalogs
// lack.

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTranslator>

#include "chinese_translations.h"

namespace {

TEST(ChineseTranslations, FileDialogTextsHaveNoEnglishLeft) {
    installChineseTranslations(*qApp);
    const QTemporaryDir folder;
    const QAbstractFileIconProvider icons;
    EXPECT_EQ(icons.type(QFileInfo(folder.path())).toStdString(), "文件夹");

    const QString filter = QCoreApplication::translate("FilePickerController", "Accepted types (%1)")
                               .arg(QStringLiteral("*.png *.jpg"));
    EXPECT_EQ(filter.toStdString(), "可接受的类型 (*.png *.jpg)");
    // The catalogs still answer for everything else.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "取消");
    // Other tests in this process expect Qt's texts untranslated.
    qDeleteAll(qApp->findChildren<QTranslator*>());
}

}  // namespace
