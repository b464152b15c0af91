// The program as a process: a second start hands over to the running copy, a socket left by a
// crash does not stop a start, and a start-up error with no screen to show it on ends the
// process with the message on standard error.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "forked_child.h"
#include "qt_test_files.h"
#include "scratch_web_storage.h"
#include "single_instance.h"

namespace {

using namespace Qt::StringLiterals;

// The program's socket lives in the user's runtime folder: the test's scratch home
// (gui_test_main.cpp) keeps each test apart from any running copy of the program.
QString runtimeFolder() { return qEnvironmentVariable("XDG_RUNTIME_DIR"); }

// The program, started with `program` on the offscreen platform and the test's runtime folder.
std::unique_ptr<QProcess> start(const QString& program, const QStringList& arguments = {},
                                const QString& folder = {}) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(ScratchWebEnvironment(runtimeFolder()));
    process->setWorkingDirectory(folder);
    process->start(program, arguments);
    return process;
}

// The files of the user's drafts (articles and their history) that hold `text`.
QStringList draftFilesHolding(const QByteArray& text) {
    QStringList found;
    QDirIterator it(runtimeFolder() + QStringLiteral("/data/corvel-editor/articles"),
                    {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (FileBytes(file).contains(text)) found.append(file);
    }
    return found;
}

TEST(ProcessTest, SecondStartRaisesTheRunningWindowAndEnds) {
    SingleInstance running(SingleInstance::serverNameForUser());
    ASSERT_FALSE(running.handOverToRunningCopy());
    QObject::connect(&running, &SingleInstance::showRequested, &raiseMainWindow);
    QMainWindow window;
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    QSignalSpy asked(&running, &SingleInstance::showRequested);

    QSignalSpy opened(&running, &SingleInstance::openRequested);

    // Files named relative to the second start's own folder; options stay ignored.
    const auto second = start(QStringLiteral(CORVEL_EDITOR_BINARY),
                              {u"稿件.docx"_s, u"--reverse"_s, u"sub/notes.txt"_s}, u"/tmp"_s);
    QSignalSpy finished(second.get(), &QProcess::finished);
    ASSERT_TRUE(finished.wait(30000)) << "the second start kept running";
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().toStdString();
    ASSERT_TRUE(asked.count() == 1 || asked.wait(5000));
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toStringList(), (QStringList{u"/tmp/稿件.docx"_s, u"/tmp/sub/notes.txt"_s}));
}

// The real program opens the files it is started with, each as a new draft whose pictures are
// stored before its text is saved (a refused one never reaches history), and a second start
// hands its files over.
TEST(ProcessTest, FilesOnTheCommandLineOpenAsDraftsAlsoThroughTheRunningCopy) {
    QTemporaryDir files;
    const QByteArray picture = PngBytes(Qt::red).toBase64();
    ASSERT_TRUE(WriteFileBytes(files.filePath(u"来稿.html"_s),
                               "<p>开门红</p><img src=\"data:image/png;base64," + picture +
                                   "\"><img src=\"data:image/png;base64,bm90IGEgcGljdHVyZQ==\">"));
    ASSERT_TRUE(WriteFileBytes(files.filePath(u"notes.txt"_s), "第二篇稿件"));
    const auto running = start(QStringLiteral(CORVEL_EDITOR_BINARY), {u"来稿.html"_s}, files.path());
    ASSERT_TRUE(QTest::qWaitFor([] { return draftFilesHolding("图片缺失").size() == 1; }, 120000))
        << running->readAllStandardError().toStdString();
    const QStringList opened = draftFilesHolding("开门红");
    EXPECT_EQ(opened, draftFilesHolding("corvel-article://"));
    EXPECT_EQ(draftFilesHolding("data:"), QStringList());

    const auto second = start(QStringLiteral(CORVEL_EDITOR_BINARY), {u"notes.txt"_s}, files.path());
    EXPECT_TRUE(second->waitForFinished(30000));
    EXPECT_TRUE(QTest::qWaitFor([] { return draftFilesHolding("第二篇稿件").size() == 1; }, 60000));
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

// Another local user must not take the name first: it lives only in a folder of the user's own.
TEST(ProcessTest, TheNameLivesOnlyInAFolderThatIsTheUsersAlone) {
    QTemporaryDir sockets;
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    const QString own = temp.filePath(QStringLiteral("corvel-editor-%1").arg(::getuid()));
    const QByteArray ownPath = QFile::encodeName(own);
    const struct {
        mode_t runtimeMode;      // 0: no runtime folder
        const char* prepared;    // what another user left at the temporary folder's name
        const char* expected;    // "runtime", "own" or "" (refused)
    } cases[] = {
        {0700, "", "runtime"},      {0755, "", "own"},       {0, "", "own"},
        {0, "folder 0777", ""},     {0, "link", ""},         {0, "nobody's", ""},
    };
    for (const auto& c : cases) {
        ::chmod(sockets.path().toLocal8Bit().constData(), c.runtimeMode ? c.runtimeMode : 0700);
        qputenv("XDG_RUNTIME_DIR", c.runtimeMode ? sockets.path().toLocal8Bit() : QByteArray());
        QFile::remove(own);  // a link, never what it leads to
        QDir(own).removeRecursively();
        const std::string prepared = c.prepared;
        if (prepared == "link") {
            ASSERT_EQ(::symlink(temp.path().toLocal8Bit().constData(), ownPath.constData()), 0);
        } else if (prepared == "folder 0777") {
            ASSERT_EQ(::mkdir(ownPath.constData(), 0700) | ::chmod(ownPath.constData(), 0777), 0);
        }
        if (prepared == "nobody's") {
            if (::getuid() != 0) continue;  // only root can give a folder away
            ASSERT_EQ(::mkdir(ownPath.constData(), 0700) | ::chown(ownPath.constData(), 65534, 65534),
                      0);
        }
        QString why;
        const QString name = SingleInstance::serverNameForUser(&why);
        const std::string expected = c.expected;
        const QString folder = expected == "runtime" ? sockets.path() : own;
        if (expected.empty()) {
            EXPECT_TRUE(name.isEmpty() && !why.isEmpty()) << prepared << name.toStdString();
        } else {
            EXPECT_EQ(name, folder + QStringLiteral("/corvel-editor")) << prepared;
        }
    }
    qputenv("TMPDIR", savedTemp);
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

// A socket of another user at the name gets no request, and this start goes on with a reason.
TEST(ProcessTest, NeverHandsOverToAnotherUsersCopy) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to run a listener as another user";
    QTemporaryDir shared;
    ::chmod(shared.path().toLocal8Bit().constData(), 0777);
    const QByteArray path = QFile::encodeName(shared.filePath(QStringLiteral("socket")));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.constData());
    // The other user's copy: exits with 1 when it was asked to show anything.
    const pid_t other = Spawn([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 2;
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 3;
        ::listen(fd, 1);
        const int client = ::accept(fd, nullptr, nullptr);
        char buffer[16] = {};
        return ::read(client, buffer, sizeof buffer) > 0 ? 1 : 0;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(QFile::decodeName(path)); }, 5000));
    SingleInstance instance(QFile::decodeName(path));
    QString why;
    EXPECT_FALSE(instance.handOverToRunningCopy(500, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("其他用户"))) << why.toStdString();
    EXPECT_EQ(Wait(other), 0) << "the other user's copy was asked to show its window";
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
