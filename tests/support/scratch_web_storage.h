#pragma once
// Programs that drive the web engine offscreen (GUI tests, benchmarks) keep its data in a
// temporary folder, so that the real user's storage is never touched.

#include <QTemporaryDir>
#include <QtGlobal>

// Call before the QApplication is made; `home` must outlive it.
inline void UseScratchWebStorage(const QTemporaryDir& home) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
}
