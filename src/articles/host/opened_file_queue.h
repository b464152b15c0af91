#pragma once
// Files the program was asked to open from outside the page: on its command line, or handed over
// by a second start. They wait here until the editor page takes them one at a time, so that a
// page still loading misses none.

#include <QObject>
#include <QStringList>

class OpenedFileQueue final : public QObject {
    Q_OBJECT
public:
    // The program's one queue.
    static OpenedFileQueue& instance();

    void add(const QStringList& paths);
    // The oldest waiting path, or empty.
    QString take();

Q_SIGNALS:
    void arrived();

private:
    QStringList paths_;
};
