// Bridge tests run on Qt's offscreen platform with the user's data folder in a temporary one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "article_setup.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    registerArticleScheme();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
