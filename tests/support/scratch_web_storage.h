#pragma once
// Programs that drive the web engine offscreen (GUI tests, benchmarks, the program started by an
// end-to-end test) keep its data and settings in a temporary folder, so that the real user's
// storage is never touched.

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <utility>
#include <vector>

// The variables for `home`; offscreen unless a platform is chosen already.
inline std::vector<std::pair<const char*, QString>> ScratchWebVariables(const QString& home) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    return {{"XDG_DATA_HOME", home + QStringLiteral("/data")},
            {"XDG_CACHE_HOME", home + QStringLiteral("/cache")},
            {"XDG_CONFIG_HOME", home + QStringLiteral("/config")},
            {"XDG_RUNTIME_DIR", home},
            {"QTWEBENGINE_DISABLE_SANDBOX", QStringLiteral("1")},
            {"QT_QPA_PLATFORM", platform.isEmpty() ? QStringLiteral("offscreen") : platform}};
}

// Call before the QApplication is made; `home` must outlive it.
inline void UseScratchWebStorage(const QTemporaryDir& home) {
    for (const auto& [name, value] : ScratchWebVariables(home.path()))
        qputenv(name, value.toLocal8Bit());
}

// The environment for a child process that keeps its data in `home`.
inline QProcessEnvironment ScratchWebEnvironment(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : ScratchWebVariables(home))
        env.insert(QString::fromLatin1(name), value);
    return env;
}
