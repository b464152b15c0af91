// The program as a process: a second start hands over to the running copy, a socket left by a
// crash does not stop a start, and a start-up error with no screen to show it on ends the
// process with the message on standard error.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "scratch_web_storage.h"
#include "single_instance.h"

namespace {

// The program's socket lives in the user's runtime folder: the test's scratch home
// (gui_test_main.cpp) keeps each test apart from any running copy of the program.
QString runtimeFolder() { return qEnvironmentVariable("XDG_RUNTIME_DIR"); }

// The program, started with `program` on the offscreen platform and the test's runtime folder.
std::unique_ptr<QProcess> start(const QString& program) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(ScratchWebEnvironment(runtimeFolder()));
    process->start(program, {});
    return process;
}

TEST(ProcessTest, SecondStartRaisesTheRunningWindowAndEnds) {
    SingleInstance running(SingleInstance::serverNameForUser());
    ASSERT_FALSE(running.handOverToRunningCopy());
    QObject::connect(&running, &SingleInstance::showRequested, &raiseMainWindow);
    QMainWindow window;
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    QSignalSpy asked(&running, &SingleInstance::showRequested);

    const auto second = start(QStringLiteral(CORVEL_EDITOR_BINARY));
    QSignalSpy finished(second.get(), &QProcess::finished);
    ASSERT_TRUE(finished.wait(30000)) << "the second start kept running";
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().toStdString();
    ASSERT_TRUE(asked.count() == 1 || asked.wait(5000));
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
}

TEST(ProcessTest, ASocketLeftByACrashNeverBlocksAStart) {
    const QString name = SingleInstance::serverNameForUser();
    ASSERT_TRUE(name.startsWith(runtimeFolder()) && !runtimeFolder().isEmpty());
    // A bound socket whose process is gone: the file stays, and nobody accepts on it.
    const QByteArray path = QFile::encodeName(name);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.constData());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QString::fromLocal8Bit(path)));

    SingleInstance first(name);
    EXPECT_FALSE(first.handOverToRunningCopy());
    // It now runs as the one copy: the next start hands over to it.
    SingleInstance second(name);
    EXPECT_TRUE(second.handOverToRunningCopy());
}

// A copy of the program in a folder of its own, without web.ini: one message, naming the file,
// and no window. (What is no regular file is refused by the store itself: OddFiles in the
// option store's tests.)
TEST(ProcessTest, StartUpErrorWithoutAScreenGoesToStandardErrorAndEnds) {
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/软文程序-😀-XXXXXX"));
    const QString program = folder.filePath(QStringLiteral("corvel-editor"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVEL_EDITOR_BINARY), program));
    const auto process = start(program);
    // Left running, it waits on a box nobody can see (the QProcess kills it on the way out).
    ASSERT_TRUE(process->waitForFinished(30000)) << "still running";
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(process->readAllStandardError());
    EXPECT_EQ(errors.count(QStringLiteral("corvel-editor: ")), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("无法读取设置文件“%1”，程序不能启动。\n原因：文件或文件夹不存在")
                                    .arg(folder.filePath(QStringLiteral("web.ini")))))
        << errors.toStdString();
}

}  // namespace
