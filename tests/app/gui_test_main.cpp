// GUI tests run on Qt's offscreen platform, with the web engine's data in a temporary folder so
// that the real user's storage is never touched.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "scratch_web_storage.h"

int main(int argc, char** argv) {
    const QTemporaryDir home;
    UseScratchWebStorage(home);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
