#include "single_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMainWindow>
#include <QStandardPaths>
#include <QWidget>

namespace {
// What a second start sends; anything else on the socket is ignored.
constexpr char kShowRequest[] = "show\n";
}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::serverNameForUser() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    // Hashed, so that any user name makes a valid socket name.
    const QByteArray hash =
        QCryptographicHash::hash(user.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString name = QStringLiteral("corvel-editor-") + QString::fromLatin1(hash);
#ifdef Q_OS_UNIX
    // In the user's own runtime folder, which no other user can enter.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return runtime + QLatin1Char('/') + name;
#endif
    return name;
}

bool SingleInstance::askRunningCopy(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kShowRequest);
    return socket.waitForBytesWritten(timeoutMs);
}

bool SingleInstance::handOverToRunningCopy(int timeoutMs) {
    // No socket options: with them Qt replaces a socket already in place instead of failing,
    // and two copies would both listen.
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kShowRequest)) Q_EMIT showRequested();
                socket->disconnectFromServer();
            });
        }
    });
    // Listening first settles a race of two starts: only one of them can listen on the name.
    if (server_->listen(name_)) return false;
    if (askRunningCopy(timeoutMs)) return true;
    // Nobody answered, so the socket is a crashed copy's: it must not block this start.
    QLocalServer::removeServer(name_);
    // Failing even so (no room in the temporary folder), this copy runs unguarded.
    server_->listen(name_);
    return false;
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
