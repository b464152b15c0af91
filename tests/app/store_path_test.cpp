// File names between Qt and the option store: a file that Qt names is the file the store opens,
// for Chinese names, characters outside the BMP and long names, and the store's names come back
// to Qt unchanged, in messages too.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "folder_path.h"
#include "qt_test_files.h"
#include "store_path.h"
#include "utf8_file.h"

namespace {

TEST(StorePath, QtAndTheStoreNameTheSameFiles) {
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/程序文件夹-XXXXXX"));
    ASSERT_TRUE(root.isValid());
    const QStringList cases[] = {
        {QStringLiteral("张三"), QStringLiteral("网页设置.ini")},
        {QStringLiteral("𠮷野家-😀"), QStringLiteral("web-𝄞.ini")},
        {QStringLiteral("with space ; and = signs"), QStringLiteral("web.ini")},
        {QString(80, QChar(0x957F)), QString(80, QChar(0x957F)), QString(80, QChar(0x957F)),
         QStringLiteral("web.ini")},
    };
    for (const QStringList& names : cases) {
        const QString file = root.path() + QLatin1Char('/') + names.join(QLatin1Char('/'));
        SCOPED_TRACE(file.toStdString());
        // Qt writes, the store reads; the store writes, Qt reads.
        ASSERT_TRUE(WriteFileBytes(file, "[ueditor]\r\n"));
        const std::string storeName = ToStorePath(file);
        EXPECT_EQ(ReadUtf8File(storeName), "[ueditor]\r\n");
        WriteUtf8File(storeName, "k=中文");
        EXPECT_EQ(FileBytes(file), QByteArray("\xEF\xBB\xBFk=中文"));

        EXPECT_EQ(FromStorePath(storeName), file);
        // A name the store builds from a folder that Qt gave it.
        const std::string folder = ToStorePath(QFileInfo(file).path());
        EXPECT_EQ(FromStorePath(PathInFolder(folder, names.last().toStdString())),
                  QDir::toNativeSeparators(file));
    }
}

// The store's messages name the file in its own bytes; shown by Qt, they read as the file's name.
TEST(StorePath, StoreMessagesShowTheNameAsQtKnowsIt) {
    const QString missing = QDir::tempPath() + QStringLiteral("/没有这个文件夹-😀/网页.ini");
    try {
        ReadUtf8File(ToStorePath(missing));
        FAIL() << "read a file that does not exist";
    } catch (const Utf8FileError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(missing));
    }
}

TEST(StorePath, EmptyAndPlainNamesPassUnchanged) {
    for (const char* name : {"", "web.ini", "/opt/corvel/lib/corvel-editor", "a\\b"}) {
        EXPECT_EQ(ToStorePath(QString::fromUtf8(name)), name);
        EXPECT_EQ(FromStorePath(name), QString::fromUtf8(name));
    }
}

}  // namespace
