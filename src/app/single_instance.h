#pragma once
// One running copy per user. Two copies would each write back the web.ini they read at start,
// undoing each other's saves, and would share one browser profile. A second start hands over to
// the running copy, which brings its window to the front, and ends.

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // `name` is the local socket's; serverNameForUser() gives the program's.
    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // The name for the current user, in a folder only this user can reach: the runtime folder
    // when it is the user's own with mode 0700, else a folder of the user's under the temporary
    // folder. Empty, with the reason in `why` (Chinese), when no such folder can be had.
    static QString serverNameForUser(QString* why = nullptr);

    // Asks a running copy of the same user to open `files` (absolute paths) and show its window.
    // True when one answered: this copy should end. Otherwise this copy becomes the running one (a socket left by a crashed
    // copy is removed) and false is returned; when a copy was there but could not be handed
    // over to, `why` says so in Chinese. Waits at most `timeoutMs` for a running copy.
    bool handOverToRunningCopy(int timeoutMs = 500, QString* why = nullptr,
                               const QStringList& files = {});

Q_SIGNALS:
    // Another start of the same user asked this copy to show its window.
    void showRequested();
    // The same start asked for these files to be opened; comes before showRequested.
    void openRequested(const QStringList& files);

private:
    bool askRunningCopy(int timeoutMs, QString* why, const QStringList& files);
    void serve(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
};

// The files named on a command line (Qt's own arguments already taken out), as absolute paths:
// every argument after the program's name that does not start with "-", or a file: address.
QStringList commandLineFiles(const QStringList& arguments);

// Brings the program's main window to the front: shown, not minimised, raised and activated.
void raiseMainWindow();
