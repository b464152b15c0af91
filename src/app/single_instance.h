#pragma once
// One running copy per user. Two copies would each write back the web.ini they read at start,
// undoing each other's saves, and would share one browser profile. A second start hands over to
// the running copy, which brings its window to the front, and ends.

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // `name` is the local socket's; serverNameForUser() gives the program's.
    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // The name for the current user: a socket in the user's runtime folder where there is one,
    // named after the user so that users of a shared folder stay apart.
    static QString serverNameForUser();

    // Asks a running copy to show its window. True when one answered: this copy should end.
    // Otherwise this copy becomes the running one (a socket left by a crashed copy is removed)
    // and false is returned. Waits at most `timeoutMs` for a running copy.
    bool handOverToRunningCopy(int timeoutMs = 500);

Q_SIGNALS:
    // Another start asked this copy to show its window.
    void showRequested();

private:
    bool askRunningCopy(int timeoutMs);

    QString name_;
    QLocalServer* server_ = nullptr;
};

// Brings the program's main window to the front: shown, not minimised, raised and activated.
void raiseMainWindow();
