#include "single_instance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMainWindow>
#include <QWidget>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#include <sddl.h>
#endif

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// What a second start sends: a line "open <path in base64 of UTF-8>" per file, then "show".
// Other lines are ignored.
constexpr char kShowRequest[] = "show";
constexpr char kOpenRequest[] = "open ";
// A same-user peer that never ends its request is cut off here.
constexpr qsizetype kMaxRequest = 1 << 20;

#ifdef Q_OS_UNIX
// Why `folder` is no place for the name: it must be a real folder (no link), the user's own,
// that nobody else can enter. Empty when it is fine.
QString unsafeFolder(const QString& folder) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return QStringLiteral("无法访问文件夹 %1").arg(folder);
    if (!S_ISDIR(info.st_mode)) return QStringLiteral("%1 不是文件夹").arg(folder);
    if (info.st_uid != ::getuid()) return QStringLiteral("文件夹 %1 属于其他用户").arg(folder);
    if ((info.st_mode & 077) != 0)
        return QStringLiteral("文件夹 %1 其他用户也可以访问").arg(folder);
    return {};
}

// The uid at the other end of a connected local socket, or -1.
long peerUid(qintptr descriptor) {
#ifdef SO_PEERCRED
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0)
        return long(peer.uid);
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(int(descriptor), &uid, &gid) == 0) return long(uid);
#endif
    return -1;
}

bool peerIsThisUser(const QLocalSocket& socket) {
    return peerUid(socket.socketDescriptor()) == long(::getuid());
}
#else
bool peerIsThisUser(const QLocalSocket&) { return true; }  // a pipe named per user

// The user's security identifier as text ("S-1-5-21-..."): unlike USERNAME, which anyone can
// set, it names this user and no other. Empty when it cannot be had.
QString currentUserSid() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray buffer(qsizetype(size), '\0');
    QString sid;
    LPWSTR text = nullptr;
    if (size != 0 && ::GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        sid = QString::fromWCharArray(text);
        ::LocalFree(text);
    }
    ::CloseHandle(token);
    return sid;
}
#endif
}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::serverNameForUser(QString* why) {
#ifdef Q_OS_UNIX
    // Keyed by the uid, not by $USER: anyone can set that, or leave it out.
    static constexpr char kName[] = "/corvel-editor";
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && unsafeFolder(runtime).isEmpty()) return runtime + kName;
    // Otherwise a folder of the user's own in the shared temporary folder. Another user may have
    // made it first, or put a link there: then it is refused, never used.
    const QString folder =
        QDir::tempPath() + QStringLiteral("/corvel-editor-%1").arg(qulonglong(::getuid()));
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    const QString unsafe = unsafeFolder(folder);
    if (unsafe.isEmpty()) return folder + kName;
    if (why) *why = unsafe;
    return {};
#else
    const QString sid = currentUserSid();
    if (!sid.isEmpty()) return QStringLiteral("corvel-editor-") + sid;
    if (why) *why = QStringLiteral("无法取得当前用户的安全标识");
    return {};
#endif
}

bool SingleInstance::askRunningCopy(int timeoutMs, QString* why, const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    if (!peerIsThisUser(socket)) {
        if (why) *why = QStringLiteral("%1 由其他用户的程序占用").arg(name_);
        return false;
    }
    QByteArray request;
    for (const QString& file : files) request += kOpenRequest + file.toUtf8().toBase64() + '\n';
    socket.write(request + kShowRequest + '\n');
    if (socket.waitForBytesWritten(timeoutMs)) return true;
    if (why) *why = QStringLiteral("正在运行的副本没有应答：%1").arg(socket.errorString());
    return false;
}

void SingleInstance::serve(QLocalSocket* socket) {
    auto files = std::make_shared<QStringList>();
    auto pending = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, files, pending] {
        *pending += socket->readAll();
        for (qsizetype end; (end = pending->indexOf('\n')) >= 0;) {
            const QByteArray line = pending->left(end);
            pending->remove(0, end + 1);
            if (line.startsWith(kOpenRequest)) {
                files->append(QString::fromUtf8(
                    QByteArray::fromBase64(line.mid(qsizetype(sizeof kOpenRequest) - 1))));
            } else if (line == kShowRequest) {
                if (!files->isEmpty()) Q_EMIT openRequested(*files);
                Q_EMIT showRequested();
                socket->disconnectFromServer();
                return;
            }
        }
        if (pending->size() > kMaxRequest) socket->disconnectFromServer();
    });
}

bool SingleInstance::handOverToRunningCopy(int timeoutMs, QString* why, const QStringList& files) {
    if (name_.isEmpty()) return false;
    // No socket options: with them Qt replaces a socket already in place instead of failing,
    // and two copies would both listen. Only the user's own folder holds the name, so the
    // socket's permissions add nothing.
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!peerIsThisUser(*socket)) {
                socket->disconnectFromServer();
                continue;
            }
            serve(socket);
        }
    });
    // Listening first settles a race of two starts: only one of them can listen on the name.
    if (server_->listen(name_)) return false;
    QString failure;
    if (askRunningCopy(timeoutMs, &failure, files)) return true;
    if (why) *why = failure;
    if (!failure.isEmpty()) return false;  // someone else's: leave it, run unguarded
    // Nobody answered, so the socket is a crashed copy's: it must not block this start.
    QLocalServer::removeServer(name_);
    // Failing even so (no room in the temporary folder), this copy runs unguarded.
    server_->listen(name_);
    return false;
}

QStringList commandLineFiles(const QStringList& arguments) {
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) continue;
        const QUrl url(argument);
        const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
        if (!path.isEmpty()) files.append(QFileInfo(path).absoluteFilePath());
    }
    return files;
}

void raiseMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (!window || !window->isVisible()) continue;
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->raise();
        window->activateWindow();
    }
}
